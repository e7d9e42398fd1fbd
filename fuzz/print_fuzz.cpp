// What printing reads: the print command's arguments (paper, margins, position, background,
// resolution and the design options) and a page setup of any values, as a printer's page
// layout may hand back, laid out at any printer and screen resolution. The input is a fixed
// block of numbers, then the arguments one per line. A page whose sheet leaves the documented
// range, or whose image leaves its printable area, is a finding like a crash.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "command.h"
#include "print/recorded_page.h"
#include "print_options.h"

namespace {

using namespace lumabord;

// The block of numbers at the start of the input, little-endian as the machine reads it.
struct Numbers {
  int32_t setup[6];  // paper width and height, margins left, top, right, bottom
  int32_t printerDpiX;
  int32_t printerDpiY;
  int32_t screenDpi;
  int32_t imageWidth;
  int32_t imageHeight;
  int32_t position;  // modulo the nine places
  int32_t forPrinting;
};
static_assert(sizeof(Numbers) == 13 * 4);

void require(bool condition) {
  if (!condition) std::abort();
}

bool within(const PageRect& inner, const PageRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Lays the page out both ways the program does and checks what no page may break.
void layOut(const PageRequest& request, int imageWidth, int imageHeight) {
  try {
    const PageGeometry geometry =
        pageGeometry(request.setup, request.printerDpiX, request.printerDpiY);
    require(geometry.paperWidth >= 1 && geometry.paperWidth <= 32767);
    require(geometry.paperHeight >= 1 && geometry.paperHeight <= 32767);
    const PageRect placed =
        placeImage(geometry, imageWidth, imageHeight, request.screenDpi, request.position);
    require(placed.width() >= 0 && placed.height() >= 0);
    if (placed.width() > 0 && placed.height() > 0) require(within(placed, geometry.printable));
    const RecordedPage page = BuildPage(request);
    require(page.width == geometry.paperWidth && page.height == geometry.paperHeight);
    const PageRect image = imageRect(page);
    if (image.width() > 0) require(within(image, geometry.printable));
  } catch (const Error&) {
  }
}

std::vector<std::string> lines(const uint8_t* data, size_t size) {
  std::vector<std::string> out;
  std::string line;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      out.push_back(std::move(line));
      line.clear();
    } else {
      line.push_back(static_cast<char>(data[i]));
    }
  }
  if (!line.empty()) out.push_back(std::move(line));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Numbers n{};
  if (size < sizeof n) return 0;
  std::memcpy(&n, data, sizeof n);
  PageRequest request;
  request.setup = {n.setup[0], n.setup[1], n.setup[2], n.setup[3], n.setup[4], n.setup[5]};
  request.printerDpiX = n.printerDpiX;
  request.printerDpiY = n.printerDpiY;
  request.screenDpi = n.screenDpi;
  request.position = static_cast<ImagePosition>(static_cast<uint32_t>(n.position) % 9);
  request.forPrinting = (n.forPrinting & 1) != 0;
  // The recorded page holds a small picture; the layout alone sees any size.
  request.image = std::make_shared<const Image>(n.imageWidth & 63, n.imageHeight & 63);
  layOut(request, n.imageWidth, n.imageHeight);

  try {
    const cli::PrintOptions options =
        cli::parsePrintOptions(lines(data + sizeof n, size - sizeof n));
    request.setup = options.setup;
    request.screenDpi = options.screenDpi;
    request.position = options.position;
    request.pageColor = options.pageColor;
    layOut(request, n.imageWidth, n.imageHeight);
  } catch (const cli::UsageError&) {
  } catch (const Error&) {
  }
  return 0;
}
