// The default asset set the build generates beside the programs: every style names assets
// that the lists hold and the renderer can load, and every mask is one the renderer accepts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/picture_loader.h"
#include "compose/asset_library.h"
#include "compose/bevel_mask.h"
#include "compose/compose_frame.h"
#include "compose/design_controls.h"
#include "compose/ini_file.h"
#include "compose/profile_ini.h"
#include "compose/style_file.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;

const fs::path kAppPath = LUMABORD_BINARY_DIR;

DesignControls filledFromDefaults() {
  DesignControls c;
  FillShadowList(c, kAppPath);
  FillTextureLists(c, kAppPath);
  FillStyleList(c, kAppPath, 0);
  FillMaskList(c, kAppPath);
  return c;
}

TEST(DefaultAssets, EveryStyleReadsBackToWhatItNamesAndRewritesIdentically) {
  ASSERT_TRUE(fs::is_directory(kAppPath / "Image Styles"))
      << "the default assets are missing: build the target lumabord_default_assets";
  DesignControls c = filledFromDefaults();
  EXPECT_GE(c.cboFrame.entries.size(), 16u);
  EXPECT_GE(c.cboFrameTexture.entries.size(), 20u);
  EXPECT_GE(c.cboFrameMask.entries.size(), 12u);
  EXPECT_EQ(c.cboShadow.entries.size(), 5u);  // "<none>", soft, medium, hard, deep
  for (size_t i = 0; i < c.cboFrame.entries.size(); ++i) {
    c.cboFrame.selected = static_cast<int>(i);
    const std::string name = c.cboFrame.text();
    SCOPED_TRACE(name);
    const fs::path file = kAppPath / "Image Styles" / (name + ".txt");
    ReadStyle(c, kAppPath);
    // Each name was found, not replaced by entry 0.
    const IniFile ini = IniFile::load(file);
    EXPECT_EQ(c.cboFrameMask.text(), baseNameWithoutExtension(ini.readString("FRAME0", "MASK")));
    EXPECT_EQ(c.cboFrameTexture.text(), ini.readString("FRAME0", "TEXTURE"));
    EXPECT_EQ(c.cboOuterMatteTexture.text(), ini.readString("OUTERMATTE0", "TEXTURE"));
    EXPECT_EQ(c.cboInnerTexture.text(), ini.readString("INNERMATTE0", "TEXTURE"));
    const std::string shadow = ini.readString("FRAME0", "DROPSHADOW");
    EXPECT_EQ(c.cboShadow.text(), shadow.empty() ? "<none>" : baseNameWithoutExtension(shadow));
    // The renderer finds the profile directly in the mask folder.
    EXPECT_TRUE(fs::exists(kAppPath / "Image Masks" / (c.cboFrameMask.text() + ".bmp")));
    // Writing the design read back gives the very same bytes.
    EXPECT_EQ(StyleFileText(c), testing::readText(file));
    // It renders: a frame band of the profile's size around the mats, shaded, not flat.
    const FrameSpec spec = snapshot(c, DesignSettings{});
    Image photo(300, 200, Rgb{90, 120, 160});
    Image framed;
    ComposeFrame(spec, photo, false, {kAppPath}, framed);
    const ProfileWidths band =
        readProfileWidths(kAppPath / "Image Masks" / (c.cboFrameMask.text() + ".ini"));
    int s = 0, d = 0;  // the drop shadow's growth and offset
    if (!spec.DropShadow.empty()) {
      const int ws = loadBevelMask(kAppPath / "Shadows" / (spec.DropShadow + ".bmp")).width;
      s = static_cast<int>(std::nearbyint(ws / 2.0));
      d = static_cast<int>(std::nearbyint(ws / 6.0));
    }
    const int mats = 2 * spec.InnerWidth + spec.OuterLeft + spec.OuterRight;
    EXPECT_EQ(framed.width(), 300 + mats + 2 * band.width + s);
    int darkest = 255 * 3, lightest = 0;
    for (int y = d; y < d + band.height; ++y) {
      const Rgb p = framed.pixel(framed.width() / 2, y);
      darkest = std::min(darkest, p.r + p.g + p.b);
      lightest = std::max(lightest, p.r + p.g + p.b);
    }
    EXPECT_GE(lightest - darkest, 60);
  }
}

TEST(DefaultAssets, MasksAreOddSizedWithBandsInsideThem) {
  const DesignControls c = filledFromDefaults();
  for (const char* designName :
       {"Rounded Raised", "Rounded Lowered", "Drop Shadow", "Cliff Edge", "Flat", "Ogee", "Cove",
        "Scoop", "Bead and Flat", "Reverse Slope", "Stepped Gallery", "Floater", "Metal Edge"}) {
    EXPECT_NE(std::find(c.cboFrameMask.entries.begin(), c.cboFrameMask.entries.end(), designName),
              c.cboFrameMask.entries.end())
        << designName;
  }
  for (const fs::path& file : ScanFiles({kAppPath / "Image Masks" / "*.bmp"}, true)) {
    SCOPED_TRACE(file.string());
    const BevelMask mask = loadBevelMask(file);
    EXPECT_EQ(mask.width % 2, 1);
    EXPECT_EQ(mask.height % 2, 1);
    fs::path ini = file;
    const ProfileWidths band = readProfileWidths(ini.replace_extension(".ini"));
    EXPECT_GT(band.width, 0);
    EXPECT_GT(band.height, 0);
    // The renderer stretches the middle row and column: the band must lie outside them.
    EXPECT_LT(2 * band.width, mask.width);
    EXPECT_LT(2 * band.height, mask.height);
    // Across each rail the shading spans light and shade (a flat band reads as print).
    const int mid = mask.width / 2;
    int lowest = 255, highest = 0;
    for (int y = 0; y < band.height; ++y) {
      lowest = std::min<int>(lowest, mask.at(mid, y));
      highest = std::max<int>(highest, mask.at(mid, y));
    }
    EXPECT_GE(highest - lowest, 60);
    EXPECT_LT(lowest, 100);
    EXPECT_GT(highest, 140);
  }
  std::vector<fs::path> others = ScanFiles({kAppPath / "Shadows" / "*.bmp"}, false);
  others.push_back(kAppPath / "Image Edges" / "outermattelowered.bmp");
  for (const fs::path& file : others) {
    SCOPED_TRACE(file.string());
    const BevelMask mask = loadBevelMask(file);
    EXPECT_EQ(mask.width % 2, 1);
    EXPECT_EQ(mask.height % 2, 1);
  }
}

TEST(DefaultAssets, TexturesTileWithoutSeams) {
  // Where copies meet, neighbouring rows (columns) differ no more than the most different
  // neighbouring rows (columns) inside the picture.
  const std::vector<fs::path> files = ScanFiles(
      {kAppPath / "Image Textures" / "*.jpg", kAppPath / "Image Textures" / "*.png"}, true);
  ASSERT_GE(files.size(), 20u);
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    const Image texture = loadPicture(file);
    const int w = texture.width(), h = texture.height();
    const auto step = [&](int x0, int y0, int x1, int y1) {
      const Rgb a = texture.pixel(x0, y0), b = texture.pixel(x1, y1);
      return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
    };
    const auto rows = [&](int y0, int y1) {
      long sum = 0;
      for (int x = 0; x < w; ++x) sum += step(x, y0, x, y1);
      return sum;
    };
    const auto columns = [&](int x0, int x1) {
      long sum = 0;
      for (int y = 0; y < h; ++y) sum += step(x0, y, x1, y);
      return sum;
    };
    long rowsInside = 0, columnsInside = 0;
    for (int y = 0; y + 1 < h; ++y) rowsInside = std::max(rowsInside, rows(y, y + 1));
    for (int x = 0; x + 1 < w; ++x) columnsInside = std::max(columnsInside, columns(x, x + 1));
    EXPECT_LE(rows(h - 1, 0), rowsInside);
    EXPECT_LE(columns(w - 1, 0), columnsInside);
  }
}

}  // namespace
}  // namespace lumabord
