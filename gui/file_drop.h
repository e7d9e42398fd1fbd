// Files and folders dropped on the window from a file manager: one filter on the
// application catches drops anywhere in the window (also over its entry fields) and hands
// the local paths on.
#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <vector>

class QWidget;

namespace lumabord {

class FileDropTarget : public QObject {
 public:
  using Handler = std::function<void(const std::vector<std::filesystem::path>&)>;
  // Accepts drops of local files over window and its children.
  FileDropTarget(QWidget* window, Handler handler);
  ~FileDropTarget() override;
  FileDropTarget(const FileDropTarget&) = delete;
  FileDropTarget& operator=(const FileDropTarget&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  Handler handler_;
};

}  // namespace lumabord
