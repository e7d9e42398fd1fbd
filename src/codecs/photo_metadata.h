// The exiv2 containers behind PhotoMetadata, shared by the reading and the writing side.
#pragma once

#include <exiv2/exiv2.hpp>

#include "codecs/photo_tags.h"

namespace lumabord {

struct PhotoMetadata {
  Exiv2::ExifData exif;
  Exiv2::IptcData iptc;
  Exiv2::XmpData xmp;
};

// Once per process before exiv2 is used: silent, and its XMP toolkit safe across threads.
void initExiv2();

}  // namespace lumabord
