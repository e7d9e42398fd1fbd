// Metafile drawing state and scanline rasteriser.
#include "codecs/metafile_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/error.h"
#include "codecs/metafile_rop.h"

namespace lumabord {
namespace {

// Work (pixels visited) a metafile may cost per pixel of its picture before it is refused:
// far beyond real drawings, but a crafted file of many full-picture shapes cannot hang.
constexpr uint64_t kWorkPerPixel = 256;
constexpr uint64_t kWorkBase = uint64_t{1} << 24;
// Points a recorded path may hold; figures beyond it are dropped, which no real path reaches.
constexpr size_t kMaxPathPoints = size_t{1} << 22;

struct Edge {
  double x0, y0, x1, y1;
  int direction;
};

// Keeps coordinates of absurd files in a range where the arithmetic below stays exact
// enough and every cast to int is defined.
double clampCoordinate(double v) {
  if (std::isnan(v)) return 0;
  return std::clamp(v, -1e8, 1e8);
}

}  // namespace

MetafileCanvas::MetafileCanvas(int width, int height, std::string name)
    : image_(width, height, Rgb{255, 255, 255}),
      name_(std::move(name)),
      budget_(kWorkBase +
              kWorkPerPixel * static_cast<uint64_t>(width) * static_cast<uint64_t>(height)) {}

void MetafileCanvas::spend(uint64_t work) {
  if (work > budget_)
    throw MetafileTooCostly(formatMessage(
        "Cannot load image %s: the metafile draws more than its picture can hold", name_.c_str()));
  budget_ -= work;
}

void MetafileCanvas::select(const MetaObject& object) {
  if (const auto* pen = std::get_if<MetaPen>(&object)) state_.pen = *pen;
  if (const auto* brush = std::get_if<MetaBrush>(&object)) state_.brush = *brush;
  if (const auto* font = std::get_if<MetaFont>(&object)) state_.font = *font;
  if (const auto* region = std::get_if<MetaRegion>(&object)) {
    std::vector<MetaRect> pixels;
    for (const MetaRect& r : region->rects) pixels.push_back({toPixels(r.a), toPixels(r.b)});
    combineClip(pixels, ClipCombine::Copy);
  }
}

void MetafileCanvas::save() {
  // Bounded so that a file of nothing but saves cannot grow memory without end.
  if (saved_.size() < 4096) saved_.push_back(state_);
}

void MetafileCanvas::restore(int n) {
  if (saved_.empty()) return;
  size_t keep = 0;  // saved states left after restoring
  if (n < 0) {
    const size_t back = static_cast<size_t>(-static_cast<int64_t>(n));
    if (back > saved_.size()) return;
    keep = saved_.size() - back;
  } else {
    if (n == 0 || static_cast<size_t>(n) > saved_.size()) return;
    keep = static_cast<size_t>(n) - 1;
  }
  state_ = saved_[keep];
  saved_.resize(keep);
}

MetaPoint MetafileCanvas::toPixels(MetaPoint logical) const {
  const MetaState& s = state_;
  const MetaPoint p = s.world.apply(logical);
  double sx = 1, sy = 1;
  if (s.mapMode == kMapAnisotropic || s.mapMode == kMapIsotropic) {
    sx = s.windowExt.x != 0 ? s.viewportExt.x / s.windowExt.x : 1;
    sy = s.windowExt.y != 0 ? s.viewportExt.y / s.windowExt.y : 1;
    if (s.mapMode == kMapIsotropic) {
      // The same scale on both axes, the smaller one, each keeping its sign.
      const double m = std::min(std::abs(sx), std::abs(sy));
      sx = std::copysign(m, sx);
      sy = std::copysign(m, sy);
    }
  }
  const double dx = (p.x - s.windowOrg.x) * sx + s.viewportOrg.x;
  const double dy = (p.y - s.windowOrg.y) * sy + s.viewportOrg.y;
  return {clampCoordinate((dx - deviceOrigin_.x) * deviceScale_.x),
          clampCoordinate((dy - deviceOrigin_.y) * deviceScale_.y)};
}

MetaPoint MetafileCanvas::deviceToPixels(MetaPoint device) const {
  return {clampCoordinate((device.x - deviceOrigin_.x) * deviceScale_.x),
          clampCoordinate((device.y - deviceOrigin_.y) * deviceScale_.y)};
}

MetaPoint MetafileCanvas::unitPixels() const {
  const MetaPoint o = toPixels({0, 0}), x = toPixels({1, 0}), y = toPixels({0, 1});
  return {std::hypot(x.x - o.x, x.y - o.y), std::hypot(y.x - o.x, y.y - o.y)};
}

double MetafileCanvas::penPixels() const {
  const MetaPoint o = toPixels({0, 0});
  const MetaPoint w = toPixels({state_.pen.width, 0});
  return std::abs(w.x - o.x);
}

// True where a hatch style draws its line colour.
static bool onHatch(int style, int x, int y) {
  const bool horizontal = (y & 7) == 0, vertical = (x & 7) == 0;
  const bool down = ((x - y) & 7) == 0, up = ((x + y) & 7) == 0;
  switch (style) {
    case 0:
      return horizontal;
    case 1:
      return vertical;
    case 2:
      return down;
    case 3:
      return up;
    case 4:
      return horizontal || vertical;
    default:
      return down || up;
  }
}

std::optional<Rgb> MetafileCanvas::brushAt(int x, int y) const {
  const MetaBrush& brush = state_.brush;
  if (brush.pattern && !brush.pattern->image.empty()) {
    const Image& tile = brush.pattern->image;
    const Rgb c = tile.pixel(x % tile.width(), y % tile.height());
    if (!brush.pattern->monochrome) return c;
    return c == Rgb{0, 0, 0} ? state_.textColour : state_.background;
  }
  if (brush.hatch >= 0 && !onHatch(brush.hatch, x, y)) {
    if (!state_.opaqueBackground) return std::nullopt;
    return state_.background;
  }
  return brush.colour;
}

void MetafileCanvas::plot(int x, int y, Rgb colour) {
  if (!visible(x, y)) return;
  const uint8_t rop = state_.rop;
  image_.setPixel(
      x, y, rop == kRopPatternCopy ? colour : applyRop(rop, colour, colour, image_.pixel(x, y)));
}

void MetafileCanvas::fillBrush(const std::vector<Path>& paths, bool winding) {
  if (!state_.brush.visible) return;
  forEachSpan(paths, winding, [&](int y, int xs, int xe) {
    for (int x = xs; x < xe; ++x) {
      if (const std::optional<Rgb> c = brushAt(x, y)) plot(x, y, *c);
    }
  });
}

void MetafileCanvas::fillSolid(const std::vector<Path>& paths, Rgb colour, bool winding) {
  forEachSpan(paths, winding, [&](int y, int xs, int xe) {
    for (int x = xs; x < xe; ++x) plot(x, y, colour);
  });
}

void MetafileCanvas::forEachSpan(const std::vector<Path>& paths, bool winding,
                                 const std::function<void(int, int, int)>& visit) {
  std::vector<Edge> edges;
  double top = 1e300, bottom = -1e300;
  for (const Path& path : paths) {
    for (size_t i = 0; i < path.size(); ++i) {
      const MetaPoint a = path[i], b = path[(i + 1) % path.size()];
      top = std::min({top, a.y, b.y});
      bottom = std::max({bottom, a.y, b.y});
      if (a.y == b.y) continue;
      edges.push_back(a.y < b.y ? Edge{a.x, a.y, b.x, b.y, 1} : Edge{b.x, b.y, a.x, a.y, -1});
    }
  }
  spend(edges.size() + 1);  // shapes off the picture cost their edges too
  if (edges.empty()) return;
  // Coordinates may lie anywhere (text boxes as long as their advances say): clamped
  // before they become pixel numbers.
  const int y0 = firstPixelAt(top, image_.height());
  const int y1 = firstPixelAt(bottom, image_.height()) - 1;
  std::vector<std::pair<double, int>> crossings;
  for (int y = y0; y <= y1; ++y) {
    const double yc = y + 0.5;
    crossings.clear();
    spend(edges.size() + 1);
    for (const Edge& e : edges) {
      if (yc < e.y0 || yc >= e.y1) continue;
      crossings.emplace_back(e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.direction);
    }
    std::sort(crossings.begin(), crossings.end());
    int wind = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      wind += winding ? crossings[i].second : 1;
      const bool inside = winding ? wind != 0 : (wind & 1) != 0;
      if (!inside) continue;
      // Pixels whose centres lie in [left, right).
      const int xs = firstPixelAt(crossings[i].first, image_.width());
      const int xe = firstPixelAt(crossings[i + 1].first, image_.width());
      if (xe <= xs) continue;
      spend(static_cast<uint64_t>(xe - xs));
      visit(y, xs, xe);
    }
  }
}

void MetafileCanvas::line1(MetaPoint a, MetaPoint b, Rgb colour) {
  // Clip to the picture first, so that a line across a huge range costs only what it draws.
  double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
  const double w = image_.width(), h = image_.height();
  // Liang-Barsky against [-1, w] x [-1, h].
  double t0 = 0, t1 = 1;
  const double dx = x1 - x0, dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 + 1, w - x0, y0 + 1, h - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return;
    } else {
      const double t = q[i] / p[i];
      if (p[i] < 0)
        t0 = std::max(t0, t);
      else
        t1 = std::min(t1, t);
    }
  }
  if (t0 > t1) return;
  x1 = x0 + t1 * dx;
  y1 = y0 + t1 * dy;
  x0 += t0 * dx;
  y0 += t0 * dy;
  int ix = static_cast<int>(std::floor(x0)), iy = static_cast<int>(std::floor(y0));
  const int ex = static_cast<int>(std::floor(x1)), ey = static_cast<int>(std::floor(y1));
  const int sx = ix < ex ? 1 : -1, sy = iy < ey ? 1 : -1;
  const int ax = std::abs(ex - ix), ay = -std::abs(ey - iy);
  int err = ax + ay;
  spend(static_cast<uint64_t>(ax - ay) + 1);
  for (;;) {
    if (ix >= 0 && iy >= 0 && ix < image_.width() && iy < image_.height()) plot(ix, iy, colour);
    if (ix == ex && iy == ey) break;
    const int e2 = 2 * err;
    if (e2 >= ay) {
      err += ay;
      ix += sx;
    }
    if (e2 <= ax) {
      err += ax;
      iy += sy;
    }
  }
}

void MetafileCanvas::stroke(const Path& path, bool closed) {
  if (!state_.pen.visible || path.empty()) return;
  const Rgb colour = state_.pen.colour;
  const double width = penPixels();
  const size_t segments = closed ? path.size() : path.size() - 1;
  if (width <= 1.5) {
    for (size_t i = 0; i < segments; ++i) line1(path[i], path[(i + 1) % path.size()], colour);
    if (path.size() == 1) line1(path[0], path[0], colour);
    return;
  }
  // Wide pens: each segment as a rectangle, each joint as a disc (round joins and caps),
  // filled one by one so that long outlines need no more memory than one shape. They are
  // centred on the pixels the points name, as one-pixel lines are.
  const double r = width / 2;
  const auto centre = [&](size_t i) { return MetaPoint{path[i].x + 0.5, path[i].y + 0.5}; };
  for (size_t i = 0; i < segments; ++i) {
    const MetaPoint a = centre(i), b = centre((i + 1) % path.size());
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len == 0) continue;
    const double nx = -(b.y - a.y) / len * r, ny = (b.x - a.x) / len * r;
    fillSolid(
        {{{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}},
        colour, true);
  }
  const int steps = std::clamp(static_cast<int>(r * 2), 8, 64);
  Path disc(static_cast<size_t>(steps));
  for (size_t i = 0; i < path.size(); ++i) {
    const MetaPoint c = centre(i);
    for (int k = 0; k < steps; ++k) {
      const double t = 2 * std::numbers::pi * k / steps;
      disc[static_cast<size_t>(k)] = {c.x + r * std::cos(t), c.y + r * std::sin(t)};
    }
    fillSolid({disc}, colour, true);
  }
}

bool MetafileCanvas::record(Path points, bool closed, bool continues) {
  if (!recording_) return false;
  if (pathPoints_ + points.size() > kMaxPathPoints) return true;
  pathPoints_ += points.size();
  if (continues && !figures_.empty() && !figures_.back().closed) {
    Path& open = figures_.back().points;
    open.insert(open.end(), points.begin(), points.end());
  } else {
    figures_.push_back({std::move(points), closed});
  }
  return true;
}

void MetafileCanvas::beginPath() {
  abortPath();
  recording_ = true;
}

void MetafileCanvas::abortPath() {
  recording_ = false;
  figures_.clear();
  pathPoints_ = 0;
}

void MetafileCanvas::closeFigure() {
  if (recording_ && !figures_.empty()) figures_.back().closed = true;
}

void MetafileCanvas::drawPath(bool fillFigures, bool strokeFigures) {
  if (fillFigures) {
    // Filling closes every figure.
    std::vector<Path> paths;
    for (const Figure& f : figures_) paths.push_back(f.points);
    fillBrush(paths, state_.winding);
  }
  if (strokeFigures) {
    for (const Figure& f : figures_) stroke(f.points, f.closed);
  }
  abortPath();
}

void MetafileCanvas::polygons(const std::vector<std::vector<MetaPoint>>& logical) {
  std::vector<Path> paths;
  for (const auto& poly : logical) {
    Path p;
    for (const MetaPoint& q : poly) p.push_back(toPixels(q));
    paths.push_back(std::move(p));
  }
  if (recording_) {
    for (Path& p : paths) record(std::move(p), true, false);
    return;
  }
  fillBrush(paths, state_.winding);
  for (const Path& p : paths) stroke(p, true);
}

void MetafileCanvas::polyline(std::span<const MetaPoint> logical) {
  Path p;
  for (const MetaPoint& q : logical) p.push_back(toPixels(q));
  if (!logical.empty()) state_.position = logical.back();
  if (!record(p, false, false)) stroke(p, false);
}

void MetafileCanvas::polylineTo(std::span<const MetaPoint> logical) {
  Path p{toPixels(state_.position)};
  for (const MetaPoint& q : logical) p.push_back(toPixels(q));
  if (!logical.empty()) state_.position = logical.back();
  if (recording_) {
    // An open figure already ends at the current position.
    const bool continues = !figures_.empty() && !figures_.back().closed;
    record(continues ? Path(p.begin() + 1, p.end()) : p, false, continues);
    return;
  }
  stroke(p, false);
}

void MetafileCanvas::lineTo(MetaPoint logical) {
  polylineTo({&logical, 1});
}

void MetafileCanvas::moveTo(MetaPoint logical) {
  state_.position = logical;
  record({toPixels(logical)}, false, false);
}

void MetafileCanvas::rectangle(MetaPoint c1, MetaPoint c2) {
  MetaPoint a = toPixels(c1), b = toPixels(c2);
  if (a.x > b.x) std::swap(a.x, b.x);
  if (a.y > b.y) std::swap(a.y, b.y);
  if (record({{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}}, true, false)) return;
  fillBrush({{{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}}}, false);
  // The outline lies inside the right and bottom edges, as the rectangle's pixels do.
  if (penPixels() <= 1.5) {
    b.x -= 1;
    b.y -= 1;
  }
  stroke({{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}}, true);
}

void MetafileCanvas::ellipse(MetaPoint c1, MetaPoint c2) {
  const MetaPoint a = toPixels(c1), b = toPixels(c2);
  const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
  const double rx = std::abs(b.x - a.x) / 2, ry = std::abs(b.y - a.y) / 2;
  const int steps = std::clamp(static_cast<int>((rx + ry) * 2), 16, 1440);
  Path p;
  for (int k = 0; k < steps; ++k) {
    const double t = 2 * std::numbers::pi * k / steps;
    p.push_back({cx + rx * std::cos(t), cy + ry * std::sin(t)});
  }
  if (record(p, true, false)) return;
  fillBrush({p}, false);
  stroke(p, true);
}

void MetafileCanvas::roundRectangle(MetaPoint c1, MetaPoint c2, MetaPoint cornerSize) {
  MetaPoint a = toPixels(c1), b = toPixels(c2);
  if (a.x > b.x) std::swap(a.x, b.x);
  if (a.y > b.y) std::swap(a.y, b.y);
  const MetaPoint o = toPixels({0, 0}), s = toPixels(cornerSize);
  const double rx = std::min(std::abs(s.x - o.x) / 2, (b.x - a.x) / 2);
  const double ry = std::min(std::abs(s.y - o.y) / 2, (b.y - a.y) / 2);
  const int steps = std::clamp(static_cast<int>(rx + ry), 2, 360);
  // Quarter arcs from the top-right corner on, clockwise on the screen.
  const MetaPoint centres[4] = {
      {b.x - rx, a.y + ry}, {b.x - rx, b.y - ry}, {a.x + rx, b.y - ry}, {a.x + rx, a.y + ry}};
  Path p;
  for (int q = 0; q < 4; ++q) {
    for (int k = 0; k <= steps; ++k) {
      const double t = std::numbers::pi / 2 * (q - 1 + static_cast<double>(k) / steps);
      p.push_back({centres[q].x + rx * std::cos(t), centres[q].y + ry * std::sin(t)});
    }
  }
  if (record(p, true, false)) return;
  fillBrush({p}, false);
  stroke(p, true);
}

void MetafileCanvas::drawImage(const Image& src, int srcX, int srcY, int srcW, int srcH,
                               MetaPoint dest, MetaPoint destSize, uint8_t rop) {
  const MetaPoint a = toPixels(dest);
  const MetaPoint b = toPixels({dest.x + destSize.x, dest.y + destSize.y});
  if (src.empty() || srcW == 0 || srcH == 0 || a.x == b.x || a.y == b.y) return;
  const int x0 = std::max(0, static_cast<int>(std::ceil(std::min(a.x, b.x) - 0.5)));
  const int x1 = std::min(image_.width(), static_cast<int>(std::ceil(std::max(a.x, b.x) - 0.5)));
  const int y0 = std::max(0, static_cast<int>(std::ceil(std::min(a.y, b.y) - 0.5)));
  const int y1 = std::min(image_.height(), static_cast<int>(std::ceil(std::max(a.y, b.y) - 0.5)));
  if (x1 <= x0 || y1 <= y0) return;
  spend(static_cast<uint64_t>(x1 - x0) * static_cast<uint64_t>(y1 - y0));
  for (int y = y0; y < y1; ++y) {
    // Mirrored destinations (b before a) run the source backwards.
    const double v = (y + 0.5 - a.y) / (b.y - a.y);
    const int64_t sy = int64_t{srcY} + static_cast<int64_t>(std::floor(v * srcH));
    if (sy < 0 || sy >= src.height()) continue;
    for (int x = x0; x < x1; ++x) {
      const double u = (x + 0.5 - a.x) / (b.x - a.x);
      const int64_t sx = int64_t{srcX} + static_cast<int64_t>(std::floor(u * srcW));
      if (sx < 0 || sx >= src.width() || !visible(x, y)) continue;
      const Rgb s = src.pixel(static_cast<int>(sx), static_cast<int>(sy));
      if (rop == kRopSourceCopy) {
        image_.setPixel(x, y, s);
        continue;
      }
      const Rgb p = state_.brush.visible ? brushAt(x, y).value_or(Rgb{}) : Rgb{};
      image_.setPixel(x, y, applyRop(rop, p, s, image_.pixel(x, y)));
    }
  }
}

void MetafileCanvas::fillWithBrush(MetaPoint dest, MetaPoint destSize, uint8_t rop) {
  const MetaPoint a = toPixels(dest);
  const MetaPoint b = toPixels({dest.x + destSize.x, dest.y + destSize.y});
  const std::vector<Path> box{{{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}}};
  if (rop == kRopPatternCopy) {
    // As a shape: pens' and brushes' raster mode aside, blits of the brush copy it.
    forEachSpan(box, false, [&](int y, int xs, int xe) {
      if (!state_.brush.visible) return;
      for (int x = xs; x < xe; ++x) {
        if (const std::optional<Rgb> c = brushAt(x, y)) plotCopy(x, y, *c);
      }
    });
    return;
  }
  forEachSpan(box, false, [&](int y, int xs, int xe) {
    for (int x = xs; x < xe; ++x) {
      if (!visible(x, y)) continue;
      const Rgb p = state_.brush.visible ? brushAt(x, y).value_or(Rgb{}) : Rgb{};
      image_.setPixel(x, y, applyRop(rop, p, Rgb{}, image_.pixel(x, y)));
    }
  });
}

}  // namespace lumabord
