// Writes the seed corpus of every fuzz target: small files of the variants each reader
// handles, made by the same writers as the reader tests. Usage: fuzz_seed_corpus <folder>;
// the files land in <folder>/<target>/.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include "codecs/format_files.h"
#include "codecs/picture_writers.h"

namespace lt = lumabord::testing;
using lt::Bytes;

namespace {

std::map<std::string, std::vector<std::pair<std::string, Bytes>>> corpus() {
  const lumabord::Image img = lt::patternImage(13, 7);
  const lumabord::Image smooth = lt::smoothImage(16, 16);
  const auto indices16 = lt::patternIndices(13, 7, 16);
  std::map<std::string, std::vector<std::pair<std::string, Bytes>>> c;

  auto bmp = [&](int bits, uint32_t compression, uint32_t header, bool topDown) {
    lt::BmpLayout l;
    l.bits = bits;
    l.compression = compression;
    l.headerSize = header;
    l.topDown = topDown;
    if (compression == 3) l.masks = {0xF800, 0x07E0, 0x001F, 0};
    if (bits <= 8) l.palette = lt::patternPalette(1 << bits);
    return lt::writeBmp(l, 13, 7, lt::patternIndices(13, 7, 1 << std::min(bits, 8)), &img);
  };
  c["bmp"] = {{"1", bmp(1, 0, 40, false)},      {"4", bmp(4, 0, 40, false)},
              {"8", bmp(8, 0, 40, true)},       {"rle8", bmp(8, 1, 40, false)},
              {"rle4", bmp(4, 2, 40, false)},   {"565", bmp(16, 3, 40, false)},
              {"24os2", bmp(24, 0, 12, false)}, {"32v5", bmp(32, 0, 124, false)},
              {"8os2v2", bmp(8, 0, 64, false)}};

  lt::BmpLayout icon;
  icon.fileHeader = false;
  icon.icon = true;
  icon.andMask.assign(13 * 7, 0);
  icon.andMask[3] = 1;
  lt::BmpLayout icon4 = icon;
  icon4.bits = 4;
  icon4.palette = lt::patternPalette(16);
  lt::PngOptions rgba;
  rgba.colourType = PNG_COLOR_TYPE_RGBA;
  std::vector<uint16_t> rgbaSamples;
  for (uint8_t b : lt::rgbSamples(smooth)) rgbaSamples.push_back(b);
  std::vector<uint16_t> withAlpha;
  for (size_t i = 0; i < rgbaSamples.size(); i += 3)
    withAlpha.insert(withAlpha.end(), {rgbaSamples[i], rgbaSamples[i + 1], rgbaSamples[i + 2],
                                       static_cast<uint16_t>(i % 255)});
  const Bytes pngRgba = lt::writePng(16, 16, withAlpha, rgba);
  c["ico"] = {{"dib", lt::writeIco({{13, 7, 24, lt::writeBmp(icon, 13, 7, {}, &img)},
                                    {13, 7, 4, lt::writeBmp(icon4, 13, 7, indices16)}})},
              {"png", lt::writeIco({{16, 16, 32, pngRgba}})}};

  lt::JpegOptions progressive, grey, cmyk, ycck, arith;
  progressive.progressive = true;
  grey.space = JCS_GRAYSCALE;
  cmyk.space = JCS_CMYK;
  ycck.space = JCS_YCCK;
  arith.arithmetic = true;
  const Bytes jpeg = lt::writeJpeg(smooth);
  c["jpeg"] = {{"baseline", jpeg},
               {"progressive", lt::writeJpeg(smooth, progressive)},
               {"grey", lt::writeJpeg(smooth, grey)},
               {"cmyk", lt::writeJpeg(smooth, cmyk)},
               {"ycck", lt::writeJpeg(smooth, ycck)},
               {"arith", lt::writeJpeg(smooth, arith)}};

  auto tiff = [&](uint16_t compression, uint16_t photometric, uint16_t bits, uint16_t samples,
                  uint32_t tile) {
    lt::TiffOptions o;
    o.compression = compression;
    o.photometric = photometric;
    o.bitsPerSample = bits;
    o.samplesPerPixel = samples;
    o.tileSize = tile;
    const size_t rowBytes = (13u * samples * bits + 7) / 8;
    Bytes raw(rowBytes * 7);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>(i * 29);
    if (photometric == PHOTOMETRIC_PALETTE)
      for (int i = 0; i < 3 << bits; ++i) o.colourMap.push_back(static_cast<uint16_t>(i * 997));
    if (compression == COMPRESSION_JPEG) {
      o.rowsPerStrip = 16;
      return lt::writeTiff(16, 16, lt::rgbSamples(smooth), o);
    }
    return lt::writeTiff(13, 7, raw, o);
  };
  const Bytes tiffRgb = tiff(COMPRESSION_NONE, PHOTOMETRIC_RGB, 8, 3, 0);
  c["tiff"] = {{"rgb", tiffRgb},
               {"lzw", tiff(COMPRESSION_LZW, PHOTOMETRIC_RGB, 8, 3, 0)},
               {"deflate", tiff(COMPRESSION_ADOBE_DEFLATE, PHOTOMETRIC_RGB, 8, 3, 16)},
               {"packbits", tiff(COMPRESSION_PACKBITS, PHOTOMETRIC_MINISBLACK, 8, 1, 0)},
               {"rgb16", tiff(COMPRESSION_NONE, PHOTOMETRIC_RGB, 16, 3, 0)},
               {"palette4", tiff(COMPRESSION_NONE, PHOTOMETRIC_PALETTE, 4, 1, 0)},
               {"cmyk", tiff(COMPRESSION_LZW, PHOTOMETRIC_SEPARATED, 8, 4, 0)},
               {"fax3", tiff(COMPRESSION_CCITTFAX3, PHOTOMETRIC_MINISWHITE, 1, 1, 0)},
               {"jpeg", tiff(COMPRESSION_JPEG, PHOTOMETRIC_YCBCR, 8, 3, 0)}};

  auto png = [&](int type, int depth, bool interlace) {
    lt::PngOptions o;
    o.colourType = type;
    o.bitDepth = depth;
    o.interlace = interlace;
    if (type == PNG_COLOR_TYPE_PALETTE) {
      o.palette = lt::patternPalette(1 << depth);
      o.paletteAlpha = {0, 128};
    }
    static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    std::vector<uint16_t> s(13 * 7 * static_cast<size_t>(kChannels[type]));
    for (size_t i = 0; i < s.size(); ++i)
      s[i] = static_cast<uint16_t>((i * 40503) % (depth == 16 ? 65536 : 1u << depth));
    return lt::writePng(13, 7, s, o);
  };
  c["png"] = {{"rgb", png(PNG_COLOR_TYPE_RGB, 8, false)},
              {"rgba16i", png(PNG_COLOR_TYPE_RGBA, 16, true)},
              {"grey2", png(PNG_COLOR_TYPE_GRAY, 2, false)},
              {"greyalpha", png(PNG_COLOR_TYPE_GRAY_ALPHA, 8, true)},
              {"palette4", png(PNG_COLOR_TYPE_PALETTE, 4, false)}};

  lt::GifOptions gif;
  gif.globalPalette = lt::patternPalette(16);
  lt::GifOptions gifInterlaced = gif;
  gifInterlaced.interlace = true;
  gifInterlaced.transparent = 3;
  gifInterlaced.frames = 2;
  lt::GifOptions gifLocal;
  gifLocal.localPalette = lt::patternPalette(32);
  gifLocal.screenWidth = 20;
  gifLocal.screenHeight = 9;
  gifLocal.left = 4;
  gifLocal.top = 1;
  const Bytes gifPlain = lt::writeGif(13, 7, indices16, gif);
  c["gif"] = {{"plain", gifPlain},
              {"interlaced", lt::writeGif(13, 7, indices16, gifInterlaced)},
              {"local", lt::writeGif(13, 7, indices16, gifLocal)}};

  c["eps"] = {{"preview", lt::writeEps("%!PS-Adobe-3.0 EPSF-3.0\nshowpage\n", tiffRgb)}};

  const Bytes thumb = lt::writeJpeg(lt::smoothImage(8, 8));
  Bytes raw(600, 0x11);
  raw.insert(raw.end(), thumb.begin(), thumb.end());
  raw.insert(raw.end(), 300, 0x22);
  raw.insert(raw.end(), jpeg.begin(), jpeg.end());
  c["raw"] = {{"two-previews", raw}};
  Bytes raf(100, 0x33);
  raf.insert(raf.end(), jpeg.begin(), jpeg.end());
  for (int i = 0; i < 3; ++i) raf.insert(raf.end(), thumb.begin(), thumb.end());
  c["raf"] = {{"preview", raf}};

  c["cel"] = {{"8bit", lt::cel_files::celFile(3, 2, {0, 1, 63, 64, 200, 255})}};
  c["cut"] = {{"rle", lt::cut_files::cutFile()}};
  c["pcd"] = {{"base", lt::pcd_files::pcdFile(1)}};

  using lt::pcx_files::pcxFile;
  Bytes vga = {0x0C};
  for (unsigned i = 0; i < 256; ++i)
    vga.insert(vga.end(), {uint8_t(255 - i), uint8_t(i), uint8_t(i / 2)});
  c["pcx"] = {{"mono", pcxFile(1, 1, 10, 1, 2, {0xA0, 0x40})},
              {"ega", pcxFile(1, 4, 2, 1, 1, {0x80, 0x40, 0xC0, 0x00})},
              {"nibbles", pcxFile(4, 1, 3, 1, 2, {0xF1, 0x70})},
              {"vga", pcxFile(8, 1, 4, 2, 4, {0, 200, 255, 7, 7, 7, 7, 0}, vga)},
              {"rgb", pcxFile(8, 3, 2, 2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})}};

  lt::psd_files::PsdSpec psd;
  psd.rows = {{10, 20, 30}, {40, 40, 40}, {0, 128, 255}, {1, 1, 1}, {200, 7, 7}, {9, 8, 7}};
  lt::psd_files::PsdSpec psdPacked = psd;
  psdPacked.packBits = true;
  lt::psd_files::PsdSpec psdGrey;
  psdGrey.mode = 1;
  psdGrey.channels = 2;
  psdGrey.depth = 16;
  psdGrey.packBits = true;
  psdGrey.rows = {{0xFF, 0xFF, 0x80, 0x00, 0x00, 0x7F},
                  {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC},
                  {1, 2, 3, 4, 5, 6},
                  {1, 2, 3, 4, 5, 6}};
  c["psd"] = {{"rgb", lt::psd_files::psdFile(psd)},
              {"packbits", lt::psd_files::psdFile(psdPacked)},
              {"grey16", lt::psd_files::psdFile(psdGrey)}};

  using lt::rla_files::rlaFile;
  c["rla"] = {
      {"rgb", rlaFile(4, 3, 3, 0)}, {"matte", rlaFile(2, 2, 3, 1)}, {"grey", rlaFile(2, 2, 1, 0)}};

  using lt::sgi_files::sgiFile;
  c["sgi"] = {{"rgb", sgiFile(false, false, 3, 2, 3)},
              {"rle16", sgiFile(true, true, 4, 3, 3)},
              {"grey-rle", sgiFile(true, false, 3, 2, 1)},
              {"rgba", sgiFile(false, false, 2, 2, 4)}};

  using lt::tga_files::tgaHeader;
  auto joined = [](Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  Bytes tgaRle = tgaHeader(10, 32, 0x28, 4, 2);
  tgaRle.push_back(0x83);  // a run of four, then four literal pixels
  tgaRle.insert(tgaRle.end(),
                {1, 2, 3, 255, 0x03, 9, 8, 7, 255, 6, 5, 4, 255, 3, 2, 1, 255, 0, 0, 0, 0});
  c["tga"] = {
      {"rgb", joined(tgaHeader(2, 24, 0x20, 4, 3), lt::tga_files::patternPixels(true, false, 3))},
      {"rle32", tgaRle},
      {"mapped", joined(tgaHeader(1, 8, 0x20, 3, 1, 2, 24, 2), {1, 2, 3, 4, 5, 6, 2, 3, 2})},
      {"grey", joined(tgaHeader(3, 8, 0x00, 2, 2), {0, 80, 160, 255})},
      {"16bit", joined(tgaHeader(2, 16, 0x20, 2, 1), {0x1F, 0x7C, 0xE0, 0x03})}};

  auto text = [](const std::string& t) { return Bytes(t.begin(), t.end()); };
  c["pnm"] = {{"p1", text("P1\n# a comment\n3 2\n010\n1 1 0\n")},
              {"p2", text("P2 3#c\n1 3\n0 1 2\n")},
              {"p3", text("P3\n2 1\n# max\n100\n100 0 50  0 100 1\n")},
              {"p4", joined(text("P4\n10 2\n"), {0xA5, 0xC0, 0x5A, 0x40})},
              {"p5", joined(text("P5 2 1 65535\n"), {0x12, 0x34, 0xFF, 0xFF})},
              {"p6", joined(text("P6\n2 2\n255\n"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})}};

  c["sniff"] = {{"bmp", c["bmp"][2].second}, {"jpeg", jpeg},
                {"gif", gifPlain},           {"ico", c["ico"][0].second},
                {"png", c["png"][0].second}, {"tiff", tiffRgb}};
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seed_corpus <folder>\n";
    return 2;
  }
  try {
    for (const auto& [target, files] : corpus()) {
      const std::filesystem::path dir = std::filesystem::path(argv[1]) / target;
      std::filesystem::create_directories(dir);
      for (const auto& [name, bytes] : files) {
        std::ofstream out(dir / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + (dir / name).string());
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "fuzz_seed_corpus: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
