// Photoshop reader: the composite image of each colour mode, 8 and 16 bits, PackBits rows.
#include "codecs/format_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

using namespace psd_files;


TEST(PsdReader, RgbRawAndPackBitsMatch) {
  PsdSpec s;
  s.rows = {{10, 20, 30}, {40, 40, 40}, {0, 128, 255}, {1, 1, 1}, {200, 7, 7}, {9, 8, 7}};
  for (bool packBits : {false, true}) {
    s.packBits = packBits;
    const Image image = decodeAs(psdFile(s), "psd");
    EXPECT_EQ(pixelsOf(image), (std::vector<Rgb>{{10, 0, 200}, {20, 128, 7}, {30, 255, 7},
                                                 {40, 1, 9}, {40, 1, 8}, {40, 1, 7}}));
    expectMatchesMagick(psdFile(s), "psd", "psd");
  }
}

TEST(PsdReader, GreyDuotoneBitmapIndexedAndCmyk) {
  PsdSpec grey;
  grey.mode = 1;
  grey.channels = 2;  // the extra (alpha) channel is not drawn
  grey.depth = 16;
  grey.rows = {{0xFF, 0xFF, 0x80, 0x00, 0x00, 0x7F}, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC},
               {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}};
  grey.packBits = true;
  // 0x8000 -> 128, 0x007F -> 0, 0x5678 -> 86.
  const Image g = decodeAs(psdFile(grey), "pdd");
  EXPECT_EQ(g.pixel(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(g.pixel(1, 0), (Rgb{128, 128, 128}));
  EXPECT_EQ(g.pixel(2, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(g.pixel(1, 1), (Rgb{86, 86, 86}));

  PsdSpec duotone = grey;
  duotone.mode = 8;
  duotone.colourData = Bytes(10, 1);  // the ink description is not used
  EXPECT_EQ(decodeAs(psdFile(duotone), "psd"), decodeAs(psdFile(grey), "psd"));

  PsdSpec bitmap;
  bitmap.mode = 0;
  bitmap.channels = 1;
  bitmap.depth = 1;
  bitmap.rows = {{0b10100000}, {0b01000000}};
  EXPECT_EQ(pixelsOf(decodeAs(psdFile(bitmap), "psd")),
            (std::vector<Rgb>{{0, 0, 0}, {255, 255, 255}, {0, 0, 0}, {255, 255, 255}, {0, 0, 0}, {255, 255, 255}}));
  expectMatchesMagick(psdFile(bitmap), "psd", "psd");

  PsdSpec indexed;
  indexed.mode = 2;
  indexed.channels = 1;
  indexed.colourData.resize(768);
  for (unsigned i = 0; i < 256; ++i) {
    indexed.colourData[i] = static_cast<uint8_t>(i);
    indexed.colourData[256 + i] = static_cast<uint8_t>(255 - i);
    indexed.colourData[512 + i] = static_cast<uint8_t>(i / 3);
  }
  indexed.rows = {{0, 5, 255}, {100, 100, 100}};
  EXPECT_EQ(decodeAs(psdFile(indexed), "psd").pixel(1, 0), (Rgb{5, 250, 1}));
  EXPECT_EQ(decodeAs(psdFile(indexed), "psd").pixel(2, 1), (Rgb{100, 155, 33}));

  PsdSpec cmyk;
  cmyk.mode = 4;
  cmyk.channels = 4;
  cmyk.width = 2;
  cmyk.height = 1;
  cmyk.rows = {{255, 0}, {128, 255}, {0, 255}, {255, 100}};
  // Inverted samples: R = C' * K' / 255 rounded.
  EXPECT_EQ(pixelsOf(decodeAs(psdFile(cmyk), "psd")), (std::vector<Rgb>{{255, 128, 0}, {0, 100, 100}}));
}

TEST(PsdReader, RefusesBadHeadersAndShortData) {
  PsdSpec s;
  s.rows = {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}};
  Bytes bad = psdFile(s);
  bad[0] = '9';
  EXPECT_EQ(decodeError(bad, "psd"), "Cannot load image. Invalid or unexpected PSD image format.");
  Bytes lab = psdFile(s);
  lab[25] = 9;
  EXPECT_EQ(decodeError(lab, "psd"), "Invalid color format in PSD file.");
  Bytes zip = psdFile(s);
  zip[26 + 4 + 16 + 4 + 1] = 2;
  EXPECT_EQ(decodeError(zip, "psd"), "Cannot load image. The compression scheme is not supported for PSD files.");
  PsdSpec huge = s;
  huge.width = 3000;
  EXPECT_EQ(decodeError(psdFile(huge), "psd"),
            "Cannot load image test.psd: the PSD file declares a picture of at least 18000 bytes "
            "but holds only 18");
  PsdSpec indexed = s;
  indexed.mode = 2;
  indexed.channels = 1;
  EXPECT_EQ(decodeError(psdFile(indexed), "psd"), "Cannot load image. Palette in PSD file is invalid.");
  Bytes cut = psdFile(s);
  cut.resize(30);
  EXPECT_EQ(decodeError(cut, "psd"), "Stream read error in PSD file.");
  // A PackBits row whose count runs past the end of the file.
  s.packBits = true;
  Bytes packed = psdFile(s);
  packed[26 + 4 + 16 + 4 + 2] = 0x7F;
  EXPECT_EQ(decodeError(packed, "psd"), "Stream read error in PSD file.");
}

}  // namespace
}  // namespace lumabord::testing
