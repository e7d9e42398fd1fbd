// The texture pictures of "Image Textures/": woods, gilding, metals, paints, marble and mat
// surfaces, each rendered from a periodic shader so that copies placed side by side meet
// without seams. Wood and brushed tiles are long along x, the way the rails show them.
#include "assets/textures.h"

#include <functional>
#include <string>
#include <vector>

#include "assets/parallel.h"
#include "assets/picture.h"
#include "assets/surfaces.h"

namespace lumabord::assets {
namespace {

namespace fs = std::filesystem;

using Shader = std::function<Colour(Pixel)>;

Picture render(int w, int h, const Shader& shader) {
  Picture p(w, h);
  parallelFor(h, [&](int y) {
    for (int x = 0; x < w; ++x) p.at(x, y) = shader(Pixel{x, y, w, h});
  });
  return p;
}

// early, late, pore, rings, ring pores, diffuse pores, rays, figure, knots, weather, seed
// clang-format off
const WoodSpecies kOak{{206, 166, 112}, {150, 104, 60}, {88, 58, 32}, 34, 0.75f, 0.02f, 1, 1, 1, 0, 101};
const WoodSpecies kWalnut{{116, 80, 54}, {68, 44, 30}, {34, 22, 15}, 40, 0.1f, 0.18f, 0, 1.2f, 0, 0, 102};
const WoodSpecies kCherry{{150, 88, 60}, {108, 56, 37}, {74, 38, 25}, 36, 0, 0.12f, 0, 1, 0, 0, 103};
const WoodSpecies kMaple{{232, 206, 164}, {206, 172, 124}, {178, 140, 96}, 30, 0, 0.08f, 0, 0.7f, 0, 0, 104};
const WoodSpecies kEbonised{{44, 38, 34}, {22, 19, 17}, {10, 9, 8}, 34, 0.75f, 0.02f, 0.6f, 0.6f, 0, 0, 105};
const WoodSpecies kDriftwood{{188, 178, 162}, {134, 124, 110}, {92, 86, 78}, 22, 0.3f, 0.05f, 0, 1, 0, 0.7f, 106};
const WoodSpecies kBarnWood{{152, 146, 136}, {96, 90, 82}, {52, 48, 44}, 20, 0.5f, 0.05f, 0, 1.3f, 1, 1, 107};
const WoodSpecies kPine{{214, 186, 140}, {176, 132, 84}, {120, 86, 52}, 22, 0, 0.02f, 0, 0.8f, 1, 0, 108};
// clang-format on

struct Texture {
  std::string file;
  int width, height;
  Shader shader;
};

std::vector<Texture> textureList() {
  const auto woodOf = [](const WoodSpecies& s) { return [&s](Pixel p) { return wood(s, p); }; };
  const auto leafOf = [](LeafFinish f) { return [f](Pixel p) { return leaf(f, p); }; };
  const auto metalOf = [](MetalFinish f) { return [f](Pixel p) { return metal(f, p); }; };
  const auto paintOf = [](PaintFinish f) { return [f](Pixel p) { return paint(f, p); }; };
  const auto boardOf = [](MatBoard m) { return [m](Pixel p) { return board(m, p); }; };
  return {
      {"Wood/oak.jpg", 2048, 1024, woodOf(kOak)},
      {"Wood/walnut.jpg", 2048, 1024, woodOf(kWalnut)},
      {"Wood/cherry.jpg", 2048, 1024, woodOf(kCherry)},
      {"Wood/maple.jpg", 2048, 1024, woodOf(kMaple)},
      {"Wood/ebony.jpg", 2048, 1024, woodOf(kEbonised)},
      {"Wood/driftwood.jpg", 2048, 1024, woodOf(kDriftwood)},
      {"Wood/barn wood.jpg", 2048, 1024, woodOf(kBarnWood)},
      // burnish, crackle, wear, toning
      {"Metal/gold leaf.jpg", 1024, 1024,
       leafOf({{214, 172, 84}, {150, 64, 38}, 1, 0.25f, 0.15f, 0, 201})},
      {"Metal/antique gold.jpg", 1024, 1024,
       leafOf({{190, 150, 78}, {130, 52, 32}, 0.4f, 0.6f, 0.9f, 0.3f, 202})},
      {"Metal/silver leaf.jpg", 1024, 1024,
       leafOf({{208, 208, 204}, {104, 92, 84}, 0.35f, 0.4f, 0.2f, 0.15f, 203})},
      {"Metal/brushed silver.jpg", 2048, 512, metalOf({{198, 200, 204}, 1, 1, 211})},
      {"Metal/black anodised.jpg", 2048, 512, metalOf({{46, 47, 50}, 1.3f, 0.8f, 212})},
      {"Metal/bronze anodised.jpg", 2048, 512, metalOf({{124, 96, 66}, 1, 0.9f, 213})},
      {"Painted/black satin.jpg", 2048, 1024, paintOf({{30, 30, 31}, &kOak, 0, 301})},
      {"Painted/white.jpg", 2048, 1024, paintOf({{236, 234, 228}, &kPine, 0, 302})},
      {"Painted/distressed white.jpg", 2048, 1024, paintOf({{226, 222, 210}, &kPine, 1, 303})},
      {"Painted/distressed sage.jpg", 2048, 1024, paintOf({{150, 162, 138}, &kOak, 0.8f, 304})},
      {"marble.jpg", 1024, 1024, marble},
      {"Matte/cotton rag.jpg", 1024, 1024, boardOf({{246, 244, 236}, 0.7f, 0.04f, 401})},
      {"Matte/black core.jpg", 1024, 1024, boardOf({{34, 34, 35}, 2.5f, 0, 402})},
      {"Matte/watercolour paper.jpg", 1024, 1024, boardOf({{247, 244, 236}, 0.4f, 1, 403})},
      {"Matte/linen.png", 510, 510,
       [](Pixel p) {
         return weave({228, 220, 204}, 3, 1, 61, p);
       }},
      {"Matte/canvas.png", 504, 504,
       [](Pixel p) {
         return weave({234, 228, 214}, 4, 0.6f, 71, p);
       }},
      {"Matte/suede.jpg", 1024, 1024,
       [](Pixel p) {
         return suede({120, 102, 86}, 51, p);
       }},
  };
}

}  // namespace

void writeTextures(const fs::path& folder) {
  std::vector<std::function<void()>> jobs;
  for (Texture& t : textureList()) {
    fs::create_directories((folder / t.file).parent_path());
    jobs.emplace_back([&folder, t] {
      const fs::path file = folder / t.file;
      const Picture picture = render(t.width, t.height, t.shader);
      if (file.extension() == ".png")
        writePng(file, picture);
      else
        writeJpeg(file, picture, 92);
    });
  }
  runJobs(jobs);
}

}  // namespace lumabord::assets
