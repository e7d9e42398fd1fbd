// The batch's texture cache: each texture decoded once per batch, failures never kept, the
// design's texture files named as the renderer names them.
#include "output/texture_cache.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/error.h"

namespace lumabord {
namespace {

// Pictures of 2 x 1 pixels whose colour counts the decodes; "broken" in a name fails.
class CountingLoader final : public PictureLoader {
 public:
  Image load(const std::filesystem::path& path) const override {
    const int n = ++decodes;
    if (path.string().find("broken") != std::string::npos)
      fail("Cannot open file %s", path.c_str());
    return Image(2, 1, Rgb{static_cast<uint8_t>(n), 0, 0});
  }
  mutable std::atomic<int> decodes = 0;
};

TEST(TextureCache, DecodesEachTextureOncePerBatchAndNeverKeepsAFailure) {
  CountingLoader source;
  TextureCache cache(source);
  cache.prefetch({"/a/oak.jpg", "/a/broken.png"});
  EXPECT_EQ(source.decodes, 2);
  // Every photo of the batch gets the picture decoded first, as a copy of its own.
  for (int photo = 0; photo < 3; ++photo) {
    const Image oak = cache.load("/a/oak.jpg");
    EXPECT_EQ(oak.pixel(1, 0), (Rgb{1, 0, 0}));
  }
  EXPECT_EQ(source.decodes, 2);
  for (int photo = 0; photo < 2; ++photo) {
    try {
      (void)cache.load("/a/broken.png");
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Cannot open file /a/broken.png");
    }
  }
  EXPECT_EQ(source.decodes, 4);

  // The next batch reads the files again.
  cache.clear();
  EXPECT_EQ(cache.load("/a/oak.jpg").pixel(0, 0), (Rgb{5, 0, 0}));
}

TEST(TextureCache, APrefetchAndTheRendererMayAskAtOnce) {
  CountingLoader source;
  TextureCache cache(source);
  std::vector<std::filesystem::path> paths;
  for (int i = 0; i < 50; ++i) paths.push_back("/t/" + std::to_string(i) + ".png");
  std::thread ahead([&] { cache.prefetch(paths); });
  for (const auto& path : paths) EXPECT_EQ(cache.load(path).width(), 2);
  ahead.join();
  EXPECT_GE(source.decodes, 50);
  EXPECT_LE(source.decodes, 100);
  const int before = source.decodes;
  for (const auto& path : paths) (void)cache.load(path);
  EXPECT_EQ(source.decodes, before);
}

TEST(TextureCache, TheDesignsTexturesAreTheFilesTheRendererReads) {
  FrameSpec spec;
  spec.FrameUseTexture = true;
  spec.FrameTexture = "Wood\\oak.jpg";
  spec.OuterUseTexture = true;
  spec.OuterTexture = "Matte\\linen.png";
  spec.InnerUseTexture = true;
  spec.InnerTexture = "Matte\\linen.png";
  EXPECT_EQ(designTextures(spec, "/app"),
            (std::vector<std::filesystem::path>{"/app/Image Textures/Matte/linen.png",
                                                "/app/Image Textures/Wood/oak.jpg"}));
  spec.OuterUseTexture = false;
  spec.InnerUseTexture = false;
  spec.FrameTexture.clear();  // the renderer reports the missing choice itself
  EXPECT_TRUE(designTextures(spec, "/app").empty());
}

}  // namespace
}  // namespace lumabord
