// A step runs every thread behind one barrier. The chaser takes its samples with the timed
// chase of Random Latency while the loaders run; its first sample, taken while they ramp up,
// is left out. When the chaser is done it raises the stop flag, and each loader ends after its
// current burst and delay, so the loaders' time covers the chaser's samples.
#include "engine/load/loaded_latency.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "engine/latency/latency.h"
#include "engine/load/load_threads.h"
#include "engine/threads.h"
#include "engine/timer.h"
#include "platform/threads.h"

namespace engine {
namespace {

constexpr uint32_t maxChaseSamples = 64;

struct StepWork {
  BurstFunction function;
  BurstOp op;
  uint64_t delay;
  uint32_t count;
  SizeCode code;
  std::size_t loaderBytes;
  TimerState timer;
  std::atomic<uint32_t> arrived{0};
  std::atomic<bool> stop{false};
  uint32_t samples[maxChaseSamples] = {};
  uint32_t sampleCount = 0;
  ThreadTally tallies[maxThreads];
};

void chase(StepWork& work) {
  timer = work.timer;
  const uint32_t wanted = std::min(loadSettings.chaseSamples, maxChaseSamples);
  randomLatency(work.code);   // while the loaders ramp up
  for (uint32_t s = 0; s < wanted; ++s) {
    work.samples[s] = cyclesFromRate(randomLatency(work.code), 32);
  }
  work.sampleCount = wanted;
  work.stop.store(true);
}

void load(StepWork& work, uint32_t index) {
  StreamCursor cursor;
  cursor.streams = streamsFor(work.op, threadLoadArea(index, work.loaderBytes));
  const uint64_t perBurst = uint64_t(burstOpLineBytes(work.op)) * burstLines;
  const uint64_t start = readTimeStampCounter();
  uint64_t bytes = 0;
  do {
    burstAt(cursor, work.function);
    bytes += perBurst;
    if (work.delay != 0) spinTicks(work.delay);
  } while (!work.stop.load(std::memory_order_relaxed));
  work.tallies[index] = {bytes, readTimeStampCounter() - start};
}

void stepWorker(void* context, uint32_t index) {
  StepWork& work = *static_cast<StepWork*>(context);
  work.arrived.fetch_add(1);
  while (work.arrived.load() < work.count) std::this_thread::yield();
  if (index == 0) chase(work);
  else load(work, index);
}

} // namespace

uint64_t loadedLatencyDelay(uint32_t step) { return step < 2 ? 0 : uint64_t(64) << (step - 2); }

uint32_t medianOf(uint32_t* samples, uint32_t count) {
  if (count == 0) return 0;
  std::sort(samples, samples + count);
  return count % 2 ? samples[count / 2] : (samples[count / 2 - 1] + samples[count / 2]) / 2;
}

bool measureLoadedLatencyStep(uint32_t step, BurstOp op, uint32_t width, uint32_t threads,
                              SizeCode code, std::size_t loaderBytes, LoadedLatencyPoint& point) {
  StepWork work;
  work.function = burstFunction(width, op);
  work.op = op;
  work.delay = loadedLatencyDelay(step);
  work.count = step == 0 ? 1 : threads;
  work.code = code;
  work.loaderBytes = loaderBytes;
  work.timer = timer;
  if (work.function == nullptr || threads < 1 || threads > maxThreads) return false;
  if (!platform::runPinnedThreads(work.count, stepWorker, &work)) return false;
  point = LoadedLatencyPoint{};
  point.idle = step == 0;
  point.delayTicks = work.delay;
  point.rate = summedRateOverSlowest(work.tallies + 1, work.count - 1, timer.clock10k);
  point.tickHundredths = medianOf(work.samples, work.sampleCount);
  return true;
}

} // namespace engine
