// Integer text, rounding rules, image limits and atomic writes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/error.h"
#include "base/file_io.h"
#include "base/image.h"
#include "base/int_text.h"
#include "base/rounding.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

TEST(IntegerText, DecimalAndBothHexForms) {
  EXPECT_EQ(parseInteger("12"), 12);
  EXPECT_EQ(parseInteger("-4"), -4);
  EXPECT_EQ(parseInteger("  7"), 7);
  EXPECT_EQ(parseInteger("$FF"), 255);
  EXPECT_EQ(parseInteger("0x1f"), 31);
  EXPECT_EQ(parseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(parseInteger("2147483647"), 2147483647);
  EXPECT_EQ(parseInteger("-2147483648"), INT32_MIN);
}

TEST(IntegerText, RefusesMalformedText) {
  for (const char* text : {"", "$", "0x", "12a", "1.5", "abc", "2147483648", "$100000000", "7 "}) {
    EXPECT_FALSE(parseInteger(text).has_value()) << text;
  }
}

TEST(Rounding, HalvesToEvenAndMulDivAwayFromZero) {
  EXPECT_EQ(roundHalfEven(10.5), 10);
  EXPECT_EQ(roundHalfEven(11.5), 12);
  EXPECT_EQ(roundHalfEven(29.0 / 3), 10);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(mulDiv(1, 5, 2), 3);    // 2.5 -> 3
  EXPECT_EQ(mulDiv(-1, 5, 2), -3);  // -2.5 -> -3
  EXPECT_EQ(mulDiv(1, -255, 8), -32);
  EXPECT_EQ(mulDiv(3, 100, 7), 43);
}

TEST(ImageType, RefusesSizesBeyondTheLimit) {
  EXPECT_THROW(Image(-1, 5), Error);
  EXPECT_THROW(Image(1 << 15, 1 << 14), Error);  // 2^29 pixels
  Image image(3, 2, Rgb{1, 2, 3});
  EXPECT_EQ(image.pixel(2, 1), (Rgb{1, 2, 3}));
  EXPECT_EQ(image.row(1)[0], 3);  // blue first
}

TEST(AtomicWrite, ReplacesTargetOnlyOnCommit) {
  testing::TempDir dir;
  const auto target = dir.write("out.txt", "old");
  {
    AtomicFile file(target);
    file.write(std::string("new but abandoned"));
  }
  EXPECT_EQ(testing::readText(target), "old");
  writeFileAtomic(target, std::string("new"));
  EXPECT_EQ(testing::readText(target), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicWrite, UnwritableFolderGivesCreateMessage) {
  try {
    writeFileAtomic("/nonexistent-folder/x.bmp", std::string("x"));
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot create file /nonexistent-folder/x.bmp");
  }
}

TEST(ReadFile, MissingFileMessage) {
  try {
    (void)readFile("/nonexistent/photo.jpg");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/photo.jpg");
  }
}

}  // namespace
}  // namespace lumabord
