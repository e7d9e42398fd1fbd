// FrameLayout: reads every asset first, then paints each layer straight into the result,
// only where no later layer covers it, so no full-size working image is needed.
#include "compose/frame_layout.h"

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
#include "compose/matte_edges.h"
#include "compose/paint_layer.h"
#include "compose/profile_ini.h"
#include "compose/texture_cache.h"

namespace lumabord {
namespace {

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

// Copies from this size on bypass the caches.
constexpr size_t kStreamBytes = size_t{4} << 20;

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

// Copies the part `visible` (canvas coordinates, the canvas starting at result row dy) of
// a level image.
void copyLevel(const Canvas& to, const Rect& visible, const Level& level, int dy) {
  if (visible.empty()) return;
  const Image& from = level.image;
  copyRect(
      to, visible,
      from.row(visible.y + dy - level.originY) + 3 * static_cast<size_t>(visible.x - level.originX),
      from.stride());
}

struct Renderer {
  const FrameSpec& spec;
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
  void paintInner(const Canvas& c, const FrameGeometry& g, const Rect& visible,
                  const PhotoRows& photo) const {
    const Rect ring = intersect(g.innerRing, visible);
    paintBands(c, g.inner, innerSurface, visible, ring);
    const Rect shown = drawPhoto ? intersect(g.photo, ring) : Rect{};
    paintBands(c, g.innerRing, innerRingSurface, ring, shown);
    if (!shown.empty() && photo.data) {
      copyRect(c, shown,
               photo.row(shown.y - g.photo.y) + 3 * static_cast<size_t>(shown.x - g.photo.x),
               photo.stride);
    }
  }

  // The outer matte with its ring, the inner level and the edge shadow.
  void paintOuter(const Canvas& c, const FrameGeometry& g, const Rect& visible,
                  const PhotoRows& photo, const Level* inner, int dy) const {
    const Rect ring = intersect(g.outerRing, visible);
    const Rect innerVisible = intersect(g.inner, visible);
    if (inner) {
      copyLevel(c, innerVisible, *inner, dy);
    } else {
      paintInner(c, g, innerVisible, photo);
    }
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

struct FrameLayout::Parts {
  explicit Parts(const RenderContext& context) : assets(context) {}
  Assets assets;
  BevelMask edgeMask;
  BevelMask profileMask;
  std::optional<BevelMask> shadowMask;
  FrameGeometry geometry;
  std::optional<Renderer> renderer;
};

FrameLayout::FrameLayout(const FrameSpec& spec, int photoWidth, int photoHeight, bool drawPhoto,
                         const RenderContext& context)
    : parts_(std::make_unique<Parts>(context)) {
  Parts& p = *parts_;
  const Image* innerTexture =
      p.assets.texture("inner matte", spec.InnerUseTexture, spec.InnerTexture);
  p.edgeMask = Assets::mask("edge mask", context.appPath / "Image Edges" / "outermattelowered.bmp");
  const Image* outerTexture =
      p.assets.texture("outer matte", spec.OuterUseTexture, spec.OuterTexture);
  if (spec.FrameProfile.empty()) fail("No frame profile is chosen");
  const std::filesystem::path profile =
      findAsset(context.appPath, "Image Masks", spec.FrameProfile + ".bmp");
  p.profileMask = Assets::mask("frame profile mask", profile);
  // The description lies beside the mask it describes.
  std::filesystem::path description = profile;
  const ProfileWidths widths = readProfileWidths(description.replace_extension(".ini"));
  const Image* frameTexture = p.assets.texture("frame", spec.FrameUseTexture, spec.FrameTexture);
  if (!spec.DropShadow.empty()) {
    p.shadowMask = Assets::mask("drop shadow mask",
                                findAsset(context.appPath, "Shadows", spec.DropShadow + ".bmp"));
  }

  p.geometry =
      computeFrameGeometry(spec, photoWidth, photoHeight, p.edgeMask.width, widths,
                           p.shadowMask ? std::optional<int>(p.shadowMask->width) : std::nullopt);

  const SystemColors& system = context.systemColors ? *context.systemColors : defaultSystemColors();
  const Rgb innerColour = colorToRgb(spec.InnerColor, system);
  const Rgb outerColour = colorToRgb(spec.OuterColor, system);
  const Rgb frameColour = colorToRgb(spec.FrameColor, system);
  p.renderer.emplace(Renderer{
      spec,
      drawPhoto,
      {innerColour, innerTexture, nullptr},
      {innerColour, innerTexture, &p.edgeMask},
      {outerColour, outerTexture, nullptr},
      {outerColour, outerTexture, &p.edgeMask},
      {frameColour, frameTexture, &p.profileMask},
      {colorToRgb(spec.BackgroundColor, system), nullptr, p.shadowMask ? &*p.shadowMask : nullptr},
      colorToRgb(spec.ShadowColor, system)});
}

FrameLayout::~FrameLayout() = default;

const FrameGeometry& FrameLayout::geometry() const {
  return parts_->geometry;
}

Level FrameLayout::paintInnerLevel(const PhotoRows& photo) const {
  const FrameGeometry& g = parts_->geometry;
  Level level{Image(g.inner.w, g.inner.h), g.inner.x, g.inner.y};
  const FrameGeometry local = shifted(g, g.inner.x, g.inner.y);
  parts_->renderer->paintInner(Canvas(level.image), local, local.inner, photo);
  return level;
}

Level FrameLayout::paintOuterLevel(const PhotoRows& photo) const {
  const FrameGeometry& g = parts_->geometry;
  Level level{Image(g.outer.w, g.outer.h), g.outer.x, g.outer.y};
  const FrameGeometry local = shifted(g, g.outer.x, g.outer.y);
  parts_->renderer->paintOuter(Canvas(level.image), local, local.outer, photo, nullptr, 0);
  return level;
}

void FrameLayout::paintRows(int y, int count, uint8_t* out, size_t stride, const PhotoRows& photo,
                            const Level* inner, const Level* outer) const {
  const Renderer& renderer = *parts_->renderer;
  const FrameGeometry g = shifted(parts_->geometry, 0, y);
  const Canvas canvas(out, stride, g.result.w, count);
  const Rect rows{0, 0, g.result.w, count};
  const Rect frameVisible = intersect(g.frame, rows);
  const Rect outerVisible = intersect(g.outer, frameVisible);
  if (outer) {
    copyLevel(canvas, outerVisible, *outer, y);
  } else {
    renderer.paintOuter(canvas, g, outerVisible, photo, inner, y);
  }
  renderer.paintBands(canvas, g.frame, renderer.frameSurface, frameVisible, outerVisible);
  if (g.dropShadow)
    renderer.paintBands(canvas, g.result, renderer.shadowSurface, rows, frameVisible);
}

}  // namespace lumabord
