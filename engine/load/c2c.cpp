// The line holds a counter. Each side's loop is one assembly block: plain stores and loads,
// since x86 keeps stores in order and the line carries nothing else. Neither side pauses
// while it waits: a PAUSE would add its own delay to every hand-over.
#include "engine/load/c2c.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "engine/load/load_threads.h"
#include "engine/load/loaded_latency.h"
#include "engine/timer.h"
#include "platform/threads.h"

namespace engine {
namespace {

constexpr uint32_t maxSamples = 64;

struct PingPong {
  alignas(128) uint32_t line = 0;   // a line of its own, and not its neighbour's either
  alignas(128) std::atomic<uint32_t> arrived{0};
  uint32_t trips = 0;
  uint32_t samples = 0;
  uint64_t ticks[maxSamples] = {};
};

// trips round trips from value on: write value, wait for value + 1, write value + 2 ...
void serve(uint32_t* line, uint32_t value, uint32_t trips) {
  asm volatile(
      "1:\n\t"
      "movl %[v], (%[line])\n\t"
      "incl %[v]\n\t"
      "2:\n\t"
      "cmpl (%[line]), %[v]\n\t"
      "jne 2b\n\t"
      "incl %[v]\n\t"
      "decl %[n]\n\t"
      "jnz 1b\n\t"
      : [v] "+r"(value), [n] "+r"(trips)
      : [line] "r"(line)
      : "memory", "cc");
}

// trips answers from value on: wait for value, write value + 1, wait for value + 2 ...
void answer(uint32_t* line, uint32_t value, uint32_t trips) {
  asm volatile(
      "1:\n\t"
      "cmpl (%[line]), %[v]\n\t"
      "jne 1b\n\t"
      "incl %[v]\n\t"
      "movl %[v], (%[line])\n\t"
      "incl %[v]\n\t"
      "decl %[n]\n\t"
      "jnz 1b\n\t"
      : [v] "+r"(value), [n] "+r"(trips)
      : [line] "r"(line)
      : "memory", "cc");
}

void pingPongWorker(void* context, uint32_t index) {
  PingPong& p = *static_cast<PingPong*>(context);
  p.arrived.fetch_add(1);
  while (p.arrived.load() < 2) std::this_thread::yield();
  if (index == 1) {
    answer(&p.line, 1, p.trips * p.samples);
    return;
  }
  uint32_t value = 1;
  for (uint32_t s = 0; s < p.samples; ++s) {
    const uint64_t start = readTimeStampCounter();
    serve(&p.line, value, p.trips);
    p.ticks[s] = readTimeStampCounter() - start;
    value += 2 * p.trips;
  }
}

} // namespace

uint32_t halfRoundTrip(uint32_t first, uint32_t second) {
  PingPong p;
  p.trips = std::max<uint32_t>(loadSettings.roundTrips, 1);
  p.samples = std::min(std::max<uint32_t>(loadSettings.roundTripSamples, 1), maxSamples);
  const uint32_t processors[2] = {first, second};
  if (!platform::runThreadsPinnedTo(processors, 2, pingPongWorker, &p)) return 0;
  uint32_t halves[maxSamples];
  for (uint32_t s = 0; s < p.samples; ++s) {
    const uint64_t half = p.ticks[s] * 100 / (2 * uint64_t(p.trips));
    halves[s] = half > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(half);
  }
  return medianOf(halves, p.samples);
}

bool measureC2cMatrix(uint32_t count, C2cMatrix& matrix,
                      void (*afterPair)(uint32_t done, uint32_t total)) {
  matrix = C2cMatrix{};
  matrix.count = std::min(count, maxThreads);
  const uint32_t total = matrix.count * (matrix.count - 1);
  uint32_t done = 0;
  for (uint32_t from = 0; from < matrix.count; ++from) {
    for (uint32_t to = 0; to < matrix.count; ++to) {
      if (from == to) continue;
      const uint32_t ticks = halfRoundTrip(from, to);
      if (ticks == 0) return false;
      matrix.tickHundredths[from][to] = ticks;
      if (afterPair != nullptr) afterPair(++done, total);
    }
  }
  return true;
}

} // namespace engine
