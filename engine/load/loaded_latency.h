// Latency against drawn bandwidth: one thread chases the random chain of Random Latency
// through the test area while the other threads run a bandwidth kernel on areas of their own,
// a burst of burstLines lines at a time with a spin of a fixed number of counter ticks between
// bursts. The sweep goes from the idle latency (no loaders) through no delay, the heaviest
// load, to delays long enough that the loaders draw almost nothing.
#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/load/bursts.h"
#include "engine/size_codes.h"

namespace engine {

// Step 0: idle, no loaders; step 1: no delay; step s >= 2: 64 << (s - 2) ticks, up to 262,144
// ticks, about 0.1 ms on a 2.6 GHz counter: a burst of 4 KB every 0.1 ms is some 40 MB/s.
constexpr uint32_t loadedLatencySteps = 15;
// Delay ticks of a step (0 for the idle step and the step without delay).
uint64_t loadedLatencyDelay(uint32_t step);

struct LoadedLatencyPoint {
  bool idle = false;          // measured without loaders
  uint64_t delayTicks = 0;
  uint32_t rate = 0;          // the loaders' summed rate, hundredths of MB/s
  uint32_t tickHundredths = 0;   // the chaser's counter ticks per load x 100 (median)
};

// One step with loaders running kernel at width on threads 1 .. threads - 1, each over an area
// of loaderBytes (the prepared thread areas); the chain of the block of code must be in the
// test area. False when the threads could not be started.
bool measureLoadedLatencyStep(uint32_t step, BurstOp op, uint32_t width, uint32_t threads,
                              SizeCode code, std::size_t loaderBytes, LoadedLatencyPoint& point);

// The median of samples (sorted in place); 0 for none.
uint32_t medianOf(uint32_t* samples, uint32_t count);

} // namespace engine
