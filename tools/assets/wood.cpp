// Flat-sawn boards: the face of the board cuts the growth rings of a log lying along x at a
// slowly changing depth, which gives the stretched arches of real boards; pores, ray flecks and
// fibres sit on top, scattered in cells so that no two repeats of a pattern line up.
#include <cmath>

#include "assets/noise.h"
#include "assets/surfaces.h"

namespace lumabord::assets {
namespace {

constexpr float kPi = 3.14159265f;

float fract(float x) {
  return x - std::floor(x);
}

// Signed distance from a to b on a circle of the given period.
float wrapped(float a, float b, float period) {
  float d = a - b;
  d -= period * std::round(d / period);
  return d;
}

// One elongated fleck per cell of cw x ch pixels (rows staggered), present with probability
// chance; returns how much of pixel p it covers (0..1). The cells divide the tile, so the
// flecks tile with it.
float flecks(Pixel p, int cw, int ch, float chance, float minLength, float maxLength,
             float thickness, uint32_t seed) {
  const int rows = p.h / ch, cols = p.w / cw;
  const int row = p.y / ch;
  const int shift = static_cast<int>(hash(row, 0, 0, seed) % static_cast<uint32_t>(cw));
  const int col = ((p.x + shift) / cw) % cols;
  if (hash01(col, row % rows, 1, seed) >= chance) return 0;
  const float cx = static_cast<float>(col * cw - shift) +
                   (0.3f + 0.4f * hash01(col, row, 2, seed)) * static_cast<float>(cw);
  const float cy = static_cast<float>(row * ch) +
                   (0.25f + 0.5f * hash01(col, row, 3, seed)) * static_cast<float>(ch);
  const float half = lerp(minLength, maxLength, hash01(col, row, 4, seed)) / 2;
  const float dx = wrapped(static_cast<float>(p.x) + 0.5f, cx, static_cast<float>(p.w)) / half;
  const float dy = (static_cast<float>(p.y) + 0.5f - cy) / thickness;
  const float e = dx * dx + dy * dy;
  return e >= 1 ? 0.0f : (1 - e) * (0.6f + 0.4f * hash01(col, row, 5, seed));
}

struct Knot {
  float dx, dy;  // pixel offset from the knot's centre (wrapped)
  float radius;
};

Knot knotAt(const WoodSpecies& s, Pixel p) {
  const float kx = hash01(0, 0, 7, s.seed) * static_cast<float>(p.w);
  const float ky = (0.3f + 0.4f * hash01(0, 0, 8, s.seed)) * static_cast<float>(p.h);
  return {wrapped(static_cast<float>(p.x), kx, static_cast<float>(p.w)),
          wrapped(static_cast<float>(p.y), ky, static_cast<float>(p.h)),
          static_cast<float>(p.h) * (0.012f + 0.01f * hash01(0, 0, 9, s.seed))};
}

}  // namespace

Colour wood(const WoodSpecies& s, Pixel p) {
  const float u = p.u(), v = p.v();
  const uint32_t seed = s.seed;
  // Where the board's face passes the heart: a gentle wander of the log's axis.
  const float centre = 0.5f + 0.06f * perlin(u, 0.37f, 2, 1, seed);
  const float across = std::sin(kPi * (v - centre)) / kPi;
  const float depth = 0.07f + 0.04f * fbm(u, v, 3, 1, 2, seed + 1);
  const float radius = std::sqrt(across * across + depth * depth);
  const float perRing = s.rings / 0.5f;
  float phase = radius * perRing;
  // Years of fast and slow growth, and the small waviness of each ring.
  phase += 0.8f * noise(phase * 0.45f, 3.7f, seed + 2) + 0.18f * fbm(u, v, 6, 3, 3, seed + 3) +
           0.05f * perlin(u, v, 48, 24, seed + 15);
  float knotBody = 0, knotRings = 0;
  if (s.knots > 0) {
    const Knot k = knotAt(s, p);
    const float d = std::hypot(k.dx / 1.7f, k.dy) / k.radius;
    // Rings swerve around the knot in a closed eye, tightly near it.
    phase += 1.8f * std::exp(-d * d / 3.0f) + 1.2f * std::exp(-d * d / 12.0f);
    knotBody = 1 - smoothstep(0.94f, 1.02f, d);
    // Inside, the branch's own rings, tight and dark, and a dark rim of bark.
    const float own = fract(d * 4.5f + 0.3f * noise(k.dx * 0.2f, k.dy * 0.2f, seed));
    knotRings = 0.35f + 0.45f * smoothstep(0.5f, 0.9f, own) + 0.4f * smoothstep(0.8f, 0.95f, d);
  }
  const float ring = fract(phase);
  const float year = std::floor(phase);
  // Latewood darkens through the summer and ends sharply at the next spring; each year's
  // band has its own width and darkness.
  const float strength = 0.55f + 0.45f * hash01(static_cast<int>(year), 0, 6, seed);
  const float late =
      smoothstep(0.5f, 0.85f, ring) * (1 - smoothstep(0.97f, 0.995f, ring)) * strength;
  const float earlyZone = 1 - smoothstep(0.04f, 0.3f, ring);

  // Fibres: long fine streaks along the board.
  const int fineRows = p.h * 2 / 5;
  const float fibre = 0.5f * perlin(u, v, 10, fineRows, seed + 4) +
                      0.3f * perlin(u, v, 30, p.h / 2, seed + 5) +
                      0.2f * perlin(u, v, 4, p.h / 8, seed + 14);
  const float streak = fbm(u, v, 2, 28, 2, seed + 6);
  const float figure = fbm(u, v, 3, 2, 3, seed + 7);

  // Hair-fine striations of individual fibre bundles, strongest in the dense latewood.
  const float hair = perlin(u, v, 24, p.h * 2 / 3, seed + 16);
  float tone = 0.85f * late * (0.75f + 0.5f * fibre + 0.25f * hair) + 0.1f * streak + 0.08f;
  if (s.weather > 0)
    tone = lerp(tone, 0.55f - 0.5f * late + 0.2f * fibre + 0.1f * streak, s.weather);
  Colour c = mix(s.early, s.late, clamp01(tone));
  c = scale(c, 1 + s.figure * 0.16f * figure + 0.08f * fibre + 0.05f * hair);
  // Hue drifts with the figure: the darker heartwood warmer, the paler sapwood cooler.
  c.r *= 1 - 0.05f * figure * s.figure;
  c.b *= 1 + 0.06f * figure * s.figure;

  // Open pores: crowded into the earlywood of ring-porous woods, scattered in others.
  const float poreChance = s.ringPores * earlyZone + s.diffusePores;
  if (poreChance > 0) {
    const float pore =
        flecks(p, 16, 4, std::min(0.9f, poreChance), 3, 10 + 8 * s.ringPores, 0.75f, seed + 9);
    c = mix(c, s.pore, 0.75f * pore);
  }
  if (s.rays > 0) {
    const float ray = flecks(p, 64, 8, 0.28f * s.rays, 8, 36, 0.9f, seed + 10);
    c = mix(c, mix(s.late, s.pore, 0.5f), 0.55f * ray);
  }
  if (s.weather > 0) {
    // Checks split along the grain, and patches of the old brown surface remain.
    const float check = flecks(p, 256, 16, 0.3f, 60, 240, 1.1f, seed + 11);
    c = mix(c, scale(s.pore, 0.85f), std::min(1.0f, 1.2f * check) * 0.8f * s.weather);
    const float brown = smoothstep(0.25f, 0.7f, fbm(u, v, 3, 4, 3, seed + 13));
    c = mix(c, Colour{118, 92, 66}, 0.5f * brown * s.weather);
  }
  if (knotBody > 0) {
    Colour k = mix(s.late, s.pore, std::min(1.0f, knotRings));
    c = mix(c, k, knotBody);
  }
  const float speck = (hash01(p.x, p.y, 3, seed) - 0.5f) * 0.05f;
  return scale(c, 1 + speck);
}

}  // namespace lumabord::assets
