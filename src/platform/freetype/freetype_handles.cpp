// Opening FreeType objects with errors turned into messages.
#include "platform/freetype/freetype_handles.h"

#include <mutex>

#include "base/error.h"

namespace lumabord {
namespace {

std::mutex& facesLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

void closeFtFace(FT_Face face) {
  const std::lock_guard hold(facesLock());
  FT_Done_Face(face);
}

FtLibrary openFtLibrary() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) fail("The font engine cannot be started");
  return FtLibrary(library);
}

FtFace openFtFace(FT_Library library, const std::string& file, int index) {
  FT_Face face = nullptr;
  std::unique_lock hold(facesLock());
  const FT_Error error = FT_New_Face(library, file.c_str(), index, &face);
  hold.unlock();
  if (error != 0) {
    fail("Cannot open font file %s", file.c_str());
  }
  FtFace owned(face);
  if (!FT_IS_SCALABLE(face)) fail("The font file %s holds no scalable face", file.c_str());
  return owned;
}

}  // namespace lumabord
