// lumabord-cli text: draws a line of 3D lettering onto a background and writes it, so the
// lettering can be looked at without the window.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "args.h"
#include "base/error.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "command.h"
#include "compose/color.h"
#include "platform/cp1252.h"
#include "signature/smooth_font_manager3d.h"
#include "signature/smooth_text3d.h"

namespace lumabord::cli {
namespace {

constexpr int kBackgroundMargin = 12;

TSmoothFontSite parseSite(const std::string& text) {
  if (text == "flying") return TSmoothFontSite::sfpFlying;
  if (text == "raised") return TSmoothFontSite::sfpRaised;
  if (text == "lowered") return TSmoothFontSite::sfpLowered;
  throw UsageError("--site must be flying, raised or lowered, not '" + text + "'");
}

TSmoothFontShadowStyle parseShadow(const std::string& text) {
  if (text == "sharp") return TSmoothFontShadowStyle::sfssSharp;
  if (text == "diffuse") return TSmoothFontShadowStyle::sfssDiffuse;
  if (text == "none") return TSmoothFontShadowStyle::sfssNone;
  throw UsageError("--shadow must be sharp, diffuse or none, not '" + text + "'");
}

ColorValue parseColour(const std::string& text, const char* what) {
  try {
    return textToColor(text);
  } catch (const Error&) {
    throw UsageError(std::string(what) + " must be a colour (clWhite, $00BBGGRR, a number), not '" +
                     text + "'");
  }
}

void applyGradient(const std::string& text, TFont3D& font3d) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (parts.size() < 2 || parts.size() > 3 || (parts.size() == 3 && parts[2] != "horizontal")) {
    throw UsageError("--gradient must be BEGIN,END or BEGIN,END,horizontal");
  }
  font3d.gradient().setActive(true);
  font3d.gradient().setBeginColor(parseColour(parts[0], "--gradient"));
  font3d.gradient().setEndColor(parseColour(parts[1], "--gradient"));
  font3d.gradient().setKind(parts.size() == 3 ? TSmoothFontGradientKind::sfgkHorizontal
                                              : TSmoothFontGradientKind::sfgkVertical);
}

void tile(Image& target, const Image& picture) {
  for (int y = 0; y < target.height(); ++y) {
    for (int x = 0; x < target.width(); ++x) {
      target.setPixel(x, y, picture.pixel(x % picture.width(), y % picture.height()));
    }
  }
}

int runText(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  const std::optional<std::string> text = args.option("text");
  if (!text) throw UsageError("--text is required");

  FontRecord font;
  font.name = args.option("font").value_or("Tahoma");
  if (const auto size = args.intOption("size")) {
    if (*size < 1 || *size > 1000) throw UsageError("--size must be 1 to 1000 points");
    font.setSize(*size);
  }
  font.style = kFontBold;
  if (args.flag("regular")) font.style = 0;
  if (args.flag("bold")) font.style |= kFontBold;
  if (args.flag("italic")) font.style |= kFontItalic;
  if (args.flag("underline")) font.style |= kFontUnderline;

  TFont3D font3d = signatureDefaultDesign();

  if (const auto site = args.option("site")) font3d.setSite(parseSite(*site));
  if (const auto shadow = args.option("shadow")) font3d.shadow().setStyle(parseShadow(*shadow));
  if (const auto view = args.intOption("view")) font3d.setViewDirection(*view);
  if (const auto border = args.intOption("border")) font3d.border().setHeight(*border);
  if (const auto altitude = args.intOption("altitude")) font3d.setAltitude(*altitude);
  if (const auto margin = args.intOption("margin")) font3d.setCharacterMargin(*margin);
  if (const auto borderColour = args.option("border-color")) {
    font3d.border().setColor(parseColour(*borderColour, "--border-color"));
  }
  if (const auto gradient = args.option("gradient")) applyGradient(*gradient, font3d);
  if (const auto solid = args.option("solid")) {
    font3d.gradient().setActive(false);
    font3d.setFrontColor(parseColour(*solid, "--solid"));
  }
  if (const auto texture = args.option("texture")) {
    font3d.gradient().setActive(false);
    font3d.setBitmap(loadPicture(*texture));
  }
  if (const auto aa = args.option("aa")) {
    if (*aa != "on" && *aa != "off") throw UsageError("--aa must be on or off");
    font3d.setAntialiasing(*aa == "on");
  }
  const std::optional<std::string> background = args.option("background");
  const std::optional<std::string> cacheFolder = args.option("cache");
  const std::vector<std::string> rest = args.positionals();
  if (rest.size() != 1) throw UsageError("give exactly one output file");
  const std::filesystem::path out = rest[0];
  std::string extension = out.extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  const std::optional<OutputFormat> format = outputFormatFromExtension(extension);
  if (!format) throw UsageError("the output file must end in .bmp, .tif, .jpg, .png or .webp");

  SmoothText3D& renderer = smoothText3D();
  TSmoothFontManager3D manager(renderer);
  manager.setUseDiskCache(cacheFolder.has_value());
  if (cacheFolder) manager.setDiskCacheDirectory(*cacheFolder);

  const std::string codes = utf8ToCp1252(*text);
  const int width = renderer.textWidth(font, codes, font3d);
  const int height = renderer.textHeight(font, codes, font3d);
  Image canvasImage(std::max(width, 0) + 2 * kBackgroundMargin, height + 2 * kBackgroundMargin,
                    Rgb{255, 255, 255});
  if (background) {
    std::optional<ColorValue> colour;
    try {
      colour = textToColor(*background);
    } catch (const Error&) {
    }
    if (colour) {
      canvasImage.fill(colorToRgb(*colour));
    } else {
      const Image picture = loadPicture(*background);
      if (!picture.empty()) tile(canvasImage, picture);
    }
  }
  TextCanvas canvas{canvasImage, font, BrushStyle::Clear, kClWhite};
  renderer.drawText(canvas, kBackgroundMargin, kBackgroundMargin, kModeTopLeft, font3d, codes);
  writeImageFile(out, canvasImage, *format);
  return 0;
}

const CommandRegistration kRegister{
    {"text",
     "text OUT --text TEXT [--font NAME] [--size PT] [--regular] [--bold] [--italic] "
     "[--underline] [--site flying|raised|lowered] [--shadow sharp|diffuse|none] [--view DEG] "
     "[--border N] [--border-color COLOUR] [--altitude N] [--margin N] "
     "[--gradient BEGIN,END[,horizontal]] [--solid COLOUR] [--texture FILE] [--aa on|off] "
     "[--background COLOUR|FILE] [--cache DIR]",
     runText}};

}  // namespace
}  // namespace lumabord::cli
