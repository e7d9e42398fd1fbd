// The helpers every reader builds on: bounded byte reads, sample unpacking, palettes and
// the run-length decoders, with exact bytes, cut runs and input that ends too soon.
#include <gtest/gtest.h>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/pixel_unpack.h"
#include "codecs/run_length.h"

namespace lumabord {
namespace {

using Bytes = std::vector<uint8_t>;

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

TEST(ByteReader, ReadsBothByteOrdersAndNeverPastTheEnd) {
  const Bytes data = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
  ByteReader in(data, "TGA");
  EXPECT_EQ(in.u16le(), 0x0201);
  EXPECT_EQ(in.u16be(), 0x0304);
  EXPECT_EQ(errorOf([&] { in.u32le(); }), "Stream read error in TGA file.");
  EXPECT_EQ(in.position(), 4u);  // a failed read does not move
  EXPECT_EQ(in.i16be(), 0x0506);
  EXPECT_TRUE(in.atEnd());
  in.seek(data.size());
  EXPECT_EQ(errorOf([&] { in.seek(data.size() + 1); }), "Stream read error in TGA file.");
  in.seek(1);
  EXPECT_EQ(in.u32be(), 0x02030405u);
  EXPECT_EQ(errorOf([&] { in.skip(UINT64_MAX); }), "Stream read error in TGA file.");
  in.seek(0);
  EXPECT_EQ(in.u32le(), 0x04030201u);
}

TEST(PixelUnpack, SamplesMostSignificantBitsFirst) {
  uint8_t out[8] = {};
  unpackSamples(Bytes{0xB4}, 1, 8, out);
  EXPECT_EQ(Bytes(out, out + 8), (Bytes{1, 0, 1, 1, 0, 1, 0, 0}));
  unpackSamples(Bytes{0x1B, 0xC0}, 2, 5, out);
  EXPECT_EQ(Bytes(out, out + 5), (Bytes{0, 1, 2, 3, 3}));
  unpackSamples(Bytes{0xA5, 0xF0}, 4, 3, out);
  EXPECT_EQ(Bytes(out, out + 3), (Bytes{10, 5, 15}));
  EXPECT_EQ(errorOf([&] { unpackSamples(Bytes{0xFF}, 4, 3, out); }),
            "Packed samples end before the row does");
  EXPECT_EQ(errorOf([&] { unpackSamples(Bytes{0xFF}, 3, 1, out); }), "Unsupported sample depth 3");

  // Indices beyond the palette are black; the grey ramp spreads levels evenly.
  Palette p({{1, 2, 3}});
  const uint8_t indices[2] = {0, 200};
  uint8_t bgr[6] = {};
  p.expand(indices, 2, bgr);
  EXPECT_EQ(Bytes(bgr, bgr + 6), (Bytes{3, 2, 1, 0, 0, 0}));
  const Palette ramp = Palette::greyRamp(2);
  ASSERT_EQ(ramp.size(), 4u);
  EXPECT_EQ(ramp[1], (Rgb{85, 85, 85}));
  EXPECT_EQ(ramp[3], (Rgb{255, 255, 255}));
}

TEST(RunLength, DecodersGiveExactBytesAndCutOrCarryOvershootingRuns) {
  Bytes out(7);
  // PackBits: 2 literals, 3 repeats of 9, a no-op, then a run of 4 cut to the last 2 bytes.
  const Bytes packBitsData = {0x01, 'a', 'b', 0xFE, 9, 0x80, 0xFD, 7, 0xEE};
  ByteReader packBits(packBitsData, "PSD");
  unpackPackBits(packBits, out);
  EXPECT_EQ(out, (Bytes{'a', 'b', 9, 9, 9, 7, 7}));
  EXPECT_EQ(packBits.remaining(), 1u);

  // Targa packets of 2-byte pixels: a repeat of 2, then 2 literals of which the second
  // carries over into the next row.
  Bytes pixels(6), next(2);
  const Bytes packetsData = {0x81, 1, 2, 0x01, 3, 4, 5, 6};
  ByteReader packets(packetsData, "TGA");
  PixelPacketStream packetStream(packets, 2);
  packetStream.read(pixels);
  EXPECT_EQ(pixels, (Bytes{1, 2, 1, 2, 3, 4}));
  packetStream.read(next);
  EXPECT_EQ(next, (Bytes{5, 6}));
  Bytes odd(3);
  EXPECT_EQ(errorOf([&] { packetStream.read(odd); }), "Bad pixel packet size");

  // PCX: a count byte 0xC3 repeats the next byte three times, here across two lines; others
  // stand for themselves.
  Bytes line1(2), line2(3);
  const Bytes flaggedData = {0xC3, 0xFF, 0x12, 0xC5, 0x34};
  ByteReader flagged(flaggedData, "PCX");
  CountFlaggedStream runs(flagged);
  runs.read(line1);
  runs.read(line2);
  EXPECT_EQ(line1, (Bytes{0xFF, 0xFF}));
  EXPECT_EQ(line2, (Bytes{0xFF, 0x12, 0x34}));

  // SGI: 0x82 copies two literals, 0x03 repeats the next byte three times, 0 ends the row.
  Bytes sgi(8, 0xAA);
  const Bytes literalData = {0x82, 1, 2, 0x03, 5, 0x00};
  ByteReader literal(literalData, "SGI");
  EXPECT_EQ(unpackLiteralFlagged(literal, sgi), 5u);
  EXPECT_EQ(sgi, (Bytes{1, 2, 5, 5, 5, 0xAA, 0xAA, 0xAA}));

  // Input that ends before the output is full.
  Bytes big(100);
  for (auto decode : std::vector<std::function<void(ByteReader&)>>{
           [&](ByteReader& in) { unpackPackBits(in, big); },
           [&](ByteReader& in) { PixelPacketStream(in, 4).read(big); },
           [&](ByteReader& in) { CountFlaggedStream(in).read(big); },
           [&](ByteReader& in) { unpackLiteralFlagged(in, big); }}) {
    const Bytes inData = {0x05, 1, 2};
    ByteReader in(inData, "PCX");
    EXPECT_EQ(errorOf([&] { decode(in); }), "Stream read error in PCX file.");
  }
}

}  // namespace
}  // namespace lumabord
