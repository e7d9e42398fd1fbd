// The program folder and the small files beside the program: "filetypes.ini", the photo
// extensions of the command line, the glyph cache folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumabord {

// The open dialog's filter when there is no "filetypes.ini": every extension the command
// line queues, so that the dialog shows what the program takes.
inline constexpr std::string_view kBuiltInPhotoFilter =
    "All Images (*.jpg;*.jpeg;*.tif;*.tiff;*.bmp;*.png;*.heic;*.heif;*.avif;*.webp;*.jxl)|"
    "*.jpg;*.jpeg;*.tif;*.tiff;*.bmp;*.png;*.heic;*.heif;*.avif;*.webp;*.jxl|"
    "JPEG Image (*.jpg;*.jpeg)|*.jpg;*.jpeg|TIFF Image (*.tif;*.tiff)|*.tif;*.tiff|"
    "BMP Image (*.bmp)|*.bmp|PNG Image (*.png)|*.png|"
    "HEIF Image (*.heic;*.heif;*.avif)|*.heic;*.heif;*.avif|WebP Image (*.webp)|*.webp|"
    "JPEG XL Image (*.jxl)|*.jxl";

// $LUMABORD_HOME when set (tests, portable installs), else the folder of programFile, else
// the folder of /proc/self/exe.
[[nodiscard]] std::filesystem::path programFolder(const std::filesystem::path& programFile = {});

// The filter of appPath / "filetypes.ini": every line followed by "|"; nullopt when the file
// does not exist or cannot be read.
[[nodiscard]] std::optional<std::string> readFileTypesFilter(const std::filesystem::path& appPath);

// True when the extension of the file name (from its last ".", case ignored) is .JPG, .JPEG,
// .TIF, .TIFF, .BMP, .PNG, .HEIC, .HEIF, .AVIF, .WEBP or .JXL. Nothing looks at the file
// itself.
[[nodiscard]] bool hasPhotoExtension(std::string_view argument);

// Creates appPath / "FontCache3D" with its missing parents and returns it. Failure to
// create it is not an error: the glyph cache then only lives in memory.
std::filesystem::path makeFontCacheFolder(const std::filesystem::path& appPath);

}  // namespace lumabord
