// Enhanced metafile reader (emf): plays the records that drawings carry (bitmaps, shapes,
// polylines, Bezier outlines, paths, text, pens, brushes and patterns, fonts, stock
// objects, clipping regions, raster operations, world transforms and the window/viewport
// mapping) onto white at the size of the header's frame. Other records are skipped.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/metafile_canvas.h"
#include "codecs/metafile_dib.h"
#include "codecs/metafile_rop.h"
#include "codecs/picture_source.h"
#include "platform/cp1252.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "EMF";
constexpr uint32_t kSignature = 0x464D4520;  // " EMF"

enum Record : uint32_t {
  kHeader = 1,
  kPolyBezier = 2,
  kPolygon = 3,
  kPolyline = 4,
  kPolyBezierTo = 5,
  kPolylineTo = 6,
  kPolyPolyline = 7,
  kPolyPolygon = 8,
  kSetWindowExt = 9,
  kSetWindowOrg = 10,
  kSetViewportExt = 11,
  kSetViewportOrg = 12,
  kEof = 14,
  kSetMapMode = 17,
  kSetBkMode = 18,
  kSetPolyFillMode = 19,
  kSetBkColor = 25,
  kMoveTo = 27,
  kSaveDc = 33,
  kRestoreDc = 34,
  kSetWorldTransform = 35,
  kModifyWorldTransform = 36,
  kSelectObject = 37,
  kCreatePen = 38,
  kCreateBrush = 39,
  kDeleteObject = 40,
  kEllipse = 42,
  kArc = 45,
  kChord = 46,
  kPie = 47,
  kRectangle = 43,
  kRoundRect = 44,
  kLineTo = 54,
  kBitBlt = 76,
  kStretchBlt = 77,
  kSetDiBitsToDevice = 80,
  kStretchDiBits = 81,
  kPolyBezier16 = 85,
  kPolygon16 = 86,
  kPolyline16 = 87,
  kPolyBezierTo16 = 88,
  kPolylineTo16 = 89,
  kPolyPolyline16 = 90,
  kPolyPolygon16 = 91,
  kBeginPath = 59,
  kEndPath = 60,
  kCloseFigure = 61,
  kFillPath = 62,
  kStrokeAndFillPath = 63,
  kStrokePath = 64,
  kSelectClipPath = 67,
  kAbortPath = 68,
  kExtCreatePen = 95,
  kSetRop2 = 20,
  kSetTextAlign = 22,
  kSetTextColor = 24,
  kOffsetClipRgn = 26,
  kExcludeClipRect = 29,
  kIntersectClipRect = 30,
  kExtSelectClipRgn = 75,
  kExtCreateFontIndirectW = 82,
  kExtTextOutA = 83,
  kExtTextOutW = 84,
  kCreateMonoBrush = 93,
  kCreateDibPatternBrush = 94,
  kSmallTextOut = 108,
};

constexpr uint32_t kTextOpaque = 2, kTextClipped = 4, kTextNoRect = 0x100, kTextSmallChars = 0x200,
                   kTextAdvancesXY = 0x2000;
constexpr uint32_t kPaletteIndices = 1;  // colour usage: the table holds palette indices

constexpr uint32_t kStockFlag = 0x80000000;
constexpr uint32_t kPenNull = 5;
constexpr uint32_t kBrushSolid = 0, kBrushHatched = 2;

using Object = MetaObject;

Object stockObject(uint32_t index) {
  switch (index) {
    case 0:
      return MetaBrush{true, {255, 255, 255}};
    case 1:
      return MetaBrush{true, {192, 192, 192}};
    case 2:
      return MetaBrush{true, {128, 128, 128}};
    case 3:
      return MetaBrush{true, {64, 64, 64}};
    case 4:
      return MetaBrush{true, {0, 0, 0}};
    case 5:
      return MetaBrush{false, {}};
    case 6:
      return MetaPen{true, {255, 255, 255}, 0};
    case 7:
      return MetaPen{true, {0, 0, 0}, 0};
    case 8:
      return MetaPen{false, {}, 0};
    case 18:
      return MetaBrush{true, {255, 255, 255}};  // the DC brush, at its default
    case 19:
      return MetaPen{true, {0, 0, 0}, 0};  // the DC pen, at its default
    default:
      return std::monostate{};
  }
}

// Points of a Bezier outline (start, then control, control, end for each curve) flattened
// into a polyline.
std::vector<MetaPoint> flattenBeziers(const std::vector<MetaPoint>& p) {
  std::vector<MetaPoint> out;
  if (p.empty()) return out;
  out.push_back(p[0]);
  constexpr int kSteps = 16;
  for (size_t i = 1; i + 2 < p.size(); i += 3) {
    const MetaPoint a = p[i - 1], b = p[i], c = p[i + 1], d = p[i + 2];
    for (int k = 1; k <= kSteps; ++k) {
      const double t = static_cast<double>(k) / kSteps, u = 1 - t;
      out.push_back(
          {u * u * u * a.x + 3 * u * u * t * b.x + 3 * u * t * t * c.x + t * t * t * d.x,
           u * u * u * a.y + 3 * u * u * t * b.y + 3 * u * t * t * c.y + t * t * t * d.y});
    }
  }
  return out;
}

class Player {
 public:
  Player(MetafileCanvas& canvas, size_t handles, const PictureSource& source)
      : canvas_(canvas), objects_(std::min<size_t>(handles, 65536)), source_(source) {}

  void play(uint32_t type, std::span<const uint8_t> record) {
    ByteReader p(record, kFormat);
    p.skip(8);
    MetaState& s = canvas_.state();
    switch (type) {
      case kSetWindowExt:
        s.windowExt = point(p);
        break;
      case kSetWindowOrg:
        s.windowOrg = point(p);
        break;
      case kSetViewportExt:
        s.viewportExt = point(p);
        break;
      case kSetViewportOrg:
        s.viewportOrg = point(p);
        break;
      case kSetMapMode: {
        const uint32_t mode = p.u32le();
        // The metric modes are drawn as device pixels.
        s.mapMode =
            mode == kMapIsotropic || mode == kMapAnisotropic ? static_cast<int>(mode) : kMapText;
        break;
      }
      case kSetPolyFillMode:
        s.winding = p.u32le() == 2;
        break;
      case kSetBkMode:
        s.opaqueBackground = p.u32le() != 1;
        break;
      case kSetBkColor:
        s.background = colourRef(p.u32le());
        break;
      case kMoveTo:
        canvas_.moveTo(point(p));
        break;
      case kBeginPath:
        canvas_.beginPath();
        break;
      case kEndPath:
        canvas_.endPath();
        break;
      case kCloseFigure:
        canvas_.closeFigure();
        break;
      case kFillPath:
        canvas_.drawPath(true, false);
        break;
      case kStrokeAndFillPath:
        canvas_.drawPath(true, true);
        break;
      case kStrokePath:
        canvas_.drawPath(false, true);
        break;
      case kSelectClipPath:
        canvas_.clipToPath(clipMode(p.u32le()));
        break;
      case kAbortPath:
        canvas_.abortPath();
        break;
      case kSetRop2:
        s.rop = ropOfBinaryMode(static_cast<int>(std::min<uint32_t>(p.u32le(), 99)));
        break;
      case kSetTextAlign:
        s.textAlign = p.u32le();
        break;
      case kSetTextColor:
        s.textColour = colourRef(p.u32le());
        break;
      case kIntersectClipRect:
        canvas_.intersectClip(rect(p));
        break;
      case kExcludeClipRect:
        canvas_.excludeClip(rect(p));
        break;
      case kOffsetClipRgn:
        canvas_.offsetClip(point(p));
        break;
      case kExtSelectClipRgn:
        selectClipRegion(p);
        break;
      case kExtCreateFontIndirectW:
        putFont(p);
        break;
      case kExtTextOutA:
      case kExtTextOutW:
        extTextOut(p, record, type == kExtTextOutW);
        break;
      case kSmallTextOut:
        smallTextOut(p);
        break;
      case kCreateMonoBrush:
      case kCreateDibPatternBrush:
        putPatternBrush(p, record, type == kCreateMonoBrush);
        break;
      case kLineTo:
        canvas_.lineTo(point(p));
        break;
      case kSetWorldTransform:
        s.world = transform(p);
        break;
      case kModifyWorldTransform: {
        const MetaTransform t = transform(p);
        switch (p.u32le()) {
          case 1:
            s.world = {};
            break;  // identity
          case 2:
            s.world = MetaTransform::chain(t, s.world);
            break;  // t first
          case 3:
            s.world = MetaTransform::chain(s.world, t);
            break;  // t last
          case 4:
            s.world = t;
            break;
          default:
            break;
        }
        break;
      }
      case kSaveDc:
        canvas_.save();
        break;
      case kRestoreDc:
        canvas_.restore(p.i32le());
        break;
      case kRectangle: {
        const MetaPoint a = point(p), b = point(p);
        canvas_.rectangle(a, b);
        break;
      }
      case kRoundRect: {
        const MetaPoint a = point(p), b = point(p);
        canvas_.roundRectangle(a, b, point(p));
        break;
      }
      case kEllipse: {
        const MetaPoint a = point(p), b = point(p);
        canvas_.ellipse(a, b);
        break;
      }
      case kArc:
      case kChord:
      case kPie: {
        const MetaPoint a = point(p), b = point(p), start = point(p), end = point(p);
        const auto kind = type == kArc     ? MetafileCanvas::ArcKind::Arc
                          : type == kChord ? MetafileCanvas::ArcKind::Chord
                                           : MetafileCanvas::ArcKind::Pie;
        canvas_.arc(kind, a, b, start, end);
        break;
      }
      case kPolygon:
      case kPolygon16:
        p.skip(16);
        canvas_.polygons({points(p, p.u32le(), type == kPolygon16)});
        break;
      case kPolyline:
      case kPolyline16:
      case kPolyBezier:
      case kPolyBezier16:
      case kPolylineTo:
      case kPolylineTo16:
      case kPolyBezierTo:
      case kPolyBezierTo16: {
        p.skip(16);
        const bool small = type == kPolyline16 || type == kPolyBezier16 || type == kPolylineTo16 ||
                           type == kPolyBezierTo16;
        std::vector<MetaPoint> pts = points(p, p.u32le(), small);
        // The "to" forms start at the current position.
        const bool to = type == kPolylineTo || type == kPolylineTo16 || type == kPolyBezierTo ||
                        type == kPolyBezierTo16;
        if (to) pts.insert(pts.begin(), s.position);
        if (type == kPolyBezier || type == kPolyBezier16 || type == kPolyBezierTo ||
            type == kPolyBezierTo16)
          pts = flattenBeziers(pts);
        if (to) {
          if (!pts.empty()) pts.erase(pts.begin());
          canvas_.polylineTo(pts);
        } else {
          canvas_.polyline(pts);
        }
        break;
      }
      case kPolyPolygon:
      case kPolyPolygon16:
      case kPolyPolyline:
      case kPolyPolyline16: {
        p.skip(16);
        const uint32_t n = p.u32le();
        p.u32le();  // total point count
        if (uint64_t{n} * 4 > p.remaining()) p.failRead();
        std::vector<uint32_t> counts(n);
        for (auto& c : counts) c = p.u32le();
        const bool small = type == kPolyPolygon16 || type == kPolyPolyline16;
        std::vector<std::vector<MetaPoint>> polys;
        for (uint32_t c : counts) polys.push_back(points(p, c, small));
        if (type == kPolyPolygon || type == kPolyPolygon16) {
          canvas_.polygons(polys);
        } else {
          for (const auto& poly : polys) canvas_.polyline(poly);
        }
        break;
      }
      case kCreatePen: {
        const uint32_t ih = p.u32le();
        MetaPen pen;
        pen.visible = (p.u32le() & 0x0F) != kPenNull;
        pen.width = std::abs(static_cast<double>(p.i32le()));
        p.skip(4);
        pen.colour = colourRef(p.u32le());
        put(ih, pen);
        break;
      }
      case kExtCreatePen: {
        const uint32_t ih = p.u32le();
        p.skip(16);  // the pattern bitmap, not drawn
        MetaPen pen;
        pen.visible = (p.u32le() & 0x0F) != kPenNull;
        pen.width = p.u32le();
        p.skip(4);  // brush style
        pen.colour = colourRef(p.u32le());
        put(ih, pen);
        break;
      }
      case kCreateBrush: {
        const uint32_t ih = p.u32le();
        const uint32_t style = p.u32le();
        MetaBrush brush{style == kBrushSolid || style == kBrushHatched, colourRef(p.u32le())};
        if (style == kBrushHatched)
          brush.hatch = static_cast<int>(std::min<uint32_t>(p.u32le(), 5));
        put(ih, brush);
        break;
      }
      case kSelectObject: {
        const uint32_t ih = p.u32le();
        canvas_.select(ih & kStockFlag        ? stockObject(ih & ~kStockFlag)
                       : ih < objects_.size() ? objects_[ih]
                                              : Object{});
        break;
      }
      case kDeleteObject: {
        const uint32_t ih = p.u32le();
        if (ih < objects_.size()) objects_[ih] = std::monostate{};
        break;
      }
      case kBitBlt:
      case kStretchBlt:
      case kStretchDiBits:
      case kSetDiBitsToDevice:
        blit(type, p, record);
        break;
      default:
        break;
    }
  }

 private:
  // Six 32-bit floats; values that are not finite leave the picture untouched.
  static MetaTransform transform(ByteReader& p) {
    double v[6];
    for (double& x : v) {
      const uint32_t bits = p.u32le();
      float f = 0;
      std::memcpy(&f, &bits, sizeof f);
      x = std::isfinite(f) ? f : 0;
    }
    return {v[0], v[1], v[2], v[3], v[4], v[5]};
  }

  static MetaRect rect(ByteReader& p) {
    const MetaPoint a = point(p);
    return {a, point(p)};
  }

  static ClipCombine clipMode(uint32_t mode) {
    return mode >= 1 && mode <= 5 ? static_cast<ClipCombine>(mode) : ClipCombine::Copy;
  }

  // UTF-16 text; unpaired surrogates become the replacement character.
  static std::u32string utf16Text(std::span<const uint8_t> bytes) {
    std::u32string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      const char32_t unit = loadU16le(bytes.data() + i);
      if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
        const char32_t low = loadU16le(bytes.data() + i + 2);
        if (low >= 0xDC00 && low < 0xE000) {
          out.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
          i += 2;
          continue;
        }
      }
      out.push_back(unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
    }
    return out;
  }

  void putFont(ByteReader& p) {
    const uint32_t ih = p.u32le();
    MetaFont f;
    f.height = p.i32le();
    p.i32le();  // width
    f.escapement = p.i32le();
    p.i32le();  // orientation
    f.weight = p.i32le();
    f.italic = p.u8() != 0;
    f.underline = p.u8() != 0;
    f.strikeOut = p.u8() != 0;
    p.skip(5);  // character set, precisions, quality, pitch and family
    std::u32string face = utf16Text(p.bytes(std::min<size_t>(64, p.remaining())));
    face.resize(std::min(face.size(), face.find(U'\0')));
    for (char32_t c : face) appendUtf8(f.face, c);
    put(ih, f);
  }

  void extTextOut(ByteReader& p, std::span<const uint8_t> record, bool wide) {
    p.skip(16 + 12);  // bounds, graphics mode, scales
    MetaText t;
    t.reference = point(p);
    const uint32_t count = p.u32le(), offString = p.u32le(), options = p.u32le();
    t.rect = rect(p);
    const uint32_t offDx = p.u32le();
    t.opaqueRect = (options & kTextOpaque) != 0;
    t.clipToRect = (options & kTextClipped) != 0;
    const uint64_t bytes = uint64_t{count} * (wide ? 2 : 1);
    if (offString > record.size() || bytes > record.size() - offString) p.failRead();
    const auto text = record.subspan(offString, bytes);
    t.chars = wide ? utf16Text(text) : cp1252ToUnicode(text);
    // Advances, with vertical ones between them under the x-and-y option.
    const uint64_t step = options & kTextAdvancesXY ? 8 : 4;
    if (offDx != 0 && offDx <= record.size() && count * step <= record.size() - offDx) {
      for (uint32_t i = 0; i < count; ++i)
        t.dx.push_back(static_cast<int32_t>(loadU32le(record.data() + offDx + i * step)));
    }
    canvas_.text(t);
  }

  void smallTextOut(ByteReader& p) {
    MetaText t;
    t.reference = point(p);
    const uint32_t count = p.u32le(), options = p.u32le();
    p.skip(12);  // graphics mode, scales
    t.opaqueRect = (options & kTextOpaque) != 0;
    t.clipToRect = (options & kTextClipped) != 0;
    if ((options & kTextNoRect) == 0) t.rect = rect(p);
    const bool small = (options & kTextSmallChars) != 0;
    const auto text = p.bytes(uint64_t{count} * (small ? 1 : 2));
    t.chars = small ? cp1252ToUnicode(text) : utf16Text(text);
    canvas_.text(t);
  }

  // A region of rectangles in device units; none with the copy mode clips nothing.
  void selectClipRegion(ByteReader& p) {
    const uint32_t size = p.u32le();
    const ClipCombine mode = clipMode(p.u32le());
    if (size == 0) {
      if (mode == ClipCombine::Copy) canvas_.resetClip();
      return;
    }
    p.skip(8);  // header size, type
    const uint32_t count = p.u32le();
    p.skip(20);  // region size, bounds
    if (uint64_t{count} * 16 > p.remaining()) p.failRead();
    std::vector<MetaRect> rects(count);
    for (MetaRect& r : rects) {
      const MetaRect device = rect(p);
      r = {canvas_.deviceToPixels(device.a), canvas_.deviceToPixels(device.b)};
    }
    canvas_.combineClip(rects, mode);
  }

  void putPatternBrush(ByteReader& p, std::span<const uint8_t> record, bool monochrome) {
    const uint32_t ih = p.u32le(), usage = p.u32le();
    const uint32_t offBmi = p.u32le(), cbBmi = p.u32le(), offBits = p.u32le(), cbBits = p.u32le();
    if (offBmi > record.size() || cbBmi > record.size() - offBmi || offBits < offBmi ||
        offBits > record.size() || cbBits > record.size() - offBits)
      p.failRead();
    MetaBrush brush;
    brush.pattern = decodeMetafilePattern(record.subspan(offBmi), uint64_t{offBits} - offBmi,
                                          monochrome, usage == kPaletteIndices, source_, canvas_);
    put(ih, brush);
  }

  static MetaPoint point(ByteReader& p) {
    const double x = p.i32le();
    return {x, static_cast<double>(p.i32le())};
  }

  static std::vector<MetaPoint> points(ByteReader& p, uint64_t count, bool small) {
    if (count * (small ? 4 : 8) > p.remaining()) p.failRead();
    std::vector<MetaPoint> out(count);
    for (auto& q : out) {
      if (small) {
        const double x = p.i16le();
        q = {x, static_cast<double>(p.i16le())};
      } else {
        q = point(p);
      }
    }
    return out;
  }

  void put(uint32_t ih, const Object& o) {
    if (ih >= objects_.size()) {
      if (ih >= 65536) return;
      objects_.resize(ih + 1);
    }
    objects_[ih] = o;
  }

  void blit(uint32_t type, ByteReader& p, std::span<const uint8_t> record) {
    p.skip(16);  // bounds
    int32_t xDest, yDest, xSrc, ySrc, cxSrc, cySrc, cxDest, cyDest;
    // Where the bitmap's info header and bits lie in the record.
    const auto readPlace = [&p](uint32_t& offBmi, uint32_t& cbBmi, uint32_t& offBits,
                                uint32_t& cbBits) {
      offBmi = p.u32le();
      cbBmi = p.u32le();
      offBits = p.u32le();
      cbBits = p.u32le();
    };
    uint32_t offBmi, cbBmi, offBits, cbBits;
    uint8_t rop = kRopSourceCopy;
    if (type == kBitBlt || type == kStretchBlt) {
      xDest = p.i32le();
      yDest = p.i32le();
      cxDest = p.i32le();
      cyDest = p.i32le();
      rop = static_cast<uint8_t>(p.u32le() >> 16);
      xSrc = p.i32le();
      ySrc = p.i32le();
      p.skip(24 + 4 + 4);  // source transform, background colour, colour usage
      readPlace(offBmi, cbBmi, offBits, cbBits);
      cxSrc = cxDest;
      cySrc = cyDest;
      if (type == kStretchBlt) {
        cxSrc = p.i32le();
        cySrc = p.i32le();
      }
    } else {
      xDest = p.i32le();
      yDest = p.i32le();
      xSrc = p.i32le();
      ySrc = p.i32le();
      cxSrc = p.i32le();
      cySrc = p.i32le();
      readPlace(offBmi, cbBmi, offBits, cbBits);
      cxDest = cxSrc;
      cyDest = cySrc;
      if (type == kStretchDiBits) {
        p.skip(4);  // colour usage
        rop = static_cast<uint8_t>(p.u32le() >> 16);
        cxDest = p.i32le();
        cyDest = p.i32le();
      }
    }
    const MetaPoint dest{static_cast<double>(xDest), static_cast<double>(yDest)};
    const MetaPoint size{static_cast<double>(cxDest), static_cast<double>(cyDest)};
    if (cbBmi == 0) {
      // A blit without a source paints with the brush.
      canvas_.fillWithBrush(dest, size, rop);
      return;
    }
    if (offBmi > record.size() || cbBmi > record.size() - offBmi || offBits < offBmi ||
        offBits > record.size() || cbBits > record.size() - offBits)
      p.failRead();
    const MetafileDib dib =
        decodeMetafileDib(record.subspan(offBmi), uint64_t{offBits} - offBmi, source_, canvas_);
    // The device-independent records count source rows the bitmap's way; the blits copy
    // from a device context, whose rows run top-down.
    const bool dibRows = type == kStretchDiBits || type == kSetDiBitsToDevice;
    canvas_.drawImage(dib.image, xSrc, dibRows ? sourceTop(dib, ySrc, cySrc) : ySrc, cxSrc, cySrc,
                      dest, size, rop);
  }

  MetafileCanvas& canvas_;
  std::vector<Object> objects_;
  const PictureSource& source_;
};

}  // namespace

Image readEmf(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  if (in.u32le() != kHeader) failInvalidFormat(kFormat);
  const uint32_t headerSize = in.u32le();
  const int32_t bl = in.i32le(), bt = in.i32le(), br = in.i32le(), bb = in.i32le();
  const int32_t fl = in.i32le(), ft = in.i32le(), fr = in.i32le(), fb = in.i32le();
  if (in.u32le() != kSignature || headerSize < 88 || headerSize > in.size())
    failInvalidFormat(kFormat);
  in.skip(12);  // version, bytes, records
  const uint16_t handles = in.u16le();
  in.skip(14);  // reserved, description, palette entries
  const int32_t deviceX = in.i32le(), deviceY = in.i32le();
  const int32_t mmX = in.i32le(), mmY = in.i32le();

  // The frame (in 0.01 mm) at the reference device's resolution gives the picture; the
  // bounds (in device pixels) serve when the device sizes are missing.
  double width = 0, height = 0, left = 0, top = 0;
  if (deviceX > 0 && deviceY > 0 && mmX > 0 && mmY > 0 && fr > fl && fb > ft) {
    const double px = deviceX / (mmX * 100.0), py = deviceY / (mmY * 100.0);
    width = std::round((static_cast<double>(fr) - fl) * px);
    height = std::round((static_cast<double>(fb) - ft) * py);
    left = std::round(fl * px);
    top = std::round(ft * py);
  } else {
    width = static_cast<double>(br) - bl + 1;
    height = static_cast<double>(bb) - bt + 1;
    left = bl;
    top = bt;
  }
  checkPictureSize(source, kFormat, static_cast<int64_t>(std::clamp(width, -1.0, 1e9)),
                   static_cast<int64_t>(std::clamp(height, -1.0, 1e9)));

  MetafileCanvas canvas(static_cast<int>(width), static_cast<int>(height), source.name);
  canvas.setDeviceToPixels({left, top}, {1, 1});
  Player player(canvas, handles, source);
  size_t pos = headerSize;
  const auto bytes = source.bytes;
  while (bytes.size() - pos >= 8) {
    const uint32_t type = loadU32le(bytes.data() + pos);
    const uint32_t size = loadU32le(bytes.data() + pos + 4);
    if (type == kEof || size < 8 || size > bytes.size() - pos) break;
    try {
      player.play(type, bytes.subspan(pos, size));
    } catch (const MetafileTooCostly&) {
      throw;
    } catch (const Error&) {
      // A malformed record is skipped like an unknown one; the rest still draws.
    }
    pos += size;
  }
  return canvas.take();
}

}  // namespace lumabord
