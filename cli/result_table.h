// The measured values of the last run as an aligned text table (--table): one row per size
// code of the run's range, one column per measured series, and for a Memory Walk run the
// 14 x 17 walk matrix after it. Values in the window's units with comma decimals.
#pragma once
#include <string>

namespace cli {

// Lines of the table, each ending in '\n'; reads the result tables and run parameters.
std::string resultTableText();

} // namespace cli
