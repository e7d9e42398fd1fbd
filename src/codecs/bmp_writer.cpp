// The 24-bit uncompressed BMP writer: 54-byte headers, rows bottom-up padded to 4 bytes.
#include <cstring>
#include <vector>

#include "base/file_io.h"
#include "codecs/image_writers.h"

namespace lumabord {
namespace {

void put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  put16(out, at, v & 0xFFFF);
  put16(out, at + 2, v >> 16);
}

}  // namespace

void WriteBmpFile(const std::filesystem::path& path, const Image& image) {
  const size_t rowBytes = (image.stride() + 3) & ~size_t{3};
  const size_t pixelBytes = rowBytes * static_cast<size_t>(image.height());
  std::vector<uint8_t> header(54, 0);
  header[0] = 'B';
  header[1] = 'M';
  put32(header, 2, static_cast<uint32_t>(54 + pixelBytes));
  put32(header, 10, 54);
  put32(header, 14, 40);
  put32(header, 18, static_cast<uint32_t>(image.width()));
  put32(header, 22, static_cast<uint32_t>(image.height()));
  put16(header, 26, 1);
  put16(header, 28, 24);
  put32(header, 34, static_cast<uint32_t>(pixelBytes));

  AtomicFile file(path);
  file.write(header);
  std::vector<uint8_t> row(rowBytes, 0);
  for (int y = image.height() - 1; y >= 0; --y) {
    std::memcpy(row.data(), image.row(y), image.stride());
    file.write(row);
  }
  file.commit();
}

}  // namespace lumabord
