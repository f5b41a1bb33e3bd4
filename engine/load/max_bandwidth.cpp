// One interval per thread: the thread runs turns of its mix until its own counter says the
// interval is over, so a thread that started late still runs the full interval, and the
// summed rate takes the longest.
#include "engine/load/max_bandwidth.h"

#include <atomic>
#include <thread>

#include "engine/kernels/kernels_extra.h"
#include "engine/timer.h"
#include "platform/threads.h"

namespace engine {
namespace {

struct MixWork {
  const BandwidthMix* mix;
  uint32_t width;
  const LoadArea* areas;
  uint32_t count;
  uint64_t minTicks;
  std::atomic<uint32_t> arrived{0};
  ThreadTally tallies[maxThreads];
};

// The part of an area a mix reads and the part it writes: reads : writes of it.
void splitForMix(const BandwidthMix& mix, const LoadArea& area, StreamCursor& reads,
                 StreamCursor& writes) {
  const std::size_t turn = std::size_t(mix.reads + mix.writes);
  const std::size_t readBytes = area.bytes / turn * mix.reads / burstBytes * burstBytes;
  reads.streams = streamsFor(BurstOp::read, {area.base, readBytes});
  writes.streams = streamsFor(BurstOp::write, {area.base + readBytes, area.bytes - readBytes});
}

// Turns of the mix until minTicks have passed; returns the bytes moved.
uint64_t runTurns(const MixWork& work, const LoadArea& area, uint64_t start) {
  const BandwidthMix& mix = *work.mix;
  uint64_t bytes = 0;
  if (mix.kind == MixKind::readsAndWrites) {
    StreamCursor reads, writes;
    splitForMix(mix, area, reads, writes);
    const BurstFunction read = burstFunction(work.width, BurstOp::read);
    const BurstFunction write = burstFunction(work.width, BurstOp::write);
    do {
      for (uint32_t r = 0; r < mix.reads; ++r) burstAt(reads, read);
      for (uint32_t w = 0; w < mix.writes; ++w) burstAt(writes, write);
      bytes += uint64_t(mix.reads + mix.writes) * burstBytes;
    } while (readTimeStampCounter() - start < work.minTicks);
    return bytes;
  }
  const BurstOp op = mix.kind == MixKind::triad ? BurstOp::triad : BurstOp::ntWrite;
  StreamCursor cursor;
  cursor.streams = streamsFor(op, area);
  const BurstFunction function = burstFunction(work.width, op);
  do {
    for (int k = 0; k < 4; ++k) burstAt(cursor, function);
    bytes += 4ull * burstOpLineBytes(op) * burstLines;
  } while (readTimeStampCounter() - start < work.minTicks);
  return bytes;
}

void mixWorker(void* context, uint32_t index) {
  MixWork& work = *static_cast<MixWork*>(context);
  work.arrived.fetch_add(1);
  while (work.arrived.load() < work.count) std::this_thread::yield();
  const uint64_t start = readTimeStampCounter();
  const uint64_t bytes = runTurns(work, work.areas[index], start);
  work.tallies[index] = {bytes, readTimeStampCounter() - start};
}

bool mixRunsAt(const BandwidthMix& mix, uint32_t width) {
  if (mix.kind == MixKind::ntWrites) return burstFunction(width, BurstOp::ntWrite) != nullptr;
  return burstFunction(width, BurstOp::read) != nullptr;
}

} // namespace

bool runMix(const BandwidthMix& mix, uint32_t width, const LoadArea* areas,
            const uint32_t* processors, uint32_t count, uint64_t minTicks, ThreadTally* tallies) {
  if (count == 0 || count > maxThreads || !mixRunsAt(mix, width)) return false;
  MixWork work;
  work.mix = &mix;
  work.width = width;
  work.areas = areas;
  work.count = count;
  work.minTicks = minTicks;
  if (!platform::runThreadsPinnedTo(processors, count, mixWorker, &work)) return false;
  for (uint32_t i = 0; i < count; ++i) tallies[i] = work.tallies[i];
  return true;
}

uint32_t bestMixRate(const BandwidthMix& mix, uint32_t width, const LoadArea* areas,
                     const uint32_t* processors, uint32_t count) {
  const uint64_t minTicks = ticksFromMicros(loadSettings.intervalMicros);
  uint32_t best = 0;
  for (uint32_t round = 0; round < loadSettings.intervalRounds; ++round) {
    ThreadTally tallies[maxThreads];
    if (!runMix(mix, width, areas, processors, count, minTicks, tallies)) return 0;
    const uint32_t rate = summedRateOverSlowest(tallies, count, timer.clock10k);
    if (rate > best) best = rate;
  }
  return best;
}

void measureMaxBandwidth(uint32_t count, std::size_t bytes, MaxBandwidthResult& result,
                         void (*afterStep)(uint32_t mix)) {
  result = MaxBandwidthResult{};
  result.width = widestBurstWidth(cpu::vectorFeatures);
  result.ntWidth = ntStoreWidth(cpu::vectorFeatures);
  LoadArea areas[maxThreads];
  uint32_t processors[maxThreads];
  for (uint32_t i = 0; i < count; ++i) {
    areas[i] = threadLoadArea(i, bytes);
    processors[i] = i;
  }
  for (uint32_t m = 0; m < bandwidthMixCount; ++m) {
    const BandwidthMix& mix = bandwidthMixes[m];
    const uint32_t width = mix.kind == MixKind::ntWrites ? result.ntWidth : result.width;
    if (width != 0) result.rates[m] = bestMixRate(mix, width, areas, processors, count);
    if (afterStep != nullptr) afterStep(m);
  }
}

} // namespace engine
