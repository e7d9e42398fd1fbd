// What the window tests share: dialogs answered by the test, a photo loader and a renderer
// that need no files, a private settings store and program folder per test.
#pragma once

#include <QApplication>
#include <QStringList>
#include <QtTest>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/image.h"
#include "support/temp_dir.h"
#include "tfrm_main.h"

namespace lumabord::testing {

class FakeDialogs final : public WindowDialogs {
 public:
  std::optional<std::string> askText(const std::string& title, const std::string& prompt) override {
    asked.push_back(title + ": " + prompt);
    return text;
  }
  void message(const std::string& t) override { messages.push_back(t); }
  void warning(const std::string& t) override { messages.push_back("warning: " + t); }
  bool confirmYesNoCancel(const std::string& t) override {
    messages.push_back("confirm: " + t);
    return yes;
  }
  std::optional<ColorValue> askColor(ColorValue) override { return color; }
  QString askNumberText(const QString&, const QString&, const QString& offered) override {
    return number.isNull() ? offered : number;
  }
  QStringList choosePhotos(const QString&) override { return photos; }
  std::optional<std::filesystem::path> askSaveFile(const SaveFileRequest& request) override {
    calls.push_back("save " + request.proposedName + " " + request.filter + " " +
                    request.defaultExtension);
    return saveAs;
  }
  std::optional<std::filesystem::path> askFolder(const QString& label,
                                                 const std::filesystem::path& proposed) override {
    calls.push_back("folder " + label.toStdString() + " " + proposed.string());
    return folder;
  }
  ReplaceAnswer askReplace(const std::string& t) override {
    messages.push_back("replace: " + t);
    if (replaceAnswers.empty()) return ReplaceAnswer::Yes;
    const ReplaceAnswer answer = replaceAnswers.front();
    replaceAnswers.pop_front();
    return answer;
  }
  void error(const std::string& t) override { messages.push_back("error: " + t); }

  std::optional<std::string> text;
  bool yes = true;
  std::optional<ColorValue> color = 0x123456;
  QString number;
  QStringList photos;
  std::optional<std::filesystem::path> saveAs;
  std::optional<std::filesystem::path> folder;
  std::deque<ReplaceAnswer> replaceAnswers;
  std::vector<std::string> asked, messages, calls;
};

// Photos named "W x H.ext" ("300x200.bmp") decode to plain images of that size; one named
// "corrupt" fails with a reader's message that does not name the file.
Image sizedPhoto(const std::filesystem::path& path);

class SizeLoader final : public PictureLoader {
 public:
  Image load(const std::filesystem::path& path) const override { return sizedPhoto(path); }
};

// Frames the photo in a plain band of the inner matte width; counts its calls.
class BandRenderer final : public PreviewRenderer {
 public:
  void render(const FrameSpec& spec, Image& photo, bool queueEmpty, const std::filesystem::path&,
              RenderSteps& steps, Image& target) override;
  int renders = 0;
  int depth = 0;
  int deepest = 0;
  FrameSpec lastSpec;
  bool lastQueueEmpty = false;
  std::function<void()> duringRender;  // runs inside the rendering, before the step is shown
  bool failing = false;                // throws the error of a missing texture
  int widestInner = 1 << 30;           // wider inner mattes are refused like the size limits
};

// Records what the window asks the desktop to open; fails with failStatus when it is set.
class FakeOpener final : public DesktopOpener {
 public:
  void open(const QString& target, const QString& workingFolder,
            std::function<void(int)> failed) override {
    opened << target;
    folders << workingFolder;
    if (failStatus && failed) failed(*failStatus);
  }
  QStringList opened, folders;
  std::optional<int> failStatus;
};

// A program folder and settings store of its own, and a window over it.
class WindowRig {
 public:
  WindowRig();
  ~WindowRig();

  // Opens (or reopens) the window; an open one is closed first, which saves the settings.
  TfrmMain& open(const QStringList& arguments = {});
  // A further window of the same program, settings store and fakes.
  std::unique_ptr<TfrmMain> makeWindow(const QStringList& arguments = {});
  void close();
  // Destroys the window as it is, without closing it first.
  void discard();
  TfrmMain& window() { return *window_; }
  MainModel& model() { return window_->model(); }

  template <typename T>
  T* child(const char* name) {
    T* found = window_->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) qFatal("no child %s", name);
    return found;
  }

  // An empty file below the program folder (asset lists only look at names).
  std::filesystem::path touch(const std::string& relative) const;
  // A style file of the given left width and inner width.
  void writeStyle(const std::string& name, int left, int inner) const;

  TempDir dir;
  FakeDialogs dialogs;
  SizeLoader loader;
  BandRenderer renderer;
  MemoryClipboard clipboard;
  FakeOpener opener;
  FrameEngine* engine = nullptr;
  std::filesystem::path programFile;  // empty: dir / "lumabord"

 private:
  std::unique_ptr<TfrmMain> window_;
};

// Runs check on the next modal dialog that opens (from inside its event loop).
void answerNextModal(std::function<void(QWidget*)> check);

int runMainWindowTests(int argc, char** argv);
int runBatchWindowTests(int argc, char** argv);
int runKeptWorkTests(int argc, char** argv);
int runPrintWindowTests(int argc, char** argv);
int runHelpWindowTests(int argc, char** argv);

}  // namespace lumabord::testing
