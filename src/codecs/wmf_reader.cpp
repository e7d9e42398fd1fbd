// Windows metafile reader (wmf, with or without the placeable header): plays the records
// that drawings carry (bitmaps, shapes, lines, text, pens, brushes and patterns, fonts,
// clipping regions, raster operations, the window/viewport mapping) onto white at the
// metafile's own size. Other records are skipped.
#include <algorithm>
#include <cmath>
#include <optional>
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

constexpr const char* kFormat = "WMF";
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr double kPixelsPerInch = 96;

enum Record : uint16_t {
  kEof = 0x0000,
  kSaveDc = 0x001E,
  kSetBkMode = 0x0102,
  kSetBkColor = 0x0201,
  kSetTextColor = 0x0209,
  kSetTextAlign = 0x012E,
  kSetRop2 = 0x0104,
  kTextOut = 0x0521,
  kExtTextOut = 0x0A32,
  kIntersectClipRect = 0x0416,
  kExcludeClipRect = 0x0415,
  kSelectClipRegion = 0x012C,
  kOffsetClipRgn = 0x0220,
  kPatBlt = 0x061D,
  kSetMapMode = 0x0103,
  kSetPolyFillMode = 0x0106,
  kRestoreDc = 0x0127,
  kSelectObject = 0x012D,
  kDeleteObject = 0x01F0,
  kSetWindowOrg = 0x020B,
  kSetWindowExt = 0x020C,
  kSetViewportOrg = 0x020D,
  kSetViewportExt = 0x020E,
  kOffsetWindowOrg = 0x020F,
  kOffsetViewportOrg = 0x0211,
  kLineTo = 0x0213,
  kMoveTo = 0x0214,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kScaleWindowExt = 0x0410,
  kScaleViewportExt = 0x0412,
  kEllipse = 0x0418,
  kArc = 0x0817,
  kPie = 0x081A,
  kChord = 0x0830,
  kRectangle = 0x041B,
  kPolyPolygon = 0x0538,
  kRoundRect = 0x061C,
  kDibBitBlt = 0x0940,
  kDibStretchBlt = 0x0B41,
  kSetDibToDev = 0x0D33,
  kStretchDib = 0x0F43,
  // Records that create an object, each taking the lowest free slot of the object table.
  kCreatePalette = 0x00F7,
  kCreatePatternBrush = 0x01F9,
  kCreatePenIndirect = 0x02FA,
  kCreateFontIndirect = 0x02FB,
  kCreateBrushIndirect = 0x02FC,
  kCreateRegion = 0x06FF,
  kDibCreatePatternBrush = 0x0142,
};

constexpr uint16_t kPenNull = 5;
constexpr uint16_t kBrushSolid = 0, kBrushHatched = 2, kBrushPattern = 3;
constexpr uint16_t kPaletteIndices = 1;  // colour usage: the table holds palette indices
constexpr uint16_t kTextOpaque = 2, kTextClipped = 4;

using Object = MetaObject;

struct Size {
  int width = 0, height = 0;
  MetaPoint windowOrg, windowExt;
};

// A record's parameters: 16-bit words, read in order.
class Params {
 public:
  explicit Params(std::span<const uint8_t> bytes) : in_(bytes, kFormat) {}
  uint8_t u8() { return in_.u8(); }
  int16_t i16() { return in_.i16le(); }
  uint16_t u16() { return in_.u16le(); }
  uint32_t u32() { return in_.u32le(); }
  size_t offset() const { return in_.position(); }
  std::span<const uint8_t> rest() const { return in_.rest(); }
  // A point stored y first, as most records store them.
  MetaPoint yx() {
    const double y = i16();
    return {static_cast<double>(i16()), y};
  }
  MetaPoint xy() {
    const double x = i16();
    return {x, static_cast<double>(i16())};
  }
  std::span<const uint8_t> bytes(size_t count) { return in_.bytes(count); }
  void skip(size_t count) { in_.skip(count); }
  size_t remaining() const { return in_.remaining(); }
  // A rectangle stored left, top, right, bottom.
  MetaRect ltrb() {
    const MetaPoint a = xy();
    return {a, xy()};
  }
  // One stored last field first: bottom, right, top, left.
  MetaRect brtl() {
    const MetaPoint b = yx();
    const MetaPoint a = yx();
    return {a, b};
  }
  std::vector<MetaPoint> points(size_t count) {
    if (count * 4 > in_.remaining()) in_.failRead();
    std::vector<MetaPoint> p(count);
    for (auto& q : p) q = xy();
    return p;
  }

 private:
  ByteReader in_;
};

struct RecordView {
  uint16_t function;
  uint32_t words;
  std::span<const uint8_t> params;
};

// Walks the records; stops at the end record or at a record whose size cannot be right.
template <typename Visit>
void forEachRecord(std::span<const uint8_t> records, Visit visit) {
  size_t pos = 0;
  while (records.size() - pos >= 6) {
    const uint32_t words = loadU32le(records.data() + pos);
    const uint16_t function = loadU16le(records.data() + pos + 4);
    if (function == kEof || words < 3 || words > (records.size() - pos) / 2) return;
    if (!visit(RecordView{function, words, records.subspan(pos + 6, size_t{words} * 2 - 6)}))
      return;
    pos += size_t{words} * 2;
  }
}

class Player {
 public:
  Player(MetafileCanvas& canvas, size_t objectCount, const PictureSource& source)
      : canvas_(canvas), objects_(objectCount), source_(source) {}

  void play(const RecordView& r) {
    Params p(r.params);
    MetaState& s = canvas_.state();
    switch (r.function) {
      case kSaveDc:
        canvas_.save();
        break;
      case kRestoreDc:
        canvas_.restore(p.i16());
        break;
      case kSetMapMode:
        // Played into a target rectangle, the window always maps onto the picture; only
        // the request for equal scales on both axes changes that.
        s.mapMode = p.u16() == kMapIsotropic ? kMapIsotropic : kMapAnisotropic;
        break;
      case kSetPolyFillMode:
        s.winding = p.u16() == 2;
        break;
      case kSetBkMode:
        s.opaqueBackground = p.u16() != 1;
        break;
      case kSetBkColor:
        s.background = colourRef(p.u32());
        break;
      case kSetTextColor:
        s.textColour = colourRef(p.u32());
        break;
      case kSetTextAlign:
        s.textAlign = p.u16();
        break;
      case kSetRop2:
        s.rop = ropOfBinaryMode(p.u16());
        break;
      case kTextOut: {
        MetaText t;
        t.chars = cp1252ToUnicode(p.bytes(p.u16()));
        if (t.chars.size() % 2 != 0) p.skip(1);
        t.reference = p.yx();
        canvas_.text(t);
        break;
      }
      case kExtTextOut:
        extTextOut(p);
        break;
      case kIntersectClipRect:
        canvas_.intersectClip(p.brtl());
        break;
      case kExcludeClipRect:
        canvas_.excludeClip(p.brtl());
        break;
      case kOffsetClipRgn:
        canvas_.offsetClip(p.yx());
        break;
      case kSelectClipRegion: {
        const size_t i = p.u16();
        if (i < objects_.size() && std::holds_alternative<MetaRegion>(objects_[i])) {
          canvas_.select(objects_[i]);
        } else {
          canvas_.resetClip();
        }
        break;
      }
      case kPatBlt: {
        const uint32_t rop = p.u32();
        const double h = p.i16(), w = p.i16();
        canvas_.fillWithBrush(p.yx(), {w, h}, static_cast<uint8_t>(rop >> 16));
        break;
      }
      case kSetWindowOrg:
        s.windowOrg = p.yx();
        break;
      case kSetWindowExt:
        s.windowExt = p.yx();
        break;
      case kSetViewportOrg:
        s.viewportOrg = p.yx();
        break;
      case kSetViewportExt:
        s.viewportExt = p.yx();
        break;
      case kOffsetWindowOrg: {
        const MetaPoint d = p.yx();
        s.windowOrg = {s.windowOrg.x + d.x, s.windowOrg.y + d.y};
        break;
      }
      case kOffsetViewportOrg: {
        const MetaPoint d = p.yx();
        s.viewportOrg = {s.viewportOrg.x + d.x, s.viewportOrg.y + d.y};
        break;
      }
      case kScaleWindowExt:
      case kScaleViewportExt: {
        const double yDenom = p.i16(), yNum = p.i16(), xDenom = p.i16(), xNum = p.i16();
        if (yDenom == 0 || xDenom == 0) break;
        MetaPoint& ext = r.function == kScaleWindowExt ? s.windowExt : s.viewportExt;
        ext = {ext.x * xNum / xDenom, ext.y * yNum / yDenom};
        break;
      }
      case kMoveTo:
        canvas_.moveTo(p.yx());
        break;
      case kLineTo:
        canvas_.lineTo(p.yx());
        break;
      case kRectangle: {
        const double bottom = p.i16(), right = p.i16(), top = p.i16(), left = p.i16();
        canvas_.rectangle({left, top}, {right, bottom});
        break;
      }
      case kRoundRect: {
        const MetaPoint corner = p.yx();
        const double bottom = p.i16(), right = p.i16(), top = p.i16(), left = p.i16();
        canvas_.roundRectangle({left, top}, {right, bottom}, corner);
        break;
      }
      case kEllipse: {
        const double bottom = p.i16(), right = p.i16(), top = p.i16(), left = p.i16();
        canvas_.ellipse({left, top}, {right, bottom});
        break;
      }
      case kArc:
      case kPie:
      case kChord: {
        const MetaPoint end = p.yx(), start = p.yx();
        const double bottom = p.i16(), right = p.i16(), top = p.i16(), left = p.i16();
        const auto kind = r.function == kArc   ? MetafileCanvas::ArcKind::Arc
                          : r.function == kPie ? MetafileCanvas::ArcKind::Pie
                                               : MetafileCanvas::ArcKind::Chord;
        canvas_.arc(kind, {left, top}, {right, bottom}, start, end);
        break;
      }
      case kPolygon:
        canvas_.polygons({p.points(static_cast<uint16_t>(p.i16()))});
        break;
      case kPolyline: {
        const auto points = p.points(static_cast<uint16_t>(p.i16()));
        canvas_.polyline(points);
        break;
      }
      case kPolyPolygon: {
        const size_t n = p.u16();
        std::vector<size_t> counts(n);
        for (auto& c : counts) c = p.u16();
        std::vector<std::vector<MetaPoint>> polys;
        for (size_t c : counts) polys.push_back(p.points(c));
        canvas_.polygons(polys);
        break;
      }
      case kCreatePenIndirect: {
        MetaPen pen;
        pen.visible = (p.u16() & 0x0F) != kPenNull;
        pen.width = std::abs(p.xy().x);
        pen.colour = colourRef(p.u32());
        create(pen);
        break;
      }
      case kCreateBrushIndirect: {
        MetaBrush brush;
        const uint16_t style = p.u16();
        brush.visible = style == kBrushSolid || style == kBrushHatched;
        brush.colour = colourRef(p.u32());
        if (style == kBrushHatched) brush.hatch = std::min<int>(p.u16(), 5);
        create(brush);
        break;
      }
      case kCreatePatternBrush:
        p.skip(2);  // bitmap type
        create(patternBrush(decodeBitmap16Pattern(p.rest(), canvas_)));
        break;
      case kDibCreatePatternBrush: {
        const uint16_t style = p.u16(), usage = p.u16();
        if (style == kBrushPattern) {
          p.skip(2);  // bitmap type
          create(patternBrush(decodeBitmap16Pattern(p.rest(), canvas_)));
        } else {
          create(patternBrush(decodeMetafilePattern(p.rest(), std::nullopt, false,
                                                    usage == kPaletteIndices, source_, canvas_)));
        }
        break;
      }
      case kCreateFontIndirect:
        create(font(p));
        break;
      case kCreateRegion:
        create(region(p));
        break;
      case kCreatePalette:
        create(MetaOther{});
        break;
      case kSelectObject: {
        const size_t i = p.u16();
        if (i < objects_.size()) canvas_.select(objects_[i]);
        break;
      }
      case kDeleteObject: {
        const size_t i = p.u16();
        if (i < objects_.size()) objects_[i] = std::monostate{};
        break;
      }
      case kDibBitBlt:
      case kDibStretchBlt:
      case kStretchDib:
      case kSetDibToDev:
        blit(r, p);
        break;
      default:
        break;
    }
  }

 private:
  void create(const Object& object) {
    for (auto& slot : objects_) {
      if (std::holds_alternative<std::monostate>(slot)) {
        slot = object;
        return;
      }
    }
    // Files that create more objects than their header says: grow, within reason.
    if (objects_.size() < 65536) objects_.push_back(object);
  }

  static MetaBrush patternBrush(std::shared_ptr<const MetaPattern> pattern) {
    MetaBrush brush;
    brush.visible = pattern != nullptr;  // a device-dependent colour bitmap is not drawn
    brush.pattern = std::move(pattern);
    return brush;
  }

  static MetaFont font(Params& p) {
    MetaFont f;
    f.height = p.i16();
    p.i16();  // width
    f.escapement = p.i16();
    p.i16();  // orientation
    f.weight = p.i16();
    f.italic = p.u8() != 0;
    f.underline = p.u8() != 0;
    f.strikeOut = p.u8() != 0;
    p.skip(5);  // character set, precisions, quality, pitch and family
    const auto name = p.bytes(std::min<size_t>(32, p.remaining()));
    const auto end = std::find(name.begin(), name.end(), uint8_t{0});
    f.face = cp1252ToUtf8(
        {reinterpret_cast<const char*>(name.data()), static_cast<size_t>(end - name.begin())});
    return f;
  }

  // A region of scans, each a band of rows with pairs of left and right edges.
  static MetaRegion region(Params& p) {
    p.skip(10);  // next in chain, object type, object count, region size
    const uint16_t scans = p.u16();
    p.skip(2);  // the largest scan
    const MetaRect bounds = p.ltrb();
    MetaRegion region;
    if (scans == 0) {
      region.rects.push_back(bounds);
      return region;
    }
    for (uint16_t i = 0; i < scans; ++i) {
      const uint16_t edges = p.u16();
      const double top = p.i16(), bottom = p.i16();
      for (uint16_t e = 0; e + 1 < edges; e += 2) {
        const double left = p.i16(), right = p.i16();
        region.rects.push_back({{left, top}, {right, bottom}});
      }
      if (edges % 2 != 0) p.skip(2);
      p.u16();  // the count again
    }
    return region;
  }

  void extTextOut(Params& p) {
    MetaText t;
    t.reference = p.yx();
    const uint16_t length = p.u16();
    const uint16_t options = p.u16();
    t.opaqueRect = (options & kTextOpaque) != 0;
    t.clipToRect = (options & kTextClipped) != 0;
    if (t.opaqueRect || t.clipToRect) t.rect = p.ltrb();
    t.chars = cp1252ToUnicode(p.bytes(length));
    if (length % 2 != 0) p.skip(1);
    // The advances are there when the record holds them.
    if (p.remaining() >= size_t{length} * 2) {
      for (uint16_t i = 0; i < length; ++i) t.dx.push_back(p.i16());
    }
    canvas_.text(t);
  }

  void blit(const RecordView& r, Params& p) {
    // The blit records without a bitmap are one parameter word longer than their
    // function's high byte says and fill with the brush.
    const bool noBitmap = (r.function == kDibBitBlt || r.function == kDibStretchBlt) &&
                          r.words == (r.function >> 8) + 3u;
    int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
    MetaPoint dest, size;
    uint8_t rop = kRopSourceCopy;
    if (r.function == kSetDibToDev) {
      p.u16();  // colour usage
      p.u16();  // scan count
      p.u16();  // start scan
      srcY = p.i16();
      srcX = p.i16();
      srcH = p.i16();
      srcW = p.i16();
      dest = p.yx();
      size = {static_cast<double>(srcW), static_cast<double>(srcH)};
    } else {
      rop = static_cast<uint8_t>(p.u32() >> 16);
      if (r.function == kStretchDib) p.u16();  // colour usage
      if (r.function != kDibBitBlt) {
        srcH = p.i16();
        srcW = p.i16();
      }
      srcY = p.i16();
      srcX = p.i16();
      if (noBitmap) p.u16();
      const double h = p.i16(), w = p.i16();
      dest = p.yx();
      size = {w, h};
      if (r.function == kDibBitBlt) {
        srcW = static_cast<int>(w);
        srcH = static_cast<int>(h);
      }
    }
    if (noBitmap) {
      canvas_.fillWithBrush(dest, size, rop);
      return;
    }
    const MetafileDib dib = decodeMetafileDib(p.rest(), std::nullopt, source_, canvas_);
    // The device-independent records count source rows the bitmap's way; the blits copy
    // from a device context, whose rows run top-down.
    const bool dibRows = r.function == kStretchDib || r.function == kSetDibToDev;
    canvas_.drawImage(dib.image, srcX, dibRows ? sourceTop(dib, srcY, srcH) : srcY, srcW, srcH,
                      dest, size, rop);
  }

  MetafileCanvas& canvas_;
  std::vector<Object> objects_;
  const PictureSource& source_;
};

}  // namespace

Image readWmf(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  std::optional<Size> size;
  if (in.size() >= 4 && loadU32le(in.all().data()) == kPlaceableKey) {
    in.skip(6);
    const double left = in.i16le(), top = in.i16le(), right = in.i16le(), bottom = in.i16le();
    const uint16_t inch = in.u16le();
    in.skip(6);
    const double perInch = inch ? inch : 1440;
    size = Size{static_cast<int>(std::lround(std::abs(right - left) * kPixelsPerInch / perInch)),
                static_cast<int>(std::lround(std::abs(bottom - top) * kPixelsPerInch / perInch)),
                {left, top},
                {right - left, bottom - top}};
  }
  const size_t headerAt = in.position();
  const uint16_t type = in.u16le();
  const uint16_t headerWords = in.u16le();
  in.skip(6);  // version, file size
  const uint16_t objectCount = in.u16le();
  if ((type != 1 && type != 2) || headerWords < 9) failInvalidFormat(kFormat);
  in.seek(headerAt + size_t{headerWords} * 2);
  const auto records = in.rest();

  if (!size) {
    // Without the placeable header the first window extent gives the size, in pixels.
    forEachRecord(records, [&](const RecordView& r) {
      if (r.function != kSetWindowExt || r.params.size() < 4) return true;
      const double y = static_cast<int16_t>(loadU16le(r.params.data()));
      const double x = static_cast<int16_t>(loadU16le(r.params.data() + 2));
      size = Size{static_cast<int>(std::abs(x)), static_cast<int>(std::abs(y)), {0, 0}, {x, y}};
      return false;
    });
    if (!size)
      fail("Cannot load image %s: the WMF file gives no picture size", source.name.c_str());
  }
  checkPictureSize(source, kFormat, size->width, size->height);

  MetafileCanvas canvas(size->width, size->height, source.name);
  MetaState& s = canvas.state();
  s.mapMode = kMapAnisotropic;
  s.windowOrg = size->windowOrg;
  s.windowExt = size->windowExt;
  s.viewportExt = {static_cast<double>(size->width), static_cast<double>(size->height)};

  Player player(canvas, objectCount, source);
  forEachRecord(records, [&](const RecordView& r) {
    try {
      player.play(r);
    } catch (const MetafileTooCostly&) {
      throw;
    } catch (const Error&) {
      // A malformed record is skipped like an unknown one; the rest still draws.
    }
    return true;
  });
  return canvas.take();
}

}  // namespace lumabord
