// HEIC, AVIF, WebP and JPEG XL files made by the formats' own tools decode like the formats'
// own decoders decode them, exactly where the file is lossless (skipped when a tool is absent).

#include <cmath>

#include "codecs/image_writers.h"
#include "codecs/modern_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

// Smooth gradients, a hard-edged block and an odd size: chroma subsampling and odd edges.
Image photoLike(int w, int h) {
  Image image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool block = x >= 4 && x < 12 && y >= 3 && y < 9;
      image.setPixel(x, y,
                     block ? Rgb{20, 200, 40}
                           : Rgb{static_cast<uint8_t>(x * 255 / (w - 1)),
                                 static_cast<uint8_t>(y * 255 / (h - 1)),
                                 static_cast<uint8_t>(128 + 100 * std::sin(x * 0.3))});
    }
  return image;
}

bool haveTool(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command with {in}, {out} and {dir} replaced; true when it succeeded.
bool run(std::string command, const TempDir& dir) {
  for (const auto& [key, value] :
       {std::pair<std::string, std::string>{"{in}", (dir / "in.png").string()},
        {"{out}", (dir / "out.bin").string()},
        {"{dir}", dir.path().string()}}) {
    for (size_t at; (at = command.find(key)) != std::string::npos;)
      command.replace(at, key.size(), value);
  }
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

double meanDifference(const Image& a, const Image& b) {
  double sum = 0;
  for (size_t i = 0; i < a.sizeBytes(); ++i) sum += std::abs(int{a.data()[i]} - int{b.data()[i]});
  return sum / static_cast<double>(a.sizeBytes());
}

struct ParityCase {
  std::string tool, extension, encode;
  std::string reference;  // writes {dir}/ref.ppm or {dir}/ref.png from {out}
  int maxVsReference;     // largest channel difference from the reference decoder
  double meanVsOriginal;  // mean channel difference from the picture encoded (-1: not compared)
  int maxVsOriginal;      // largest one (-1: not compared; lossy codecs smear the hard edges)
};

TEST(ModernReaders, DecodeLikeTheFormatsOwnDecoders) {
  const std::string toWhite = " -background white -alpha remove -alpha off -depth 8 {dir}/ref.ppm";
  const ParityCase cases[] = {
      {"cwebp", "webp", "cwebp -lossless {in} -o {out}", "dwebp {out} -ppm -o {dir}/ref.ppm", 0, 0,
       0},
      {"cwebp", "webp", "cwebp -q 90 {in} -o {out}", "dwebp {out} -ppm -o {dir}/ref.ppm", 0, 8, -1},
      {"cwebp", "webp", "cwebp -q 90 {in} -o {out}", "convert webp:{out}" + toWhite, 0, 8, -1},
      // Alpha from 0 at the left to 255 at the right, put over white.
      {"cwebp", "webp",
       "convert {in} -alpha set -channel A -fx i/w +channel PNG32:{dir}/a.png && "
       "cwebp -lossless -exact {dir}/a.png -o {out}",
       "convert webp:{out}" + toWhite, 1, -1, -1},
      {"cjxl", "jxl", "cjxl -d 0 {in} {out}", "djxl {out} {dir}/ref.ppm", 0, 0, 0},
      {"cjxl", "jxl", "cjxl -d 1 {in} {out}", "djxl {out} {dir}/ref.ppm", 1, 8, -1},
      {"heif-enc", "heic", "heif-enc -q 90 -o {out}.heic {in} && mv {out}.heic {out}",
       "heif-convert {out} {dir}/ref.png", 0, 10, -1},
      {"heif-enc", "heif",
       "heif-enc -L -p chroma=444 --matrix_coefficients=0 -o {out}.heic {in} && mv {out}.heic "
       "{out}",
       "heif-convert {out} {dir}/ref.png", 0, 0.5, 1},
      {"convert", "avif", "convert {in} -quality 90 avif:{out}", "heif-convert {out} {dir}/ref.png",
       0, 10, -1},
  };
  const Image original = photoLike(37, 23);
  for (const ParityCase& c : cases) {
    SCOPED_TRACE(c.encode);
    if (!haveTool(c.tool) || !haveMagick()) continue;
    TempDir dir;
    WritePngFile(dir / "in.png", original);
    ASSERT_TRUE(run(c.encode, dir));
    ASSERT_TRUE(run(c.reference, dir));
    const Bytes file = readFile(dir / "out.bin");
    const Image ours = decodeAs(file, c.extension);
    const auto refPath =
        std::filesystem::exists(dir / "ref.ppm") ? dir / "ref.ppm" : dir / "ref.png";
    const Image theirs = loadPicture(refPath);
    EXPECT_LE(maxDifference(ours, theirs), c.maxVsReference);
    EXPECT_GE(maxDifference(ours, theirs), 0) << "sizes differ";
    if (c.maxVsOriginal >= 0) {
      EXPECT_LE(maxDifference(ours, original), c.maxVsOriginal);
    }
    if (c.meanVsOriginal >= 0) {
      EXPECT_LE(meanDifference(ours, original), c.meanVsOriginal);
    }
    // Without an extension the content decides, with the same result.
    EXPECT_EQ(decodePicture(file, "", "no-extension"), ours);
    // Cut short, the file is refused with a message, never a crash.
    const Bytes half(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(file.size() / 2));
    EXPECT_NE(decodeError(half, c.extension), "");
  }
}

TEST(ModernReaders, HeicStandsUprightByItsOrientation) {
  const Image stored = photoLike(12, 8);
  // Where the stored pixel (x, y) lands: each orientation as EXIF defines it.
  struct Turn {
    heif_orientation orientation;
    bool swap;
    std::function<std::pair<int, int>(int, int)> target;
  };
  const int w = stored.width(), h = stored.height();
  const Turn turns[] = {
      {heif_orientation_normal, false,
       [](int x, int y) {
         return std::pair{x, y};
       }},
      {heif_orientation_rotate_180, false,
       [&](int x, int y) {
         return std::pair{w - 1 - x, h - 1 - y};
       }},
      {heif_orientation_rotate_90_cw, true,
       [&](int x, int y) {
         return std::pair{h - 1 - y, x};
       }},
      {heif_orientation_flip_horizontally, false,
       [&](int x, int y) {
         return std::pair{w - 1 - x, y};
       }},
  };
  for (const Turn& t : turns) {
    SCOPED_TRACE(t.orientation);
    const Image upright = decodeAs(encodeHeic(stored, t.orientation), "heic");
    ASSERT_EQ(upright.width(), t.swap ? h : w);
    ASSERT_EQ(upright.height(), t.swap ? w : h);
    int worst = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const auto [tx, ty] = t.target(x, y);
        const Rgb a = stored.pixel(x, y), b = upright.pixel(tx, ty);
        worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
      }
    EXPECT_LE(worst, 1);
  }
}

TEST(ModernReaders, RefuseWhatIsNotTheirFormat) {
  const Bytes garbage(64, 0x5A);
  for (const char* extension : {"heic", "avif", "webp", "jxl"}) {
    EXPECT_NE(decodeError(garbage, extension), "") << extension;
    EXPECT_NE(decodeError({}, extension), "") << extension;
  }
  // A picture beyond the limits is refused before it is decoded.
  DecodeLimits small;
  small.maxPixels = 100;
  TempDir dir;
  WritePngFile(dir / "in.png", photoLike(37, 23));
  if (haveTool("cwebp") && run("cwebp -lossless {in} -o {out}", dir)) {
    EXPECT_NE(decodeError(readFile(dir / "out.bin"), "webp", small).find("exceed the limit"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace lumabord::testing
