// Masks are shaded height fields. A profile is a height h(t) across the visible band
// (t = 0 at the outer edge, 1 where the matte begins); the mask's height at a pixel is the
// profile at its distance from the nearest outer edge, which gives mitred corners. The
// surface is lit from the top-left: 128 where it faces straight up, lighter where it turns
// toward the light, darker where it turns away or lies in the shadow of a higher part. The
// renderer stretches the middle row and column, so the band lies in the outer part of the mask.
#include "assets/masks.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "assets/noise.h"
#include "assets/picture.h"
#include "assets/profiles.h"

namespace lumabord::assets {
namespace {

namespace fs = std::filesystem;

struct HeightField {
  int size;
  std::vector<float> height;   // pixels
  std::vector<float> ambient;  // 1 on open faces, less in hollows and the mitre seams
  float highest;
  float at(int x, int y) const {
    x = std::clamp(x, 0, size - 1);
    y = std::clamp(y, 0, size - 1);
    return height[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)];
  }
};

// Light from the top-left, a little more from above than from the side so that the top and
// left rails differ, about 40 degrees above the frame's plane.
constexpr float kLx = -0.8f, kLy = -1, kLz = 1.1f;

// How far a higher part toward the light shades the pixel: 0 open, 1 fully in shadow; soft
// over a pixel or two of height so that shadow edges are not drawn lines.
float castShadow(const HeightField& f, int x, int y) {
  const float flat = std::sqrt(kLx * kLx + kLy * kLy);
  const float sx = kLx / flat, sy = kLy / flat, rise = kLz / flat;  // per pixel along the ray
  const float h = f.at(x, y);
  float shadow = 0;
  for (int k = 1; k < 2 * f.size; ++k) {
    const int px =
        static_cast<int>(std::lround(static_cast<float>(x) + sx * static_cast<float>(k)));
    const int py =
        static_cast<int>(std::lround(static_cast<float>(y) + sy * static_cast<float>(k)));
    if (px < 0 || py < 0) break;
    const float ray = h + rise * static_cast<float>(k);
    if (ray >= f.highest) break;  // nothing further along can reach the ray
    const float above = f.at(px, py) - ray;
    shadow = std::max(shadow, clamp01(above / 2.5f));
    if (shadow >= 1) break;
  }
  return shadow;
}

GreyMask shade(const HeightField& f, float gloss) {
  GreyMask mask(f.size, f.size);
  const float ll = std::sqrt(kLx * kLx + kLy * kLy + kLz * kLz);
  const float flat = kLz / ll;
  // Half-way vector between the light and a viewer straight above, for the glint.
  const float hx = kLx / ll, hy = kLy / ll, hz = kLz / ll + 1;
  const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
  for (int y = 0; y < f.size; ++y) {
    for (int x = 0; x < f.size; ++x) {
      const float dx = (f.at(x + 1, y) - f.at(x - 1, y)) / 2;
      const float dy = (f.at(x, y + 1) - f.at(x, y - 1)) / 2;
      const float nl = std::sqrt(dx * dx + dy * dy + 1);
      const float lambert = std::max(0.0f, (-dx * kLx - dy * kLy + kLz) / (nl * ll));
      const float facing = std::max(0.0f, (-dx * hx - dy * hy + hz) / (nl * hl));
      const float lit = 1 - 0.6f * castShadow(f, x, y);
      const float open =
          f.ambient[static_cast<size_t>(y) * static_cast<size_t>(f.size) + static_cast<size_t>(x)];
      const float r = lambert / flat * lit * open;
      // Faces turned away still get the room's light, so hollows shade deeply without
      // turning into black lines. Lightening pulls toward white and washes the colour out,
      // so faces turned to the light brighten only a little; the glint of a polished face
      // squarely toward the light goes much further.
      const float ambient = 0.38f;
      float m = r <= 1 ? 128 * (ambient + (1 - ambient) * r)
                       : 128 + 40 * std::min(1.0f, (r - 1) / (1 / flat - 1));
      m += 127 * gloss * std::pow(facing, 60.0f) * lit * open;
      mask.at(x, y) = static_cast<uint8_t>(std::lround(std::clamp(m, 0.0f, 255.0f)));
    }
  }
  return mask;
}

// A square mask of size 2 * band + 41 whose outer band carries the profile.
GreyMask profileMask(const ProfileShape& p) {
  const int size = 2 * p.band + 41;
  const float depth = static_cast<float>(p.band);
  HeightField f{size, std::vector<float>(static_cast<size_t>(size) * static_cast<size_t>(size)),
                std::vector<float>(static_cast<size_t>(size) * static_cast<size_t>(size), 1.0f), 0};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int edges[4] = {x, y, size - 1 - x, size - 1 - y};
      std::sort(edges, edges + 4);
      const int d = edges[0];
      const float t = std::min(1.0f, (static_cast<float>(d) + 0.5f) / depth);
      const size_t i = static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x);
      f.height[i] = p.height(t) * depth;
      // Hollows catch less of the room's light; the same term for every side.
      const float around =
          (p.height(std::max(0.0f, t - 0.06f)) + p.height(std::min(1.0f, t + 0.06f))) / 2;
      f.ambient[i] = 1 - p.occlusion * std::clamp((around - p.height(t)) * 8, 0.0f, 0.55f);
      // The mitre joint: a hairline where two rails meet.
      if (edges[1] - edges[0] <= 0 && d < p.band) f.ambient[i] *= 0.8f;
    }
  }
  f.highest = *std::max_element(f.height.begin(), f.height.end());
  GreyMask mask = shade(f, p.gloss);
  // Inside the band the matted picture covers the frame: leave it flat.
  for (int y = p.band; y < size - p.band; ++y) {
    for (int x = p.band; x < size - p.band; ++x) mask.at(x, y) = 128;
  }
  return mask;
}

}  // namespace

void writeProfiles(const fs::path& folder) {
  fs::create_directories(folder);
  for (const ProfileShape& p : profileShapes()) {
    writeGreyBmp(folder / (p.name + ".bmp"), profileMask(p));
    writeText(folder / (p.name + ".ini"), "[RADIUS]\r\nWIDTH=" + std::to_string(p.band) +
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
      // The knife leaves the cut a little rounded: lighter toward the face, darker toward
      // the foot. The cut edge on the face catches a thin highlight; the foot meets the
      // picture in a fine dark line.
      const bool lit = value > 128;
      value += (lit ? 10.0f : 6.0f) * (1 - 2 * static_cast<float>(d) / (ring - 1));
      if (d == 0) value = std::min(255.0f, value + (lit ? 20.0f : 14.0f));
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
  } shadows[] = {{"soft", 91, 9, 9.0f, 0.42f},
                 {"medium", 61, 6, 5.0f, 0.5f},
                 {"hard", 31, 4, 1.6f, 0.58f},
                 {"deep", 121, 16, 14.0f, 0.46f}};
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
