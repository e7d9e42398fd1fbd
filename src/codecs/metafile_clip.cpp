// Clipping regions of the metafile canvas. A clip is a box, with a mask only when the
// region is not that box: the usual clipping to one rectangle costs no memory. Masks cover
// their box alone and all of them alive at once are limited, saved states included.
#include <algorithm>
#include <cmath>

#include "codecs/metafile_canvas.h"

namespace lumabord {
namespace {

// Mask bytes alive at once, per pixel of the picture; a few nested clips of the whole
// picture fit, a file of saves that each keep a new mask does not.
constexpr uint64_t kMaskBytesPerPixel = 16;

bool combine(ClipCombine mode, bool current, bool added) {
  switch (mode) {
    case ClipCombine::And:
      return current && added;
    case ClipCombine::Or:
      return current || added;
    case ClipCombine::Xor:
      return current != added;
    case ClipCombine::Diff:
      return current && !added;
    default:
      return added;
  }
}

}  // namespace

std::shared_ptr<MetaClip> MetafileCanvas::boxClip(MetaRect r) const {
  auto clip = std::make_shared<MetaClip>();
  clip->x0 = firstPixelAt(std::min(r.a.x, r.b.x), image_.width());
  clip->x1 = firstPixelAt(std::max(r.a.x, r.b.x), image_.width());
  clip->y0 = firstPixelAt(std::min(r.a.y, r.b.y), image_.height());
  clip->y1 = firstPixelAt(std::max(r.a.y, r.b.y), image_.height());
  return clip;
}

std::shared_ptr<MetaClip> MetafileCanvas::maskClip(int x0, int y0, int x1, int y1) {
  auto clip = std::make_shared<MetaClip>();
  clip->x0 = x0;
  clip->y0 = y0;
  clip->x1 = std::max(x0, x1);
  clip->y1 = std::max(y0, y1);
  const uint64_t bytes =
      static_cast<uint64_t>(clip->x1 - x0) * static_cast<uint64_t>(clip->y1 - y0);
  const uint64_t limit = kMaskBytesPerPixel * static_cast<uint64_t>(image_.width()) *
                         static_cast<uint64_t>(image_.height());
  if (*clipLedger_ + bytes > limit) spend(UINT64_MAX);  // more than any budget: refused
  spend(bytes);
  clip->mask.assign(bytes, 0);
  clip->ledger = clipLedger_;
  *clipLedger_ += bytes;
  return clip;
}

void MetafileCanvas::combineClip(std::span<const MetaRect> pixelRects, ClipCombine mode) {
  // The region the rectangles make: one box, or a mask over the box that holds them all.
  std::shared_ptr<const MetaClip> added;
  if (pixelRects.size() == 1) {
    added = boxClip(pixelRects[0]);
  } else {
    std::vector<std::shared_ptr<MetaClip>> boxes;
    int x0 = image_.width(), y0 = image_.height(), x1 = 0, y1 = 0;
    for (const MetaRect& r : pixelRects) {
      spend(1);
      auto box = boxClip(r);
      if (box->x1 <= box->x0 || box->y1 <= box->y0) continue;
      x0 = std::min(x0, box->x0);
      y0 = std::min(y0, box->y0);
      x1 = std::max(x1, box->x1);
      y1 = std::max(y1, box->y1);
      boxes.push_back(std::move(box));
    }
    auto mask = maskClip(x0, y0, x1, y1);
    const size_t stride = static_cast<size_t>(mask->x1 - mask->x0);
    for (const auto& box : boxes) {
      spend(static_cast<uint64_t>(box->x1 - box->x0) * static_cast<uint64_t>(box->y1 - box->y0));
      for (int y = box->y0; y < box->y1; ++y) {
        uint8_t* row = mask->mask.data() + static_cast<size_t>(y - y0) * stride;
        std::fill(row + (box->x0 - x0), row + (box->x1 - x0), uint8_t{1});
      }
    }
    added = std::move(mask);
  }
  combineWith(std::move(added), mode);
}

void MetafileCanvas::combineWith(std::shared_ptr<const MetaClip> added, ClipCombine mode) {
  if (mode == ClipCombine::Copy) {
    state_.clip = std::move(added);
    return;
  }
  const auto current = state_.clip ? state_.clip : boxClip({{0, 0}, {1e9, 1e9}});
  if (mode == ClipCombine::And && current->mask.empty() && added->mask.empty()) {
    auto box = std::make_shared<MetaClip>();
    box->x0 = std::max(current->x0, added->x0);
    box->y0 = std::max(current->y0, added->y0);
    box->x1 = std::max(box->x0, std::min(current->x1, added->x1));
    box->y1 = std::max(box->y0, std::min(current->y1, added->y1));
    state_.clip = std::move(box);
    return;
  }
  // The box the result can reach.
  int x0 = current->x0, y0 = current->y0, x1 = current->x1, y1 = current->y1;
  if (mode == ClipCombine::And) {
    x0 = std::max(x0, added->x0);
    y0 = std::max(y0, added->y0);
    x1 = std::min(x1, added->x1);
    y1 = std::min(y1, added->y1);
  } else if (mode != ClipCombine::Diff) {
    x0 = std::min(x0, added->x0);
    y0 = std::min(y0, added->y0);
    x1 = std::max(x1, added->x1);
    y1 = std::max(y1, added->y1);
  }
  auto result = maskClip(x0, y0, x1, y1);
  size_t i = 0;
  for (int y = result->y0; y < result->y1; ++y) {
    for (int x = result->x0; x < result->x1; ++x, ++i) {
      result->mask[i] = combine(mode, current->contains(x, y), added->contains(x, y)) ? 1 : 0;
    }
  }
  state_.clip = std::move(result);
}

void MetafileCanvas::intersectClip(MetaRect logical) {
  const MetaRect pixels{toPixels(logical.a), toPixels(logical.b)};
  combineClip({&pixels, 1}, ClipCombine::And);
}

void MetafileCanvas::excludeClip(MetaRect logical) {
  const MetaRect pixels{toPixels(logical.a), toPixels(logical.b)};
  combineClip({&pixels, 1}, ClipCombine::Diff);
}

void MetafileCanvas::offsetClip(MetaPoint logicalDelta) {
  if (!state_.clip) return;
  const MetaPoint o = toPixels({0, 0}), d = toPixels(logicalDelta);
  const double dx = std::clamp(std::round(d.x - o.x), -1e6, 1e6);
  const double dy = std::clamp(std::round(d.y - o.y), -1e6, 1e6);
  const MetaClip& old = *state_.clip;
  // The moved box, within the picture; the mask keeps its pixels where they land.
  const MetaRect moved{{old.x0 + dx, old.y0 + dy}, {old.x1 + dx, old.y1 + dy}};
  auto box = boxClip(moved);
  if (old.mask.empty()) {
    state_.clip = std::move(box);
    return;
  }
  auto result = maskClip(box->x0, box->y0, box->x1, box->y1);
  size_t i = 0;
  for (int y = result->y0; y < result->y1; ++y) {
    for (int x = result->x0; x < result->x1; ++x, ++i) {
      result->mask[i] = old.contains(x - static_cast<int>(dx), y - static_cast<int>(dy)) ? 1 : 0;
    }
  }
  state_.clip = std::move(result);
}

void MetafileCanvas::clipToPath(ClipCombine mode) {
  std::vector<Path> paths;
  for (const Figure& f : figures_) paths.push_back(f.points);
  abortPath();
  auto mask = maskClip(0, 0, image_.width(), image_.height());
  const size_t stride = static_cast<size_t>(image_.width());
  forEachSpan(paths, state_.winding, [&](int y, int xs, int xe) {
    std::fill_n(mask->mask.data() + static_cast<size_t>(y) * stride + static_cast<size_t>(xs),
                xe - xs, uint8_t{1});
  });
  combineWith(std::move(mask), mode);
}

}  // namespace lumabord
