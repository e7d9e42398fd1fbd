// Reading a photo's orientation, ICC profile and metadata with exiv2.
#include <mutex>

#include "codecs/photo_metadata.h"

namespace lumabord {
namespace {

// The XMP toolkit inside exiv2 keeps global state: its uses take turns.
void lockXmp(void* mutex, bool lock) {
  auto* m = static_cast<std::mutex*>(mutex);
  if (lock) {
    m->lock();
  } else {
    m->unlock();
  }
}

int orientationOf(const PhotoMetadata& metadata) {
  long value = 1;
  const auto exif = metadata.exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
  if (exif != metadata.exif.end() && exif->count() > 0) {
    value = exif->toLong();
  } else {
    const auto xmp = metadata.xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation"));
    if (xmp != metadata.xmp.end() && xmp->count() > 0) value = xmp->toLong();
  }
  return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
}

std::shared_ptr<const PhotoMetadata> nonEmpty(std::shared_ptr<PhotoMetadata> metadata) {
  if (metadata->exif.empty() && metadata->iptc.empty() && metadata->xmp.empty()) return nullptr;
  return metadata;
}

}  // namespace

void initExiv2() {
  static std::once_flag once;
  static std::mutex xmpMutex;
  std::call_once(once, [] {
    // Damaged metadata is expected; exiv2's warnings would only litter the terminal.
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::XmpParser::initialize(lockXmp, &xmpMutex);
  });
}

PhotoTags readPhotoTags(std::span<const uint8_t> bytes) {
  initExiv2();
  PhotoTags tags;
  if (bytes.empty() || bytes.size() > static_cast<size_t>(LONG_MAX)) return tags;
  try {
    const std::unique_ptr<Exiv2::Image> image(
        Exiv2::ImageFactory::open(bytes.data(), static_cast<long>(bytes.size())).release());
    if (!image) return tags;
    image->readMetadata();
    auto metadata = std::make_shared<PhotoMetadata>();
    metadata->exif = image->exifData();
    metadata->iptc = image->iptcData();
    metadata->xmp = image->xmpData();
    tags.orientation = orientationOf(*metadata);
    if (image->iccProfileDefined()) {
      const Exiv2::DataBuf* icc = image->iccProfile();
      if (icc->pData_ && icc->size_ > 0)
        tags.iccProfile.assign(icc->pData_, icc->pData_ + icc->size_);
    }
    tags.metadata = nonEmpty(std::move(metadata));
  } catch (const std::exception&) {
    // Not a format exiv2 knows, or tags it cannot parse: the photo has none.
    return PhotoTags{};
  }
  return tags;
}

std::shared_ptr<const PhotoMetadata> metadataFromBlocks(std::span<const uint8_t> exif,
                                                        std::string_view xmp) {
  initExiv2();
  auto metadata = std::make_shared<PhotoMetadata>();
  try {
    if (!exif.empty() && exif.size() <= UINT32_MAX)
      Exiv2::ExifParser::decode(metadata->exif, exif.data(), static_cast<uint32_t>(exif.size()));
  } catch (const std::exception&) {
    metadata->exif.clear();
  }
  try {
    if (!xmp.empty()) Exiv2::XmpParser::decode(metadata->xmp, std::string(xmp));
  } catch (const std::exception&) {
    metadata->xmp.clear();
  }
  return nonEmpty(std::move(metadata));
}

}  // namespace lumabord
