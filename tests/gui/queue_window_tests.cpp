// The queue strip, files dropped on the window, and undo and redo from the Edit menu.
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>
#include <QtTest>
#include <fstream>

#include "integer_field.h"
#include "preview_view.h"
#include "queue_strip.h"
#include "thumbnail_loader.h"
#include "titled_panel.h"
#include "window_fixture.h"

namespace lumabord::testing {

class QueueWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowRig> rig_;
  TfrmMain& window() { return rig_->window(); }
  QueueStrip* strip() { return rig_->child<QueueStrip>("lstQueue"); }

  void settle() {
    strip()->thumbnails().waitForDone();
    QCoreApplication::processEvents();
  }
  QStringList names() {
    QStringList shown;
    for (int i = 0; i < strip()->count(); ++i) shown << strip()->item(i)->text();
    return shown;
  }

 private slots:
  void init() {
    rig_ = std::make_unique<WindowRig>();
    rig_->open();
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    window().FormActivate();
  }
  void cleanup() { rig_.reset(); }

  void stripShowsChoosesRemovesAndReorders() {
    rig_->dialogs.photos = {"a/40x30.jpg", "b/broken.jpg", "c/60x20.jpg", "d/50x10.jpg"};
    window().model().cmdAddClick();
    settle();
    QCOMPARE(names(), (QStringList{"40x30.jpg", "broken.jpg", "60x20.jpg", "50x10.jpg"}));
    QCOMPARE(strip()->item(1)->toolTip(), QString("Cannot open file b/broken.jpg"));
    QCOMPARE(strip()->item(0)->toolTip(), QString("a/40x30.jpg"));

    // A click shows the photo, with the output size rule of the head.
    const QRect third = strip()->visualItemRect(strip()->item(2));
    QTest::mouseClick(strip()->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(window().model().WorkPhoto.width(), 60);
    QCOMPARE(rig_->child<IntegerField>("txtWidth")->text(), QString("60"));
    QVERIFY(strip()->item(2)->font().bold());

    // Delete removes the selected photos; the title and the queue the batch reads follow.
    strip()->clearSelection();
    strip()->item(0)->setSelected(true);
    strip()->item(1)->setSelected(true);
    QTest::keyClick(strip(), Qt::Key_Delete);
    QCOMPARE(window().model().Queue, (std::vector<std::string>{"c/60x20.jpg", "d/50x10.jpg"}));
    QCOMPARE(rig_->child<TitledPanel>("boxFile")->title(), QString("Total Files to Frame: 2"));
    QCOMPARE(window().model().WorkIndex, size_t{0});

    emit strip()->reordered({1, 0});
    QCOMPARE(window().model().Queue, (std::vector<std::string>{"d/50x10.jpg", "c/60x20.jpg"}));
    QCOMPARE(names(), (QStringList{"50x10.jpg", "60x20.jpg"}));
    QVERIFY(strip()->item(1)->font().bold());  // still the photo in the preview

    auto* shown = rig_->child<QAction>("QueueStrip1");
    shown->trigger();
    QVERIFY(!strip()->isVisible());
  }

  void droppedFolderQueuesItsPicturesByName() {
    const std::filesystem::path folder = rig_->dir / "drop";
    std::filesystem::create_directories(folder);
    for (const char* name : {"30x20.jpg", "10x10.bmp", "20x20.tif", "readme.doc"}) {
      std::ofstream(folder / name) << "x";
    }
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder.string()))});
    QWidget* target = rig_->child<QWidget>("imgPreview");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    const std::string f = folder.string() + "/";
    QCOMPARE(window().model().Queue,
             (std::vector<std::string>{f + "10x10.bmp", f + "20x20.tif", f + "30x20.jpg"}));
  }

  void undoAndRedoFromTheEditMenu() {
    auto* inner = rig_->child<IntegerField>("txtInnerWidth");
    auto* undo = rig_->child<QAction>("Undo1");
    auto* redo = rig_->child<QAction>("Redo1");
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->shortcut(), QKeySequence("Ctrl+Z"));
    QCOMPARE(redo->shortcut(), QKeySequence("Ctrl+Shift+Z"));
    const QString before = inner->text();
    inner->setText("7");
    QTest::keyRelease(inner, Qt::Key_7);
    QVERIFY(undo->isEnabled());
    const int renders = window().renderCount();
    undo->trigger();
    QCOMPARE(inner->text(), before);
    QCOMPARE(window().renderCount(), renders + 1);
    QVERIFY(redo->isEnabled());
    redo->trigger();
    QCOMPARE(inner->text(), QString("7"));
    QCOMPARE(rig_->renderer.lastSpec.InnerWidth, 7);
  }

  void zoomKeepsThePointUnderThePointer() {
    rig_->dialogs.photos = {"a/400x300.jpg"};
    window().model().cmdAddClick();
    auto* view = rig_->child<PreviewView>("imgPreview");
    const double fit = view->zoom();
    // The image point under the pointer, before and after one notch of Ctrl+wheel.
    const QPoint at =
        view->widget()->mapTo(view->viewport(), view->imageRect().center() + QPoint(10, 20));
    const auto imagePointAt = [view](const QPoint& p) {
      const QPoint canvas = view->widget()->mapFrom(view->viewport(), p);
      return QPointF((canvas.x() - view->imageRect().x()) / view->zoom(),
                     (canvas.y() - view->imageRect().y()) / view->zoom());
    };
    const QPointF before = imagePointAt(at);
    QWheelEvent wheel(at, view->viewport()->mapToGlobal(at), {}, QPoint(0, 1440), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &wheel);
    QCOMPARE(view->zoom(), fit * std::pow(1.25, 12));  // twelve notches
    const QPointF after = imagePointAt(at);
    QVERIFY(std::abs(after.x() - before.x()) < 1 && std::abs(after.y() - before.y()) < 1);
    rig_->child<QAction>("ZoomActual1")->trigger();
    QCOMPARE(view->zoom(), 1.0);
    QCOMPARE(view->imageRect().size(), QSize(440, 340));  // the band renderer's frame
    QVERIFY(rig_->child<QAction>("ViewActualSize1")->isChecked());
    rig_->child<QAction>("ZoomFit1")->trigger();
    QCOMPARE(view->mode(), PreviewView::Mode::FitToPage);
    QVERIFY(rig_->child<QAction>("FittoPage1")->isChecked());
  }
};

int runQueueWindowTests(int argc, char** argv) {
  QueueWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lumabord::testing

#include "queue_window_tests.moc"
