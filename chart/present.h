// Seam from the chart to the window: the chart draws into the canvas and then asks for the
// changed rectangle to be shown. The GUI copies it to the screen at once (live plotting must be
// seen while the run keeps the message loop waiting); the headless program does nothing.
#pragma once

namespace chart {

// Show canvas pixels x in [left, right), y in [top, bottom) on the screen now.
void presentCanvasRegion(int left, int top, int right, int bottom);

} // namespace chart
