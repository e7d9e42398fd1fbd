// ComposeFrame: the same pixels and step texts as the plain layer-by-layer framing, the
// geometry, ring and shadow radii, tiling phase, clipping, and the failure path.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "base/error.h"
#include "compose/compose_frame.h"
#include "compose/frame_geometry.h"
#include "render_fixtures.h"
#include "support/layered_compose.h"

namespace lumabord {
namespace {

using testing::AssetFolder;
using testing::flatMask;
using testing::patternImage;
using testing::patternMask;
using testing::RecordedSteps;

// Inverts the diagonal of the level it is placed on (so the mark depends on what lies below)
// and records every placing.
struct InvertedDiagonal : LevelOverlay {
  int size = 0;
  Rect area() const override { return {0, 0, size, size}; }
  void lay(int y, int x0, int x1, uint8_t* pixels) const override {
    if (y < x0 || y >= x1) return;
    uint8_t* p = pixels + 3 * (y - x0);
    for (int k = 0; k < 3; ++k) p[k] = static_cast<uint8_t>(255 - p[k]);
  }
};

struct MarkingSignature : SignatureDrawer {
  std::vector<std::string> calls;
  bool failing = false;
  std::shared_ptr<const LevelOverlay> PlaceSignature(const FrameSpec&, int width,
                                                     int height) override {
    calls.push_back(std::to_string(width) + "x" + std::to_string(height));
    if (failing) throw Error("The signature font is missing");
    auto mark = std::make_shared<InvertedDiagonal>();
    mark->size = std::min(width, height);
    return mark;
  }
};

struct Rendered {
  Image image;
  std::vector<std::string> steps;
  std::vector<std::string> signatureCalls;
};

class ComposeFrameTest : public ::testing::Test {
 protected:
  ComposeFrameTest() {
    assets.edgeMask(patternMask(7, 7, 1));
    assets.profile("Profile", patternMask(9, 9, 2), 4, 3);
    assets.shadow("Shadow", patternMask(13, 9, 3));
    assets.texture("Wood/oak.bmp", patternImage(5, 3, 4));
    assets.texture("linen.bmp", patternImage(4, 7, 5));
    assets.texture("Metal/gold.bmp", patternImage(3, 3, 6));
  }

  // A small design: every band a few pixels, colours only, edge shadow of 3.
  static FrameSpec smallDesign() {
    FrameSpec spec;
    spec.FrameColor = 0x204060;
    spec.FrameUseTexture = false;
    spec.FrameProfile = "Profile";
    spec.OuterColor = 0xE0D0C0;
    spec.OuterUseTexture = false;
    spec.OuterLeft = 5;
    spec.OuterTop = 4;
    spec.OuterRight = 6;
    spec.OuterBottom = 2;
    spec.InnerColor = 0x3050F0;
    spec.InnerUseTexture = false;
    spec.InnerWidth = 3;
    spec.ShadowSize = 3;
    spec.ShadowColor = 0x101010;
    spec.BackgroundColor = 0xF8F8F8;
    return spec;
  }

  using Compose = std::function<void(const FrameSpec&, Image&, bool, const RenderContext&, Image&)>;

  Rendered render(const Compose& compose, const FrameSpec& spec, const Image& photo,
                  bool queueEmpty, Image target = Image()) {
    Image work = photo.clone();
    RecordedSteps steps;
    MarkingSignature signature;
    compose(spec, work, queueEmpty, {assets.path(), nullptr, nullptr, &signature, &steps}, target);
    return {std::move(target), steps.texts, signature.calls};
  }
  Rendered render(const FrameSpec& spec, const Image& photo, bool queueEmpty = false) {
    return render(ComposeFrame, spec, photo, queueEmpty);
  }

  AssetFolder assets;
};

TEST_F(ComposeFrameTest, SamePixelsAndStepsAsTheLayerByLayerFraming) {
  struct Design {
    const char* name;
    std::function<void(FrameSpec&, AssetFolder&)> change;
    int photoW = 13, photoH = 9;
    bool queueEmpty = false;
  };
  const std::vector<Design> designs = {
      {"colours", [](FrameSpec&, AssetFolder&) {}},
      {"textures, drop shadow, edge shadow 2",
       [](FrameSpec& s, AssetFolder&) {
         s.FrameUseTexture = s.OuterUseTexture = s.InnerUseTexture = true;
         s.FrameTexture = "Wood\\oak.bmp";
         s.OuterTexture = "linen.bmp";
         s.InnerTexture = "Metal/gold.bmp";
         s.DropShadow = "Shadow";
         s.ShadowSize = 2;
       }},
      {"empty queue, signature on the photo is not drawn",
       [](FrameSpec& s, AssetFolder&) {
         s.InnerUseTexture = true;
         s.InnerTexture = "linen.bmp";
         s.SignatureOn = true;
         s.SigDrawOn = 1;
       },
       13, 9, true},
      {"signature on the photo",
       [](FrameSpec& s, AssetFolder&) {
         s.SignatureOn = true;
         s.SigDrawOn = 1;
         s.DropShadow = "Shadow";
       }},
      {"signature on the matte, after the edge shadow",
       [](FrameSpec& s, AssetFolder&) {
         s.SignatureOn = true;
         s.OuterUseTexture = true;
         s.OuterTexture = "Wood/oak.bmp";
       }},
      {"no matte widths, rings clipped",
       [](FrameSpec& s, AssetFolder&) {
         s.InnerWidth = 0;
         s.OuterLeft = s.OuterTop = s.OuterRight = s.OuterBottom = 0;
         s.DropShadow = "Shadow";
       }},
      {"negative matte widths and frame band, edge shadow 5",
       [](FrameSpec& s, AssetFolder& a) {
         s.OuterLeft = 0;
         s.OuterTop = -2;
         s.OuterRight = -3;
         s.OuterBottom = -1;
         s.ShadowSize = 5;
         a.profile("Narrow", patternMask(5, 7, 8), -2, 1);
         s.FrameProfile = "Narrow";
       }},
      {"even masks",
       [](FrameSpec& s, AssetFolder& a) {
         a.edgeMask(patternMask(6, 4, 9));
         a.profile("Even", patternMask(8, 10, 10), 5, 6);
         a.shadow("Even", patternMask(10, 4, 11));
         s.FrameProfile = "Even";
         s.DropShadow = "Even";
       }},
      {"single-pixel masks, edge shadow 1",
       [](FrameSpec& s, AssetFolder& a) {
         a.edgeMask(flatMask(1, 1, 40));
         a.profile("Dot", flatMask(1, 5, 200), 2, 2);
         s.FrameProfile = "Dot";
         s.ShadowSize = 1;
       }},
      {"empty edge mask (header size 0), one-pixel drop shadow",
       [](FrameSpec& s, AssetFolder& a) {
         a.edgeMask(flatMask(3, 3, 0), {0});
         a.shadow("Dot", flatMask(1, 1, 0));
         s.DropShadow = "Dot";
       }},
      {"edge shadow wider than the matte", [](FrameSpec& s, AssetFolder&) { s.ShadowSize = 30; }},
      {"masks larger than their layers",
       [](FrameSpec& s, AssetFolder& a) {
         a.edgeMask(patternMask(15, 15, 12));
         a.shadow("Wide", patternMask(81, 3, 13));
         s.DropShadow = "Wide";
         s.InnerWidth = 1;
       },
       2, 2},
      {"neutral bands, texture larger than its layers",
       [](FrameSpec& s, AssetFolder& a) {
         BevelMask mask = patternMask(9, 9, 14);
         for (int i = 0; i < 9; ++i) mask.values[static_cast<size_t>(4 * 9 + i)] = 127;
         a.edgeMask(mask);
         a.texture("big.bmp", patternImage(90, 70, 15));
         s.OuterUseTexture = s.FrameUseTexture = true;
         s.OuterTexture = s.FrameTexture = "big.bmp";
       }},
  };
  for (const Design& design : designs) {
    FrameSpec spec = smallDesign();
    assets.edgeMask(patternMask(7, 7, 1));
    design.change(spec, assets);
    const Image photo = patternImage(design.photoW, design.photoH, 16);
    const Rendered expected = render(testing::layeredComposeFrame, spec, photo, design.queueEmpty);
    const Rendered fresh = render(ComposeFrame, spec, photo, design.queueEmpty);
    // A target whose buffer is larger than the result is painted in place.
    const Rendered reused =
        render(ComposeFrame, spec, photo, design.queueEmpty, patternImage(120, 90, 17));
    EXPECT_TRUE(fresh.image == expected.image) << design.name;
    EXPECT_TRUE(reused.image == expected.image) << design.name;
    EXPECT_EQ(fresh.steps, expected.steps) << design.name;
    EXPECT_EQ(fresh.signatureCalls, expected.signatureCalls) << design.name;
  }
}

TEST(ComposeFrameAssets, DefaultAssetSetGivesTheLayerByLayerPixels) {
  // The generated asset set beside the programs: large profile masks, textures taller than
  // the frame bands, every profile and every shadow once.
  const std::filesystem::path app = LUMABORD_BINARY_DIR;
  std::vector<std::string> profiles;
  std::vector<std::string> shadows;
  std::vector<std::string> textures;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(app / "Image Masks", ec)) {
    if (e.path().extension() == ".bmp") profiles.push_back(e.path().stem().string());
  }
  for (const auto& e : std::filesystem::directory_iterator(app / "Shadows", ec)) {
    shadows.push_back(e.path().stem().string());
  }
  for (const auto& e : std::filesystem::recursive_directory_iterator(app / "Image Textures", ec)) {
    if (e.is_regular_file()) {
      textures.push_back(std::filesystem::relative(e.path(), app / "Image Textures").string());
    }
  }
  if (profiles.empty() || shadows.empty() || textures.empty()) GTEST_SKIP() << "no assets";
  std::sort(profiles.begin(), profiles.end());
  std::sort(shadows.begin(), shadows.end());
  std::sort(textures.begin(), textures.end());
  // The last photo is large enough to be streamed into a result painted by two threads.
  for (size_t i = 0; i <= profiles.size(); ++i) {
    const bool large = i == profiles.size();
    const Image photo = large ? patternImage(2000, 1500, 7) : patternImage(320, 200, 8);
    FrameSpec spec;
    spec.FrameProfile = profiles[i % profiles.size()];
    spec.DropShadow = shadows[i % shadows.size()];
    spec.FrameTexture = textures[i % textures.size()];
    spec.OuterTexture = textures[(i + 1) % textures.size()];
    spec.InnerTexture = textures[(i + 2) % textures.size()];
    spec.OuterTop = static_cast<int>(i) * 7;
    Image expected;
    Image actual;
    Image work = photo.clone();
    testing::layeredComposeFrame(spec, work, false, {app}, expected);
    ComposeFrame(spec, work, false, {app}, actual);
    EXPECT_TRUE(actual == expected) << spec.FrameProfile << " with " << spec.DropShadow;
  }
}

TEST_F(ComposeFrameTest, TexturesAreReadAfreshEveryRender) {
  // Decoded textures are reused only for identical file bytes: a texture rewritten in place
  // with the same size shows at the next render, and a deleted one fails.
  FrameSpec spec = smallDesign();
  spec.FrameUseTexture = true;
  spec.FrameTexture = "swap.bmp";
  const Image photo = patternImage(5, 5, 1);
  assets.texture("swap.bmp", patternImage(6, 6, 20));
  const Image first = render(spec, photo).image;
  assets.texture("swap.bmp", patternImage(6, 6, 21));
  const Image second = render(spec, photo).image;
  EXPECT_FALSE(second == first);
  EXPECT_TRUE(second == render(testing::layeredComposeFrame, spec, photo, false).image);
  std::filesystem::remove(assets.path() / "Image Textures" / "swap.bmp");
  EXPECT_THROW(render(spec, photo), Error);
}

TEST_F(ComposeFrameTest, StepTextsInOrder) {
  FrameSpec spec = smallDesign();
  const Image photo = patternImage(6, 4, 1);
  EXPECT_EQ(render(spec, photo).steps,
            (std::vector<std::string>{"Drawing Inner Matte", "Drawing Image", "Drawing Outer Matte",
                                      "Drawing Frame", " "}));
  spec.DropShadow = "Shadow";
  EXPECT_EQ(render(spec, photo, true).steps,
            (std::vector<std::string>{"Drawing Inner Matte", "Drawing Outer Matte", "Drawing Frame",
                                      "Drawing Shadow", " "}));
  spec.SignatureOn = true;
  const Rendered onMatte = render(spec, photo);
  EXPECT_EQ(onMatte.steps, (std::vector<std::string>{"Drawing Inner Matte", "Drawing Image",
                                                     "Drawing Outer Matte", "Drawing Signature",
                                                     "Drawing Frame", "Drawing Shadow", " "}));
  // On the matte the signature gets the outer matte O (6 + 6 + 11) x (4 + 6 + 6) ...
  EXPECT_EQ(onMatte.signatureCalls, (std::vector<std::string>{"23x16"}));
  spec.SigDrawOn = 1;
  const Rendered onPhoto = render(spec, photo);
  EXPECT_EQ(onPhoto.steps,
            (std::vector<std::string>{"Drawing Inner Matte", "Drawing Image", "Drawing Outer Matte",
                                      "Drawing Frame", "Drawing Shadow", " "}));
  // ... on the photo the inner matte I (6 + 6) x (4 + 6).
  EXPECT_EQ(onPhoto.signatureCalls, (std::vector<std::string>{"12x10"}));
}

TEST_F(ComposeFrameTest, RingAndDropShadowRadiiRoundHalfToEven) {
  EXPECT_EQ(ringRadius(29), 10);  // 9.67
  EXPECT_EQ(ringRadius(31), 10);  // 10.33
  EXPECT_EQ(ringRadius(7), 2);
  EXPECT_EQ(ringRadius(1), 0);
  EXPECT_EQ(dropShadowExtent(21).s, 10);  // 10.5
  EXPECT_EQ(dropShadowExtent(21).d, 4);   // 3.5
  EXPECT_EQ(dropShadowExtent(27).s, 14);  // 13.5
  EXPECT_EQ(dropShadowExtent(27).d, 4);   // 4.5
  EXPECT_EQ(dropShadowExtent(9).d, 2);    // 1.5

  // In the picture: an edge mask with a black first column and row and neutral elsewhere
  // draws one black line at the ring's outer edge, r pixels outside the photo.
  for (int width : {29, 31}) {
    BevelMask mask = flatMask(width, width, 128);
    for (int i = 0; i < width; ++i) {
      mask.values[static_cast<size_t>(i)] = 0;
      mask.values[static_cast<size_t>(i * width)] = 0;
    }
    assets.edgeMask(mask);
    FrameSpec spec = smallDesign();
    spec.InnerWidth = 20;
    spec.OuterLeft = spec.OuterTop = spec.OuterRight = spec.OuterBottom = 30;
    spec.EdgeShadowOn = false;
    const Image photo = patternImage(40, 30, 2);
    const Image result = render(spec, photo).image;
    const int photoX = 4 + 30 + 20;  // fw + L + n
    const int midY = 3 + 30 + 20 + 15;
    const Rgb inner = colorToRgb(spec.InnerColor);
    EXPECT_EQ(result.pixel(photoX - 11, midY), inner) << width;
    EXPECT_EQ(result.pixel(photoX - 10, midY), (Rgb{0, 0, 0})) << width;
    EXPECT_EQ(result.pixel(photoX - 9, midY), inner) << width;
    EXPECT_EQ(result.pixel(photoX, midY), photo.pixel(0, 15)) << width;
  }
}

TEST_F(ComposeFrameTest, ResultGeometryAndDropShadowOffsets) {
  FrameSpec spec = smallDesign();
  const Image photo = patternImage(17, 11, 3);
  const Image plain = render(spec, photo).image;
  // Pw + 2n + L + R + 2fw by Ph + 2n + T + B + 2fh.
  EXPECT_EQ(plain.width(), 17 + 6 + 5 + 6 + 8);
  EXPECT_EQ(plain.height(), 11 + 6 + 4 + 2 + 6);
  // A shadow mask 27 wide and 41 high: s = 14 in both directions, the picture at (4, 4).
  assets.shadow("Tall", flatMask(27, 41, 128));
  spec.DropShadow = "Tall";
  spec.BackgroundColor = 0x0000FF;
  const Image shadowed = render(spec, photo).image;
  ASSERT_EQ(shadowed.width(), plain.width() + 14);
  ASSERT_EQ(shadowed.height(), plain.height() + 14);
  for (int y = 0; y < shadowed.height(); ++y) {
    for (int x = 0; x < shadowed.width(); ++x) {
      const bool picture = x >= 4 && y >= 4 && x < 4 + plain.width() && y < 4 + plain.height();
      ASSERT_EQ(shadowed.pixel(x, y), picture ? plain.pixel(x - 4, y - 4) : (Rgb{255, 0, 0}))
          << x << "," << y;
    }
  }
}

TEST_F(ComposeFrameTest, RingIsTiledFromItsOwnCornerNotTheMatte) {
  // Neutral edge mask, no outer matte, no frame band, no shadows: the result is the inner
  // matte itself. The flat matte's tiles start at (0, 0), the ring's at (n - r, n - r) = (3, 3).
  assets.edgeMask(flatMask(7, 7, 128));
  assets.profile("None", patternMask(3, 3, 4), 0, 0);
  FrameSpec spec = smallDesign();
  spec.FrameProfile = "None";
  spec.OuterLeft = spec.OuterTop = spec.OuterRight = spec.OuterBottom = 0;
  spec.EdgeShadowOn = false;
  spec.InnerWidth = 5;
  spec.InnerUseTexture = true;
  spec.InnerTexture = "linen.bmp";
  const Image texture = patternImage(4, 7, 5);
  const Image photo = patternImage(6, 4, 6);
  const Image result = render(spec, photo).image;
  ASSERT_EQ(result.width(), 16);
  ASSERT_EQ(result.height(), 14);
  for (int y = 0; y < 14; ++y) {
    for (int x = 0; x < 16; ++x) {
      Rgb expected = texture.pixel(x % 4, y % 7);
      if (x >= 3 && y >= 3 && x < 13 && y < 11) expected = texture.pixel((x - 3) % 4, (y - 3) % 7);
      if (x >= 5 && y >= 5 && x < 11 && y < 9) expected = photo.pixel(x - 5, y - 5);
      ASSERT_EQ(result.pixel(x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(ComposeFrameTest, InnerWidthZeroLetsThePhotoMeetTheOuterBevel) {
  // Edge mask: first column 0, centre 64 (halves), elsewhere neutral.
  BevelMask mask = flatMask(7, 7, 128);
  for (int y = 0; y < 7; ++y) mask.values[static_cast<size_t>(y * 7)] = 0;
  mask.values[3 * 7 + 3] = 64;
  assets.edgeMask(mask);
  FrameSpec spec = smallDesign();
  spec.InnerWidth = 0;
  spec.EdgeShadowOn = false;
  const Image photo = patternImage(9, 8, 7);
  const Image result = render(spec, photo).image;
  const int x0 = 4 + 5;  // fw + L
  const int y0 = 3 + 4;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 9; ++x) ASSERT_EQ(result.pixel(x0 + x, y0 + y), photo.pixel(x, y));
  }
  // Left of the photo lies the outer ring (r = 2): neutral, then its black outer column.
  EXPECT_EQ(result.pixel(x0 - 1, y0 + 4), colorToRgb(spec.OuterColor));
  EXPECT_EQ(result.pixel(x0 - 2, y0 + 4), (Rgb{0, 0, 0}));
  EXPECT_EQ(result.pixel(x0 - 3, y0 + 4), colorToRgb(spec.OuterColor));
  // With an empty queue the photo area shows the inner ring's centre shading: halved.
  const Image empty = render(spec, photo, true).image;
  const Rgb inner = colorToRgb(spec.InnerColor);
  EXPECT_EQ(empty.pixel(x0 + 4, y0 + 4),
            (Rgb{static_cast<uint8_t>(inner.r / 2), static_cast<uint8_t>(inner.g / 2),
                 static_cast<uint8_t>(inner.b / 2)}));
}

TEST_F(ComposeFrameTest, PhotoMayBeItsOwnTarget) {
  // A photo with a buffer larger than the result must not be painted over while it is read.
  FrameSpec spec = smallDesign();
  Image photo = patternImage(60, 40, 9);
  photo.reshape(20, 12);
  const Image expected = render(spec, photo).image;
  ComposeFrame(spec, photo, false, {assets.path()}, photo);
  EXPECT_TRUE(photo == expected);
}

TEST_F(ComposeFrameTest, BlankPhotoBecomes800By600White) {
  FrameSpec spec = smallDesign();
  Image work;
  Image target;
  ComposeFrame(spec, work, false, {assets.path()}, target);
  EXPECT_EQ(work.width(), 800);
  EXPECT_EQ(work.height(), 600);
  EXPECT_TRUE(work == Image(800, 600, Rgb{255, 255, 255}));
  EXPECT_EQ(target.width(), 800 + 6 + 11 + 8);
  EXPECT_EQ(target.height(), 600 + 6 + 6 + 6);
  EXPECT_EQ(target.pixel(4 + 5 + 3 + 400, 3 + 4 + 3 + 300), (Rgb{255, 255, 255}));

  Image wide(37, 0);
  ComposeFrame(spec, wide, true, {assets.path()}, target);
  EXPECT_EQ(wide.width(), 37);
  EXPECT_EQ(wide.height(), 600);
}

TEST_F(ComposeFrameTest, AFailingStepDisplayLeavesTheTargetUntouched) {
  // Every step is reported before the target is painted in place.
  struct FailingSteps : RecordedSteps {
    void ShowRenderStep(const std::string& text) override {
      RecordedSteps::ShowRenderStep(text);
      if (text == "Drawing Shadow") throw Error("closed");
    }
  } steps;
  FrameSpec spec = smallDesign();
  spec.DropShadow = "Shadow";
  const Image before = patternImage(300, 200, 5);
  Image target = before.clone();
  Image work = patternImage(8, 6, 1);
  EXPECT_THROW(
      ComposeFrame(spec, work, false, {assets.path(), nullptr, nullptr, nullptr, &steps}, target),
      Error);
  EXPECT_TRUE(target == before);
  EXPECT_EQ(steps.texts.back(), " ");
}

TEST_F(ComposeFrameTest, FailuresNameTheFileKeepTheTargetAndEndTheSteps) {
  const std::string root = assets.path().string();
  assets.write("Image Masks/Broken.bmp", "BM");
  assets.write("Image Masks/Broken.ini", "[RADIUS]\r\nWIDTH=3\r\n");
  assets.write("Image Masks/Deep.bmp", [] {
    const std::vector<uint8_t> bytes = testing::maskBmp(flatMask(3, 3, 1), {40, 24});
    return std::string(bytes.begin(), bytes.end());
  }());
  assets.write("Shadows/Odd.bmp", [] {
    const std::vector<uint8_t> bytes = testing::maskBmp(flatMask(3, 3, 1), {64});
    return std::string(bytes.begin(), bytes.end());
  }());
  struct Case {
    std::function<void(FrameSpec&)> change;
    std::string message;
  };
  const std::vector<Case> cases = {
      {[](FrameSpec& s) {
         s.InnerUseTexture = true;
         s.InnerTexture = "Wood/missing.bmp";
       },
       "The inner matte texture " + root + "/Image Textures/Wood/missing.bmp cannot be read: " +
           "Cannot open file " + root + "/Image Textures/Wood/missing.bmp"},
      {[](FrameSpec& s) { s.OuterUseTexture = true; },
       "The outer matte is set to a texture but no texture is chosen"},
      {[](FrameSpec& s) { s.FrameProfile = "Missing"; },
       "The frame profile mask " + root + "/Image Masks/Missing.bmp is missing"},
      {[](FrameSpec& s) { s.FrameProfile = "Broken"; },
       "The frame profile mask " + root + "/Image Masks/Broken.bmp cannot be read: " +
           "The mask file is truncated: the file and bitmap header size needs 18 bytes at "
           "offset 0, the file has 2"},
      {[](FrameSpec& s) { s.FrameProfile = "Deep"; },
       "The frame profile mask " + root +
           "/Image Masks/Deep.bmp cannot be read: Channels support 256-colors bitmaps only!"},
      {[](FrameSpec& s) { s.FrameProfile = ""; }, "No frame profile is chosen"},
      {[](FrameSpec& s) { s.DropShadow = "Odd"; },
       "The drop shadow mask " + root + "/Shadows/Odd.bmp cannot be read: Invalid stream format!"},
      {[](FrameSpec& s) { s.DropShadow = "Gone"; },
       "The drop shadow mask " + root + "/Shadows/Gone.bmp is missing"},
      {[](FrameSpec& s) { s.OuterTop = -12; },
       "The frame design leaves no room: the outer matte would be 25 x 0 pixels"},
      {[](FrameSpec& s) { s.OuterRight = -40; },
       "The frame design leaves no room: the outer matte would be -21 x 16 pixels"},
      {[](FrameSpec& s) { s.InnerWidth = -6; },
       "The frame design leaves no room: the inner matte would be -4 x -8 pixels"},
      {[](FrameSpec& s) { s.OuterLeft = 5000000; },
       "The left outer matte width of 5000000 pixels is beyond the limit of 1048576 pixels"},
      {[](FrameSpec& s) { s.OuterLeft = s.OuterRight = 1000000; },
       "The outer matte would be 2000014 x 16 pixels, beyond the limit of 268435456 pixels"},
      {[](FrameSpec& s) {
         s.SignatureOn = true;
         s.SigDrawOn = 1;
       },
       "The signature font is missing"},
  };
  const Image photo = patternImage(8, 4, 1);
  for (const Case& c : cases) {
    FrameSpec spec = smallDesign();
    c.change(spec);
    // Both a target that could be painted in place and one that could not.
    for (const Image& before : {patternImage(200, 100, 2), patternImage(3, 2, 3)}) {
      Image target = before.clone();
      Image work = photo.clone();
      RecordedSteps steps;
      MarkingSignature signature;
      signature.failing = true;
      try {
        ComposeFrame(spec, work, false, {assets.path(), nullptr, nullptr, &signature, &steps},
                     target);
        ADD_FAILURE() << "no failure for " << c.message;
      } catch (const Error& e) {
        EXPECT_EQ(e.what(), c.message);
      }
      EXPECT_TRUE(target == before) << c.message;
      EXPECT_TRUE(work == photo) << c.message;
      ASSERT_FALSE(steps.texts.empty());
      EXPECT_EQ(steps.texts.back(), " ") << c.message;
    }
  }
  // Without its edge mask nothing can be framed.
  std::filesystem::remove(assets.path() / "Image Edges" / "outermattelowered.bmp");
  Image target = patternImage(5, 5, 4);
  Image work = photo.clone();
  try {
    ComposeFrame(smallDesign(), work, false, {assets.path()}, target);
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), "The edge mask " + root + "/Image Edges/outermattelowered.bmp is missing");
  }
  EXPECT_TRUE(target == patternImage(5, 5, 4));
}

}  // namespace
}  // namespace lumabord
