// The raster primitives: which pixels a line, a rectangle and a text cover, checked against
// hand-worked coordinates (GDI leaves out a line's end point; rectangles exclude right/bottom).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "chart/canvas.h"

namespace {

using chart::Canvas;
using chart::Colour;
using chart::Rect;

constexpr Colour white = 0x00FFFFFF;
constexpr Colour ink = 0x00123456;

struct Pixel {
  int x, y;
  bool set;
};

void expectPixels(const Canvas& c, std::initializer_list<Pixel> pixels, Colour colour) {
  for (const Pixel& p : pixels) {
    EXPECT_EQ(chart::pixelAt(c, p.x, p.y), p.set ? colour : white)
        << "pixel (" << p.x << ", " << p.y << ")";
  }
}

int countColour(const Canvas& c, Colour colour) {
  int n = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) n += chart::pixelAt(c, x, y) == colour;
  return n;
}

TEST(Canvas, StoresPixelsAsBlueGreenRedInPaddedRows) {
  Canvas c = chart::makeCanvas(5, 2, white);
  EXPECT_EQ(c.stride, 16);   // 15 bytes of pixels padded to a multiple of 4
  chart::setPixel(c, 1, 1, 0x00112233);   // red 0x33, green 0x22, blue 0x11
  EXPECT_EQ(c.pixels[16 + 3], 0x11);
  EXPECT_EQ(c.pixels[16 + 4], 0x22);
  EXPECT_EQ(c.pixels[16 + 5], 0x33);
  EXPECT_EQ(chart::pixelAt(c, 1, 1), 0x00112233u);
  EXPECT_EQ(chart::pixelAt(c, 5, 0), 0xFFFFFFFFu);   // outside
  EXPECT_EQ(chart::pixelAt(c, -1, 0), 0xFFFFFFFFu);
}

TEST(Canvas, OnePixelLinesLeaveOutTheirEndPoint) {
  struct Case {
    const char* name;
    int x1, y1, x2, y2;
    std::initializer_list<Pixel> pixels;
  };
  const Case cases[] = {
      {"rightwards", 10, 5, 15, 5, {{9, 5, false}, {10, 5, true}, {14, 5, true}, {15, 5, false}}},
      {"leftwards", 15, 5, 10, 5, {{15, 5, true}, {11, 5, true}, {10, 5, false}}},
      {"downwards", 3, 2, 3, 8, {{3, 1, false}, {3, 2, true}, {3, 7, true}, {3, 8, false}}},
      {"upwards", 3, 8, 3, 2, {{3, 8, true}, {3, 3, true}, {3, 2, false}}},
      {"diagonal", 0, 0, 4, 4, {{0, 0, true}, {3, 3, true}, {4, 4, false}, {1, 0, false}}},
      {"zero length", 7, 7, 7, 7, {{7, 7, false}}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Canvas c = chart::makeCanvas(20, 12, white);
    chart::drawLine(c, ink, 1, k.x1, k.y1, k.x2, k.y2);
    expectPixels(c, k.pixels, ink);
    const int length = std::max(std::abs(k.x2 - k.x1), std::abs(k.y2 - k.y1));
    EXPECT_EQ(countColour(c, ink), length);
  }
}

TEST(Canvas, TwoPixelLinesDoubleBelowFlatAndRightOfSteepLines) {
  Canvas c = chart::makeCanvas(60, 60, white);
  chart::drawLine(c, ink, 2, 10, 20, 20, 20);   // flat: rows 20 and 21, x 10..19
  expectPixels(c, {{10, 20, true}, {10, 21, true}, {19, 20, true}, {19, 21, true},
                   {20, 20, false}, {20, 21, false}, {15, 19, false}, {15, 22, false}},
               ink);
  chart::drawLine(c, ink, 2, 40, 10, 40, 20);   // steep: columns 40 and 41, y 10..19
  expectPixels(c, {{40, 10, true}, {41, 10, true}, {41, 19, true}, {40, 20, false},
                   {41, 20, false}, {39, 15, false}, {42, 15, false}},
               ink);
  EXPECT_EQ(countColour(c, ink), 2 * 10 + 2 * 10);
}

TEST(Canvas, SlopedLinesHaveOnePixelPerStepNearTheExactLine) {
  struct Case {
    int x1, y1, x2, y2;
  };
  for (const Case& k : {Case{0, 0, 10, 5}, Case{10, 5, 0, 0}, Case{2, 30, 9, 1},
                        Case{0, 7, 13, 3}}) {
    Canvas c = chart::makeCanvas(40, 40, white);
    chart::drawLine(c, ink, 1, k.x1, k.y1, k.x2, k.y2);
    const bool flat = std::abs(k.x2 - k.x1) >= std::abs(k.y2 - k.y1);
    const int steps = std::max(std::abs(k.x2 - k.x1), std::abs(k.y2 - k.y1));
    EXPECT_EQ(countColour(c, ink), steps);
    EXPECT_EQ(chart::pixelAt(c, k.x1, k.y1), ink);
    EXPECT_NE(chart::pixelAt(c, k.x2, k.y2), ink);
    // Along the longer axis every position but the last has exactly one pixel, within half a
    // pixel of the true line.
    for (int i = 0; i < steps; ++i) {
      int hits = 0;
      for (int j = 0; j < 40; ++j) {
        const int x = flat ? k.x1 + (k.x2 > k.x1 ? i : -i) : j;
        const int y = flat ? j : k.y1 + (k.y2 > k.y1 ? i : -i);
        if (chart::pixelAt(c, x, y) != ink) continue;
        ++hits;
        const double t = double(i) / steps;
        const double exact = flat ? k.y1 + t * (k.y2 - k.y1) : k.x1 + t * (k.x2 - k.x1);
        EXPECT_LE(std::fabs((flat ? y : x) - exact), 0.5);
      }
      EXPECT_EQ(hits, 1) << "step " << i;
    }
  }
}

TEST(Canvas, DrawingOutsideTheCanvasIsClipped) {
  Canvas c = chart::makeCanvas(10, 10, white);
  chart::drawLine(c, ink, 2, -5, 3, 15, 3);
  chart::drawLine(c, ink, 1, 100000, -100000, -100000, 100000);
  chart::fillRect(c, ink, {-3, 8, 30, 40});
  chart::drawText(c, 7, 7, "WWW", ink, white, {-10, -10, 100, 100});
  EXPECT_EQ(chart::pixelAt(c, 0, 3), ink);
  EXPECT_EQ(chart::pixelAt(c, 9, 4), ink);
  EXPECT_EQ(chart::pixelAt(c, 0, 9), ink);
}

TEST(Canvas, LineBoundsCoverExactlyTheDrawnPixels) {
  struct Case {
    int pen, x1, y1, x2, y2;
    Rect bounds;
  };
  const Case cases[] = {
      {2, 10, 20, 20, 20, {10, 20, 21, 22}},   // the end column is inside the bounds: harmless
      {2, 30, 10, 30, 20, {30, 10, 32, 21}},
      {1, 5, 9, 1, 2, {1, 2, 6, 10}},
  };
  for (const Case& k : cases) {
    const Rect r = chart::lineBounds(k.pen, k.x1, k.y1, k.x2, k.y2);
    EXPECT_EQ(r.left, k.bounds.left);
    EXPECT_EQ(r.top, k.bounds.top);
    EXPECT_EQ(r.right, k.bounds.right);
    EXPECT_EQ(r.bottom, k.bounds.bottom);
    Canvas c = chart::makeCanvas(40, 40, white);
    chart::drawLine(c, ink, k.pen, k.x1, k.y1, k.x2, k.y2);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        if (chart::pixelAt(c, x, y) == ink) {
          EXPECT_TRUE(x >= r.left && x < r.right && y >= r.top && y < r.bottom);
        }
  }
  const Rect none = chart::lineBounds(2, 4, 4, 4, 4);
  EXPECT_EQ(none.right - none.left, 0);
}

TEST(Canvas, RectangleHasItsBorderInsideTheExclusiveEdges) {
  Canvas c = chart::makeCanvas(20, 20, white);
  const Colour pen = 0x00000001, brush = 0x00000002;
  chart::drawRectangle(c, pen, brush, {2, 3, 12, 9});
  EXPECT_EQ(chart::pixelAt(c, 2, 3), pen);     // top-left corner
  EXPECT_EQ(chart::pixelAt(c, 11, 8), pen);    // bottom-right corner is right - 1, bottom - 1
  EXPECT_EQ(chart::pixelAt(c, 12, 8), white);
  EXPECT_EQ(chart::pixelAt(c, 11, 9), white);
  EXPECT_EQ(chart::pixelAt(c, 11, 5), pen);
  EXPECT_EQ(chart::pixelAt(c, 3, 4), brush);
  EXPECT_EQ(chart::pixelAt(c, 10, 7), brush);
  EXPECT_EQ(countColour(c, pen), 2 * 10 + 2 * 4);
  EXPECT_EQ(countColour(c, brush), 8 * 4);
}

TEST(Canvas, TextIsOpaqueInItsCellsAndClipped) {
  Canvas c = chart::makeCanvas(60, 20, white);
  const Colour paper = 0x00ABCDEF;
  const int end = chart::drawText(c, 3, 2, "80", ink, paper, {0, 0, 60, 20});
  EXPECT_EQ(end, 3 + chart::textWidth("80"));
  int inked = 0, papered = 0;
  for (int y = 2; y < 2 + chart::textHeight; ++y)
    for (int x = 3; x < end; ++x) {
      const Colour p = chart::pixelAt(c, x, y);
      EXPECT_TRUE(p == ink || p == paper);
      inked += p == ink;
      papered += p == paper;
    }
  EXPECT_GT(inked, 10);
  EXPECT_GT(papered, inked);
  EXPECT_EQ(countColour(c, ink) + countColour(c, paper), (end - 3) * chart::textHeight);

  Canvas clipped = chart::makeCanvas(60, 20, white);
  chart::drawText(clipped, 3, 2, "80", ink, paper, {5, 4, 9, 20});
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x)
      if (chart::pixelAt(clipped, x, y) != white) {
        EXPECT_TRUE(x >= 5 && x < 9 && y >= 4);
      }
}

TEST(Canvas, FontHasEqualDigitsAndFitsTheChartsLabelPlaces) {
  // Digits line up in the right-aligned tick labels only if they share one width.
  for (const char* digit : {"0", "1", "4", "7", "8"}) EXPECT_EQ(chart::textWidth(digit), 6);
  EXPECT_EQ(chart::textWidth("      "), 6 * chart::textWidth(" "));
  EXPECT_EQ(chart::textWidth(""), 0);
  // Places of the captions and ticks beside the plotting area, and the report legend's room
  // between its text start (x 381) and its frame line (x 450). ("Block Size" is 3 pixels wider
  // than its place; labels run on to the right rather than lose letters.)
  struct Fit {
    const char* text;
    int room;
  };
  for (const Fit& f : {Fit{"Bandwidth (MB/s)", 90}, Fit{"Latency (Cycles)", 90},
                       Fit{"Step", 50}, Fit{"999999", 40},
                       Fit{" 512K", 30}, Fit{"Read Latency", 69}, Fit{"Memory Walk", 69},
                       Fit{"MMX Write", 69}}) {
    EXPECT_LE(chart::textWidth(f.text), f.room) << f.text;
  }
  // Every byte has a glyph, control characters the blank's.
  EXPECT_EQ(chart::textWidth("\x01"), chart::textWidth(" "));
  EXPECT_GT(chart::textWidth("\xB5"), 0);
}

} // namespace
