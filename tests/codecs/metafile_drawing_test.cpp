// Metafile text, clipping, pattern brushes and raster operations: pixels worked out by
// hand, and text compared with the text facility drawing the same string directly.
#include <cmath>
#include <string>

#include "codecs/metafile_files.h"
#include "codecs/metafile_rop.h"
#include "codecs/reader_test_support.h"
#include "platform/text_facility.h"

namespace lumabord::testing {
namespace {

const Rgb kYellow{255, 255, 0}, kGreen{0, 128, 0};

// Text as the facility draws it: the top of the line at y.
struct Lettering {
  std::unique_ptr<TextFont> font;
  explicit Lettering(int height) {
    FontRecord record;
    record.name = "Arial";
    record.height = height;
    font = defaultTextFacility().createFont(record);
  }
  int width(const std::string& s) const { return font->textWidth(s); }
  void draw(Image& image, int x, int top, const std::string& s, Rgb colour) const {
    font->drawText(image, x, top, s, colour);
  }
};

void expectSameColumns(const Image& image, const Image& expected, int x0, int x1) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = x0; x < x1; ++x) {
      ASSERT_EQ(image.pixel(x, y), expected.pixel(x, y)) << "at " << x << ", " << y;
    }
  }
}

TEST(MetafileDrawing, WmfTextArcsAndClipRegion) {
  Wmf wmf(false);
  wmf.record(0x020C, {40, 60});  // 60 x 40
  wmf.record(0x02FB, {}, wmfFont(-12, 0, "Arial")).select(0);
  wmf.record(0x0209, {ref(kBlue) & 0xFFFF, 0x00FF});  // text colour blue
  wmf.record(0x0201, {0xFFFF, 0});                    // background yellow, opaque
  wmf.record(0x0521, {2}, wmfText("Hi", 2, 2));       // aligned at the top left
  wmf.record(0x0102, {1});                            // transparent
  wmf.record(0x012E, {24 | 6});                       // baseline, centred
  wmf.record(0x0521, {2}, wmfText("Lo", 14, 36));
  wmf.brush(kRed).select(1).pen(kBlack, 0, 5).select(2);
  wmf.record(0x001E, {});                                // save
  wmf.record(0x0416, {40, 40, 0, 0});                    // clip to (0,0)-(40,40)
  wmf.record(0x0415, {22, 36, 18, 34});                  // but not (34,18)-(36,22)
  wmf.record(0x081A, {10, 40, 10, 40, 30, 50, 10, 30});  // pie: the whole circle
  wmf.record(0x0127, {static_cast<uint16_t>(-1)});       // restore: no clip
  wmf.brush(kGreen).select(3);
  wmf.record(0x041B, {5, 60, 0, 50});  // (50,0)-(60,5)
  const Image image = decodeAs(wmf.bytes(), "wmf");

  const Lettering font(-12);
  Image expected(60, 40, kWhite);
  const int ascent = font.font->ascent(), line = font.font->textHeight();
  for (int y = 2; y < 2 + line; ++y)
    for (int x = 2; x < 2 + font.width("Hi"); ++x) expected.setPixel(x, y, kYellow);
  font.draw(expected, 2, 2, "Hi", kBlue);
  font.draw(expected, static_cast<int>(std::round(14 - font.width("Lo") / 2.0)), 36 - ascent, "Lo",
            kBlue);
  expectSameColumns(image, expected, 0, 30);

  EXPECT_EQ(image.pixel(31, 20), kRed);  // the circle around (40, 20), radius 10
  EXPECT_EQ(image.pixel(39, 20), kRed);
  EXPECT_EQ(image.pixel(40, 20), kWhite);  // clipped away
  EXPECT_EQ(image.pixel(45, 20), kWhite);
  EXPECT_EQ(image.pixel(33, 20), kRed);
  EXPECT_EQ(image.pixel(34, 20), kWhite);  // the excluded hole
  EXPECT_EQ(image.pixel(35, 21), kWhite);
  EXPECT_EQ(image.pixel(36, 20), kRed);
  EXPECT_EQ(image.pixel(55, 2), kGreen);  // drawn after the clip was restored
}

TEST(MetafileDrawing, WmfRegionsClipAndCombine) {
  Wmf wmf(false);
  wmf.record(0x020C, {20, 20});
  Bytes region;  // two scans: rows 0..5 with x 0..4 and 10..14; rows 10..15 with x 2..6
  for (int v : {0, 6, 0, 0, 0, 2, 0, 0, 0, 20, 20}) putU16le(region, static_cast<uint16_t>(v));
  for (int v : {4, 0, 5, 0, 4, 10, 14, 4}) putU16le(region, static_cast<uint16_t>(v));
  for (int v : {2, 10, 15, 2, 6, 2}) putU16le(region, static_cast<uint16_t>(v));
  wmf.pen(kBlack, 0, 5).select(0);
  wmf.record(0x06FF, {}, region);  // object 1
  wmf.record(0x012C, {1});         // select it as the clip
  wmf.brush(kRed).select(2).record(0x041B, {20, 20, 0, 0});
  wmf.record(0x0220, {5, 0});  // move the clip down by 5
  wmf.brush(kBlue).select(3).record(0x041B, {20, 20, 0, 0});
  const Image image = decodeAs(wmf.bytes(), "wmf");
  EXPECT_EQ(image.pixel(0, 0), kRed);
  EXPECT_EQ(image.pixel(3, 4), kRed);
  EXPECT_EQ(image.pixel(4, 0), kWhite);
  EXPECT_EQ(image.pixel(12, 2), kRed);
  EXPECT_EQ(image.pixel(6, 2), kWhite);
  EXPECT_EQ(image.pixel(3, 12), kRed);
  EXPECT_EQ(image.pixel(3, 5), kBlue);  // the moved copy: rows 5..10 and 15..20
  EXPECT_EQ(image.pixel(12, 9), kBlue);
  EXPECT_EQ(image.pixel(3, 17), kBlue);
  EXPECT_EQ(image.pixel(8, 7), kWhite);
}

TEST(MetafileDrawing, EmfTextRegionsAndPaths) {
  Emf emf(0, 0, 400, 300);  // 40 x 30
  Bytes region;             // (0,0)-(10,20) and (20,0)-(30,20)
  for (int v : {32, 1, 2, 32, 0, 0, 30, 20, 0, 0, 10, 20, 20, 0, 30, 20})
    putU32le(region, static_cast<uint32_t>(v));
  emf.record(75, {static_cast<int32_t>(region.size()), 5}, region);
  emf.record(39, {1, 0, ref(kRed), 0}).record(37, {1});
  emf.record(37, {static_cast<int32_t>(0x80000008)});  // null pen
  emf.record(43, {0, 0, 40, 30});
  emf.record(75, {0, 5});  // no region: no clip
  // A triangle path as the clip, then everything blue within it.
  emf.record(59, {}).record(27, {32, 0}).record(54, {40, 0}).record(54, {40, 8});
  emf.record(61, {}).record(60, {}).record(67, {5});
  emf.record(39, {2, 0, ref(kBlue), 0}).record(37, {2}).record(43, {0, 0, 40, 30});
  const Image image = decodeAs(emf.bytes(), "emf");
  EXPECT_EQ(image.pixel(5, 5), kRed);
  EXPECT_EQ(image.pixel(15, 5), kWhite);
  EXPECT_EQ(image.pixel(25, 19), kRed);
  EXPECT_EQ(image.pixel(25, 20), kWhite);
  EXPECT_EQ(image.pixel(38, 1), kBlue);
  EXPECT_EQ(image.pixel(33, 6), kWhite);  // below the triangle's diagonal
  EXPECT_EQ(image.pixel(5, 25), kWhite);

  // Bold UTF-16 text with its own advances, over the opaque rectangle, clipped to it.
  Emf text(0, 0, 400, 300);
  text.record(82, {}, emfFont(1, -14, u"Arial")).record(37, {1});
  text.record(24, {ref(kRed)});
  text.record(25, {ref(kYellow)});
  text.record(18, {1});  // transparent: only the rectangle is filled
  text.record(84, {}, emfTextTail(u"\u00e9b", 3, 4, 2 | 4, {0, 0, 40, 12}, {15, 10}));
  const Image lettered = decodeAs(text.bytes(), "emf");
  FontRecord record;
  record.name = "Arial";
  record.height = -14;
  record.style = kFontBold;
  const auto font = defaultTextFacility().createFont(record);
  Image expected(40, 30, kWhite);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 40; ++x) expected.setPixel(x, y, kYellow);
  Image glyphs(40, 30, kYellow);
  font->drawText(glyphs, 3, 4, "\xe9", kRed);
  font->drawText(glyphs, 18, 4, "b", kRed);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 40; ++x) expected.setPixel(x, y, glyphs.pixel(x, y));
  expectSameColumns(lettered, expected, 0, 40);
}

TEST(MetafileDrawing, TurnedTextRunsUpTheBaseline) {
  Wmf wmf(false);
  wmf.record(0x020C, {60, 60});
  wmf.record(0x02FB, {}, wmfFont(-16, 900, "Arial")).select(0);  // 90 degrees
  wmf.record(0x012E, {24});                                      // baseline
  wmf.record(0x0102, {1});
  wmf.record(0x0521, {4}, wmfText("HHHH", 30, 55));
  const Image image = decodeAs(wmf.bytes(), "wmf");
  // The text climbs from (30, 55), its glyphs left of the baseline x = 30.
  int top = 60, left = 60, right = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      if (image.pixel(x, y) == kBlack) {
        top = std::min(top, y);
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_LT(top, 30);
  EXPECT_GE(left, 30 - 16);
  EXPECT_LE(right, 31);
}

TEST(MetafileDrawing, HostileTextIsSkippedOrRefused) {
  Wmf wmf(false);
  wmf.record(0x020C, {20, 20});
  wmf.record(0x02FB, {}, wmfFont(-30000, 0, "Arial")).select(0);
  wmf.record(0x0521, {2}, wmfText("Hi", 0, 0));  // beyond the tallest text
  wmf.record(0x02FB, {}, wmfFont(-10, 0, "Arial")).select(1);
  wmf.record(0x0521, {5000}, wmfText("Hi", 0, 0));      // longer than its record
  wmf.record(0x0A32, {0, 0, 2, 6}, wmfText("", 0, 0));  // rectangle cut short
  wmf.brush(kRed).select(2).record(0x041B, {20, 20, 10, 10});
  EXPECT_EQ(decodeAs(wmf.bytes(), "wmf").pixel(15, 15), kRed);

  Emf emf(0, 0, 200, 200);
  Bytes tail = emfTextTail(u"ab", 0, 0, 0, {0, 0, 0, 0}, {});
  setU32le(tail, 36, 0x40000000);  // characters far beyond the record
  emf.record(84, {}, tail);
  emf.record(108, {0, 0, 1000000, 0x300, 1, 0, 0}, {'a', 'b', 0, 0});  // small chars, short
  // Advances far beyond the picture: the opaque box behind the text reaches them too.
  emf.record(84, {}, emfTextTail(u"ab", 0, 0, 0, {0, 0, 0, 0}, {0x7FFFFFFF, -0x7FFFFFFF}));
  emf.record(39, {1, 0, ref(kBlue), 0}).record(37, {1}).record(43, {0, 0, 20, 20});
  EXPECT_EQ(decodeAs(emf.bytes(), "emf").pixel(10, 10), kBlue);

  // Glyphs thousands of pixels tall on a small picture cost more than it may.
  Wmf costly(false);
  costly.record(0x020C, {50, 50});
  costly.record(0x02FB, {}, wmfFont(-3900, 0, "Arial")).select(0);
  costly.record(0x0521, {10}, wmfText("WMWMWMWMWM", 0, 0));
  EXPECT_EQ(decodeError(costly.bytes(), "wmf"),
            "Cannot load image test.wmf: the metafile draws more than its picture can hold");
}

TEST(MetafileDrawing, PatternBrushesTileFromTheCorner) {
  Wmf wmf(false);
  wmf.record(0x020C, {8, 8});
  wmf.pen(kBlack, 0, 5).select(0);
  // A DIB pattern of 2 x 2 colours over the left half.
  wmf.record(0x0142, {5, 0}, dib({{kRed, kBlue}, {kBlack, kYellow}})).select(1);
  wmf.record(0x041B, {8, 4, 0, 0});
  // A one-bit device bitmap: set bits the background colour, clear ones the text colour.
  Bytes bitmap;
  for (int v : {0, 2, 2, 2}) putU16le(bitmap, static_cast<uint16_t>(v));
  bitmap.insert(bitmap.end(), {1, 1, 0x40, 0, 0x80, 0});  // rows 01, 10
  wmf.record(0x0142, {3, 0}, bitmap).select(2);
  wmf.record(0x0209, {ref(kGreen) & 0xFFFF, 0});
  wmf.record(0x0201, {ref(kYellow) & 0xFFFF, 0});
  wmf.record(0x041B, {8, 8, 0, 4});
  const Image image = decodeAs(wmf.bytes(), "wmf");
  EXPECT_EQ(image.pixel(0, 0), kRed);
  EXPECT_EQ(image.pixel(1, 0), kBlue);
  EXPECT_EQ(image.pixel(2, 1), kBlack);
  EXPECT_EQ(image.pixel(3, 3), kYellow);
  EXPECT_EQ(image.pixel(4, 0), kGreen);
  EXPECT_EQ(image.pixel(5, 0), kYellow);
  EXPECT_EQ(image.pixel(4, 1), kYellow);
  EXPECT_EQ(image.pixel(7, 7), kGreen);

  // An enhanced metafile's monochrome brush: its bits, not its colour table, pick.
  Emf emf(0, 0, 40, 40);  // 4 x 4
  Bytes mono;
  for (uint32_t v : {40u, 2u, 2u}) putU32le(mono, v);
  putU16le(mono, 1);
  putU16le(mono, 1);
  putZeros(mono, 24);
  for (uint32_t v : {0x123456u, 0x654321u}) putU32le(mono, v);
  for (uint32_t v : {0x40u, 0x80u}) putU32le(mono, v);  // bottom-up rows 01, 10
  emf.record(93, {1, 0, 32, 48, 80, 8}, mono).record(37, {1});
  emf.record(24, {ref(kRed)}).record(25, {ref(kBlue)});
  emf.record(37, {static_cast<int32_t>(0x80000008)}).record(43, {0, 0, 4, 4});
  const Image monoImage = decodeAs(emf.bytes(), "emf");
  EXPECT_EQ(monoImage.pixel(0, 0), kBlue);  // top row: 10
  EXPECT_EQ(monoImage.pixel(1, 0), kRed);
  EXPECT_EQ(monoImage.pixel(0, 1), kRed);
  EXPECT_EQ(monoImage.pixel(3, 3), kBlue);
}

TEST(MetafileDrawing, RasterOperations) {
  // Pattern 0xF0, source 0xCC, picture 0xAA: each code's own bits come out.
  const struct {
    uint8_t code;
    uint8_t result;
  } ternary[] = {{0xCC, 0xCC},                               // copy source
                 {0xEE, 0xEE},                               // source or picture
                 {0x88, 0x88},                               // source and picture
                 {0x66, 0x66},                               // source xor picture
                 {0x33, 0x33},                               // not source
                 {0xF0, 0xF0},                               // pattern
                 {0x00, 0x00}, {0xFF, 0xFF}, {0x55, 0x55}};  // not picture
  for (const auto& c : ternary) EXPECT_EQ(ropBits(c.code, 0xF0, 0xCC, 0xAA), c.result);
  EXPECT_EQ(ropBits(0x66, 0, 0x0F, 0xFF), 0xF0);
  // Binary modes: 1 black, 6 not, 7 xor, 9 and, 11 nothing, 13 copy, 15 or, 16 white.
  const struct {
    int mode;
    uint8_t code;
  } binary[] = {{1, 0x00},  {6, 0x55},  {7, 0x5A},  {9, 0xA0}, {11, 0xAA},
                {13, 0xF0}, {15, 0xFA}, {16, 0xFF}, {0, 0xF0}, {99, 0xF0}};
  for (const auto& b : binary) EXPECT_EQ(ropOfBinaryMode(b.mode), b.code) << b.mode;

  Wmf wmf(false);
  wmf.record(0x020C, {8, 8});
  wmf.pen(kBlack, 0, 5).select(0);
  wmf.brush(Rgb{0xF0, 0x0F, 0x33}).select(1).record(0x041B, {8, 8, 0, 0});
  wmf.record(0x0104, {7});  // xor pen
  wmf.brush(Rgb{0xFF, 0xFF, 0x00}).select(2).record(0x041B, {8, 2, 0, 0});
  wmf.record(0x0104, {6});  // not
  wmf.record(0x041B, {8, 4, 0, 2});
  wmf.record(0x061D, {0x0009, 0x0055, 8, 2, 0, 4});  // patblt: invert the picture
  // A 1 x 1 white bitmap stretched with "source and picture" leaves the picture.
  wmf.record(0x0F43, {0x00C6, 0x0088, 0, 1, 1, 0, 0, 8, 2, 0, 6}, dib({{kWhite}}));
  const Image image = decodeAs(wmf.bytes(), "wmf");
  EXPECT_EQ(image.pixel(0, 0), (Rgb{0x0F, 0xF0, 0x33}));
  EXPECT_EQ(image.pixel(2, 0), (Rgb{0x0F, 0xF0, 0xCC}));
  EXPECT_EQ(image.pixel(4, 0), (Rgb{0x0F, 0xF0, 0xCC}));
  EXPECT_EQ(image.pixel(6, 5), (Rgb{0xF0, 0x0F, 0x33}));
}

}  // namespace
}  // namespace lumabord::testing
