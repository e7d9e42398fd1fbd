// Periodic gradient and cellular noise.
#include "assets/noise.h"

#include <algorithm>
#include <cmath>

namespace lumabord::assets {
namespace {

// i modulo n in [0, n); lattice indices are nearly always in range already, so the division
// is skipped for them.
inline int wrap(int i, int n) {
  if (static_cast<unsigned>(i) < static_cast<unsigned>(n)) return i;
  const int r = i % n;
  return r < 0 ? r + n : r;
}

float fade(float t) {
  return t * t * t * (t * (t * 6 - 15) + 10);
}

struct Directions {
  float x[256], y[256];
  Directions() {
    for (int i = 0; i < 256; ++i) {
      x[i] = std::cos(6.2831853f * static_cast<float>(i) / 256);
      y[i] = std::sin(6.2831853f * static_cast<float>(i) / 256);
    }
  }
};
// Built once at start-up, so the hot lattice lookups need no guard.
const Directions kDirections;

// A cheap lattice hash: noise calls it four times per sample, so it uses a few multiplies and
// xor-shifts instead of the full mix of hash(); its low byte is well spread.
inline uint32_t latticeHash(int32_t ix, int32_t iy, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(ix) * 0x8DA6B343u ^ static_cast<uint32_t>(iy) * 0xD8163841u ^
               seed * 0xCB1AB31Fu;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

inline float gradientDot(int ix, int iy, float dx, float dy, uint32_t seed) {
  const uint32_t i = latticeHash(ix, iy, seed) & 255u;
  return kDirections.x[i] * dx + kDirections.y[i] * dy;
}

}  // namespace

uint32_t hash(int32_t x, int32_t y, int32_t z, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B9u;
  for (const uint32_t k :
       {static_cast<uint32_t>(x), static_cast<uint32_t>(y), static_cast<uint32_t>(z)}) {
    h ^= k * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h = h * 5 + 0xE6546B64u;
  }
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

float hash01(int32_t x, int32_t y, int32_t z, uint32_t seed) {
  return static_cast<float>(hash(x, y, z, seed) >> 8) / 16777216.0f;
}

float perlin(float u, float v, int periodX, int periodY, uint32_t seed) {
  const float x = u * static_cast<float>(periodX);
  const float y = v * static_cast<float>(periodY);
  const float fx = std::floor(x), fy = std::floor(y);
  const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  const float dx = x - fx, dy = y - fy;
  const int ax = wrap(x0, periodX), bx = ax + 1 == periodX ? 0 : ax + 1;
  const int ay = wrap(y0, periodY), by = ay + 1 == periodY ? 0 : ay + 1;
  const float n00 = gradientDot(ax, ay, dx, dy, seed);
  const float n10 = gradientDot(bx, ay, dx - 1, dy, seed);
  const float n01 = gradientDot(ax, by, dx, dy - 1, seed);
  const float n11 = gradientDot(bx, by, dx - 1, dy - 1, seed);
  const float sx = fade(dx), sy = fade(dy);
  return 1.41f * lerp(lerp(n00, n10, sx), lerp(n01, n11, sx), sy);
}

float noise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  const float dx = x - fx, dy = y - fy;
  const float n00 = gradientDot(x0, y0, dx, dy, seed);
  const float n10 = gradientDot(x0 + 1, y0, dx - 1, dy, seed);
  const float n01 = gradientDot(x0, y0 + 1, dx, dy - 1, seed);
  const float n11 = gradientDot(x0 + 1, y0 + 1, dx - 1, dy - 1, seed);
  const float sx = fade(dx), sy = fade(dy);
  return 1.41f * lerp(lerp(n00, n10, sx), lerp(n01, n11, sx), sy);
}

NoiseSample noiseWithGradient(float x, float y, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  const float tx = x - fx, ty = y - fy;
  const uint32_t i00 = latticeHash(x0, y0, seed) & 255u, i10 = latticeHash(x0 + 1, y0, seed) & 255u;
  const uint32_t i01 = latticeHash(x0, y0 + 1, seed) & 255u;
  const uint32_t i11 = latticeHash(x0 + 1, y0 + 1, seed) & 255u;
  const float* gx = kDirections.x;
  const float* gy = kDirections.y;
  const float a = gx[i00] * tx + gy[i00] * ty;
  const float b = gx[i10] * (tx - 1) + gy[i10] * ty;
  const float c = gx[i01] * tx + gy[i01] * (ty - 1);
  const float d = gx[i11] * (tx - 1) + gy[i11] * (ty - 1);
  const float u = fade(tx), v = fade(ty);
  const float du = 30 * tx * tx * (tx - 1) * (tx - 1), dv = 30 * ty * ty * (ty - 1) * (ty - 1);
  // The bilinear blend a + u (b - a) + v (c - a) + u v k, differentiated term by term.
  const float k = a - b - c + d;
  const float value = a + u * (b - a) + v * (c - a) + u * v * k;
  const float dx = gx[i00] + u * (gx[i10] - gx[i00]) + v * (gx[i01] - gx[i00]) +
                   u * v * (gx[i00] - gx[i10] - gx[i01] + gx[i11]) + du * ((b - a) + v * k);
  const float dy = gy[i00] + u * (gy[i10] - gy[i00]) + v * (gy[i01] - gy[i00]) +
                   u * v * (gy[i00] - gy[i10] - gy[i01] + gy[i11]) + dv * ((c - a) + u * k);
  return {1.41f * value, 1.41f * dx, 1.41f * dy};
}

float fbm(float u, float v, int periodX, int periodY, int octaves, uint32_t seed) {
  float sum = 0, amplitude = 1, total = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude *
           perlin(u, v, periodX << o, periodY << o, seed + static_cast<uint32_t>(o) * 7919u);
    total += amplitude;
    amplitude *= 0.5f;
  }
  return sum / total * 1.6f;
}

Cells worley(float u, float v, int n, uint32_t seed) {
  const float x = u * static_cast<float>(n), y = v * static_cast<float>(n);
  const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  Cells c{9, 9};
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      const int gx = cx + i, gy = cy + j;
      const int wx = wrap(gx, n), wy = wrap(gy, n);
      const float px = static_cast<float>(gx) + hash01(wx, wy, 1, seed);
      const float py = static_cast<float>(gy) + hash01(wx, wy, 2, seed);
      const float d = std::hypot(px - x, py - y);
      if (d < c.f1) {
        c.f2 = c.f1;
        c.f1 = d;
      } else if (d < c.f2) {
        c.f2 = d;
      }
    }
  }
  return c;
}

float smoothstep(float edge0, float edge1, float x) {
  const float t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

float clamp01(float x) {
  return std::clamp(x, 0.0f, 1.0f);
}

float lerp(float a, float b, float t) {
  return a + (b - a) * t;
}

}  // namespace lumabord::assets
