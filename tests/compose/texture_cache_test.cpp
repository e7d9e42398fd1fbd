// The texture files a design reads and the process-wide cache of decoded textures.
#include "compose/texture_cache.h"

#include <gtest/gtest.h>

#include <thread>

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

TEST(TextureCache, ATextureAskedForWhileItDecodesIsDecodedOnce) {
  testing::AssetFolder assets;
  // Large enough that the second request arrives while the first still decodes.
  assets.texture("Wood/big.bmp", testing::patternImage(1800, 1800, 9));
  const std::filesystem::path big = texturePath(assets.path(), "Wood\\big.bmp");
  std::shared_ptr<const Image> first, second;
  std::thread other([&] { first = loadTexture(big); });
  second = loadTexture(big);
  other.join();
  EXPECT_EQ(first.get(), second.get());
  // A failure reaches every caller that waited for it.
  assets.write("Image Textures/Wood/bad.png", std::string(5000, 'x'));
  const std::filesystem::path bad = texturePath(assets.path(), "Wood\\bad.png");
  std::thread failing([&] { EXPECT_THROW((void)loadTexture(bad), Error); });
  EXPECT_THROW((void)loadTexture(bad), Error);
  failing.join();
}

}  // namespace
}  // namespace lumabord
