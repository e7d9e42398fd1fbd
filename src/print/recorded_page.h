// The printed page as drawing commands in hundredths of an inch, replayable at any scale:
// on the screen, into a PDF and on a printer. BuildPage records it from the dialog's state.
#pragma once

#include <memory>
#include <variant>
#include <vector>

#include "base/image.h"
#include "compose/color.h"
#include "print/page_geometry.h"

namespace lumabord {

// A filled rectangle without outline.
struct PageFill {
  PageRect rect;
  ColorValue color = kClWhite;
};

// The image stretched into a rectangle.
struct PageImage {
  PageRect rect;
};

// A dotted line one device pixel wide.
struct PageDottedLine {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  ColorValue color = kClGray;
};

using PageCommand = std::variant<PageFill, PageImage, PageDottedLine>;

struct RecordedPage {
  int width = 0;                       // PW, hundredths of an inch
  int height = 0;                      // PH
  std::shared_ptr<const Image> image;  // what PageImage draws
  std::vector<PageCommand> commands;
};

// What BuildPage reads: the page setup, the printer's and the screen's resolutions and the
// dialog's choices.
struct PageRequest {
  PageSetup setup;
  int printerDpiX = 600;
  int printerDpiY = 600;
  int screenDpi = 96;
  std::shared_ptr<const Image> image;
  ImagePosition position = ImagePosition::Center;
  ColorValue pageColor = kClWhite;
  bool forPrinting = false;  // leaves out the dotted guide around the printable area
};

// Records the page: the printable area filled with the page colour, the image in its place
// and, unless for printing, the dotted 0x808080 outline of the printable area. Throws Error
// for a resolution that is not positive.
[[nodiscard]] RecordedPage BuildPage(const PageRequest& request);

// The image's rectangle on a recorded page (empty when the page draws no image).
[[nodiscard]] PageRect imageRect(const RecordedPage& page);

}  // namespace lumabord
