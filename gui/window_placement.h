// What the window remembers between runs besides the design: its place and size, whether
// it was maximised, the widths of its columns, the queue strip's visibility and the folder
// the Add dialog last showed. Kept as values of their own in the settings store.
#pragma once

#include <QString>

class QMainWindow;
class QSplitter;

namespace lumabord {

// Puts the window and splitter as they were stored; false (nothing changed) when nothing
// was stored yet.
bool restoreWindowPlacement(QMainWindow& window, QSplitter& splitter);
void saveWindowPlacement(const QMainWindow& window, const QSplitter& splitter);

// The queue strip's visibility (shown when never stored).
[[nodiscard]] bool queueStripShown();
void setQueueStripShown(bool shown);

// The folder the Add dialog showed when it was last confirmed ("" when never).
[[nodiscard]] QString lastPhotoFolder();
void rememberPhotoFolder(const QString& folder);

}  // namespace lumabord
