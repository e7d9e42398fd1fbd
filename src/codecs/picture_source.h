// What every reader of the table receives and the checks they share: the whole file in
// memory, the name for messages, the limits, and the size checks done before allocating.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/image.h"
#include "codecs/photo_tags.h"
#include "codecs/picture_loader.h"

namespace lumabord {

struct PictureSource {
  std::span<const uint8_t> bytes;
  std::string name;  // the path, or a label for data that came from memory
  DecodeLimits limits;
  // Set when a photo is loaded: readers that know their format's tags better than exiv2
  // (TIFF's orientation and profile, HEIF's colour description and blocks) put them here,
  // and the TIFF reader then hands out the rows as stored, leaving the orientation to the
  // photo loader.
  PhotoTags* tags = nullptr;
};

// A reader of one format: decodes the whole file into a 24-bit Image or throws Error.
using PictureReader = Image (*)(const PictureSource&);

// "Cannot load image. Invalid or unexpected %s image format." for format ("BMP", ...).
[[noreturn]] void failInvalidFormat(const char* format);
// "Stream read error in %s file."
[[noreturn]] void failStreamRead(const char* format);
// "Cannot load image. %s not supported for %s files." with "The compression scheme is".
[[noreturn]] void failUnsupportedCompression(const char* format);

// Refuses a declared size that is empty, negative or beyond source.limits, naming the
// file; returns width * height.
uint64_t checkPictureSize(const PictureSource& source, const char* format, int64_t width,
                          int64_t height);

// Refuses a picture whose declared size needs more bytes than its data can hold: `needed`
// is the least number of bytes any valid data of that size has, `available` what there is.
void checkFileHolds(const PictureSource& source, const char* format, uint64_t needed,
                    uint64_t available);

// checkPictureSize, then an uninitialised Image of that size.
[[nodiscard]] Image allocatePicture(const PictureSource& source, const char* format, int64_t width,
                                    int64_t height);

// Composites a straight-alpha B,G,R,A row over white into B,G,R:
// out = (c * a + 255 * (255 - a) + 127) / 255 per channel.
void compositeOverWhite(const uint8_t* bgra, size_t count, uint8_t* bgr);
[[nodiscard]] constexpr uint8_t overWhite(unsigned c, unsigned a) {
  return static_cast<uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
}

// The readers of the table.
Image readJpeg(const PictureSource& source);
Image readTiff(const PictureSource& source);
Image readPng(const PictureSource& source);
Image readGif(const PictureSource& source);
Image readBmp(const PictureSource& source);
Image readIco(const PictureSource& source);
Image readEps(const PictureSource& source);
Image readRawPreview(const PictureSource& source);  // mrw, nef, crw
Image readRafPreview(const PictureSource& source);  // raf
Image readPnm(const PictureSource& source);         // ppm, pgm, pbm
Image readTga(const PictureSource& source);         // tga, win, vst, vda, icb
Image readPcx(const PictureSource& source);         // pcx, pcc, scr
Image readSgi(const PictureSource& source);         // sgi, rgb, rgba, bw
Image readPsd(const PictureSource& source);         // psd, pdd
Image readWmf(const PictureSource& source);         // wmf
Image readEmf(const PictureSource& source);         // emf
Image readCel(const PictureSource& source);         // cel, pic
Image readCut(const PictureSource& source);         // cut
Image readPcd(const PictureSource& source);         // pcd
Image readRla(const PictureSource& source);         // rla, rpf
Image readPsp(const PictureSource& source);         // psp
Image readHeif(const PictureSource& source);        // heic, heif, avif
Image readWebp(const PictureSource& source);        // webp
Image readJxl(const PictureSource& source);         // jxl

// Decodes a JPEG stream held in memory (also the previews inside raw files).
Image decodeJpeg(std::span<const uint8_t> bytes, const PictureSource& source);
// Decodes a TIFF file held in memory (also the preview inside EPS files).
Image decodeTiff(std::span<const uint8_t> bytes, const PictureSource& source);
// Decodes a PNG stream held in memory (also PNG-compressed icon entries).
Image decodePng(std::span<const uint8_t> bytes, const PictureSource& source);

}  // namespace lumabord
