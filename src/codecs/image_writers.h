// The output writers (JPEG, TIFF, BMP, PNG, WebP) and the choice between them by format key.
// Every writer goes through AtomicFile: a failed write leaves any existing file intact.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/image.h"

namespace lumabord {

struct JpegOptions {
  int quality = 80;  // 1..100
  bool progressive = true;
  bool smoothing = true;  // display hint only; the encoded bytes do not depend on it
  bool lossless = false;  // WebP: lossless; otherwise lossy at `quality`
  friend bool operator==(const JpegOptions&, const JpegOptions&) = default;
};

enum class OutputFormat { Jpeg, Tiff, Bmp, Png, Webp };

// "jpg"/"jpeg" -> Jpeg, "tif"/"tiff" -> Tiff, "bmp" -> Bmp, "png" -> Png, "webp" -> Webp
// (case ignored, no dot).
[[nodiscard]] std::optional<OutputFormat> outputFormatFromExtension(std::string extension);
// The format key used for output names: "jpg", "tif", "bmp", "png" or "webp".
[[nodiscard]] const char* formatKey(OutputFormat format);

// The complete JPEG file in memory. Throws Error("JPEG error #%d") for the library's errors
// (an empty image is one of them).
[[nodiscard]] std::vector<uint8_t> encodeJpeg(const Image& image, const JpegOptions& options);

// Each writer creates or replaces path; "Cannot create file %s" when it cannot.
void WriteJpegFile(const std::filesystem::path& path, const Image& image,
                   const JpegOptions& options);
void WriteTiffFile(const std::filesystem::path& path, const Image& image);
void WriteBmpFile(const std::filesystem::path& path, const Image& image);
void WritePngFile(const std::filesystem::path& path, const Image& image);
// Lossy at options.quality, or lossless with options.lossless.
void WriteWebpFile(const std::filesystem::path& path, const Image& image,
                   const JpegOptions& options);

void writeImageFile(const std::filesystem::path& path, const Image& image, OutputFormat format,
                    const JpegOptions& options = {});

}  // namespace lumabord
