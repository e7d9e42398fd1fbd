// The texture files a design reads and the process-wide cache of decoded textures.
#include "compose/texture_cache.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "compose/asset_paths.h"
#include "render_fixtures.h"

namespace lumabord {
namespace {

TEST(DesignTextures, AreTheFilesTheRendererReadsEachOnce) {
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

TEST(TextureCache, PrefetchDecodesAheadAndSkipsFailures) {
  testing::AssetFolder assets;
  assets.texture("Wood/oak.bmp", testing::patternImage(5, 3, 4));
  const std::filesystem::path oak = texturePath(assets.path(), "Wood\\oak.bmp");
  const std::filesystem::path missing = texturePath(assets.path(), "none.bmp");
  EXPECT_NO_THROW(prefetchTextures({missing, oak}));
  const std::shared_ptr<const Image> first = loadTexture(oak);
  EXPECT_EQ(first.get(), loadTexture(oak).get()) << "the prefetched picture is reused";
  EXPECT_TRUE(*first == testing::patternImage(5, 3, 4));
  EXPECT_THROW((void)loadTexture(missing), Error);
}

}  // namespace
}  // namespace lumabord
