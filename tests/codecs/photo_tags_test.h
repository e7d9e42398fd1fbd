// Photos as cameras store them, made inside the tests: tags written with exiv2's library,
// profiles built with LittleCMS.
#pragma once

#include <lcms2.h>
#include <exiv2/exiv2.hpp>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "codecs/image_writers.h"

namespace lumabord::testing {

// Opens path with exiv2, lets edit change its tags and writes them back.
inline void editTags(const std::filesystem::path& path,
                     const std::function<void(Exiv2::Image&)>& edit) {
  const std::unique_ptr<Exiv2::Image> image(Exiv2::ImageFactory::open(path.string()).release());
  image->readMetadata();
  edit(*image);
  image->writeMetadata();
}

// The tags of a file as exiv2 reads them back.
inline std::unique_ptr<Exiv2::Image> readTags(const std::filesystem::path& path) {
  std::unique_ptr<Exiv2::Image> image(Exiv2::ImageFactory::open(path.string()).release());
  image->readMetadata();
  return image;
}

// Adobe RGB (1998): its primaries, D65 and a gamma of 563/256.
inline std::vector<uint8_t> adobeRgbProfile() {
  const cmsCIExyY white{0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
  cmsToneCurve* gamma = cmsBuildGamma(nullptr, 563.0 / 256.0);
  cmsToneCurve* curves[3] = {gamma, gamma, gamma};
  cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
  cmsFreeToneCurve(gamma);
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  std::vector<uint8_t> bytes(size);
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  cmsCloseProfile(profile);
  return bytes;
}

inline void embedProfile(const std::filesystem::path& path, const std::vector<uint8_t>& icc) {
  editTags(path, [&](Exiv2::Image& image) {
    Exiv2::DataBuf buf(icc.data(), static_cast<long>(icc.size()));
    image.setIccProfile(buf);
  });
}

// The camera tags of the round trip: who, when, with what, where, and a thumbnail.
inline void addCameraTags(const std::filesystem::path& path, int orientation) {
  editTags(path, [&](Exiv2::Image& image) {
    Exiv2::ExifData& exif = image.exifData();
    exif["Exif.Image.Artist"] = "Anna Berg";
    exif["Exif.Image.Copyright"] = "(c) 2024 Anna Berg";
    exif["Exif.Image.Model"] = "Phone 12";
    exif["Exif.Image.Orientation"] = static_cast<uint16_t>(orientation);
    exif["Exif.Photo.DateTimeOriginal"] = "2024:06:01 10:20:30";
    exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
    exif["Exif.GPSInfo.GPSLatitude"] = "59/1 20/1 0/1";
    image.iptcData()["Iptc.Application2.Headline"] = "Lake";
    image.xmpData()["Xmp.dc.creator"] = "Anna Berg";
    image.xmpData()["Xmp.exif.GPSLatitude"] = "59,20.0N";
    // A thumbnail that must not outlive the picture it shows.
    Exiv2::ExifThumb thumb(exif);
    const std::vector<uint8_t> jpeg = encodeJpeg(Image(8, 8, Rgb{1, 2, 3}), {});
    thumb.setJpegThumbnail(jpeg.data(), static_cast<long>(jpeg.size()));
  });
}

}  // namespace lumabord::testing
