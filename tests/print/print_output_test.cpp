// lumabord-cli print as a user runs it: the PDF of every position and of another paper, and
// a real job through a CUPS scheduler of the test's own, each page rasterised and measured.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "codecs/image_writers.h"
#include "print/page_geometry.h"
#include "support/pdf_page.h"
#include "support/private_cups.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::TempDir;

constexpr Rgb kMagenta{255, 0, 255};

// A photo with a gradient, framed with the stored (default) design.
fs::path writePhoto(const TempDir& dir) {
  Image photo(240, 180);
  for (int y = 0; y < photo.height(); ++y) {
    for (int x = 0; x < photo.width(); ++x) {
      photo.setPixel(x, y, {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 90});
    }
  }
  const fs::path path = dir / "photo.bmp";
  writeImageFile(path, photo, OutputFormat::Bmp, {});
  return path;
}

ProgramRun printCli(const TempDir& dir, std::vector<std::string> args,
                    testing::Environment environment = {}) {
  args.insert(args.begin(), {LUMABORD_BINARY_DIR "/lumabord-cli", "print"});
  environment.emplace_back("LUMABORD_REGISTRY", (dir / "registry.reg").string());
  environment.emplace_back("LUMABORD_HOME", "");
  return testing::runProgram(args, environment);
}

TEST(PrintCli, PdfOfEveryPositionAndAnotherPaper) {
  const TempDir dir;
  const fs::path photo = writePhoto(dir);
  struct Case {
    const char* position;
    ImagePosition value;
    std::vector<std::string> paper;
    PageSetup setup;
  };
  const PageSetup letter;
  const std::vector<Case> cases = {
      {"top-left", ImagePosition::TopLeft, {}, letter},
      {"top", ImagePosition::Top, {}, letter},
      {"top-right", ImagePosition::TopRight, {}, letter},
      {"right", ImagePosition::Right, {}, letter},
      {"bottom-right", ImagePosition::BottomRight, {}, letter},
      {"bottom", ImagePosition::Bottom, {}, letter},
      {"bottom-left", ImagePosition::BottomLeft, {}, letter},
      {"left", ImagePosition::Left, {}, letter},
      {"center", ImagePosition::Center, {}, letter},
      {"top-right",
       ImagePosition::TopRight,
       {"--paper", "a4", "--margins", "1.333"},
       {8268, 11693, 1333, 1333, 1333, 1333}},
  };
  for (const Case& c : cases) {
    const fs::path pdf = dir / (std::string(c.position) + ".pdf");
    std::vector<std::string> args = {photo.string(), "--pdf",         pdf.string(), "--position",
                                     c.position,     "--box",         "400x300",    "--background",
                                     "$00FF00FF",    "--drop-shadow", "none"};
    args.insert(args.end(), c.paper.begin(), c.paper.end());
    const ProgramRun run = printCli(dir, args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(testing::pageMismatch(pdf, c.setup, c.value, kMagenta), "") << c.position;
  }
}

TEST(PrintCli, CompatiblePrintingSendsThePageDrawnAtTheScreensResolution) {
  const TempDir dir;
  const fs::path photo = writePhoto(dir);
  const auto printed = [&](const std::string& name, std::vector<std::string> extra) {
    const fs::path pdf = dir / name;
    std::vector<std::string> args = {photo.string(), "--pdf",         pdf.string(),
                                     "--box",        "400x300",       "--background",
                                     "$00FF00FF",    "--drop-shadow", "none"};
    args.insert(args.end(), extra.begin(), extra.end());
    EXPECT_EQ(printCli(dir, args).status, 0);
    return pdf;
  };
  const fs::path fast = printed("fast.pdf", {});
  const fs::path compatible = printed("compatible.pdf", {"--compatible", "--dpi", "72"});
  // The whole Letter page at 72 pixels per inch is one 612 x 792 picture.
  const testing::PdfFacts facts = testing::readPdfFacts(compatible);
  EXPECT_EQ(facts.images, 1);
  EXPECT_EQ(facts.imageWidth, 612);
  EXPECT_EQ(facts.imageHeight, 792);
  // At 72 pixels per inch the picture is 96/72 as large as at the default 96: placed as the
  // geometry says, within the two pixels that drawing at 72 and stretching may blur.
  const Image sheet = testing::rasterisePdf(compatible, 100);
  const PageGeometry page = pageGeometry(PageSetup{}, 1200, 1200);
  const testing::PdfFacts fastFacts = testing::readPdfFacts(fast);
  const PageRect expected =
      placeImage(page, fastFacts.imageWidth, fastFacts.imageHeight, 72, ImagePosition::Center);
  // The page travels as a JPEG picture: its colours are near, its edges with the white
  // margins soft, so the search keeps off those edges and allows for the compression.
  const PageRect& area = page.printable;
  const PageRect inner{area.left + 4, area.top + 4, area.right - 4, area.bottom - 4};
  const PageRect box = testing::boxOfOthers(sheet, inner, kMagenta, 48);
  EXPECT_NEAR(box.left, expected.left, 2);
  EXPECT_NEAR(box.top, expected.top, 2);
  EXPECT_NEAR(box.right, expected.right, 2);
  EXPECT_NEAR(box.bottom, expected.bottom, 2);
}

TEST(PrintCli, BadCommandLinesAndMissingDestinations) {
  const TempDir dir;
  const fs::path photo = writePhoto(dir);
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string firstLine;
  };
  const std::vector<Case> cases = {
      {{photo.string()},
       2,
       "lumabord-cli print: name one destination: --pdf OUT.pdf or --printer NAME"},
      {{photo.string(), "--pdf", "a.pdf", "--paper", "b5"},
       2,
       "lumabord-cli print: --paper is letter, a4, legal, a3 or a5, not 'b5'"},
      {{photo.string(), "--pdf", "a.pdf", "--margins", "-1"},
       2,
       "lumabord-cli print: --margins is a number of inches from 0 to 100, not '-1'"},
      {{photo.string(), "--pdf", "a.pdf", "--position", "middle"},
       2,
       "lumabord-cli print: --position names one of the nine places, not 'middle'"},
      {{photo.string(), "--pdf", "a.pdf", "--dpi", "0"},
       2,
       "lumabord-cli print: --dpi must be from 1 to 600, not 0"},
      {{photo.string(), "--pdf", "a.pdf", "--out", "x"},
       2,
       "lumabord-cli print: --out is not an option of print"},
      {{photo.string(), photo.string(), "--pdf", "a.pdf"},
       2,
       "lumabord-cli print: name exactly one photo to print"},
      {{photo.string(), "--pdf", (dir / "no/such/folder/a.pdf").string()},
       1,
       "Cannot create file " + (dir / "no/such/folder/a.pdf").string()},
      {{(dir / "missing.jpg").string(), "--pdf", (dir / "a.pdf").string()},
       1,
       "Cannot open file " + (dir / "missing.jpg").string()},
  };
  for (const Case& c : cases) {
    const ProgramRun run = printCli(dir, c.args);
    EXPECT_EQ(run.status, c.status) << c.firstLine;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.firstLine);
  }
  EXPECT_FALSE(fs::exists(dir / "a.pdf"));
}

TEST(PrintCli, RealJobThroughPrivateCups) {
  const testing::PrivateCups cups;
  if (!cups.skipReason().empty()) GTEST_SKIP() << cups.skipReason();
  const TempDir dir;
  const fs::path photo = writePhoto(dir);
  const testing::Environment environment = {{"CUPS_SERVER", cups.server()}};
  const ProgramRun run =
      printCli(dir,
               {photo.string(), "--printer", testing::PrivateCups::kQueue, "--position", "bottom",
                "--box", "400x300", "--background", "$00FF00FF", "--drop-shadow", "none"},
               environment);
  ASSERT_EQ(run.status, 0) << run.err;
  const auto title = cups.waitForJob(1, std::chrono::seconds(60));
  ASSERT_TRUE(title) << cups.errorLog();
  EXPECT_EQ(*title, "Lumabord Template");
  EXPECT_EQ(testing::pageMismatch(cups.jobFile(), PageSetup{}, ImagePosition::Bottom, kMagenta),
            "");

  const ProgramRun missing = printCli(dir, {photo.string(), "--printer", "nope"}, environment);
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "There is no printer named \"nope\"\n");
}

}  // namespace
}  // namespace lumabord
