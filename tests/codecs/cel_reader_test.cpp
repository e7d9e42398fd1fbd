// Autodesk Animator picture reader: palette widening, pixels, bad headers.
#include "codecs/format_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

using namespace cel_files;


TEST(CelReader, SixBitPaletteWidensRounded) {
  const Bytes file = celFile(3, 2, {0, 1, 63, 64, 200, 255});
  // 6-bit components widen as round(v * 255 / 63): 1 -> 4, 8 -> 32, 50 -> 202.
  EXPECT_EQ(pixelsOf(decodeAs(file, "cel")),
            (std::vector<Rgb>{{0, 255, 0}, {4, 251, 0}, {255, 0, 61}, {0, 255, 65}, {32, 223, 202}, {255, 0, 255}}));
  EXPECT_EQ(decodeAs(file, "PIC"), decodeAs(file, "cel"));
}

TEST(CelReader, RefusesBadHeadersAndShortData) {
  Bytes bad = celFile(1, 1, {0});
  bad[0] = 0x12;
  EXPECT_EQ(decodeError(bad, "cel"), "Cannot load image. Invalid or unexpected CEL image format.");
  EXPECT_EQ(decodeError(celFile(1, 1, {0}, 4), "cel"), "Invalid color format in CEL file.");
  EXPECT_EQ(decodeError(celFile(1, 1, {0}, 8, 1), "cel"),
            "Cannot load image. The compression scheme is not supported for CEL files.");
  EXPECT_EQ(decodeError(celFile(100, 10, {1, 2}), "cel"),
            "Cannot load image test.cel: the CEL file declares a picture of at least 1768 bytes "
            "but holds only 770");
  EXPECT_EQ(decodeError({0x19, 0x91, 1}, "cel"), "Stream read error in CEL file.");
}

}  // namespace
}  // namespace lumabord::testing
