// Rows of an image in memory, handed out like a decoder's.
#include "codecs/photo_reader.h"

#include <cstring>

#include "base/error.h"

namespace lumabord {

void ImageRowReader::readRows(uint8_t* const* rows, int count) {
  if (count < 0 || count > image_.height() - next_) fail("Rows read beyond the end of the picture");
  for (int i = 0; i < count; ++i) std::memcpy(rows[i], image_.row(next_ + i), image_.stride());
  next_ += count;
}

}  // namespace lumabord
