// The drawing surface shared by the WMF and EMF readers: a white picture, the device
// context state those files drive (pen, brush, font, fill mode, raster operation, clipping
// region, window/viewport mapping, current position, saved states) and a scanline
// rasteriser for the shapes and text they draw.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "base/error.h"
#include "base/image.h"
#include "codecs/metafile_rop.h"
#include "platform/text_facility.h"

namespace lumabord {

// Thrown when a metafile draws far more than its picture holds. Readers let it through
// while they skip records that are merely malformed.
class MetafileTooCostly : public Error {
 public:
  using Error::Error;
};

struct MetaPoint {
  double x = 0, y = 0;
};

struct MetaPen {
  bool visible = true;
  Rgb colour{};
  double width = 0;  // logical units; 0 and anything thinner than a pixel draw one pixel wide
};

// A bitmap brush, tiled from the picture's top-left corner. Monochrome patterns take
// their colours when they are drawn: black pixels the text colour, the others the
// background colour.
struct MetaPattern {
  Image image;
  bool monochrome = false;
};

struct MetaBrush {
  bool visible = true;
  Rgb colour{255, 255, 255};
  int hatch = -1;  // solid, or a hatch style: 0 -, 1 |, 2 \, 3 /, 4 +, 5 x (8-pixel cells)
  std::shared_ptr<const MetaPattern> pattern{};  // when set, it paints instead of colour
};

// A font as the metafile's logical font describes it.
struct MetaFont {
  std::string face;       // UTF-8
  double height = 0;      // logical units: negative the character height, positive the cell height
  double escapement = 0;  // tenths of a degree, counter-clockwise
  int weight = 400;
  bool italic = false, underline = false, strikeOut = false;
};

// A rectangle whose pixels are those with centres in [a, b) after sorting the corners.
struct MetaRect {
  MetaPoint a, b;
};
// A region of rectangles in logical units.
struct MetaRegion {
  std::vector<MetaRect> rects;
};

// What a metafile's object table holds: nothing (a free slot), a pen, a brush, a font, a
// region, or an object that takes a slot but is not drawn (palettes).
struct MetaOther {};
using MetaObject =
    std::variant<std::monostate, MetaPen, MetaBrush, MetaFont, MetaRegion, MetaOther>;

// The pixels drawing may change: those of the box [x0, x1) x [y0, y1), all of them or
// those the mask (one byte a pixel of the box, row by row) marks. Masks are counted in
// the ledger their canvas shares, so that saved states cannot hold memory without end.
struct MetaClip {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::vector<uint8_t> mask;
  std::shared_ptr<uint64_t> ledger;

  MetaClip() = default;
  MetaClip(const MetaClip&) = delete;
  MetaClip& operator=(const MetaClip&) = delete;
  ~MetaClip() {
    if (ledger) *ledger -= mask.size();
  }
  [[nodiscard]] bool contains(int x, int y) const {
    if (x < x0 || y < y0 || x >= x1 || y >= y1) return false;
    return mask.empty() || mask[static_cast<size_t>(y - y0) * static_cast<size_t>(x1 - x0) +
                                static_cast<size_t>(x - x0)] != 0;
  }
};

// How a new region combines with the clipping region (the files' own numbering).
enum class ClipCombine { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

// A text output record: characters at a logical reference point, with optional advances
// (logical units, one per character) and the rectangle of the opaque and clipped options.
struct MetaText {
  MetaPoint reference;
  std::u32string chars;
  std::vector<double> dx;
  bool opaqueRect = false, clipToRect = false;
  MetaRect rect;
};

// The first pixel whose centre lies at or after v, clamped to [0, limit]: where a span
// from v starts, or where one up to v ends.
[[nodiscard]] inline int firstPixelAt(double v, int limit) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(std::ceil(v - 0.5), 0.0, static_cast<double>(limit)));
}

// The colour of a COLORREF (0x00BBGGRR; palette-index forms keep their low three bytes).
[[nodiscard]] constexpr Rgb colourRef(uint32_t v) {
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16)};
}

enum MapMode : int { kMapText = 1, kMapIsotropic = 7, kMapAnisotropic = 8 };

// An affine transform of world to page coordinates: x' = m11 x + m21 y + dx,
// y' = m12 x + m22 y + dy (enhanced metafiles only; identity otherwise).
struct MetaTransform {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  [[nodiscard]] MetaPoint apply(MetaPoint p) const {
    return {m11 * p.x + m21 * p.y + dx, m12 * p.x + m22 * p.y + dy};
  }
  // The transform that applies `first`, then `second`.
  [[nodiscard]] static MetaTransform chain(const MetaTransform& first,
                                           const MetaTransform& second) {
    return {first.m11 * second.m11 + first.m12 * second.m21,
            first.m11 * second.m12 + first.m12 * second.m22,
            first.m21 * second.m11 + first.m22 * second.m21,
            first.m21 * second.m12 + first.m22 * second.m22,
            first.dx * second.m11 + first.dy * second.m21 + second.dx,
            first.dx * second.m12 + first.dy * second.m22 + second.dy};
  }
};

struct MetaState {
  MetaPen pen;
  MetaBrush brush;
  bool winding = false;  // polygon fill mode: false alternate (even-odd), true winding
  int mapMode = kMapText;
  MetaPoint windowOrg, windowExt{1, 1}, viewportOrg, viewportExt{1, 1};
  MetaPoint position;
  MetaTransform world;
  Rgb background{255, 255, 255};  // between hatch lines and behind text, unless transparent
  bool opaqueBackground = true;
  Rgb textColour{0, 0, 0};
  uint32_t textAlign = 0;  // the files' TA_ bits
  MetaFont font;
  uint8_t rop = kRopPatternCopy;         // how pens and brushes combine with the picture
  std::shared_ptr<const MetaClip> clip;  // none: the whole picture
};

class MetafileCanvas {
 public:
  // A white width x height picture. Device coordinates map to pixels as
  // (device - deviceOrigin) * deviceScale. `name` names the file in messages.
  MetafileCanvas(int width, int height, std::string name);

  MetaState& state() { return state_; }
  void setDeviceToPixels(MetaPoint origin, MetaPoint scale) {
    deviceOrigin_ = origin;
    deviceScale_ = scale;
  }
  // Makes a pen, brush or font the current one, or a region the clipping region; other
  // objects change nothing.
  void select(const MetaObject& object);
  void save();
  // n < 0: restore the state saved -n saves ago; n > 0: the n-th saved state.
  void restore(int n);

  // Logical coordinates to pixel coordinates through the window/viewport mapping.
  [[nodiscard]] MetaPoint toPixels(MetaPoint logical) const;
  // Device coordinates (those of enhanced metafile regions) to pixel coordinates.
  [[nodiscard]] MetaPoint deviceToPixels(MetaPoint device) const;

  // Clipping (metafile_clip.cpp). Rectangles in pixel coordinates combine with the
  // clipping region; the logical forms map their rectangle first.
  void combineClip(std::span<const MetaRect> pixelRects, ClipCombine mode);
  void intersectClip(MetaRect logical);
  void excludeClip(MetaRect logical);
  void offsetClip(MetaPoint logicalDelta);
  void resetClip() { state_.clip.reset(); }
  // Combines the recorded path's figures (filled by the fill mode) and forgets them.
  void clipToPath(ClipCombine mode);

  // Draws text in the current font, text colour and alignment (metafile_text.cpp).
  void text(const MetaText& t);

  // Shapes in logical coordinates, filled with the brush and outlined with the pen.
  void polygons(const std::vector<std::vector<MetaPoint>>& logical);
  void polyline(std::span<const MetaPoint> logical);
  void rectangle(MetaPoint corner1, MetaPoint corner2);
  void ellipse(MetaPoint corner1, MetaPoint corner2);
  // A rectangle whose corners are quarters of an ellipse of the given width and height.
  void roundRectangle(MetaPoint corner1, MetaPoint corner2, MetaPoint cornerSize);
  // The part of the ellipse in the box corner1..corner2 from the ray through `start` to the
  // ray through `end`, counter-clockwise as the logical axes run: an open arc (pen only), a
  // chord (closed by a straight line) or a pie (closed through the centre), both filled.
  enum class ArcKind { Arc, Chord, Pie };
  void arc(ArcKind kind, MetaPoint corner1, MetaPoint corner2, MetaPoint start, MetaPoint end);
  void lineTo(MetaPoint logical);
  // A polyline from the current position through the points, which it moves to the last.
  void polylineTo(std::span<const MetaPoint> logical);
  void moveTo(MetaPoint logical);
  // Charges work (about one unit per pixel touched) to the budget the canvas's size grants;
  // throws MetafileTooCostly when it is spent.
  void spend(uint64_t work);

  // Paths: between beginPath and endPath the shape calls above add figures instead of
  // drawing; drawPath then fills and/or outlines the figures and forgets them.
  void beginPath();
  void endPath() { recording_ = false; }
  void closeFigure();
  void abortPath();
  void drawPath(bool fillFigures, bool strokeFigures);
  // Draws src's (srcX, srcY, srcW, srcH) stretched onto the logical rectangle at dest of
  // size destSize (negative sizes mirror), nearest neighbour.
  // `rop` is the ternary raster operation of the blit (metafile_rop.h).
  void drawImage(const Image& src, int srcX, int srcY, int srcW, int srcH, MetaPoint dest,
                 MetaPoint destSize, uint8_t rop);
  // Blits without a source: the brush (the pattern) combined with the picture by `rop`.
  void fillWithBrush(MetaPoint dest, MetaPoint destSize, uint8_t rop);

  [[nodiscard]] Image take() { return std::move(image_); }

 private:
  using Path = std::vector<MetaPoint>;
  struct Figure {
    Path points;  // pixel coordinates
    bool closed = false;
  };
  // Adds pixel points to the path when one is being recorded: as a new figure, or
  // continuing the open figure (`continues`). False when no path is being recorded.
  bool record(Path points, bool closed, bool continues);
  // Calls visit(y, xStart, xEnd) for the runs of pixels whose centres lie inside the
  // paths, within the picture; charges the work.
  void forEachSpan(const std::vector<Path>& pixelPaths, bool winding,
                   const std::function<void(int y, int xStart, int xEnd)>& visit);
  // Pens and brushes paint through the raster operation; text and its background copy.
  void plot(int x, int y, Rgb colour);
  void plotCopy(int x, int y, Rgb colour) {
    if (visible(x, y)) image_.setPixel(x, y, colour);
  }
  [[nodiscard]] bool visible(int x, int y) const {
    return !state_.clip || state_.clip->contains(x, y);
  }
  // What the brush paints at a pixel: nothing between the lines of a transparent hatch.
  [[nodiscard]] std::optional<Rgb> brushAt(int x, int y) const;
  void fillSolid(const std::vector<Path>& pixelPaths, Rgb colour, bool winding);
  // Fills with the current brush, if it is visible.
  void fillBrush(const std::vector<Path>& pixelPaths, bool winding);
  void stroke(const Path& pixelPath, bool closed);
  void line1(MetaPoint a, MetaPoint b, Rgb colour);
  double penPixels() const;
  // Pixel length of one logical unit along each axis.
  [[nodiscard]] MetaPoint unitPixels() const;
  // A clip of the pixels whose centres lie in the rectangle.
  [[nodiscard]] std::shared_ptr<MetaClip> boxClip(MetaRect pixelRect) const;
  // A clip of the box with an empty mask, charged to the work budget and the mask ledger.
  [[nodiscard]] std::shared_ptr<MetaClip> maskClip(int x0, int y0, int x1, int y1);
  void combineWith(std::shared_ptr<const MetaClip> added, ClipCombine mode);
  const TextFont& openFont(int pixelHeight);
  const TurnedGlyph& glyph(const TextFont& font, char32_t code, int escapement);

  Image image_;
  std::string name_;
  std::shared_ptr<uint64_t> clipLedger_ = std::make_shared<uint64_t>(0);
  MetaState state_;
  std::vector<MetaState> saved_;
  MetaPoint deviceOrigin_, deviceScale_{1, 1};
  uint64_t budget_;
  bool recording_ = false;
  std::vector<Figure> figures_;
  size_t pathPoints_ = 0;
  std::map<std::tuple<std::string, int, int, bool>, std::unique_ptr<TextFont>> fonts_;
  std::map<std::tuple<const TextFont*, char32_t, int>, TurnedGlyph> glyphs_;
  size_t glyphRuns_ = 0;
};

}  // namespace lumabord
