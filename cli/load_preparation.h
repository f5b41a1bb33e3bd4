// What every many-core mode does before it measures: the start-up checks, the processor's
// features, the thread count, the memory reserved and written, the calibrated clocks and the
// raised priority.
#pragma once
#include <cstddef>
#include <cstdint>

#include "cli/options.h"
#include "engine/size_codes.h"

namespace cli {

struct LoadPreparation {
  const char* modeName = "";   // "--loaded-latency" ...
  uint32_t minThreads = 1;     // processors the mode cannot do without
  bool reserveAreas = true;    // the test area and the other threads' areas of the block
  // The block's size index once the processor is known; nullptr: --end, default 256 MB.
  int (*sizeIndexFor)() = nullptr;
  uint32_t threads = 0;        // out: threads that measure at once
  engine::SizeCode code = 0;   // out: the block (--end, default 256 MB)
};

// exitOk when the mode can measure; else the exit status, with one line on standard error:
// exitStartupFailed for a failed check, too few processors or short memory.
int prepareLoadMode(const CliOptions& options, LoadPreparation& prep);

// Prints the document of the mode (--json), or nothing without --json: the exit status.
int finishLoadMode(const CliOptions& options);

} // namespace cli
