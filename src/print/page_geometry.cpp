// Page geometry with the documented roundings.
#include "print/page_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "base/error.h"
#include "base/rounding.h"
#include "compose/resample.h"

namespace lumabord {
namespace {

constexpr std::array<std::pair<std::string_view, ImagePosition>, 9> kPositionNames{{
    {"top-left", ImagePosition::TopLeft},
    {"top", ImagePosition::Top},
    {"top-right", ImagePosition::TopRight},
    {"right", ImagePosition::Right},
    {"bottom-right", ImagePosition::BottomRight},
    {"bottom", ImagePosition::Bottom},
    {"bottom-left", ImagePosition::BottomLeft},
    {"left", ImagePosition::Left},
    {"center", ImagePosition::Center},
}};

void requirePositive(int dpi, const char* what) {
  if (dpi <= 0) fail("The %s resolution must be positive, not %d pixels per inch", what, dpi);
}

// An image's natural size on paper: one pixel is one screen pixel, in hundredths of an inch
// (halves away from zero). Only absurd sizes or resolutions exceed an int; such a size
// exceeds every printable area, so it is scaled down, its aspect kept, before fitting.
Size naturalSize(int width, int height, int screenDpi) {
  const auto hundredths = [screenDpi](int pixels) {
    return (int64_t{pixels} * 200 + screenDpi) / (int64_t{screenDpi} * 2);
  };
  const int64_t w = hundredths(width), h = hundredths(height);
  constexpr int64_t kLargest = int64_t{1} << 30;
  const int64_t larger = std::max(w, h);
  if (larger <= kLargest) return {static_cast<int>(w), static_cast<int>(h)};
  const double scale = static_cast<double>(kLargest) / static_cast<double>(larger);
  return {static_cast<int>(std::llround(static_cast<double>(w) * scale)),
          static_cast<int>(std::llround(static_cast<double>(h) * scale))};
}

}  // namespace

void equalizeMargins(PageSetup& setup) {
  const int margin =
      std::max({setup.marginLeft, setup.marginTop, setup.marginRight, setup.marginBottom, 0});
  setup.marginLeft = setup.marginTop = setup.marginRight = setup.marginBottom = margin;
}

std::optional<ImagePosition> positionFromName(std::string_view name) {
  for (const auto& [text, position] : kPositionNames) {
    if (text == name) return position;
  }
  return std::nullopt;
}

int paperHundredths(int thousandths) {
  return static_cast<int>(std::clamp<int64_t>(roundHalfEven(thousandths / 10.0), 1, 32767));
}

int marginHundredths(int thousandths, int dpi) {
  requirePositive(dpi, "printer");
  const int64_t pixels = roundHalfEven(static_cast<double>(thousandths) / 1000.0 * dpi);
  // Margins far outside any sheet stay far outside it without overflowing.
  const auto clamped = static_cast<int32_t>(std::clamp<int64_t>(pixels, -(1 << 30), 1 << 30));
  return mulDiv(clamped, 100, dpi);
}

PageGeometry pageGeometry(const PageSetup& setup, int dpiX, int dpiY) {
  requirePositive(dpiX, "printer");
  requirePositive(dpiY, "printer");
  PageGeometry page;
  page.paperWidth = paperHundredths(setup.paperWidth);
  page.paperHeight = paperHundredths(setup.paperHeight);
  page.printable = {marginHundredths(setup.marginLeft, dpiX),
                    marginHundredths(setup.marginTop, dpiY),
                    page.paperWidth - marginHundredths(setup.marginRight, dpiX),
                    page.paperHeight - marginHundredths(setup.marginBottom, dpiY)};
  return page;
}

PageRect placeImage(const PageGeometry& page, int width, int height, int screenDpi,
                    ImagePosition position) {
  requirePositive(screenDpi, "screen");
  const PageRect& area = page.printable;
  const int areaW = area.width();
  const int areaH = area.height();
  if (areaW <= 0 || areaH <= 0 || width <= 0 || height <= 0) {
    return {area.left, area.top, area.left, area.top};
  }
  const Size natural = naturalSize(width, height, screenDpi);
  // A tiny image at a coarse screen resolution may round to nothing on paper.
  const Size fitted = natural.width == 0 || natural.height == 0
                          ? Size{}
                          : FitWithin(natural.width, natural.height, areaW, areaH);
  const int w = fitted.width;
  const int h = fitted.height;
  int x = area.left + static_cast<int>(roundHalfEven((areaW - w) / 2.0));
  int y = area.top + static_cast<int>(roundHalfEven((areaH - h) / 2.0));
  switch (position) {
    case ImagePosition::TopLeft:
    case ImagePosition::Left:
    case ImagePosition::BottomLeft:
      x = area.left;
      break;
    case ImagePosition::TopRight:
    case ImagePosition::Right:
    case ImagePosition::BottomRight:
      x = area.right - w;
      break;
    default:
      break;
  }
  switch (position) {
    case ImagePosition::TopLeft:
    case ImagePosition::Top:
    case ImagePosition::TopRight:
      y = area.top;
      break;
    case ImagePosition::BottomLeft:
    case ImagePosition::Bottom:
    case ImagePosition::BottomRight:
      y = area.bottom - h;
      break;
    default:
      break;
  }
  return {x, y, x + w, y + h};
}

}  // namespace lumabord
