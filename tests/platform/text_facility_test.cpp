// The FreeType text facility in the desktop API's terms, checked with DejaVu Sans and
// DejaVu Sans Mono (fonts-dejavu-core): heights, widths, line placement, bi-level drawing
// and the Windows-1252 code page.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "base/error.h"
#include "platform/cp1252.h"
#include "platform/freetype/font_resolver.h"
#include "platform/text_facility.h"

namespace lumabord {
namespace {

FontRecord font(const char* name, int height, uint8_t style = 0) {
  FontRecord record;
  record.name = name;
  record.height = height;
  record.style = style;
  return record;
}

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Ink inkOf(const Image& image, Rgb background) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == background) continue;
      ink.left = std::min(ink.left, x);
      ink.top = std::min(ink.top, y);
      ink.right = std::max(ink.right, x);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

TEST(TextFacility, HeightsInTheDesktopSense) {
  // DejaVu Sans: win ascent 1901 and descent 483 of 2048 units; at an em of 24 pixels
  // that is 22 + 6.
  const auto em = defaultTextFacility().createFont(font("DejaVu Sans", -24));
  EXPECT_EQ(em->ascent(), 22);
  EXPECT_EQ(em->descent(), 6);
  EXPECT_EQ(em->textHeight(), 28);
  // A positive height is the line height itself.
  for (int height : {10, 28, 31, 100}) {
    EXPECT_EQ(defaultTextFacility().createFont(font("DejaVu Sans", height))->textHeight(), height);
  }
  // From the point size when no height is given: 18 points at 96 pixels per inch = em 24.
  FontRecord points = font("DejaVu Sans", 0);
  points.size = 18;
  EXPECT_EQ(defaultTextFacility().createFont(points)->textHeight(), 28);
}

TEST(TextFacility, WidthIsTheSumOfAdvances) {
  const auto sans = defaultTextFacility().createFont(font("DejaVu Sans", -24));
  EXPECT_EQ(sans->textWidth(""), 0);
  EXPECT_EQ(sans->textWidth("AVAW"),
            2 * sans->textWidth("A") + sans->textWidth("V") + sans->textWidth("W"));  // no kerning
  EXPECT_LT(sans->textWidth("i"), sans->textWidth("W"));
  const auto mono = defaultTextFacility().createFont(font("DejaVu Sans Mono", -24));
  EXPECT_EQ(mono->textWidth("iW."), 3 * mono->textWidth("i"));
  const auto bold = defaultTextFacility().createFont(font("DejaVu Sans", -24, kFontBold));
  EXPECT_GT(bold->textWidth("Wide"), sans->textWidth("Wide"));
}

TEST(TextFacility, TheLineTopIsAtTheGivenY) {
  const auto sans = defaultTextFacility().createFont(font("DejaVu Sans", -24));
  const Rgb white{255, 255, 255};
  for (int y : {0, 7}) {
    Image image(60, 50, white);
    sans->drawText(image, 5, y, "HxH", Rgb{0, 0, 0});
    const Ink ink = inkOf(image, white);
    EXPECT_EQ(ink.bottom, y + sans->ascent() - 1) << "the baseline lies at y + ascent";
    EXPECT_GT(ink.top, y) << "capitals start below the line top";
    EXPECT_GE(ink.left, 5);
    EXPECT_LE(ink.right, 5 + sans->textWidth("HxH"));
  }
  // Descenders reach below the baseline, within the descent.
  Image image(60, 50, white);
  sans->drawText(image, 5, 0, "gjp", Rgb{0, 0, 0});
  const Ink ink = inkOf(image, white);
  EXPECT_GT(ink.bottom, sans->ascent() - 1);
  EXPECT_LT(ink.bottom, sans->textHeight());
}

TEST(TextFacility, DrawsBiLevelAndOverwrites) {
  const auto sans = defaultTextFacility().createFont(font("DejaVu Sans", -30, kFontItalic));
  const Rgb background{10, 20, 30};
  const Rgb first{200, 100, 50};
  const Rgb second{1, 2, 3};
  Image image(80, 50, background);
  sans->drawText(image, 3, 3, "Qa&\xA9", first);
  std::set<std::tuple<int, int, int>> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb p = image.pixel(x, y);
      colours.insert({p.r, p.g, p.b});
    }
  }
  EXPECT_EQ(colours.size(), 2u) << "no grey smoothing";
  // Drawing again in another colour replaces every pixel the text covers.
  sans->drawText(image, 3, 3, "Qa&\xA9", second);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ASSERT_NE(image.pixel(x, y), first);
  }
  // Clipped at every edge without touching memory outside the image.
  Image tiny(4, 4, background);
  sans->drawText(tiny, -10, -12, "WWW", first);
  sans->drawText(tiny, 2, 1, "WWW", first);
  EXPECT_NE(tiny, Image(4, 4, background));
}

TEST(TextFacility, UnderlineAndStrikeOutSpanTheAdvances) {
  const Rgb white{255, 255, 255};
  const auto plain = defaultTextFacility().createFont(font("DejaVu Sans", -24));
  const auto lined =
      defaultTextFacility().createFont(font("DejaVu Sans", -24, kFontUnderline | kFontStrikeOut));
  Image image(60, 40, white);
  lined->drawText(image, 0, 0, "   ", Rgb{0, 0, 0});
  const Ink ink = inkOf(image, white);
  EXPECT_EQ(ink.left, 0);
  EXPECT_EQ(ink.right, plain->textWidth("   ") - 1);
  EXPECT_GT(ink.bottom, lined->ascent() - 1) << "underline below the baseline";
  EXPECT_LT(ink.top, lined->ascent()) << "strike-out above it";
}

TEST(TextFacility, UnknownFamiliesFallBackAndSizesAreBounded) {
  const auto fallback = defaultTextFacility().createFont(font("Tahoma", -24, kFontBold));
  EXPECT_GT(fallback->textWidth("Name"), 0);
  EXPECT_GT(fallback->textHeight(), 24);
  EXPECT_THROW((void)defaultTextFacility().createFont(font("DejaVu Sans", -5000)), Error);
  // The missing face is fontconfig's own best match, the same at every run.
  std::FILE* pipe = popen("fc-match -f '%{file}' 'Tahoma:bold' 2>/dev/null", "r");
  ASSERT_NE(pipe, nullptr);
  char file[512] = {};
  const size_t read = std::fread(file, 1, sizeof file - 1, pipe);
  if (pclose(pipe) != 0 || read == 0) GTEST_SKIP() << "fc-match is not installed";
  EXPECT_EQ(resolveFace("Tahoma", true, false).file, std::string(file, read));
}

TEST(TextFacility, Windows1252Codes) {
  EXPECT_EQ(cp1252ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(cp1252ToUnicode(0x9F), U'\u0178');
  EXPECT_EQ(cp1252ToUnicode(0x81), U'\u0081');  // undefined codes map to themselves
  EXPECT_EQ(cp1252ToUnicode(0xA9), U'\u00A9');
  EXPECT_EQ(cp1252ToUnicode('A'), U'A');
  EXPECT_EQ(utf8ToCp1252("\xC2\xA9 2003 \xE2\x82\xAC"), "\xA9 2003 \x80");
  EXPECT_EQ(utf8ToCp1252("\xE6\xBC\xA2"), "?");      // outside the code page
  EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");            // cut short
  EXPECT_EQ(utf8ToCp1252("\xC3(\xFF"), "?(?");       // bad continuation, stray byte
  EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80"), "?");  // four bytes, outside
  for (int code = 1; code < 256; ++code) {
    const std::string one(1, static_cast<char>(code));
    if (code >= 0x80 && code < 0xA0 &&
        cp1252ToUnicode(static_cast<uint8_t>(code)) == char32_t(code)) {
      continue;  // the five undefined codes have no character of their own
    }
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << code;
  }

  // Code 0x80 draws the euro sign, not the glyph of U+0080.
  const auto sans = defaultTextFacility().createFont(font("DejaVu Sans", -24));
  const Rgb white{255, 255, 255};
  Image euro(30, 30, white);
  Image question(30, 30, white);
  sans->drawText(euro, 0, 0, "\x80", Rgb{});
  sans->drawText(question, 0, 0, "?", Rgb{});
  EXPECT_GE(inkOf(euro, white).right, 0);
  EXPECT_NE(euro, question);
}

}  // namespace
}  // namespace lumabord
