// Core-to-core latency: two threads on two processors bounce one cache line. The first writes
// an odd value and waits for the next even one; the second waits for the odd value and writes
// the even one. A round trip moves the line there and back, so half of it is the time one
// processor takes to see what the other wrote.
#pragma once
#include <cstdint>

#include "engine/threads.h"

namespace engine {

// Hundredths of counter ticks of half a round trip between usable processors first and second
// (the median of loadSettings.roundTripSamples samples); 0 when the threads could not start.
uint32_t halfRoundTrip(uint32_t first, uint32_t second);

struct C2cMatrix {
  uint32_t count = 0;   // processors 0 .. count - 1 of the usable set
  uint32_t tickHundredths[maxThreads][maxThreads] = {};   // [from][to]; 0 on the diagonal
};

// Every ordered pair of processors 0 .. count - 1, one pair at a time; afterPair runs after
// each pair with the pairs done and the pairs in all (progress). False when a pair's threads
// could not be started.
bool measureC2cMatrix(uint32_t count, C2cMatrix& matrix,
                      void (*afterPair)(uint32_t done, uint32_t total));

} // namespace engine
