// Run-length decoders.
#include "codecs/run_length.h"

#include <algorithm>
#include <cstring>

#include "base/error.h"

namespace lumabord {
namespace {

// Copies n bytes to out at pos, cut at the end of out; returns the new position.
size_t put(std::span<uint8_t> out, size_t pos, const uint8_t* src, size_t n) {
  const size_t take = std::min(n, out.size() - pos);
  std::memcpy(out.data() + pos, src, take);
  return pos + take;
}

size_t repeat(std::span<uint8_t> out, size_t pos, uint8_t value, size_t n) {
  const size_t take = std::min(n, out.size() - pos);
  std::memset(out.data() + pos, value, take);
  return pos + take;
}

}  // namespace

void unpackPackBits(ByteReader& in, std::span<uint8_t> out) {
  size_t pos = 0;
  while (pos < out.size()) {
    const int n = static_cast<int8_t>(in.u8());
    if (n >= 0) {
      pos = put(out, pos, in.bytes(static_cast<size_t>(n) + 1).data(), static_cast<size_t>(n) + 1);
    } else if (n != -128) {
      pos = repeat(out, pos, in.u8(), static_cast<size_t>(1 - n));
    }
  }
}

void unpackSignedRuns(ByteReader& in, std::span<uint8_t> out) {
  size_t pos = 0;
  while (pos < out.size()) {
    const int n = static_cast<int8_t>(in.u8());
    if (n >= 0) {
      pos = repeat(out, pos, in.u8(), static_cast<size_t>(n) + 1);
    } else {
      pos = put(out, pos, in.bytes(static_cast<size_t>(-n)).data(), static_cast<size_t>(-n));
    }
  }
}

void unpackOffsetCountRuns(ByteReader& in, std::span<uint8_t> out) {
  size_t pos = 0;
  while (pos < out.size()) {
    const unsigned c = in.u8();
    if (c > 128) {
      pos = repeat(out, pos, in.u8(), c - 128);
    } else {
      pos = put(out, pos, in.bytes(c).data(), c);
    }
  }
}

PixelPacketStream::PixelPacketStream(ByteReader& in, size_t pixelBytes)
    : in_(in), pixelBytes_(pixelBytes) {
  if (pixelBytes == 0) fail("Bad pixel packet size");
}

void PixelPacketStream::read(std::span<uint8_t> out) {
  if (out.size() % pixelBytes_ != 0) fail("Bad pixel packet size");
  size_t pos = 0;
  while (pos < out.size()) {
    if (pending_ == 0) {
      const uint8_t h = in_.u8();
      pending_ = (h & 0x7Fu) + 1u;
      repeat_ = (h & 0x80) != 0;
      pixels_ = in_.bytes((repeat_ ? 1 : pending_) * pixelBytes_);
    }
    const size_t take = std::min(pending_, (out.size() - pos) / pixelBytes_);
    if (repeat_) {
      for (size_t i = 0; i < take; ++i) pos = put(out, pos, pixels_.data(), pixelBytes_);
    } else {
      pos = put(out, pos, pixels_.data(), take * pixelBytes_);
      pixels_ = pixels_.subspan(take * pixelBytes_);
    }
    pending_ -= take;
  }
}

void CountFlaggedStream::read(std::span<uint8_t> out) {
  size_t pos = 0;
  while (pos < out.size()) {
    if (pending_ > 0) {
      const size_t take = std::min(pending_, out.size() - pos);
      pos = repeat(out, pos, value_, take);
      pending_ -= take;
      continue;
    }
    const uint8_t b = in_.u8();
    if ((b & 0xC0) == 0xC0) {
      pending_ = b & 0x3Fu;
      value_ = in_.u8();
    } else {
      out[pos++] = b;
    }
  }
}

// Byte packets whose high bit marks literals (literalFlag 0x80) or runs (0x00).
static size_t unpackFlaggedBytes(ByteReader& in, std::span<uint8_t> out, uint8_t literalFlag) {
  size_t pos = 0;
  while (pos < out.size()) {
    const uint8_t c = in.u8();
    const size_t count = c & 0x7Fu;
    if (count == 0) break;
    if ((c & 0x80) == literalFlag) {
      pos = put(out, pos, in.bytes(count).data(), count);
    } else {
      pos = repeat(out, pos, in.u8(), count);
    }
  }
  return pos;
}

size_t unpackLiteralFlagged(ByteReader& in, std::span<uint8_t> out) {
  return unpackFlaggedBytes(in, out, 0x80);
}

size_t unpackRunFlagged(ByteReader& in, std::span<uint8_t> out) {
  return unpackFlaggedBytes(in, out, 0x00);
}

size_t unpackLiteralFlagged16(ByteReader& in, std::span<uint16_t> out) {
  size_t pos = 0;
  while (pos < out.size()) {
    const uint16_t c = in.u16be();
    const size_t count = c & 0x7Fu;
    if (count == 0) break;
    if (c & 0x80) {
      const auto words = in.bytes(2 * count);
      for (size_t i = 0; i < count && pos < out.size(); ++i) out[pos++] = loadU16be(&words[2 * i]);
    } else {
      const uint16_t value = in.u16be();
      for (size_t i = 0; i < count && pos < out.size(); ++i) out[pos++] = value;
    }
  }
  return pos;
}

}  // namespace lumabord
