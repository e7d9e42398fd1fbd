// Alias/Wavefront reader: row table, signed-count runs, grey and RGB, matte over white.
#include "codecs/format_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

using namespace rla_files;


TEST(RlaReader, RgbGreyAndMatte) {
  const Image rgb = decodeAs(rlaFile(4, 3, 3, 0), "rla");
  for (unsigned y = 0; y < 3; ++y)
    for (unsigned x = 0; x < 4; ++x)
      EXPECT_EQ(rgb.pixel(x, y), (Rgb{static_cast<uint8_t>(sample(x, y, 0)), static_cast<uint8_t>(sample(x, y, 1)),
                                      static_cast<uint8_t>(sample(x, y, 2))}));
  EXPECT_EQ(decodeAs(rlaFile(2, 2, 1, 0), "rpf").pixel(1, 1), (Rgb{113, 113, 113}));  // 40 + 70 + 3
  // Pixel (0, 0): colour (3, 93, 183), matte 17, over white: (c * 17 + 255 * 238 + 127) / 255.
  EXPECT_EQ(decodeAs(rlaFile(2, 2, 3, 1), "rla").pixel(0, 0), (Rgb{238, 244, 250}));
}

TEST(RlaReader, RefusesBadHeadersAndShortData) {
  Bytes two = rlaFile(2, 2, 2, 0);
  EXPECT_EQ(decodeError(two, "rla"), "Invalid color format in RLA file.");
  Bytes deep = rlaFile(2, 2, 3, 0);
  deep[659] = 16;
  EXPECT_EQ(decodeError(deep, "rla"), "Invalid color format in RLA file.");
  Bytes empty = rlaFile(2, 2, 3, 0);
  empty[11] = 5;  // active right before left
  empty[9] = 0xFF;
  EXPECT_EQ(decodeError(empty, "rla"),
            "Cannot load image test.rla: the RLA file declares an empty or negative size (-249 x 2)");
  Bytes cut = rlaFile(2, 2, 3, 0);
  cut.resize(760);
  EXPECT_EQ(decodeError(cut, "rla"), "Stream read error in RLA file.");
  Bytes big = rlaFile(2, 2, 3, 0);
  big[14] = 0x7F;  // active top 0x7F01: 32514 rows of 10 bytes at least
  EXPECT_EQ(decodeError(big, "rla"),
            "Cannot load image test.rla: the RLA file declares a picture of at least 325140 bytes "
            "but holds only 44");
}


}  // namespace
}  // namespace lumabord::testing
