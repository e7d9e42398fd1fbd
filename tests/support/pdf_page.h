// What a PDF file holds, read with poppler's tools: pages, title, page size, the images'
// pixel sizes, and the first page rasterised.
#pragma once

#include <filesystem>
#include <string>

#include "base/image.h"
#include "print/page_geometry.h"

namespace lumabord::testing {

struct PdfFacts {
  int pages = 0;
  std::string title;
  double widthPt = 0, heightPt = 0;
  int imageWidth = 0, imageHeight = 0;  // the first image's own pixels
  int images = 0;
};

// Empty facts (pages 0) when the tools fail.
PdfFacts readPdfFacts(const std::filesystem::path& pdf);

// The first page at dpi pixels per inch (at 100 one pixel is one hundredth of an inch).
Image rasterisePdf(const std::filesystem::path& pdf, int dpi);

// The smallest rectangle holding every pixel of area that differs from ground by more than
// tolerance in any channel; empty when there is none.
PageRect boxOfOthers(const Image& image, const PageRect& area, Rgb ground, int tolerance);

// Compares a printed page with the geometry: one page with one image titled "Lumabord
// Template", the paper's size, white outside the printable area, ground everywhere inside
// it but the picture's box (so no dotted guide), and that box within a pixel of where
// placeImage puts the image (at 1200 printer pixels per inch). Empty when all holds, else
// what differs.
std::string pageMismatch(const std::filesystem::path& pdf, const PageSetup& setup,
                         ImagePosition position, Rgb ground, int screenDpi = 96);

}  // namespace lumabord::testing
