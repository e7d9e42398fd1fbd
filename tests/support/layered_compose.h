// A plain layer-by-layer framing: every working image (inner matte, outer matte, frame,
// shadow) and every layer image is built in full and copied over the next, in the order the
// renderer's steps are defined. Slow and memory-hungry on purpose; ComposeFrame must give the
// same pixels and the same step texts. Shared by the renderer tests and its benchmark.
#pragma once

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "base/image.h"
#include "base/rounding.h"
#include "codecs/picture_loader.h"
#include "compose/bevel_mask.h"
#include "compose/color.h"
#include "compose/compose_frame.h"
#include "compose/frame_spec.h"
#include "compose/profile_ini.h"

namespace lumabord::testing {

// The signature drawn onto a whole level image.
inline void layeredSignature(SignatureDrawer& signature, const FrameSpec& spec, Image& level) {
  const auto placed = signature.PlaceSignature(spec, level.width(), level.height());
  if (placed) layOverlay(level, *placed);
}

// The mask entry for position pos of a block of length size (size >= maskSize).
inline int layeredMaskZone(int pos, int size, int maskSize) {
  const int half = maskSize / 2;
  int index = half;
  if (pos < half) {
    index = pos;
  } else if (pos >= size - half) {
    index = maskSize - (size - pos);
  }
  if (index < 0 || index >= maskSize) throw std::logic_error("mask zone outside the mask");
  return index;
}

inline uint8_t layeredShade(int v, int m) {
  if (m <= 126) return static_cast<uint8_t>(v * m / 128);
  if (m <= 128) return static_cast<uint8_t>(v);
  return static_cast<uint8_t>(v + (255 - v) * (m - 128) / 128);
}

inline void layeredFrameMask(Image& layer, const BevelMask& mask) {
  for (int y = 0; y < layer.height(); ++y) {
    const int my = layeredMaskZone(y, layer.height(), mask.height);
    uint8_t* p = layer.row(y);
    for (int x = 0; x < layer.width(); ++x, p += 3) {
      const int m = mask.at(layeredMaskZone(x, layer.width(), mask.width), my);
      for (int c = 0; c < 3; ++c) p[c] = layeredShade(p[c], m);
    }
  }
}

// Copies from into to with from's top-left corner at (x, y), dropping what falls outside.
inline void layeredCopy(Image& to, const Image& from, int x, int y) {
  for (int sy = 0; sy < from.height(); ++sy) {
    for (int sx = 0; sx < from.width(); ++sx) {
      const int tx = x + sx;
      const int ty = y + sy;
      if (tx >= 0 && ty >= 0 && tx < to.width() && ty < to.height()) {
        to.setPixel(tx, ty, from.pixel(sx, sy));
      }
    }
  }
}

inline void layeredPaintLayer(Image& target, int x, int y, int w, int h, Rgb colour,
                              const Image* texture, const BevelMask* mask) {
  Image layer(w, h);
  for (int ly = 0; ly < h; ++ly) {
    for (int lx = 0; lx < w; ++lx) {
      layer.setPixel(
          lx, ly, texture ? texture->pixel(lx % texture->width(), ly % texture->height()) : colour);
    }
  }
  if (mask && !mask->empty() && w >= mask->width && h >= mask->height) {
    layeredFrameMask(layer, *mask);
  }
  layeredCopy(target, layer, x, y);
}

// The four ramps; lines outside the bitmap are skipped, size 1 is a one-pixel border of k.
inline void layeredMatteEdges(Image& image, int s, Rgb colour) {
  if (s < 1) return;
  const int w = image.width();
  const int h = image.height();
  const int shadow[3] = {colour.b, colour.g, colour.r};
  auto ramp = [&](int x, int y, int k, bool towardShadow) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    uint8_t* p = image.row(y) + 3 * x;
    for (int c = 0; c < 3; ++c) {
      const int K = shadow[c];
      if (s == 1) {
        p[c] = static_cast<uint8_t>(K);
      } else if (towardShadow) {
        p[c] = static_cast<uint8_t>(p[c] + mulDiv(k, K - p[c], s - 1));
      } else {
        p[c] = static_cast<uint8_t>(K + mulDiv(k, p[c] - K, s - 1));
      }
    }
  };
  for (int k = 0; k < s; ++k)
    for (int y = 0; y < h; ++y) ramp(w - s + k, y, k, true);
  for (int k = 0; k < s; ++k)
    for (int y = 0; y < h; ++y) ramp(k, y, k, false);
  for (int i = 0; i < s; ++i)
    for (int x = s - i; x <= w - 1 - s + i; ++x) ramp(x, h - s + i, i, true);
  for (int i = 0; i < s; ++i)
    for (int x = i; x <= w - 1 - i; ++x) ramp(x, i, i, false);
}

inline std::filesystem::path layeredAsset(const std::filesystem::path& folder, std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return folder / name;
}

// Frames a valid design (every asset present) the plain way; target receives the result.
inline void layeredComposeFrame(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                                const RenderContext& context, Image& target) {
  auto show = [&](const char* text) {
    if (context.steps) context.steps->ShowRenderStep(text);
  };
  if (workPhoto.width() == 0 || workPhoto.height() == 0) {
    workPhoto = Image(workPhoto.width() == 0 ? 800 : workPhoto.width(),
                      workPhoto.height() == 0 ? 600 : workPhoto.height(), Rgb{255, 255, 255});
  }
  const PictureLoader& loader = context.loader ? *context.loader : defaultPictureLoader();
  const SystemColors& system = context.systemColors ? *context.systemColors : defaultSystemColors();
  const std::filesystem::path& app = context.appPath;
  auto texture = [&](bool use, const std::string& name) {
    return use ? loader.load(layeredAsset(app / "Image Textures", name)) : Image();
  };
  auto surface = [](const Image& t) { return t.empty() ? nullptr : &t; };
  SignatureDrawer* signature = spec.SignatureOn ? context.signature : nullptr;
  const int pw = workPhoto.width();
  const int ph = workPhoto.height();
  const int n = spec.InnerWidth;

  show("Drawing Inner Matte");
  const Rgb innerColour = colorToRgb(spec.InnerColor, system);
  const Image innerTexture = texture(spec.InnerUseTexture, spec.InnerTexture);
  Image inner(pw + 2 * n, ph + 2 * n);
  layeredPaintLayer(inner, 0, 0, inner.width(), inner.height(), innerColour, surface(innerTexture),
                    nullptr);
  const BevelMask edge = loadBevelMask(app / "Image Edges" / "outermattelowered.bmp");
  const int r = static_cast<int>(roundHalfEven(edge.width / 3.0));
  layeredPaintLayer(inner, n - r, n - r, pw + 2 * r, ph + 2 * r, innerColour, surface(innerTexture),
                    &edge);
  if (!queueEmpty) {
    show("Drawing Image");
    layeredCopy(inner, workPhoto, n, n);
    if (signature && spec.SigDrawOn == 1) {
      layeredSignature(*signature, spec, inner);
    }
  }

  show("Drawing Outer Matte");
  const Rgb outerColour = colorToRgb(spec.OuterColor, system);
  const Image outerTexture = texture(spec.OuterUseTexture, spec.OuterTexture);
  const int L = spec.OuterLeft;
  const int T = spec.OuterTop;
  Image outer(inner.width() + L + spec.OuterRight, inner.height() + T + spec.OuterBottom);
  layeredPaintLayer(outer, 0, 0, outer.width(), outer.height(), outerColour, surface(outerTexture),
                    nullptr);
  const BevelMask edgeAgain = loadBevelMask(app / "Image Edges" / "outermattelowered.bmp");
  const int r2 = static_cast<int>(roundHalfEven(edgeAgain.width / 3.0));
  layeredPaintLayer(outer, L - r2, T - r2, inner.width() + 2 * r2, inner.height() + 2 * r2,
                    outerColour, surface(outerTexture), &edgeAgain);
  layeredCopy(outer, inner, L, T);
  if (spec.EdgeShadowOn) {
    layeredMatteEdges(outer, spec.ShadowSize, colorToRgb(spec.ShadowColor, system));
  }
  if (spec.SignatureOn && spec.SigDrawOn == 0) {
    show("Drawing Signature");
    if (signature) {
      layeredSignature(*signature, spec, outer);
    }
  }

  show("Drawing Frame");
  const std::filesystem::path masks = app / "Image Masks";
  const BevelMask profile = loadBevelMask(layeredAsset(masks, spec.FrameProfile + ".bmp"));
  const ProfileWidths widths = readProfileWidths(layeredAsset(masks, spec.FrameProfile + ".ini"));
  const Image frameTexture = texture(spec.FrameUseTexture, spec.FrameTexture);
  Image frame(outer.width() + 2 * widths.width, outer.height() + 2 * widths.height);
  layeredPaintLayer(frame, 0, 0, frame.width(), frame.height(), colorToRgb(spec.FrameColor, system),
                    surface(frameTexture), &profile);
  layeredCopy(frame, outer, widths.width, widths.height);

  if (!spec.DropShadow.empty()) {
    show("Drawing Shadow");
    const BevelMask shadow = loadBevelMask(layeredAsset(app / "Shadows", spec.DropShadow + ".bmp"));
    const int s = static_cast<int>(roundHalfEven(shadow.width / 2.0));
    const int d = static_cast<int>(roundHalfEven(shadow.width / 6.0));
    Image result(frame.width() + s, frame.height() + s);
    layeredPaintLayer(result, 0, 0, result.width(), result.height(),
                      colorToRgb(spec.BackgroundColor, system), nullptr, &shadow);
    layeredCopy(result, frame, d, d);
    target = std::move(result);
  } else {
    target = std::move(frame);
  }
  show(" ");
}

}  // namespace lumabord::testing
