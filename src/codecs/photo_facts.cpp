// Reading a photo's facts with exiv2; whatever exiv2 cannot read is simply left out.
#include "codecs/photo_facts.h"

#include <chrono>
#include <ctime>
#include <exiv2/exiv2.hpp>
#include <initializer_list>
#include <string_view>

#include "codecs/photo_metadata.h"
#include "platform/cp1252.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;

bool validUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto lead = static_cast<uint8_t>(s[i]);
    const size_t extra = lead < 0x80                   ? 0
                         : lead >= 0xC2 && lead < 0xE0 ? 1
                         : lead >= 0xE0 && lead < 0xF0 ? 2
                         : lead >= 0xF0 && lead < 0xF5 ? 3
                                                       : 4;
    if (extra == 4 || s.size() - i <= extra) return false;
    for (size_t k = 1; k <= extra; ++k) {
      if ((static_cast<uint8_t>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

// A metadata text as a signature may show it: UTF-8 (bytes that are not are read as
// Windows-1252), control characters as spaces, no spaces around it, at most
// kPhotoFactBytesMax bytes cut between characters.
std::string cleanText(std::string_view raw) {
  std::string text = validUtf8(raw) ? std::string(raw) : cp1252ToUtf8(raw);
  for (char& c : text) {
    const auto code = static_cast<uint8_t>(c);
    if (code < 0x20 || code == 0x7F) c = ' ';
  }
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text.size() > kPhotoFactBytesMax) {
    size_t cut = kPhotoFactBytesMax;
    while (cut > 0 && (static_cast<uint8_t>(text[cut]) & 0xC0) == 0x80) --cut;
    text.resize(cut);
  }
  return text;
}

// A value's text; for a text in several languages the default one, else the first.
std::string valueText(const Exiv2::Value& value) {
  if (value.typeId() == Exiv2::langAlt) {
    const auto& alternatives = static_cast<const Exiv2::LangAltValue&>(value);
    const std::string preferred = alternatives.toString("x-default");
    if (!preferred.empty()) return preferred;
    return alternatives.count() > 0 ? alternatives.toString(0) : std::string();
  }
  return value.toString();
}

// The first of keys that holds a non-empty text.
template <typename Key, typename Data>
std::string firstText(const Data& data, std::initializer_list<const char*> keys) {
  for (const char* key : keys) {
    const auto found = data.findKey(Key(key));
    if (found == data.end()) continue;
    std::string text = cleanText(valueText(found->value()));
    if (!text.empty()) return text;
  }
  return {};
}

bool digits(std::string_view s) {
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return !s.empty();
}

// "YYYY:MM:DD ...", "YYYY-MM-DD..." (XMP, IPTC); nothing for a partial or zero date.
std::optional<PhotoDate> parseDate(std::string_view text) {
  if (text.size() < 10 || !digits(text.substr(0, 4)) || !digits(text.substr(5, 2)) ||
      !digits(text.substr(8, 2)) || (text[4] != ':' && text[4] != '-') || text[7] != text[4]) {
    return std::nullopt;
  }
  const auto number = [&](size_t at, size_t length) {
    int n = 0;
    for (char c : text.substr(at, length)) n = n * 10 + (c - '0');
    return n;
  };
  const PhotoDate date{number(0, 4), number(5, 2), number(8, 2)};
  if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) {
    return std::nullopt;
  }
  return date;
}

std::optional<PhotoDate> modificationDay(const fs::path& path) {
  std::error_code ec;
  const fs::file_time_type written = fs::last_write_time(path, ec);
  if (ec) return std::nullopt;
  const auto system = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
      std::chrono::file_clock::to_sys(written));
  const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return std::nullopt;
  return PhotoDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool startsWithWord(std::string_view text, std::string_view word) {
  if (word.empty() || text.size() < word.size()) return false;
  if (text.size() > word.size() && text[word.size()] != ' ') return false;
  for (size_t i = 0; i < word.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(text[i]) != lower(word[i])) return false;
  }
  return true;
}

// Make and model; cameras whose model names the maker ("Canon" / "Canon EOS R5", "NIKON
// CORPORATION" / "NIKON D850") give the model alone.
std::string cameraName(const std::string& make, const std::string& model) {
  if (make.empty() || model.empty()) return make.empty() ? model : make;
  if (startsWithWord(model, std::string_view(make).substr(0, make.find(' ')))) return model;
  return cleanText(make + ' ' + model);
}

void readMetadata(const fs::path& path, PhotoFacts& facts) {
  initExiv2();
  const auto image = Exiv2::ImageFactory::open(path.string(), false);
  if (image.get() == nullptr) return;
  image->readMetadata();
  const Exiv2::ExifData& exif = image->exifData();
  const Exiv2::XmpData& xmp = image->xmpData();
  const Exiv2::IptcData& iptc = image->iptcData();
  using Exif = Exiv2::ExifKey;
  using Xmp = Exiv2::XmpKey;
  using Iptc = Exiv2::IptcKey;
  for (const std::string& date :
       {firstText<Exif>(exif, {"Exif.Photo.DateTimeOriginal", "Exif.Photo.DateTimeDigitized",
                               "Exif.Image.DateTime"}),
        firstText<Xmp>(
            xmp, {"Xmp.exif.DateTimeOriginal", "Xmp.photoshop.DateCreated", "Xmp.xmp.CreateDate"}),
        firstText<Iptc>(iptc, {"Iptc.Application2.DateCreated"})}) {
    facts.taken = parseDate(date);
    if (facts.taken) break;
  }
  facts.artist = firstText<Exif>(exif, {"Exif.Image.Artist"});
  if (facts.artist.empty()) facts.artist = firstText<Xmp>(xmp, {"Xmp.dc.creator"});
  if (facts.artist.empty()) facts.artist = firstText<Iptc>(iptc, {"Iptc.Application2.Byline"});
  facts.copyright = firstText<Exif>(exif, {"Exif.Image.Copyright"});
  if (facts.copyright.empty()) facts.copyright = firstText<Xmp>(xmp, {"Xmp.dc.rights"});
  if (facts.copyright.empty()) {
    facts.copyright = firstText<Iptc>(iptc, {"Iptc.Application2.Copyright"});
  }
  std::string make = firstText<Exif>(exif, {"Exif.Image.Make"});
  std::string model = firstText<Exif>(exif, {"Exif.Image.Model"});
  if (make.empty() && model.empty()) {
    make = firstText<Xmp>(xmp, {"Xmp.tiff.Make"});
    model = firstText<Xmp>(xmp, {"Xmp.tiff.Model"});
  }
  facts.camera = cameraName(make, model);
}

}  // namespace

PhotoFacts readPhotoFacts(const fs::path& path) {
  PhotoFacts facts;
  facts.file = cleanText(path.stem().string());
  try {
    readMetadata(path, facts);
  } catch (const std::exception&) {
    // Unreadable metadata, or none exiv2 knows: what was read so far stays.
  }
  if (!facts.taken) facts.taken = modificationDay(path);
  return facts;
}

}  // namespace lumabord
