// Tileable noise for the generated textures: every function takes coordinates u, v in [0, 1)
// over the picture and wraps around at 1, so a picture tiles without seams.
#pragma once

#include <cstdint>

namespace lumabord::assets {

// A well-mixed 32-bit hash of up to three integers and a seed.
uint32_t hash(int32_t x, int32_t y, int32_t z, uint32_t seed);
// hash mapped to [0, 1).
float hash01(int32_t x, int32_t y, int32_t z, uint32_t seed);

// Gradient noise in about [-1, 1] on a lattice of periodX x periodY cells over the tile.
float perlin(float u, float v, int periodX, int periodY, uint32_t seed);
// Gradient noise in about [-1, 1] on the unit lattice, not periodic (for pictures that do not
// tile).
float noise(float x, float y, uint32_t seed);
// noise() with its exact partial derivatives, for shading without sampling neighbours.
struct NoiseSample {
  float value, dx, dy;
};
NoiseSample noiseWithGradient(float x, float y, uint32_t seed);
// Sum of octaves, each with twice the lattice and half the amplitude; about [-1, 1].
float fbm(float u, float v, int periodX, int periodY, int octaves, uint32_t seed);

struct Cells {
  float f1;  // distance to the nearest feature point, in cells
  float f2;  // distance to the second nearest
};
// Cellular noise on an n x n grid of cells with one feature point each.
Cells worley(float u, float v, int n, uint32_t seed);

float smoothstep(float edge0, float edge1, float x);
float clamp01(float x);
float lerp(float a, float b, float t);

}  // namespace lumabord::assets
