// Laying an overlay over the visible part of a level.
#include "compose/level_overlay.h"

namespace lumabord {

void layOverlay(const Canvas& canvas, const Rect& visible, int originX, int originY,
                const LevelOverlay& overlay) {
  Rect area = overlay.area();
  area.x += originX;
  area.y += originY;
  const Rect covered = intersect(intersect(area, visible), canvas.bounds());
  for (int y = covered.y; y < covered.bottom(); ++y) {
    overlay.lay(y - originY, covered.x - originX, covered.right() - originX,
                canvas.at(covered.x, y));
  }
}

void layOverlay(Image& level, const LevelOverlay& overlay) {
  const Canvas canvas(level);
  layOverlay(canvas, canvas.bounds(), 0, 0, overlay);
}

}  // namespace lumabord
