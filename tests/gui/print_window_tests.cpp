// The print command of the window: the message without a printer, the print layout
// dialog's controls and edge cases, and a real job through a private CUPS scheduler.
#include <cups/cups.h>

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "page_printer.h"
#include "print_preview.h"
#include "support/pdf_page.h"
#include "support/private_cups.h"
#include "tfrm_canvas_print.h"
#include "window_fixture.h"

namespace lumabord::testing {
namespace {

// Points Qt's CUPS client (and lumabord's printer checks) at server.
void useCupsServer(const std::string& server) {
  qputenv("CUPS_SERVER", QByteArray::fromStdString(server));
  cupsSetServer(server.c_str());
}

}  // namespace

class PrintWindowTest : public QObject {
  Q_OBJECT

  PageSetup setup_;
  std::optional<ColorValue> color_;
  std::optional<PageSetup> paper_;  // what the page setup dialog answers; nullopt: Cancel
  std::vector<std::string> errors_;

  std::unique_ptr<TfrmCanvasPrint> dialog(QPrinter& printer) {
    CanvasPrintServices services;
    services.askColor = [this](ColorValue) { return color_; };
    services.askPageSetup = [this](PageSetup& setup) {
      if (paper_) setup = *paper_;
      return paper_.has_value();
    };
    services.error = [this](const std::string& text) { errors_.push_back(text); };
    auto d = std::make_unique<TfrmCanvasPrint>(std::move(services), setup_, printer);
    *d->PrintImage = Image(800, 600, Rgb{1, 2, 3});
    d->BuildPage(false);
    return d;
  }

 private slots:
  void noPrinterEndsTheCommandBeforeTheDialog() {
    const TempDir nowhere;
    useCupsServer((nowhere / "no.sock").string());
    WindowRig rig;
    rig.open();
    rig.window().FormActivate();
    QVERIFY(rig.window().findChild<QPushButton*>("cmdPrintPreview")->isEnabled());
    QCOMPARE(rig.window().findChild<QAction*>("PrintPreview1")->shortcut(), QKeySequence("Ctrl+P"));
    const int renders = rig.renderer.renders;
    rig.window().findChild<QAction*>("PrintPreview1")->trigger();
    QCOMPARE(rig.dialogs.messages.back(),
             std::string("error: There is no default printer currently selected"));
    QCOMPARE(rig.renderer.renders, renders);
    // Without a printer the page setup keeps Letter and margins of 250.
    QCOMPARE(rig.model().PageSetup1, (PageSetup{8500, 11000, 250, 250, 250, 250}));
  }

  void dialogControlsAndEdgeCases() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    setup_ = {8500, 11000, 1000, 1000, 1000, 1000};
    const auto d = dialog(printer);
    QCOMPARE(d->windowTitle(), QString("Print"));
    QCOMPARE(d->size(), QSize(683, 487));
    QCOMPARE(d->preview()->size(), QSize(349, 349));
    QCOMPARE(d->findChild<QPushButton*>("cmdTopLeft")->text(), QString("Top\nLeft"));
    QCOMPARE(d->findChild<QPushButton*>("cmdMiddle")->text(), QString("Center"));
    QCOMPARE(d->findChild<QPushButton*>("cmdBottomRight")->size(), QSize(57, 57));
    QVERIFY(d->findChild<QCheckBox*>("chkFastPrint")->isChecked());
    QVERIFY(d->findChild<QPushButton*>("cmdMiddle")->font().bold());
    QVERIFY(!d->findChild<QPushButton*>("cmdTop")->font().bold());
    // The preview shows the guide; the centred 800 x 600 image as the worked example has it
    // (at the offscreen screen's 96 pixels per inch).
    QCOMPARE(d->page().commands.size(), size_t{6});
    QCOMPARE(imageRect(d->page()), (PageRect{100, 306, 750, 793}));

    // A position change moves the image only.
    d->findChild<QPushButton*>("cmdBottomRight")->click();
    QCOMPARE(imageRect(d->page()), (PageRect{100, 513, 750, 1000}));
    QVERIFY(d->findChild<QPushButton*>("cmdBottomRight")->font().bold());
    QVERIFY(!d->findChild<QPushButton*>("cmdMiddle")->font().bold());

    // Cancelling the colour chooser keeps the colour; choosing one paints swatch and page.
    QPushButton* background = d->findChild<QPushButton*>("Button4");
    color_ = std::nullopt;
    background->click();
    QCOMPARE(std::get<PageFill>(d->page().commands[0]).color, kClWhite);
    color_ = 0x00FF00;
    background->click();
    QCOMPARE(std::get<PageFill>(d->page().commands[0]).color, ColorValue{0x00FF00});
    QCOMPARE(d->findChild<QWidget*>("panPaper")->palette().color(QPalette::Window),
             QColor(0, 255, 0));

    // Cancelling the page setup changes nothing; confirming rebuilds with the new paper.
    paper_ = std::nullopt;
    d->findChild<QPushButton*>("Button1")->click();
    QCOMPARE(d->page().width, 850);
    paper_ = PageSetup{8268, 11693, 500, 500, 500, 500};
    d->findChild<QPushButton*>("Button1")->click();
    QCOMPARE(d->page().width, 827);
    QCOMPARE(d->page().height, 1169);
    QCOMPARE(setup_, *paper_);
    QCOMPARE(std::get<PageFill>(d->page().commands[0]).rect, (PageRect{50, 50, 777, 1119}));

    // The pane: the paper fitted with its grey shadow right of it.
    const QRect paper = d->preview()->paperRect();
    QVERIFY(QRect(0, 0, 349, 349).contains(paper.adjusted(0, 0, 6, 6)));
    const QImage pane = d->preview()->grab().toImage();
    QCOMPARE(pane.pixelColor(paper.right() + 3, paper.center().y()), QColor(Qt::darkGray));

    // A job that cannot start is reported, and the dialog closes all the same.
    printer.setOutputFileName(QStringLiteral("/nonexistent/page.pdf"));
    d->findChild<QPushButton*>("Button2")->click();
    QCOMPARE(errors_, std::vector<std::string>{"Cannot create file /nonexistent/page.pdf"});
    QCOMPARE(d->result(), int(QDialog::Accepted));
  }

  void pageSetupRoundTripsThroughThePrinter() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    for (const PageSetup& setup :
         {PageSetup{8500, 11000, 250, 250, 250, 250}, PageSetup{11693, 8268, 500, 400, 300, 200},
          PageSetup{5827, 8268, 0, 0, 0, 0}}) {
      applyPageSetup(printer, setup);
      QCOMPARE(pageSetupOf(printer), setup);
    }
  }

  void windowPrintsThroughPrivateCups() {
    const PrivateCups cups;
    if (!cups.skipReason().empty()) QSKIP(cups.skipReason().c_str());
    useCupsServer(cups.server());
    WindowRig rig;
    rig.dialogs.photos = {"300x200.jpg"};
    rig.open();
    rig.window().FormActivate();
    rig.model().cmdAddClick();
    rig.model().PageSetup1 = {8500, 11000, 500, 500, 500, 500};
    rig.dialogs.color = 0xFF00FF;
    int screenDpi = 0;
    answerNextModal([&screenDpi](QWidget* modal) {
      auto* print = qobject_cast<TfrmCanvasPrint*>(modal);
      if (print == nullptr) qFatal("the print dialog did not open");
      screenDpi = print->logicalDpiX();
      print->findChild<QPushButton*>("Button4")->click();
      print->findChild<QPushButton*>("cmdBottomLeft")->click();
      print->findChild<QPushButton*>("Button2")->click();
    });
    rig.window().findChild<QPushButton*>("cmdPrintPreview")->click();
    QCOMPARE(rig.dialogs.messages.size(), size_t{0});
    const auto title = cups.waitForJob(1, std::chrono::seconds(60));
    QVERIFY2(title.has_value(), cups.errorLog().c_str());
    QCOMPARE(*title, std::string("Lumabord Template"));
    const std::string mismatch =
        pageMismatch(cups.jobFile(), rig.model().PageSetup1, ImagePosition::BottomLeft,
                     Rgb{255, 0, 255}, screenDpi);
    QVERIFY2(mismatch.empty(), mismatch.c_str());
    useCupsServer((TempDir() / "gone.sock").string());
  }
};

int runPrintWindowTests(int argc, char** argv) {
  PrintWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lumabord::testing

#include "print_window_tests.moc"
