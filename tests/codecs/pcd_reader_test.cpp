// Photo-CD reader: the base image's layout, the YCC arithmetic and the recorded rotation.
#include "codecs/format_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

using namespace pcd_files;


TEST(PcdReader, BaseImageYccArithmetic) {
  const Image image = decodeAs(pcdFile(0), "pcd");
  ASSERT_EQ(image.width(), 768);
  ASSERT_EQ(image.height(), 512);
  // Neutral chroma: grey 1.3584 * Y; Y = 0 -> 0, pixel (1, 1) has Y 0 too, (3, 0) has 1.
  EXPECT_EQ(image.pixel(0, 0), (Rgb{0, 0, 0}));
  // Pixel (300, 100): Y = 100 + 25 = 125; its chroma, column 150 of row pair 50, is
  // C1 = 250, C2 = 400 & 255 = 144. L = 169.80, B' = 2.2179 * 94 = 208.48,
  // R' = 1.8215 * 7 = 12.75: R = 182.55 -> 183, G = 169.80 - 40.45 - 6.49 = 122.86 -> 123,
  // B = 378.28 -> 255.
  EXPECT_EQ(image.pixel(300, 100), (Rgb{183, 123, 255}));
  EXPECT_EQ(image.pixel(301, 101), image.pixel(300, 100));  // same luma and block
}

TEST(PcdReader, RecordedRotationTurnsThePicture) {
  const Image upright = decodeAs(pcdFile(0), "pcd");
  const Image clockwise = decodeAs(pcdFile(1), "pcd");
  ASSERT_EQ(clockwise.width(), 512);
  ASSERT_EQ(clockwise.height(), 768);
  EXPECT_EQ(clockwise.pixel(100, 767 - 300), upright.pixel(300, 100));
  const Image flipped = decodeAs(pcdFile(2), "pcd");
  EXPECT_EQ(flipped.pixel(767 - 300, 511 - 100), upright.pixel(300, 100));
  const Image counter = decodeAs(pcdFile(3), "pcd");
  EXPECT_EQ(counter.pixel(511 - 100, 300), upright.pixel(300, 100));
}

TEST(PcdReader, RefusesOtherFilesAndShortData) {
  Bytes file = pcdFile(0);
  file.resize(0x30000 + 1000);
  EXPECT_EQ(decodeError(file, "pcd"),
            "Cannot load image test.pcd: the PCD file declares a picture of at least 786432 bytes "
            "but holds only 197608");
  file[0x800] = 'X';
  EXPECT_EQ(decodeError(file, "pcd"), "Cannot load image. Invalid or unexpected PCD image format.");
  EXPECT_EQ(decodeError({1, 2}, "pcd"), "Cannot load image. Invalid or unexpected PCD image format.");
}

}  // namespace
}  // namespace lumabord::testing
