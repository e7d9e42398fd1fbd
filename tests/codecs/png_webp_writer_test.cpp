// The PNG and WebP writers: files that pngcheck, dwebp and ImageMagick accept and that decode
// to the pixels written (lossy WebP within the codec's error), written atomically.
#include <random>

#include "codecs/image_writers.h"
#include "codecs/reader_test_support.h"
#include "codecs/writer_test_support.h"

namespace lumabord::testing {
namespace {

bool quietly(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(PngWebpWriters, OtherDecodersReadWhatIsWritten) {
  struct Case {
    OutputFormat format;
    JpegOptions options;
    std::string check;      // must succeed on {file}; empty: none
    std::string magick;     // ImageMagick's name of the format
    double meanDifference;  // from the picture written: 0 for lossless
  };
  const Case cases[] = {
      {OutputFormat::Png, {}, "pngcheck -q {file}", "png", 0},
      {OutputFormat::Webp, {80, true, true, true}, "dwebp {file} -o /dev/null", "webp", 0},
      {OutputFormat::Webp, {90, true, true, false}, "dwebp {file} -o /dev/null", "webp", 20},
  };
  TempDir dir;
  for (const Case& c : cases) {
    for (const auto& [w, h] : {std::pair{1, 1}, {3, 7}, {64, 33}}) {
      SCOPED_TRACE(c.magick + " " + std::to_string(w) + "x" + std::to_string(h));
      const Image image = gradient(w, h);
      const auto file = dir / ("out." + std::string(formatKey(c.format)));
      writeImageFile(file, image, c.format, c.options);
      std::string check = c.check;
      check.replace(check.find("{file}"), 6, file.string());
      EXPECT_TRUE(quietly(check)) << check;
      const Image ours = loadPicture(file);
      const int worst = maxDifference(ours, image);
      ASSERT_GE(worst, 0) << "sizes differ";
      double sum = 0;
      for (size_t i = 0; i < image.sizeBytes(); ++i)
        sum += std::abs(ours.data()[i] - image.data()[i]);
      EXPECT_LE(sum / static_cast<double>(image.sizeBytes()), c.meanDifference);
      if (c.meanDifference == 0) {
        EXPECT_EQ(worst, 0);
      }
      if (const auto theirs = magickDecode(readFile(file), c.magick)) {
        EXPECT_EQ(maxDifference(ours, *theirs), 0);
      }
    }
  }
}

TEST(PngWebpWriters, PngHeaderAndQualityAndLimits) {
  TempDir dir;
  WritePngFile(dir / "rb.png", redBlue());
  const Bytes png = readFile(dir / "rb.png");
  // Signature, then IHDR: 2 x 1, 8 bits, RGB, no interlace; then the sRGB chunk.
  const Bytes head = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D',
                      'R',  0,   0,   0,   2,    0,    0,    0,    1, 8, 2, 0,  0,   0};
  EXPECT_EQ(Bytes(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(head.size())), head);
  EXPECT_NE(std::search(png.begin(), png.end(), std::begin("sRGB"), std::end("sRGB") - 1),
            png.end());

  // Lower quality, smaller file.
  const Image picture = gradient(120, 80);
  WriteWebpFile(dir / "low.webp", picture, {10, true, true, false});
  WriteWebpFile(dir / "high.webp", picture, {95, true, true, false});
  EXPECT_LT(readFile(dir / "low.webp").size(), readFile(dir / "high.webp").size());

  // WebP cannot hold 16384 pixels a side: refused with the file named, the old file kept.
  const auto target = dir.write("wide.webp", std::string("earlier picture"));
  try {
    WriteWebpFile(target, Image(16384, 1, Rgb{}), {});
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + target.string() +
                                         ": WebP pictures are at most 16383 pixels wide and high");
  }
  EXPECT_EQ(readText(target), "earlier picture");
}

TEST(PngWebpWriters, FailuresKeepTheOldFile) {
  TempDir dir;
  for (OutputFormat format : {OutputFormat::Png, OutputFormat::Webp}) {
    const auto missing = dir / "gone" / "x";
    EXPECT_THROW(writeImageFile(missing, redBlue(), format), Error);
    const auto target = dir.write("x", std::string("earlier picture"));
    {
      // Noise does not compress: the file outgrows the limit.
      Image noise(300, 200);
      std::mt19937 random(7);
      for (size_t i = 0; i < noise.sizeBytes(); ++i)
        noise.data()[i] = static_cast<uint8_t>(random());
      FileSizeLimit limit(4096);
      EXPECT_THROW(writeImageFile(target, noise, format, {100, true, true, true}), Error);
    }
    EXPECT_EQ(readText(target), "earlier picture");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::filesystem::path>{"x"});
  }
}

}  // namespace
}  // namespace lumabord::testing
