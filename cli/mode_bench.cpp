// --bench: every kernel at seven block sizes, and the latency.
#include <cstdio>

#include "cli/modes.h"

namespace cli {
int runBenchMode() {
  std::fputs("tidewell32: --bench is not built yet\n", stderr);
  return 1;
}
} // namespace cli
