// All processors at once, reads and writes mixed: every thread runs the same mix on an area of
// its own for one timed interval, and the mix's rate is what all of them moved together.
// Bytes read plus bytes written count; the reads a write causes when its line is fetched first
// (write-allocate) do not.
#pragma once
#include <cstdint>

#include "engine/load/load_threads.h"
#include "engine/threads.h"

namespace engine {

enum class MixKind { readsAndWrites, triad, ntWrites };

struct BandwidthMix {
  const char* name;   // JSON and printed name
  MixKind kind;
  uint32_t reads, writes;   // bursts of each per turn (readsAndWrites)
};

constexpr uint32_t bandwidthMixCount = 6;
constexpr BandwidthMix bandwidthMixes[bandwidthMixCount] = {
    {"reads", MixKind::readsAndWrites, 1, 0}, {"3:1", MixKind::readsAndWrites, 3, 1},
    {"2:1", MixKind::readsAndWrites, 2, 1},   {"1:1", MixKind::readsAndWrites, 1, 1},
    {"triad", MixKind::triad, 2, 1},          {"nt-writes", MixKind::ntWrites, 0, 1},
};

// Runs a mix at a transfer width on count threads, thread i pinned to usable processor
// processors[i] and working on areas[i], each for at least minTicks after they start together;
// false when the threads could not be started or the mix has no loop at that width.
bool runMix(const BandwidthMix& mix, uint32_t width, const LoadArea* areas,
            const uint32_t* processors, uint32_t count, uint64_t minTicks, ThreadTally* tallies);

// The best summed rate of loadSettings.intervalRounds intervals of a mix (hundredths of MB/s),
// 0 when the threads could not be started.
uint32_t bestMixRate(const BandwidthMix& mix, uint32_t width, const LoadArea* areas,
                     const uint32_t* processors, uint32_t count);

struct MaxBandwidthResult {
  uint32_t rates[bandwidthMixCount] = {};   // hundredths of MB/s; 0: not measured
  uint32_t width = 0;                       // bits per transfer of the plain loops
  uint32_t ntWidth = 0;                     // of the non-temporal stores; 0: none
};

// Every mix on threads 0 .. count - 1 over the prepared thread areas of bytes each, at the
// widest plain width (and non-temporal store width) of the processor, into result; afterStep
// runs after each mix with its index.
void measureMaxBandwidth(uint32_t count, std::size_t bytes, MaxBandwidthResult& result,
                         void (*afterStep)(uint32_t mix));

} // namespace engine
