// BuildPage: one page recorded from the print dialog's state.
#include "print/recorded_page.h"

namespace lumabord {

RecordedPage BuildPage(const PageRequest& request) {
  const PageGeometry geometry =
      pageGeometry(request.setup, request.printerDpiX, request.printerDpiY);
  RecordedPage page;
  page.width = geometry.paperWidth;
  page.height = geometry.paperHeight;
  page.image = request.image;
  const PageRect& area = geometry.printable;
  page.commands.emplace_back(PageFill{area, request.pageColor});
  const int width = request.image ? request.image->width() : 0;
  const int height = request.image ? request.image->height() : 0;
  const PageRect placed = placeImage(geometry, width, height, request.screenDpi, request.position);
  if (placed.width() > 0 && placed.height() > 0) page.commands.emplace_back(PageImage{placed});
  if (!request.forPrinting) {
    const int l = area.left, t = area.top, r = area.right, b = area.bottom;
    page.commands.emplace_back(PageDottedLine{l, t, l, b});
    page.commands.emplace_back(PageDottedLine{l, b, r, b});
    page.commands.emplace_back(PageDottedLine{r, b, r, t});
    page.commands.emplace_back(PageDottedLine{r, t, l, t});
  }
  return page;
}

PageRect imageRect(const RecordedPage& page) {
  for (const PageCommand& command : page.commands) {
    if (const auto* image = std::get_if<PageImage>(&command)) return image->rect;
  }
  return {};
}

}  // namespace lumabord
