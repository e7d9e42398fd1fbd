// Byte writers for the files the codec tests and the fuzz seed corpus generate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumabord::testing {

using Bytes = std::vector<uint8_t>;

inline void putU8(Bytes& b, unsigned v) {
  b.push_back(static_cast<uint8_t>(v));
}
inline void putU16le(Bytes& b, unsigned v) {
  putU8(b, v & 0xFF);
  putU8(b, v >> 8 & 0xFF);
}
inline void putU16be(Bytes& b, unsigned v) {
  putU8(b, v >> 8 & 0xFF);
  putU8(b, v & 0xFF);
}
inline void putU32le(Bytes& b, uint32_t v) {
  putU16le(b, v & 0xFFFF);
  putU16le(b, v >> 16);
}
inline void putU32be(Bytes& b, uint32_t v) {
  putU16be(b, v >> 16);
  putU16be(b, v & 0xFFFF);
}
inline void setU32le(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}
inline void putText(Bytes& b, const std::string& s) {
  for (char c : s) b.push_back(static_cast<uint8_t>(c));
}
inline void putZeros(Bytes& b, size_t n) {
  b.insert(b.end(), n, 0);
}

}  // namespace lumabord::testing
