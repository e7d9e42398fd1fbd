// Default styles, written in the program's own style file form so they read back exactly.
#include "assets/styles.h"

#include <string>

#include "assets/picture.h"
#include "compose/style_file.h"

namespace lumabord::assets {
namespace {

struct Surface {
  ColorValue colour;
  std::string texture;  // "" for a colour surface
};

struct Style {
  const char* name;
  Surface frame;
  const char* profile;
  const char* shadow;  // "" for none
  Surface outer;
  int left, top, right, bottom;
  Surface inner;
  int innerWidth;
};

ChoiceList single(const std::string& entry) {
  return {{entry}, 0};
}

// The colour-option surfaces keep a texture name for the drop-downs, as a window would.
DesignControls controlsFor(const Style& s) {
  const std::string anyTexture = "Matte\\linen.png";
  DesignControls c;
  c.cboFrame = single(s.name);
  c.cboFrameMask = single(s.profile);
  c.cboShadow = {{"<none>"}, 0};
  if (*s.shadow) c.cboShadow = {{"<none>", s.shadow}, 1};
  c.cboFrameColor = s.frame.colour;
  c.cboFrameTexture = single(s.frame.texture.empty() ? anyTexture : s.frame.texture);
  c.rdoFrame2 = !s.frame.texture.empty();
  c.cboOuterMatteColor = s.outer.colour;
  c.cboOuterMatteTexture = single(s.outer.texture.empty() ? anyTexture : s.outer.texture);
  c.rdoOuterMatte2 = !s.outer.texture.empty();
  c.txtLeft = s.left;
  c.txtTop = s.top;
  c.txtRight = s.right;
  c.txtBottom = s.bottom;
  c.cboInnerColor = s.inner.colour;
  c.cboInnerTexture = single(s.inner.texture.empty() ? anyTexture : s.inner.texture);
  c.rdoInnerMatte2 = !s.inner.texture.empty();
  c.txtInnerWidth = s.innerWidth;
  return c;
}

}  // namespace

void writeStyles(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  // clang-format off
  const Style styles[] = {
      {"Classic Oak", {0x2F4F6F, "Wood\\oak.jpg"}, "Rounded Raised", "medium", {0xE4EEF4, ""}, 150, 150, 150, 170, {0x2A3A4A, ""}, 14},
      {"Gallery Black", {0x141414, "Wood\\ebony.jpg"}, "Flat", "soft", {0xFFFFFF, ""}, 200, 200, 200, 200, {0xFFFFFF, ""}, 0},
      {"Museum White", {0xF2F4F4, "Painted\\white.jpg"}, "Stepped Gallery", "soft", {0xF6F8F8, "Matte\\cotton rag.jpg"}, 260, 260, 260, 300, {0xFFFFFF, ""}, 0},
      {"Gold Leaf", {0x40B0D8, "Metal\\gold leaf.jpg"}, "Scoop", "medium", {0xD8E4EA, "Matte\\linen.png"}, 160, 160, 160, 160, {0x28205A, ""}, 18},
      {"Walnut Double Mat", {0x203048, "Wood\\walnut.jpg"}, "Cliff Edge", "medium", {0xE8EEF0, "Matte\\cotton rag.jpg"}, 150, 150, 150, 150, {0x304830, ""}, 26},
      {"Silver Modern", {0xC8C4C0, "Metal\\brushed silver.jpg"}, "Drop Shadow", "hard", {0x303030, ""}, 120, 120, 120, 120, {0xFFFFFF, ""}, 10},
      {"Rustic Driftwood", {0x8C9CAA, "Wood\\driftwood.jpg"}, "Rounded Lowered", "soft", {0xD0DCE4, "Matte\\canvas.png"}, 140, 140, 140, 140, {0x566470, "Matte\\suede.jpg"}, 16},
      {"Linen Float", {0x244070, "Wood\\cherry.jpg"}, "Bead", "medium", {0xCCDCE4, "Matte\\linen.png"}, 170, 170, 170, 170, {0xFFFFFF, ""}, 0},
      {"Marble Gallery", {0xE6E8EC, "marble.jpg"}, "Rounded Raised", "soft", {0x282828, "Matte\\suede.jpg"}, 130, 130, 130, 130, {0xF0F0F0, ""}, 12},
      {"Natural Maple", {0x90C8E0, "Wood\\maple.jpg"}, "Bead and Flat", "soft", {0xF6F8F8, "Matte\\cotton rag.jpg"}, 180, 180, 180, 200, {0xFFFFFF, ""}, 0},
      {"Cherry Ogee", {0x284878, "Wood\\cherry.jpg"}, "Ogee", "medium", {0xE8EEF0, "Matte\\cotton rag.jpg"}, 160, 160, 160, 180, {0x1E2A5A, ""}, 12},
      {"Antique Gold Linen Liner", {0x3890B8, "Metal\\antique gold.jpg"}, "Ogee", "medium", {0xC8D8E0, "Matte\\linen.png"}, 90, 90, 90, 90, {0xE0ECF0, "Matte\\cotton rag.jpg"}, 140},
      {"Silver Leaf Cove", {0xC8C8C8, "Metal\\silver leaf.jpg"}, "Cove", "medium", {0x707478, "Matte\\suede.jpg"}, 150, 150, 150, 150, {0xF0F4F4, ""}, 14},
      {"Barn Wood", {0x707880, "Wood\\barn wood.jpg"}, "Flat", "soft", {0xD4E0E6, "Matte\\canvas.png"}, 150, 150, 150, 150, {0x28303A, ""}, 10},
      {"Black Floater", {0x1E1E1E, "Painted\\black satin.jpg"}, "Floater", "soft", {0x101010, ""}, 0, 0, 0, 0, {0x101010, ""}, 0},
      {"Metal Thin Edge", {0x32302E, "Metal\\black anodised.jpg"}, "Metal Edge", "hard", {0xF6F8F8, "Matte\\cotton rag.jpg"}, 220, 220, 220, 220, {0xFFFFFF, ""}, 0},
      {"Bronze Metal Black Core", {0x426080, "Metal\\bronze anodised.jpg"}, "Metal Edge", "hard", {0xF0F4F4, "Matte\\cotton rag.jpg"}, 180, 180, 180, 180, {0x222222, "Matte\\black core.jpg"}, 10},
      {"Distressed White Cottage", {0xD2DEE2, "Painted\\distressed white.jpg"}, "Rounded Lowered", "soft", {0xE8EEF0, "Matte\\linen.png"}, 150, 150, 150, 150, {0xFFFFFF, ""}, 0},
      {"Sage Painted Bead", {0x8AA296, "Painted\\distressed sage.jpg"}, "Bead", "medium", {0xE8EEF0, "Matte\\cotton rag.jpg"}, 150, 150, 150, 170, {0x5A6E64, ""}, 12},
      {"Deep Walnut Gallery", {0x203048, "Wood\\walnut.jpg"}, "Reverse Slope", "deep", {0xF6F8F8, "Matte\\cotton rag.jpg"}, 200, 200, 200, 200, {0x111111, "Matte\\black core.jpg"}, 8},
  };
  // clang-format on
  for (const Style& s : styles) {
    writeText(folder / (std::string(s.name) + ".txt"), StyleFileText(controlsFor(s)));
  }
}

}  // namespace lumabord::assets
