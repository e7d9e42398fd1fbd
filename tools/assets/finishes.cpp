// Painted and stone finishes and the mat surfaces: paint brushed over wood, marble, rag and
// paper boards, woven fabric and suede.
#include <algorithm>
#include <cmath>

#include "assets/noise.h"
#include "assets/surfaces.h"

namespace lumabord::assets {

Colour paint(const PaintFinish& f, Pixel p) {
  const float u = p.u(), v = p.v();
  // Brush marks along the moulding, and the grain telegraphing faintly through the paint.
  const float brush =
      0.6f * perlin(u, v, 5, p.h / 3, f.seed) + 0.4f * perlin(u, v, 14, p.h / 5, f.seed + 1);
  const float telegraph = fbm(u, v, 2, 40, 2, f.seed + 4);
  Colour c = scale(f.paint, 1 + 0.025f * brush + 0.03f * telegraph);
  if (f.distress > 0) {
    // Worn where hands and dusters reach: scuffs stretched along the moulding, clustered.
    const float handled = smoothstep(-0.1f, 0.5f, fbm(u, v, 3, 2, 3, f.seed + 2));
    const float rub = fbm(u, v, 12, 40, 4, f.seed + 3) + 0.3f * handled * f.distress;
    if (rub > 0.35f) {
      // The wood under old paint is darkened and greyed by the primer and the years.
      const Colour bare = wood(*f.ground, p);
      const float grey = (bare.r + bare.g + bare.b) / 3;
      const Colour ground = scale(mix(bare, Colour{grey, grey, grey}, 0.35f), 0.8f);
      const float through = smoothstep(0.62f, 0.68f, rub);
      const float thin = smoothstep(0.35f, 0.62f, rub);
      c = mix(c, mix(f.paint, ground, 0.4f), thin * 0.4f);
      // A rim of pale undercoat where the top coat has gone but the primer holds.
      const float primer = smoothstep(0.56f, 0.61f, rub) * (1 - through);
      c = mix(c, Colour{222, 216, 200}, 0.6f * primer);
      c = mix(c, ground, through);
    }
  }
  const float speck = (hash01(p.x, p.y, 2, f.seed) - 0.5f) * 0.03f;
  return scale(c, 1 + speck);
}

Colour marble(Pixel p) {
  const float u = p.u(), v = p.v();
  // Veins follow the zero lines of a twisted noise field: thin where the field is steep,
  // with a soft grey halo where minerals bled into the stone around them.
  const float wu = 0.25f * fbm(u, v, 3, 3, 4, 31), wv = 0.25f * fbm(u, v, 3, 3, 4, 32);
  const float field = fbm(u + wu, v + wv, 3, 3, 5, 33);
  const float vein = 1 - smoothstep(0.0f, 0.02f, std::fabs(field));
  const float halo = 1 - smoothstep(0.0f, 0.18f, std::fabs(field));
  const float strength = smoothstep(-0.3f, 0.5f, fbm(u, v, 4, 4, 3, 34));
  const float fine = 1 - smoothstep(0.0f, 0.012f, std::fabs(fbm(u + wv, v + wu, 7, 7, 4, 35)));
  const float cloud = fbm(u, v, 5, 5, 4, 36);
  Colour c = mix(Colour{240, 237, 231}, Colour{218, 214, 208}, clamp01(0.5f + 0.5f * cloud) * 0.7f);
  c = mix(c, Colour{170, 170, 172}, 0.25f * halo * strength);
  c = mix(c, Colour{96, 98, 104}, 0.8f * vein * (0.3f + 0.7f * strength));
  c = mix(c, Colour{150, 148, 146}, 0.35f * fine * (1 - strength));
  const float n = (hash01(p.x, p.y, 2, 37) - 0.5f) * 3;
  return add(c, Colour{n, n, n});
}

Colour board(const MatBoard& m, Pixel p) {
  const float u = p.u(), v = p.v();
  float tone = 1 + 0.02f * fbm(u, v, 6, 6, 4, m.seed);
  if (m.tooth > 0) {
    const auto height = [&](float a, float b) {
      return fbm(a, b, 24, 24, 3, m.seed + 1) + 0.5f * fbm(a, b, 80, 80, 2, m.seed + 2);
    };
    const float e = 1.0f / static_cast<float>(p.w);
    const float dx = height(u + e, v) - height(u - e, v);
    const float dy = height(u, v + e) - height(u, v - e);
    tone += -(dx + dy) * 0.9f * m.tooth;  // light from the top-left
  }
  if (m.fibres > 0) {
    // Short curled fibres in the board's surface: thin lines of a slightly different shade,
    // drawn as the zero lines of noise in small patches where a second noise allows them.
    const float a = perlin(u, v, p.w / 14, p.h / 14, m.seed + 3);
    const float b = perlin(u, v, p.w / 24, p.h / 24, m.seed + 4);
    const float line = 1 - smoothstep(0.0f, 0.06f, std::fabs(a));
    const float where = smoothstep(0.35f, 0.6f, b);
    const float sign =
        hash01(static_cast<int>(u * 64), static_cast<int>(v * 64), 5, m.seed) < 0.5f ? -1 : 1;
    tone += m.fibres * 0.09f * line * where * sign;
  }
  tone += (hash01(p.x, p.y, 6, m.seed) - 0.5f) * 0.025f;
  return scale(m.base, tone);
}

// Plain weave: threads pitch pixels apart, over and under in a checkerboard.
Colour weave(Colour base, int pitch, float slubs, uint32_t seed, Pixel p) {
  const float u = p.u(), v = p.v();
  const int cx = p.x / pitch, cy = p.y / pitch;
  const float px = (static_cast<float>(p.x % pitch) + 0.5f) / static_cast<float>(pitch);
  const float py = (static_cast<float>(p.y % pitch) + 0.5f) / static_cast<float>(pitch);
  const bool warpOnTop = ((cx + cy) & 1) == 0;
  // The visible thread: its own thickness and shade, a rounded cross-section.
  const float across = warpOnTop ? px : py;
  const float along = warpOnTop ? py : px;
  const int thread = warpOnTop ? cx : cy;
  const float threadTone = (hash01(thread, warpOnTop ? 0 : 1, 9, seed) - 0.5f) * 0.08f;
  const float round = std::sin(3.14159265f * across);
  const float dip = 0.9f + 0.1f * std::sin(3.14159265f * along);
  // Slubs: thicker stretches that run along a thread.
  const float slub =
      slubs * (warpOnTop ? fbm(u, v, 64, 3, 2, seed + 1) : fbm(u, v, 3, 64, 2, seed + 3));
  const float mottle = fbm(u, v, 3, 3, 3, seed + 2) * 0.03f;
  const float light = (0.8f + 0.2f * round) * dip * (1 + 1.5f * threadTone + slub * 0.1f + mottle);
  // Threads lit from the top-left: the upper-left flank of each thread is brighter.
  const float flank = warpOnTop ? (0.5f - px) : (0.5f - py);
  const float hair = (hash01(p.x, p.y, 4, seed) - 0.5f) * 0.04f;
  return scale(base, light * (1 + 0.08f * flank + hair));
}

Colour suede(Colour base, uint32_t seed, Pixel p) {
  const float u = p.u(), v = p.v();
  // Nap brushed one way and another in soft patches; a fine velvet speckle on top.
  const float nap = fbm(u, v, 6, 6, 3, seed) * 0.05f + fbm(u, v, 16, 16, 2, seed + 1) * 0.025f;
  const float speck = (hash01(p.x, p.y, 1, seed) - 0.5f) * 0.1f +
                      (hash01(p.x / 2, p.y / 2, 2, seed) - 0.5f) * 0.05f;
  return scale(base, 1 + nap + speck);
}

}  // namespace lumabord::assets
