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
// Faces open and close under one lock: the library they share may be used from several
// threads (pictures decoded in the background draw metafile text too).
void closeFtFace(FT_Face face);
struct FtFaceDeleter {
  void operator()(FT_Face face) const { closeFtFace(face); }
};

using FtLibrary = std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter>;
using FtFace = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;

// Throws Error when FreeType cannot start.
[[nodiscard]] FtLibrary openFtLibrary();
// Throws Error naming the file when it is no usable face.
[[nodiscard]] FtFace openFtFace(FT_Library library, const std::string& file, int index);

}  // namespace lumabord
