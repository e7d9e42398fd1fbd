// JPEG and camera-raw preview reading: colour spaces, progressive and arithmetic files,
// the decoder's own settings, the preview choice, and damaged streams.
#include <gtest/gtest.h>

#include "codec_test_support.h"
#include "codecs/raw_preview.h"

namespace lumabord::testing {
namespace {

// ImageMagick decoding with the same inverse DCT as the reader.
const std::string kFloatDct = "-define jpeg:dct-method=float";

TEST(JpegReader, ColourSpacesBecomeRgb) {
  const Image img = smoothImage(48, 32);
  const Image rgb = decodeAs(writeJpeg(img), "jpg");
  EXPECT_LE(maxDifference(rgb, img), 6);

  JpegOptions grey;
  grey.space = JCS_GRAYSCALE;
  const Image g = decodeAs(writeJpeg(img, grey), "jpg");
  for (int y = 0; y < g.height(); ++y)
    for (int x = 0; x < g.width(); ++x) {
      const Rgb c = g.pixel(x, y);
      ASSERT_TRUE(c.r == c.g && c.g == c.b);
      ASSERT_LE(std::abs(int{c.g} - int{img.pixel(x, y).g}), 4);
    }

  // CMYK and YCCK, with the Adobe marker (inverted inks) and CMYK without it (plain inks).
  for (J_COLOR_SPACE space : {JCS_CMYK, JCS_YCCK}) {
    for (bool adobe : {true, false}) {
      if (space == JCS_YCCK && !adobe) continue;  // YCCK is only known by the Adobe marker
      JpegOptions o;
      o.space = space;
      o.adobeMarker = adobe;
      EXPECT_LE(maxDifference(decodeAs(writeJpeg(img, o), "jpeg"), img), 6)
          << (space == JCS_CMYK ? "CMYK" : "YCCK") << (adobe ? " Adobe" : "");
    }
  }
}

TEST(JpegReader, ProgressiveAndArithmeticFilesDecode) {
  const Image img = smoothImage(40, 24);
  const Image baseline = decodeAs(writeJpeg(img), "jpg");
  JpegOptions progressive;
  progressive.progressive = true;
  const Bytes p = writeJpeg(img, progressive);
  const Image first = decodeAs(p, "jpg");
  EXPECT_LE(maxDifference(first, baseline), 3);
  // The decoder's settings are its own: a second decoding gives the same pixels.
  EXPECT_TRUE(decodeAs(p, "jpg") == first);
  JpegOptions arithmetic;
  arithmetic.arithmetic = true;
  EXPECT_LE(maxDifference(decodeAs(writeJpeg(img, arithmetic), "jpg"), baseline), 3);
}

TEST(JpegReader, MatchesImageMagick) {
  SKIP_WITHOUT_IMAGEMAGICK();
  const Image img = smoothImage(61, 37);  // not a multiple of the block size
  struct Case {
    const char* name;
    JpegOptions options;
  };
  std::vector<Case> cases(5);
  cases[0].name = "baseline.jpg";
  cases[1] = {"progressive.jpg", {}};
  cases[1].options.progressive = true;
  cases[2] = {"grey.jpg", {}};
  cases[2].options.space = JCS_GRAYSCALE;
  cases[3] = {"cmyk.jpg", {}};
  cases[3].options.space = JCS_CMYK;
  cases[4] = {"ycck.jpg", {}};
  cases[4].options.space = JCS_YCCK;
  for (const Case& c : cases) {
    const Bytes file = writeJpeg(img, c.options);
    expectMatchesImageMagick(file, c.name, decodeAs(file, "jpg"), 1, kFloatDct);
  }
}

TEST(JpegReader, DamagedStreamsAreRefused) {
  const Image img = smoothImage(64, 64);
  const Bytes good = writeJpeg(img);
  EXPECT_EQ(decodeError(Bytes(good.begin(), good.begin() + good.size() / 2), "jpg"),
            "JPEG decompression error. Unexpected end of input.");
  EXPECT_EQ(decodeError(Bytes(good.begin(), good.end() - 20), "jpg"),
            "JPEG decompression error. Unexpected end of input.");
  Bytes noSoi = good;
  noSoi[1] = 0x00;
  EXPECT_EQ(decodeError(noSoi, "jpg").rfind("JPEG error #", 0), 0u);
  // The file ends after its last scan: every row is there, the missing end marker is not needed.
  EXPECT_TRUE(decodeAs(Bytes(good.begin(), good.end() - 2), "jpg") == decodeAs(good, "jpg"));
  // Arithmetic-coded data reads as zeros past a marker, with no warning: its data must end
  // with a marker of the file's own, so a cut file is refused, as is one missing only its end
  // marker (the two cannot be told apart).
  JpegOptions arithmetic;
  arithmetic.arithmetic = true;
  const Bytes arith = writeJpeg(patternImage(64, 64), arithmetic);
  for (const size_t keep : {arith.size() / 2, arith.size() - 2}) {
    EXPECT_EQ(
        decodeError(Bytes(arith.begin(), arith.begin() + static_cast<std::ptrdiff_t>(keep)), "jpg"),
        "JPEG decompression error. Unexpected end of input.")
        << keep;
  }
  // Cut and given an end marker, the data read as zeros from there on: most such files are
  // the valid file of another picture (its rest flat); some end in a code no encoder writes,
  // or in a restart marker that is not there.
  const std::string badCode =
      "Cannot load image test.jpg: the JPEG file's arithmetic-coded data is damaged";
  int damaged = 0;
  const Bytes sos = {0xFF, 0xDA};
  const auto data = std::search(arith.begin(), arith.end(), sos.begin(), sos.end()) + 16;
  for (size_t keep = static_cast<size_t>(data - arith.begin()); keep + 2 < arith.size(); ++keep) {
    Bytes cut(arith.begin(), arith.begin() + static_cast<std::ptrdiff_t>(keep));
    cut.insert(cut.end(), {0xFF, 0xD9});
    const std::string error = decodeError(cut, "jpg");
    if (error.empty()) continue;
    EXPECT_TRUE(error == badCode || error == "JPEG decompression error. Unexpected end of input.")
        << keep << ": " << error;
    damaged += error == badCode ? 1 : 0;
  }
  EXPECT_GT(damaged, 0);

  // Frame sizes patched to more than the limit, or than so few bytes can hold.
  auto withSize = [&](uint16_t w, uint16_t h) {
    Bytes b = good;
    for (size_t i = 2; i + 9 < b.size(); ++i)
      if (b[i] == 0xFF && b[i + 1] == 0xC0) {
        b[i + 5] = static_cast<uint8_t>(h >> 8);
        b[i + 6] = static_cast<uint8_t>(h);
        b[i + 7] = static_cast<uint8_t>(w >> 8);
        b[i + 8] = static_cast<uint8_t>(w);
        return b;
      }
    throw std::runtime_error("no frame header");
  };
  EXPECT_EQ(
      decodeError(withSize(65000, 65000), "jpg"),
      "Cannot load image test.jpg: 65000 x 65000 pixels exceed the limit of 268435456 pixels");
  EXPECT_EQ(decodeError(withSize(10000, 10000), "jpg"),
            "Cannot load image test.jpg: the JPEG file declares a picture of at least 195313 bytes "
            "but holds only " +
                std::to_string(good.size()));
}

// ---------------------------------------------------------------------------------------
// Camera raw previews

Bytes filler(size_t n, uint8_t seed) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>((i * 7 + seed) % 0xF0);
  return b;
}

Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(RawPreview, ChoiceOfTheEmbeddedStream) {
  const Bytes a = {0xFF, 0xD8, 1, 2, 0xFF, 0xD9};        // 6 bytes
  const Bytes b = {0xFF, 0xD8, 1, 2, 3, 4, 0xFF, 0xD9};  // 8 bytes
  const Bytes c = {0xFF, 0xD8, 9, 9, 0xFF, 0xD9};        // 6 bytes
  auto range = [](size_t begin, size_t end) { return std::pair{begin, end}; };
  auto of = [](ByteRange r) { return std::pair{r.begin, r.end}; };
  // The longer of the first two; a third, longer one is never looked at.
  EXPECT_EQ(of(chooseRawPreview(concat({filler(10, 0), a, filler(5, 1), b, concat({b, b})}))),
            range(21, 29));
  EXPECT_EQ(of(chooseRawPreview(concat({b, a}))), range(0, 8));
  // Equal lengths: the second, because it ended with its marker.
  EXPECT_EQ(of(chooseRawPreview(concat({a, c}))), range(6, 12));
  // A second stream without an end marker runs to the end of the data; equal, so the first.
  EXPECT_EQ(of(chooseRawPreview(concat({a, Bytes{0xFF, 0xD8, 1, 2, 3, 4}}))), range(0, 6));
  EXPECT_EQ(
      of(chooseRawPreview(filler(9000, 3))).second - of(chooseRawPreview(filler(9000, 3))).first,
      0u);
  // A marker split across two 4096-byte blocks is found.
  Bytes split = filler(4095, 0);
  split.insert(split.end(), {0xFF, 0xD8, 5, 0xFF, 0xD9});
  EXPECT_EQ(of(chooseRawPreview(split)), range(4095, 4100));

  // raf: from the first start marker through the fourth one.
  const Bytes raf = concat({filler(3, 0), a, a, filler(2, 0), a, a, a});
  EXPECT_EQ(of(chooseRafPreview(raf)), range(3, 3 + 6 * 2 + 2 + 6 + 2));
  EXPECT_EQ(of(chooseRafPreview(concat({filler(3, 0), a}))), range(3, 9));
}

TEST(RawPreview, RawFilesDecodeTheirChosenPreview) {
  const Bytes thumb = writeJpeg(smoothImage(16, 8));
  const Image preview = decodeAs(writeJpeg(smoothImage(96, 64)), "jpg");
  const Bytes large = writeJpeg(smoothImage(96, 64));
  const Bytes nef = concat({filler(5000, 1), thumb, filler(3000, 2), large, filler(100, 3)});
  for (const char* ext : {"nef", "NEF", "mrw", "crw"}) {
    EXPECT_TRUE(decodeAs(nef, ext) == preview) << ext;
  }
  // The first stream when it is the longer one.
  EXPECT_EQ(decodeAs(concat({filler(10, 1), large, thumb}), "nef").width(), 96);
  // raf: the bytes from the first start marker to the fourth hold the preview.
  const Bytes raf = concat({filler(300, 4), large, filler(50, 5), thumb, thumb, thumb});
  EXPECT_TRUE(decodeAs(raf, "raf") == preview);
  EXPECT_EQ(decodeError(filler(10000, 6), "nef"),
            "Cannot load image test.nef: the raw file holds no JPEG preview");
}

}  // namespace
}  // namespace lumabord::testing
