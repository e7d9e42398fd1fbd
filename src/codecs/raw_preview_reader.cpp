// Camera raw readers (mrw, nef, crw, raf): the data is scanned in blocks of 4096 bytes for
// embedded JPEG streams, one is chosen and decoded. The sensor data is never read.
#include "base/error.h"
#include "codecs/picture_source.h"
#include "codecs/raw_preview.h"

namespace lumabord {
namespace {

constexpr size_t kBlock = 4096;

// Finds the next two-byte marker FF `second` at or after `from`, scanning block by block;
// a marker split across two blocks is still found. Returns bytes.size() when there is none.
size_t findMarker(std::span<const uint8_t> bytes, size_t from, uint8_t second) {
  for (size_t block = from; block < bytes.size(); block += kBlock) {
    const size_t end = std::min(bytes.size(), block + kBlock);
    for (size_t i = block; i < end; ++i) {
      if (bytes[i] == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == second) return i;
    }
  }
  return bytes.size();
}

struct Stream {
  ByteRange range;
  bool complete = false;
};

Stream streamAt(std::span<const uint8_t> bytes, size_t from) {
  Stream s;
  s.range.begin = findMarker(bytes, from, 0xD8);
  if (s.range.begin == bytes.size()) {
    s.range.end = s.range.begin;
    return s;
  }
  const size_t endMarker = findMarker(bytes, s.range.begin + 2, 0xD9);
  s.complete = endMarker < bytes.size();
  s.range.end = s.complete ? endMarker + 2 : bytes.size();
  return s;
}

Image decodePreview(const PictureSource& source, ByteRange range) {
  if (range.size() == 0)
    fail("Cannot load image %s: the raw file holds no JPEG preview", source.name.c_str());
  return decodeJpeg(source.bytes.subspan(range.begin, range.size()), source);
}

}  // namespace

ByteRange chooseRawPreview(std::span<const uint8_t> bytes) {
  const Stream first = streamAt(bytes, 0);
  if (first.range.size() == 0) return first.range;
  const Stream second = streamAt(bytes, first.range.end);
  if (second.range.size() > first.range.size()) return second.range;
  if (second.range.size() == first.range.size() && second.complete) return second.range;
  return first.range;
}

ByteRange chooseRafPreview(std::span<const uint8_t> bytes) {
  ByteRange r;
  r.begin = findMarker(bytes, 0, 0xD8);
  if (r.begin == bytes.size()) {
    r.end = r.begin;
    return r;
  }
  size_t at = r.begin;
  for (int occurrence = 2; occurrence <= 4 && at < bytes.size(); ++occurrence)
    at = findMarker(bytes, at + 2, 0xD8);
  r.end = at < bytes.size() ? at + 2 : bytes.size();
  return r;
}

Image readRawPreview(const PictureSource& source) {
  return decodePreview(source, chooseRawPreview(source.bytes));
}

Image readRafPreview(const PictureSource& source) {
  return decodePreview(source, chooseRafPreview(source.bytes));
}

}  // namespace lumabord
