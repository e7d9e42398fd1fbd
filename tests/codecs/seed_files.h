// Small well-formed files of every reader's variants, made by the writers of the reader
// tests: the fuzz targets' seeds and the starting points of the hostile-file corpus.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <webp/encode.h>

#include "codecs/format_files.h"
#include "codecs/metafile_files.h"
#include "codecs/modern_files.h"
#include "codecs/picture_writers.h"

namespace lumabord::testing {

// Small well-formed files of every variant each reader handles, keyed by fuzz target name.
inline std::map<std::string, std::vector<std::pair<std::string, Bytes>>> seedFiles() {
  const lumabord::Image img = patternImage(13, 7);
  const lumabord::Image smooth = smoothImage(16, 16);
  const auto indices16 = patternIndices(13, 7, 16);
  std::map<std::string, std::vector<std::pair<std::string, Bytes>>> c;

  auto bmp = [&](int bits, uint32_t compression, uint32_t header, bool topDown) {
    BmpLayout l;
    l.bits = bits;
    l.compression = compression;
    l.headerSize = header;
    l.topDown = topDown;
    if (compression == 3) l.masks = {0xF800, 0x07E0, 0x001F, 0};
    if (bits <= 8) l.palette = patternPalette(1 << bits);
    return writeBmp(l, 13, 7, patternIndices(13, 7, 1 << std::min(bits, 8)), &img);
  };
  c["bmp"] = {{"1", bmp(1, 0, 40, false)},      {"4", bmp(4, 0, 40, false)},
              {"8", bmp(8, 0, 40, true)},       {"rle8", bmp(8, 1, 40, false)},
              {"rle4", bmp(4, 2, 40, false)},   {"565", bmp(16, 3, 40, false)},
              {"24os2", bmp(24, 0, 12, false)}, {"32v5", bmp(32, 0, 124, false)},
              {"8os2v2", bmp(8, 0, 64, false)}};

  BmpLayout icon;
  icon.fileHeader = false;
  icon.icon = true;
  icon.andMask.assign(13 * 7, 0);
  icon.andMask[3] = 1;
  BmpLayout icon4 = icon;
  icon4.bits = 4;
  icon4.palette = patternPalette(16);
  PngOptions rgba;
  rgba.colourType = PNG_COLOR_TYPE_RGBA;
  std::vector<uint16_t> rgbaSamples;
  for (uint8_t b : rgbSamples(smooth)) rgbaSamples.push_back(b);
  std::vector<uint16_t> withAlpha;
  for (size_t i = 0; i < rgbaSamples.size(); i += 3)
    withAlpha.insert(withAlpha.end(), {rgbaSamples[i], rgbaSamples[i + 1], rgbaSamples[i + 2],
                                       static_cast<uint16_t>(i % 255)});
  const Bytes pngRgba = writePng(16, 16, withAlpha, rgba);
  c["ico"] = {{"dib", writeIco({{13, 7, 24, writeBmp(icon, 13, 7, {}, &img)},
                                {13, 7, 4, writeBmp(icon4, 13, 7, indices16)}})},
              {"png", writeIco({{16, 16, 32, pngRgba}})}};

  JpegOptions progressive, grey, cmyk, ycck, arith;
  progressive.progressive = true;
  grey.space = JCS_GRAYSCALE;
  cmyk.space = JCS_CMYK;
  ycck.space = JCS_YCCK;
  arith.arithmetic = true;
  const Bytes jpeg = writeJpeg(smooth);
  c["jpeg"] = {{"baseline", jpeg},
               {"progressive", writeJpeg(smooth, progressive)},
               {"grey", writeJpeg(smooth, grey)},
               {"cmyk", writeJpeg(smooth, cmyk)},
               {"ycck", writeJpeg(smooth, ycck)},
               {"arith", writeJpeg(smooth, arith)}};

  auto tiff = [&](uint16_t compression, uint16_t photometric, uint16_t bits, uint16_t samples,
                  uint32_t tile) {
    TiffOptions o;
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
      return writeTiff(16, 16, rgbSamples(smooth), o);
    }
    return writeTiff(13, 7, raw, o);
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
    PngOptions o;
    o.colourType = type;
    o.bitDepth = depth;
    o.interlace = interlace;
    if (type == PNG_COLOR_TYPE_PALETTE) {
      o.palette = patternPalette(1 << depth);
      o.paletteAlpha = {0, 128};
    }
    static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    std::vector<uint16_t> s(13 * 7 * static_cast<size_t>(kChannels[type]));
    for (size_t i = 0; i < s.size(); ++i)
      s[i] = static_cast<uint16_t>((i * 40503) % (depth == 16 ? 65536 : 1u << depth));
    return writePng(13, 7, s, o);
  };
  c["png"] = {{"rgb", png(PNG_COLOR_TYPE_RGB, 8, false)},
              {"rgba16i", png(PNG_COLOR_TYPE_RGBA, 16, true)},
              {"grey2", png(PNG_COLOR_TYPE_GRAY, 2, false)},
              {"greyalpha", png(PNG_COLOR_TYPE_GRAY_ALPHA, 8, true)},
              {"palette4", png(PNG_COLOR_TYPE_PALETTE, 4, false)}};

  GifOptions gif;
  gif.globalPalette = patternPalette(16);
  GifOptions gifInterlaced = gif;
  gifInterlaced.interlace = true;
  gifInterlaced.transparent = 3;
  gifInterlaced.frames = 2;
  GifOptions gifLocal;
  gifLocal.localPalette = patternPalette(32);
  gifLocal.screenWidth = 20;
  gifLocal.screenHeight = 9;
  gifLocal.left = 4;
  gifLocal.top = 1;
  const Bytes gifPlain = writeGif(13, 7, indices16, gif);
  c["gif"] = {{"plain", gifPlain},
              {"interlaced", writeGif(13, 7, indices16, gifInterlaced)},
              {"local", writeGif(13, 7, indices16, gifLocal)}};

  c["eps"] = {{"preview", writeEps("%!PS-Adobe-3.0 EPSF-3.0\nshowpage\n", tiffRgb)}};

  const Bytes thumb = writeJpeg(smoothImage(8, 8));
  Bytes raw(600, 0x11);
  raw.insert(raw.end(), thumb.begin(), thumb.end());
  raw.insert(raw.end(), 300, 0x22);
  raw.insert(raw.end(), jpeg.begin(), jpeg.end());
  c["raw"] = {{"two-previews", raw}};
  Bytes raf(100, 0x33);
  raf.insert(raf.end(), jpeg.begin(), jpeg.end());
  for (int i = 0; i < 3; ++i) raf.insert(raf.end(), thumb.begin(), thumb.end());
  c["raf"] = {{"preview", raf}};

  c["cel"] = {{"8bit", cel_files::celFile(3, 2, {0, 1, 63, 64, 200, 255})}};
  c["cut"] = {{"rle", cut_files::cutFile()}};
  c["pcd"] = {{"base", pcd_files::pcdFile(1)}};

  using pcx_files::pcxFile;
  Bytes vga = {0x0C};
  for (unsigned i = 0; i < 256; ++i)
    vga.insert(vga.end(), {uint8_t(255 - i), uint8_t(i), uint8_t(i / 2)});
  c["pcx"] = {{"mono", pcxFile(1, 1, 10, 1, 2, {0xA0, 0x40})},
              {"ega", pcxFile(1, 4, 2, 1, 1, {0x80, 0x40, 0xC0, 0x00})},
              {"nibbles", pcxFile(4, 1, 3, 1, 2, {0xF1, 0x70})},
              {"vga", pcxFile(8, 1, 4, 2, 4, {0, 200, 255, 7, 7, 7, 7, 0}, vga)},
              {"rgb", pcxFile(8, 3, 2, 2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})}};

  psd_files::PsdSpec psd;
  psd.rows = {{10, 20, 30}, {40, 40, 40}, {0, 128, 255}, {1, 1, 1}, {200, 7, 7}, {9, 8, 7}};
  psd_files::PsdSpec psdPacked = psd;
  psdPacked.packBits = true;
  psd_files::PsdSpec psdGrey;
  psdGrey.mode = 1;
  psdGrey.channels = 2;
  psdGrey.depth = 16;
  psdGrey.packBits = true;
  psdGrey.rows = {{0xFF, 0xFF, 0x80, 0x00, 0x00, 0x7F},
                  {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC},
                  {1, 2, 3, 4, 5, 6},
                  {1, 2, 3, 4, 5, 6}};
  c["psd"] = {{"rgb", psd_files::psdFile(psd)},
              {"packbits", psd_files::psdFile(psdPacked)},
              {"grey16", psd_files::psdFile(psdGrey)}};

  using rla_files::rlaFile;
  c["rla"] = {
      {"rgb", rlaFile(4, 3, 3, 0)}, {"matte", rlaFile(2, 2, 3, 1)}, {"grey", rlaFile(2, 2, 1, 0)}};

  using sgi_files::sgiFile;
  c["sgi"] = {{"rgb", sgiFile(false, false, 3, 2, 3)},
              {"rle16", sgiFile(true, true, 4, 3, 3)},
              {"grey-rle", sgiFile(true, false, 3, 2, 1)},
              {"rgba", sgiFile(false, false, 2, 2, 4)}};

  using tga_files::tgaHeader;
  auto joined = [](Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  Bytes tgaRle = tgaHeader(10, 32, 0x28, 4, 2);
  tgaRle.push_back(0x83);  // a run of four, then four literal pixels
  tgaRle.insert(tgaRle.end(),
                {1, 2, 3, 255, 0x03, 9, 8, 7, 255, 6, 5, 4, 255, 3, 2, 1, 255, 0, 0, 0, 0});
  c["tga"] = {
      {"rgb", joined(tgaHeader(2, 24, 0x20, 4, 3), tga_files::patternPixels(true, false, 3))},
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

  // WebP through the library's own encoder: lossy, lossless, and lossless with alpha.
  auto webp = [&](bool lossless, bool alpha) {
    std::vector<uint8_t> samples = rgbSamples(smooth);
    if (alpha) {
      std::vector<uint8_t> rgba;
      for (size_t i = 0; i < samples.size(); i += 3)
        rgba.insert(rgba.end(), {samples[i], samples[i + 1], samples[i + 2], uint8_t(i % 251)});
      samples = std::move(rgba);
    }
    uint8_t* out = nullptr;
    const int stride = smooth.width() * (alpha ? 4 : 3);
    const size_t size = alpha      ? WebPEncodeLosslessRGBA(samples.data(), 16, 16, stride, &out)
                        : lossless ? WebPEncodeLosslessRGB(samples.data(), 16, 16, stride, &out)
                                   : WebPEncodeRGB(samples.data(), 16, 16, stride, 90, &out);
    Bytes file(out, out + size);
    WebPFree(out);
    return file;
  };
  c["webp"] = {
      {"lossy", webp(false, false)}, {"lossless", webp(true, false)}, {"alpha", webp(true, true)}};

  c["heif"] = {{"lossless", encodeHeic(smooth)},
               {"turned", encodeHeic(smooth, heif_orientation_rotate_90_cw)}};
  c["jxl"] = {{"lossless", encodeJxl(smooth, true)}, {"lossy", encodeJxl(smooth, false)}};

  c["psp"] = {{"plain", psp_files::compositeFile(0, false)},
              {"rle-padded", psp_files::compositeFile(1, true)},
              {"zlib", psp_files::compositeFile(2, false)}};

  // Metafiles of every kind of record the readers draw, a bitmap among them.
  const lumabord::Rgb red{255, 0, 0}, blue{0, 0, 255}, black{0, 0, 0};
  const Bytes bits = dib({{red, blue}, {black, red}});
  Wmf wmf(true, 240, 240);
  wmf.brush(red).select(0).pen(black, 2).select(1);
  wmf.record(0x041B, {90, 150, 15, 30});        // rectangle
  wmf.record(0x0418, {200, 200, 100, 100});     // ellipse
  wmf.record(0x0324, {3, 8, 0, 16, 0, 16, 8});  // triangle
  wmf.record(0x0214, {12, 0}).record(0x0213, {12, 7});
  wmf.record(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 8, 8, 8, 8}, bits);
  Wmf plainWmf(false);
  plainWmf.record(0x020C, {16, 16}).brush(blue, 2).select(0).record(0x041B, {12, 12, 2, 2});
  Emf emf(0, 0, 200, 100);
  emf.record(39, {1, 0, 0xFF, 0}).record(37, {1}).record(43, {2, 2, 8, 6});
  emf.record(38, {2, 0, 0, 0, 0xFF0000}).record(37, {2});
  emf.record(27, {1, 8}).record(54, {17, 8});
  emf.record(17, {8}).record(9, {2, 2}).record(11, {10, 10});
  emf.record(81,
             {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 80, 40, 120, static_cast<int32_t>(bits.size() - 40), 0,
              0x00CC0020, 1, 1},
             bits);
  c["wmf"] = {{"placeable", wmf.bytes()}, {"plain", plainWmf.bytes()}, {"drawing", wmfSeed()}};
  c["emf"] = {{"shapes", emf.bytes()}, {"drawing", emfSeed()}};

  c["sniff"] = {{"bmp", c["bmp"][2].second}, {"jpeg", jpeg},
                {"gif", gifPlain},           {"ico", c["ico"][0].second},
                {"png", c["png"][0].second}, {"tiff", tiffRgb}};
  // A photo's facts: the JPEG with an EXIF segment naming its artist in front, and a TIFF.
  Bytes exifJpeg{0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x2A, 'E', 'x', 'i', 'f', 0,    0,
                 'I',  'I',  0x2A, 0,    8,    0,    0,   0,   1,   0,   0x3B, 0x01,
                 2,    0,    8,    0,    0,    0,    26,  0,   0,   0,   0,    0,
                 0,    0,    'A',  'n',  'n',  ' ',  'L', 'e', 'e', 0};
  exifJpeg.insert(exifJpeg.end(), jpeg.begin() + 2, jpeg.end());
  c["photo_facts"] = {{"exif", exifJpeg}, {"tiff", tiffRgb}};
  // The program's own files: text seeds of the parsers' targets, a mask bitmap, and an empty
  // patch list for the glyph cache pairs (whose target patches a sound pair).
  c["style"] = {
      {"classic",
       text("[FRAME0]\r\nCOLOR=$002F4F6F\r\nMASK=Rounded Raised.bmp\r\nTEXTURE=Wood\\oak.jpg"
            "\r\nSELECTED=2\r\nDROPSHADOW=Shadows\\medium.bmp\r\n\r\n[OUTERMATTE0]\r\n"
            "COLOR=$00E4EEF4\r\nTEXTURE=Matte\\linen.png\r\nSELECTED=1\r\nLEFT=150\r\n"
            "RIGHT=150\r\nTOP=150\r\nBOTTOM=170\r\n\r\n[INNERMATTE0]\r\nCOLOR=clRed\r\n"
            "WIDTH=14\r\nTEXTURE=Matte\\linen.png\r\nSELECTED=1\r\n")}};
  c["profile"] = {{"bead", text("[RADIUS]\r\nWIDTH=100\r\nHEIGHT=100\r\n")}};
  c["registry"] = {
      {"store",
       text("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Corvella\\Lumabord 2]\r\n"
            "\"Shadow Size\"=dword:00000009\r\n\"Signature Text\"=\"a \\\"b\\\" \\\\ c\"\r\n")}};
  c["mru"] = {{"mru", text("/photos/a.jpg\r\n/photos/b.tif\r\n")}};
  c["filetypes"] = {{"filetypes", text("PNG Image (*.png)\r\n*.png\r\n")}};
  c["mask"] = {{"mask", bmp(8, 0, 40, false)}};
  c["glyph"] = {{"none", Bytes{}}};
  // The print target: Letter with quarter-inch margins at 600 and 96 pixels per inch, a
  // picture of 640 x 480 at the centre, then the print command's arguments one per line.
  auto printSeed = [&](const std::string& arguments) {
    Bytes b;
    for (int32_t v : {8500, 11000, 250, 250, 250, 250, 600, 600, 96, 640, 480, 8, 1})
      putU32le(b, static_cast<uint32_t>(v));
    return joined(b, text(arguments));
  };
  c["print"] = {
      {"pdf", printSeed("--pdf\nout.pdf\nphoto.jpg")},
      {"page", printSeed("--pdf\nout.pdf\n--paper\na4\n--margins\n0.5\n--position\ntop-left\n"
                         "--background\n$00FFEEDD\n--dpi\n300\n--compatible\nphoto.jpg")},
      {"design", printSeed("--printer=office\n--style\nClassic\n--box\n800x600\n--edge-shadow\n"
                           "on\n--shadow-size\n9\n--shadow-color\nclNavy\n--drop-shadow\nnone\n"
                           "--position=bottom-right\nphoto.jpg")}};
  return c;
}

}  // namespace lumabord::testing
