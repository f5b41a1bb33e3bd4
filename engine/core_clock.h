// The core's own clock: core cycles per time-stamp tick, measured with a long chain of
// dependent one-cycle additions, times the calibrated counter clock. Current processors run
// their time-stamp counter at a fixed rate, so the "cycles" the timer counts are counter ticks
// and the core may run faster or slower than they do.
#pragma once
#include <cstdint>

namespace engine {

struct CoreClockState {
  uint32_t clock10k = 0;   // core clock in hundredths of MHz; 0 until measured
};
extern CoreClockState coreClock;

// Hundredths of MHz of a core that ran cycles cycles in ticks ticks of a counter running at
// counterClock10k hundredths of MHz; 0 for no ticks, 0xFFFFFFFF when it does not fit.
uint32_t coreClockFrom(uint32_t counterClock10k, uint32_t cycles, uint64_t ticks);
// True when the core clock differs from the counter clock by more than 5 % of the counter
// clock; false while either is 0 (unmeasured).
bool clocksDiffer(uint32_t coreClock10k, uint32_t counterClock10k);
// Measures coreClock against timer.clock10k; leaves it 0 while the counter is uncalibrated.
void measureCoreClock();
// The same measurement at the caller's priority, leaving coreClock as it is.
uint32_t coreClockNow();

} // namespace engine
