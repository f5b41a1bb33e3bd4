// Shared helpers of the chart tests: a recording stand-in for the window's present seam, a
// fresh start of every chart record, and a PPM dump of a canvas for looking at it.
#pragma once
#include <string>
#include <vector>

#include "chart/canvas.h"

namespace charttest {

// Every rectangle the chart asked the window to show, in order.
extern std::vector<chart::Rect> presented;

// Chart state, axis labels, plot cursor, colours, result tables and run range back to their
// start values; the window's canvas cleared to white at the client size.
void resetChart();

// Writes the canvas as a binary PPM (view with any image viewer, or convert it to PNG).
bool writePpm(const chart::Canvas& source, const std::string& path);

} // namespace charttest
