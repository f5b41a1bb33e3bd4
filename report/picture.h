// The chart picture of a report: a legend naming every ticked test in its colour, drawn onto
// the chart where the window shows it, and the 490 x 318 pixels of the chart area from client
// (14, 48) written as an uncompressed 24-bit BMP file.
#pragma once
#include <cstdint>

namespace report {

// The captured area of the main window's client, in client pixels.
constexpr int pictureLeft = 14, pictureTop = 48;
constexpr int pictureWidth = 490, pictureHeight = 318;
// A row of 490 pixels is 1,470 bytes; rows of a BMP file are padded to a multiple of 4.
constexpr uint32_t pictureRowBytes = 1472;
constexpr uint32_t pictureHeaderBytes = 54;   // file header 14, information header 40
constexpr uint32_t picturePixelBytes = pictureRowBytes * pictureHeight;            // 468,096
constexpr uint32_t pictureFileBytes = pictureHeaderBytes + picturePixelBytes;     // 468,150

// Draws the legend of the ticked test boxes onto the canvas and shows it; nothing when no box is
// ticked. It stays until the chart is next repainted.
void drawReportLegend();
// One legend entry text with its top-left corner at (x, y): Grid colour on Background.
void drawLegendLabel(int x, int y, const char* text);

// The 54 header bytes of the picture file.
void encodePictureHeader(uint8_t* header);
// The picture file's pixel rows from the canvas area, bottom row first, with row padding.
void encodePicturePixels(uint8_t* pixels);
// Writes the picture file, a file of its own in place of any earlier one (exclusive while
// open); shows "Couldn't create BMP file." and returns false when it cannot be created or
// written, when nothing of the new picture remains.
bool writeChartPicture(const char* fileName);

} // namespace report
