// GIF reader through giflib: the first frame, interlaced or not, with its local or the
// global palette, placed on the logical screen; transparent and uncovered pixels are white.
#include <gif_lib.h>

#include <cstring>
#include <vector>

#include "base/error.h"
#include "codecs/memory_source.h"
#include "codecs/picture_source.h"
#include "codecs/pixel_unpack.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "GIF";
// Each 12-bit LZW code stands for at most 4096 pixels, so a byte holds at most 2731.
constexpr uint64_t kMaxPixelsPerByte = 2731;

int readBytes(GifFileType* gif, GifByteType* out, int count) {
  if (count <= 0) return 0;
  return static_cast<int>(
      static_cast<MemorySource*>(gif->UserData)->read(out, static_cast<uint64_t>(count)));
}

class GifHandle {
 public:
  explicit GifHandle(MemorySource& input) {
    int error = 0;
    gif_ = DGifOpen(&input, readBytes, &error);
    if (!gif_) raise(error);
  }
  ~GifHandle() {
    int error = 0;
    DGifCloseFile(gif_, &error);
  }
  GifHandle(const GifHandle&) = delete;
  GifHandle& operator=(const GifHandle&) = delete;

  GifFileType* operator->() { return gif_; }
  GifFileType* get() { return gif_; }

  // Throws the message for giflib's error code.
  [[noreturn]] static void raise(int error) {
    switch (error) {
      case D_GIF_ERR_NOT_GIF_FILE:
      case D_GIF_ERR_WRONG_RECORD:
        failInvalidFormat(kFormat);
      case D_GIF_ERR_READ_FAILED:
      case D_GIF_ERR_EOF_TOO_SOON:
        failStreamRead(kFormat);
      case D_GIF_ERR_NO_COLOR_MAP:
        fail("Cannot load image. Palette in %s file is invalid.", kFormat);
      default: {
        const char* text = GifErrorString(error);
        fail("Cannot load image. %s in %s file.", text ? text : "Unknown error", kFormat);
      }
    }
  }
  void check(int result) {
    if (result != GIF_OK) raise(gif_->Error);
  }

 private:
  GifFileType* gif_ = nullptr;
};

Palette paletteOf(const ColorMapObject* map) {
  Palette p;
  if (!map) return p;
  for (int i = 0; i < map->ColorCount; ++i)
    p.add({map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
  return p;
}

}  // namespace

Image readGif(const PictureSource& source) {
  MemorySource input(source.bytes);
  GifHandle gif(input);
  int transparent = -1;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    gif.check(DGifGetRecordType(gif.get(), &record));
    if (record == TERMINATE_RECORD_TYPE)
      fail("Cannot load image %s: the GIF file holds no picture", source.name.c_str());
    if (record == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      gif.check(DGifGetExtension(gif.get(), &code, &block));
      while (block) {
        // The graphic control block before the first frame gives its transparent index.
        if (code == GRAPHICS_EXT_FUNC_CODE && block[0] >= 4 && (block[1] & 1))
          transparent = block[4];
        gif.check(DGifGetExtensionNext(gif.get(), &block));
      }
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE) continue;
    gif.check(DGifGetImageDesc(gif.get()));
    break;
  }

  const GifImageDesc& frame = gif->Image;
  const int64_t left = frame.Left, top = frame.Top, fw = frame.Width, fh = frame.Height;
  checkPictureSize(source, kFormat, fw, fh);
  const int64_t width = std::max<int64_t>(gif->SWidth, left + fw);
  const int64_t height = std::max<int64_t>(gif->SHeight, top + fh);
  checkPictureSize(source, kFormat, width, height);
  checkFileHolds(source, kFormat, static_cast<uint64_t>(fw * fh) / kMaxPixelsPerByte,
                 input.remaining());
  const Palette palette = paletteOf(frame.ColorMap ? frame.ColorMap : gif->SColorMap);
  if (palette.empty()) fail("Cannot load image. Palette in %s file is invalid.", kFormat);

  Image image(static_cast<int>(width), static_cast<int>(height), Rgb{255, 255, 255});
  std::vector<GifPixelType> line(static_cast<size_t>(fw));
  // Interlaced rows arrive in four passes: every 8th from 0, every 8th from 4, every 4th
  // from 2, every 2nd from 1.
  static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  const int passes = frame.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = frame.Interlace ? kStart[pass] : 0, step = frame.Interlace ? kStep[pass] : 1;
    for (int64_t y = start; y < fh; y += step) {
      gif.check(DGifGetLine(gif.get(), line.data(), static_cast<int>(fw)));
      uint8_t* dst = image.row(static_cast<int>(top + y)) + 3 * left;
      for (int64_t x = 0; x < fw; ++x, dst += 3) {
        if (line[static_cast<size_t>(x)] == transparent) continue;
        const Rgb c = palette[line[static_cast<size_t>(x)]];
        dst[0] = c.b;
        dst[1] = c.g;
        dst[2] = c.r;
      }
    }
  }
  return image;
}

}  // namespace lumabord
