// The mask BMP reader: both accepted header forms, its two messages and damaged files.
#include <gtest/gtest.h>

#include "base/error.h"
#include "compose/bevel_mask.h"
#include "render_fixtures.h"

namespace lumabord {
namespace {

using testing::maskBmp;
using testing::MaskBmpOptions;

std::string readFailure(const std::vector<uint8_t>& bytes) {
  try {
    (void)readBevelMask(bytes);
  } catch (const Error& e) {
    return e.what();
  }
  return "no failure";
}

TEST(BevelMaskReader, ReadsBothHeaderFormsBottomUpWithPaddingAndIgnoresPaletteAndOffset) {
  // 5 wide: each row carries 3 padding bytes; values equal to their index, top row first.
  BevelMask mask{5, 3, {}};
  for (uint8_t v = 0; v < 15; ++v) mask.values.push_back(static_cast<uint8_t>(v * 17));
  for (const MaskBmpOptions& options : {MaskBmpOptions{}, MaskBmpOptions{12},
                                        MaskBmpOptions{40, 8, 3}, MaskBmpOptions{40, 8, 256}}) {
    const BevelMask read = readBevelMask(maskBmp(mask, options));
    EXPECT_EQ(read.width, 5);
    EXPECT_EQ(read.height, 3);
    EXPECT_EQ(read.values, mask.values)
        << "header " << options.headerSize << ", colours used " << options.coloursUsed;
  }
  // Bytes 0..2 of the first row in the file are the bottom row of the mask.
  const std::vector<uint8_t> bytes = maskBmp(mask);
  EXPECT_EQ(bytes.size(), 14u + 40u + 1024u + 3u * 8u);
  EXPECT_EQ(bytes[14 + 40 + 1024], 10 * 17);
}

TEST(BevelMaskReader, HeaderSizeZeroGivesAnEmptyMask) {
  std::vector<uint8_t> bytes(18, 0);
  EXPECT_TRUE(readBevelMask(bytes).empty());
}

TEST(BevelMaskReader, ExactMessagesForOtherHeadersAndDepths) {
  const BevelMask mask = testing::flatMask(3, 3, 128);
  for (uint32_t size : {1u, 16u, 64u, 108u, 124u}) {
    EXPECT_EQ(readFailure(maskBmp(mask, {size})), "Invalid stream format!") << size;
  }
  for (uint32_t header : {12u, 40u}) {
    for (uint32_t bits : {1u, 4u, 16u, 24u, 32u}) {
      EXPECT_EQ(readFailure(maskBmp(mask, {header, bits})),
                "Channels support 256-colors bitmaps only!")
          << header << " " << bits;
    }
  }
}

TEST(BevelMaskReader, DamagedFilesFailWithACauseInsteadOfReadingPastTheEnd) {
  const std::vector<uint8_t> good = maskBmp(testing::flatMask(7, 5, 200));
  for (size_t cut :
       {size_t{0}, size_t{10}, size_t{17}, size_t{30}, size_t{54 + 1000}, good.size() - 1}) {
    const std::vector<uint8_t> shorter(good.begin(), good.begin() + static_cast<ptrdiff_t>(cut));
    EXPECT_NE(readFailure(shorter).find("truncated"), std::string::npos) << cut;
  }
  // A top-down (negative height) bitmap and sizes beyond the pixel limit, checked before
  // anything is allocated.
  std::vector<uint8_t> negative = good;
  negative[22] = 0xFB;
  negative[23] = negative[24] = negative[25] = 0xFF;
  EXPECT_EQ(readFailure(negative), "The mask size 7 x -5 is not valid");
  std::vector<uint8_t> huge = good;
  huge[18] = huge[19] = 0xFF;
  huge[20] = 0x0F;  // 1 048 575 wide
  huge[22] = 0x00;
  huge[23] = 0x10;  // 4096 high
  EXPECT_EQ(readFailure(huge),
            "A mask of 1048575 x 4096 pixels is beyond the limit of 268435456 pixels");
}

TEST(BevelMaskReader, MissingFileNamesIt) {
  try {
    (void)loadBevelMask("/nonexistent/mask.bmp");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/mask.bmp");
  }
}

}  // namespace
}  // namespace lumabord
