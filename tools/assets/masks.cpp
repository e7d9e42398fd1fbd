// Masks are shaded height fields. A profile is a height h(t) across the visible band
// (t = 0 at the outer edge, 1 where the matte begins); the mask's height at a pixel is the
// profile at its distance from the nearest outer edge, which gives mitred corners. The
// slopes are lit from the top-left: 128 where the surface faces straight up, lighter where
// it turns toward the light, darker where it turns away. The renderer stretches the middle
// row and column, so the band must lie entirely in the outer part of the mask.
#include "assets/masks.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "assets/noise.h"
#include "assets/picture.h"

namespace lumabord::assets {
namespace {

namespace fs = std::filesystem;

using Profile = std::function<float(float t)>;  // height in units of the band width

struct ProfileMask {
  const char* name;
  int band;  // visible band in pixels (WIDTH and HEIGHT)
  Profile height;
  float occlusion;  // darkening of hollows: how much lower than the neighbourhood
};

float bump(float t, float centre, float radius) {
  const float d = (t - centre) / radius;
  return std::fabs(d) >= 1 ? 0.0f : std::sqrt(1 - d * d);
}

float ramp(float t, float a, float b) {
  return smoothstep(a, b, t);
}

// Lambert shading of a height field (pixels) lit from the top-left, as mask values.
GreyMask shade(const std::vector<float>& height, int w, int h,
               const std::vector<float>& extraShade) {
  GreyMask mask(w, h);
  const float lx = -1, ly = -1, lz = 1.2f;
  const float ll = std::sqrt(lx * lx + ly * ly + lz * lz);
  const float flat = lz / ll;
  const auto at = [&](int x, int y) {
    x = std::clamp(x, 0, w - 1);
    y = std::clamp(y, 0, h - 1);
    return height[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const float dx = (at(x + 1, y) - at(x - 1, y)) / 2;
      const float dy = (at(x, y + 1) - at(x, y - 1)) / 2;
      const float nl = std::sqrt(dx * dx + dy * dy + 1);
      const float lambert = std::max(0.0f, (-dx * lx - dy * ly + lz) / (nl * ll));
      float r = lambert / flat;
      // A glint where the surface faces the light squarely.
      r += 0.35f * std::pow(std::max(0.0f, r - 1.2f), 2.0f);
      r *= extraShade[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
      // Faces turned away still get the room's ambient light, so risers and hollows shade
      // deeply without turning into black lines.
      const float ambient = 0.3f;
      float m = r <= 1 ? 128 * (ambient + (1 - ambient) * r)
                       : 128 + 127 * std::min(1.0f, (r - 1) / (1 / flat - 1));
      m = std::clamp(m, 0.0f, 255.0f);
      mask.at(x, y) = static_cast<uint8_t>(std::lround(m));
    }
  }
  return mask;
}

// A square mask of size 2 * band + 1 + 2 * margin whose outer band carries the profile.
GreyMask profileMask(const ProfileMask& p) {
  const int size = 2 * p.band + 41;
  const float depth = static_cast<float>(p.band);
  std::vector<float> height(static_cast<size_t>(size) * static_cast<size_t>(size));
  std::vector<float> extra(height.size(), 1.0f);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int d = std::min(std::min(x, y), std::min(size - 1 - x, size - 1 - y));
      const float t = std::min(1.0f, (static_cast<float>(d) + 0.5f) / static_cast<float>(p.band));
      const size_t i = static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x);
      height[i] = p.height(t) * depth;
      // Hollows catch less light; the same term for every side.
      const float around =
          (p.height(std::max(0.0f, t - 0.08f)) + p.height(std::min(1.0f, t + 0.08f))) / 2;
      extra[i] = 1 - p.occlusion * std::clamp((around - p.height(t)) * 6, 0.0f, 0.5f);
    }
  }
  GreyMask mask = shade(height, size, size, extra);
  // Inside the band the matted picture covers the frame: leave it flat.
  for (int y = p.band; y < size - p.band; ++y) {
    for (int x = p.band; x < size - p.band; ++x) mask.at(x, y) = 128;
  }
  return mask;
}

}  // namespace

void writeProfiles(const fs::path& folder) {
  fs::create_directories(folder);
  const ProfileMask profiles[] = {
      // A half-round moulding with a small step where it meets the matte.
      {"Rounded Raised", 130,
       [](float t) { return 0.38f * bump(t, 0.46f, 0.48f) + 0.05f * bump(t, 0.96f, 0.04f); }, 0.6f},
      // High at the wall, rolling down toward the picture.
      {"Rounded Lowered", 130,
       [](float t) {
         return 0.42f * std::sqrt(std::max(0.0f, 1 - t * t * 0.98f)) - 0.04f * ramp(t, 0.0f, 0.05f);
       },
       0.4f},
      // A flat face that falls away at the outer edge into a deep shadowed shoulder.
      {"Drop Shadow", 120,
       [](float t) { return 0.32f * ramp(t, 0.0f, 0.35f) - 0.02f * ramp(t, 0.9f, 1.0f); }, 0.5f},
      // A face rising toward the picture, ending in a steep cliff down to the matte.
      {"Cliff Edge", 150, [](float t) { return 0.1f + 0.22f * t - 0.5f * ramp(t, 0.8f, 0.9f); },
       0.8f},
      // A flat face with small chamfers at both edges.
      {"Flat", 90,
       [](float t) { return 0.05f * ramp(t, 0.0f, 0.08f) - 0.05f * ramp(t, 0.92f, 1.0f); }, 0.3f},
      // A concave cove between a rounded outer rim and a small inner bead.
      {"Scoop", 160,
       [](float t) {
         return 0.22f * bump(t, 0.1f, 0.12f) +
                0.22f * (1 - bump(t, 0.52f, 0.34f)) * ramp(t, 0.15f, 0.2f) *
                    (1 - ramp(t, 0.84f, 0.88f)) +
                0.08f * bump(t, 0.93f, 0.07f);
       },
       1.0f},
      // Three beads side by side.
      {"Bead", 100,
       [](float t) {
         return 0.16f * bump(t, 0.17f, 0.17f) + 0.22f * bump(t, 0.5f, 0.16f) +
                0.16f * bump(t, 0.83f, 0.17f);
       },
       0.9f},
      // Three flat steps down toward the picture, each with a small chamfer.
      {"Stepped Gallery", 170,
       [](float t) {
         return 0.24f - 0.08f * ramp(t, 0.3f, 0.36f) - 0.08f * ramp(t, 0.6f, 0.66f) -
                0.06f * ramp(t, 0.9f, 0.95f) + 0.03f * ramp(t, 0.0f, 0.04f);
       },
       0.7f},
  };
  for (const ProfileMask& p : profiles) {
    writeGreyBmp(folder / (std::string(p.name) + ".bmp"), profileMask(p));
    writeText(folder / (std::string(p.name) + ".ini"),
              "[RADIUS]\r\nWIDTH=" + std::to_string(p.band) +
                  "\r\nHEIGHT=" + std::to_string(p.band) + "\r\n");
  }
}

void writeMatteEdge(const fs::path& file) {
  // 31 wide: the renderer shows a ring of Round(31 / 3) = 10 pixels. Across the ring the cut
  // falls from the matte's face to the picture: the lower and right cuts face the light and
  // show the board's light core, the upper and left ones lie in shade.
  const int size = 31, ring = 10;
  GreyMask mask(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int d = std::min(std::min(x, y), std::min(size - 1 - x, size - 1 - y));
      if (d >= ring) continue;
      // Which cut the pixel lies on: facing down-right (top, left) or up-left (bottom, right).
      const int toTop = y, toLeft = x, toBottom = size - 1 - y, toRight = size - 1 - x;
      const int nearest = std::min(std::min(toTop, toLeft), std::min(toBottom, toRight));
      float value;
      if (nearest == toTop)
        value = 108;  // faces away from the light
      else if (nearest == toLeft)
        value = 116;
      else if (nearest == toBottom)
        value = 205;  // faces the light: bright core
      else
        value = 192;
      // The cut edge on the face catches a thin highlight; the foot meets the picture in a
      // fine dark line.
      if (d == 0) value = std::min(255.0f, value + 20);
      if (d == ring - 1) value = 72;
      mask.at(x, y) = static_cast<uint8_t>(std::lround(value));
    }
  }
  writeGreyBmp(file, mask);
}

void writeShadows(const fs::path& folder) {
  fs::create_directories(folder);
  // For a mask Ws wide the renderer adds s = Round(Ws / 2) pixels and places the picture d =
  // Round(Ws / 6) from the top-left, so the mask is a small model of the picture at [d, Ws -
  // (s - d)) casting a blurred shadow offset toward the bottom-right.
  const struct {
    const char* name;
    int size;
    float offset, blur, darkness;
  } shadows[] = {
      {"soft", 91, 9, 9.0f, 0.42f}, {"medium", 61, 6, 5.0f, 0.5f}, {"hard", 31, 4, 1.6f, 0.58f}};
  for (const auto& sd : shadows) {
    const int ws = sd.size;
    const int s = static_cast<int>(std::nearbyint(ws / 2.0));  // half to even, as the renderer
    const int d = static_cast<int>(std::nearbyint(ws / 6.0));
    const float lo = static_cast<float>(d) + sd.offset;
    const float hi = static_cast<float>(ws - (s - d)) + sd.offset;
    const auto cover = [&](float p) {
      const float k = 1 / (sd.blur * 1.41421356f);
      return 0.5f * (std::erf((p + 0.5f - lo) * k) - std::erf((p + 0.5f - hi) * k));
    };
    GreyMask mask(ws, ws);
    for (int y = 0; y < ws; ++y) {
      for (int x = 0; x < ws; ++x) {
        const float amount = cover(static_cast<float>(x)) * cover(static_cast<float>(y));
        mask.at(x, y) = static_cast<uint8_t>(std::lround(128 * (1 - sd.darkness * amount)));
      }
    }
    writeGreyBmp(folder / (std::string(sd.name) + ".bmp"), mask);
  }
}

}  // namespace lumabord::assets
