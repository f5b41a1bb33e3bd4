// The many-core modes reserve everything before anything is timed: the test area and each
// other thread's area, every page written with data that is never zero.
#include "cli/load_preparation.h"

#include <cstdio>
#include <string>

#include "app/startup.h"
#include "cli/json_output.h"
#include "cli/load_results.h"
#include "cli/modes.h"
#include "cpu/core_types.h"
#include "cpu/vector_features.h"
#include "engine/core_clock.h"
#include "engine/run/run_extras.h"
#include "engine/threads.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "platform/threads.h"

namespace cli {
namespace {

int fail(const std::string& line) {
  std::fprintf(stderr, "tidewell32: %s\n", line.c_str());
  return exitStartupFailed;
}

// The processors the mode measures on: --threads, else every usable one (at most 64).
int chooseThreads(const CliOptions& options, LoadPreparation& prep) {
  const uint32_t usable = platform::usableProcessorCount();
  const uint32_t all = usable < engine::maxThreads ? usable : engine::maxThreads;
  const uint32_t wanted = options.threadsGiven && options.threads != 0 ? options.threads : all;
  if (usable < prep.minThreads || wanted > usable) {
    const uint32_t needed = wanted > prep.minThreads ? wanted : prep.minThreads;
    return fail(std::string(prep.modeName) + " needs " + std::to_string(needed) +
                " processors; this process may use " + std::to_string(usable));
  }
  prep.threads = wanted;
  engine::runExtras.threads = wanted;
  return exitOk;
}

} // namespace

int prepareLoadMode(const CliOptions& options, LoadPreparation& prep) {
  const app::StartupStatus status = app::runStartupChecks();
  if (!status.ok()) return fail(status.message);
  cpu::detectVectorFeatures();
  cpu::detectHybrid();
  if (chooseThreads(options, prep) != exitOk) return exitStartupFailed;
  const int sizeIndex = prep.sizeIndexFor != nullptr ? prep.sizeIndexFor()
                        : options.endGiven             ? options.endSizeIndex
                                                       : loadDefaultSizeIndex;
  prep.code = 25u * static_cast<uint32_t>(sizeIndex);
  if (prep.reserveAreas) {
    CliOptions sized = options;   // a read of the block on every thread: one block each
    sized.tests = TestRead;
    sized.extraTests = 0;
    sized.startSizeIndex = sized.endSizeIndex = sizeIndex;
    if (!reserveWorkingMemory(sized, prep.threads)) return exitStartupFailed;
    engine::fillKernelAreasWithData();
  }
  loadResults = LoadResults{};
  loadResults.threads = prep.threads;
  loadResults.blockBytes = engine::blockBytes(prep.code);
  loadResults.peakBytes = engine::workingMemory.testAllocationSize +
                          uint64_t(prep.threads > 1 ? prep.threads - 1 : 0) *
                              (prep.reserveAreas ? engine::threadAreas.bytes : 0);
  engine::calibrateClock();
  engine::measureCoreClock();
  return exitOk;
}

int finishLoadMode(const CliOptions& options) {
  if (options.jsonPath.empty()) return exitOk;
  return writeJsonText(options, loadJsonText(options, utcNow()));
}

} // namespace cli
