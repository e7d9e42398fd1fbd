// Bounds-checked cursor reads.
#include "codecs/byte_reader.h"

#include "base/error.h"

namespace lumabord {

void ByteReader::failRead() const {
  fail("Stream read error in %s file.", format_.c_str());
}

const uint8_t* ByteReader::take(uint64_t count) {
  if (count > remaining()) failRead();
  const uint8_t* p = bytes_.data() + pos_;
  pos_ += static_cast<size_t>(count);
  return p;
}

void ByteReader::seek(uint64_t offset) {
  if (offset > bytes_.size()) failRead();
  pos_ = static_cast<size_t>(offset);
}

void ByteReader::skip(uint64_t count) {
  take(count);
}

uint8_t ByteReader::u8() {
  return *take(1);
}
uint16_t ByteReader::u16le() {
  return loadU16le(take(2));
}
uint16_t ByteReader::u16be() {
  return loadU16be(take(2));
}
uint32_t ByteReader::u32le() {
  return loadU32le(take(4));
}
uint32_t ByteReader::u32be() {
  return loadU32be(take(4));
}

std::span<const uint8_t> ByteReader::bytes(uint64_t count) {
  const uint8_t* p = take(count);
  return {p, static_cast<size_t>(count)};
}

std::span<const uint8_t> ByteReader::peek(uint64_t count) const {
  if (count > remaining()) failRead();
  return bytes_.subspan(pos_, static_cast<size_t>(count));
}

}  // namespace lumabord
