// The INI reader's profile rules and the frame profile descriptions built on it.
#include "compose/ini_file.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "compose/profile_ini.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

using testing::TempDir;

TEST(IniFile, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed) {
  const IniFile ini = IniFile::parse(
      "\xEF\xBB\xBF[Frame0]\r\n"
      "  Color =  clWhite  \r\n"
      "MASK=a=b.bmp\r\n"
      "; COMMENT=1\r\n"
      "no equals sign\r\n"
      "EMPTY=\r\n"
      "color=second\r\n"
      "\r\n"
      "[ other ]\n"
      "key=\tv\t\n"
      "[FRAME0]\n"
      "LATE=1\n");
  EXPECT_EQ(ini.readString("FRAME0", "COLOR"), "clWhite");
  EXPECT_EQ(ini.readString("frame0", "color"), "clWhite");  // the first key of a name wins
  EXPECT_EQ(ini.readString("FRAME0", "MASK"), "a=b.bmp");   // after the first "="
  EXPECT_EQ(ini.readString("FRAME0", "COMMENT"), "");
  EXPECT_EQ(ini.readString("FRAME0", "EMPTY"), "");
  EXPECT_EQ(ini.readString("OTHER", "KEY"), "v");
  EXPECT_EQ(ini.readString("FRAME0", "LATE"), "");  // only the first section of a name counts
  EXPECT_EQ(ini.readString("MISSING", "KEY"), "");
  // Keys before any section belong to none.
  EXPECT_EQ(IniFile::parse("KEY=1\n[S]\n").readString("S", "KEY"), "");
}

TEST(IniFile, IntegersDecimalOrHexMalformedAndMissingGiveZero) {
  const IniFile ini = IniFile::parse(
      "[N]\nDEC=24\nNEG=-7\nPLUS=+5\nDOLLAR=$1F\nHEX=0x1f\nHEXUP=0X20\nALLF=$FFFFFFFF\n"
      "JUNK=12abc\nFLOAT=1.5\nBARE$=$\nBAREX=0x\nWIDE=99999999999\nHEXWIDE=$100000000\n"
      "BLANK=\nWORD=ten\nMAX=2147483647\nMIN=-2147483648\nOVER=2147483648\n");
  EXPECT_EQ(ini.readInteger("N", "DEC"), 24);
  EXPECT_EQ(ini.readInteger("n", "dec"), 24);
  EXPECT_EQ(ini.readInteger("N", "NEG"), -7);
  EXPECT_EQ(ini.readInteger("N", "PLUS"), 5);
  EXPECT_EQ(ini.readInteger("N", "DOLLAR"), 31);
  EXPECT_EQ(ini.readInteger("N", "HEX"), 31);
  EXPECT_EQ(ini.readInteger("N", "HEXUP"), 32);
  EXPECT_EQ(ini.readInteger("N", "ALLF"), -1);
  EXPECT_EQ(ini.readInteger("N", "MAX"), 2147483647);
  EXPECT_EQ(ini.readInteger("N", "MIN"), -2147483647 - 1);
  for (const char* malformed :
       {"JUNK", "FLOAT", "BARE$", "BAREX", "WIDE", "HEXWIDE", "BLANK", "WORD", "OVER", "NONE"}) {
    EXPECT_EQ(ini.readInteger("N", malformed), 0) << malformed;
  }
  EXPECT_EQ(ini.readInteger("ABSENT", "DEC"), 0);
}

TEST(ProfileIni, WidthAndHeightFromRadius) {
  const TempDir dir;
  EXPECT_EQ(readProfileWidths(dir / "missing.ini").width, 0);
  EXPECT_EQ(readProfileWidths(dir / "missing.ini").height, 0);

  // WIDTH without HEIGHT: a band at the sides only.
  ProfileWidths p = readProfileWidths(dir.write("a.ini", "[RADIUS]\r\nWIDTH=24\r\n"));
  EXPECT_EQ(p.width, 24);
  EXPECT_EQ(p.height, 0);

  p = readProfileWidths(dir.write("b.ini", "[radius]\nwidth = $40\nHeight=0x10\n"));
  EXPECT_EQ(p.width, 64);
  EXPECT_EQ(p.height, 16);

  p = readProfileWidths(dir.write("c.ini", "[OTHER]\nWIDTH=5\n[RADIUS]\nWIDTH=9px\nHEIGHT=7\n"));
  EXPECT_EQ(p.width, 0);
  EXPECT_EQ(p.height, 7);

  // A folder or binary rubbish in place of the file reads as nothing.
  std::filesystem::create_directories(dir / "d.ini");
  EXPECT_EQ(readProfileWidths(dir / "d.ini").width, 0);
  p = readProfileWidths(dir.write("e.ini", std::string("\0\xFF[RADIUS\nWIDTH=3\n", 18)));
  EXPECT_EQ(p.width, 0);
  EXPECT_EQ(p.height, 0);
}

TEST(IniFile, RefusesFilesTooLargeToBeSettings) {
  const TempDir dir;
  const std::filesystem::path huge = dir.write("huge.ini", "[RADIUS]\nWIDTH=5\n");
  std::filesystem::resize_file(huge, IniFile::kMaxBytes);  // at the limit: read
  EXPECT_EQ(readProfileWidths(huge).width, 5);
  std::filesystem::resize_file(huge, 3u << 20);  // sparse, so cheap to make
  try {
    (void)IniFile::load(huge);
    FAIL() << "a 3 MiB file was read";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), huge.string() +
                                         " is 3145728 bytes long; a profile or style file is at "
                                         "most 1048576 bytes, so it was not read");
  }
}

}  // namespace
}  // namespace lumabord
