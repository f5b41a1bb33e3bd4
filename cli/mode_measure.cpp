// A measurement run as the window's Start command does it.
#include <cstdio>

#include "cli/modes.h"

namespace cli {
int runMeasureMode(const CliOptions&) {
  std::fputs("tidewell32: measurement runs are not built yet\n", stderr);
  return 1;
}
} // namespace cli
