// Our own raster: a 24-bit pixel buffer the size of the main window's client area, and the few
// primitives the chart draws with (solid lines, bordered rectangles, opaque bitmap text).
// Lines follow the GDI rule and leave out their end point; rectangles and fills take their right
// and bottom edges exclusive. Everything is clipped to the buffer. The window copies the buffer
// to the screen and the report picture copies a region of it, so both show the same pixels.
#pragma once
#include <cstdint>
#include <vector>

namespace chart {

using Colour = uint32_t;   // COLORREF: 0x00BBGGRR

// Client area of the 663 x 559 main window under the classic metrics (3-pixel frame, 19-pixel
// caption, 19-pixel menu bar). Everything the chart draws lies inside it.
constexpr int clientWidth = 657;
constexpr int clientHeight = 515;

// A rectangle in canvas pixels; right and bottom exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Laid out as a top-down 24-bit DIB (a BITMAPINFOHEADER with a negative height), so the
// window can copy it to the screen as it is.
struct Canvas {
  int width = 0;
  int height = 0;
  int stride = 0;                // bytes per row, a multiple of 4 like a DIB row
  std::vector<uint8_t> pixels;   // rows from the top down, each pixel blue, green, red
};

// The main window's client area: what the window shows and what the report picture copies.
// It has the client size from the start, all black until paintMainWindow first paints it.
extern Canvas canvas;

// Gives the canvas the size and fills it with colour.
void resizeCanvas(Canvas& target, int width, int height, Colour colour);
Canvas makeCanvas(int width, int height, Colour colour);
// Colour of one pixel; 0xFFFFFFFF (no COLORREF) outside the canvas.
Colour pixelAt(const Canvas& source, int x, int y);
void setPixel(Canvas& target, int x, int y, Colour colour);
void fillRect(Canvas& target, Colour colour, Rect area);
// Solid line of penWidth pixels (1 or 2; the second pixel lies below a flat line and right of
// a steep one), from (x1, y1) up to but not including (x2, y2).
void drawLine(Canvas& target, Colour colour, int penWidth, int x1, int y1, int x2, int y2);
// The area the same line covers, for copying it to the screen; empty for a zero-length line.
Rect lineBounds(int penWidth, int x1, int y1, int x2, int y2);
// GDI Rectangle with a 1-pixel pen: border on the outermost pixels of the area, inside filled.
void drawRectangle(Canvas& target, Colour pen, Colour brush, Rect area);

// Bitmap font of the size of an 8-point dialog font: 13 rows (11 above the baseline).
constexpr int textHeight = 13;
// Width in pixels of a Windows-1252 text.
int textWidth(const char* text);
// Opaque text with its top-left corner at (x, y): each character cell in paper, the glyph in
// ink, nothing drawn outside clip. Returns the x after the last character.
int drawText(Canvas& target, int x, int y, const char* text, Colour ink, Colour paper,
             Rect clip);

} // namespace chart
