// The default asset set the build generates beside the programs: every style names assets
// that the lists hold and the renderer can load, and every mask is one the renderer accepts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "compose/asset_library.h"
#include "compose/bevel_mask.h"
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
  EXPECT_GE(c.cboFrame.entries.size(), 8u);
  EXPECT_GE(c.cboFrameTexture.entries.size(), 10u);
  EXPECT_GE(c.cboFrameMask.entries.size(), 8u);
  EXPECT_EQ(c.cboShadow.entries.size(), 4u);  // "<none>", soft, medium, hard
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
  }
}

TEST(DefaultAssets, MasksAreOddSizedWithBandsInsideThem) {
  const DesignControls c = filledFromDefaults();
  for (const char* designName :
       {"Rounded Raised", "Rounded Lowered", "Drop Shadow", "Cliff Edge", "Flat"}) {
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

}  // namespace
}  // namespace lumabord
