// The program's own TIFF writer: one uncompressed RGB strip with a fixed layout (header,
// resolutions, bits per sample and software name, pixels from offset 40, then the
// directory), so the files are the same byte for byte on every run. The photo's profile and
// metadata are added by exiv2 when there are any.
#include <array>
#include <cstdint>
#include <vector>

#include "base/checked_math.h"
#include "base/file_io.h"
#include "codecs/image_writers.h"
#include "codecs/srgb_conversion.h"

namespace lumabord {
namespace {

enum FieldType : uint16_t { kAscii = 2, kShort = 3, kLong = 4, kRational = 5 };

constexpr uint32_t kResolutionOffset = 8;  // X, then Y at 16
constexpr uint32_t kBitsPerSampleOffset = 24;
constexpr uint32_t kSoftwareOffset = 30;
constexpr uint32_t kStripOffset = 40;
constexpr char kSoftware[] = "Tessaglyph";  // stored without its terminating zero
constexpr int kEntries = 15;
constexpr size_t kDirectoryBytes = 2 + 12 * kEntries + 4;

// The largest Image keeps every offset inside 32 bits.
static_assert(3 * Limits::kMaxPixels + kStripOffset + kDirectoryBytes <= UINT32_MAX);

void put16(uint8_t*& out, uint32_t v) {
  *out++ = static_cast<uint8_t>(v);
  *out++ = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t*& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

void entry(uint8_t*& out, uint16_t tag, FieldType type, uint32_t count, uint32_t value) {
  put16(out, tag);
  put16(out, type);
  put32(out, count);
  put32(out, value);  // a SHORT stands in the first two bytes, the other two stay zero
}

// ImageWidth and ImageLength are SHORTs as long as the side fits one.
void sideEntry(uint8_t*& out, uint16_t tag, int side) {
  entry(out, tag, side < 65536 ? kShort : kLong, 1, static_cast<uint32_t>(side));
}

// The bytes of a file gathered in memory, for exiv2 to add the photo's tags to.
struct MemoryFile {
  std::vector<uint8_t> bytes;
  void write(std::span<const uint8_t> data) { bytes.insert(bytes.end(), data.begin(), data.end()); }
};

template <class File>
void writeTiff(File& file, const Image& image) {
  const int w = image.width(), h = image.height();
  const uint32_t pixelBytes = static_cast<uint32_t>(image.sizeBytes());

  // The directory offset is known before the pixels are written, so the header is final
  // from the start and the file is written front to back.
  std::array<uint8_t, kStripOffset> header{};
  uint8_t* out = header.data();
  *out++ = 'I';
  *out++ = 'I';
  put16(out, 42);
  put32(out, kStripOffset + pixelBytes);
  for (int axis = 0; axis < 2; ++axis) {
    put32(out, 877);
    put32(out, 10);
  }
  for (int sample = 0; sample < 3; ++sample) put16(out, 8);
  for (size_t i = 0; i + 1 < sizeof kSoftware; ++i) *out++ = static_cast<uint8_t>(kSoftware[i]);
  file.write(header);

  std::vector<uint8_t> row(image.stride());
  for (int y = 0; y < h; ++y) {
    const uint8_t* bgr = image.row(y);
    for (size_t i = 0; i < row.size(); i += 3) {
      row[i] = bgr[i + 2];
      row[i + 1] = bgr[i + 1];
      row[i + 2] = bgr[i];
    }
    file.write(row);
  }

  std::array<uint8_t, kDirectoryBytes> directory{};
  out = directory.data();
  put16(out, kEntries);
  entry(out, 254, kLong, 1, 0);                          // NewSubfileType
  sideEntry(out, 256, w);                                // ImageWidth
  sideEntry(out, 257, h);                                // ImageLength
  entry(out, 258, kShort, 3, kBitsPerSampleOffset);      // BitsPerSample
  entry(out, 259, kShort, 1, 1);                         // Compression: none
  entry(out, 262, kShort, 1, 2);                         // PhotometricInterpretation: RGB
  entry(out, 273, kLong, 1, kStripOffset);               // StripOffsets
  entry(out, 277, kShort, 1, 3);                         // SamplesPerPixel
  entry(out, 278, kLong, 1, static_cast<uint32_t>(h));   // RowsPerStrip: one strip
  entry(out, 279, kLong, 1, pixelBytes);                 // StripByteCounts
  entry(out, 282, kRational, 1, kResolutionOffset);      // XResolution
  entry(out, 283, kRational, 1, kResolutionOffset + 8);  // YResolution
  entry(out, 284, kShort, 1, 1);                         // PlanarConfiguration: contiguous
  entry(out, 296, kShort, 1, 2);                         // ResolutionUnit: inch
  entry(out, 305, kAscii, sizeof kSoftware - 1, kSoftwareOffset);  // Software
  put32(out, 0);                                                   // no next directory
  file.write(directory);
}

}  // namespace

void WriteTiffFile(const std::filesystem::path& path, const Image& image, const PhotoTags* photo,
                   const JpegOptions& options) {
  const PhotoMetadata* metadata = keptMetadata(photo, options);
  // A picture without pixels gives an empty file.
  if (image.empty() || (!metadata && !carriesProfile(photo))) {
    AtomicFile file(path);
    if (!image.empty()) writeTiff(file, image);
    file.commit();
    return;
  }
  MemoryFile memory;
  memory.bytes.reserve(image.sizeBytes() + kStripOffset + kDirectoryBytes);
  writeTiff(memory, image);
  std::span<const uint8_t> profile;
  if (carriesProfile(photo)) profile = srgbProfileBytes();
  writeFileAtomic(path, embedMetadata(memory.bytes, metadata, image.width(), image.height(),
                                      options.keepGps, profile));
}

}  // namespace lumabord
