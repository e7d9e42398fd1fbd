// TfrmMain: the queue strip, files dropped on the window, undo and redo of the design, and
// the window's remembered placement.
#include <QActionGroup>
#include <QMenuBar>

#include "app/queue_order.h"
#include "base/error.h"
#include "compose/style_import.h"
#include "file_drop.h"
#include "preview_view.h"
#include "preview_zoom.h"
#include "queue_strip.h"
#include "tfrm_main.h"
#include "window_placement.h"

namespace lumabord {

QWidget* TfrmMain::createQueueStrip() {
  const PictureLoader& loader = services_.loader ? *services_.loader : defaultPictureLoader();
  lstQueue_ = new QueueStrip(loader, this);
  lstQueue_->setVisible(queueStripShown());
  return lstQueue_;
}

void TfrmMain::createQueueCommands() {
  QMenuBar* bar = menuBar();
  auto* edit = bar->findChild<QMenu*>(QStringLiteral("Edit1"));
  Undo1_ = new QAction(QStringLiteral("&Undo"), this);
  Undo1_->setObjectName(QStringLiteral("Undo1"));
  Undo1_->setShortcut(QKeySequence::Undo);
  Redo1_ = new QAction(QStringLiteral("&Redo"), this);
  Redo1_->setObjectName(QStringLiteral("Redo1"));
  Redo1_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  const QList<QAction*> editItems = edit->actions();
  QAction* first = editItems.isEmpty() ? nullptr : editItems.front();
  edit->insertActions(first, {Undo1_, Redo1_});
  edit->insertSeparator(first);

  auto* view = new QMenu(QStringLiteral("&View"), this);
  view->setObjectName(QStringLiteral("View1"));
  QueueStrip1_ = view->addAction(QStringLiteral("&Queue Strip"));
  QueueStrip1_->setObjectName(QStringLiteral("QueueStrip1"));
  QueueStrip1_->setCheckable(true);
  QueueStrip1_->setChecked(lstQueue_->isVisibleTo(this));
  view->addSeparator();
  auto* zoom = new PreviewZoom(imgPreview_);
  view->addActions(zoom->actions());
  // Zooming leaves both view modes of the preview menu unticked.
  FittoPage1_->actionGroup()->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  connect(imgPreview_, &PreviewView::zoomChanged, this, [this] {
    const bool fit = imgPreview_->mode() == PreviewView::Mode::FitToPage;
    FittoPage1_->setChecked(fit);
    ViewActualSize1_->setChecked(!fit && imgPreview_->zoom() == 1.0);
  });
  auto* options = bar->findChild<QMenu*>(QStringLiteral("Options1"));
  bar->insertMenu(options ? options->menuAction() : nullptr, view);

  connect(Undo1_, &QAction::triggered, this, [this] { model_.Undo(); });
  connect(Redo1_, &QAction::triggered, this, [this] { model_.Redo(); });
  connect(QueueStrip1_, &QAction::toggled, this, [this](bool shown) {
    lstQueue_->setVisible(shown);
    setQueueStripShown(shown);
  });
  connect(lstQueue_, &QueueStrip::photoChosen, this, [this](int index) {
    if (!batchRunning_ && index >= 0) model_.ShowQueuedPhoto(static_cast<size_t>(index));
  });
  connect(lstQueue_, &QueueStrip::removeRequested, this,
          [this](const std::vector<size_t>& indices) {
            if (!batchRunning_) model_.RemoveQueued(indices);
          });
  connect(lstQueue_, &QueueStrip::reordered, this, [this](const std::vector<size_t>& order) {
    if (!batchRunning_) model_.ReorderQueue(order);
    // A refused move puts the strip back in queue order.
    lstQueue_->showQueue(model_.Queue, model_.WorkIndex);
  });
  new FileDropTarget(this, [this](const std::vector<std::filesystem::path>& paths) {
    // Queued after the drop so that the file manager is not held while photos load.
    QMetaObject::invokeMethod(
        this, [this, paths] { dropFiles(paths); }, Qt::QueuedConnection);
  });
}

void TfrmMain::dropFiles(const std::vector<std::filesystem::path>& paths) {
  if (batchRunning_) return;
  const DroppedFiles dropped = sortDroppedFiles(paths);
  for (const std::filesystem::path& style : dropped.styles) {
    readDesign();
    try {
      if (ImportStyle(model_.controls, model_.AppPath, style, *services_.dialogs)) {
        showDesign();
        model_.cboFrameChange();
      }
    } catch (const Error& e) {
      services_.dialogs->error(e.what());
    }
  }
  if (!dropped.photos.empty()) model_.AddPhotos(dropped.photos);
}

void TfrmMain::showQueueStrip() {
  lstQueue_->setPhotoOptions(PhotoOptions{model_.AutoOrient});
  lstQueue_->showQueue(model_.Queue, model_.WorkIndex);
}

void TfrmMain::AutoOrient1Click(bool on) {
  if (model_.AutoOrient == on) return;
  lstQueue_->setPhotoOptions(PhotoOptions{on});
  model_.SetAutoOrient(on);
}

void TfrmMain::updateQueueActions() {
  const bool idle = !batchRunning_;
  Undo1_->setEnabled(idle && model_.History.canUndo());
  Redo1_->setEnabled(idle && model_.History.canRedo());
  lstQueue_->setDragEnabled(idle);
}

void TfrmMain::restorePlacement() {
  if (!restoreWindowPlacement(*this, *splitter_)) {
    setWindowState(windowState() | Qt::WindowMaximized);
  }
}

void TfrmMain::savePlacement() const {
  // Like the settings, nothing is saved when a failed rendering ends the program.
  if (!model_.Terminating) saveWindowPlacement(*this, *splitter_);
}

}  // namespace lumabord
