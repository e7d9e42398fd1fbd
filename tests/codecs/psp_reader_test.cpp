// Paintshop Pro reader: composite bank of version 6+ files, the first layer of version 5
// files, every compression, indexed, grey and 24-bit pictures, bad input.
#include "codecs/format_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

using namespace psp_files;

void expectPicture(const Image& image) {
  ASSERT_EQ(image.width(), kW);
  ASSERT_EQ(image.height(), kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) EXPECT_EQ(image.pixel(x, y), colourAt(x, y)) << x << "," << y;
}

TEST(PspReader, CompositeInEveryCompression) {
  for (unsigned compression : {0u, 1u, 2u}) {
    for (bool padded : {false, true})
      expectPicture(decodeAs(compositeFile(compression, padded), "psp"));
  }
}

// A version 5 file without composite: a layer bank with one 4-bit indexed layer.
Bytes version5File(bool withPalette) {
  const int major = 5;
  PspFile f(major);
  const Bytes general = imageAttributes(major, 4, 2, 4, 1, !withPalette);
  f.b.insert(f.b.end(), general.begin(), general.end());
  if (withPalette) {
    Bytes count;
    putU32le(count, 16);
    Bytes entries;
    for (unsigned i = 0; i < 16; ++i) {
      putU8(entries, i * 16);  // blue
      putU8(entries, 100);
      putU8(entries, 255 - i);
      putU8(entries, 0);
    }
    const Bytes palette = block(major, 2, count, entries);
    f.b.insert(f.b.end(), palette.begin(), palette.end());
  }
  Bytes info(256, 0);
  putU8(info, 0);
  for (unsigned v : {0u, 0u, 4u, 2u}) putU32le(info, v);
  putZeros(info, 60);
  const Bytes channel = channelBlock(major, 0, {0x01, 0x23, 0xFE, 0xDC}, 1);
  const Bytes layer = block(major, 4, info, channel);
  const Bytes bank = block(major, 3, {}, layer);
  f.b.insert(f.b.end(), bank.begin(), bank.end());
  return f.b;
}

TEST(PspReader, FirstLayerOfVersion5IndexedAndGrey) {
  const Image indexed = decodeAs(version5File(true), "psp");
  ASSERT_EQ(indexed.width(), 4);
  EXPECT_EQ(indexed.pixel(1, 0), (Rgb{254, 100, 16}));
  EXPECT_EQ(indexed.pixel(0, 1), (Rgb{240, 100, 240}));
  // Without a palette the 4-bit indices are grey levels i * 17.
  const Image grey = decodeAs(version5File(false), "psp");
  EXPECT_EQ(grey.pixel(3, 0), (Rgb{51, 51, 51}));
  EXPECT_EQ(grey.pixel(3, 1), (Rgb{204, 204, 204}));
}

TEST(PspReader, RefusesBadHeadersAndData) {
  Bytes file = compositeFile(2, false);
  Bytes bad = file;
  bad[0] = 'Q';
  EXPECT_EQ(decodeError(bad, "psp"), "Cannot load image. Invalid or unexpected PSP image format.");
  Bytes brokenZlib = file;
  brokenZlib[brokenZlib.size() - 3] ^= 0xFF;
  EXPECT_EQ(decodeError(brokenZlib, "psp"), "LZ77 decompression error.");
  Bytes cut = file;
  cut.resize(cut.size() - 10);
  EXPECT_EQ(decodeError(cut, "psp"), "Stream read error in PSP file.");
  PspFile empty(6);
  const Bytes general = imageAttributes(6, 2, 2, 24, 0, false);
  empty.b.insert(empty.b.end(), general.begin(), general.end());
  EXPECT_EQ(decodeError(empty.b, "psp"),
            "Cannot load image test.psp: the PSP file holds no picture");
  PspFile deep(6);
  const Bytes g16 = imageAttributes(6, 2, 2, 16, 0, false);
  deep.b.insert(deep.b.end(), g16.begin(), g16.end());
  EXPECT_EQ(decodeError(deep.b, "psp"), "Invalid color format in PSP file.");
  PspFile huge(6);
  const Bytes gh = imageAttributes(6, 100000, 100000, 24, 0, false);
  huge.b.insert(huge.b.end(), gh.begin(), gh.end());
  EXPECT_EQ(
      decodeError(huge.b, "psp"),
      "Cannot load image test.psp: 100000 x 100000 pixels exceed the limit of 268435456 pixels");
}

}  // namespace
}  // namespace lumabord::testing
