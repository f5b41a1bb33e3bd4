// --page FILE: one self-contained HTML file to look at a run: every series over its whole range
// drawn with the vendored uPlot, the cache levels shaded, and beside the chart the level
// summary, the processor, clocks, caches, options and result lines. Data, script and style are
// inline; nothing is fetched.
#pragma once
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace cli {

// The page of runs' JSON documents (at least one): one run's series in the window's colours;
// several overlaid, one colour per run. Levels and the level summary are the first run's.
std::string pageText(const std::vector<nlohmann::json>& docs);

// Writes it whole to path (beside it first, then renamed over it): exitOk, or
// exitReportFailed with one line on standard error.
int writePage(const std::string& path, const std::vector<nlohmann::json>& docs);

} // namespace cli
