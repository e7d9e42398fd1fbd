// Arcs, chords and pies of the metafile canvas. The start and end points only give
// directions: each names the ray from the ellipse's centre through it, and the figure runs
// along the ellipse from the first ray to the second, counter-clockwise as the logical axes
// run (the default arc direction), so on the usual y-down mapping it turns
// counter-clockwise on the screen; equal rays make the whole ellipse.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "codecs/metafile_canvas.h"

namespace lumabord {

void MetafileCanvas::arc(ArcKind kind, MetaPoint c1, MetaPoint c2, MetaPoint start, MetaPoint end) {
  const MetaPoint a = toPixels(c1), b = toPixels(c2);
  const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
  const double rx = std::abs(b.x - a.x) / 2, ry = std::abs(b.y - a.y) / 2;
  if (!(rx > 0) || !(ry > 0)) return;
  // A mapping that mirrors one axis turns the logical counter-clockwise into clockwise on
  // the screen: swap the rays so that the same part of the ellipse is drawn.
  const MetaPoint o = toPixels({0, 0}), ux = toPixels({1, 0}), uy = toPixels({0, 1});
  const double determinant = (ux.x - o.x) * (uy.y - o.y) - (ux.y - o.y) * (uy.x - o.x);
  if (determinant > 0) std::swap(start, end);
  // Angles of the ellipse's parameter, measured with y pointing down, so increasing angles
  // run clockwise on the screen.
  const auto angleOf = [&](MetaPoint logical) {
    const MetaPoint p = toPixels(logical);
    return std::atan2((p.y - cy) / ry, (p.x - cx) / rx);
  };
  const double from = angleOf(start);
  double to = angleOf(end);
  if (!std::isfinite(from) || !std::isfinite(to)) return;
  if (to <= from) to += 2 * std::numbers::pi;
  const int steps =
      std::clamp(static_cast<int>((rx + ry) * (to - from) / std::numbers::pi), 4, 1440);
  Path p;
  for (int k = 0; k <= steps; ++k) {
    const double t = from + (to - from) * k / steps;
    p.push_back({cx + rx * std::cos(t), cy + ry * std::sin(t)});
  }
  if (kind == ArcKind::Arc) {
    if (record(p, false, false)) return;
    stroke(p, false);
    return;
  }
  if (kind == ArcKind::Pie) p.push_back({cx, cy});
  if (record(p, true, false)) return;
  fillBrush({p}, false);
  stroke(p, true);
}

}  // namespace lumabord
