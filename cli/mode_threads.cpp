// --threads and --thread-sweep: the thread count of the options on this machine, the threads'
// own areas, and the sweep: after the start-up checks, the calibration and the placement
// search, each selected bandwidth test (read without --tests) at the --start block size on 1,
// 2, ... N threads, one line per count: name, block bytes, threads, summed MB/s, the slowest
// thread's MB/s. Each figure is the best of three runs, as in --bench.
#include <cstdio>
#include <string>

#include "app/startup.h"
#include "cli/console.h"
#include "cli/core_placement.h"
#include "cli/measure_panel.h"
#include "cli/modes.h"
#include "cpu/core_types.h"
#include "cpu/cpu_info.h"
#include "cpu/vector_features.h"
#include "engine/kernels/kernels_extra.h"
#include "engine/run/run_extras.h"
#include "engine/run/series.h"
#include "engine/test_area.h"
#include "engine/threads.h"
#include "engine/timer.h"
#include "platform/threads.h"

namespace cli {

namespace {

constexpr int sweepRuns = 3;

struct SweepKernel {
  const char* name;
  engine::KernelFunction function;
};

void sweepKernel(const SweepKernel& kernel, engine::SizeCode code, uint32_t maxCount) {
  for (uint32_t count = 1; count <= maxCount; ++count) {
    uint32_t best = 0, slowest = 0;
    for (int run = 0; run < sweepRuns; ++run) {
      uint32_t rates[engine::maxThreads] = {};
      const uint32_t rate = engine::threadedRate(kernel.function, code, count, rates);
      if (rate > best) {
        best = rate;
        slowest = rate / count;
      }
    }
    std::printf("%s %u %u %u.%02u %u.%02u\n", kernel.name, engine::blockBytes(code), count,
                best / 100, best % 100, slowest / 100, slowest % 100);
    flushStandardOutput();
  }
}

} // namespace

bool threadsFor(const CliOptions& options, std::string& error) {
  const uint32_t usable = platform::usableProcessorCount();
  const uint32_t wanted = options.threads != 0 ? options.threads
                          : usable < engine::maxThreads ? usable : engine::maxThreads;
  if (wanted > usable) {
    // More threads than processors would share one and spin against each other.
    error = "--threads " + std::to_string(wanted) + ": this process may use " +
            std::to_string(usable) + " processor" + (usable == 1 ? "" : "s");
    return false;
  }
  engine::runExtras.threads = wanted;
  return true;
}

int runThreadSweepMode(const CliOptions& options) {
  const app::StartupStatus status = app::runStartupChecks();
  if (!status.ok()) {
    printLine(stderr, (std::string("tidewell32: ") + status.message).c_str());
    return exitStartupFailed;
  }
  cpu::detectVectorFeatures();
  cpu::detectHybrid();
  std::string error = unsupportedTestError(options.tests, cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse);
  if (error.empty()) error = unsupportedExtraTestError(options.extraTests, cpu::vectorFeatures);
  if (!error.empty() || !threadsFor(options, error)) {
    std::fprintf(stderr, "tidewell32: %s\n%s", error.c_str(), usageText());
    return exitUsage;
  }
  const uint32_t maxCount = engine::runExtras.threads;
  noteMixedCoreTypes(maxCount);
  CliOptions sized = options;   // the areas hold the --start block, whatever --end says
  sized.endSizeIndex = options.startSizeIndex;
  if (!reserveWorkingMemory(sized, maxCount)) return exitStartupFailed;
  engine::calibrateClock();
  const engine::SizeCode code = 25u * static_cast<uint32_t>(options.startSizeIndex);
  engine::raisePriority();
  engine::placementSearch(cpu::cpuInfo.hasMmx);
  const unsigned tests = options.tests == 0 && options.extraTests == 0 ? TestRead : options.tests;
  for (uint32_t t = 0; t < engine::testKernelCount; ++t) {
    const engine::KernelInfo& kernel = engine::kernelTable[t];
    if (tests & (1u << t)) sweepKernel({kernel.name, kernel.function}, code, maxCount);
  }
  if (options.extraTests != 0) engine::fillKernelAreasWithData();
  for (uint32_t k = 0; k < engine::extraKernelCount; ++k) {
    const engine::ExtraKernelInfo& kernel = engine::extraKernelTable[k];
    if (options.extraTests & (1u << k)) sweepKernel({kernel.name, kernel.function}, code, maxCount);
  }
  engine::restorePriority();
  return exitOk;
}

} // namespace cli
