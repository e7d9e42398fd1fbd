// Replays a recorded page through QPainter, and rasterises it at the screen's resolution.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>

#include "base/image.h"
#include "print/recorded_page.h"

namespace lumabord {

// Draws the page stretched into target (device coordinates of painter): page coordinate
// (0, 0) falls on target's top-left corner and (width, height) on its bottom-right.
void replayPage(QPainter& painter, const RecordedPage& page, const QRectF& target);

// The page drawn into a white bitmap of the paper's size at screenDpi pixels per inch.
[[nodiscard]] QImage rasterisePage(const RecordedPage& page, int screenDpi);

}  // namespace lumabord
