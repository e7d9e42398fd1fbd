// lumabord-cli convert, resize and fit run as a process: output files, printed sizes,
// exit statuses and messages.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>

#include "base/file_io.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "compose/resample.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

using testing::TempDir;

struct CliRun {
  int status = -1;
  std::string out, err;
};

std::string quoted(const std::string& text) {
  std::string q = "'";
  for (const char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

CliRun cli(const std::vector<std::string>& args) {
  const TempDir streams;
  std::string command = quoted(LUMABORD_BINARY_DIR "/lumabord-cli");
  for (const auto& a : args) command += " " + quoted(a);
  command += " >" + quoted((streams / "out").string()) + " 2>" + quoted((streams / "err").string());
  const int raw = std::system(command.c_str());
  CliRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = testing::readText(streams / "out");
  run.err = testing::readText(streams / "err");
  return run;
}

Image pattern(int w, int h) {
  Image image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y,
                     Rgb{static_cast<uint8_t>(x * 37 + y), static_cast<uint8_t>(y * 11),
                         static_cast<uint8_t>((x ^ y) * 5)});
  return image;
}

TEST(CliFit, PrintsTheFittedSize) {
  const struct {
    std::vector<std::string> args;
    std::string printed;
  } cases[] = {
      {{"4000", "3000", "800", "600"}, "800 600\n"}, {{"800", "600", "800", "600"}, "800 600\n"},
      {{"3000", "4000", "800", "600"}, "450 600\n"}, {{"3000", "2000", "800", "600"}, "800 533\n"},
      {{"2000", "3000", "800", "600"}, "400 600\n"}, {{"1000", "700", "800", "600"}, "800 560\n"},
      {{"640", "480", "800", "600"}, "640 480\n"},   {{"100", "0", "800", "600"}, "100 0\n"},
      {{"1000", "10", "800", "1"}, "100 1\n"}};
  for (const auto& c : cases) {
    std::vector<std::string> args = {"fit"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = cli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.printed) << c.args[0] << " " << c.args[1];
  }
}

TEST(CliFit, UsageErrorsExitWithTwo) {
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"fit"},
                                             {"fit", "1", "2", "3"},
                                             {"fit", "1", "2", "3", "4", "5"},
                                             {"fit", "1", "x", "3", "4"},
                                             {"fit", "1", "2", "-3", "4"},
                                             {"fit", "1", "2", "3", "4", "--box", "1x1"}}) {
    const CliRun run = cli(args);
    EXPECT_EQ(run.status, 2) << args.size();
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("usage: lumabord-cli fit W H MAXW MAXH"), std::string::npos) << run.err;
  }
}

TEST(CliConvert, WritesEachFormatByItsExtension) {
  TempDir dir;
  const Image image = pattern(37, 21);
  WriteBmpFile(dir / "in.bmp", image);
  const auto written = [&](OutputFormat format, const JpegOptions& options) {
    writeImageFile(dir / "expected", image, format, options);
    return readFile(dir / "expected");
  };
  const struct {
    std::vector<std::string> extra;
    std::string out;
    std::vector<uint8_t> expected;
  } cases[] = {{{}, "a.jpg", encodeJpeg(image, {80, true, true})},
               {{"--quality", "50", "--baseline"}, "b.JPEG", encodeJpeg(image, {50, false, true})},
               {{"--quality=1"}, "c.jpeg", encodeJpeg(image, {1, true, true})},
               {{}, "d.tif", {}},
               {{}, "e.TIFF", {}},
               {{}, "f.bmp", readFile(dir / "in.bmp")},
               {{}, "g.PNG", written(OutputFormat::Png, {})},
               {{"--quality", "60"}, "h.webp", written(OutputFormat::Webp, {60, true, true, false})},
               {{"--lossless"}, "i.webp", written(OutputFormat::Webp, {80, true, true, true})}};
  WriteTiffFile(dir / "expected.tif", image);
  for (const auto& c : cases) {
    std::vector<std::string> args = {"convert", (dir / "in.bmp").string(), (dir / c.out).string()};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const CliRun run = cli(args);
    ASSERT_EQ(run.status, 0) << c.out << ": " << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    const auto expected = c.expected.empty() ? readFile(dir / "expected.tif") : c.expected;
    EXPECT_EQ(readFile(dir / c.out), expected) << c.out;
  }
}

TEST(CliConvert, FailuresGiveTheMessageAndKeepTheTarget) {
  TempDir dir;
  WriteBmpFile(dir / "in.bmp", pattern(8, 8));
  const auto target = dir.write("out.jpg", std::string("keep me"));

  const CliRun missing = cli({"convert", (dir / "none.bmp").string(), target.string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "Cannot open file " + (dir / "none.bmp").string() + "\n");

  const auto broken = dir.write("broken.bmp", std::string("BM not really a bitmap"));
  const CliRun bad = cli({"convert", broken.string(), target.string()});
  EXPECT_EQ(bad.status, 1);
  EXPECT_FALSE(bad.err.empty());

  const auto nowhere = dir / "no folder" / "out.tif";
  const CliRun unwritable = cli({"convert", (dir / "in.bmp").string(), nowhere.string()});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "Cannot create file " + nowhere.string() + "\n");

  EXPECT_EQ(testing::readText(target), "keep me");
  EXPECT_FALSE(std::filesystem::exists(dir / "no folder"));
}

TEST(CliConvert, UsageErrorsExitWithTwo) {
  TempDir dir;
  WriteBmpFile(dir / "in.bmp", pattern(4, 4));
  const std::string in = (dir / "in.bmp").string(), out = (dir / "out.jpg").string();
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"convert"},
                                             {"convert", in},
                                             {"convert", in, out, out},
                                             {"convert", in, (dir / "out.gif").string()},
                                             {"convert", in, (dir / "out").string()},
                                             {"convert", in, out, "--quality", "0"},
                                             {"convert", in, out, "--quality", "101"},
                                             {"convert", in, out, "--quality", "high"},
                                             {"convert", in, out, "--quality"},
                                             {"convert", in, out, "--progressive"}}) {
    const CliRun run = cli(args);
    EXPECT_EQ(run.status, 2) << args.back();
    EXPECT_NE(run.err.find("usage: lumabord-cli convert"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "out.jpg"));
  EXPECT_FALSE(std::filesystem::exists(dir / "out.gif"));
}

TEST(CliResize, FitsResamplesAndWrites) {
  TempDir dir;
  const Image image = pattern(40, 30);
  WriteBmpFile(dir / "in.bmp", image);
  const struct {
    std::string box;
    int w, h;
  } cases[] = {{"20x20", 20, 15},    // fitted by the width
               {"100x9", 12, 9},     // by the height
               {"800x600", 40, 30},  // never enlarged: the source itself
               {"0x0", 2, 2},        // a zero box is a 1 x 1 box, carried out as 2 x 2
               {"1X100", 2, 2}};
  for (const auto& c : cases) {
    const CliRun run =
        cli({"resize", (dir / "in.bmp").string(), (dir / "out.bmp").string(), "--box", c.box});
    ASSERT_EQ(run.status, 0) << c.box << ": " << run.err;
    const Image written = loadPicture(dir / "out.bmp");
    ASSERT_EQ(written.width(), c.w) << c.box;
    ASSERT_EQ(written.height(), c.h) << c.box;
    Image expected;
    ResizeImage(image, expected, c.w == 2 ? 1 : c.w, c.h == 2 ? 1 : c.h);
    EXPECT_TRUE(written == expected) << c.box;
  }
  const CliRun same =
      cli({"resize", (dir / "in.bmp").string(), (dir / "same.bmp").string(), "--box", "40x30"});
  ASSERT_EQ(same.status, 0);
  EXPECT_EQ(readFile(dir / "same.bmp"), readFile(dir / "in.bmp"));
}

TEST(CliResize, AThinPictureKeepsAtLeastOneRow) {
  TempDir dir;
  WriteBmpFile(dir / "thin.bmp", pattern(1000, 2));
  const CliRun run = cli({"resize", (dir / "thin.bmp").string(), (dir / "out.jpg").string(),
                          "--box=100x100", "--baseline", "--quality", "90"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Image written = loadPicture(dir / "out.jpg");
  EXPECT_EQ(written.width(), 100);
  EXPECT_EQ(written.height(), 2);
}

TEST(CliResize, UsageErrorsExitWithTwo) {
  TempDir dir;
  WriteBmpFile(dir / "in.bmp", pattern(4, 4));
  const std::string in = (dir / "in.bmp").string(), out = (dir / "out.bmp").string();
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"resize", in, out},
           {"resize", in, out, "--box", "20"},
           {"resize", in, out, "--box", "-2x5"},
           {"resize", in, "--box", "2x5"},
           {"resize", in, (dir / "out.gif").string(), "--box", "2x5"}}) {
    const CliRun run = cli(args);
    EXPECT_EQ(run.status, 2) << args.back();
    EXPECT_NE(run.err.find("usage: lumabord-cli resize"), std::string::npos) << run.err;
  }
  const CliRun missing = cli({"resize", (dir / "gone.bmp").string(), out, "--box", "2x2"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "Cannot open file " + (dir / "gone.bmp").string() + "\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

// The "--name" words of a text, in order of first appearance.
std::set<std::string> optionNames(const std::string& text) {
  std::set<std::string> names;
  static const std::regex option("--[a-z][a-z-]*");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
       it != std::sregex_iterator(); ++it) {
    names.insert(it->str());
  }
  return names;
}

TEST(CliHelp, EveryCommandExplainsEveryOptionOfItsSynopsis) {
  const CliRun overview = cli({"--help"});
  ASSERT_EQ(overview.status, 0);
  const std::string list = overview.out.substr(overview.out.find("Commands:\n"));
  std::istringstream lines(list.substr(0, list.find("\n\n")));
  std::string line;
  std::getline(lines, line);
  int commands = 0;
  while (std::getline(lines, line)) {
    const std::string name = line.substr(2, line.find(' ', 2) - 2);
    // --help anywhere after the command shows its help, even among other arguments.
    const CliRun help = cli({name, "photo.jpg", "--help"});
    ASSERT_EQ(help.status, 0) << name;
    const std::string synopsis = help.out.substr(0, help.out.find('\n'));
    ASSERT_EQ(synopsis.rfind("Usage: lumabord-cli " + name, 0), 0u) << help.out;
    std::string explained;
    std::istringstream helpLines(help.out);
    while (std::getline(helpLines, line)) {
      if (line.rfind("  --", 0) == 0) explained += line.substr(0, line.find("  ", 4)) + "\n";
    }
    EXPECT_EQ(optionNames(explained), optionNames(synopsis)) << name;
    ++commands;
  }
  EXPECT_GE(commands, 5);
}

TEST(CliHelp, VersionAndMisuse) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out, errStart;
  } cases[] = {
      {{"--version"}, 0, "lumabord-cli 2.1.1\n", ""},
      {{}, 2, "", "usage:\n"},
      {{"frobnicate"}, 2, "", "lumabord-cli: unknown command 'frobnicate'\n"},
      {{"fit", "--bogus"}, 2, "", "lumabord-cli fit: unknown option --bogus\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = cli(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err.rfind(c.errStart, 0), 0u) << run.err;
  }
}

}  // namespace
}  // namespace lumabord
