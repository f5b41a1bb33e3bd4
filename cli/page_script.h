// The script and style of the page, kept apart from the C++ that assembles it
// (cli/page.cpp). The script reads the run from the object RUN and draws it with uPlot.
#pragma once

namespace cli {

extern const char pageStyle[];
extern const char pageScript[];

} // namespace cli
