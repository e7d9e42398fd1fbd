// Paintshop Pro reader (psp), version 5 and later: the full composite image of the
// composite bank, or the first layer where the file stores no composite; 1, 4 and 8-bit
// indexed, 8-bit grey and 24-bit pictures, uncompressed, run-length or LZ77 (zlib) coded.
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/picture_source.h"
#include "codecs/pixel_unpack.h"
#include "codecs/run_length.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "PSP";
constexpr char kSignature[] = "Paint Shop Pro Image File\n\x1a";
constexpr size_t kFileHeaderBytes = 36;

enum BlockId : uint16_t {
  kImageBlock = 0,
  kColourBlock = 2,
  kLayerBankBlock = 3,
  kLayerBlock = 4,
  kChannelBlock = 5,
  kCompositeBlock = 9,
  kCompositeBankBlock = 16,
  kCompositeAttributesBlock = 17,
};

enum Compression : uint16_t { kNone = 0, kRle = 1, kLz77 = 2 };

struct Block {
  uint16_t id = 0;
  std::span<const uint8_t> initial;  // version 5: the initial data chunk; later: empty
  std::span<const uint8_t> body;     // everything after the block header
};

// Reads the blocks of a span one after the other ("~BK\0", id, lengths).
class BlockReader {
 public:
  BlockReader(std::span<const uint8_t> bytes, int major) : in_(bytes, kFormat), major_(major) {}

  std::optional<Block> next() {
    if (in_.remaining() < 10) return std::nullopt;
    if (std::memcmp(in_.peek(4).data(), "~BK", 4) != 0) failInvalidFormat(kFormat);
    in_.skip(4);
    Block b;
    b.id = in_.u16le();
    if (major_ <= 5) {
      const uint32_t initial = in_.u32le();
      const uint32_t total = in_.u32le();
      if (initial > total) failInvalidFormat(kFormat);
      b.body = in_.bytes(total);
      b.initial = b.body.first(initial);
    } else {
      b.body = in_.bytes(in_.u32le());
    }
    return b;
  }

 private:
  ByteReader in_;
  int major_;
};

// The fields of a chunk that version 6 and later start with its own length, which version
// 5 leaves out: returns a reader placed on the first field and the chunk's end.
ByteReader chunkReader(std::span<const uint8_t> bytes, int major, size_t& chunkEnd) {
  ByteReader in(bytes, kFormat);
  chunkEnd = bytes.size();
  if (major > 5) {
    const uint32_t size = in.u32le();
    if (size < 4 || size > bytes.size()) failInvalidFormat(kFormat);
    chunkEnd = size;
  }
  return in;
}

struct Picture {
  int64_t width = 0, height = 0;
  int bits = 0;
  uint16_t compression = kNone;
  bool grey = false;
};

std::vector<uint8_t> decompress(std::span<const uint8_t> data, uint16_t compression, size_t size) {
  std::vector<uint8_t> out(size);
  if (compression == kNone) {
    if (data.size() < size) failStreamRead(kFormat);
    std::copy_n(data.begin(), size, out.begin());
  } else if (compression == kRle) {
    ByteReader in(data, kFormat);
    unpackOffsetCountRuns(in, out);
  } else {
    uLongf produced = static_cast<uLongf>(size);
    if (uncompress(out.data(), &produced, data.data(), static_cast<uLong>(data.size())) != Z_OK ||
        produced != size)
      fail("LZ77 decompression error.");
  }
  return out;
}

// A colour block's table: the entry count, then B, G, R, reserved per entry.
Palette paletteOf(const Block& block, int major) {
  size_t end = 0;
  ByteReader info = chunkReader(major <= 5 ? block.initial : block.body, major, end);
  const uint32_t count = std::min<uint32_t>(info.u32le(), 256);
  ByteReader in(block.body, kFormat);
  in.seek(major <= 5 ? block.initial.size() : end);
  const auto entries = in.bytes(uint64_t{count} * 4);
  Palette palette;
  for (size_t i = 0; i < count; ++i)
    palette.add({entries[4 * i + 2], entries[4 * i + 1], entries[4 * i]});
  return palette;
}

// Colour channels (type 0: index or grey, 1 red, 2 green, 3 blue) of the image bitmap,
// each unpacked to one byte per pixel; the palette when the picture has one.
class ChannelSet {
 public:
  // `palette`: the file's own, which a palette of the image bitmap replaces.
  ChannelSet(const PictureSource& source, const Picture& p, int major, Palette palette)
      : source_(source), p_(p), major_(major), palette_(std::move(palette)) {}

  void add(const Block& block) {
    if (block.id == kColourBlock) {
      palette_ = paletteOf(block, major_);
      return;
    }
    if (block.id != kChannelBlock) return;
    size_t end = 0;
    const auto info = major_ <= 5 ? block.initial : block.body;
    ByteReader in = chunkReader(info, major_, end);
    const uint32_t compressedSize = in.u32le();
    const uint32_t size = in.u32le();
    const uint16_t bitmapType = in.u16le();
    const uint16_t channelType = in.u16le();
    if (bitmapType != 0 || channelType > 3) return;  // masks and transparency are not drawn
    ByteReader data(block.body, kFormat);
    data.seek(major_ <= 5 ? block.initial.size() : end);
    // Rows are padded to whole 32-bit words by some writers and not by others; the
    // uncompressed size says which, and may say nothing larger.
    const size_t rowBytes = packedBytes(static_cast<size_t>(p_.width), p_.bits == 24 ? 8 : p_.bits);
    const uint64_t height = static_cast<uint64_t>(p_.height);
    if (size < rowBytes * height || size > (rowBytes + 3) / 4 * 4 * height || size % height != 0)
      failInvalidFormat(kFormat);
    const size_t stride = size / static_cast<size_t>(p_.height);
    // A run-length pair yields at most 127 bytes; zlib at most about 1032 per byte.
    const uint64_t ratio = p_.compression == kNone ? 1 : p_.compression == kRle ? 127 : 1032;
    checkFileHolds(source_, kFormat, (uint64_t{size} + ratio - 1) / ratio, compressedSize);
    const auto coded = data.bytes(compressedSize);
    const std::vector<uint8_t> raw = decompress(coded, p_.compression, size);
    // Colour channels go straight into the picture, so only one plane is ever held.
    const size_t w = static_cast<size_t>(p_.width);
    if (p_.bits == 24 && channelType != 0) {
      if (image_.empty()) image_ = Image(static_cast<int>(p_.width), static_cast<int>(p_.height));
      std::vector<uint8_t> row(w);
      const size_t offset = 3 - channelType;  // B, G, R in memory
      for (int64_t y = 0; y < p_.height; ++y) {
        unpackSamples({raw.data() + static_cast<size_t>(y) * stride, stride}, 8, w, row.data());
        uint8_t* out = image_.row(static_cast<int>(y)) + offset;
        for (size_t x = 0; x < w; ++x, out += 3) *out = row[x];
      }
      seen_ |= 1u << channelType;
      return;
    }
    if (p_.bits == 24 || channelType != 0) return;
    index_.resize(w * static_cast<size_t>(p_.height));
    for (int64_t y = 0; y < p_.height; ++y) {
      unpackSamples({raw.data() + static_cast<size_t>(y) * stride, stride}, p_.bits, w,
                    index_.data() + static_cast<size_t>(y) * w);
    }
    seen_ |= 1u;
  }

  Image build() {
    const bool colour = p_.bits == 24;
    if (seen_ != (colour ? 0xEu : 1u)) failInvalidFormat(kFormat);
    if (colour) return std::move(image_);
    Image image(static_cast<int>(p_.width), static_cast<int>(p_.height));
    const size_t n = static_cast<size_t>(p_.width * p_.height);
    if (p_.grey || palette_.empty()) {
      Palette::greyRamp(p_.bits).expand(index_.data(), n, image.data());
    } else {
      palette_.expand(index_.data(), n, image.data());
    }
    return image;
  }

 private:
  const PictureSource& source_;
  Picture p_;
  int major_;
  Palette palette_;
  Image image_;                 // 24-bit pictures: the channels seen so far
  std::vector<uint8_t> index_;  // other pictures: the index or grey plane
  unsigned seen_ = 0;           // bit n: channel type n was read
};

Picture readImageAttributes(const Block& block, int major) {
  size_t end = 0;
  ByteReader in = chunkReader(major <= 5 ? block.initial : block.body, major, end);
  Picture p;
  p.width = in.i32le();
  p.height = in.i32le();
  in.skip(9);  // resolution and its unit
  p.compression = in.u16le();
  p.bits = in.u16le();
  in.skip(6);  // plane count, colour count
  p.grey = in.u8() != 0;
  return p;
}

void checkPicture(const PictureSource& source, const Picture& p) {
  if (p.bits != 1 && p.bits != 4 && p.bits != 8 && p.bits != 24)
    fail("Invalid color format in %s file.", kFormat);
  if (p.compression > kLz77) failUnsupportedCompression(kFormat);
  checkPictureSize(source, kFormat, p.width, p.height);
}

// The full composite image of a composite bank, if it holds one.
std::optional<Image> compositeOf(const Block& bank, const Picture& general,
                                 const PictureSource& source, int major) {
  size_t end = 0;
  chunkReader(bank.body, major, end);
  BlockReader blocks(bank.body.subspan(end), major);
  std::optional<Picture> next;
  while (auto b = blocks.next()) {
    if (b->id == kCompositeAttributesBlock) {
      size_t e = 0;
      ByteReader in = chunkReader(b->body, major, e);
      Picture p = general;
      p.width = in.i32le();
      p.height = in.i32le();
      p.bits = in.u16le();
      p.compression = in.u16le();
      in.skip(6);  // plane count, colour count
      const uint16_t type = in.u16le();
      next.reset();
      if (type == 0) next = p;  // 1 is the thumbnail
    } else if (b->id == kCompositeBlock && next) {
      checkPicture(source, *next);
      size_t e = 0;
      chunkReader(b->body, major, e);
      ChannelSet channels(source, *next, major, {});
      BlockReader parts(b->body.subspan(e), major);
      while (auto part = parts.next()) channels.add(*part);
      return channels.build();
    }
  }
  return std::nullopt;
}

// The first layer of a layer bank, drawn at its own size.
std::optional<Image> firstLayerOf(const Block& bank, const Picture& general, const Palette& palette,
                                  const PictureSource& source, int major) {
  BlockReader layers(bank.body.subspan(major <= 5 ? bank.initial.size() : 0), major);
  while (auto layer = layers.next()) {
    if (layer->id != kLayerBlock) continue;
    ByteReader in(major <= 5 ? layer->initial : layer->body, kFormat);
    size_t infoEnd = 0;
    if (major <= 5) {
      in.skip(256);  // the name
    } else {
      infoEnd = in.u32le();
      in.skip(in.u16le());
    }
    in.skip(1);  // layer type
    const int32_t left = in.i32le(), top = in.i32le(), right = in.i32le(), bottom = in.i32le();
    Picture p = general;
    p.width = int64_t{right} - left;
    p.height = int64_t{bottom} - top;
    checkPicture(source, p);
    std::span<const uint8_t> parts = layer->body.subspan(layer->initial.size());
    if (major > 5) {
      // The layer information chunk, then the bitmap information chunk.
      if (infoEnd > layer->body.size()) failInvalidFormat(kFormat);
      ByteReader bitmapInfo(layer->body.subspan(infoEnd), kFormat);
      const uint32_t bitmapInfoSize = bitmapInfo.u32le();
      if (bitmapInfoSize > layer->body.size() - infoEnd) failInvalidFormat(kFormat);
      parts = layer->body.subspan(infoEnd + bitmapInfoSize);
    }
    ChannelSet channels(source, p, major, palette);
    BlockReader blocks(parts, major);
    while (auto b = blocks.next()) channels.add(*b);
    return channels.build();
  }
  return std::nullopt;
}

}  // namespace

Image readPsp(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  if (in.size() < kFileHeaderBytes ||
      std::memcmp(in.all().data(), kSignature, sizeof kSignature - 1) != 0)
    failInvalidFormat(kFormat);
  in.seek(32);
  const int major = in.u16le();
  in.u16le();
  if (major < 3) failInvalidFormat(kFormat);

  BlockReader blocks(in.rest(), major);
  std::optional<Picture> general;
  std::optional<Block> layerBank;
  Palette palette;
  while (auto b = blocks.next()) {
    if (b->id == kColourBlock) {
      palette = paletteOf(*b, major);
    } else if (b->id == kImageBlock) {
      general = readImageAttributes(*b, major);
      checkPicture(source, *general);
    } else if (b->id == kCompositeBankBlock && general) {
      if (auto image = compositeOf(*b, *general, source, major)) return std::move(*image);
    } else if (b->id == kLayerBankBlock && !layerBank) {
      layerBank = b;
    }
  }
  if (general && layerBank) {
    if (auto image = firstLayerOf(*layerBank, *general, palette, source, major))
      return std::move(*image);
  }
  fail("Cannot load image %s: the PSP file holds no picture", source.name.c_str());
}

}  // namespace lumabord
