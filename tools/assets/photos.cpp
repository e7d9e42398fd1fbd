// A landscape painter: sky with sun and clouds, layered mountains fading into the haze, a
// line of conifers along the shore and a lake that mirrors it all with ripples.
#include "assets/photos.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/noise.h"
#include "assets/parallel.h"
#include "assets/picture.h"

namespace lumabord::assets {
namespace {

struct Scene {
  int width, height;
  float horizon;  // lake line, as a fraction of the height
  Colour skyTop, skyHorizon, sun, haze, water;
  float sunX, sunY, sunSize;  // fractions of the width / height
  float cloudiness;
  uint32_t seed;
};

// Ridge height above the horizon (fraction of the height) of mountain layer k at column u.
float ridge(const Scene& s, int k, float u) {
  const float base[] = {0.30f, 0.22f, 0.14f, 0.07f};
  const float rough[] = {0.16f, 0.12f, 0.08f, 0.035f};
  const int period = 3 + 2 * k;
  float n = fbm(u, 0.37f * static_cast<float>(k + 1), period, 4, 6,
                s.seed + 10 * static_cast<uint32_t>(k));
  n = 1 - std::fabs(n);  // sharp crests
  return base[k] * 0.55f + rough[k] * n * n;
}

// Rock relief of mountain layer k at pixel (px, py): a height in pixels and its slope along
// x and y. Ridged noise whose features are about cell pixels across and somewhat longer
// downhill than across, so the faces break into buttresses and gullies; nearer layers show
// larger features. The slope is exact (chain rule through the warp and the octaves).
struct Relief {
  float height, dx, dy;
};

Relief relief(const Scene& s, int k, float px, float py) {
  const float cell = static_cast<float>(s.height) * (0.035f + 0.02f * static_cast<float>(k));
  const uint32_t seed = s.seed + 400 + 16 * static_cast<uint32_t>(k);
  const float sx = 1 / cell, sy = 1 / (cell * 1.5f);
  const float x0 = px * sx, y0 = py * sy;
  // Warp across: x' = x + 0.6 w(x / 2, y / 2).
  const NoiseSample w = noiseWithGradient(0.5f * x0, 0.5f * y0, seed + 9);
  const float x = x0 + 0.6f * w.value;
  const float xByPx = sx * (1 + 0.3f * w.dx), xByPy = sy * 0.3f * w.dy;
  Relief r{0, 0, 0};
  float amplitude = 0.5f, frequency = 1;
  for (int o = 0; o < 5; ++o) {
    // Sharp ridges in the large forms, plain rough rock in the fine ones.
    const NoiseSample n =
        noiseWithGradient(x * frequency, y0 * frequency, seed + static_cast<uint32_t>(o));
    const float byPx = frequency * n.dx * xByPx;
    const float byPy = frequency * (n.dx * xByPy + n.dy * sy);
    if (o < 2) {
      const float ridged = 1 - std::fabs(n.value);
      const float slope = -2 * ridged * (n.value < 0 ? -1.0f : 1.0f);
      r.height += amplitude * ridged * ridged;
      r.dx += amplitude * slope * byPx;
      r.dy += amplitude * slope * byPy;
    } else {
      r.height += amplitude * 0.7f * n.value;
      r.dx += amplitude * 0.7f * byPx;
      r.dy += amplitude * 0.7f * byPy;
    }
    amplitude *= 0.47f;
    frequency *= 2.03f;
  }
  const float toPixels = cell * 0.3f;
  return {r.height * toPixels, r.dx * toPixels, r.dy * toPixels};
}

// A mountain pixel of layer k lying below pixels under its crest: the relief lit by the sun,
// the crest's own tilt near the top, snow in the upper hollows of the far ranges, and haze.
Colour mountainAt(const Scene& s, int k, int x, int y, float below, float crestSlope) {
  static constexpr Colour kRock[] = {{132, 140, 160}, {106, 108, 118}, {86, 84, 80}, {50, 62, 50}};
  const float px = static_cast<float>(x), py = static_cast<float>(y);
  const Relief rock = relief(s, k, px, py);
  const float gx = rock.dx, gy = rock.dy;
  // Light from the sun's side and from above (y grows downward), as a Lambert term
  // relative to a face turned straight to the viewer.
  const float side = s.sunX < 0.5f ? -1.0f : 1.0f;
  const float lx = 0.55f * side, ly = -0.45f, lz = 0.70f;
  const float lambert = (-gx * lx - gy * ly + lz) / std::sqrt(gx * gx + gy * gy + 1);
  const float cell = static_cast<float>(s.height) * 0.05f;
  const float nearCrest = std::exp(-2 * below / cell);
  const float toward = side * -crestSlope;  // the crest's faces turned to the sun
  const float light =
      std::clamp(lambert / lz + 0.2f * nearCrest * std::tanh(2 * toward), 0.35f, 1.6f);
  Colour c = scale(kRock[k], light);
  if (k < 2) {
    // Snow lies in a band under the crest, deeper in hollows and on faces turned upward,
    // and slides off steep rock.
    const float depth = static_cast<float>(s.height) * (0.045f - 0.02f * static_cast<float>(k));
    const float patch =
        noise(px / (cell * 2), py / (cell * 2), s.seed + 480 + static_cast<uint32_t>(k));
    const float steep = std::sqrt(gx * gx + gy * gy);
    const float cover = smoothstep(0.15f, -0.15f, below / depth - 0.7f - 0.6f * patch - 0.4f * gy) *
                        (1 - smoothstep(0.9f, 1.6f, steep));
    const Colour snow = scale(Colour{236, 238, 246}, std::clamp(0.7f + 0.32f * light, 0.6f, 1.08f));
    c = mix(c, snow, cover);
  }
  const float fh = static_cast<float>(s.height);
  const float hazeAmount =
      0.45f - 0.12f * static_cast<float>(k) + 0.25f * (1 - clamp01(below / fh * 6));
  return mix(c, s.haze, clamp01(hazeAmount));
}

Colour skyAt(const Scene& s, float u, float v) {
  const float t = std::pow(clamp01(v / s.horizon), 1.4f);
  Colour c = mix(s.skyTop, s.skyHorizon, t);
  const float aspect = static_cast<float>(s.width) / static_cast<float>(s.height);
  const float dx = (u - s.sunX) * aspect, dy = v - s.sunY;
  const float r = std::sqrt(dx * dx + dy * dy);
  c = add(c, scale(s.sun, 0.55f * std::exp(-r / (s.sunSize * 6))));
  c = add(c, scale(s.sun, 0.35f * std::exp(-r / (s.sunSize * 1.6f))));
  if (r < s.sunSize) c = mix(c, Colour{255, 250, 235}, smoothstep(s.sunSize, s.sunSize * 0.9f, r));
  // Clouds: stretched fbm, thicker higher up, lit by the sun on their lower edges.
  // The seven octaves are summed coarse to fine; once even the remaining finer ones (each
  // noise at most 1 in size) cannot lift the cover to the first trace of cloud, the sky here
  // stays clear and they are skipped. This is the same value as fbm(u * 0.5, v * 1.6, 4, 3, 7).
  const float start = 0.1f - s.cloudiness + 0.9f * t;  // cover where the density begins
  const float total = 127.0f / 64;                     // 1 + 1/2 + ... + 1/64
  float sum = 0, amplitude = 1;
  for (int o = 0; o < 7; ++o) {
    sum += amplitude * perlin(u * 0.5f, v * 1.6f, 4 << o, 3 << o,
                              s.seed + 100 + static_cast<uint32_t>(o) * 7919u);
    amplitude *= 0.5f;
    if (o < 6 && (sum + 2.05f * amplitude) / total * 1.6f <= start) return c;
  }
  const float cloud = sum / total * 1.6f;
  const float density = smoothstep(0.1f, 0.65f, cloud + s.cloudiness - 0.9f * t);
  const Colour cloudLit = mix(Colour{238, 236, 240}, s.sun, 0.35f);
  const Colour cloudShade = mix(s.skyTop, Colour{120, 118, 130}, 0.6f);
  const float lit =
      clamp01(0.5f + 2.2f * (fbm(u * 0.5f, (v + 0.01f) * 1.6f, 4, 3, 4, s.seed + 100) - cloud));
  return mix(c, mix(cloudShade, cloudLit, lit), density * 0.9f);
}

Picture paint(const Scene& s) {
  Picture p(s.width, s.height);
  const int horizonY = static_cast<int>(s.horizon * static_cast<float>(s.height));
  const float fh = static_cast<float>(s.height), fw = static_cast<float>(s.width);
  std::vector<float> ridges(static_cast<size_t>(4 * s.width));
  for (int x = 0; x < s.width; ++x) {
    for (int k = 0; k < 4; ++k)
      ridges[static_cast<size_t>(4 * x + k)] = ridge(s, k, static_cast<float>(x) / fw);
  }
  // Trees along the shore: conifers at hashed positions with hashed heights.
  std::vector<float> treeTop(static_cast<size_t>(s.width), 0);
  const int trees = s.width / 9;
  for (int i = 0; i < trees; ++i) {
    const float cx =
        (static_cast<float>(i) + hash01(i, 0, 1, s.seed)) * fw / static_cast<float>(trees);
    const float h = fh * (0.025f + 0.05f * hash01(i, 0, 2, s.seed)) *
                    (0.6f + 0.8f * std::fabs(perlin(cx / fw, 0.5f, 6, 1, s.seed + 3)));
    const float halfWidth = h * 0.22f;
    for (int x = std::max(0, static_cast<int>(cx - halfWidth));
         x < std::min(s.width, static_cast<int>(cx + halfWidth) + 1); ++x) {
      const float a = std::fabs(static_cast<float>(x) - cx) / halfWidth;
      // Jagged tiers of branches.
      const float tiers = 0.08f * std::fabs(std::sin(a * 9 + static_cast<float>(i)));
      const float top = h * (1 - a) * (1 - tiers);
      treeTop[static_cast<size_t>(x)] = std::max(treeTop[static_cast<size_t>(x)], top);
    }
  }
  parallelFor(horizonY, [&](int y) {
    const float v = static_cast<float>(y) / fh;
    for (int x = 0; x < s.width; ++x) {
      const float u = static_cast<float>(x) / fw;
      const float above = (static_cast<float>(horizonY - y)) / fh;  // height above the lake line
      Colour c;
      if (above * fh < treeTop[static_cast<size_t>(x)]) {
        const float needle = hash01(x, y, 4, s.seed) * 0.25f;
        c = scale(Colour{28, 46, 32}, 0.8f + needle);
      } else {
        // Near to far: the nearest layer whose ridge lies above the pixel shows.
        int k = 3;
        while (k >= 0 && above > ridges[static_cast<size_t>(4 * x + k)]) --k;
        if (k < 0) {
          c = skyAt(s, u, v);
        } else {
          const auto ridgeAt = [&](int xx) {
            return ridges[static_cast<size_t>(4 * std::clamp(xx, 0, s.width - 1) + k)];
          };
          // The crest's slope, measured over a stretch so that single columns do not flicker.
          const int span = std::max(4, s.width / 300);
          const float slope =
              (ridgeAt(x + span) - ridgeAt(x - span)) * fh / static_cast<float>(2 * span);
          c = mountainAt(s, k, x, y, (ridgeAt(x) - above) * fh, slope);
        }
      }
      p.at(x, y) = c;
    }
  });
  // The lake: the scene above mirrored about the lake line, broken by ripples that grow
  // toward the viewer, darkened and tinted by the water.
  parallelFor(s.height - horizonY, [&](int row) {
    const int y = horizonY + row;
    const float depth =
        static_cast<float>(y - horizonY) / static_cast<float>(std::max(1, s.height - horizonY));
    for (int x = 0; x < s.width; ++x) {
      const float u = static_cast<float>(x) / fw;
      const float ripple =
          perlin(u * 0.5f, depth * depth * 6, 80, 400, s.seed + 300) * (1 + 22 * depth);
      const int sx = std::clamp(x + static_cast<int>(ripple * 0.6f), 0, s.width - 1);
      const int sy =
          std::clamp(2 * horizonY - y - 1 + static_cast<int>(ripple * 1.5f), 0, horizonY - 1);
      Colour c = mix(p.at(sx, sy), s.water, 0.25f + 0.35f * depth);
      const float glint =
          smoothstep(0.55f, 0.9f, perlin(u * 3, depth * depth * 30, 300, 600, s.seed + 301));
      const float sunLine = std::exp(-std::fabs(u - s.sunX) * 12);
      c = add(c, scale(s.sun, glint * sunLine * 0.6f));
      p.at(x, y) = c;
    }
  });
  // Lens vignette and a fine film grain.
  parallelFor(s.height, [&](int y) {
    for (int x = 0; x < s.width; ++x) {
      const float dx = static_cast<float>(x) / fw - 0.5f, dy = static_cast<float>(y) / fh - 0.5f;
      const float vignette = 1 - 0.35f * (dx * dx + dy * dy);
      const float grain = (hash01(x, y, 9, s.seed) - 0.5f) * 5;
      Colour& c = p.at(x, y);
      c = add(scale(c, vignette), Colour{grain, grain, grain});
    }
  });
  return p;
}

}  // namespace

void writeSamplePhotos(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const Scene lake{4200,
                   2800,
                   0.62f,
                   {64, 112, 178},
                   {214, 206, 196},
                   {255, 190, 120},
                   {186, 192, 204},
                   {30, 52, 70},
                   0.7f,
                   0.44f,
                   0.022f,
                   0.25f,
                   7};
  const auto paintLake = [&] { writeJpeg(folder / "Mountain Lake.jpg", paint(lake), 92); };
  const Scene dusk{1800,
                   2400,
                   0.66f,
                   {44, 52, 110},
                   {246, 160, 104},
                   {255, 150, 70},
                   {200, 150, 140},
                   {40, 36, 60},
                   0.38f,
                   0.5f,
                   0.03f,
                   0.35f,
                   21};
  const auto paintDusk = [&] { writeJpeg(folder / "Evening Shore.jpg", paint(dusk), 92); };
  runJobs({paintLake, paintDusk});
}

}  // namespace lumabord::assets
