// Gilding and metal: leaf laid in overlapping squares, burnished, crackled and rubbed through to
// its bole; brushed and anodised metal with fine brush lines along the moulding.
#include <algorithm>
#include <cmath>

#include "assets/noise.h"
#include "assets/surfaces.h"

namespace lumabord::assets {

Colour leaf(const LeafFinish& f, Pixel p) {
  const float u = p.u(), v = p.v();
  const uint32_t seed = f.seed;
  // Leaves about a fifth of the tile wide, each row shifted by half a leaf; the edges are torn,
  // so each boundary wanders a few pixels. An even number of rows keeps the shift alternating
  // across the tile's edge, and the grid lies half a leaf in, so no seam runs along the edge.
  const int across = 5, rows = 2 * std::max(1, (5 * p.h / p.w + 1) / 2);
  const float tear = 0.012f * fbm(u, v, 40, 40, 2, seed);
  const float sy = (v + tear) * static_cast<float>(rows) + 0.5f;
  const int row = static_cast<int>(std::floor(sy)) % rows;
  const float shift = (row & 1) ? 0.5f : 0.0f;
  const float sx = (u + tear) * static_cast<float>(across) + shift + 0.5f;
  const int col = static_cast<int>(std::floor(sx)) % across;
  const float fx = sx - std::floor(sx), fy = sy - std::floor(sy);
  // The later leaf overlaps the earlier one at its left and top edges: a doubled seam.
  const float seam = std::min(fx, fy);
  const float overlap = 1 - smoothstep(0.0f, 0.02f, seam);
  const float seamLine = smoothstep(0.0f, 0.004f, seam) * (1 - smoothstep(0.004f, 0.009f, seam));

  const float own = hash01(col, row, 7, seed) - 0.5f;  // each leaf's tilt to the light
  const float wrinkle =
      perlin(u, v, 60, 60, seed + 1) * 0.5f + perlin(u, v, 160, 110, seed + 2) * 0.3f;
  // Burnished leaf mirrors the room: soft clouds of bright and dark reflection, without a
  // direction, since the side rails show the tile turned across the moulding.
  const float burnish = fbm(u, v, 4, 4, 3, seed + 3);
  Colour c = scale(f.metal, 1 + 0.07f * own + 0.035f * wrinkle + f.burnish * 0.22f * burnish);
  c = scale(c, 1 - 0.08f * overlap + 0.1f * seamLine);

  if (f.toning > 0) {
    const float glaze = smoothstep(-0.2f, 0.6f, fbm(u, v, 3, 3, 4, seed + 4));
    const float grime = 0.5f + 0.5f * fbm(u, v, 24, 24, 2, seed + 5);
    c = mix(c, Colour{c.r * 0.55f, c.g * 0.45f, c.b * 0.3f},
            f.toning * glaze * (0.6f + 0.4f * grime));
  }
  if (f.crackle > 0) {
    const Cells cells = worley(u, v, std::max(8, p.w / 12), seed + 6);
    const float crack = 1 - smoothstep(0.0f, 0.06f, cells.f2 - cells.f1);
    const float where = smoothstep(-0.1f, 0.5f, fbm(u, v, 3, 3, 2, seed + 7));
    c = mix(c, scale(f.bole, 0.7f), 0.45f * crack * where * f.crackle);
  }
  if (f.wear > 0) {
    // Rubbed through along the grain of the gesso where the leaf was thin: small ragged
    // scuffs stretched along the moulding, clustered where the frame was handled.
    const float handled = smoothstep(0.0f, 0.6f, fbm(u, v, 3, 2, 3, seed + 8));
    const float scuff = fbm(u, v, 24, 64, 3, seed + 9) + 0.3f * perlin(u, v, 160, 320, seed + 10);
    const float through = smoothstep(0.86f, 0.92f, scuff + 0.3f * f.wear * handled);
    c = mix(c, mix(f.bole, c, 0.25f * clamp01(0.92f - scuff) / 0.06f), through);
  }
  const float grain = (hash01(p.x, p.y, 5, seed) - 0.5f) * 0.05f;
  return scale(c, 1 + grain);
}

Colour metal(const MetalFinish& f, Pixel p) {
  const float u = p.u(), v = p.v();
  // Brush lines: long thin streaks of many lengths and depths.
  const int fine = p.h / 2;
  const float lines = 0.5f * perlin(u, v, 6, fine, f.seed) +
                      0.3f * perlin(u, v, 20, fine, f.seed + 1) +
                      0.2f * perlin(u, v, 3, p.h / 6, f.seed + 2);
  // Reflections of the room, soft and without a direction (see leaf()).
  const float sheen = fbm(u, v, 3, 3, 2, f.seed + 3);
  const float tone = 1 + f.brushing * 0.1f * lines + f.sheen * 0.1f * sheen +
                     (hash01(p.x, p.y, 1, f.seed) - 0.5f) * 0.03f;
  return scale(f.base, tone);
}

}  // namespace lumabord::assets
