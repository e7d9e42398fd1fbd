// What a camera or phone stores beside a photo's pixels: the orientation, the ICC profile of
// its colours and its EXIF, IPTC and XMP metadata.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumabord {

// The photo's EXIF, IPTC and XMP as exiv2 holds them (photo_metadata.h, inside the codecs).
struct PhotoMetadata;

struct PhotoTags {
  int orientation = 1;                            // EXIF/TIFF orientation 1..8 of the stored rows
  std::vector<uint8_t> iccProfile;                // as embedded; empty when the file has none
  std::shared_ptr<const PhotoMetadata> metadata;  // nullptr when the file has none

  [[nodiscard]] bool untagged() const { return iccProfile.empty() && !metadata; }
};

// Reads the tags of a photo file held in memory with exiv2. A format it does not know and
// data it cannot parse give no tags: the pixels may load all the same.
[[nodiscard]] PhotoTags readPhotoTags(std::span<const uint8_t> bytes);

// Metadata from the blocks a container hands out itself (HEIF): EXIF as TIFF-structured
// bytes ("II*" or "MM*" first), an XMP packet. nullptr when neither holds anything.
[[nodiscard]] std::shared_ptr<const PhotoMetadata> metadataFromBlocks(std::span<const uint8_t> exif,
                                                                      std::string_view xmp);

// What a written file carries of its photo.
struct MetadataChoice {
  bool keep = true;      // EXIF, IPTC and XMP
  bool keepGps = false;  // the location tags among them
};

// The metadata as blocks for formats that store them whole (PNG eXIf and iTXt, WebP chunks),
// edited for a written picture of width x height: Orientation 1, the pixel dimensions, no
// thumbnail, no GPS unless kept. Each block is empty when there is nothing to write.
struct MetadataBlocks {
  std::vector<uint8_t> exif;  // TIFF-structured, without the "Exif\0\0" of JPEG
  std::vector<uint8_t> iptc;  // IIM records
  std::string xmp;
};
[[nodiscard]] MetadataBlocks metadataBlocks(const PhotoMetadata& metadata, int width, int height,
                                            bool keepGps);

// A complete JPEG or TIFF file with the metadata written into it by exiv2 (edited as for
// metadataBlocks), and for TIFF the ICC profile iccProfile when not empty.
[[nodiscard]] std::vector<uint8_t> embedMetadata(std::span<const uint8_t> file,
                                                 const PhotoMetadata* metadata, int width,
                                                 int height, bool keepGps,
                                                 std::span<const uint8_t> iccProfile);

}  // namespace lumabord
