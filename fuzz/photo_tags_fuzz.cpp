// Fuzzes the reading of a photo's tags (orientation, ICC profile, EXIF, IPTC and XMP through
// exiv2), their editing for a written file and the profile's conversion to sRGB.
#include <cstddef>
#include <cstdint>

#include "base/error.h"
#include "codecs/photo_tags.h"
#include "codecs/srgb_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const lumabord::PhotoTags tags = lumabord::readPhotoTags({data, size});
  if (tags.metadata) {
    try {
      (void)lumabord::metadataBlocks(*tags.metadata, 100, 80, true);
    } catch (const lumabord::Error&) {
    }
  }
  if (!tags.iccProfile.empty()) (void)lumabord::SrgbConversion::forProfile(tags.iccProfile);
  return 0;
}
