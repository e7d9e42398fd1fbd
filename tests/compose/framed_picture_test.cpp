// FramedPicture: the reduced preview painted in bands has the bytes of the whole framed image
// resampled, and a picture keeps painting its photo after the photo's owner replaces it (and
// refuses a photo changed under it).
#include "compose/framed_picture.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "compose/resample.h"
#include "render_fixtures.h"

namespace lumabord {
namespace {

using testing::patternImage;

// The default asset set beside the programs, with textures, a profile and a drop shadow.
FrameSpec texturedDesign() {
  FrameSpec spec;
  spec.FrameProfile = "Ogee";
  spec.DropShadow = "soft";
  spec.FrameTexture = "Wood/walnut.jpg";
  spec.OuterTexture = "marble.jpg";
  spec.InnerUseTexture = false;
  spec.OuterTop = 40;
  spec.InnerWidth = 9;
  spec.EdgeShadowOn = true;
  return spec;
}

TEST(FramedPicture, ReducedPreviewIsTheWholeImageResampled) {
  const RenderContext context{LUMABORD_BINARY_DIR};
  const FrameSpec spec = texturedDesign();
  for (const bool queueEmpty : {false, true}) {
    Image photo = patternImage(640, 430, 3);
    const FramedPicture picture = PrepareFrame(spec, photo, queueEmpty, context);
    Image whole;
    ComposeFrame(spec, photo, queueEmpty, context, whole);
    ASSERT_EQ(picture.width(), whole.width());
    ASSERT_EQ(picture.height(), whole.height());
    const int w = whole.width(), h = whole.height();
    // A fitted view; a tiny one whose filter reaches far past the edges; one pixel less
    // than the whole (a band boundary in almost every list); an enlargement.
    const Size sizes[] = {{w * 3 / 10, h * 3 / 10}, {7, 3}, {w - 1, h - 1}, {w + 5, h + 2}};
    for (const Size size : sizes) {
      SCOPED_TRACE(::testing::Message()
                   << size.width << "x" << size.height << (queueEmpty ? " empty queue" : ""));
      Image expected;
      Resample(whole, expected, size.width, size.height, BoxFilter, kBoxRadius);
      Image reduced;
      picture.paintReduced(reduced, size.width, size.height);
      EXPECT_TRUE(reduced == expected);
    }
    EXPECT_TRUE(picture.whole() == whole);
  }
}

TEST(FramedPicture, KeepsItsPhotoWhenTheOwnerReplacesIt) {
  const RenderContext context{LUMABORD_BINARY_DIR};
  const FrameSpec spec = texturedDesign();
  for (const bool take : {true, false}) {
    Image photo = patternImage(120, 90, 5);
    Image expected;
    ComposeFrame(spec, photo, false, context, expected);
    FramedPicture picture = PrepareFrame(spec, photo, false, context);
    picture.keepPhoto(photo, take);
    photo = patternImage(300, 20, 6);
    const FramedPicture moved = std::move(picture);
    Image painted;
    moved.paint(painted);
    EXPECT_TRUE(painted == expected) << (take ? "taken" : "copied");
  }
  // Not kept: a photo of another size is refused rather than read past its rows.
  Image photo = patternImage(120, 90, 5);
  const FramedPicture picture = PrepareFrame(spec, photo, false, context);
  photo = patternImage(60, 40, 6);
  Image painted;
  EXPECT_THROW(picture.paint(painted), Error);
  EXPECT_THROW(picture.paintReduced(painted, 30, 20), Error);
}

}  // namespace
}  // namespace lumabord
