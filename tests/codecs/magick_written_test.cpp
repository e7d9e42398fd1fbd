// Files written by ImageMagick, as other programs write them, decode to the pixels they were
// written from (skipped when ImageMagick is absent).
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

// An odd-sized pattern with runs (for the run-length writers) and distinct colours.
Image pattern(bool grey, int colours) {
  Image image(37, 23);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int band = (x / 5 + y / 4) % colours;
      const uint8_t v = static_cast<uint8_t>(band * 255 / (colours - 1));
      image.setPixel(x, y, grey ? Rgb{v, v, v} : Rgb{v, static_cast<uint8_t>(255 - v), static_cast<uint8_t>(x * 7)});
    }
  }
  return image;
}

Bytes asPpm(const Image& image) {
  Bytes b;
  putText(b, "P6\n" + std::to_string(image.width()) + " " + std::to_string(image.height()) + "\n255\n");
  for (const Rgb& c : pixelsOf(image)) {
    putU8(b, c.r);
    putU8(b, c.g);
    putU8(b, c.b);
  }
  return b;
}

// Lets ImageMagick write the image as `target` ("tga:out.tga") with `options`; the bytes.
std::optional<Bytes> magickWrite(const Image& image, const std::string& options, const std::string& format) {
  if (!haveMagick()) return std::nullopt;
  TempDir dir;
  const auto in = dir.write("in.ppm", asPpm(image));
  const auto out = dir / ("out." + format);
  const std::string command =
      "convert '" + in.string() + "' " + options + " '" + format + ":" + out.string() + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  return readFile(out);
}

struct Case {
  std::string format, extension, options;
  bool grey;
  int colours;
};

TEST(MagickWritten, EveryLosslessVariantDecodesExactly) {
  if (!haveMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  // Targa files get "-orient TopLeft": without it this ImageMagick writes the rows top
  // first but marks the file as bottom-up.
  const Case cases[] = {
      {"tga", "tga", "-orient TopLeft -compress None", false, 200},
      {"tga", "tga", "-orient TopLeft -compress RLE", false, 200},
      {"tga", "tga", "-orient TopLeft -compress RLE -type Palette", false, 12},
      {"tga", "tga", "-orient TopLeft -type Grayscale", true, 7},
      {"pcx", "pcx", "", false, 200},
      {"pcx", "pcx", "-type Palette", false, 12},
      {"pcx", "pcx", "-type Palette -colors 16", true, 9},
      {"sgi", "sgi", "-compress None", false, 200},
      {"sgi", "rgb", "-compress RLE", false, 200},
      {"sgi", "bw", "-type Grayscale -compress RLE", true, 7},
      {"sgi", "sgi", "-depth 16", false, 200},
      {"psd", "psd", "-compress None", false, 200},
      {"psd", "psd", "-compress RLE", false, 200},
      {"psd", "psd", "-type Grayscale", true, 7},
      {"psd", "psd", "-type Palette", false, 12},
      {"psd", "psd", "-depth 16", false, 200},
      {"ppm", "ppm", "-compress None", false, 200},
      {"pgm", "pgm", "", true, 7},
      {"pgm", "pgm", "-depth 16", true, 7},
      {"pbm", "pbm", "", true, 2},
      {"pbm", "pbm", "-compress None", true, 2},
  };
  for (const Case& c : cases) {
    const Image original = pattern(c.grey, c.colours);
    const auto file = magickWrite(original, c.options, c.format);
    if (!file) {
      ADD_FAILURE() << "ImageMagick did not write " << c.format << " " << c.options;
      continue;
    }
    try {
      const Image decoded = decodeAs(*file, c.extension);
      EXPECT_EQ(maxDifference(decoded, original), 0) << c.format << " " << c.options;
    } catch (const Error& e) {
      ADD_FAILURE() << c.format << " " << c.options << ": " << e.what();
    }
  }
}

}  // namespace
}  // namespace lumabord::testing
