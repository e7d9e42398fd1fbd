// Signature checks for content sniffing.
#include "codecs/content_sniffer.h"

#include <cstring>

#include "codecs/byte_reader.h"

namespace lumabord {
namespace {

bool startsWith(std::span<const uint8_t> bytes, std::initializer_list<uint8_t> magic) {
  return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

}  // namespace

std::string_view sniffPictureFormat(std::span<const uint8_t> b) {
  if (startsWith(b, {0xFF, 0xD8, 0xFF})) return "jpg";
  if (startsWith(b, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return "png";
  if (startsWith(b, {'G', 'I', 'F', '8', '7', 'a'}) ||
      startsWith(b, {'G', 'I', 'F', '8', '9', 'a'}))
    return "gif";
  if (startsWith(b, {'I', 'I', 42, 0}) || startsWith(b, {'M', 'M', 0, 42})) return "tif";
  if (startsWith(b, {'B', 'M'}) && b.size() >= 18) return "bmp";
  // Icons and cursors: reserved 0, type 1 or 2, at least one entry.
  if (b.size() >= 6 && loadU16le(b.data()) == 0 &&
      (loadU16le(b.data() + 2) == 1 || loadU16le(b.data() + 2) == 2) && loadU16le(b.data() + 4) > 0)
    return "ico";
  if (startsWith(b, {0xD7, 0xCD, 0xC6, 0x9A})) return "wmf";
  // A metafile without the placeable header: in-memory or disk type, a 9-word header,
  // version 1.0 or 3.0.
  if (b.size() >= 18 && (loadU16le(b.data()) == 1 || loadU16le(b.data()) == 2) &&
      loadU16le(b.data() + 2) == 9 &&
      (loadU16le(b.data() + 4) == 0x0100 || loadU16le(b.data() + 4) == 0x0300))
    return "wmf";
  if (b.size() >= 44 && loadU32le(b.data()) == 1 && std::memcmp(b.data() + 40, " EMF", 4) == 0)
    return "emf";
  return {};
}

}  // namespace lumabord
