// Windows metafile and enhanced metafile readers: the drawn pixels of each record kind,
// the size rules, the window/viewport mapping, skipped records, sniffing and bad input.
#include <cstring>

#include "codecs/metafile_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

using namespace metafile_files;

const Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255}, kBlack{0, 0, 0};

// ---- WMF ----

TEST(WmfReader, PlaceableSizeRectanglesAndPens) {
  // 300 x 150 units at 1440 per inch: 20 x 10 pixels at 96 per inch.
  Wmf wmf(true, 300, 150);
  wmf.brush(kRed).select(0).pen(kBlack, 0, 5).select(1);   // null pen
  wmf.record(0x041B, {90, 150, 15, 30});                   // rectangle l30 t15 r150 b90
  wmf.pen(kBlue, 0).select(2).brush(kWhite, 1).select(3);  // null brush, 1-pixel pen
  wmf.record(0x041B, {150, 300, 105, 180});                // outline of (12,7)-(20,10)
  const Image image = decodeAs(wmf.bytes(), "wmf");
  ASSERT_EQ(image.width(), 20);
  ASSERT_EQ(image.height(), 10);
  // Pixels (2,1) to (9,5): the right and bottom edges stay outside.
  EXPECT_EQ(image.pixel(2, 1), kRed);
  EXPECT_EQ(image.pixel(9, 5), kRed);
  EXPECT_EQ(image.pixel(10, 5), kWhite);
  EXPECT_EQ(image.pixel(9, 6), kWhite);
  EXPECT_EQ(image.pixel(1, 1), kWhite);
  EXPECT_EQ(image.pixel(12, 7), kBlue);
  EXPECT_EQ(image.pixel(19, 9), kBlue);
  EXPECT_EQ(image.pixel(15, 7), kBlue);
  EXPECT_EQ(image.pixel(15, 8), kWhite);  // inside the outline, unfilled
}

TEST(WmfReader, WindowExtentSizesPlainFilesAndMapsFlippedWindows) {
  // No placeable header: the first window extent, 10 x 10, is the size in pixels.
  Wmf wmf(false);
  wmf.record(0x0103, {8});         // anisotropic
  wmf.record(0x020B, {100, 100});  // window origin (100, 100)
  wmf.record(0x020C, {-10, 10});   // extent (10, -10): y runs upwards
  wmf.brush(kBlue).select(0).pen(kBlue, 0, 5).select(1);
  wmf.record(0x041B, {95, 105, 100, 100});  // logical y 100..95 -> pixel rows 0..4
  wmf.record(0x0626, {1, 2, 3});            // text: skipped
  const Image image = decodeAs(wmf.bytes(), "WMF");
  ASSERT_EQ(image.width(), 10);
  EXPECT_EQ(image.pixel(0, 0), kBlue);
  EXPECT_EQ(image.pixel(4, 4), kBlue);
  EXPECT_EQ(image.pixel(5, 4), kWhite);
  EXPECT_EQ(image.pixel(4, 5), kWhite);
}

TEST(WmfReader, EllipsesPolygonsLinesAndBitmaps) {
  Wmf wmf(false);
  wmf.record(0x020C, {16, 16});
  wmf.brush(kRed).select(0).pen(kBlack, 0, 5).select(1);
  wmf.record(0x0418, {8, 8, 0, 0});             // ellipse in (0,0)-(8,8)
  wmf.record(0x0324, {3, 8, 0, 16, 0, 16, 8});  // triangle (8,0) (16,0) (16,8)
  wmf.pen(kBlue, 0).select(2);
  wmf.record(0x0214, {12, 0});  // move to (0, 12)
  wmf.record(0x0213, {12, 7});  // line to (7, 12)
  // A 2 x 2 bitmap stretched onto (8,8)-(16,16).
  const Bytes bits = dib({{kRed, kBlue}, {kBlack, kWhite}});
  wmf.record(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 8, 8, 8, 8}, bits);
  const Image image = decodeAs(wmf.bytes(), "wmf");
  EXPECT_EQ(image.pixel(4, 4), kRed);    // ellipse centre
  EXPECT_EQ(image.pixel(0, 0), kWhite);  // outside the ellipse, inside its box
  EXPECT_EQ(image.pixel(15, 1), kRed);   // triangle
  EXPECT_EQ(image.pixel(9, 6), kWhite);  // below its diagonal
  EXPECT_EQ(image.pixel(3, 12), kBlue);  // the line
  EXPECT_EQ(image.pixel(3, 13), kWhite);
  EXPECT_EQ(image.pixel(8, 8), kRed);  // bitmap quadrants, top row first
  EXPECT_EQ(image.pixel(15, 8), kBlue);
  EXPECT_EQ(image.pixel(8, 15), kBlack);
  EXPECT_EQ(image.pixel(15, 15), kWhite);
  EXPECT_EQ(image.pixel(11, 11), kRed);
  EXPECT_EQ(image.pixel(12, 12), kWhite);
}

TEST(WmfReader, PiesChordsAndArcsRunCounterClockwise) {
  Wmf wmf(false);
  wmf.record(0x020C, {40, 40});
  wmf.brush(kRed).select(0).pen(kBlack, 0, 5).select(1);
  // Words are stored last field first: end y, end x, start y, start x, bottom, right, top, left.
  wmf.record(0x081A, {0, 10, 10, 20, 20, 20, 0, 0});   // pie (0,0)-(20,20) from 3 to 12 o'clock
  wmf.record(0x0830, {0, 30, 10, 40, 20, 40, 0, 20});  // chord (20,0)-(40,20), 3 to 12 o'clock
  wmf.pen(kBlue, 3).select(2);
  wmf.record(0x0817, {30, 20, 30, 0, 40, 20, 20, 0});  // arc (0,20)-(20,40) from 9 to 3 o'clock
  const Image image = decodeAs(wmf.bytes(), "wmf");
  // The pie is the top-right quarter of its circle around (10, 10).
  EXPECT_EQ(image.pixel(15, 5), kRed);
  EXPECT_EQ(image.pixel(11, 8), kRed);
  EXPECT_EQ(image.pixel(5, 5), kWhite);
  EXPECT_EQ(image.pixel(15, 15), kWhite);
  EXPECT_EQ(image.pixel(5, 15), kWhite);
  // The chord keeps the part of that quarter beyond the line x - y = 30.
  EXPECT_EQ(image.pixel(36, 4), kRed);
  EXPECT_EQ(image.pixel(33, 7), kWhite);
  EXPECT_EQ(image.pixel(25, 5), kWhite);
  // The arc runs from 9 o'clock through 6 to 3 around (10, 30), unfilled.
  EXPECT_EQ(image.pixel(2, 37), kBlue);   // at 7:30, (2.93, 37.07)
  EXPECT_EQ(image.pixel(17, 37), kBlue);  // at 4:30
  EXPECT_EQ(image.pixel(2, 22), kWhite);  // at 10:30: not on the arc
  EXPECT_EQ(image.pixel(10, 30), kWhite);
}

TEST(WmfReader, WidePensHaveRoundJoinsAndCaps) {
  Wmf wmf(false);
  wmf.record(0x020C, {20, 20});
  wmf.pen(kBlue, 5).select(0);
  wmf.record(0x0325, {3, 5, 5, 15, 5, 15, 15});  // polyline (5,5) (15,5) (15,15)
  const Image image = decodeAs(wmf.bytes(), "wmf");
  // 5 pixels wide: 2.5 either side of the centre line.
  EXPECT_EQ(image.pixel(10, 3), kBlue);
  EXPECT_EQ(image.pixel(10, 7), kBlue);
  EXPECT_EQ(image.pixel(10, 8), kWhite);
  EXPECT_EQ(image.pixel(10, 2), kWhite);
  EXPECT_EQ(image.pixel(3, 5), kBlue);  // round cap reaches 2.5 before the start
  EXPECT_EQ(image.pixel(2, 5), kWhite);
  EXPECT_EQ(image.pixel(3, 3), kWhite);  // but not its square corner
  EXPECT_EQ(image.pixel(17, 10), kBlue);
  EXPECT_EQ(image.pixel(10, 10), kWhite);
}

TEST(WmfReader, RoundedRectangleCorners) {
  Wmf wmf(false);
  wmf.record(0x020C, {20, 20});
  wmf.brush(kRed).select(0).pen(kBlack, 0, 5).select(1);
  wmf.record(0x061C, {8, 8, 20, 20, 0, 0});  // corners of an 8 x 8 ellipse
  const Image image = decodeAs(wmf.bytes(), "wmf");
  EXPECT_EQ(image.pixel(0, 0), kWhite);  // cut away by the arc
  EXPECT_EQ(image.pixel(19, 19), kWhite);
  EXPECT_EQ(image.pixel(1, 1), kRed);   // centre (4, 4) radius 4: (1.5, 1.5) is inside
  EXPECT_EQ(image.pixel(10, 0), kRed);  // straight edges run to the border
  EXPECT_EQ(image.pixel(0, 10), kRed);
  EXPECT_EQ(image.pixel(10, 10), kRed);
}

TEST(WmfReader, HatchedBrushesOverOpaqueOrTransparentBackground) {
  Wmf wmf(false);
  wmf.record(0x020C, {16, 16});
  wmf.pen(kBlack, 0, 5).select(0);
  wmf.brush(kBlue).select(1);
  wmf.record(0x041B, {16, 16, 0, 0});               // solid blue everywhere
  wmf.record(0x02FC, {2, 0x00FF, 0, 4}).select(2);  // red cross hatch
  wmf.record(0x0201, {0xFFFF, 0});                  // background yellow
  wmf.record(0x041B, {16, 8, 0, 0});                // left half: opaque background
  wmf.record(0x0102, {1});                          // transparent
  wmf.record(0x041B, {16, 16, 0, 8});               // right half: blue shows through
  const Image image = decodeAs(wmf.bytes(), "wmf");
  const Rgb yellow{255, 255, 0};
  EXPECT_EQ(image.pixel(0, 3), kRed);  // vertical line at x = 0
  EXPECT_EQ(image.pixel(3, 8), kRed);  // horizontal line at y = 8
  EXPECT_EQ(image.pixel(3, 3), yellow);
  EXPECT_EQ(image.pixel(8, 3), kRed);
  EXPECT_EQ(image.pixel(11, 3), kBlue);
  EXPECT_EQ(image.pixel(11, 0), kRed);
}

TEST(WmfReader, MalformedRecordsAreSkippedAndSizesChecked) {
  Wmf wmf(false);
  wmf.record(0x020C, {4, 4});
  wmf.record(0x0324, {1000, 1, 1});  // polygon claiming more points than it holds
  wmf.brush(kRed).select(0);
  wmf.record(0x041B, {4, 4, 0, 0});
  const Image image = decodeAs(wmf.bytes(), "wmf");
  EXPECT_EQ(image.pixel(1, 1), kRed);

  EXPECT_EQ(decodeError(Wmf(false).bytes(), "wmf"),
            "Cannot load image test.wmf: the WMF file gives no picture size");
  EXPECT_EQ(decodeError({1, 2, 3, 4, 5}, "wmf"), "Stream read error in WMF file.");
  Bytes bad = Wmf(false).bytes();
  bad[0] = 7;
  EXPECT_EQ(decodeError(bad, "wmf"), "Cannot load image. Invalid or unexpected WMF image format.");
  EXPECT_EQ(decodeError(Wmf(true, 30000, 30000).bytes(), "wmf", DecodeLimits{1000}),
            "Cannot load image test.wmf: 2000 x 2000 pixels exceed the limit of 1000 pixels");

  // Thousands of full-picture shapes cost more than any drawing of that size needs.
  Wmf costly(false);
  costly.record(0x020C, {100, 100});
  for (int i = 0; i < 3000; ++i) costly.record(0x041B, {100, 100, 0, 0});
  EXPECT_EQ(decodeError(costly.bytes(), "wmf"),
            "Cannot load image test.wmf: the metafile draws more than its picture can hold");
}

// Run-length bitmaps of a few bytes may declare any size: their pixels are charged to the
// metafile's work budget before they are decoded, so sixty of them cannot take minutes.
TEST(WmfReader, EmbeddedBitmapsAreChargedToTheWorkBudget) {
  Wmf wmf(false);
  wmf.record(0x020C, {16, 16});
  const Bytes rle = rle8Dib(16384, 16384);
  for (int i = 0; i < 60; ++i) wmf.record(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 8, 8, 8, 8}, rle);
  EXPECT_EQ(decodeError(wmf.bytes(), "wmf"),
            "Cannot load image test.wmf: the metafile draws more than its picture can hold");
}

TEST(WmfReader, RecognisedByContentWithoutExtension) {
  Wmf placeable(true, 150, 150);
  placeable.brush(kRed).select(0).record(0x041B, {150, 150, 0, 0});
  EXPECT_EQ(decodeAs(placeable.bytes(), "").pixel(5, 5), kRed);
  Wmf plain(false);
  plain.record(0x020C, {3, 3}).brush(kBlue).select(0).record(0x041B, {3, 3, 0, 0});
  EXPECT_EQ(decodeAs(plain.bytes(), "").pixel(1, 1), kBlue);
}

// ---- EMF ----

int32_t ref(Rgb c) {
  return c.r | c.g << 8 | c.b << 16;
}

TEST(EmfReader, FrameSizeStockObjectsAndShapes) {
  // Frame (1.00 mm, 0) to (3.00 mm, 1.00 mm) at 10 pixels per mm: 20 x 10 pixels, and
  // device pixel 10 is the picture's first column.
  Emf emf(100, 0, 300, 100);
  emf.record(39, {1, 0, ref(kRed), 0});  // brush 1: solid red
  emf.record(37, {1});
  emf.record(37, {static_cast<int32_t>(0x80000008)});  // stock null pen
  emf.record(43, {12, 2, 16, 5});                      // rectangle, device (12,2)-(16,5)
  emf.record(37, {static_cast<int32_t>(0x80000004)});  // stock black brush
  Bytes triangle;
  for (int v : {20, 0, 30, 0, 30, 10}) putU16le(triangle, static_cast<uint16_t>(v));
  emf.record(86, {0, 0, 0, 0, 3}, triangle);  // polygon16
  emf.record(38, {2, 0, 0, 0, ref(kBlue)});   // pen 2: blue, cosmetic
  emf.record(37, {2});
  emf.record(27, {10, 8});  // move to
  emf.record(54, {17, 8});  // line to
  const Image image = decodeAs(emf.bytes(), "emf");
  ASSERT_EQ(image.width(), 20);
  ASSERT_EQ(image.height(), 10);
  EXPECT_EQ(image.pixel(2, 2), kRed);
  EXPECT_EQ(image.pixel(5, 4), kRed);
  EXPECT_EQ(image.pixel(6, 4), kWhite);
  EXPECT_EQ(image.pixel(5, 5), kWhite);
  EXPECT_EQ(image.pixel(19, 1), kBlack);
  EXPECT_EQ(image.pixel(11, 8), kWhite);
  EXPECT_EQ(image.pixel(3, 8), kBlue);
  EXPECT_EQ(image.pixel(3, 9), kWhite);
}

TEST(EmfReader, ViewportMappingAndStretchedBitmaps) {
  Emf emf(0, 0, 100, 100);   // 10 x 10
  emf.record(17, {8});       // anisotropic
  emf.record(9, {2, 2});     // window extent 2 x 2
  emf.record(11, {10, 10});  // viewport extent 10 x 10: 5 pixels per unit
  const Bytes bits = dib({{kRed, kBlue}, {kBlack, kRed}});
  // STRETCHDIBITS: bounds, dest (0,0), src (0,0) 2 x 2, offsets from the record start
  // (the record's fixed part is 80 bytes), usage, rop, dest size 1 x 1 units.
  emf.record(81,
             {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 80, 40, 120, static_cast<int32_t>(bits.size() - 40), 0,
              0x00CC0020, 1, 1},
             bits);
  const Image image = decodeAs(emf.bytes(), "emf");
  EXPECT_EQ(image.pixel(0, 0), kRed);
  EXPECT_EQ(image.pixel(1, 0), kRed);  // 2.5 pixels per source pixel
  EXPECT_EQ(image.pixel(3, 0), kBlue);
  EXPECT_EQ(image.pixel(4, 4), kRed);
  EXPECT_EQ(image.pixel(0, 3), kBlack);
  EXPECT_EQ(image.pixel(5, 5), kWhite);
  EXPECT_EQ(decodeAs(emf.bytes(), "").pixel(3, 0), kBlue);  // recognised by content
}

int32_t floatBits(float f) {
  int32_t v = 0;
  std::memcpy(&v, &f, sizeof v);
  return v;
}

std::vector<int32_t> xform(float m11, float m12, float m21, float m22, float dx, float dy) {
  return {floatBits(m11), floatBits(m12), floatBits(m21),
          floatBits(m22), floatBits(dx),  floatBits(dy)};
}

TEST(EmfReader, WorldTransformsSetAndCombined) {
  Emf emf(0, 0, 200, 100);                             // 20 x 10
  emf.record(37, {static_cast<int32_t>(0x80000008)});  // null pen
  emf.record(39, {1, 0, ref(kRed), 0}).record(37, {1});
  emf.record(35, xform(2, 0, 0, 2, 1, 1));   // scale 2, then move by (1, 1)
  emf.record(43, {0, 0, 2, 2});              // device (1,1)-(5,5)
  emf.record(35, xform(1, 0, 0, 1, 10, 0));  // move by (10, 0) ...
  std::vector<int32_t> left = xform(2, 0, 0, 2, 0, 0);
  left.push_back(2);  // ... after scaling by 2 first
  emf.record(36, left);
  emf.record(39, {2, 0, ref(kBlue), 0}).record(37, {2});
  emf.record(43, {1, 0, 2, 1});  // device (12,0)-(14,2)
  const Image image = decodeAs(emf.bytes(), "emf");
  EXPECT_EQ(image.pixel(0, 0), kWhite);
  EXPECT_EQ(image.pixel(1, 1), kRed);
  EXPECT_EQ(image.pixel(4, 4), kRed);
  EXPECT_EQ(image.pixel(5, 5), kWhite);
  EXPECT_EQ(image.pixel(11, 0), kWhite);
  EXPECT_EQ(image.pixel(12, 0), kBlue);
  EXPECT_EQ(image.pixel(13, 1), kBlue);
  EXPECT_EQ(image.pixel(14, 1), kWhite);
}

TEST(EmfReader, PathsAreFilledAndStrokedOnlyWhenAsked) {
  Emf emf(0, 0, 200, 100);  // 20 x 10
  emf.record(39, {1, 0, ref(kRed), 0}).record(37, {1});
  emf.record(59, {});  // begin path
  emf.record(27, {2, 0}).record(54, {10, 0}).record(54, {10, 8});
  emf.record(61, {}).record(60, {});  // close figure, end path
  emf.record(62, {});                 // fill: the triangle
  emf.record(38, {2, 0, 0, 0, ref(kBlue)}).record(37, {2});
  emf.record(59, {});
  emf.record(27, {12, 9}).record(54, {19, 9});  // an open figure
  emf.record(43, {12, 0, 19, 5});               // a rectangle figure, not drawn yet
  emf.record(60, {});
  emf.record(64, {});                                            // stroke them
  emf.record(59, {}).record(43, {0, 0, 20, 10}).record(68, {});  // aborted: never drawn
  const Image image = decodeAs(emf.bytes(), "emf");
  EXPECT_EQ(image.pixel(9, 1), kRed);
  EXPECT_EQ(image.pixel(3, 6), kWhite);  // below the diagonal
  EXPECT_EQ(image.pixel(15, 9), kBlue);
  EXPECT_EQ(image.pixel(12, 0), kBlue);
  EXPECT_EQ(image.pixel(15, 2), kWhite);  // the stroked rectangle is not filled
  EXPECT_EQ(image.pixel(0, 9), kWhite);
}

TEST(EmfReader, RefusesBadHeadersAndSkipsBadRecords) {
  Bytes bad = Emf(0, 0, 100, 100).bytes();
  bad[40] = 'X';
  EXPECT_EQ(decodeError(bad, "emf"), "Cannot load image. Invalid or unexpected EMF image format.");
  EXPECT_EQ(decodeError({1, 0, 0}, "emf"), "Stream read error in EMF file.");
  EXPECT_EQ(decodeError(Emf(0, 0, 1000000, 1000000).bytes(), "emf"),
            "Cannot load image test.emf: 100000 x 100000 pixels exceed the limit of 268435456 "
            "pixels");
  Emf emf(0, 0, 40, 40);
  emf.record(3, {0, 0, 0, 0, 100000});  // polygon with missing points
  emf.record(81, {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 9999, 40, 9999, 4, 0, 0, 1, 1});  // offsets outside
  emf.record(39, {1, 0, ref(kBlue), 0}).record(37, {1}).record(43, {0, 0, 4, 4});
  EXPECT_EQ(decodeAs(emf.bytes(), "emf").pixel(2, 2), kBlue);  // inside the default black outline
}

}  // namespace
}  // namespace lumabord::testing
