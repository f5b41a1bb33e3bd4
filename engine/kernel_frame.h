// The frame every bandwidth kernel shares: how many turns one pass and the partial pass make,
// where the test area starts, and the rate for the nominal volume; and the pass loop of the
// plain twins. Used only by the kernel and twin files.
#pragma once
#include <cstdint>

#include "engine/size_codes.h"

namespace engine {

struct KernelTurns {
  uint32_t turns = 0;          // turns of one whole pass over the block
  uint32_t passes = 0;         // whole passes (at most 16,384)
  uint32_t partialTurns = 0;   // turns of the partial pass from the block's start; 0: none
};

// Turns of turnBytes (32, 64, 128 or 256) for the block of a code and the current volume.
KernelTurns kernelTurns(SizeCode code, uint32_t turnBytes);

// The test area's first byte: workingMemory.testBase, or the thread's own area (threadArea).
uint8_t* kernelBase();

// Rate in hundredths of MB/s for the nominal 16 << iterationShift megabytes since timerStart.
uint32_t nominalRate();

// EMMS: empties the MMX state so the x87 unit works again. The MMX and SSE kernels run it
// before the read-in and once more after the measurement, since compiled code that follows
// uses the x87 unit for double arithmetic on i686.
inline void clearMmxState() { asm volatile("emms" ::: "memory"); }

// The end of an MMX or SSE kernel: the rate, then EMMS once the time has been taken.
inline uint32_t nominalRateThenClearMmx() {
  const uint32_t rate = nominalRate();
  clearMmxState();
  return rate;
}

// The counted loop of a plain twin: passes runs of turnLoop(args...), passes > 0. A function of
// its own, so that its arguments stay in registers and the turn loop is compiled once (inlined
// into the twin, the compiler peeled the first pass into a second copy of the loop).
template <auto turnLoop, typename... Args>
__attribute__((noinline)) void passesOf(uint32_t passes, Args... args) {
  do {
    turnLoop(args...);
  } while (--passes != 0);
}

} // namespace engine
