// ComposeFrame: reads every asset first, then paints each layer straight into the result,
// only where no later layer covers it, so no full-size working image is needed.
#include "compose/compose_frame.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/error.h"
#include "compose/asset_paths.h"
#include "compose/bevel_mask.h"
#include "compose/frame_geometry.h"
#include "compose/matte_edges.h"
#include "compose/paint_layer.h"
#include "compose/parallel_rows.h"
#include "compose/profile_ini.h"
#include "compose/texture_cache.h"

namespace lumabord {
namespace {

// Reports " " when the call ends, whether it succeeded or failed.
class StepReporter {
 public:
  explicit StepReporter(RenderSteps* steps) : steps_(steps) {}
  ~StepReporter() {
    try {
      show(" ");
    } catch (...) {
      // A failing status display must not hide the render's own outcome.
    }
  }
  StepReporter(const StepReporter&) = delete;
  StepReporter& operator=(const StepReporter&) = delete;
  void show(const char* text) {
    if (steps_) steps_->ShowRenderStep(text);
  }

 private:
  RenderSteps* steps_;
};


// Assets of one call; each file is read once per call.
class Assets {
 public:
  explicit Assets(const RenderContext& context)
      : appPath_(context.appPath),
        loader_(context.loader == &defaultPictureLoader() ? nullptr : context.loader) {}

  const Image* texture(const char* part, bool use, const std::string& name) {
    if (!use) return nullptr;
    if (name.empty()) fail("The %s is set to a texture but no texture is chosen", part);
    const std::filesystem::path path = texturePath(appPath_, name);
    auto found = textures_.find(path);
    if (found != textures_.end()) return found->second.get();
    std::shared_ptr<const Image> picture;
    try {
      // The reader table's pictures go through the texture cache; another loader is asked
      // every time.
      picture = loader_ ? std::make_shared<const Image>(loader_->load(path)) : loadTexture(path);
    } catch (const Error& e) {
      fail("The %s texture %s cannot be read: %s", part, path.c_str(), e.what());
    }
    if (picture->empty()) fail("The %s texture %s has no pixels", part, path.c_str());
    return textures_.emplace(path, std::move(picture)).first->second.get();
  }

  static BevelMask mask(const char* what, const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
      fail("The %s %s is missing", what, path.c_str());
    try {
      return loadBevelMask(path);
    } catch (const Error& e) {
      fail("The %s %s cannot be read: %s", what, path.c_str(), e.what());
    }
  }

 private:
  std::filesystem::path appPath_;
  const PictureLoader* loader_;  // nullptr: the reader table through the texture cache
  std::map<std::filesystem::path, std::shared_ptr<const Image>> textures_;
};

// The pixels of a level (inner or outer matte) painted into its own image, so that the
// signature can be drawn on it; origin is its top-left corner in result coordinates.
struct Level {
  Image image;
  int originX = 0;
  int originY = 0;
};

// Copies from this size on bypass the caches.
constexpr size_t kStreamBytes = size_t{4} << 20;

// Results from this size on are painted by two threads.
constexpr uint64_t kParallelBytes = uint64_t{4} << 20;

// Copies a row that is not read again soon with streaming stores: the photo is copied once
// into a result far larger than the caches, and plain stores would first read every
// destination line. Rows of a photo are too short for memcpy to choose this by itself.
void streamRow(uint8_t* to, const uint8_t* from, size_t bytes) {
#if defined(__SSE2__)
  const size_t head = std::min(bytes, (16 - reinterpret_cast<uintptr_t>(to) % 16) % 16);
  std::memcpy(to, from, head);
  size_t i = head;
  for (; i + 64 <= bytes; i += 64) {
    const auto* src = reinterpret_cast<const __m128i*>(from + i);
    auto* dst = reinterpret_cast<__m128i*>(to + i);
    const __m128i a = _mm_loadu_si128(src);
    const __m128i b = _mm_loadu_si128(src + 1);
    const __m128i c = _mm_loadu_si128(src + 2);
    const __m128i d = _mm_loadu_si128(src + 3);
    _mm_stream_si128(dst, a);
    _mm_stream_si128(dst + 1, b);
    _mm_stream_si128(dst + 2, c);
    _mm_stream_si128(dst + 3, d);
  }
  std::memcpy(to + i, from + i, bytes - i);
#else
  std::memcpy(to, from, bytes);
#endif
}

void copyRect(const Canvas& to, const Rect& rect, const uint8_t* from, size_t fromStride) {
  const size_t bytes = 3 * static_cast<size_t>(rect.w);
  const bool stream = bytes * static_cast<size_t>(rect.h) >= kStreamBytes;
  for (int y = 0; y < rect.h; ++y) {
    uint8_t* out = to.at(rect.x, rect.y + y);
    const uint8_t* in = from + fromStride * static_cast<size_t>(y);
    if (stream) {
      streamRow(out, in, bytes);
    } else {
      std::memcpy(out, in, bytes);
    }
  }
#if defined(__SSE2__)
  if (stream) _mm_sfence();
#endif
}

// Copies the part `visible` (result coordinates) of a level image.
void copyLevel(const Canvas& to, const Rect& visible, const Level& level) {
  if (visible.empty()) return;
  const Image& from = level.image;
  copyRect(to, visible,
           from.row(visible.y - level.originY) + 3 * static_cast<size_t>(visible.x - level.originX),
           from.stride());
}

struct Renderer {
  const FrameSpec& spec;
  const Image& photo;
  bool drawPhoto;
  LayerSurface innerSurface, innerRingSurface, outerSurface, outerRingSurface, frameSurface,
      shadowSurface;
  Rgb shadowColour;

  void paintBands(const Canvas& c, const Rect& layer, const LayerSurface& surface,
                  const Rect& visible, const Rect& covered) const {
    std::array<Rect, 4> bands;
    const int count = subtract(visible, covered, bands);
    for (int i = 0; i < count; ++i)
      paintLayerRegion(c, layer, surface, bands[static_cast<size_t>(i)]);
  }

  // The inner matte with its ring and the photo, inside `visible` (canvas coordinates of g).
  // steps, when given, receives the step texts as the painting reaches them.
  void paintInner(const Canvas& c, const FrameGeometry& g, const Rect& visible,
                  StepReporter* steps) const {
    const Rect ring = intersect(g.innerRing, visible);
    paintBands(c, g.inner, innerSurface, visible, ring);
    const Rect shown = drawPhoto ? intersect(g.photo, ring) : Rect{};
    if (drawPhoto && steps) steps->show("Drawing Image");
    paintBands(c, g.innerRing, innerRingSurface, ring, shown);
    if (!shown.empty()) {
      copyRect(c, shown,
               photo.row(shown.y - g.photo.y) + 3 * static_cast<size_t>(shown.x - g.photo.x),
               photo.stride());
    }
  }

  // The outer matte with its ring, the inner level and the edge shadow.
  void paintOuter(const Canvas& c, const FrameGeometry& g, const Rect& visible, const Level* inner,
                  StepReporter* steps) const {
    const Rect ring = intersect(g.outerRing, visible);
    const Rect innerVisible = intersect(g.inner, visible);
    if (inner) {
      copyLevel(c, innerVisible, *inner);
    } else {
      paintInner(c, g, innerVisible, steps);
    }
    if (steps) steps->show("Drawing Outer Matte");
    paintBands(c, g.outer, outerSurface, visible, ring);
    paintBands(c, g.outerRing, outerRingSurface, ring, innerVisible);
    if (spec.EdgeShadowOn) {
      shadeMatteEdgesRegion(c, g.outer.x, g.outer.y, g.outer.w, g.outer.h, visible, spec.ShadowSize,
                            shadowColour);
    }
  }
};

FrameGeometry shifted(FrameGeometry g, int dx, int dy) {
  for (Rect* r : {&g.result, &g.frame, &g.outer, &g.outerRing, &g.inner, &g.innerRing, &g.photo}) {
    r->x -= dx;
    r->y -= dy;
  }
  return g;
}

}  // namespace

void ComposeFrame(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                  const RenderContext& context, Image& target) {
  if (workPhoto.width() == 0 || workPhoto.height() == 0) {
    // The blank-photo convention: a zero side becomes 800 wide or 600 high, white.
    workPhoto.reshape(workPhoto.width() == 0 ? 800 : workPhoto.width(),
                      workPhoto.height() == 0 ? 600 : workPhoto.height());
    workPhoto.fill({255, 255, 255});
  }
  StepReporter steps(context.steps);
  steps.show("Drawing Inner Matte");

  // Every file is read before the first pixel is painted, so a failure leaves target as it was.
  Assets assets(context);
  const Image* innerTexture =
      assets.texture("inner matte", spec.InnerUseTexture, spec.InnerTexture);
  const BevelMask edgeMask =
      Assets::mask("edge mask", context.appPath / "Image Edges" / "outermattelowered.bmp");
  const Image* outerTexture =
      assets.texture("outer matte", spec.OuterUseTexture, spec.OuterTexture);
  if (spec.FrameProfile.empty()) fail("No frame profile is chosen");
  const std::filesystem::path profileFolder = context.appPath / "Image Masks";
  const BevelMask profileMask =
      Assets::mask("frame profile mask", assetPath(profileFolder, spec.FrameProfile + ".bmp"));
  const ProfileWidths widths =
      readProfileWidths(assetPath(profileFolder, spec.FrameProfile + ".ini"));
  const Image* frameTexture = assets.texture("frame", spec.FrameUseTexture, spec.FrameTexture);
  std::optional<BevelMask> shadowMask;
  if (!spec.DropShadow.empty()) {
    shadowMask = Assets::mask("drop shadow mask",
                              assetPath(context.appPath / "Shadows", spec.DropShadow + ".bmp"));
  }

  const FrameGeometry g =
      computeFrameGeometry(spec, workPhoto.width(), workPhoto.height(), edgeMask.width, widths,
                           shadowMask ? std::optional<int>(shadowMask->width) : std::nullopt);

  const SystemColors& system = context.systemColors ? *context.systemColors : defaultSystemColors();
  const Rgb innerColour = colorToRgb(spec.InnerColor, system);
  const Rgb outerColour = colorToRgb(spec.OuterColor, system);
  const Rgb frameColour = colorToRgb(spec.FrameColor, system);
  Renderer renderer{
      spec,
      workPhoto,
      !queueEmpty,
      {innerColour, innerTexture, nullptr},
      {innerColour, innerTexture, &edgeMask},
      {outerColour, outerTexture, nullptr},
      {outerColour, outerTexture, &edgeMask},
      {frameColour, frameTexture, &profileMask},
      {colorToRgb(spec.BackgroundColor, system), nullptr, shadowMask ? &*shadowMask : nullptr},
      colorToRgb(spec.ShadowColor, system)};

  // With a signature, the level it is drawn on gets its own image first; the drawer may
  // fail, and target must not have been touched by then.
  SignatureDrawer* signature = spec.SignatureOn ? context.signature : nullptr;
  std::optional<Level> innerLevel;
  std::optional<Level> outerLevel;
  if (signature && spec.SigDrawOn == 1 && !queueEmpty) {
    innerLevel.emplace(Level{Image(g.inner.w, g.inner.h), g.inner.x, g.inner.y});
    const FrameGeometry local = shifted(g, g.inner.x, g.inner.y);
    renderer.paintInner(Canvas(innerLevel->image), local, local.inner, &steps);
    signature->DrawSignature(innerLevel->image, false);
    signature->DrawSignature(innerLevel->image, true);
  }
  const bool signatureOnMatte = spec.SignatureOn && spec.SigDrawOn == 0;
  if (signatureOnMatte && signature) {
    outerLevel.emplace(Level{Image(g.outer.w, g.outer.h), g.outer.x, g.outer.y});
    const FrameGeometry local = shifted(g, g.outer.x, g.outer.y);
    renderer.paintOuter(Canvas(outerLevel->image), local, local.outer,
                        innerLevel ? &*innerLevel : nullptr, &steps);
    steps.show("Drawing Signature");
    signature->DrawSignature(outerLevel->image, false);
    signature->DrawSignature(outerLevel->image, true);
  }

  // The remaining steps are reported before the result is painted, so that no callback runs
  // while the caller's target is being painted in place.
  if (!outerLevel) {
    if (!innerLevel && !queueEmpty) steps.show("Drawing Image");
    steps.show("Drawing Outer Matte");
    if (signatureOnMatte) steps.show("Drawing Signature");
  }
  steps.show("Drawing Frame");
  if (g.dropShadow) steps.show("Drawing Shadow");

  // The result goes straight into target when its buffer is large enough (and it is not the
  // photo itself); otherwise into a fresh image that replaces target once it is complete.
  const size_t resultBytes = 3 * static_cast<size_t>(g.result.w) * static_cast<size_t>(g.result.h);
  const bool inPlace = &target != &workPhoto && target.capacity() >= resultBytes;
  Image fresh;
  if (inPlace) {
    target.reshape(g.result.w, g.result.h);
  } else {
    fresh = Image(g.result.w, g.result.h);
  }
  Image& result = inPlace ? target : fresh;
  const Canvas canvas(result);
  // Every pixel depends only on its own position, so bands of rows can be painted apart;
  // large results are split over two threads (the first touch of a fresh buffer's pages
  // is then shared too).
  const auto paintRows = [&](size_t begin, size_t end, int) {
    const Rect rows{0, static_cast<int>(begin), g.result.w, static_cast<int>(end - begin)};
    const Rect frameVisible = intersect(g.frame, rows);
    const Rect outerVisible = intersect(g.outer, frameVisible);
    if (outerLevel) {
      copyLevel(canvas, outerVisible, *outerLevel);
    } else {
      renderer.paintOuter(canvas, g, outerVisible, innerLevel ? &*innerLevel : nullptr, nullptr);
    }
    renderer.paintBands(canvas, g.frame, renderer.frameSurface, frameVisible, outerVisible);
    if (g.dropShadow) {
      renderer.paintBands(canvas, g.result, renderer.shadowSurface, rows, frameVisible);
    }
  };
  const bool large = uint64_t{resultBytes} >= kParallelBytes;
  forRowsInParallel(static_cast<size_t>(g.result.h), large ? 2 : SIZE_MAX, paintRows);
  if (!inPlace) target = std::move(fresh);
}

}  // namespace lumabord
