// The loader's table: extensions in any case, files without one recognised by content,
// unknown extensions and unreadable files refused with their exact messages, and every
// reader refusing damaged data with an Error rather than anything worse.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "codec_test_support.h"

namespace lumabord::testing {
namespace {

std::string loadError(const std::filesystem::path& path) {
  try {
    (void)loadPicture(path);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// One small file of each format the loader recognises by content, with its extension.
std::vector<std::pair<std::string, Bytes>> sampleFiles() {
  const Image img = patternImage(12, 10);
  BmpLayout bmp;
  BmpLayout ico;
  ico.fileHeader = false;
  ico.icon = true;
  GifOptions gif;
  gif.globalPalette = patternPalette(8);
  PngOptions png;
  const Bytes raw = rgbSamples(img);
  return {
      {"bmp", writeBmp(bmp, 12, 10, {}, &img)},
      {"jpg", writeJpeg(img)},
      {"gif", writeGif(12, 10, patternIndices(12, 10, 8), gif)},
      {"ico", writeIco({{12, 10, 24, writeBmp(ico, 12, 10, {}, &img)}})},
      {"png", writePng(12, 10, std::vector<uint16_t>(raw.begin(), raw.end()), png)},
      {"tif", writeTiff(12, 10, raw, {})},
  };
}

TEST(PictureLoader, ExtensionsInAnyCaseAndFilesWithoutOne) {
  TempDir dir;
  const Bytes jpeg = writeJpeg(smoothImage(30, 20));
  const Image reference = decodeAs(jpeg, "jpg");
  for (const char* name : {"photo.jpg", "PHOTO.JPG", "Photo.JpEg", "p.jpe", "p.JFIF", "photo"}) {
    EXPECT_TRUE(loadPicture(dir.write(name, jpeg)) == reference) << name;
  }
  for (const auto& [ext, bytes] : sampleFiles()) {
    const Image byExtension = loadPicture(dir.write("sample." + ext, bytes));
    EXPECT_TRUE(loadPicture(dir.write("sample_" + ext, bytes)) == byExtension) << ext;
    EXPECT_EQ(byExtension.width(), 12) << ext;
  }
  EXPECT_TRUE(isPictureExtension("TIFF"));
  EXPECT_TRUE(isPictureExtension("rle"));
  EXPECT_FALSE(isPictureExtension("xyz"));
  EXPECT_FALSE(isPictureExtension(""));
}

TEST(PictureLoader, RefusalsWithTheirMessages) {
  TempDir dir;
  const Bytes jpeg = writeJpeg(smoothImage(8, 8));
  // The extension decides before the file is read: a JPEG named .xyz is still refused.
  EXPECT_EQ(loadError(dir.write("photo.xyz", jpeg)), "Unknown picture file extension (.xyz)");
  EXPECT_EQ(loadError(dir / "missing.XYZ"), "Unknown picture file extension (.XYZ)");
  const auto missing = dir / "missing.jpg";
  EXPECT_EQ(loadError(missing), "Cannot open file " + missing.string());
  std::filesystem::create_directory(dir / "folder.png");
  EXPECT_EQ(loadError(dir / "folder.png"), "Cannot open file " + (dir / "folder.png").string());
  const auto text = dir.write("notes", std::string("just some text"));
  EXPECT_EQ(loadError(text),
            "Cannot load image " + text.string() + ": the picture format is not recognised");
  EXPECT_EQ(loadError(dir.write("empty.bmp", std::string())), "Bitmap image is not valid");
  // A wrong extension is read by its reader, which refuses the data.
  EXPECT_EQ(loadError(dir.write("photo.gif", jpeg)),
            "Cannot load image. Invalid or unexpected GIF image format.");
}

// Sends everything written to stderr to a file while it lives.
class StderrCapture {
 public:
  explicit StderrCapture(const std::filesystem::path& file) : file_(file) {
    std::fflush(stderr);
    saved_ = dup(2);
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, 2);
    close(fd);
  }
  ~StderrCapture() { restore(); }
  std::string finish() {
    restore();
    return readText(file_);
  }

 private:
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    saved_ = -1;
  }
  std::filesystem::path file_;
  int saved_ = -1;
};

// Cut or damaged copies of every sample file decode or throw Error: never another exception,
// never a crash, and the libraries print nothing (the fuzz targets go much further; this
// keeps the basics in every test run).
TEST(PictureLoader, DamagedCopiesFailCleanly) {
  TempDir dir;
  StderrCapture capture(dir / "stderr.txt");
  auto samples = sampleFiles();
  samples.emplace_back("eps", writeEps("%!PS\n", samples.back().second));
  samples.emplace_back("nef", samples[1].second);
  for (const auto& [ext, bytes] : samples) {
    for (size_t cut = 0; cut < bytes.size(); cut += 1 + bytes.size() / 64) {
      try {
        (void)decodeAs(Bytes(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(cut)), ext);
      } catch (const Error&) {
      }
    }
    for (size_t at = 0; at < bytes.size(); at += 1 + bytes.size() / 128) {
      for (uint8_t value : {0x00, 0xFF, 0x7F}) {
        Bytes damaged = bytes;
        damaged[at] = value;
        try {
          (void)decodeAs(damaged, ext);
        } catch (const Error&) {
        }
      }
    }
  }
  EXPECT_EQ(capture.finish(), "");
}

}  // namespace
}  // namespace lumabord::testing
