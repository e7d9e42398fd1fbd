// What a photo's file says about the photo, for the signature's variables: the day it was
// taken, its author, its copyright, the camera and the file's name. Read with exiv2.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lumabord {

struct PhotoDate {
  int year = 0;
  int month = 0;  // 1 .. 12
  int day = 0;    // 1 .. 31
  friend bool operator==(const PhotoDate&, const PhotoDate&) = default;
};

// The texts are UTF-8 without control characters, at most kPhotoFactBytesMax bytes, and
// empty when the file does not tell.
struct PhotoFacts {
  std::optional<PhotoDate> taken;  // date taken; else the file's modification day (local time)
  std::string artist;
  std::string copyright;
  std::string camera;  // make and model, the make left out when the model repeats it
  std::string file;    // the file's name without folder and extension
  friend bool operator==(const PhotoFacts&, const PhotoFacts&) = default;
};

inline constexpr size_t kPhotoFactBytesMax = 200;

// Reads the facts of the photo at path. Never throws: metadata that is missing, or that exiv2
// cannot parse, leaves those facts empty; a file that cannot be read at all gives its name.
// Sources in order: date taken EXIF DateTimeOriginal, DateTimeDigitized, DateTime, XMP
// exif:DateTimeOriginal, photoshop:DateCreated, xmp:CreateDate, IPTC DateCreated; artist
// EXIF Artist, XMP dc:creator, IPTC By-line; copyright EXIF Copyright, XMP dc:rights, IPTC
// CopyrightNotice; camera EXIF Make and Model, else XMP tiff:Make and tiff:Model.
[[nodiscard]] PhotoFacts readPhotoFacts(const std::filesystem::path& path);

}  // namespace lumabord
