// A batch whose signature text names variables signs every photo with that photo's values:
// each file is byte for byte the file a signature typed with those values gives.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>

#include "codecs/image_writers.h"
#include "compose/asset_library.h"
#include "compose/design_controls.h"
#include "compose/style_file.h"
#include "fakes.h"
#include "output/batch_output.h"
#include "output/frame_engine.h"
#include "signature/signature.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;
using testing::FakeProgress;
using testing::TempDir;

const fs::path kAppPath = LUMABORD_BINARY_DIR;

// Sets the file's modification time to noon of 1 June of year, local time.
void touch(const fs::path& path, int year) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = 5;
  local.tm_mday = 1;
  local.tm_hour = 12;
  local.tm_isdst = -1;
  const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
  fs::last_write_time(path, std::chrono::file_clock::from_sys(when));
}

// The first bundled style.
FrameSpec bundledStyle() {
  DesignControls c;
  FillShadowList(c, kAppPath);
  FillTextureLists(c, kAppPath);
  FillStyleList(c, kAppPath, 0);
  FillMaskList(c, kAppPath);
  c.cboFrame.selected = 0;
  ReadStyle(c, kAppPath);
  return snapshot(c, DesignSettings{});
}

// Frames photos with a signature of text (8-bit codes) into destination as BMP files.
void frameWithSignature(const std::string& text, const std::vector<fs::path>& photos,
                        const fs::path& destination) {
  SignatureLettering lettering;
  lettering.text = text;
  lettering.font.name = "DejaVu Sans";
  lettering.font.setSize(28);
  lettering.font3d = signatureDefaultDesign();
  Signature signature;
  signature.setLettering(lettering);
  FrameSpec spec = bundledStyle();
  spec.SignatureOn = true;
  spec.SigDrawOn = 0;
  spec.OutputWidth = spec.OutputHeight = 400;
  StandardFrameEngine engine(kAppPath, &signature);
  Image workPhoto;
  JpegOptions jpeg;
  BatchOutput batch({photos, workPhoto, jpeg, [&spec] { return spec; }}, engine);
  FakeProgress progress;
  batch.WriteFramedFiles(destination, OutputFormat::Bmp, progress);
}

TEST(SignatureVariablesBatch, EachPhotoIsSignedWithItsOwnNameAndYear) {
  TempDir dir;
  Image photo(160, 120);
  for (int y = 0; y < photo.height(); ++y) {
    for (int x = 0; x < photo.width(); ++x) {
      photo.setPixel(x, y, Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 90});
    }
  }
  // The same pixels under two names and dates: only the signature tells them apart.
  const fs::path first = dir / "first.bmp";
  const fs::path second = dir / "second.bmp";
  WriteBmpFile(first, photo);
  WriteBmpFile(second, photo);
  touch(first, 2019);
  touch(second, 2021);

  fs::create_directories(dir / "batch");
  frameWithSignature("\xA9 {file} {year}", {first, second}, dir / "batch");
  frameWithSignature("\xA9 first 2019", {first}, dir / "first-typed.bmp");
  frameWithSignature("\xA9 second 2021", {second}, dir / "second-typed.bmp");

  const std::string signedFirst = testing::readText(dir / "batch" / "first.bmp");
  const std::string signedSecond = testing::readText(dir / "batch" / "second.bmp");
  EXPECT_NE(signedFirst, signedSecond);
  EXPECT_EQ(signedFirst, testing::readText(dir / "first-typed.bmp"));
  EXPECT_EQ(signedSecond, testing::readText(dir / "second-typed.bmp"));
}

}  // namespace
}  // namespace lumabord
