// The recording present seam and the test helpers. The real GUI copies the rectangle to the
// screen and the headless program ignores it; the tests keep it to check what would be shown.
#include "tests/chart/chart_support.h"

#include <cstdio>

#include "chart/axes.h"
#include "chart/curves.h"
#include "chart/present.h"
#include "dialogs/colour_table.h"
#include "engine/run/results.h"

namespace chart {
void presentCanvasRegion(int left, int top, int right, int bottom) {
  charttest::presented.push_back({left, top, right, bottom});
}
} // namespace chart

namespace charttest {

std::vector<chart::Rect> presented;

void resetChart() {
  presented.clear();
  chart::chartState = {};
  chart::axisLabels = {};
  chart::plotCursor = {};
  dialogs::colourTable = dialogs::defaultColours;
  engine::resultTables = {};
  engine::runParameters = {};
  engine::chartScales = {};
  chart::resizeCanvas(chart::canvas, chart::clientWidth, chart::clientHeight, 0x00FFFFFF);
}

bool writePpm(const chart::Canvas& source, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", source.width, source.height);
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      const chart::Colour c = chart::pixelAt(source, x, y);
      const unsigned char rgb[3] = {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8),
                                    static_cast<unsigned char>(c >> 16)};
      std::fwrite(rgb, 1, 3, f);
    }
  }
  return std::fclose(f) == 0;
}

} // namespace charttest
