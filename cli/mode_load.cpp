// --loaded-latency and --max-bandwidth: after the preparation, the steps of the sweep or the
// mixes one after another, one line each as it is measured, then the JSON.
#include <cstdio>
#include <string>

#include "cli/console.h"
#include "cli/load_preparation.h"
#include "cli/load_results.h"
#include "cli/modes.h"
#include "cli/progress.h"
#include "cpu/cpu_info.h"
#include "engine/kernels/kernels_extra.h"
#include "engine/latency/latency.h"
#include "engine/load/bursts.h"
#include "engine/timer.h"

namespace cli {
namespace {

std::string fixed2(uint64_t hundredths) {
  char text[32];
  std::snprintf(text, sizeof text, "%llu.%02llu", static_cast<unsigned long long>(hundredths / 100),
                static_cast<unsigned long long>(hundredths % 100));
  return text;
}

// The largest data or unified cache CPUID names, in KB; 0 when it names none.
uint32_t lastLevelCacheKB() {
  uint32_t largest = 0;
  for (int i = 0; i < cpu::cpuInfo.cacheCount; ++i) {
    const cpu::CacheLevel& level = cpu::cpuInfo.caches[i];
    if (level.kind != cpu::CacheKind::Instruction && level.sizeKB > largest) largest = level.sizeKB;
  }
  return largest;
}

void noteBlockInCache(uint32_t blockBytes) {
  const uint32_t llcKB = lastLevelCacheKB();
  loadResults.blockFitsLastCache = llcKB != 0 && blockBytes / 1024 <= llcKB;
  if (!loadResults.blockFitsLastCache) return;
  std::fprintf(stderr,
               "note: the %u KB block fits the %u KB last-level cache that CPUID names; "
               "the chase measures that cache, not memory\n",
               blockBytes / 1024, llcKB);
}

void printStep(const engine::LoadedLatencyPoint& p) {
  clearProgressLine();
  const std::string delay = p.idle ? "idle" : std::to_string(p.delayTicks);
  std::printf("%s %s %s\n", delay.c_str(), fixed2(p.rate).c_str(),
              fixed2(nsFromTickHundredths(p.tickHundredths)).c_str());
  flushStandardOutput();
}

// The loader's kernel of the options on this processor, or null with the reason.
const engine::LoadKernel* chosenLoadKernel(const CliOptions& options, std::string& error) {
  const cpu::VectorFeatures& f = cpu::vectorFeatures;
  const engine::LoadKernel* kernel =
      options.loadKernel.empty() ? &engine::defaultLoadKernel(f)
                                 : engine::loadKernelNamed(options.loadKernel);
  const uint32_t width = engine::loadKernelWidth(*kernel, f);
  if (width == 0 || !engine::burstWidthSupported(width, f) ||
      engine::burstFunction(width, kernel->op) == nullptr) {
    error = std::string("--load-kernel ") + kernel->name + " needs " +
            (width == 64 ? "a 64-bit build" : width == 0 ? "SSE" : "instructions this processor "
                                                                   "lacks");
    return nullptr;
  }
  return kernel;
}

void mixDone(uint32_t mix) {
  clearProgressLine();
  const uint32_t rate = loadResults.bandwidth.rates[mix];
  const char* name = engine::bandwidthMixes[mix].name;
  if (rate == 0) std::printf("%s -\n", name);
  else std::printf("%s %s\n", name, fixed2(rate).c_str());
  flushStandardOutput();
  showStepProgress("max bandwidth", mix + 1, engine::bandwidthMixCount);
}

} // namespace

int runLoadedLatencyMode(const CliOptions& options) {
  LoadPreparation prep;
  prep.modeName = "--loaded-latency";
  prep.minThreads = 2;
  if (const int status = prepareLoadMode(options, prep); status != exitOk) return status;
  std::string error;
  const engine::LoadKernel* kernel = chosenLoadKernel(options, error);
  if (kernel == nullptr) {
    std::fprintf(stderr, "tidewell32: %s\n", error.c_str());
    return exitUsage;
  }
  loadResults.loadKernel = kernel->name;
  const uint32_t width = engine::loadKernelWidth(*kernel, cpu::vectorFeatures);
  noteBlockInCache(loadResults.blockBytes);
  engine::raisePriority();
  engine::randomLatency(prep.code);   // the chain built and read in, untimed
  std::printf("# delay ticks, loaders' MB/s (%u loaders, %s), chaser ns per load\n",
              prep.threads - 1, kernel->name);
  beginProgress();
  for (uint32_t step = 0; step < engine::loadedLatencySteps; ++step) {
    showStepProgress("loaded latency", step, engine::loadedLatencySteps);
    engine::LoadedLatencyPoint& point = loadResults.points[step];
    if (!engine::measureLoadedLatencyStep(step, kernel->op, width, prep.threads, prep.code,
                                          loadResults.blockBytes, point)) {
      endProgress();
      engine::restorePriority();
      std::fprintf(stderr, "tidewell32: the loaders' threads could not be started\n");
      return exitStartupFailed;
    }
    loadResults.pointCount = step + 1;
    printStep(point);
  }
  endProgress();
  engine::restorePriority();
  return finishLoadMode(options);
}

int runMaxBandwidthMode(const CliOptions& options) {
  LoadPreparation prep;
  prep.modeName = "--max-bandwidth";
  if (const int status = prepareLoadMode(options, prep); status != exitOk) return status;
  std::printf("# mix, MB/s of bytes read plus written on %u threads\n", prep.threads);
  engine::raisePriority();
  beginProgress();
  showStepProgress("max bandwidth", 0, engine::bandwidthMixCount);
  engine::measureMaxBandwidth(prep.threads, loadResults.blockBytes, loadResults.bandwidth, mixDone);
  endProgress();
  engine::restorePriority();
  return finishLoadMode(options);
}

} // namespace cli
