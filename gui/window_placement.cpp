// The window's remembered placement, in the settings store.
#include "window_placement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QStringList>
#include <cstdint>
#include <string>

#include "app/quick_reg.h"

namespace lumabord {
namespace {

std::string valuePath(const char* name) {
  return std::string(kSettingsKey) + name;
}

bool readInt(const char* name, int& value) {
  int32_t stored = value;
  if (!RegReadInteger(valuePath(name), stored)) return false;
  value = stored;
  return true;
}

}  // namespace

bool restoreWindowPlacement(QMainWindow& window, QSplitter& splitter) {
  int left = 0, top = 0, width = 0, height = 0;
  if (!readInt("Window Left", left) || !readInt("Window Top", top) ||
      !readInt("Window Width", width) || !readInt("Window Height", height)) {
    return false;
  }
  const QRect rect(left, top, width, height);
  // A screen that has gone since (a detached monitor) must not leave the window unseen.
  bool visible = false;
  for (const QScreen* screen : QGuiApplication::screens()) {
    visible = visible || screen->availableGeometry().intersects(rect);
  }
  if (width >= 200 && height >= 150) {
    window.resize(width, height);
    if (visible) window.move(left, top);
  }
  std::string sizes;
  if (RegReadString(valuePath("Column Widths"), sizes)) {
    QList<int> widths;
    for (const QString& part : QString::fromStdString(sizes).split(QLatin1Char(','))) {
      bool ok = false;
      const int w = part.toInt(&ok);
      if (ok && w >= 0 && w <= 100000) widths.push_back(w);
    }
    if (widths.size() == splitter.count()) splitter.setSizes(widths);
  }
  bool maximized = true;
  RegReadBool(valuePath("Window Maximized"), maximized);
  if (maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
  return true;
}

void saveWindowPlacement(const QMainWindow& window, const QSplitter& splitter) {
  const QRect normal =
      window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
  RegWriteInteger(valuePath("Window Left"), normal.left(), true);
  RegWriteInteger(valuePath("Window Top"), normal.top(), true);
  RegWriteInteger(valuePath("Window Width"), normal.width(), true);
  RegWriteInteger(valuePath("Window Height"), normal.height(), true);
  RegWriteBool(valuePath("Window Maximized"), window.isMaximized(), true);
  QStringList widths;
  for (const int w : splitter.sizes()) widths.push_back(QString::number(w));
  RegWriteString(valuePath("Column Widths"), widths.join(QLatin1Char(',')).toStdString(), true);
}

bool queueStripShown() {
  bool shown = true;
  RegReadBool(valuePath("Queue Strip"), shown);
  return shown;
}

void setQueueStripShown(bool shown) {
  RegWriteBool(valuePath("Queue Strip"), shown, true);
}

QString lastPhotoFolder() {
  std::string folder;
  RegReadString(valuePath("Photo Folder"), folder);
  return QString::fromStdString(folder);
}

void rememberPhotoFolder(const QString& folder) {
  RegWriteString(valuePath("Photo Folder"), folder.toStdString(), true);
}

}  // namespace lumabord
