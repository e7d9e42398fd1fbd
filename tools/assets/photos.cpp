// A landscape painter: sky with sun and clouds, layered mountains fading into the haze, a
// line of conifers along the shore and a lake that mirrors it all with ripples.
#include "assets/photos.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/noise.h"
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
  const float cloud = fbm(u * 0.5f, v * 1.6f, 4, 3, 7, s.seed + 100);
  const float density = smoothstep(0.1f, 0.65f, cloud + s.cloudiness - 0.9f * t);
  const Colour cloudLit = mix(Colour{238, 236, 240}, s.sun, 0.35f);
  const Colour cloudShade = mix(s.skyTop, Colour{120, 118, 130}, 0.6f);
  const float lit =
      clamp01(0.5f + 2.2f * (fbm(u * 0.5f, (v + 0.01f) * 1.6f, 4, 3, 5, s.seed + 100) - cloud));
  return mix(c, mix(cloudShade, cloudLit, lit), density * 0.9f);
}

Picture paint(const Scene& s) {
  Picture p(s.width, s.height);
  const int horizonY = static_cast<int>(s.horizon * static_cast<float>(s.height));
  const float fh = static_cast<float>(s.height), fw = static_cast<float>(s.width);
  const Colour rock[] = {{150, 158, 178}, {116, 122, 140}, {80, 88, 96}, {52, 62, 58}};
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
  for (int y = 0; y < horizonY; ++y) {
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
          const float top = ridgeAt(x);
          // The facet's slope, measured over a stretch so that single columns do not flicker.
          const int span = std::max(4, s.width / 300);
          const float slope =
              (ridgeAt(x + span) - ridgeAt(x - span)) * fw / static_cast<float>(2 * span);
          const float gully = fbm(u, v, 120, 6, 4, s.seed + 200 + static_cast<uint32_t>(k));
          const float detail = fbm(u, v, 40, 30, 3, s.seed + 250 + static_cast<uint32_t>(k));
          const float toward = s.sunX < 0.5f ? -slope : slope;  // faces the sun
          const float light = 1 + 0.9f * std::tanh(toward * 3) + 0.12f * gully + 0.08f * detail;
          Colour m = scale(rock[k], std::clamp(light, 0.5f, 1.6f));
          const float below = top - above;  // depth below the crest
          if (k < 2 && below < 0.06f + 0.04f * gully + 0.02f * detail) {
            m = mix(m, scale(Colour{236, 238, 246}, std::clamp(0.75f + 0.35f * light, 0.7f, 1.08f)),
                    0.9f);
          }
          const float hazeAmount =
              0.45f - 0.12f * static_cast<float>(k) + 0.25f * (1 - clamp01(below * 6));
          c = mix(m, s.haze, clamp01(hazeAmount));
        }
      }
      p.at(x, y) = c;
    }
  }
  // The lake: the scene above mirrored about the lake line, broken by ripples that grow
  // toward the viewer, darkened and tinted by the water.
  for (int y = horizonY; y < s.height; ++y) {
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
  }
  // Lens vignette and a fine film grain.
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      const float dx = static_cast<float>(x) / fw - 0.5f, dy = static_cast<float>(y) / fh - 0.5f;
      const float vignette = 1 - 0.35f * (dx * dx + dy * dy);
      const float grain = (hash01(x, y, 9, s.seed) - 0.5f) * 5;
      Colour& c = p.at(x, y);
      c = add(scale(c, vignette), Colour{grain, grain, grain});
    }
  }
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
  writeJpeg(folder / "Mountain Lake.jpg", paint(lake), 92);
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
  writeJpeg(folder / "Evening Shore.jpg", paint(dusk), 92);
}

}  // namespace lumabord::assets
