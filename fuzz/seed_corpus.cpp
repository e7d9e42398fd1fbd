// Writes the seed corpus of every fuzz target: small files of the variants each reader
// handles, made by the same writers as the reader tests. Usage: fuzz_seed_corpus <folder>;
// the files land in <folder>/<target>/.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

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
