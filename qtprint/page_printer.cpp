// Printing through QPrinter.
#include "page_printer.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrinterInfo>
#include <cmath>

#include "base/error.h"
#include "page_painter.h"

namespace lumabord {
namespace {

int thousandths(double inches) {
  return static_cast<int>(std::lround(inches * 1000.0));
}

std::string jobTarget(const QPrinter& printer) {
  return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName().toStdString()
                                                       : printer.printerName().toStdString();
}

}  // namespace

bool printerInstalled() {
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool defaultPrinterSelected() {
  return !QPrinterInfo::defaultPrinter().isNull();
}

PageSetup pageSetupOf(const QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  // Qt keeps standard papers in their own units, and rounds inches to two decimals (A4
  // would come back as 11.69): millimetres are exact for both kinds.
  const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size() / 25.4;
  const QMarginsF margins = layout.margins(QPageLayout::Inch);
  return {thousandths(paper.width()), thousandths(paper.height()),  thousandths(margins.left()),
          thousandths(margins.top()), thousandths(margins.right()), thousandths(margins.bottom())};
}

void applyPageSetup(QPrinter& printer, const PageSetup& setup) {
  // A sheet wider than high is a standard paper turned, so that the printer keeps its
  // paper name and turns the page itself.
  const bool landscape = setup.paperWidth > setup.paperHeight;
  const int shortSide = landscape ? setup.paperHeight : setup.paperWidth;
  const int longSide = landscape ? setup.paperWidth : setup.paperHeight;
  const QPageSize size(QSizeF(shortSide / 1000.0, longSide / 1000.0), QPageSize::Inch, QString(),
                       QPageSize::FuzzyMatch);
  const QMarginsF margins(setup.marginLeft / 1000.0, setup.marginTop / 1000.0,
                          setup.marginRight / 1000.0, setup.marginBottom / 1000.0);
  QPageLayout layout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, margins,
                     QPageLayout::Inch);
  // Margins are the program's own: they may be narrower than the printer's hardware ones.
  layout.setMode(QPageLayout::FullPageMode);
  printer.setPageLayout(layout);
}

PageSetup defaultPageSetup() {
  if (!defaultPrinterSelected()) return {};
  QPrinter printer(QPrinter::HighResolution);
  return pageSetupOf(printer);
}

void printPage(QPrinter& printer, const RecordedPage& page, bool fast, int screenDpi) {
  if (printer.outputFormat() == QPrinter::NativeFormat && !printerInstalled()) return;
  printer.setDocName(QString::fromLatin1(kPrintJobTitle));
  printer.setCreator(QStringLiteral("Lumabord"));
  // Page coordinate (0, 0) is the corner of the sheet, and the page fills the whole sheet.
  printer.setFullPage(true);
  const std::string target = jobTarget(printer);
  QPainter painter;
  if (!painter.begin(&printer)) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
      fail("Cannot create file %s", target.c_str());
    fail("Cannot start printing on %s", target.c_str());
  }
  const QRectF sheet(QPointF(0, 0),
                     printer.pageLayout().fullRectPixels(printer.resolution()).size());
  QCoreApplication::processEvents();
  if (fast) {
    replayPage(painter, page, sheet);
  } else {
    painter.drawImage(sheet, rasterisePage(page, screenDpi));
  }
  QCoreApplication::processEvents();
  if (!painter.end() || printer.printerState() == QPrinter::Error) {
    printer.abort();
    fail("Printing on %s failed", target.c_str());
  }
}

}  // namespace lumabord
