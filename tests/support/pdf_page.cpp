// PDF facts through pdfinfo, pdfimages and pdftoppm.
#include "support/pdf_page.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace lumabord::testing {
namespace {

std::string valueAfter(const std::string& text, const std::string& key) {
  const size_t at = text.find("\n" + key);
  const size_t start = at == std::string::npos ? (text.rfind(key, 0) == 0 ? 0 : at) : at + 1;
  if (start == std::string::npos) return {};
  size_t begin = start + key.size();
  while (begin < text.size() && text[begin] == ' ') ++begin;
  return text.substr(begin, text.find('\n', begin) - begin);
}

}  // namespace

PdfFacts readPdfFacts(const std::filesystem::path& pdf) {
  PdfFacts facts;
  const ProgramRun info = runProgram({"pdfinfo", pdf.string()});
  if (info.status != 0) return facts;
  facts.pages = std::atoi(valueAfter(info.out, "Pages:").c_str());
  facts.title = valueAfter(info.out, "Title:");
  std::istringstream size(valueAfter(info.out, "Page size:"));
  std::string times;
  size >> facts.widthPt >> times >> facts.heightPt;
  const ProgramRun list = runProgram({"pdfimages", "-list", pdf.string()});
  std::istringstream lines(list.out);
  std::string line;
  std::getline(lines, line);
  std::getline(lines, line);  // the header and its rule
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    int page = 0, number = 0;
    std::string type;
    if (!(fields >> page >> number >> type)) continue;
    if (facts.images++ == 0) fields >> facts.imageWidth >> facts.imageHeight;
  }
  return facts;
}

Image rasterisePdf(const std::filesystem::path& pdf, int dpi) {
  const TempDir dir;
  const std::string prefix = (dir / "page").string();
  const ProgramRun run = runProgram({"pdftoppm", "-r", std::to_string(dpi), "-f", "1", "-l", "1",
                                     "-singlefile", pdf.string(), prefix});
  if (run.status != 0) return {};
  const std::string bytes = readText(prefix + ".ppm");
  std::istringstream header(bytes);
  std::string magic;
  int width = 0, height = 0, maximum = 0;
  header >> magic >> width >> height >> maximum;
  const auto start = static_cast<size_t>(header.tellg()) + 1;
  if (magic != "P6" || maximum != 255 || width <= 0 || height <= 0 ||
      bytes.size() < start + 3 * static_cast<size_t>(width) * static_cast<size_t>(height)) {
    return {};
  }
  Image image(width, height);
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data() + start);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, p += 3) image.setPixel(x, y, {p[0], p[1], p[2]});
  }
  return image;
}

PageRect boxOfOthers(const Image& image, const PageRect& area, Rgb ground, int tolerance) {
  PageRect box{area.right, area.bottom, area.left, area.top};
  const auto differs = [&](Rgb c) {
    return std::abs(c.r - ground.r) > tolerance || std::abs(c.g - ground.g) > tolerance ||
           std::abs(c.b - ground.b) > tolerance;
  };
  for (int y = std::max(0, area.top); y < std::min(image.height(), area.bottom); ++y) {
    for (int x = std::max(0, area.left); x < std::min(image.width(), area.right); ++x) {
      if (!differs(image.pixel(x, y))) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  if (box.right <= box.left) return {};
  return box;
}

std::string pageMismatch(const std::filesystem::path& pdf, const PageSetup& setup,
                         ImagePosition position, Rgb ground, int screenDpi) {
  const PdfFacts facts = readPdfFacts(pdf);
  std::ostringstream problems;
  if (facts.pages != 1) problems << facts.pages << " pages; ";
  if (facts.title != "Lumabord Template") problems << "title '" << facts.title << "'; ";
  if (facts.images != 1) problems << facts.images << " images; ";
  const PageGeometry page = pageGeometry(setup, 1200, 1200);
  if (std::abs(facts.widthPt - page.paperWidth * 0.72) > 1 ||
      std::abs(facts.heightPt - page.paperHeight * 0.72) > 1) {
    problems << "paper " << facts.widthPt << " x " << facts.heightPt << " pt; ";
  }
  // One pixel per hundredth of an inch; a standard paper keeps its exact size (A4 is 1169.3
  // hundredths high), so the sheet may be a pixel larger.
  const Image sheet = rasterisePdf(pdf, 100);
  if (std::abs(sheet.width() - page.paperWidth) > 1 ||
      std::abs(sheet.height() - page.paperHeight) > 1) {
    problems << "sheet of " << sheet.width() << " x " << sheet.height() << " pixels";
    return problems.str();
  }
  const PageRect expected =
      placeImage(page, facts.imageWidth, facts.imageHeight, screenDpi, position);
  const PageRect box = boxOfOthers(sheet, page.printable, ground, 8);
  if (std::abs(box.left - expected.left) > 1 || std::abs(box.top - expected.top) > 1 ||
      std::abs(box.right - expected.right) > 1 || std::abs(box.bottom - expected.bottom) > 1) {
    problems << "picture at (" << box.left << ", " << box.top << ") - (" << box.right << ", "
             << box.bottom << "), expected (" << expected.left << ", " << expected.top << ") - ("
             << expected.right << ", " << expected.bottom << "); ";
  }
  const PageRect& area = page.printable;
  for (const auto& [x, y] :
       {std::pair{area.left / 2, area.top / 2},
        {page.paperWidth - 1 - (page.paperWidth - area.right) / 2, page.paperHeight / 2},
        {page.paperWidth / 2, page.paperHeight - 1 - (page.paperHeight - area.bottom) / 2}}) {
    if (x < area.left || y < area.top || x >= area.right || y >= area.bottom) {
      const Rgb c = sheet.pixel(x, y);
      if (c != Rgb{255, 255, 255}) problems << "margin at " << x << "," << y << " not white; ";
    }
  }
  return problems.str();
}

}  // namespace lumabord::testing
