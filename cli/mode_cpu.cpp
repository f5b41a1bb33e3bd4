// --cpu: start-up checks, calibration, and the processor line.
#include <cstdio>

#include "cli/modes.h"

namespace cli {
int runCpuMode() {
  std::fputs("tidewell32: --cpu is not built yet\n", stderr);
  return 1;
}
} // namespace cli
