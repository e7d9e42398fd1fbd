// SGI image reader: verbatim and run-length files, channel counts, 16-bit samples.
#include "codecs/format_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

using namespace sgi_files;


TEST(SgiReader, GreyAndRgbVerbatimAndRunLength) {
  for (bool rle : {false, true}) {
    const Image grey = decodeAs(sgiFile(rle, false, 3, 2, 1), "bw");
    EXPECT_EQ(grey.pixel(2, 1), (Rgb{195, 195, 195}));  // (100 + 90 + 5) % 256
    expectMatchesMagick(sgiFile(rle, false, 3, 2, 1), "sgi", "sgi");

    const Image rgb = decodeAs(sgiFile(rle, false, 3, 2, 3), "rgb");
    for (unsigned y = 0; y < 2; ++y)
      for (unsigned x = 0; x < 3; ++x)
        EXPECT_EQ(rgb.pixel(x, y), (Rgb{static_cast<uint8_t>(sample(x, y, 0, false)),
                                        static_cast<uint8_t>(sample(x, y, 1, false)),
                                        static_cast<uint8_t>(sample(x, y, 2, false))}));
    expectMatchesMagick(sgiFile(rle, false, 3, 2, 3), "sgi", "sgi");
  }
}

TEST(SgiReader, SixteenBitsAndAlphaOverWhite) {
  for (bool rle : {false, true}) {
    const Bytes wide = sgiFile(rle, true, 4, 3, 3);
    // 16-bit samples scale by 255 / 65535 rounded: v * 257 + x rounds back to v.
    EXPECT_EQ(decodeAs(wide, "sgi").pixel(3, 2).g, sample(3, 2, 1, false));
    expectMatchesMagick(wide, "sgi", "sgi");
  }
  const Image rgba = decodeAs(sgiFile(false, false, 2, 2, 4), "rgba");
  // Pixel (1, 0): colour (55, 125, 195) with alpha 9 over white, (c * 9 + 255 * 246 + 127) / 255.
  EXPECT_EQ(rgba.pixel(1, 0), (Rgb{248, 250, 253}));
  expectMatchesMagick(sgiFile(false, false, 2, 2, 4), "sgi", "sgi", 1);
  // Two channels are grey and alpha (ImageMagick drops that alpha, so no comparison):
  // pixel (0, 0) is grey 5 with alpha 75, (5 * 75 + 255 * 180 + 127) / 255 = 181.
  EXPECT_EQ(decodeAs(sgiFile(true, false, 5, 2, 2), "sgi").pixel(0, 0), (Rgb{181, 181, 181}));
}

TEST(SgiReader, RefusesBadHeadersAndShortData) {
  Bytes bad = sgiFile(false, false, 2, 2, 1);
  bad[0] = 0;
  EXPECT_EQ(decodeError(bad, "sgi"), "Cannot load image. Invalid or unexpected SGI image format.");
  EXPECT_EQ(decodeError(sgiHeader(false, false, 3, 2, 2, 0), "sgi"), "Invalid color format in SGI file.");
  Bytes mapped = sgiHeader(false, false, 2, 1, 1, 1);
  mapped[107] = 3;
  EXPECT_EQ(decodeError(mapped, "sgi"), "Invalid color format in SGI file.");
  EXPECT_EQ(decodeError(sgiHeader(false, true, 3, 100, 100, 3), "sgi"),
            "Cannot load image test.sgi: the SGI file declares a picture of at least 60000 bytes "
            "but holds only 0");
  EXPECT_EQ(decodeError(sgiHeader(true, false, 2, 0, 1, 1), "sgi"),
            "Cannot load image test.sgi: the SGI file declares an empty or negative size (0 x 1)");
  // A row offset beyond the end of the file.
  Bytes rle = sgiFile(true, false, 3, 1, 1);
  rle[512] = 0x7F;
  EXPECT_EQ(decodeError(rle, "sgi"), "Stream read error in SGI file.");
  EXPECT_EQ(decodeError({1, 0xDA}, "sgi"), "Stream read error in SGI file.");
}

}  // namespace
}  // namespace lumabord::testing
