// The drawing surface shared by the WMF and EMF readers: a white picture, the device
// context state those files drive (pen, brush, fill mode, window/viewport mapping, current
// position, saved states) and a scanline rasteriser for the shapes they draw.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "base/error.h"
#include "base/image.h"

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

struct MetaBrush {
  bool visible = true;
  Rgb colour{255, 255, 255};
  int hatch = -1;  // solid, or a hatch style: 0 -, 1 |, 2 \, 3 /, 4 +, 5 x (8-pixel cells)
};

// What a metafile's object table holds: nothing (a free slot), a pen, a brush, or an
// object that takes a slot but is not drawn (palettes, fonts, regions).
struct MetaOther {};
using MetaObject = std::variant<std::monostate, MetaPen, MetaBrush, MetaOther>;

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
  Rgb background{255, 255, 255};  // between hatch lines, unless the background is transparent
  bool opaqueBackground = true;
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
  // Makes a pen or brush the current one; other objects change nothing.
  void select(const MetaObject& object);
  void save();
  // n < 0: restore the state saved -n saves ago; n > 0: the n-th saved state.
  void restore(int n);

  // Logical coordinates to pixel coordinates through the window/viewport mapping.
  [[nodiscard]] MetaPoint toPixels(MetaPoint logical) const;

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
  void drawImage(const Image& src, int srcX, int srcY, int srcW, int srcH, MetaPoint dest,
                 MetaPoint destSize);
  // Fills the logical rectangle with the brush (blits that take their colour from it).
  void fillWithBrush(MetaPoint dest, MetaPoint destSize);

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
  void fill(const std::vector<Path>& pixelPaths, Rgb colour, bool winding, int hatch = -1);
  // Fills with the current brush, if it is visible.
  void fillBrush(const std::vector<Path>& pixelPaths, bool winding);
  void stroke(const Path& pixelPath, bool closed);
  void line1(MetaPoint a, MetaPoint b, Rgb colour);
  double penPixels() const;

  Image image_;
  std::string name_;
  MetaState state_;
  std::vector<MetaState> saved_;
  MetaPoint deviceOrigin_, deviceScale_{1, 1};
  uint64_t budget_;
  bool recording_ = false;
  std::vector<Figure> figures_;
  size_t pathPoints_ = 0;
};

}  // namespace lumabord
