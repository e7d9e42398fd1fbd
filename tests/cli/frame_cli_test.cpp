// lumabord-cli frame as a user runs it: output names, the answer to existing files, exit
// statuses, and every stored setting against the option that replaces it.
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <exiv2/exiv2.hpp>

#include "app/quick_reg.h"
#include "app/user_folders.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "compose/asset_library.h"
#include "compose/design_controls.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;
using testing::readText;
using testing::TempDir;

using CliRun = testing::ProgramRun;

void childExec(const std::vector<std::string>& args, const fs::path& store, const fs::path& cwd) {
  std::vector<char*> argv;
  static const std::string program = LUMABORD_BINARY_DIR "/lumabord-cli";
  argv.push_back(const_cast<char*>(program.c_str()));
  static const std::string command = "frame";
  argv.push_back(const_cast<char*>(command.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  if (chdir(cwd.c_str()) != 0) _exit(126);
  setenv("LUMABORD_REGISTRY", store.c_str(), 1);
  unsetenv("LUMABORD_HOME");  // the assets beside the program are the defaults
  setenv("XDG_CACHE_HOME", (cwd / "cache").c_str(), 1);
  execv(program.c_str(), argv.data());
  _exit(127);
}

// Runs lumabord-cli frame in cwd with its own settings store; stdout and stderr captured.
CliRun frameCli(const std::vector<std::string>& args, const fs::path& store, const fs::path& cwd) {
  std::vector<std::string> argv = {LUMABORD_BINARY_DIR "/lumabord-cli", "frame"};
  argv.insert(argv.end(), args.begin(), args.end());
  // The assets beside the program are the defaults.
  return testing::runProgram(argv,
                             {{"LUMABORD_REGISTRY", store.string()},
                              {"LUMABORD_HOME", ""},
                              {"XDG_CACHE_HOME", (cwd / "cache").string()}},
                             cwd);
}

// A small photo with a different colour in every pixel, so that a wrong photo or a shifted
// frame shows in the bytes.
fs::path writePhoto(const fs::path& path, int width = 90, int height = 60) {
  Image photo(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      photo.setPixel(x, y, Rgb{static_cast<uint8_t>(x * 2), static_cast<uint8_t>(y * 3), 77});
    }
  }
  fs::create_directories(path.parent_path());
  WriteBmpFile(path, photo);
  return path;
}

// One test's folders: the working folder, the settings store and its photos.
class FrameCli : public ::testing::Test {
 protected:
  CliRun frame(const std::vector<std::string>& args) { return frameCli(args, store(), dir.path()); }
  fs::path store() const { return dir / "store.reg"; }
  // Stores an integer setting of the window (colours and booleans are DWORDs too).
  void setting(const std::string& name, int32_t value) {
    const char* old = std::getenv("LUMABORD_REGISTRY");
    const std::string saved = old ? old : "";
    setenv("LUMABORD_REGISTRY", store().c_str(), 1);
    ASSERT_TRUE(RegWriteInteger(std::string(kSettingsKey) + name, value, true));
    if (old) {
      setenv("LUMABORD_REGISTRY", saved.c_str(), 1);
    } else {
      unsetenv("LUMABORD_REGISTRY");
    }
  }
  TempDir dir;
};

std::string bytesAt(const std::string& text, size_t at, size_t count) {
  return text.size() >= at + count ? text.substr(at, count) : std::string();
}

bool hasMarker(const std::string& jpeg, char marker) {
  return jpeg.find(std::string("\xFF") + marker) != std::string::npos;
}

TEST_F(FrameCli, OnePhotoIsWrittenUnderTheOutNameWithTheFormatKey) {
  const fs::path photo = writePhoto(dir / "photos" / "beach.tif.bmp");
  const CliRun typed = frame({"--format", "bmp", "--out", "out/x.png", photo.string()});
  fs::create_directories(dir / "out");
  const CliRun again = frame({"--format", "bmp", "--out", "out/x.png", photo.string()});
  EXPECT_EQ(typed.status, 1) << "a missing folder cannot take the file";
  EXPECT_EQ(typed.err, "1/1 beach.tif.bmp\nCannot create file out/x.bmp\n");
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, "out/x.bmp\n");
  EXPECT_EQ(again.err, "1/1 beach.tif.bmp\n");
  EXPECT_FALSE(fs::exists(dir / "out" / "x.png"));
  EXPECT_EQ(bytesAt(readText(dir / "out" / "x.bmp"), 0, 2), "BM");

  // Without --out the file goes into the current folder; an existing folder or a path ending
  // in "/" receives the photo's name; the default format is JPEG.
  const CliRun here = frame({photo.string()});
  const CliRun folder = frame({"--out", "out", photo.string()});
  const CliRun slash = frame({"--format", "tif", "--out", "new/", photo.string()});
  EXPECT_EQ(here.out, "./beach.tif.jpg\n");
  EXPECT_EQ(bytesAt(readText(dir / "beach.tif.jpg"), 0, 3), "\xFF\xD8\xFF");
  EXPECT_EQ(folder.out, "out/beach.tif.jpg\n");
  EXPECT_EQ(slash.status, 1) << "a folder named with a slash must exist";
  EXPECT_EQ(slash.err, "1/1 beach.tif.bmp\nCannot create file new/beach.tif.tif\n");
}

TEST_F(FrameCli, SeveralPhotosGoIntoTheOutFolderInQueueOrderAndEqualBaseNamesMeet) {
  const fs::path a = writePhoto(dir / "A" / "a.bmp");
  const fs::path b = writePhoto(dir / "B" / "b.bmp", 60, 90);
  const fs::path a2 = writePhoto(dir / "C" / "a.bmp", 30, 30);
  const CliRun run =
      frame({"--format", "bmp", "--out", "framed/today", a.string(), b.string(), a2.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "framed/today/a.bmp\nframed/today/b.bmp\n");
  EXPECT_EQ(run.err,
            "1/3 a.bmp\n2/3 b.bmp\n3/3 a.bmp\n"
            "Skipped framed/today/a.bmp: the file already exists (--overwrite replaces it)\n");
  // The first photo's frame stays: landscape, not the square third photo.
  const Image first = loadPicture(dir / "framed" / "today" / "a.bmp");
  const Image second = loadPicture(dir / "framed" / "today" / "b.bmp");
  EXPECT_GT(first.width(), first.height());
  EXPECT_LT(second.width(), second.height());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "framed" / "today"), {}), 2);

  // Into the current folder by default.
  const CliRun here = frame({"--format", "tif", a.string(), b.string()});
  EXPECT_EQ(here.out, "./a.tif\n./b.tif\n");
}

TEST_F(FrameCli, ExistingFilesAreSkippedReplacedOrAnErrorThatKeepsEarlierFiles) {
  const fs::path a = writePhoto(dir / "p" / "a.bmp");
  const fs::path b = writePhoto(dir / "p" / "b.bmp");
  const fs::path c = writePhoto(dir / "p" / "c.bmp");
  const fs::path out = dir / "out";
  fs::create_directories(out);
  TempDir scratch;
  const auto old = scratch.write("old", "old b");
  fs::copy_file(old, out / "b.jpg");

  const std::vector<std::string> photos = {a.string(), b.string(), c.string()};
  auto with = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--out", "out"});
    args.insert(args.end(), photos.begin(), photos.end());
    return frame(args);
  };
  const CliRun noOverwrite = with({"--no-overwrite"});
  EXPECT_EQ(noOverwrite.status, 1);
  EXPECT_EQ(noOverwrite.err, "1/3 a.bmp\n2/3 b.bmp\nout/b.jpg already exists (--no-overwrite)\n");
  EXPECT_EQ(noOverwrite.out, "out/a.jpg\n");
  EXPECT_TRUE(fs::exists(out / "a.jpg"));
  EXPECT_FALSE(fs::exists(out / "c.jpg"));
  EXPECT_EQ(readText(out / "b.jpg"), "old b");

  const std::string firstA = readText(out / "a.jpg");
  fs::remove(out / "a.jpg");
  const CliRun skip = with({});
  EXPECT_EQ(skip.status, 0);
  EXPECT_EQ(skip.out, "out/a.jpg\nout/c.jpg\n");
  EXPECT_NE(skip.err.find("Skipped out/b.jpg: the file already exists"), std::string::npos);
  EXPECT_EQ(readText(out / "b.jpg"), "old b");
  EXPECT_TRUE(readText(out / "a.jpg") == firstA) << "the same photo and design give the same file";

  const CliRun overwrite = with({"--overwrite"});
  EXPECT_EQ(overwrite.status, 0);
  EXPECT_EQ(overwrite.out, "out/a.jpg\nout/b.jpg\nout/c.jpg\n");
  EXPECT_TRUE(readText(out / "b.jpg") == firstA);
  EXPECT_EQ(std::distance(fs::directory_iterator(out), {}), 3) << "no temporary file is left";
}

TEST_F(FrameCli, JpegOverThePhotosInTheirOwnFolderNeedsOverwriteAndLeavesNoOtherFile) {
  const fs::path photo = dir / "own" / "sea.jpg";
  fs::create_directories(photo.parent_path());
  ASSERT_EQ(frame({"--out", photo.string(), writePhoto(dir / "sea.bmp").string()}).status, 0);
  const std::string source = readText(photo);

  const CliRun skipped = frame({"--out", "own", photo.string()});
  EXPECT_EQ(skipped.status, 0);
  EXPECT_TRUE(readText(photo) == source);
  const CliRun replaced = frame({"--overwrite", "--quality", "20", "--out", "own", photo.string()});
  EXPECT_EQ(replaced.status, 0) << replaced.err;
  EXPECT_TRUE(readText(photo) != source);
  EXPECT_EQ(bytesAt(readText(photo), 0, 2), "\xFF\xD8");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "own"), {}), 1);
}

TEST_F(FrameCli, UsageErrorsExitWith2AndFailuresWith1AfterTheEarlierFiles) {
  const fs::path a = writePhoto(dir / "a.bmp");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> usage = {
      {{}, "name at least one photo"},
      {{"--colour", "red", "a.bmp"}, "unknown option --colour"},
      {{"--box", "800", "a.bmp"}, "a box is written WxH, not '800'"},
      {{"--box", "-1x5", "a.bmp"}, "box sides must not be negative"},
      {{"--format", "gif", "a.bmp"}, "--format is jpg, tif, bmp, png or webp, not 'gif'"},
      {{"--quality", "101", "a.bmp"}, "--quality must be from 1 to 100, not 101"},
      {{"--quality", "high", "a.bmp"}, "--quality must be a whole number, not 'high'"},
      {{"--shadow-size", "0", "a.bmp"}, "--shadow-size must be from 1 to 30, not 0"},
      {{"--edge-shadow", "yes", "a.bmp"}, "--edge-shadow is on or off, not 'yes'"},
      {{"--background", "purple-ish", "a.bmp"},
       "--background: 'purple-ish' is not a valid integer value"},
      {{"--shadow-color", "", "a.bmp"}, "--shadow-color: '' is not a valid integer value"},
      {{"--overwrite", "--no-overwrite", "a.bmp"},
       "--overwrite and --no-overwrite exclude each other"},
      {{"a.bmp", "--out"}, "option --out needs a value"},
  };
  for (const Case& c : usage) {
    const CliRun run = frame(c.args);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "lumabord-cli frame: " + c.message);
    EXPECT_NE(run.err.find("\nusage: lumabord-cli frame [--assets DIR]"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
  }
  EXPECT_FALSE(fs::exists(dir / "a.jpg"));

  // A photo that cannot be read stops the batch with the reader's message; the file of the
  // photo before it stays and the photo after it is not framed.
  TempDir outside;
  const auto notes = outside.write("notes.xyz", "not a picture");
  const fs::path c = writePhoto(dir / "c.bmp");
  const CliRun bad =
      frame({"--format", "bmp", "--out", "out", a.string(), notes.string(), c.string()});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "1/3 a.bmp\n" + notes.string() + ": Unknown picture file extension (.xyz)\n");
  EXPECT_TRUE(fs::exists(dir / "out" / "a.bmp"));
  EXPECT_FALSE(fs::exists(dir / "out" / "c.bmp"));

  const CliRun style = frame({"--style", "No Such Style", a.string()});
  EXPECT_EQ(style.status, 1);
  EXPECT_EQ(style.err.substr(0, style.err.find(" in ")), "No style named \"No Such Style\"");
  const CliRun shadow = frame({"--drop-shadow", "fuzzy", a.string()});
  EXPECT_EQ(shadow.status, 1);
  EXPECT_EQ(shadow.err.substr(0, shadow.err.find(" in ")), "No drop shadow named \"fuzzy\"");
  const CliRun missing = frame({(dir / "gone.jpg").string()});
  EXPECT_EQ(missing.status, 1);
  const std::string gone = (dir / "gone.jpg").string();
  EXPECT_EQ(missing.err, "Cannot open file " + gone + "\n") << "named once";
  const CliRun assets = frame({"--assets", "no assets", a.string()});
  EXPECT_EQ(assets.status, 1);
  EXPECT_EQ(assets.err, "The asset folder no assets does not exist\n");

  // A 16384 x 16384 GIF of 100 KB: its frame would pass the pixel limit, which is found
  // from the header before 768 MiB of picture are decoded.
  std::vector<unsigned char> gif = {'G',  'I', 'F', '8', '9', 'a',  0,   0x40, 0,   0x40,
                                    0x80, 0,   0,   0,   0,   0,    255, 255,  255, 0x2C,
                                    0,    0,   0,   0,   0,   0x40, 0,   0x40, 0,   2};
  for (int block = 0; block < 400; ++block) {
    gif.push_back(255);
    gif.insert(gif.end(), 255, 0);
  }
  gif.insert(gif.end(), {0, 0x3B});
  const CliRun huge = frame({outside.write("huge.gif", gif).string()});
  EXPECT_EQ(huge.status, 1);
  EXPECT_NE(huge.err.find("beyond the limit of 268435456 pixels"), std::string::npos) << huge.err;
  EXPECT_LT(huge.maxRssKb, 200 * 1024) << "the photo was decoded before the frame was checked";
}

// Each stored setting of the window gives the same file as the option that names the same
// value, and the option wins over the stored value.
TEST_F(FrameCli, StoredSettingsAreTheDefaultsAndOptionsReplaceThem) {
  const fs::path photo = writePhoto(dir / "p" / "photo.bmp");
  // "Frame Style" is a position in the style folder's listing order.
  DesignControls listed;
  FillStyleList(listed, LUMABORD_BINARY_DIR, 0);
  const std::vector<std::string>& styles = listed.cboFrame.entries;
  ASSERT_GE(styles.size(), 3u);
  struct Case {
    std::string setting;
    int32_t stored;
    std::vector<std::string> option;
  };
  const std::vector<Case> cases = {
      {"Image Width", 150, {"--box", "150x600"}},
      {"Image Height", 100, {"--box", "800x100"}},
      {"Shadow Edge", 0, {"--edge-shadow", "off"}},
      {"Shadow Size", 25, {"--shadow-size", "25"}},
      {"OuterMatte Shadow", 0x0000FF, {"--shadow-color", "clRed"}},
      {"Background", 0x00C08040, {"--background", "$00C08040"}},
      {"JPEG Quality", 35, {"--quality", "35"}},
      // Used as the options dialog shows it: kept inside 1..100.
      {"JPEG Quality", 250, {"--quality", "100"}},
      {"JPEG Progressive", 0, {"--baseline"}},
      {"Frame Style", 2, {"--style", styles.at(2)}},
  };
  auto output = [&](const std::vector<std::string>& extra, const std::string& name) {
    std::vector<std::string> args = {"--format", "jpg", "--out", "out/" + name};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(photo.string());
    const CliRun run = frame(args);
    EXPECT_EQ(run.status, 0) << name << ": " << run.err;
    return readText(dir / "out" / (name + ".jpg"));
  };
  fs::create_directories(dir / "out");
  const std::string plain = output({}, "plain");
  EXPECT_TRUE(hasMarker(plain, '\xC2')) << "progressive by default";
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting);
    const std::string fromOption = output(c.option, "option" + std::to_string(n));
    EXPECT_TRUE(fromOption != plain) << "the value must change the file";
    setting(c.setting, c.stored);
    EXPECT_TRUE(output({}, "stored" + std::to_string(n)) == fromOption);
    fs::remove(store());
    ++n;
  }
  // The option wins: a stored background with the option's other colour.
  setting("Background", 0x00C08040);
  setting("Shadow Edge", 0);
  EXPECT_TRUE(output({"--background", "clWhite", "--edge-shadow", "on"}, "wins") == plain);
  fs::remove(store());

  // A stored style name list position beyond the list selects nothing; --style names one.
  setting("Frame Style", 99);
  const std::string none = output({}, "none");
  EXPECT_TRUE(none != plain);
  EXPECT_TRUE(output({"--style", styles.at(0)}, "named") == plain);
  fs::remove(store());

  // The baseline file has one scan and a baseline start of frame.
  const std::string baseline = output({"--baseline"}, "baseline");
  EXPECT_TRUE(hasMarker(baseline, '\xC0'));
  EXPECT_FALSE(hasMarker(baseline, '\xC2'));
}

// A phone's portrait: stored on its side with orientation 6, with its author and location.
fs::path writePhonePhoto(const fs::path& path) {
  WriteJpegFile(path, Image(90, 60, Rgb{90, 120, 150}), {});
  const std::unique_ptr<Exiv2::Image> image(Exiv2::ImageFactory::open(path.string()).release());
  image->readMetadata();
  image->exifData()["Exif.Image.Orientation"] = uint16_t{6};
  image->exifData()["Exif.Image.Artist"] = "Anna Berg";
  image->exifData()["Exif.GPSInfo.GPSLatitude"] = "59/1 20/1 0/1";
  image->writeMetadata();
  return path;
}

TEST_F(FrameCli, PhotosAreUprightWithTheirMetadataAsTheStoreAndOptionsSay) {
  const fs::path photo = writePhonePhoto(dir / "phone.jpg");
  struct Case {
    std::vector<std::pair<std::string, int32_t>> stored;
    std::vector<std::string> options;
    bool portrait, artist, gps;
  };
  const std::vector<Case> cases = {
      {{}, {}, true, true, false},
      {{}, {"--no-auto-orient"}, false, true, false},
      {{{"Auto Orient", 0}}, {}, false, true, false},
      {{}, {"--strip-metadata"}, true, false, false},
      {{{"Keep Metadata", 0}}, {}, true, false, false},
      {{{"Keep GPS", 1}}, {}, true, true, true},
      {{{"Keep GPS", 1}}, {"--strip-gps"}, true, true, false},
  };
  for (const Case& c : cases) {
    std::string name;
    for (const auto& [setting, value] : c.stored) {
      this->setting(setting, value);
      name += setting + "=" + std::to_string(value) + " ";
    }
    for (const std::string& option : c.options) name += option + " ";
    SCOPED_TRACE(name);
    std::vector<std::string> args = {"--overwrite", "--box", "400x400", "--out", "out.jpg"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(photo.string());
    const CliRun run = frame(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const Image framed = loadPicture(dir / "out.jpg");
    EXPECT_EQ(framed.height() > framed.width(), c.portrait);
    const std::unique_ptr<Exiv2::Image> out(
        Exiv2::ImageFactory::open((dir / "out.jpg").string()).release());
    out->readMetadata();
    const Exiv2::ExifData& exif = out->exifData();
    EXPECT_EQ(exif.findKey(Exiv2::ExifKey("Exif.Image.Artist")) != exif.end(), c.artist);
    EXPECT_EQ(exif.findKey(Exiv2::ExifKey("Exif.GPSInfo.GPSLatitude")) != exif.end(), c.gps);
    fs::remove(store());
  }
}

TEST_F(FrameCli, TheStoredSignatureIsDrawnAndItsOptionsReplaceItForOneRun) {
  const fs::path photo = writePhoto(dir / "p" / "a.bmp");
  auto run = [&](const std::string& out, std::vector<std::string> args) {
    args.insert(args.end(),
                {"--format", "bmp", "--box", "2000x2000", "--out", out, photo.string()});
    const CliRun result = frame(args);
    EXPECT_EQ(result.status, 0) << result.err;
    return readText(dir / out);
  };
  const std::string plain = run("plain.bmp", {});
  setting("Signature", 1);
  const std::string stored = run("stored.bmp", {});
  EXPECT_NE(stored, plain) << "\"Signature\" = 1 draws the stored design";
  EXPECT_EQ(run("off.bmp", {"--signature", "off"}), plain);
  EXPECT_NE(run("picture.bmp", {"--signature-on", "picture", "--signature-align", "top-left"}),
            stored);
  EXPECT_NE(run("text.bmp", {"--signature-text", "\xC3\x89mile \xE2\x82\xAC"}), stored);
  EXPECT_FALSE(fs::is_empty(userFolders(LUMABORD_BINARY_DIR).cache / "FontCache3D"))
      << "the glyphs are kept for the next run";

  const std::vector<std::pair<std::vector<std::string>, std::string>> usage = {
      {{"--signature-text", "\xCE\xA9 and \xE2\x98\x85 and \xCE\xA9"},
       "--signature-text holds characters outside Windows-1252: \xCE\xA9, \xE2\x98\x85"},
      {{"--signature-align", "middle"},
       "--signature-align is top-left, top-center, top-right, bottom-left, bottom-center or "
       "bottom-right, not 'middle'"},
      {{"--signature-on", "frame"}, "--signature-on is matte or picture, not 'frame'"},
      {{"--signature", "yes"}, "--signature is on or off, not 'yes'"},
  };
  for (const auto& [args, message] : usage) {
    std::vector<std::string> all = args;
    all.push_back(photo.string());
    const CliRun bad = frame(all);
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err.substr(0, bad.err.find('\n')), "lumabord-cli frame: " + message);
  }

  // lumabord-cli signature shows the design a batch draws, out-of-range values as used.
  setting("Signature Align", 9);
  setting("Signature FontSytle", 3);
  const std::string command = "LUMABORD_REGISTRY='" + store().string() + "' " +
                              LUMABORD_BINARY_DIR "/lumabord-cli signature";
  std::FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string shown;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) shown += buffer;
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(shown,
            "FontCharSet=0\nFontSize=18\nFontName=Tahoma\nFontSytle=3\nFontColor=clWindowText\n"
            "Gradiant=1\nVertical=1\nHorizontal=0\nBeginColor=clWhite\nEndColor=clGray\n"
            "TextEffect=1\nShadowStyle=1\nBorderColor=clGray\nShadowView=135\nBorderSize=1\n"
            "Text=\xC2\xA9 2003 Your Name\nSolid=0\nSolidColor=clWhite\nUseSolid=1\nUseTexture=0\n"
            "Texture=0\nDrawOn=0\nAlign=4\nSpace=0\nAltitude=3\nAnti=1\n");
}

TEST_F(FrameCli, BackgroundAndDropShadowShowInTheCornerPixels) {
  // A box larger than the framed image leaves it at full size.
  const fs::path photo = writePhoto(dir / "photo.bmp");
  ASSERT_EQ(frame({"--format", "bmp", "--box", "4000x4000", "--background", "clLime", "--out",
                   "shadow.bmp", photo.string()})
                .status,
            0);
  ASSERT_EQ(frame({"--format", "bmp", "--box", "4000x4000", "--background", "clLime",
                   "--drop-shadow", "none", "--out", "flat.bmp", photo.string()})
                .status,
            0);
  const Image shadow = loadPicture(dir / "shadow.bmp");
  const Image flat = loadPicture(dir / "flat.bmp");
  EXPECT_EQ(shadow.pixel(0, 0), (Rgb{0, 255, 0}));
  EXPECT_NE(flat.pixel(0, 0), (Rgb{0, 255, 0}));
  EXPECT_GT(shadow.width(), flat.width());

  // A box of 0 x 0 counts as 1 x 1; the resampler makes a side of 1 into 2.
  ASSERT_EQ(frame({"--format", "bmp", "--box", "0x0", "--out", "tiny.bmp", photo.string()}).status,
            0);
  const Image tiny = loadPicture(dir / "tiny.bmp");
  EXPECT_EQ(tiny.width(), 2);
  EXPECT_EQ(tiny.height(), 2);
}

TEST_F(FrameCli, AProgressBarIsDrawnWhenStderrIsATerminal) {
  const fs::path a = writePhoto(dir / "a.bmp");
  const fs::path b = writePhoto(dir / "b.bmp");
  int master = -1;
  const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, 1);  // only stderr stays on the terminal
    childExec({"--format", "bmp", "--out", "out", a.string(), b.string()}, store(), dir.path());
  }
  std::string screen;
  char buffer[256];
  for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;) screen.append(buffer, got);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  close(master);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_NE(screen.find("\r\033[K[###############               ] 1/2 a.bmp"), std::string::npos)
      << screen;
  EXPECT_NE(screen.find("\r\033[K[##############################] 2/2 b.bmp"), std::string::npos);
  EXPECT_EQ(screen.back(), '\n');
}

// kill -9 at any moment of a batch that writes JPEG over the photos in their own folder leaves
// every photo either untouched or replaced by its complete framed file, and no other file
// under a photo's name.
TEST_F(FrameCli, Kill9DuringAJpegBatchOverItsOwnPhotosLeavesOnlyWholeFiles) {
  constexpr int kPhotos = 8;
  Image picture(1200, 900);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      picture.setPixel(x, y, Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 90});
    }
  }
  const fs::path own = dir / "own", reference = dir / "reference";
  fs::create_directories(own);
  fs::create_directories(reference);
  std::vector<std::string> names, sources, expected;
  for (int i = 0; i < kPhotos; ++i) {
    names.push_back("photo" + std::to_string(i) + ".jpg");
    WriteJpegFile(reference / names.back(), picture, JpegOptions{60 + i, false, true});
    sources.push_back(readText(reference / names.back()));
  }
  auto batchOver = [&](const fs::path& folder) {
    std::vector<std::string> args = {"--overwrite", "--out", folder.string()};
    for (const std::string& name : names) args.push_back((folder / name).string());
    return args;
  };
  ASSERT_EQ(frame(batchOver(reference)).status, 0);
  for (const std::string& name : names) expected.push_back(readText(reference / name));

  std::mt19937 random(8112026);
  int replaced = 0;
  for (int round = 0; round < 8; ++round) {
    for (int i = 0; i < kPhotos; ++i) {
      std::ofstream(own / names[static_cast<size_t>(i)], std::ios::binary | std::ios::trunc)
          << sources[static_cast<size_t>(i)];
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const int devnull = open("/dev/null", O_WRONLY);
      dup2(devnull, 1);
      dup2(devnull, 2);
      childExec(batchOver(own), store(), dir.path());
    }
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::uniform_int_distribution(20, 400)(random)));
    kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);

    for (const auto& entry : fs::directory_iterator(own)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(".")) {  // an unfinished temporary file, never under a photo's name
        fs::remove(entry.path());
        continue;
      }
      const auto it = std::find(names.begin(), names.end(), name);
      ASSERT_NE(it, names.end()) << name;
      const size_t i = static_cast<size_t>(it - names.begin());
      const std::string bytes = readText(entry.path());
      EXPECT_TRUE(bytes == sources[i] || bytes == expected[i])
          << name << " is neither the photo nor its complete framed file (" << bytes.size()
          << " bytes)";
      if (bytes == expected[i]) ++replaced;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(own), {}), kPhotos);
  }
  RecordProperty("replaced", replaced);
}

// Framing a large collection with several processes at once (xargs -P, GNU parallel) relies
// on this: two processes writing the same files into one folder leave only complete files.
TEST_F(FrameCli, TwoProcessesFramingIntoOneFolderLeaveOnlyCompleteFiles) {
  constexpr int kPhotos = 6;
  std::vector<std::string> photos;
  for (int i = 0; i < kPhotos; ++i) {
    photos.push_back(
        writePhoto(dir / "photos" / ("p" + std::to_string(i) + ".bmp"), 500 + i, 400).string());
  }
  const fs::path reference = dir / "reference", shared = dir / "shared";
  std::vector<std::string> args = {"--overwrite", "--box", "640x480", "--out", reference.string()};
  args.insert(args.end(), photos.begin(), photos.end());
  ASSERT_EQ(frame(args).status, 0);

  args[4] = shared.string();
  std::vector<std::string> reversed(args.begin(), args.begin() + 5);
  reversed.insert(reversed.end(), photos.rbegin(), photos.rend());
  for (int round = 0; round < 3; ++round) {
    std::vector<pid_t> children;
    for (const auto* order : {&args, &reversed}) {
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        childExec(*order, store(), dir.path());
      }
      children.push_back(child);
    }
    for (const pid_t child : children) {
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), {}), kPhotos) << "no temporary left";
    for (int i = 0; i < kPhotos; ++i) {
      const std::string name = "p" + std::to_string(i) + ".jpg";
      EXPECT_EQ(readText(shared / name), readText(reference / name)) << name << " round " << round;
    }
  }
}

}  // namespace
}  // namespace lumabord
