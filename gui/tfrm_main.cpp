// TfrmMain: start-up, the photo queue, rendering the preview and closing.
#include "tfrm_main.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>
#include <fstream>

#include "base/error.h"
#include "busy_cursor.h"
#include "clickable_label.h"
#include "compose/asset_library.h"
#include "compose/style_file.h"
#include "integer_field.h"
#include "preview_view.h"
#include "qt_image.h"
#include "screen_color_picker.h"
#include "status_render_steps.h"
#include "tfrm_jpeg_options.h"
#include "titled_panel.h"
#include "window_colors.h"

namespace lumabord {
namespace {

constexpr const char* kBuiltInFilter =
    "All Images (*.jpg;*.tif;*.bmp)|*.jpg;*.tif;*.bmp|JPEG Image (*.jpg)|*.jpg|"
    "TIFF Image (*.tif)|*.tif|BMP Image (*.bmp)|*.bmp";

constexpr int kBlankWidth = 800;
constexpr int kBlankHeight = 600;

FrameRenderer composeFrameRenderer(std::filesystem::path appPath, const PictureLoader* loader) {
  return [appPath = std::move(appPath), loader](const FrameSpec& spec, Image& workPhoto,
                                                bool queueEmpty, RenderSteps& steps, Image& target) {
    RenderContext context;
    context.appPath = appPath;
    context.loader = loader;
    context.steps = &steps;
    ComposeFrame(spec, workPhoto, queueEmpty, context, target);
  };
}

}  // namespace

TfrmMain::TfrmMain(MainWindowServices services, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
  if (!services_.renderer) services_.renderer = composeFrameRenderer(services_.appPath, services_.loader);
  picker_ = new ScreenColorPicker(*services_.screen, this);
  createWidgets();
  createActions();
  createConnections();
  FormCreate(arguments);
  updateActions();
}

TfrmMain::~TfrmMain() { picker_->stop(); }

void TfrmMain::FormCreate(const QStringList& arguments) {
  AppPath_ = services_.appPath;
  std::error_code ignored;
  std::filesystem::create_directories(AppPath_ / "FontCache3D", ignored);
  settings_ = DesignSettings{};
  MaxPhotoWidth_ = 0;
  MaxPhotoHeight_ = 0;
  readFileTypes();
  Queue_.clear();
  setPreviewBackground(settings_.BackgroundColor);
  QueueCommandLine(arguments);

  FillShadowList(design_, AppPath_);
  FillTextureLists(design_, AppPath_);
  FillStyleList(design_, AppPath_, 0);
  FillMaskList(design_, AppPath_);
  try {
    ReadStyle(design_, AppPath_);
  } catch (const Error& e) {
    services_.dialogs->error(e.what());
  }
  showDesign();
  LoadQueueHead();
}

void TfrmMain::readFileTypes() {
  addFilter_ = QString::fromLatin1(kBuiltInFilter);
  std::ifstream in(AppPath_ / "filetypes.ini", std::ios::binary);
  if (!in) return;
  // Every line is one field of the filter, each followed by "|".
  QString filter;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    filter += QString::fromStdString(line) + QLatin1Char('|');
  }
  addFilter_ = filter;
}

void TfrmMain::QueueCommandLine(const QStringList& arguments) {
  for (const QString& argument : arguments) {
    const std::string path = argument.toStdString();
    const std::filesystem::path name = std::filesystem::path(path).filename();
    QString extension = QString::fromStdString(name.extension().string()).toUpper();
    if (extension == ".JPG" || extension == ".JPEG" || extension == ".TIF" ||
        extension == ".TIFF" || extension == ".BMP") {
      Queue_.push_back(path);
    }
  }
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!Activated_) QTimer::singleShot(0, this, &TfrmMain::FormActivate);
}

void TfrmMain::FormActivate() {
  if (Activated_) return;
  Activated_ = true;
  setWindowState(windowState() | Qt::WindowMaximized);
  QCoreApplication::processEvents();
  RefreshPreview();
}

bool TfrmMain::LoadQueueHead() {
  setStatus(QStringLiteral("Status: Reading Image"));
  boxFile_->setTitle(QStringLiteral("Total Files to Frame: %1").arg(Queue_.size()));
  if (Queue_.empty()) {
    WorkPhoto_ = Image(kBlankWidth, kBlankHeight, Rgb{255, 255, 255});
    setStatus(QStringLiteral("Status: Ready"));
    return true;
  }
  QCoreApplication::processEvents();
  Image photo;
  try {
    photo = services_.loader->load(Queue_.front());
  } catch (const Error& e) {
    setStatus(QStringLiteral("Status: Ready"));
    services_.dialogs->error(e.what());
    return false;
  }
  if (photo.empty()) {
    WorkPhoto_ = Image(kBlankWidth, kBlankHeight, Rgb{255, 255, 255});
  } else {
    MaxPhotoWidth_ = std::max(MaxPhotoWidth_, photo.width());
    MaxPhotoHeight_ = std::max(MaxPhotoHeight_, photo.height());
    WorkPhoto_ = std::move(photo);
    txtWidth_->setValue(MaxPhotoWidth_);
    txtHeight_->setValue(MaxPhotoHeight_);
  }
  setStatus(QStringLiteral("Status: Ready"));
  return true;
}

void TfrmMain::cmdAddClick() {
  runWhenIdle([this] {
    const QStringList chosen = services_.dialogs->choosePhotos(addFilter_);
    if (chosen.isEmpty()) return;
    QCoreApplication::processEvents();
    const BusyCursor busy;
    if (chosen.size() == 1) {
      Queue_.insert(Queue_.begin(), chosen.front().toStdString());
    } else {
      for (const QString& path : chosen) Queue_.push_back(path.toStdString());
    }
    if (LoadQueueHead()) RefreshPreview();
  });
}

void TfrmMain::cmdClearClick() {
  runWhenIdle([this] {
    Queue_.clear();
    WorkPhoto_ = Image();
    MaxPhotoWidth_ = 0;
    MaxPhotoHeight_ = 0;
    txtWidth_->setValue(kBlankWidth);
    txtHeight_->setValue(kBlankHeight);
    if (LoadQueueHead()) RefreshPreview();
  });
}

void TfrmMain::openRecentFile(const QString& path) {
  runWhenIdle([this, path] {
    if (!std::filesystem::exists(path.toStdString())) {
      services_.dialogs->message("File does not exist");
      return;
    }
    Queue_.insert(Queue_.begin(), path.toStdString());
    if (LoadQueueHead()) RefreshPreview();
  });
}

void TfrmMain::runWhenIdle(std::function<void()> command) {
  if (rendering_) {
    deferred_.push_back(std::move(command));
    return;
  }
  command();
}

bool TfrmMain::claimRenderer() {
  if (!rendering_) return true;
  setStatus(QStringLiteral("Status: Busy creating the preview, try again"));
  return false;
}

void TfrmMain::RefreshPreview() {
  if (rendering_) {
    // ComposeFrame lets events run between its steps; never render inside it.
    renderPending_ = true;
    return;
  }
  rendering_ = true;
  do {
    renderPending_ = false;
    renderOnce();
  } while (renderPending_);
  rendering_ = false;
  std::vector<std::function<void()>> commands;
  commands.swap(deferred_);
  for (const std::function<void()>& command : commands) command();
}

void TfrmMain::renderOnce() {
  if (picker_->running()) picker_->stop();
  setStatus(QStringLiteral("Status: Creating Frame...please wait"));
  QCoreApplication::processEvents();
  readDesign();
  const FrameSpec spec = snapshot(design_, settings_);
  Image target;
  StatusRenderSteps steps(*statusPanel1_);
  ++renderCount_;
  try {
    services_.renderer(spec, WorkPhoto_, Queue_.empty(), steps, target);
  } catch (const Error& e) {
    // The previous preview stays; the user can mend the design (a missing texture file...).
    setStatus(QStringLiteral("Status: Ready"));
    services_.dialogs->error(e.what());
    return;
  }
  imgPreview_->setImage(toQImageView(target));
  framed_ = std::move(target);
  setSaveLabelColor(kSaveUnsavedColor);
  setStatus(QStringLiteral("Status: Ready"));
  updateActions();
  emit previewRendered();
}

void TfrmMain::CopyPreviewToClipboard() {
  if (framed_.empty()) return;
  services_.clipboard->placeImage(framed_);
}

bool TfrmMain::EditJPEGOptions() { return lumabord::EditJPEGOptions(jpeg_, this); }

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (rendering_) {
    event->ignore();
    runWhenIdle([this] { close(); });
    return;
  }
  picker_->stop();
  event->accept();
}

void TfrmMain::setStatus(const QString& text) { statusPanel0_->setText(text); }

QString TfrmMain::statusText() const { return statusPanel0_->text(); }

QString TfrmMain::stepText() const { return statusPanel1_->text(); }

void TfrmMain::setSaveLabelColor(ColorValue color) { lblSave_->setGround(color); }

bool TfrmMain::picking() const { return picker_->running(); }

}  // namespace lumabord
