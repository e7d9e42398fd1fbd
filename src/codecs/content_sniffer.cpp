// Signature checks for content sniffing.
#include "codecs/content_sniffer.h"

#include <cstring>

#include "codecs/byte_reader.h"

namespace lumabord {
namespace {

bool startsWith(std::span<const uint8_t> bytes, std::initializer_list<uint8_t> magic) {
  return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

// WebP, JPEG XL (bare codestream or container) and the HEIF family by its file-type box.
// Checked before the icon test: a box size such as 00 00 01 00 reads as an icon header.
std::string_view sniffModernFormat(std::span<const uint8_t> b) {
  if (b.size() >= 12 && std::memcmp(b.data(), "RIFF", 4) == 0 &&
      std::memcmp(b.data() + 8, "WEBP", 4) == 0)
    return "webp";
  if (startsWith(b, {0xFF, 0x0A}) ||
      startsWith(b, {0, 0, 0, 0x0C, 'J', 'X', 'L', ' ', 0x0D, 0x0A, 0x87, 0x0A}))
    return "jxl";
  if (b.size() < 12 || std::memcmp(b.data() + 4, "ftyp", 4) != 0) return {};
  constexpr std::string_view kHeifBrands[] = {"heic", "heix", "hevc", "hevx", "heim", "heis",
                                              "hevm", "hevs", "mif1", "msf1", "avif", "avis"};
  const std::string_view brand(reinterpret_cast<const char*>(b.data() + 8), 4);
  for (const std::string_view known : kHeifBrands) {
    if (brand == known) return known.starts_with("av") ? "avif" : "heic";
  }
  return {};
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
  if (const std::string_view modern = sniffModernFormat(b); !modern.empty()) return modern;
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
