// The fixed parts of the main window's picture: etched frames, legend swatches, plotting area
// and grid, and the 2-pixel line that swatches and curves are made of.
#include "chart/frame.h"

#include "chart/present.h"
#include "dialogs/colour_table.h"
#include "platform/syscolours.h"

namespace chart {

namespace {

struct FrameBox {
  int x1, y1, x2, y2;
};

// Two separators (below the menu and below the buttons), the chart, the result lines, the
// three list groups and the four test groups. A separator has y2 one above y1, which gives a
// shadow row over a highlight row.
constexpr FrameBox windowFrames[] = {
    {0, 1, 663, 0},       {0, 25, 663, 24},     {5, 40, 650, 420},    {5, 430, 650, 504},
    {13, 372, 210, 410},  {220, 372, 324, 410}, {334, 372, 461, 410}, {514, 57, 642, 129},
    {514, 143, 642, 215}, {514, 229, 642, 301}, {514, 315, 642, 367},
};

struct Swatch {
  int y;      // level with the middle of the test's check box
  int slot;   // colour table slot
};
constexpr Swatch swatches[] = {
    {75, dialogs::slotRead},         {95, dialogs::slotWrite},       {115, dialogs::slotCopy},
    {161, dialogs::slotMmxRead},     {181, dialogs::slotMmxWrite},   {201, dialogs::slotMmxCopy},
    {247, dialogs::slotSseRead},     {267, dialogs::slotSseWrite},   {287, dialogs::slotSseCopy},
    {333, dialogs::slotReadLatency}, {353, dialogs::slotMemoryWalk},
};
constexpr int swatchLeft = 522;
constexpr int swatchRight = 545;

// One ring: top and left in the first colour, then bottom and right in the second. The right
// edge runs one pixel further down so that it closes the bottom-right corner.
void drawRing(Canvas& target, int x1, int y1, int x2, int y2, Colour topLeft, Colour bottomRight) {
  drawLine(target, topLeft, 1, x1, y1, x2, y1);
  drawLine(target, topLeft, 1, x1, y1, x1, y2);
  drawLine(target, bottomRight, 1, x1, y2, x2, y2);
  drawLine(target, bottomRight, 1, x2, y1, x2, y2 + 1);
}

} // namespace

void drawEtchedFrame(Canvas& target, int x1, int y1, int x2, int y2) {
  const Colour highlight = platform::buttonHighlightColour();
  const Colour shadow = platform::buttonShadowColour();
  drawRing(target, x1, y1, x2, y2, highlight, shadow);
  drawRing(target, x1 - 1, y1 - 1, x2 + 1, y2 + 1, shadow, highlight);
}

void drawWindowFrames(Canvas& target) {
  for (const FrameBox& f : windowFrames) drawEtchedFrame(target, f.x1, f.y1, f.x2, f.y2);
}

void drawLegendSwatches(Canvas& target) {
  for (const Swatch& s : swatches) {
    drawLineOnDc(target, dialogs::colourTable[s.slot], swatchLeft, s.y, swatchRight, s.y);
  }
}

void drawWindowLegendSwatches() {
  for (const Swatch& s : swatches) {
    drawWindowLine(dialogs::colourTable[s.slot], swatchLeft, s.y, swatchRight, s.y);
  }
}

void drawPlotArea(Canvas& target, int left, int top, int width, int height, int dx, int dy) {
  const Colour background = dialogs::colourTable[dialogs::slotBackground];
  const Colour grid = dialogs::colourTable[dialogs::slotGrid];
  // 2 pixels of margin left and above the grid, 3 right and below (right/bottom exclusive).
  drawRectangle(target, background, background,
                {left - 2, top - 2, left + width + 3, top + height + 3});
  // A step below 1 would never reach the far edge; such a grid has only its first line.
  for (int y = top; y <= top + height; y += dy > 0 ? dy : height + 1) {
    drawLine(target, grid, 1, left, y, left + width + 1, y);
  }
  for (int x = left; x <= left + width; x += dx > 0 ? dx : width + 1) {
    drawLine(target, grid, 1, x, top, x, top + height);
  }
}

void drawWindowPlotArea(int left, int top, int width, int height, int dx, int dy) {
  drawPlotArea(canvas, left, top, width, height, dx, dy);
  presentCanvasRegion(left - 2, top - 2, left + width + 3, top + height + 3);
}

void drawLineOnDc(Canvas& target, Colour colour, int x1, int y1, int x2, int y2) {
  drawLine(target, colour, 2, x1, y1, x2, y2);
}

void drawWindowLine(Colour colour, int x1, int y1, int x2, int y2) {
  drawLineOnDc(canvas, colour, x1, y1, x2, y2);
  const Rect r = lineBounds(2, x1, y1, x2, y2);
  if (r.right > r.left) presentCanvasRegion(r.left, r.top, r.right, r.bottom);
}

} // namespace chart
