// Where the framed image lies on the printed page: the paper and margins in hundredths of an
// inch, the image's natural size on paper and its place in one of nine positions.
#pragma once

#include <optional>
#include <string_view>

namespace lumabord {

// The page setup's paper and margins, in thousandths of an inch.
struct PageSetup {
  int paperWidth = 8500;
  int paperHeight = 11000;
  int marginLeft = 250;
  int marginTop = 250;
  int marginRight = 250;
  int marginBottom = 250;
  friend bool operator==(const PageSetup&, const PageSetup&) = default;
};

// All four margins become the largest of the four (0 when all are negative).
void equalizeMargins(PageSetup& setup);

// The nine places of the image, numbered as the print dialog stores them.
enum class ImagePosition {
  TopLeft = 0,
  Top = 1,
  TopRight = 2,
  Right = 3,
  BottomRight = 4,
  Bottom = 5,
  BottomLeft = 6,
  Left = 7,
  Center = 8,
};

// "top-left", "top", ..., "center" (the command line's names); nullopt for anything else.
[[nodiscard]] std::optional<ImagePosition> positionFromName(std::string_view name);

// A rectangle in hundredths of an inch from the sheet's top-left corner; right and bottom
// are exclusive.
struct PageRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  [[nodiscard]] int width() const { return right - left; }
  [[nodiscard]] int height() const { return bottom - top; }
  friend bool operator==(const PageRect&, const PageRect&) = default;
};

// The sheet and its printable area in hundredths of an inch.
struct PageGeometry {
  int paperWidth = 0;   // PW
  int paperHeight = 0;  // PH
  PageRect printable;   // (l, t) to (PW - r, PH - b)
};

// Thousandths to hundredths, halves to even, kept within 1 to 32767.
[[nodiscard]] int paperHundredths(int thousandths);
// A margin through printer pixels: round(margin / 1000 * dpi) pixels (halves to even), then
// pixels * 100 / dpi (halves away from zero). dpi must be positive.
[[nodiscard]] int marginHundredths(int thousandths, int dpi);

// Throws Error when a resolution is not positive.
[[nodiscard]] PageGeometry pageGeometry(const PageSetup& setup, int dpiX, int dpiY);

// Where an image of width x height pixels lies: one image pixel counts as one screen pixel
// (screenDpi per inch), fitted into the printable area without enlarging, then placed. An
// empty printable area gives an empty rectangle at its corner. Throws Error when screenDpi
// is not positive.
[[nodiscard]] PageRect placeImage(const PageGeometry& page, int width, int height, int screenDpi,
                                  ImagePosition position);

}  // namespace lumabord
