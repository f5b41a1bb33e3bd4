// Rates of threads that moved different volumes in different times are counted as one: all
// bytes over the longest time, since the threads drew that much together only while the last
// of them still ran.
#include "engine/load/load_threads.h"

#include "engine/threads.h"
#include "engine/timer.h"
#include "engine/working_memory.h"

namespace engine {

LoadSettings loadSettings;

LoadArea threadLoadArea(uint32_t index, std::size_t bytes) {
  if (index == 0) return {workingMemory.testBase, bytes};
  uint8_t* const block = threadAreas.blocks[index];
  const uintptr_t start = reinterpret_cast<uintptr_t>(block);
  return {block + (65536 - start % 65536) % 65536, bytes};
}

uint32_t rateFromBytes(uint64_t bytes, uint64_t ticks, uint32_t clock10k) {
  if (ticks == 0 || clock10k == 0) return 0;
  // Hundredths of megabytes, then per second: ticks per second are clock10k x 10,000.
  const uint64_t megabyteHundredths = (bytes >> 10) * 100 >> 10;
  const uint64_t rate = megabyteHundredths * (uint64_t(clock10k) * 10000) / ticks;
  return rate > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(rate);
}

uint32_t summedRateOverSlowest(const ThreadTally* tallies, uint32_t count, uint32_t clock10k) {
  uint64_t bytes = 0, longest = 0;
  for (uint32_t i = 0; i < count; ++i) {
    bytes += tallies[i].bytes;
    if (tallies[i].ticks > longest) longest = tallies[i].ticks;
  }
  return rateFromBytes(bytes, longest, clock10k);
}

BurstStreams streamsFor(BurstOp op, const LoadArea& area) {
  const uint32_t parts = op == BurstOp::copy ? 2 : op == BurstOp::triad ? 3 : 1;
  const std::size_t bytes = area.bytes / parts / burstBytes * burstBytes;
  BurstStreams s;
  s.bytes = bytes;
  switch (op) {
    case BurstOp::read: s.from = area.base; break;
    case BurstOp::write:
    case BurstOp::ntWrite: s.to = area.base; break;
    case BurstOp::copy:
      s.from = area.base;
      s.to = area.base + bytes;
      break;
    case BurstOp::triad:
      s.from = area.base;
      s.from2 = area.base + bytes;
      s.to = area.base + 2 * bytes;
      break;
  }
  return s;
}

void burstAt(StreamCursor& c, BurstFunction function) {
  const std::size_t at = c.offset;
  function(c.streams.to ? c.streams.to + at : nullptr,
           c.streams.from ? c.streams.from + at : nullptr,
           c.streams.from2 ? c.streams.from2 + at : nullptr, burstLines);
  c.offset = at + burstBytes >= c.streams.bytes ? 0 : at + burstBytes;
}

void spinTicks(uint64_t ticks) {
  const uint64_t start = readTimeStampCounter();
  while (readTimeStampCounter() - start < ticks) {
  }
}

uint64_t ticksFromMicros(uint64_t micros) { return micros * timer.clock10k / 100; }

} // namespace engine
