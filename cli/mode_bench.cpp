// --bench: after the start-up checks and the calibration, every kernel the processor supports
// (the command line's extra kernels after the window's) at seven block sizes from 4 KB to
// 16 MB, the Read Latency with step 64 at the same sizes and at 32 MB, the long walk of the
// walk matrix's first row, then the line-size probe's choice and the start-up peak estimate.
// One line per measurement, the best of three sweeps, each the best of the runs of 20 ms
// (three at least) after an untimed one: name, block bytes, MB/s, cycles per transfer (cycles
// per load for latency). The lines come out during the last sweep.
// --bench-twins: after the same preparation and the core clock, each of the nine test kernels
// beside its plain twin (engine/kernels/kernel_twins.h), then each extra kernel beside its own
// loop measured long and warm, at the same seven sizes: name, block bytes, the kernel's MB/s,
// the twin's MB/s, and the kernel's share of the twin's rate; in the first-level cache (4 and
// 16 KB), where the core's load and store limits are known (cpu/port_limits.h), also "limit",
// that limit in MB/s, and the kernel's and the twin's share of it.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/startup.h"
#include "cli/bench_sweeps.h"
#include "cli/console.h"
#include "cli/modes.h"
#include "cpu/core_types.h"
#include "cpu/cpu_info.h"
#include "cpu/port_limits.h"
#include "cpu/vector_features.h"
#include "engine/core_clock.h"
#include "engine/kernels/kernel_twins.h"
#include "engine/kernels/kernels.h"
#include "engine/kernels/kernels_extra.h"
#include "engine/run/run_extras.h"
#include "engine/latency/latency.h"
#include "engine/run/peak.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"
#include "engine/working_memory.h"

namespace cli {

namespace {

// 4 KB, 16 KB, 64 KB, 256 KB, 1 MB, 4 MB, 16 MB: every cache level and main memory.
constexpr engine::SizeCode benchCodes[] = {0, 50, 100, 150, 200, 250, 300};
constexpr engine::SizeCode firstLevelCode = 50;   // 16 KB: inside every first-level data cache
// 64 bytes, the common line size: each load of the latency chain fetches a new line.
constexpr uint32_t benchLatencyStep = 64;
// The walk matrix's smallest long-walk cell: 28 loads per pass, each pass paused and resumed,
// so a timer that stops before the loads complete shows here first, below one cycle per load.
constexpr uint32_t longWalkBlock = 3584;
constexpr uint32_t longWalkStep = 128;

void printMeasurement(const char* name, uint32_t blockBytes, uint32_t rate, uint32_t width) {
  const uint32_t cycles = engine::cyclesFromRate(rate, width);
  std::printf("%s %u %u.%02u %u.%02u\n", name, blockBytes, rate / 100, rate % 100,
              cycles / 100, cycles % 100);
  flushStandardOutput();
}

// Every figure in the order of the lines: the window's kernels, the extra kernels the
// processor and the build can run, the latencies.
std::vector<BenchFigure> benchFigures() {
  std::vector<BenchFigure> figures;
  for (const engine::KernelInfo& kernel : engine::kernelTable) {
    if (!engine::kernelSupported(kernel, cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse)) continue;
    for (engine::SizeCode code : benchCodes) {
      figures.push_back({kernel.name, engine::blockBytes(code), kernel.width, false,
                         [&kernel, code] { return kernel.function(code); }});
    }
  }
  for (const engine::ExtraKernelInfo& kernel : engine::extraKernelTable) {
    if (!engine::extraKernelSupported(kernel, cpu::vectorFeatures)) continue;
    const uint32_t width = engine::extraKernelWidth(kernel, cpu::vectorFeatures);
    for (engine::SizeCode code : benchCodes) {
      figures.push_back({kernel.name, engine::blockBytes(code), width, true,
                         [&kernel, code] { return kernel.function(code); }});
    }
  }
  for (engine::SizeCode code : benchCodes) {
    figures.push_back({"latency", engine::blockBytes(code), 32, true,
                       [code] { return engine::readLatency(code); }});
  }
  figures.push_back({"latency", engine::blockBytes(engine::summaryLatencyCode), 32, true,
                     [] { return engine::readLatency(engine::summaryLatencyCode); }});
  figures.push_back({"long-walk", longWalkBlock, 32, true,
                     [] { return engine::longWalkLatency(longWalkBlock, longWalkStep); }});
  return figures;
}

// The sweeps; each starts on the zeros again and fills the data before the first extra kernel,
// as a single sweep would.
void runBench() {
  std::vector<BenchFigure> figures = benchFigures();
  engine::runParameters.latencyStep = benchLatencyStep;
  BenchSweepSteps steps;
  steps.restoreZeros = [] {
    std::memset(engine::workingMemory.testAllocation, 0, engine::workingMemory.testAllocationSize);
  };
  steps.fillData = engine::fillKernelAreasWithData;
  steps.print = [](const BenchFigure& f) {
    printMeasurement(f.name, f.blockBytes, f.best, f.width);
  };
  runBenchSweeps(figures, benchSweeps, uint64_t(engine::timer.clock10k) * 10 * benchWindowMs,
                 steps);
}

// The best rates of a kernel and its twin at one code. They alternate, the one first that went
// second the run before, so that a slower stretch of the shared machine falls on both alike.
struct TwinPair {
  uint32_t kernel = 0;   // hundredths of MB/s
  uint32_t twin = 0;
};

template <typename Twin>
TwinPair bestOfPair(engine::KernelFunction kernel, Twin twin, engine::SizeCode code) {
  TwinPair best;
  for (int run = 0; run < benchRuns; ++run) {
    for (int turn = 0; turn < 2; ++turn) {
      if ((run + turn) % 2 == 0) {
        best.kernel = std::max(best.kernel, kernel(code));
      } else {
        best.twin = std::max(best.twin, twin(code));
      }
    }
  }
  return best;
}

// "0.957": a share in thousandths.
void printShare(uint64_t share) {
  std::printf(" %u.%03u", static_cast<unsigned>(share / 1000), static_cast<unsigned>(share % 1000));
}

// What a kernel's loop can move at best: its access, width and register kind.
struct LoopKind {
  cpu::Access access;
  uint32_t bits;
  bool vector;
  bool limited;   // false: no port limit applies (non-temporal stores, string and library copies)
};

LoopKind loopKindOf(const char* name, uint32_t bits, bool vector, bool limited) {
  const std::string n = name;
  const cpu::Access access = n.find("read") != std::string::npos    ? cpu::Access::read
                             : n.find("write") != std::string::npos ? cpu::Access::write
                                                                     : cpu::Access::copy;
  return {access, bits, vector, limited};
}

// One line of --bench-twins; the limit's part only in the first-level cache.
void printTwinLine(const char* name, engine::SizeCode code, const TwinPair& best,
                   const LoopKind& loop) {
  std::printf("%s %u %u.%02u %u.%02u", name, engine::blockBytes(code), best.kernel / 100,
              best.kernel % 100, best.twin / 100, best.twin % 100);
  // Thousandths of the twin's rate. Both rates come from the same clock, so the share is a
  // ratio of time-stamp ticks that no calibration error reaches.
  printShare(best.twin == 0 ? 0 : uint64_t{best.kernel} * 1000 / best.twin);
  const double bytes =
      cpu::bytesPerCycle(cpu::portLimitsOf(cpu::cpuInfo, cpu::vectorFeatures), loop.access, loop.bits, loop.vector);
  // Hundredths of MB/s: bytes a cycle x the core's cycles a second, in units of 2^20 bytes.
  const double limit = bytes * engine::coreClock.clock10k * 1e6 / 1048576.0;
  if (loop.limited && code <= firstLevelCode && limit >= 1) {
    std::printf(" limit %.2f", limit / 100);
    printShare(static_cast<uint64_t>(best.kernel * 1000.0 / limit));
    printShare(static_cast<uint64_t>(best.twin * 1000.0 / limit));
  }
  std::printf("\n");
  flushStandardOutput();
}

// The twin of an extra kernel. Its pass loop is already the plain loop of its instructions
// (base, turns, the aligned turn loop, passes), so the twin is that loop measured the way a
// plain-loop experiment measures it: right after a run of its own, over four times the volume.
uint32_t longWarmRun(engine::KernelFunction kernel, engine::SizeCode code) {
  kernel(code);
  auto& shift = engine::runParameters.iterationShift;
  const auto saved = shift;
  shift = 2;
  const uint32_t rate = kernel(code);
  shift = saved;
  return rate;
}

void benchTwins() {
  for (uint32_t i = 0; i < engine::testKernelCount; ++i) {
    const engine::KernelInfo& kernel = engine::kernelTable[i];
    if (!engine::kernelSupported(kernel, cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse)) continue;
    const LoopKind loop = loopKindOf(kernel.name, kernel.width,
                                     kernel.feature != engine::KernelFeature::none, true);
    for (engine::SizeCode code : benchCodes) {
      printTwinLine(kernel.name, code, bestOfPair(kernel.function, engine::kernelTwins[i], code),
                    loop);
    }
  }
  engine::fillKernelAreasWithData();
  for (const engine::ExtraKernelInfo& kernel : engine::extraKernelTable) {
    if (!engine::extraKernelSupported(kernel, cpu::vectorFeatures)) continue;
    // Non-temporal stores, REP MOVSB and memcpy are bound by no load or store slot.
    const bool limited = std::string(kernel.name).rfind("nt-", 0) != 0 &&
                         kernel.function != engine::movsbCopyKernel &&
                         kernel.function != engine::memcpyKernel;
    const bool vector = kernel.feature == engine::ExtraFeature::sse ||
                        kernel.feature == engine::ExtraFeature::avx ||
                        kernel.feature == engine::ExtraFeature::avx512;
    const LoopKind loop = loopKindOf(kernel.name, kernel.width, vector, limited);
    for (engine::SizeCode code : benchCodes) {
      const auto twin = [&](engine::SizeCode c) { return longWarmRun(kernel.function, c); };
      printTwinLine(kernel.name, code, bestOfPair(kernel.function, twin, code), loop);
    }
  }
}

// The start-up checks, the clock, the peak estimate and the placement, as the window program
// does them before its first run; the priority stays raised. False when a check failed.
bool prepareBench() {
  const app::StartupStatus status = app::runStartupChecks();
  if (!status.ok()) {
    printLine(stderr, (std::string("tidewell32: ") + status.message).c_str());
    return false;
  }
  cpu::detectVectorFeatures();
  cpu::detectHybrid();
  engine::calibrateClock();
  std::printf("clock %u.%02u MHz\n", engine::timer.clock10k / 100, engine::timer.clock10k % 100);
  // As at start-up: before the priority is raised and before the placement search.
  engine::measurePeakRate(cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse);

  engine::raisePriority();
  engine::placementSearch(cpu::cpuInfo.hasMmx);
  std::printf("placement %u bytes\n",
              static_cast<unsigned>(engine::workingMemory.testBase - engine::alignedTestBase()));
  return true;
}

} // namespace

int runBenchMode() {
  if (!prepareBench()) return exitStartupFailed;
  // The clock and placement lines now; when standard output is lost already, 13 s of sweeps
  // would measure for no one (the caller reports the loss).
  if (!flushStandardOutput()) {
    engine::restorePriority();
    return exitOk;
  }
  runBench();
  const uint32_t chosen = engine::probeLineSize();
  engine::restorePriority();

  std::printf("line-probe %s\n", engine::kernelTable[chosen].name);
  std::printf("chart-peak %u MB/s\n", engine::chartScales.chartPeakRate);
  return exitOk;
}

int runBenchTwinsMode() {
  if (!prepareBench()) return exitStartupFailed;
  // The limits are bytes per core cycle: the clock is measured at the raised priority.
  engine::coreClock.clock10k = engine::coreClockNow();
  std::printf("core %u.%02u MHz\n", engine::coreClock.clock10k / 100,
              engine::coreClock.clock10k % 100);
  benchTwins();
  engine::restorePriority();
  return exitOk;
}

} // namespace cli
