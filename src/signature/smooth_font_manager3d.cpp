// The glyph cache component.
#include "signature/smooth_font_manager3d.h"

#include <string>

#include "base/error.h"

namespace lumabord {

TSmoothFontManager3D::TSmoothFontManager3D(SmoothText3D& renderer) : renderer_(renderer) {
  settings().useDiskCache = true;
}

TSmoothFontManager3D::~TSmoothFontManager3D() {
  try {
    renderer_.cache().writeAtExit();
  } catch (const Error&) {
    // Nothing is lost but time: the rows are rendered again at the next run.
  }
}

void TSmoothFontManager3D::FillMemoryCacheChar(const FontRecord& font, TFont3D& font3d,
                                               uint8_t code) {
  renderer_.prepare(font, font3d, std::string(1, static_cast<char>(code)));
}

void TSmoothFontManager3D::FillMemoryCacheString(const FontRecord& font, TFont3D& font3d,
                                                 std::string_view text) {
  renderer_.prepare(font, font3d, text);
}

void TSmoothFontManager3D::FillMemoryCacheAlphaNumeric(const FontRecord& font, TFont3D& font3d) {
  std::string codes;
  for (int code = 32; code <= 122; ++code) codes += static_cast<char>(code);
  renderer_.prepare(font, font3d, codes);
}

void TSmoothFontManager3D::WriteMemoryCacheToDiskCache() { renderer_.cache().writeAllToDisk(); }

}  // namespace lumabord
