// The raster primitives of the chart. Lines are stepped along their longer axis with the
// shorter coordinate rounded from the exact position, so a segment never depends on the ones
// before it; a 2-pixel pen doubles every pixel across the line.
#include "chart/canvas.h"

#include <algorithm>
#include <cstdlib>

#include "chart/font.h"

namespace chart {

namespace {

bool inside(const Canvas& c, int x, int y) {
  return x >= 0 && y >= 0 && x < c.width && y < c.height;
}

Rect intersect(Rect a, Rect b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// Offsets across the line covered by a pen: 0 for one pixel, 0 and +1 for two.
int penLow(int penWidth) { return -((std::max(penWidth, 1) - 1) / 2); }
int penHigh(int penWidth) { return std::max(penWidth, 1) / 2; }

} // namespace

Canvas canvas = makeCanvas(clientWidth, clientHeight, 0);

Canvas makeCanvas(int width, int height, Colour colour) {
  Canvas made;
  resizeCanvas(made, width, height, colour);
  return made;
}

void resizeCanvas(Canvas& target, int width, int height, Colour colour) {
  target.width = std::max(width, 0);
  target.height = std::max(height, 0);
  target.stride = (target.width * 3 + 3) & ~3;
  target.pixels.assign(static_cast<std::size_t>(target.stride) * target.height, 0);
  fillRect(target, colour, {0, 0, target.width, target.height});
}

Colour pixelAt(const Canvas& source, int x, int y) {
  if (!inside(source, x, y)) return 0xFFFFFFFFu;
  const uint8_t* p = &source.pixels[static_cast<std::size_t>(y) * source.stride + x * 3];
  return Colour(p[0]) << 16 | Colour(p[1]) << 8 | p[2];
}

void setPixel(Canvas& target, int x, int y, Colour colour) {
  if (!inside(target, x, y)) return;
  uint8_t* p = &target.pixels[static_cast<std::size_t>(y) * target.stride + x * 3];
  p[0] = static_cast<uint8_t>(colour >> 16);   // blue
  p[1] = static_cast<uint8_t>(colour >> 8);    // green
  p[2] = static_cast<uint8_t>(colour);         // red
}

void fillRect(Canvas& target, Colour colour, Rect area) {
  const Rect r = intersect(area, {0, 0, target.width, target.height});
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) setPixel(target, x, y, colour);
  }
}

void drawLine(Canvas& target, Colour colour, int penWidth, int x1, int y1, int x2, int y2) {
  const long long dx = std::llabs(static_cast<long long>(x2) - x1);
  const long long dy = std::llabs(static_cast<long long>(y2) - y1);
  const int sx = x2 < x1 ? -1 : 1;
  const int sy = y2 < y1 ? -1 : 1;
  const bool flat = dx >= dy;
  const long long steps = flat ? dx : dy;   // the end point is left out
  for (long long i = 0; i < steps; ++i) {
    // The shorter coordinate at step i, rounded half away from the start.
    const long long across = (2 * i * (flat ? dy : dx) + steps) / (2 * steps);
    const int x = flat ? x1 + sx * static_cast<int>(i) : x1 + sx * static_cast<int>(across);
    const int y = flat ? y1 + sy * static_cast<int>(across) : y1 + sy * static_cast<int>(i);
    for (int k = penLow(penWidth); k <= penHigh(penWidth); ++k) {
      if (flat) setPixel(target, x, y + k, colour);
      else setPixel(target, x + k, y, colour);
    }
  }
}

Rect lineBounds(int penWidth, int x1, int y1, int x2, int y2) {
  if (x1 == x2 && y1 == y2) return {};
  const bool flat = std::abs(x2 - x1) >= std::abs(y2 - y1);
  Rect r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
  if (flat) {
    r.top += penLow(penWidth);
    r.bottom += penHigh(penWidth);
  } else {
    r.left += penLow(penWidth);
    r.right += penHigh(penWidth);
  }
  return r;
}

void drawRectangle(Canvas& target, Colour pen, Colour brush, Rect area) {
  if (area.right < area.left) std::swap(area.left, area.right);
  if (area.bottom < area.top) std::swap(area.top, area.bottom);
  if (area.right == area.left || area.bottom == area.top) return;
  fillRect(target, brush, {area.left + 1, area.top + 1, area.right - 1, area.bottom - 1});
  fillRect(target, pen, {area.left, area.top, area.right, area.top + 1});
  fillRect(target, pen, {area.left, area.bottom - 1, area.right, area.bottom});
  fillRect(target, pen, {area.left, area.top, area.left + 1, area.bottom});
  fillRect(target, pen, {area.right - 1, area.top, area.right, area.bottom});
}

int textWidth(const char* text) {
  int width = 0;
  for (const char* p = text; *p; ++p) width += glyphFor(static_cast<unsigned char>(*p)).advance;
  return width;
}

int drawText(Canvas& target, int x, int y, const char* text, Colour ink, Colour paper,
             Rect clip) {
  const Rect r = intersect(clip, {0, 0, target.width, target.height});
  for (const char* p = text; *p; ++p) {
    const Glyph& g = glyphFor(static_cast<unsigned char>(*p));
    for (int row = 0; row < fontCellHeight; ++row) {
      const int py = y + row;
      if (py < r.top || py >= r.bottom) continue;
      for (int col = 0; col < g.advance; ++col) {
        const int px = x + col;
        if (px < r.left || px >= r.right) continue;
        const bool inked = col < 8 && (g.rows[row] & (0x80 >> col));
        setPixel(target, px, py, inked ? ink : paper);
      }
    }
    x += g.advance;
  }
  return x;
}

} // namespace chart
