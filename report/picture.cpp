// The report's legend and picture. The picture is taken from our own canvas, which holds
// exactly what the window shows, so the file is the same with or without a screen.
#include "report/picture.h"

#include <vector>

#include "app/panel.h"
#include "chart/frame.h"
#include "chart/canvas.h"
#include "chart/present.h"
#include "dialogs/colour_table.h"
#include "platform/files.h"
#include "report/report.h"

namespace report {

namespace {

constexpr const char bmpFailure[] = "Couldn't create BMP file.";

struct LegendEntry {
  app::PanelBox box;
  int slot;            // colour table slot
  const char* name;    // the check box caption, trailing blanks included
};
constexpr LegendEntry legendEntries[11] = {
    {app::boxRead, dialogs::slotRead, "Read "},
    {app::boxWrite, dialogs::slotWrite, "Write"},
    {app::boxCopy, dialogs::slotCopy, "Copy "},
    {app::boxMmxRead, dialogs::slotMmxRead, "MMX Read "},
    {app::boxMmxWrite, dialogs::slotMmxWrite, "MMX Write"},
    {app::boxMmxCopy, dialogs::slotMmxCopy, "MMX Copy "},
    {app::boxSseRead, dialogs::slotSseRead, "SSE Read "},
    {app::boxSseWrite, dialogs::slotSseWrite, "SSE Write"},
    {app::boxSseCopy, dialogs::slotSseCopy, "SSE Copy "},
    {app::boxReadLatency, dialogs::slotReadLatency, "Read Latency"},
    {app::boxMemoryWalk, dialogs::slotMemoryWalk, "Memory Walk"},
};

// Legend geometry: a plot-area frame at (362, 130), 88 wide, one 14-pixel line per entry.
constexpr int legendLeft = 362, legendTop = 130, legendWidth = 88;
constexpr int entrySpacing = 14;
constexpr int swatchLeft = 369, swatchRight = 377, labelLeft = 381;

void put16(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}
void put32(uint8_t* at, uint32_t value) {
  put16(at, value);
  put16(at + 2, value >> 16);
}

} // namespace

void drawLegendLabel(int x, int y, const char* text) {
  const chart::Rect whole{0, 0, chart::canvas.width, chart::canvas.height};
  const int right = chart::drawText(chart::canvas, x, y, text,
                                    dialogs::colourTable[dialogs::slotGrid],
                                    dialogs::colourTable[dialogs::slotBackground], whole);
  chart::presentCanvasRegion(x, y, right, y + chart::textHeight);
}

void drawReportLegend() {
  int ticked = 0;
  for (const LegendEntry& e : legendEntries)
    if (app::boxChecked(e.box)) ++ticked;
  if (ticked == 0) return;
  const int height = entrySpacing * ticked + 6;
  chart::drawWindowPlotArea(legendLeft, legendTop, legendWidth, height, legendWidth, height);
  int y = legendTop + 10;   // the first entry's line
  for (const LegendEntry& e : legendEntries) {
    if (!app::boxChecked(e.box)) continue;
    chart::drawWindowLine(dialogs::colourTable[e.slot], swatchLeft, y, swatchRight, y);
    drawLegendLabel(labelLeft, y - 6, e.name);
    y += entrySpacing;
  }
}

void encodePictureHeader(uint8_t* header) {
  for (uint32_t i = 0; i < pictureHeaderBytes; ++i) header[i] = 0;
  header[0] = 'B';
  header[1] = 'M';
  put32(header + 2, pictureFileBytes);
  put32(header + 10, pictureHeaderBytes);
  put32(header + 14, 40);
  put32(header + 18, pictureWidth);
  put32(header + 22, pictureHeight);   // positive: the bottom row comes first
  put16(header + 26, 1);
  put16(header + 28, 24);
  // Compression BI_RGB, image size, resolutions and colour counts stay 0.
}

void encodePicturePixels(uint8_t* pixels) {
  for (int row = 0; row < pictureHeight; ++row) {
    uint8_t* out = pixels + static_cast<uint32_t>(pictureHeight - 1 - row) * pictureRowBytes;
    const int y = pictureTop + row;
    for (int x = 0; x < pictureWidth; ++x) {
      chart::Colour c = chart::pixelAt(chart::canvas, pictureLeft + x, y);
      if (c > 0x00FFFFFF) c = 0;   // outside the canvas: black
      *out++ = dialogs::colourBlue(c);
      *out++ = dialogs::colourGreen(c);
      *out++ = dialogs::colourRed(c);
    }
    out[0] = out[1] = 0;   // row padding
  }
}

bool writeChartPicture(const char* fileName) {
  std::vector<uint8_t> file(pictureFileBytes);
  encodePictureHeader(file.data());
  encodePicturePixels(file.data() + pictureHeaderBytes);
  if (platform::replaceFile(fileName, platform::FileShare::none, file.data(), pictureFileBytes))
    return true;
  showFileFailure(bmpFailure, fileName, platform::lastFileErrorText());
  return false;
}

} // namespace report
