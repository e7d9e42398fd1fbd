// Dr. Halo reader: run-length rows, the palette file beside the picture, grey without it.
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

// 4 x 2: row 0 a run of three 7s and a literal 200; row 1 literals 1, 2 then the end.
Bytes cutFile() {
  Bytes b;
  putU16le(b, 4);
  putU16le(b, 2);
  putU16le(b, 0);
  const Bytes rows[2] = {{0x83, 7, 0x01, 200, 0}, {0x02, 1, 2, 0}};
  for (const Bytes& row : rows) {
    putU16le(b, static_cast<unsigned>(row.size()));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

Bytes paletteFile(unsigned count) {
  Bytes b = {'A', 'H'};
  putU16le(b, 0xE3);
  putU16le(b, 0);
  putU8(b, 'P');
  putU8(b, 0);
  putU16le(b, 0);
  putU16le(b, 0);
  putU16le(b, count - 1);
  for (int i = 0; i < 3; ++i) putU16le(b, 1000);  // components run 0..1000
  putZeros(b, 20);
  for (unsigned i = 0; i < count; ++i) {
    // 78 triples fill the first block (40 + 468 bytes); the 4 bytes left are padding.
    if (b.size() % 512 + 6 > 512) putZeros(b, 512 - b.size() % 512);
    putU16le(b, i * 3);
    putU16le(b, 1000 - i * 3);
    putU16le(b, 500);
  }
  return b;
}

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
