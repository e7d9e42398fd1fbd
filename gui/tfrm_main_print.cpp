// TfrmMain: the print command, which shows the framed image of WorkPhoto in the print
// layout dialog.
#include <QPageSetupDialog>

#include "page_printer.h"
#include "print/print_image.h"
#include "tfrm_canvas_print.h"
#include "tfrm_main.h"

namespace lumabord {

void TfrmMain::PrintFramedImage() {
  if (batchRunning_ || !claimRenderer()) return;
  // Without a printer to print on there is no resolution to lay the page out with.
  if (!defaultPrinterSelected()) {
    services_.dialogs->error(kNoDefaultPrinter);
    return;
  }
  readDesign();
  setBusy(true);
  QPrinter printer(QPrinter::HighResolution);
  CanvasPrintServices dialogServices;
  dialogServices.askColor = [this](ColorValue initial) {
    return services_.dialogs->askColor(initial);
  };
  dialogServices.askPageSetup = [this, &printer](PageSetup& setup) {
    applyPageSetup(printer, setup);
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    setup = pageSetupOf(printer);
    return true;
  };
  dialogServices.error = [this](const std::string& text) { services_.dialogs->error(text); };
  TfrmCanvasPrint dialog(std::move(dialogServices), model_.PageSetup1, printer, this);
  try {
    Image framed;
    model_.RenderForOutput(framed);
    *dialog.PrintImage = fitIntoOutputBox(framed, model_.Snapshot());
  } catch (const std::exception& e) {
    setBusy(false);
    services_.dialogs->error(e.what());
    return;
  }
  dialog.BuildPage(false);
  setBusy(false);
  dialog.exec();
}

}  // namespace lumabord
