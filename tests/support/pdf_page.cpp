// PDF facts through pdfinfo, pdfimages and pdftoppm.
#include "support/pdf_page.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

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

}  // namespace lumabord::testing
