// The reader table: lower-case extension to reader, and the loader built on it.
#include "codecs/picture_loader.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "base/error.h"
#include "base/file_io.h"
#include "codecs/content_sniffer.h"
#include "codecs/picture_source.h"
#include "codecs/reader_table.h"

namespace lumabord {
namespace {

struct TableEntry {
  std::string_view extension;
  PictureReader reader;
};

constexpr auto kReaders = std::to_array<TableEntry>({
    {"jpg", readJpeg},       {"jpeg", readJpeg},      {"jpe", readJpeg},
    {"jfif", readJpeg},      {"tif", readTiff},       {"tiff", readTiff},
    {"fax", readTiff},       {"bmp", readBmp},        {"rle", readBmp},
    {"dib", readBmp},        {"ico", readIco},        {"png", readPng},
    {"gif", readGif},        {"eps", readEps},        {"mrw", readRawPreview},
    {"nef", readRawPreview}, {"crw", readRawPreview}, {"raf", readRafPreview},
    {"ppm", readPnm},        {"pgm", readPnm},        {"pbm", readPnm},
    {"tga", readTga},        {"win", readTga},        {"vst", readTga},
    {"vda", readTga},        {"icb", readTga},        {"pcx", readPcx},
    {"pcc", readPcx},        {"scr", readPcx},        {"sgi", readSgi},
    {"rgb", readSgi},        {"rgba", readSgi},       {"bw", readSgi},
    {"psd", readPsd},        {"pdd", readPsd},        {"wmf", readWmf},
    {"emf", readEmf},        {"cel", readCel},        {"pic", readCel},
    {"cut", readCut},        {"pcd", readPcd},        {"rla", readRla},
    {"rpf", readRla},        {"psp", readPsp},        {"heic", readHeif},
    {"heif", readHeif},      {"avif", readHeif},      {"webp", readWebp},
    {"jxl", readJxl},
});

std::string lowerCase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

PictureReader findReader(std::string_view extension) {
  const std::string key = lowerCase(extension);
  for (const TableEntry& e : kReaders) {
    if (e.extension == key) return e.reader;
  }
  return nullptr;
}

[[noreturn]] void failUnknownExtension(std::string_view extension) {
  fail("Unknown picture file extension (.%s)", std::string(extension).c_str());
}

}  // namespace

std::string extensionOf(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  if (!ext.empty()) ext.erase(0, 1);
  return ext;
}

PictureReader chooseReader(std::span<const uint8_t> bytes, std::string_view extension,
                           const std::string& name) {
  PictureReader reader = nullptr;
  if (extension.empty()) {
    const std::string_view sniffed = sniffPictureFormat(bytes);
    reader = sniffed.empty() ? nullptr : findReader(sniffed);
    if (!reader) fail("Cannot load image %s: the picture format is not recognised", name.c_str());
  } else {
    reader = findReader(extension);
    if (!reader) failUnknownExtension(extension);
  }
  return reader;
}

FileBytes readPictureFile(const std::filesystem::path& path, std::string_view extension) {
  if (!extension.empty() && !findReader(extension)) failUnknownExtension(extension);
  return readFileBytes(path);
}

namespace {

Image decode(std::span<const uint8_t> bytes, std::string_view extension, const std::string& name,
             const DecodeLimits& limits) {
  return chooseReader(bytes, extension, name)(PictureSource{bytes, name, limits});
}

class TableLoader final : public PictureLoader {
 public:
  Image load(const std::filesystem::path& path) const override { return loadPicture(path, {}); }
  Image loadPhoto(const std::filesystem::path& path, const PhotoOptions& options) const override {
    return lumabord::loadPhoto(path, {}, options);
  }
};

}  // namespace

const PictureLoader& defaultPictureLoader() {
  static const TableLoader loader;
  return loader;
}

Image loadPicture(const std::filesystem::path& path) {
  return defaultPictureLoader().load(path);
}

Image loadPicture(const std::filesystem::path& path, const DecodeLimits& limits) {
  const std::string extension = extensionOf(path);
  const FileBytes bytes = readPictureFile(path, extension);
  return decode(bytes.span(), extension, path.string(), limits);
}

Image decodePicture(std::span<const uint8_t> bytes, std::string_view extension,
                    const std::string& name, const DecodeLimits& limits) {
  return decode(bytes, extension, name, limits);
}

bool isPictureExtension(std::string_view extension) {
  return findReader(extension) != nullptr;
}

}  // namespace lumabord
