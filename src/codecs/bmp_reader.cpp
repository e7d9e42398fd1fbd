// BMP reader (bmp, rle, dib): the file header, then the bitmap itself; a .dib file may
// also be a bare bitmap without the file header.
#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/dib_decoder.h"

namespace lumabord {

Image readBmp(const PictureSource& source) {
  ByteReader in(source.bytes, "BMP");
  DibLayout layout;
  if (in.size() >= 2 && in.peek(2)[0] == 'B' && in.peek(2)[1] == 'M') {
    in.skip(10);
    layout.pixelOffset = in.u32le();
    layout.headerOffset = 14;
  } else if (in.size() < 4 ||
             (loadU32le(in.all().data()) != 12 && loadU32le(in.all().data()) != 40 &&
              loadU32le(in.all().data()) != 108 && loadU32le(in.all().data()) != 124)) {
    fail("Bitmap image is not valid");
  }
  return decodeDib(source.bytes, layout, source).image;
}

}  // namespace lumabord
