// The core clock measurement. A chain of additions where each waits for the one before runs
// at one addition per core cycle on every x86 core since the P6 (the Pentium 4's double-speed
// adders chain at two per cycle and read twice their clock). The chain is timed with the
// timer's own start and pause, and the best of a few runs is kept: a preemption, an interrupt
// or a clock still ramping up can only make a run longer.
#include "engine/core_clock.h"

#include "engine/timer.h"

namespace engine {

CoreClockState coreClock;

namespace {

constexpr uint32_t addsPerTurn = 100;        // the .rept count of the chain's loop
// 3.3 million additions: 1.1 ms at 3 GHz, 6.6 ms at 500 MHz; tens of thousands of times the
// cost of a time-stamp read, and short enough that a run can fall between two timer
// interrupts (runs four times longer read 1-2 % slower on a loaded virtual machine).
constexpr uint32_t turnsPerRun = 1u << 15;
constexpr int runs = 15;                     // about 17 ms at 3 GHz

// turns x addsPerTurn dependent additions. The added value is in a register: some cores fold
// additions of small constants into register renaming, where a chain of them takes less than
// a cycle per addition. The loop counter and its branch run beside the chain, off its path.
inline void dependentAdds(uint32_t turns) {
  uint32_t sum = 0;
  const uint32_t one = 1;
  asm volatile(
      "1:\n\t"
      ".rept %c[adds]\n\t"
      "add %[one], %[sum]\n\t"
      ".endr\n\t"
      "dec %[n]\n\t"
      "jnz 1b\n\t"
      : [sum] "+r"(sum), [n] "+r"(turns)
      : [one] "r"(one), [adds] "i"(addsPerTurn)
      : "cc");
}

uint64_t ticksOfOneRun() {
  timerStart();
  dependentAdds(turnsPerRun);
  timerPause();
  return timer.timerPauseCount - timer.timerStartCount;
}

} // namespace

uint32_t coreClockFrom(uint32_t counterClock10k, uint32_t cycles, uint64_t ticks) {
  if (ticks == 0) return 0;
  const uint64_t clock = uint64_t{counterClock10k} * cycles / ticks;   // both below 2^32
  return clock > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(clock);
}

bool clocksDiffer(uint32_t coreClock10k, uint32_t counterClock10k) {
  if (coreClock10k == 0 || counterClock10k == 0) return false;
  const uint32_t difference = coreClock10k > counterClock10k ? coreClock10k - counterClock10k
                                                             : counterClock10k - coreClock10k;
  return uint64_t{difference} * 20 > counterClock10k;   // more than 1/20 of the counter clock
}

uint32_t coreClockNow() {
  if (timer.clock10k == 0) return 0;
  uint64_t best = ticksOfOneRun();
  for (int i = 1; i < runs; ++i) {
    const uint64_t ticks = ticksOfOneRun();
    if (ticks < best) best = ticks;
  }
  return coreClockFrom(timer.clock10k, turnsPerRun * addsPerTurn, best);
}

void measureCoreClock() {
  coreClock = {};
  if (timer.clock10k == 0) return;
  raisePriority();
  coreClock.clock10k = coreClockNow();
  restorePriority();
}

} // namespace engine
