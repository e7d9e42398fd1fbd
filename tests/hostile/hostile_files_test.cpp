// The hostile-file corpus: files written here, one per known fault and per earlier mend, plus
// systematic damage to a well-formed file of every reader variant, each loaded through the
// picture loader in a child process under a memory and a time limit. A file must give a
// picture or a clean Error (with the expected message where one is given); a crash, a hang
// or running out of memory fails. The summary line is the table of the hostile-file runs.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <new>
#include <string>

#include "base/error.h"
#include "codecs/metafile_files.h"
#include "codecs/picture_loader.h"
#include "codecs/seed_files.h"
#include "support/temp_dir.h"

namespace lumabord::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressLimitWorks = false;  // the sanitizer reserves terabytes of addresses
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressLimitWorks = false;
#else
constexpr bool kAddressLimitWorks = true;
#endif
#else
constexpr bool kAddressLimitWorks = true;
#endif

constexpr unsigned kSecondsAllowed = 10;

enum class Outcome { kPicture, kError, kCrash, kHang, kOverMemory };

struct LoadResult {
  Outcome outcome;
  std::string text;  // the message, or "w x h" of the picture
};

uint64_t addressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmSize:", 0) == 0) return std::stoull(line.substr(7)) * 1024;
  return 0;
}

// Loads path in a child whose address space may grow by at most `memory` bytes.
LoadResult loadInChild(const std::filesystem::path& path, uint64_t memory) {
  int fds[2];
  if (pipe(fds) != 0) return {Outcome::kCrash, "pipe failed"};
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    if (kAddressLimitWorks) {
      mallopt(M_ARENA_MAX, 1);  // per-thread arenas reserve 64 MiB of addresses each
      const rlimit limit{addressSpaceInUse() + memory, RLIM_INFINITY};
      setrlimit(RLIMIT_AS, &limit);
    }
    alarm(kSecondsAllowed);
    std::string report;
    try {
      const Image image = loadPicture(path);
      report = "P" + std::to_string(image.width()) + " x " + std::to_string(image.height());
    } catch (const Error& e) {
      report = std::string("E") + e.what();
    } catch (const std::bad_alloc&) {
      report = "M";
    }
    if (write(fds[1], report.data(), report.size()) < 0) _exit(3);
    _exit(0);
  }
  close(fds[1]);
  std::string report;
  char buffer[512];
  for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;)
    report.append(buffer, static_cast<size_t>(got));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) return {Outcome::kHang, ""};
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || report.empty())
    return {Outcome::kCrash, "status " + std::to_string(status)};
  // The program's own allocations report failure as an Error of this wording.
  if (report[0] == 'M' || report.rfind("EOut of memory", 0) == 0)
    return {Outcome::kOverMemory, report};
  return {report[0] == 'P' ? Outcome::kPicture : Outcome::kError, report.substr(1)};
}

const char* extensionOf(const std::string& target) {
  static const std::map<std::string, const char*> kExtensions = {
      {"jpeg", "jpg"}, {"tiff", "tif"}, {"pnm", "ppm"}, {"raw", "nef"}, {"sniff", ""}};
  const auto it = kExtensions.find(target);
  return it == kExtensions.end() ? target.c_str() : it->second;
}

struct Tally {
  int tried = 0, picture = 0, error = 0, crash = 0, hang = 0, overMemory = 0;
  void add(Outcome o) {
    ++tried;
    (o == Outcome::kPicture ? picture
     : o == Outcome::kError ? error
     : o == Outcome::kCrash ? crash
     : o == Outcome::kHang  ? hang
                            : overMemory)++;
  }
};

std::filesystem::path save(const TempDir& dir, const std::string& name, const Bytes& bytes) {
  return dir.write(name, bytes);
}

Bytes withU16be(Bytes b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v >> 8);
  b[at + 1] = static_cast<uint8_t>(v);
  return b;
}

// Offset of the first marker `code` (FF code) of a JPEG stream.
size_t markerAt(const Bytes& jpeg, uint8_t code) {
  for (size_t i = 0; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return i;
  return jpeg.size();
}

// A progressive JPEG with a first AC scan (which may be decoded again without harm) repeated
// until the file has more than `scans` scans.
Bytes jpegWithScans(int scans) {
  JpegOptions o;
  o.progressive = true;
  const Bytes jpeg = writeJpeg(smoothImage(16, 16), o);
  size_t begin = 0, end = 0;
  for (size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] != 0xFF || jpeg[i + 1] != 0xDA) continue;
    const size_t ns = jpeg[i + 4];
    const size_t spectral = i + 5 + 2 * ns;
    if (jpeg[spectral] == 0 || (jpeg[spectral + 2] >> 4) != 0) continue;
    begin = i;
    for (end = i + 2; !(jpeg[end] == 0xFF && jpeg[end + 1] != 0 &&
                        (jpeg[end + 1] < 0xD0 || jpeg[end + 1] > 0xD7));)
      ++end;
    break;
  }
  Bytes out(jpeg.begin(), jpeg.end() - 2);
  for (int i = 0; i < scans; ++i)
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(begin),
               jpeg.begin() + static_cast<std::ptrdiff_t>(end));
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

// A 32-bit run-length Targa of one colour: packets of 128 pixels.
Bytes tgaRle(unsigned w, unsigned h) {
  Bytes b = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (unsigned v : {w, h})
    b.insert(b.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)});
  b.insert(b.end(), {32, 8});
  for (size_t i = 0; i < size_t{w} * h / 128; ++i) b.insert(b.end(), {0xFF, 10, 20, 30, 255});
  return b;
}

// An 8-bit, three-plane run-length PCX: runs of 63 bytes crossing the lines freely.
Bytes pcxRle(unsigned w, unsigned h) {
  Bytes b(128, 0);
  b[0] = 0x0A;
  b[1] = 5;
  b[2] = 1;
  b[3] = 8;
  b[8] = static_cast<uint8_t>(w - 1);
  b[9] = static_cast<uint8_t>((w - 1) >> 8);
  b[10] = static_cast<uint8_t>(h - 1);
  b[11] = static_cast<uint8_t>((h - 1) >> 8);
  b[65] = 3;
  b[66] = static_cast<uint8_t>(w);
  b[67] = static_cast<uint8_t>(w >> 8);
  const size_t total = size_t{w} * 3 * h;
  for (size_t i = 0; i < total / 63; ++i) b.insert(b.end(), {0xFF, 0x40});
  b.insert(b.end(), total % 63, 0x10);
  return b;
}

// An RGB PSD with PackBits rows of 128-byte runs.
Bytes psdRle(unsigned w, unsigned h) {
  Bytes b = {'8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0, 0, 3};
  for (unsigned v : {h, w})
    b.insert(b.end(), {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
                       static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)});
  b.insert(b.end(), {0, 8, 0, 3});
  b.insert(b.end(), 12, 0);  // no colour data, resources or layers
  b.insert(b.end(), {0, 1});
  const unsigned rowCount = w / 128 * 2;
  for (unsigned i = 0; i < 3 * h; ++i)
    b.insert(b.end(), {static_cast<uint8_t>(rowCount >> 8), static_cast<uint8_t>(rowCount)});
  for (unsigned i = 0; i < 3 * h * (w / 128); ++i) b.insert(b.end(), {0x81, 0x55});
  return b;
}

// A PSP of w x h whose three zlib channels each declare a whole plane from a few bytes.
Bytes pspClaimingPlanes(unsigned w, unsigned h) {
  Bytes coded(64);
  uLongf size = static_cast<uLongf>(coded.size());
  const Bytes zeros(16, 0);
  compress(coded.data(), &size, zeros.data(), static_cast<uLong>(zeros.size()));
  coded.resize(size);
  Bytes channels;
  for (unsigned channel = 1; channel <= 3; ++channel) {
    Bytes info;
    for (uint32_t v : {static_cast<uint32_t>(coded.size()), w * h}) putU32le(info, v);
    putU16le(info, 0);
    putU16le(info, channel);
    const Bytes block = psp_files::block(6, 5, psp_files::chunk(6, info), coded);
    channels.insert(channels.end(), block.begin(), block.end());
  }
  return psp_files::compositeOf(w, h, 2, channels);
}

// A PSP whose first channel declares an unpacked size its rows cannot have.
Bytes pspChannelSize(uint32_t size) {
  Bytes b = psp_files::compositeFile(0, false);
  for (size_t i = 0; i + 22 <= b.size(); ++i) {
    if (b[i] == '~' && b[i + 1] == 'B' && b[i + 2] == 'K' && b[i + 4] == 5 && b[i + 5] == 0) {
      // After the block's header (10 bytes), the chunk's length and the packed size.
      for (int k = 0; k < 4; ++k) b[i + 18 + k] = static_cast<uint8_t>(size >> (8 * k));
      break;
    }
  }
  return b;
}

// Metafiles of a 100 x 100 picture that draw `count` times: a run-length bitmap of 16384 x
// 16384 pixels from a few bytes, or a rectangle over the whole picture.
Bytes wmfDrawing(int count, bool bitmaps) {
  Wmf wmf(false);
  wmf.record(0x020C, {100, 100});
  const Bytes rle = rle8Dib(16384, 16384);
  for (int i = 0; i < count; ++i) {
    if (bitmaps) {
      wmf.record(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 8, 8, 8, 8}, rle);
    } else {
      wmf.record(0x041B, {100, 100, 0, 0});
    }
  }
  return wmf.bytes();
}

Bytes emfDrawing(int count, bool bitmaps) {
  Emf emf(0, 0, 1000, 1000);
  const Bytes rle = rle8Dib(16384, 16384);
  const auto bitsSize = static_cast<int32_t>(rle.size() - 40 - 1024);
  for (int i = 0; i < count; ++i) {
    if (bitmaps) {
      emf.record(81,
                 {0, 0, 0, 0, 0, 0, 0, 0, 16384, 16384, 80, 40 + 1024, 80 + 40 + 1024, bitsSize, 0,
                  0x00CC0020, 16, 16},
                 rle);
    } else {
      emf.record(43, {0, 0, 100, 100});
    }
  }
  return emf.bytes();
}

struct NamedCase {
  std::string name;
  Bytes bytes;
  std::string message;  // "" when a picture is expected; a prefix ends with "..."
  uint64_t memory = 256u << 20;
};

std::vector<NamedCase> namedCases() {
  const Bytes smooth = writeJpeg(smoothImage(64, 64));
  const std::string endOfInput = "JPEG decompression error. Unexpected end of input.";
  std::vector<NamedCase> cases;
  // Cut short, yet ending with a real end marker.
  Bytes cut(smooth.begin(), smooth.begin() + static_cast<std::ptrdiff_t>(smooth.size() * 2 / 3));
  cut.insert(cut.end(), {0xFF, 0xD9});
  cases.push_back({"cut-with-eoi.jpg", cut, endOfInput});
  // Arithmetic-coded and cut without a marker: the decoder would read zeros as data.
  JpegOptions arithmetic;
  arithmetic.arithmetic = true;
  const Bytes arith = writeJpeg(smoothImage(64, 64), arithmetic);
  cases.push_back({"arith-cut.jpg", Bytes(arith.begin(), arith.end() - 40), endOfInput});
  // The frame header claims more rows than the data holds.
  cases.push_back({"sof-tall.jpg", withU16be(smooth, markerAt(smooth, 0xC0) + 5, 200), endOfInput});
  cases.push_back({"scans.jpg", jpegWithScans(600), "...the JPEG file has more than 500 scans"});
  cases.push_back({"scans-ok.jpg", jpegWithScans(40), ""});
  // A progressive frame of 16384 x 16384 pixels, three full-size components, needs 1.5 GiB of
  // coefficients beside its 768 MiB picture: refused before either is allocated.
  JpegOptions progressive;
  progressive.progressive = true;
  Bytes huge = writeJpeg(smoothImage(16, 16), progressive);
  const size_t sof = markerAt(huge, 0xC2);
  huge = withU16be(withU16be(huge, sof + 5, 16384), sof + 7, 16384);
  for (size_t component = 0; component < 3; ++component) huge[sof + 11 + 3 * component] = 0x11;
  huge.resize(huge.size() + (1u << 19), 0);  // enough bytes for the Huffman size check
  cases.push_back({"progressive-huge.jpg", huge, "...of working memory"});
  // One strip of a whole fax page: decoded row by row, not into a second whole copy.
  TiffOptions fax;
  fax.compression = COMPRESSION_CCITTFAX3;
  fax.photometric = PHOTOMETRIC_MINISWHITE;
  fax.bitsPerSample = 1;
  fax.samplesPerPixel = 1;
  fax.rowsPerStrip = 6000;
  cases.push_back({"fax-strip.tif", writeTiff(6000, 6000, Bytes(750 * 6000, 0), fax), "",
                   uint64_t{108 + 64} << 20});
  // Run-length pictures of 4096 x 4096 (a 48 MiB result) decode a row at a time: no
  // second whole copy of the data beside the picture.
  const uint64_t rowAtATime = (48u + 7u + 16u) << 20;
  cases.push_back({"rle32.tga", tgaRle(4096, 4096), "", rowAtATime});
  cases.push_back({"rle24.pcx", pcxRle(4096, 4096), "", rowAtATime});
  cases.push_back({"rle-rgb.psd", psdRle(4096, 4096), "", rowAtATime});
  // PSP: channels that claim more than zlib can make of their bytes, refused before the
  // 732 MiB picture; a channel size that fits no rows (once a 4 GiB allocation).
  cases.push_back({"plane-claims.psp", pspClaimingPlanes(16000, 16000),
                   "...the PSP file declares a picture of at least 248063 bytes but holds only"});
  const std::string pspInvalid = "Cannot load image. Invalid or unexpected PSP image format.";
  cases.push_back({"channel-4gib.psp", pspChannelSize(0xFFFFFFF0), pspInvalid});
  cases.push_back({"channel-short.psp", pspChannelSize(3), pspInvalid});
  // Metafiles: sixty run-length bitmaps of 268 million pixels (once 25 s), thousands of
  // full-picture shapes; both spend more than the work budget the picture grants.
  const std::string costly = "...the metafile draws more than its picture can hold";
  cases.push_back({"bitmaps.wmf", wmfDrawing(60, true), costly});
  cases.push_back({"shapes.wmf", wmfDrawing(3000, false), costly});
  cases.push_back({"bitmaps.emf", emfDrawing(60, true), costly});
  cases.push_back({"shapes.emf", emfDrawing(3000, false), costly});
  cases.push_back({"shapes-ok.emf", emfDrawing(20, false), ""});
  return cases;
}

// Damage done to every seed: cuts, and header fields set to extreme values.
std::vector<std::pair<std::string, Bytes>> damaged(const Bytes& seed) {
  std::vector<std::pair<std::string, Bytes>> out;
  for (size_t keep : {seed.size() / 4, seed.size() / 2, seed.size() - 1})
    out.push_back({"cut" + std::to_string(keep),
                   Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(keep))});
  for (size_t at = 2; at < std::min<size_t>(seed.size(), 40); at += 3) {
    Bytes b = seed;
    b[at] = 0xFF;
    b[at - 1] = 0x7F;
    out.push_back({"ff" + std::to_string(at), b});
  }
  return out;
}

TEST(HostileFiles, AreRefusedCleanlyWithinTheirMemoryAndTime) {
  TempDir dir;
  Tally tally;
  for (const NamedCase& c : namedCases()) {
    const LoadResult run = loadInChild(save(dir, c.name, c.bytes), c.memory);
    tally.add(run.outcome);
    if (c.message.empty()) {
      EXPECT_EQ(run.outcome, Outcome::kPicture) << c.name << ": " << run.text;
    } else if (c.message.rfind("...", 0) == 0) {
      EXPECT_EQ(run.outcome, Outcome::kError) << c.name;
      EXPECT_NE(run.text.find(c.message.substr(3)), std::string::npos)
          << c.name << ": " << run.text;
    } else {
      EXPECT_EQ(run.text, c.message) << c.name;
    }
  }
  for (const auto& [target, seeds] : seedFiles()) {
    const std::string extension = extensionOf(target);
    if (!extension.empty() && !isPictureExtension(extension)) continue;  // the parsers' seeds
    for (const auto& [seedName, seed] : seeds) {
      for (const auto& [damage, bytes] : damaged(seed)) {
        const std::string name =
            target + "-" + seedName + "-" + damage + (extension.empty() ? "" : "." + extension);
        const LoadResult run = loadInChild(save(dir, name, bytes), 256u << 20);
        tally.add(run.outcome);
        EXPECT_TRUE(run.outcome == Outcome::kPicture || run.outcome == Outcome::kError)
            << name << ": " << static_cast<int>(run.outcome) << " " << run.text;
        if (run.outcome == Outcome::kError) {
          EXPECT_FALSE(run.text.empty()) << name;
        }
      }
    }
  }
  std::printf(
      "hostile files: %d tried, %d clean error, %d valid picture, %d crash, %d hang, "
      "%d over the memory bound\n",
      tally.tried, tally.error, tally.picture, tally.crash, tally.hang, tally.overMemory);
}

// Files that are no files: each is refused at once, by name.
TEST(HostileFiles, PipesDevicesAndHugeFilesAreRefusedBeforeReading) {
  TempDir dir;
  const std::filesystem::path fifo = dir / "photo.jpg";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::filesystem::path zero = dir / "zero.bmp";
  std::filesystem::create_symlink("/dev/zero", zero);
  const std::filesystem::path sparse = dir.write("sparse.bmp", "BM");
  std::filesystem::resize_file(sparse, uint64_t{3} << 30);
  for (const auto& path : {fifo, zero, sparse}) {
    const LoadResult run = loadInChild(path, 64u << 20);
    EXPECT_EQ(run.outcome, Outcome::kError) << path;
    EXPECT_EQ(run.text.rfind("Cannot open file " + path.string(), 0), 0u) << run.text;
  }
}

}  // namespace
}  // namespace lumabord::testing
