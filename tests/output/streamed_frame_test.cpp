// The batch paints a framed photo a band at a time while the photo decodes, and resamples
// the rows as they arrive: its pictures must be exactly those of framing the whole photo
// and resampling it, for every bundled style and for boxes from tiny to larger than the
// picture, and a photo that breaks off must fail with the loader's own message.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/error.h"
#include "codecs/image_writers.h"
#include "codecs/photo_tags_test.h"
#include "codecs/picture_loader.h"
#include "compose/asset_library.h"
#include "compose/compose_frame.h"
#include "compose/design_controls.h"
#include "compose/frame_layout.h"
#include "compose/resample.h"
#include "compose/style_file.h"
#include "output/compose_stage.h"
#include "output/frame_engine.h"
#include "signature/signature.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

const fs::path kAppPath = LUMABORD_BINARY_DIR;

// A photo with detail everywhere, so that a row taken from the wrong place shows.
Image detailedPhoto(int w, int h) {
  Image image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const auto v = static_cast<uint32_t>(x * 37 + y * 101 + (x * y) % 53);
      image.setPixel(x, y,
                     Rgb{static_cast<uint8_t>(v), static_cast<uint8_t>(v * 7 + y),
                         static_cast<uint8_t>(x ^ y)});
    }
  }
  return image;
}

// The framed picture of the photo at path through the batch's stage, resampled into box.
Image streamed(const FrameSpec& spec, const fs::path& path, Size box, bool placeholder = false,
               Image workPhoto = {}, bool keepPhoto = false, SignatureDrawer* signature = nullptr) {
  StandardFrameEngine engine(kAppPath, signature);
  engine.prepare(spec);
  ComposeStage stage(engine, spec, {path}, placeholder, keepPhoto, workPhoto);
  RowSource& rows = stage.take(0);
  const Size size = FitWithin(rows.width(), rows.height(), box.width, box.height);
  Image out;
  ResizeRows(rows, out, size.width, size.height);
  stage.release(0);
  return out;
}

// The same from the whole decoded photo and the whole framed picture.
Image whole(const FrameSpec& spec, Image photo, Size box, bool queueEmpty = false,
            SignatureDrawer* signature = nullptr) {
  Image framed;
  RenderContext context{kAppPath};
  context.signature = signature;
  ComposeFrame(spec, photo, queueEmpty, context, framed);
  const Size size = FitWithin(framed.width(), framed.height(), box.width, box.height);
  Image out;
  ResizeImage(framed, out, size.width, size.height);
  return out;
}

std::vector<FrameSpec> bundledStyles() {
  DesignControls c;
  FillShadowList(c, kAppPath);
  FillTextureLists(c, kAppPath);
  FillStyleList(c, kAppPath, 0);
  FillMaskList(c, kAppPath);
  std::vector<FrameSpec> styles;
  for (size_t i = 0; i < c.cboFrame.entries.size(); ++i) {
    c.cboFrame.selected = static_cast<int>(i);
    ReadStyle(c, kAppPath);
    styles.push_back(snapshot(c, DesignSettings{}));
  }
  return styles;
}

TEST(StreamedFraming, EveryBundledStyleAndBoxGivesTheWholePictureResult) {
  TempDir dir;
  const fs::path jpeg = dir / "photo.jpg";
  WriteJpegFile(jpeg, detailedPhoto(331, 217), JpegOptions{});
  const Image decoded = loadPicture(jpeg);
  const std::vector<FrameSpec> styles = bundledStyles();
  ASSERT_GE(styles.size(), 8u);
  for (size_t i = 0; i < styles.size(); ++i) {
    SCOPED_TRACE("style " + std::to_string(i));
    // Strong and mild reductions, one pixel high (made two), and no reduction at all.
    for (const Size box : {Size{97, 80}, Size{640, 480}, Size{5000, 1}, Size{5000, 5000}}) {
      SCOPED_TRACE(std::to_string(box.width) + " x " + std::to_string(box.height));
      EXPECT_EQ(streamed(styles[i], jpeg, box), whole(styles[i], decoded.clone(), box));
    }
  }
}

TEST(StreamedFraming, OtherFormatsThePlaceholderAndNegativeMarginsToo) {
  TempDir dir;
  FrameSpec spec = bundledStyles().at(0);
  const Image photo = detailedPhoto(120, 90);
  const fs::path bmp = dir / "photo.bmp";
  WriteBmpFile(bmp, photo);
  EXPECT_EQ(streamed(spec, bmp, {200, 150}), whole(spec, photo.clone(), {200, 150}));
  // The window's batch decodes each photo whole into the work photo first.
  EXPECT_EQ(streamed(spec, bmp, {200, 150}, false, {}, true),
            whole(spec, photo.clone(), {200, 150}));
  // An empty queue frames the blank work photo without its pixels.
  EXPECT_EQ(streamed(spec, {}, {300, 300}, true, Image(800, 600, Rgb{255, 255, 255})),
            whole(spec, Image(800, 600, Rgb{255, 255, 255}), {300, 300}, true));
  // Negative margins push the photo past the matte and the top of the picture.
  spec.OuterTop = -400;
  spec.OuterLeft = -600;
  spec.InnerWidth = 3;
  const Image big = detailedPhoto(700, 500);
  const Rect placed = FrameLayout(spec, 700, 500, true, {kAppPath}).geometry().photo;
  ASSERT_LT(placed.x, 0) << "the photo must stick out on the left, so it cannot decode in place";
  ASSERT_LT(placed.y, 0);
  const fs::path bigBmp = dir / "big.bmp";
  WriteBmpFile(bigBmp, big);
  EXPECT_EQ(streamed(spec, bigBmp, {256, 256}), whole(spec, big.clone(), {256, 256}));
}

TEST(StreamedFraming, ATaggedPhotoConvertsToSrgbAsWhenLoadedWhole) {
  TempDir dir;
  const fs::path jpeg = dir / "adobe.jpg";
  WriteJpegFile(jpeg, detailedPhoto(333, 221), JpegOptions{});
  testing::embedProfile(jpeg, testing::adobeRgbProfile());
  const Image converted = loadPhoto(jpeg, {}, {}, nullptr);
  ASSERT_NE(converted, loadPicture(jpeg));
  FrameSpec spec = bundledStyles().at(0);
  // Decoded in place, converted by the caller while it paints; pushed over the top, the
  // rows above the picture dropped; pushed out on the left, decoded and converted aside.
  for (const auto& [top, left] : {std::pair{0, 0}, std::pair{-300, 0}, std::pair{0, -400}}) {
    SCOPED_TRACE(std::to_string(top) + ", " + std::to_string(left));
    spec.OuterTop = top;
    spec.OuterLeft = left;
    EXPECT_EQ(streamed(spec, jpeg, {400, 300}), whole(spec, converted.clone(), {400, 300}));
  }
}

TEST(StreamedFraming, TheSignatureOnBothLevelsInAllSixPositionsGivesTheWholePictureResult) {
  TempDir dir;
  const Image photo = detailedPhoto(120, 90);
  const fs::path bmp = dir / "photo.bmp";
  WriteBmpFile(bmp, photo);
  // Letters taller than the outer matte's band, so that on the matte they also cover the
  // inner matte and the photo, and on the photo they reach into the inner matte.
  SignatureLettering lettering;
  lettering.text = "\xA9 Lee & Co";
  lettering.font.name = "DejaVu Sans";
  lettering.font.setSize(40);
  lettering.font.style = kFontBold;
  lettering.font3d = signatureDefaultDesign();
  lettering.font3d.gradient().setEndColor(0x2040C0);
  Signature signature;
  signature.setLettering(lettering);
  FrameSpec spec = bundledStyles().at(0);
  spec.SignatureOn = true;
  spec.InnerWidth = 12;
  for (const int drawOn : {0, 1}) {
    spec.SigDrawOn = drawOn;
    spec.SignatureOn = false;
    const Image unsigned_ = whole(spec, photo.clone(), {5000, 5000});
    spec.SignatureOn = true;
    for (int align = 0; align < 6; ++align) {
      spec.SigAlign = align;
      SCOPED_TRACE("draw on " + std::to_string(drawOn) + ", align " + std::to_string(align));
      const Image full = whole(spec, photo.clone(), {5000, 5000}, false, &signature);
      EXPECT_FALSE(full == unsigned_) << "the signature shows";
      EXPECT_EQ(streamed(spec, bmp, {5000, 5000}, false, {}, false, &signature), full);
      EXPECT_EQ(streamed(spec, bmp, {97, 80}, false, {}, align % 2 == 0, &signature),
                whole(spec, photo.clone(), {97, 80}, false, &signature));
    }
  }
  // An empty queue has no photo to sign; on the matte the signature is drawn all the same.
  for (const int drawOn : {0, 1}) {
    spec.SigDrawOn = drawOn;
    const Image blank(800, 600, Rgb{255, 255, 255});
    EXPECT_EQ(streamed(spec, {}, {300, 300}, true, blank.clone(), false, &signature),
              whole(spec, blank.clone(), {300, 300}, true, &signature));
  }
}

TEST(StreamedFraming, APhotoThatBreaksOffFailsWithTheLoadersMessage) {
  TempDir dir;
  const fs::path jpeg = dir / "cut.jpg";
  WriteJpegFile(jpeg, detailedPhoto(400, 300), JpegOptions{80, false, false});
  std::string bytes = testing::readText(jpeg);
  bytes.resize(bytes.size() / 2);
  dir.write("cut.jpg", bytes);
  std::string expected;
  try {
    (void)loadPicture(jpeg);
  } catch (const Error& e) {
    expected = e.what();
  }
  ASSERT_FALSE(expected.empty());
  try {
    (void)streamed(bundledStyles().at(0), jpeg, {100, 100});
    ADD_FAILURE() << "the cut photo was framed";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), expected);
  }
}

}  // namespace
}  // namespace lumabord
