// Printing a recorded page with Qt's print support (CUPS on Linux, or a PDF file), and the
// page setup as a printer's page layout.
#pragma once

#include <QPrinter>

#include "print/recorded_page.h"

namespace lumabord {

inline constexpr const char* kPrintJobTitle = "Lumabord Template";
inline constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";

// Whether the system knows any printer, and whether one of them is the default.
[[nodiscard]] bool printerInstalled();
[[nodiscard]] bool defaultPrinterSelected();

// Paper and margins of the printer's page layout in thousandths of an inch, and back.
[[nodiscard]] PageSetup pageSetupOf(const QPrinter& printer);
void applyPageSetup(QPrinter& printer, const PageSetup& setup);

// The page setup of the default printer (its paper and default margins); Letter with
// margins of 250 when no printer is installed.
[[nodiscard]] PageSetup defaultPageSetup();

// Prints page as one job titled kPrintJobTitle. Fast printing replays the page at the
// printer's resolution (the image travels at its own pixels); otherwise the page is first
// drawn at screenDpi and that bitmap is stretched over the sheet. Does nothing for a
// printer queue when no printer is installed. Throws Error when the job cannot start or
// fails; the job is then aborted.
void printPage(QPrinter& printer, const RecordedPage& page, bool fast, int screenDpi);

}  // namespace lumabord
