// The photo's metadata edited for a written picture and put into the file with exiv2.
#include <array>
#include <string_view>

#include "base/error.h"
#include "codecs/photo_metadata.h"

namespace lumabord {
namespace {

// TIFF tags of the first directory that describe the stored raster or other blocks of the
// source file; the written file has its own or none.
constexpr std::array<uint16_t, 24> kStructureTags = {254, 255, 256, 257, 258, 259, 262, 273,
                                                     277, 278, 279, 284, 317, 322, 323, 324,
                                                     325, 330, 338, 339, 513, 514, 700, 34675};
constexpr uint16_t kIptcTag = 33723;
constexpr uint16_t kPhotoshopTag = 34377;
constexpr uint16_t kGpsTag = 34853;

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool droppedExif(const Exiv2::Exifdatum& datum, bool keepGps) {
  const std::string group = datum.groupName();
  if (group == "Image") {
    const uint16_t tag = datum.tag();
    if (tag == kIptcTag || tag == kPhotoshopTag || (!keepGps && tag == kGpsTag)) return true;
    for (const uint16_t t : kStructureTags)
      if (t == tag) return true;
    return false;
  }
  // The thumbnail, the sub-images of raw files and further pages.
  if (group == "Thumbnail" || startsWith(group, "SubImage") || startsWith(group, "SubThumb") ||
      startsWith(group, "Image"))
    return true;
  return !keepGps && group == "GPSInfo";
}

void setIfPresent(Exiv2::XmpData& xmp, const char* key, uint32_t value) {
  const auto it = xmp.findKey(Exiv2::XmpKey(key));
  if (it != xmp.end()) it->setValue(std::to_string(value));
}

PhotoMetadata edited(const PhotoMetadata& source, int width, int height, bool keepGps) {
  PhotoMetadata out;
  for (const Exiv2::Exifdatum& datum : source.exif) {
    if (!droppedExif(datum, keepGps)) out.exif.add(datum);
  }
  if (!out.exif.empty()) {
    out.exif["Exif.Image.Orientation"] = uint16_t{1};
    out.exif["Exif.Photo.PixelXDimension"] = static_cast<uint32_t>(width);
    out.exif["Exif.Photo.PixelYDimension"] = static_cast<uint32_t>(height);
    // The pixels are sRGB now, whatever the camera's colour space was.
    const auto space = out.exif.findKey(Exiv2::ExifKey("Exif.Photo.ColorSpace"));
    if (space != out.exif.end()) space->setValue("1");
  }
  out.iptc = source.iptc;
  for (const Exiv2::Xmpdatum& datum : source.xmp) {
    if (keepGps || !startsWith(datum.key(), "Xmp.exif.GPS")) out.xmp.add(datum);
  }
  setIfPresent(out.xmp, "Xmp.tiff.Orientation", 1);
  setIfPresent(out.xmp, "Xmp.exif.PixelXDimension", static_cast<uint32_t>(width));
  setIfPresent(out.xmp, "Xmp.exif.PixelYDimension", static_cast<uint32_t>(height));
  setIfPresent(out.xmp, "Xmp.tiff.ImageWidth", static_cast<uint32_t>(width));
  setIfPresent(out.xmp, "Xmp.tiff.ImageLength", static_cast<uint32_t>(height));
  return out;
}

}  // namespace

MetadataBlocks metadataBlocks(const PhotoMetadata& metadata, int width, int height, bool keepGps) {
  initExiv2();
  const PhotoMetadata out = edited(metadata, width, height, keepGps);
  MetadataBlocks blocks;
  try {
    if (!out.exif.empty()) {
      Exiv2::Blob exif;
      Exiv2::ExifParser::encode(exif, Exiv2::littleEndian, out.exif);
      blocks.exif.assign(exif.begin(), exif.end());
    }
    if (!out.iptc.empty()) {
      const Exiv2::DataBuf iptc = Exiv2::IptcParser::encode(out.iptc);
      blocks.iptc.assign(iptc.pData_, iptc.pData_ + iptc.size_);
    }
    if (!out.xmp.empty()) Exiv2::XmpParser::encode(blocks.xmp, out.xmp);
  } catch (const std::exception& e) {
    fail("Cannot write the photo's metadata: %s", e.what());
  }
  return blocks;
}

std::vector<uint8_t> embedMetadata(std::span<const uint8_t> file, const PhotoMetadata* metadata,
                                   int width, int height, bool keepGps,
                                   std::span<const uint8_t> iccProfile) {
  initExiv2();
  try {
    const std::unique_ptr<Exiv2::Image> image(
        Exiv2::ImageFactory::open(file.data(), static_cast<long>(file.size())).release());
    // The file's own tags (a TIFF's raster description, a JPEG's profile) stay; the photo's
    // are added over them.
    image->readMetadata();
    if (metadata) {
      const PhotoMetadata out = edited(*metadata, width, height, keepGps);
      for (const Exiv2::Exifdatum& datum : out.exif) image->exifData()[datum.key()] = datum.value();
      image->setIptcData(out.iptc);
      image->setXmpData(out.xmp);
    }
    if (!iccProfile.empty()) {
      Exiv2::DataBuf icc(iccProfile.data(), static_cast<long>(iccProfile.size()));
      image->setIccProfile(icc);
    }
    image->writeMetadata();
    Exiv2::BasicIo& io = image->io();
    io.open();
    const Exiv2::DataBuf bytes = io.read(static_cast<long>(io.size()));
    io.close();
    return {bytes.pData_, bytes.pData_ + bytes.size_};
  } catch (const std::exception& e) {
    fail("Cannot write the photo's metadata: %s", e.what());
  }
}

}  // namespace lumabord
