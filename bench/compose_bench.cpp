// ComposeFrame of a 6000 x 4000 photo with textured frame and mattes, both bevel rings, the
// edge shadow and a drop shadow, using the asset folders beside the program (or the folder
// given as the first argument). Prints, measured in this run:
//  - time against one memcpy of the result-sized buffer into a freshly allocated buffer
//    (allocated like the program's images, page faults included), for a fresh target and for
//    a target reused from the previous render; target: at most 3x;
//  - peak memory of the render against the photo plus two result-sized images; target: <= 1;
//  - whether the result is bit-identical to the plain layer-by-layer framing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../tests/support/layered_compose.h"
#include "base/error.h"
#include "base/pixel_buffer.h"
#include "compose/compose_frame.h"

namespace fs = std::filesystem;
using namespace lumabord;

namespace {

constexpr int kRounds = 15;

double seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

template <typename F>
double timed(F&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return seconds(std::chrono::steady_clock::now() - start);
}

// A /proc/self/status value in bytes (VmRSS, VmHWM).
long long statusBytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::stoll(line.substr(std::strlen(key) + 1)) * 1024;
  }
  return -1;
}

// Resets VmHWM to the current resident size; false where the kernel refuses.
bool resetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

std::vector<std::string> filesUnder(const fs::path& folder, const std::string& extension) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::end(it); ++it) {
    if (!it->is_regular_file()) continue;
    if (!extension.empty() && it->path().extension() != extension) continue;
    names.push_back(fs::relative(it->path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string withoutExtension(const std::string& name) {
  return fs::path(name).replace_extension().string();
}

Image makePhoto(int w, int h) {
  Image photo(w, h);
  for (int y = 0; y < h; ++y) {
    uint8_t* row = photo.row(y);
    for (int x = 0; x < 3 * w; ++x) row[x] = static_cast<uint8_t>(x * 7 + y * 3 + (x * y >> 9));
  }
  return photo;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path app =
      argc > 1 ? fs::path(argv[1]) : fs::read_symlink("/proc/self/exe").parent_path();
  const std::vector<std::string> textures = filesUnder(app / "Image Textures", "");
  const std::vector<std::string> profiles = filesUnder(app / "Image Masks", ".bmp");
  const std::vector<std::string> shadows = filesUnder(app / "Shadows", ".bmp");
  if (textures.empty() || profiles.empty() || shadows.empty() ||
      !fs::exists(app / "Image Edges" / "outermattelowered.bmp")) {
    std::fprintf(stderr, "No asset folders in %s (build the assets first)\n", app.c_str());
    return 2;
  }
  FrameSpec spec;
  spec.FrameUseTexture = spec.OuterUseTexture = spec.InnerUseTexture = true;
  spec.FrameTexture = textures[0];
  spec.OuterTexture = textures[1 % textures.size()];
  spec.InnerTexture = textures[2 % textures.size()];
  spec.FrameProfile = withoutExtension(profiles[0]);
  spec.DropShadow = withoutExtension(shadows.back());
  spec.EdgeShadowOn = true;
  std::printf("assets: %s; frame %s, outer %s, inner %s, profile %s, shadow %s\n", app.c_str(),
              spec.FrameTexture.c_str(), spec.OuterTexture.c_str(), spec.InnerTexture.c_str(),
              spec.FrameProfile.c_str(), spec.DropShadow.c_str());
  const RenderContext context{app};

  // Peak memory first, while nothing else has been allocated.
  const long long baseRss = statusBytes("VmRSS:");
  Image photo = makePhoto(6000, 4000);
  const bool peakReset = resetPeak();
  Image target;
  try {
    ComposeFrame(spec, photo, false, context, target);
  } catch (const Error& e) {
    std::fprintf(stderr, "ComposeFrame failed: %s\n", e.what());
    return 2;
  }
  const long long freshPeak = statusBytes("VmHWM:") - baseRss;
  resetPeak();
  const long long beforeReuse = statusBytes("VmHWM:");
  ComposeFrame(spec, photo, false, context, target);
  const long long reusePeak = statusBytes("VmHWM:") - beforeReuse;
  const double photoBytes = static_cast<double>(photo.sizeBytes());
  const size_t resultBytes = target.sizeBytes();
  const double budget = photoBytes + 2.0 * static_cast<double>(resultBytes);
  std::printf("photo %dx%d, result %dx%d (%.1f MB)\n", photo.width(), photo.height(),
              target.width(), target.height(), static_cast<double>(resultBytes) / 1e6);

  // One memcpy of the result into a fresh buffer, allocated as images are, and with plain
  // 4 KiB pages for comparison. The four are timed in turn, round after round, so that a
  // change of load on the machine touches them alike; each keeps its fastest round.
  double copyFresh = 1e30, copyPlain = 1e30, composeFresh = 1e30, composeReused = 1e30;
  for (int round = 0; round < kRounds; ++round) {
    copyFresh = std::min(copyFresh, timed([&] {
                           PixelBuffer fresh(resultBytes);
                           std::memcpy(fresh.data(), target.data(), resultBytes);
                           benchmark::DoNotOptimize(fresh.data());
                           benchmark::ClobberMemory();
                         }));
    copyPlain = std::min(copyPlain, timed([&] {
                           std::unique_ptr<uint8_t[]> fresh(new uint8_t[resultBytes]);
                           std::memcpy(fresh.get(), target.data(), resultBytes);
                           benchmark::DoNotOptimize(fresh.get());
                           benchmark::ClobberMemory();
                         }));
    composeFresh = std::min(composeFresh, timed([&] {
                              Image fresh;
                              ComposeFrame(spec, photo, false, context, fresh);
                              benchmark::DoNotOptimize(fresh.data());
                            }));
    composeReused = std::min(composeReused, timed([&] {
                               ComposeFrame(spec, photo, false, context, target);
                               benchmark::DoNotOptimize(target.data());
                             }));
  }

  const auto start = std::chrono::steady_clock::now();
  Image reference;
  testing::layeredComposeFrame(spec, photo, false, context, reference);
  const double layered = seconds(std::chrono::steady_clock::now() - start);
  const bool identical = reference == target;

  std::printf("memcpy into a fresh image buffer %.4f s (plain 4 KiB-page buffer %.4f s)\n",
              copyFresh, copyPlain);
  std::printf("ComposeFrame, fresh target   %.4f s = %.2fx the memcpy (target <= 3x)\n",
              composeFresh, composeFresh / copyFresh);
  std::printf("ComposeFrame, reused target  %.4f s = %.2fx the memcpy\n", composeReused,
              composeReused / copyFresh);
  std::printf("peak memory, fresh target   %.1f MB = %.2fx photo + 2 results (target <= 1)%s\n",
              static_cast<double>(freshPeak) / 1e6, static_cast<double>(freshPeak) / budget,
              peakReset ? "" : " [peak could not be reset: includes start-up]");
  std::printf("peak memory, reused target  +%.1f MB above photo + result\n",
              static_cast<double>(reusePeak) / 1e6);
  std::printf("layer-by-layer framing %.2f s; bit-identical: %s\n", layered,
              identical ? "yes" : "NO");
  return identical ? 0 : 1;
}
