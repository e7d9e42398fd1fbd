// Textures built from periodic noise so that copies placed side by side meet without seams:
// woods with rings and grain, gold leaf with crackle, brushed silver, marble, woven and
// paper-like matte surfaces.
#include "assets/textures.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "assets/noise.h"
#include "assets/parallel.h"
#include "assets/picture.h"

namespace lumabord::assets {
namespace {

namespace fs = std::filesystem;

using Shader = std::function<Colour(float u, float v, int x, int y)>;

Picture render(int w, int h, const Shader& shader) {
  Picture p(w, h);
  parallelFor(h, [&](int y) {
    for (int x = 0; x < w; ++x) {
      p.at(x, y) = shader(static_cast<float>(x) / static_cast<float>(w),
                          static_cast<float>(y) / static_cast<float>(h), x, y);
    }
  });
  return p;
}

struct Wood {
  Colour light, dark, pore;
  int rings;          // growth rings across the tile height
  float warp;         // how much the rings wander
  float poreAmount;   // dark open pores (oak, walnut)
  float greyWeather;  // silvering and cracks of weathered wood
  uint32_t seed;
};

Colour wood(const Wood& w, float u, float v, int x, int y) {
  // Rings run along the plank with gentle undulation; the fine grain follows them.
  const float bend = fbm(u, v, 2, 2, 3, w.seed) * w.warp + 0.12f * fbm(u, v, 5, 3, 2, w.seed + 1);
  const float t = v * static_cast<float>(w.rings) + bend;
  const float ring = t - std::floor(t);
  const float late = smoothstep(0.6f, 0.92f, ring) * (1 - smoothstep(0.92f, 1.0f, ring));
  const float along = v * static_cast<float>(w.rings) * 9 + bend * 9;  // grain lines between rings
  const float fine =
      0.5f + 0.5f * std::sin(6.2831853f * along + 3 * perlin(u, v, 8, 64, w.seed + 2));
  const float streak = fbm(u, v, 2, 90, 3, w.seed + 3);
  const float figure = fbm(u, v, 3, 6, 2, w.seed + 4);
  const float tone = 0.5f * late + 0.12f * fine + 0.2f * streak + 0.08f * figure + 0.15f;
  Colour c = mix(w.light, w.dark, clamp01(tone));
  if (w.poreAmount > 0) {
    const float pores = perlin(u, v, 256, 1024, w.seed + 5);
    const float fleck = smoothstep(0.5f, 0.85f, pores) * (0.3f + late);
    c = mix(c, w.pore, clamp01(fleck * w.poreAmount));
  }
  if (w.greyWeather > 0) {
    const float cracks = smoothstep(0.86f, 0.98f, std::fabs(fbm(u, v, 1, 40, 3, w.seed + 6)));
    c = mix(c, Colour{84, 78, 70}, cracks * w.greyWeather);
  }
  const float grain = (hash01(x, y, 3, w.seed) - 0.5f) * 5;
  return add(c, Colour{grain, grain, grain});
}

Colour goldLeaf(float u, float v, int x, int y) {
  const int squares = 4;
  const float su = u * squares, sv = v * squares;
  const int ix = static_cast<int>(su), iy = static_cast<int>(sv);
  const float fx = su - static_cast<float>(ix), fy = sv - static_cast<float>(iy);
  // Each leaf lies at a slightly different angle to the light: its own brightness and hue.
  const float leaf = hash01(ix, iy, 7, 11) - 0.5f;
  const float edge = std::min(std::min(fx, 1 - fx), std::min(fy, 1 - fy));
  const float overlap = 1 - smoothstep(0.0f, 0.012f, edge);
  const float sheen = fbm(u, v, 3, 3, 4, 12) * 0.5f + fbm(u, v, 16, 16, 2, 13) * 0.2f;
  Colour base{212, 170, 78};
  Colour c = scale(base, 1 + 0.12f * leaf + 0.14f * sheen);
  c.b *= 1 - 0.06f * leaf;
  const Cells cells = worley(u, v, 40, 14);
  const float crack = 1 - smoothstep(0.0f, 0.06f, cells.f2 - cells.f1);
  const float crackMask = smoothstep(0.0f, 0.5f, fbm(u, v, 3, 3, 2, 15));
  c = mix(c, Colour{140, 72, 40}, 0.55f * crack * crackMask);  // red bole in the cracks
  c = mix(c, scale(base, 0.82f), overlap * 0.7f);
  const float spark = (hash01(x, y, 5, 16) - 0.5f) * 10;
  return add(c, Colour{spark, spark, spark * 0.6f});
}

Colour brushedSilver(float u, float v, int x, int y) {
  const float streaks = fbm(u, v, 1, 220, 4, 21) * 0.6f + perlin(u, v, 2, 900, 22) * 0.4f;
  const float broad = 0.5f * std::sin(6.2831853f * u) * fbm(u, v, 1, 2, 2, 23);
  const float tone = 196 + 22 * streaks + 14 * broad + (hash01(x, y, 1, 24) - 0.5f) * 5;
  return {tone, tone + 2, tone + 6};
}

Colour marble(float u, float v, int x, int y) {
  const float turbulence = fbm(u, v, 2, 2, 5, 31);
  const float t = std::sin(6.2831853f * (u + v) + 4 * turbulence);
  const float vein = std::pow(1 - std::fabs(t), 7.0f) * (0.6f + 0.4f * fbm(u, v, 6, 6, 3, 35));
  const float t2 = std::sin(6.2831853f * (2 * u - v) + 5 * fbm(u, v, 3, 3, 5, 32));
  const float vein2 = std::pow(1 - std::fabs(t2), 16.0f);
  const float cloud = fbm(u, v, 5, 5, 4, 33);
  Colour c = Colour{238, 235, 230};
  c = mix(c, Colour{214, 210, 204}, clamp01(0.5f + 0.5f * cloud) * 0.6f);
  c = mix(c, Colour{104, 106, 112}, vein * 0.85f);
  c = mix(c, Colour{150, 146, 140}, vein2 * 0.6f);
  const float n = (hash01(x, y, 2, 34) - 0.5f) * 3;
  return add(c, Colour{n, n, n});
}

// Plain weave: threads pitch pixels apart, over and under in a checkerboard.
Colour weave(Colour base, int pitch, float slubs, uint32_t seed, int x, int y, float u, float v) {
  const int cx = x / pitch, cy = y / pitch;
  const float px = (static_cast<float>(x % pitch) + 0.5f) / static_cast<float>(pitch);
  const float py = (static_cast<float>(y % pitch) + 0.5f) / static_cast<float>(pitch);
  const bool warpOnTop = ((cx + cy) & 1) == 0;
  // The visible thread: its own thickness variation and a rounded cross-section.
  const float across = warpOnTop ? px : py;
  const float along = warpOnTop ? py : px;
  const int thread = warpOnTop ? cx : cy;
  const float threadTone = (hash01(thread, warpOnTop ? 0 : 1, 9, seed) - 0.5f) * 0.08f;
  const float round = std::sin(3.14159265f * across);
  const float dip = 0.85f + 0.15f * std::sin(3.14159265f * along);
  // Slubs: thicker stretches that run along a thread.
  const float slub =
      slubs * (warpOnTop ? fbm(u, v, 64, 3, 2, seed + 1) : fbm(u, v, 3, 64, 2, seed + 3));
  const float mottle = fbm(u, v, 3, 3, 3, seed + 2) * 0.03f;
  const float light = (0.72f + 0.28f * round) * dip * (1 + threadTone + slub * 0.06f + mottle);
  // Threads lit from the top-left: the upper-left flank of each thread is brighter.
  const float flank = warpOnTop ? (0.5f - px) : (0.5f - py);
  return scale(base, light * (1 + 0.08f * flank));
}

Colour paper(float u, float v, int x, int y) {
  const auto height = [](float a, float b) {
    return fbm(a, b, 10, 10, 4, 41) + 0.5f * fbm(a, b, 40, 40, 2, 42);
  };
  const float e = 1.0f / 512;
  const float dx = height(u + e, v) - height(u - e, v);
  const float dy = height(u, v + e) - height(u, v - e);
  const float light = -(dx + dy) * 2.2f;  // light from the top-left
  const float fibre = (hash01(x, y, 3, 43) - 0.5f) * 3;
  const float tone = 1 + 0.05f * light;
  return add(scale(Colour{247, 244, 236}, tone), Colour{fibre, fibre, fibre});
}

Colour suede(float u, float v, int x, int y) {
  const float nap = fbm(u, v, 6, 6, 3, 51) * 0.05f + fbm(u, v, 2, 24, 2, 52) * 0.03f;
  const float speck = (hash01(x, y, 1, 53) - 0.5f) * 0.09f;
  return scale(Colour{120, 102, 86}, 1 + nap + speck);
}

}  // namespace

void writeTextures(const fs::path& folder) {
  fs::create_directories(folder / "Wood");
  fs::create_directories(folder / "Metal");
  fs::create_directories(folder / "Matte");
  const int q = 92;
  const struct {
    const char* name;
    Wood w;
  } woods[] = {
      {"oak.jpg", {{200, 158, 104}, {136, 94, 54}, {96, 64, 36}, 16, 0.9f, 0.8f, 0, 101}},
      {"walnut.jpg", {{120, 80, 52}, {62, 40, 26}, {38, 24, 16}, 18, 1.1f, 0.5f, 0, 102}},
      {"cherry.jpg", {{172, 92, 56}, {118, 54, 32}, {84, 36, 22}, 14, 0.7f, 0.2f, 0, 103}},
      {"ebony.jpg", {{50, 42, 38}, {18, 15, 13}, {8, 7, 6}, 24, 0.5f, 0.3f, 0, 104}},
      {"driftwood.jpg",
       {{184, 174, 158}, {126, 116, 104}, {92, 86, 78}, 12, 1.4f, 0.3f, 0.8f, 105}},
  };
  std::vector<std::function<void()>> jobs;
  for (const auto& wd : woods) {
    jobs.emplace_back([&folder, &wd] {
      writeJpeg(
          folder / "Wood" / wd.name,
          render(1024, 512, [&](float u, float v, int x, int y) { return wood(wd.w, u, v, x, y); }),
          q);
    });
  }
  jobs.emplace_back(
      [&] { writeJpeg(folder / "Metal" / "gold leaf.jpg", render(512, 512, goldLeaf), q); });
  jobs.emplace_back([&] {
    writeJpeg(folder / "Metal" / "brushed silver.jpg", render(1024, 512, brushedSilver), q);
  });
  jobs.emplace_back([&] { writeJpeg(folder / "marble.jpg", render(512, 512, marble), q); });
  jobs.emplace_back([&] {
    writePng(folder / "Matte" / "linen.png", render(512, 512, [](float u, float v, int x, int y) {
               return weave({228, 220, 204}, 4, 1, 61, x, y, u, v);
             }));
  });
  jobs.emplace_back([&] {
    writePng(folder / "Matte" / "canvas.png", render(504, 504, [](float u, float v, int x, int y) {
               return weave({234, 228, 214}, 6, 0.6f, 71, x, y, u, v);
             }));
  });
  jobs.emplace_back(
      [&] { writeJpeg(folder / "Matte" / "watercolour paper.jpg", render(512, 512, paper), q); });
  jobs.emplace_back([&] { writeJpeg(folder / "Matte" / "suede.jpg", render(512, 512, suede), q); });
  runJobs(jobs);
}

}  // namespace lumabord::assets
