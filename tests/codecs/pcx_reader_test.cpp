// ZSoft Paintbrush reader: plane and depth layouts, both palettes, run-length lines.
#include "codecs/format_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

using namespace pcx_files;


TEST(PcxReader, MonochromeAndSixteenColourPlanes) {
  // 1 bit, one plane: the first two header colours, black and white when they are equal.
  Bytes monoFile = pcxFile(1, 1, 10, 1, 2, {0b10100000, 0b01000000});
  const Image mono = decodeAs(monoFile, "pcx");
  EXPECT_EQ(mono.pixel(0, 0), egaColour(1));
  EXPECT_EQ(mono.pixel(1, 0), egaColour(0));
  EXPECT_EQ(mono.pixel(9, 0), egaColour(1));
  std::fill(monoFile.begin() + 16, monoFile.begin() + 22, 0);
  EXPECT_EQ(pixelsOf(decodeAs(monoFile, "pcx"))[0], (Rgb{255, 255, 255}));
  EXPECT_EQ(pixelsOf(decodeAs(monoFile, "pcx"))[1], (Rgb{0, 0, 0}));
  // No ImageMagick comparison here: it reads set bits of monochrome pictures as black,
  // while Paintbrush's own pictures store their white paper as set bits.

  // 4 planes of 1 bit: plane p gives bit p of the index into the header palette.
  // Pixel 0: planes 1,0,1,1 -> index 0b1101 = 13; pixel 1: 0,1,0,0 -> 2.
  const Bytes planes = {0b10000000, 0b01000000, 0b10000000, 0b10000000};
  const Image ega = decodeAs(pcxFile(1, 4, 2, 1, 1, planes), "pcc");
  EXPECT_EQ(pixelsOf(ega), (std::vector<Rgb>{egaColour(13), egaColour(2)}));
  expectMatchesMagick(pcxFile(1, 4, 2, 1, 1, planes), "pcx", "pcx");

  // 4 bits in one plane index the same table.
  const Image nibbles = decodeAs(pcxFile(4, 1, 3, 1, 2, {0xF1, 0x70}), "scr");
  EXPECT_EQ(pixelsOf(nibbles), (std::vector<Rgb>{egaColour(15), egaColour(1), egaColour(7)}));
}

TEST(PcxReader, VgaPaletteGreyAndTrueColour) {
  Bytes vga = {0x0C};
  for (unsigned i = 0; i < 256; ++i) {
    putU8(vga, 255 - i);
    putU8(vga, i);
    putU8(vga, i / 2);
  }
  const Bytes indices = {0, 200, 255, 7, 7, 7, 7, 0};
  const Bytes file = pcxFile(8, 1, 4, 2, 4, indices, vga);
  EXPECT_EQ(pixelsOf(decodeAs(file, "pcx")),
            (std::vector<Rgb>{{255, 0, 0}, {55, 200, 100}, {0, 255, 127}, {248, 7, 3},
                              {248, 7, 3}, {248, 7, 3}, {248, 7, 3}, {255, 0, 0}}));
  expectMatchesMagick(file, "pcx", "pcx");
  // Without the table an 8-bit picture is grey.
  EXPECT_EQ(decodeAs(pcxFile(8, 1, 4, 2, 4, indices), "pcx").pixel(1, 0), (Rgb{200, 200, 200}));

  // Three planes: the red, green and blue lines of each row; odd width, padded lines.
  const Bytes rgb = {1, 2, 3, 0, 40, 50, 60, 0, 200, 201, 202, 0};
  const Bytes trueColour = pcxFile(8, 3, 3, 1, 4, rgb);
  EXPECT_EQ(pixelsOf(decodeAs(trueColour, "pcx")),
            (std::vector<Rgb>{{1, 40, 200}, {2, 50, 201}, {3, 60, 202}}));
  expectMatchesMagick(trueColour, "pcx", "pcx");
}

TEST(PcxReader, RefusesBadHeadersAndShortData) {
  Bytes notPcx = pcxFile(8, 1, 2, 2, 2, {1, 2, 3, 4});
  notPcx[0] = 0x0B;
  EXPECT_EQ(decodeError(notPcx, "pcx"), "Cannot load image. Invalid or unexpected PCX image format.");
  EXPECT_EQ(decodeError(pcxFile(4, 3, 2, 2, 2, {}), "pcx"), "Invalid color format in PCX file.");
  EXPECT_EQ(decodeError(pcxFile(3, 1, 2, 2, 2, {}), "pcx"), "Invalid color format in PCX file.");
  // A line shorter than the width needs.
  EXPECT_EQ(decodeError(pcxFile(8, 1, 5, 1, 4, {1, 2, 3, 4}), "pcx"),
            "Cannot load image. Invalid or unexpected PCX image format.");
  EXPECT_EQ(decodeError(pcxFile(8, 1, 1000, 1000, 1000, {1, 2}), "pcx"),
            "Cannot load image test.pcx: the PCX file declares a picture of at least 31748 bytes "
            "but holds only 4");
  Bytes cut = pcxFile(8, 1, 40, 10, 40, Bytes(400, 9));
  cut.resize(128 + 40);
  EXPECT_EQ(decodeError(cut, "pcx"), "Stream read error in PCX file.");
  EXPECT_EQ(decodeError(Bytes(20, 0x0A), "pcx"), "Stream read error in PCX file.");
}

}  // namespace
}  // namespace lumabord::testing
