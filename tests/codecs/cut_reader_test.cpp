// Dr. Halo reader: run-length rows, the palette file beside the picture, grey without it.
#include "codecs/format_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

using namespace cut_files;


TEST(CutReader, GreyWithoutPaletteFile) {
  EXPECT_EQ(pixelsOf(decodeAs(cutFile(), "cut")),
            (std::vector<Rgb>{{7, 7, 7}, {7, 7, 7}, {7, 7, 7}, {200, 200, 200}, {1, 1, 1}, {2, 2, 2}, {0, 0, 0}, {0, 0, 0}}));
}

TEST(CutReader, PaletteFileBesideThePictureAcrossBlocks) {
  TempDir dir;
  const auto picture = dir.write("halo.cut", cutFile());
  dir.write("halo.pal", paletteFile(256));
  const Image image = loadPicture(picture);
  // round(v * 255 / 1000): index 7 -> (21, 979, 500) -> (5, 250, 128).
  EXPECT_EQ(image.pixel(0, 0), (Rgb{5, 250, 128}));
  // Index 200 lies in the third block: (600, 400, 500) -> (153, 102, 128).
  EXPECT_EQ(image.pixel(3, 0), (Rgb{153, 102, 128}));
  EXPECT_EQ(image.pixel(1, 1), (Rgb{2, 253, 128}));

  dir.write("halo.pal", Bytes{'X', 'Y', 0, 0});
  try {
    (void)loadPicture(picture);
    ADD_FAILURE() << "a broken palette file decoded";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot load image. Palette in CUT file is invalid.");
  }
}

TEST(CutReader, RefusesShortData) {
  Bytes cut = cutFile();
  cut.resize(cut.size() - 3);
  EXPECT_EQ(decodeError(cut, "cut"), "Stream read error in CUT file.");
  EXPECT_EQ(decodeError({0, 0, 0, 1, 0, 0}, "cut"),
            "Cannot load image test.cut: the CUT file declares an empty or negative size (0 x 256)");
  EXPECT_EQ(decodeError({1, 0, 0, 100, 0, 0, 1, 0, 0}, "cut"),
            "Cannot load image test.cut: the CUT file declares a picture of at least 76800 bytes "
            "but holds only 3");
}

}  // namespace
}  // namespace lumabord::testing
