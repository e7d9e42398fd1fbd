// Shaders of the generated textures. Each gives the colour of pixel (x, y) of a w x h tile and
// is periodic over the tile, so copies laid side by side meet without seams. Wood and brushed
// surfaces run along x: a frame's top and bottom rails show them along the moulding.
#pragma once

#include <cstdint>

#include "assets/picture.h"

namespace lumabord::assets {

struct Pixel {
  int x, y;  // pixel in the tile
  int w, h;  // tile size
  float u() const { return (static_cast<float>(x) + 0.5f) / static_cast<float>(w); }
  float v() const { return (static_cast<float>(y) + 0.5f) / static_cast<float>(h); }
};

struct WoodSpecies {
  Colour early, late, pore;  // earlywood, latewood and the open pores
  float rings;               // growth rings across the tile's height near the heart
  float ringPores;           // pores crowded into the earlywood (ring-porous oak, ash)
  float diffusePores;        // pores spread evenly (walnut, cherry, maple)
  float rays;                // medullary ray flecks (oak)
  float figure;              // colour variation along and across the board
  float knots;               // 0: none, 1: one knot per tile
  float weather;             // silvering, raised grain and checks of old boards
  uint32_t seed;
};
Colour wood(const WoodSpecies& s, Pixel p);

// Metal leaf laid in overlapping squares over a coloured bole.
struct LeafFinish {
  Colour metal, bole;
  float burnish;  // clouds of mirror-bright and dark reflection
  float crackle;  // network of fine cracks
  float wear;     // bole rubbed through at patches
  float toning;   // brown antique glaze settled in patches
  uint32_t seed;
};
Colour leaf(const LeafFinish& f, Pixel p);

// Brushed metal; anodised when tinted.
struct MetalFinish {
  Colour base;
  float brushing;  // depth of the brush lines
  float sheen;     // soft reflections of the room
  uint32_t seed;
};
Colour metal(const MetalFinish& f, Pixel p);

// Paint brushed along the moulding over wood; distressed paint wears through to the wood.
struct PaintFinish {
  Colour paint;
  const WoodSpecies* ground;  // the wood underneath
  float distress;             // how much of the wood shows at worn patches and edges
  uint32_t seed;
};
Colour paint(const PaintFinish& f, Pixel p);

Colour marble(Pixel p);

// Mat boards and fabric-wrapped mats.
struct MatBoard {
  Colour base;
  float fibres;  // visible fibres of rag board
  float tooth;   // surface relief lit from the top-left (watercolour paper)
  uint32_t seed;
};
Colour board(const MatBoard& m, Pixel p);
Colour weave(Colour base, int pitch, float slubs, uint32_t seed, Pixel p);
Colour suede(Colour base, uint32_t seed, Pixel p);

}  // namespace lumabord::assets
