// RAII owners of the FreeType library and face objects.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>

namespace lumabord {

struct FtLibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FtFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

using FtLibrary = std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter>;
using FtFace = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;

// Throws Error when FreeType cannot start.
[[nodiscard]] FtLibrary openFtLibrary();
// Throws Error naming the file when it is no usable face.
[[nodiscard]] FtFace openFtFace(FT_Library library, const std::string& file, int index);

}  // namespace lumabord
