// What the many-core measurements share: the area each thread works on, the byte and tick
// tally a thread keeps, the summed rate of several threads, the delay spin of the loaders, and
// how long each measurement runs (tests shorten it).
#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/load/bursts.h"

namespace engine {

struct LoadSettings {
  uint32_t intervalMicros = 500000;   // one timed interval of a bandwidth mix, per thread
  uint32_t intervalRounds = 3;        // intervals per mix; the best counts
  uint32_t chaseSamples = 15;         // latency samples per loaded-latency step (median kept)
  uint32_t roundTrips = 2000;         // core-to-core round trips per sample
  uint32_t roundTripSamples = 15;     // samples per processor pair (median kept)
};
extern LoadSettings loadSettings;

struct LoadArea {
  uint8_t* base = nullptr;   // 64-byte aligned at least
  std::size_t bytes = 0;
};

// The area of thread index over prepared thread areas (engine/threads.h): the test area for
// thread 0, its own block for the others; bytes long each.
LoadArea threadLoadArea(uint32_t index, std::size_t bytes);

// What one thread moved: bytes read plus written, in ticks of the time-stamp counter.
struct ThreadTally {
  uint64_t bytes = 0;
  uint64_t ticks = 0;
};

// Hundredths of MB/s (1 MB = 2^20 bytes) for bytes in ticks of a counter at clock10k hundredths
// of MHz; 0 for no ticks or an uncalibrated clock, 0xFFFFFFFF when it does not fit.
uint32_t rateFromBytes(uint64_t bytes, uint64_t ticks, uint32_t clock10k);
// Every thread's bytes over the longest thread's ticks: the rate all of them drew together.
uint32_t summedRateOverSlowest(const ThreadTally* tallies, uint32_t count, uint32_t clock10k);

// The streams of an operation over an area: the area cut into equal parts, one per stream
// (read and write: one; copy: from, then to; triad: from, from2, to), each a whole number of
// bursts long; bytes is one stream's length (0 when the area holds no burst per stream).
struct BurstStreams {
  uint8_t* to = nullptr;
  const uint8_t* from = nullptr;
  const uint8_t* from2 = nullptr;
  std::size_t bytes = 0;
};
BurstStreams streamsFor(BurstOp op, const LoadArea& area);

// Moves a cursor over streams one burst on, back to the start after the last.
struct StreamCursor {
  BurstStreams streams;
  std::size_t offset = 0;
};
// One burst of function at the cursor, then the cursor one burst on.
void burstAt(StreamCursor& cursor, BurstFunction function);

// Spins until ticks ticks of the time-stamp counter have passed; touches no memory.
void spinTicks(uint64_t ticks);

// Counter ticks in a number of microseconds at the calibrated clock.
uint64_t ticksFromMicros(uint64_t micros);

} // namespace engine
