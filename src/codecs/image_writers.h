// The output writers (JPEG, TIFF, BMP, PNG, WebP) and the choice between them by format key.
// Every writer goes through AtomicFile: a failed write leaves any existing file intact.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/image.h"
#include "codecs/photo_tags.h"

namespace lumabord {

struct JpegOptions {
  int quality = 80;  // 1..100
  bool progressive = true;
  bool smoothing = true;  // display hint only; the encoded bytes do not depend on it
  bool lossless = false;  // WebP: lossless; otherwise lossy at `quality`
  // The photo's EXIF, IPTC and XMP in JPEG, TIFF, PNG and WebP files, and its GPS tags with
  // them: location is private unless the user keeps it.
  bool keepMetadata = true;
  bool keepGps = false;
  friend bool operator==(const JpegOptions&, const JpegOptions&) = default;
};

enum class OutputFormat { Jpeg, Tiff, Bmp, Png, Webp };

// "jpg"/"jpeg" -> Jpeg, "tif"/"tiff" -> Tiff, "bmp" -> Bmp, "png" -> Png, "webp" -> Webp
// (case ignored, no dot).
[[nodiscard]] std::optional<OutputFormat> outputFormatFromExtension(std::string extension);
// The format key used for output names: "jpg", "tif", "bmp", "png" or "webp".
[[nodiscard]] const char* formatKey(OutputFormat format);

// `photo` is what the framed photo carried (nullptr: nothing). A photo that had an ICC profile
// was converted to sRGB, so its file is tagged sRGB (JPEG APP2, TIFF tag 34675, WebP ICCP; PNG
// files are always marked sRGB); its metadata is written as options say. A photo without tags
// gives the same bytes as no photo. BMP files carry nothing.

// The complete JPEG file in memory. Throws Error("JPEG error #%d") for the library's errors
// (an empty image is one of them).
[[nodiscard]] std::vector<uint8_t> encodeJpeg(const Image& image, const JpegOptions& options,
                                              const PhotoTags* photo = nullptr);

// Each writer creates or replaces path; "Cannot create file %s" when it cannot.
void WriteJpegFile(const std::filesystem::path& path, const Image& image,
                   const JpegOptions& options, const PhotoTags* photo = nullptr);
void WriteTiffFile(const std::filesystem::path& path, const Image& image,
                   const PhotoTags* photo = nullptr, const JpegOptions& options = {});
void WriteBmpFile(const std::filesystem::path& path, const Image& image);
// IPTC has no place in PNG files and is left out.
void WritePngFile(const std::filesystem::path& path, const Image& image,
                  const PhotoTags* photo = nullptr, const JpegOptions& options = {});
// Lossy at options.quality, or lossless with options.lossless. IPTC has no chunk in WebP.
void WriteWebpFile(const std::filesystem::path& path, const Image& image,
                   const JpegOptions& options, const PhotoTags* photo = nullptr);

void writeImageFile(const std::filesystem::path& path, const Image& image, OutputFormat format,
                    const JpegOptions& options = {}, const PhotoTags* photo = nullptr);

// The metadata a file of photo gets with options: nullptr when none.
[[nodiscard]] const PhotoMetadata* keptMetadata(const PhotoTags* photo, const JpegOptions& options);
// True when the file of photo is tagged with the sRGB profile.
[[nodiscard]] inline bool carriesProfile(const PhotoTags* photo) {
  return photo && !photo->iccProfile.empty();
}

}  // namespace lumabord
