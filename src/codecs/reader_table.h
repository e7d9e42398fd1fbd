// The parts of the reader table that the photo loader shares with the picture loader.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "base/file_io.h"
#include "codecs/picture_source.h"

namespace lumabord {

// The extension of a path without its dot ("" for none, also for "photo.").
[[nodiscard]] std::string extensionOf(const std::filesystem::path& path);

// The reader for the extension, or for the content when there is none; throws the loader's
// messages for an unknown extension or unrecognised content.
[[nodiscard]] PictureReader chooseReader(std::span<const uint8_t> bytes, std::string_view extension,
                                         const std::string& name);

// The bytes of a picture file; the extension decides before the file is touched, so an
// unknown one is refused as such.
[[nodiscard]] FileBytes readPictureFile(const std::filesystem::path& path,
                                        std::string_view extension);

}  // namespace lumabord
