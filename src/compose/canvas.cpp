// Rectangle intersection and difference.
#include "compose/canvas.h"

#include <algorithm>

namespace lumabord {

Rect intersect(const Rect& a, const Rect& b) {
  const int x0 = std::max(a.x, b.x);
  const int y0 = std::max(a.y, b.y);
  const int x1 = std::min(a.right(), b.right());
  const int y1 = std::min(a.bottom(), b.bottom());
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

int subtract(const Rect& a, const Rect& b, std::array<Rect, 4>& bands) {
  if (a.empty()) return 0;
  const Rect c = intersect(a, b);
  if (c.empty()) {
    bands[0] = a;
    return 1;
  }
  int count = 0;
  auto add = [&](Rect r) {
    if (!r.empty()) bands[static_cast<size_t>(count++)] = r;
  };
  add({a.x, a.y, a.w, c.y - a.y});
  add({a.x, c.bottom(), a.w, a.bottom() - c.bottom()});
  add({a.x, c.y, c.x - a.x, c.h});
  add({c.right(), c.y, a.right() - c.right(), c.h});
  return count;
}

}  // namespace lumabord
