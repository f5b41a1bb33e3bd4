// Points measured on several threads. Each worker takes a copy of the calibrated timer and its
// own area before the barrier, so the kernels it runs read and write nothing another thread
// uses; the barrier is a counter the workers spin on, which releases them within microseconds of
// one another (a sleeping wait would release them scheduler ticks apart).
#include "engine/threads.h"

#include <atomic>
#include <thread>

#include "engine/size_codes.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "platform/memory.h"
#include "platform/threads.h"

namespace engine {

ThreadAreas threadAreas;

namespace {

struct PointWork {
  KernelFunction kernel;
  SizeCode code;
  uint32_t count;
  TimerState timer;
  std::atomic<uint32_t> arrived{0};
  uint32_t rates[maxThreads] = {};
};

uint8_t* alignedBlock(uint8_t* block) {
  const uintptr_t start = reinterpret_cast<uintptr_t>(block);
  return block + ((65536 - start % 65536) % 65536);
}

void worker(void* context, uint32_t index) {
  PointWork& work = *static_cast<PointWork*>(context);
  timer = work.timer;
  if (index != 0) {
    uint8_t* const block = threadAreas.blocks[index];
    threadArea = {alignedBlock(block), block + threadAreas.bytes};
  }
  work.arrived.fetch_add(1);
  // Yielding: should pinning have failed, a sibling on this processor still gets to arrive.
  while (work.arrived.load() < work.count) std::this_thread::yield();
  work.rates[index] = work.kernel(work.code);
  threadArea = {};
}

} // namespace

std::size_t threadAreaBytesFor(uint32_t largestCode, bool copies) {
  const std::size_t needed = std::size_t(blockBytes(largestCode)) * (copies ? 2 : 1) + 65536;
  return needed > threadAreaBytes ? needed : threadAreaBytes;
}

bool prepareThreadAreas(uint32_t count, std::size_t bytes) {
  if (count > maxThreads) return false;
  if (bytes > threadAreas.bytes) {
    freeThreadAreas();
    threadAreas.bytes = bytes;
  }
  for (uint32_t i = 1; i < count; ++i) {
    if (threadAreas.blocks[i] != nullptr) continue;
    // Written before anything is timed, so no point pays for the system's first touch; large
    // pages spare blocks past the caches the page walks, as in the test area.
    threadAreas.blocks[i] = static_cast<uint8_t*>(platform::allocateTouched(threadAreas.bytes, true));
    if (threadAreas.blocks[i] == nullptr) return false;
  }
  if (count > threadAreas.count) threadAreas.count = count;
  return true;
}

void freeThreadAreas() {
  for (uint8_t*& block : threadAreas.blocks) {
    platform::freeBlock(block, threadAreas.bytes);
    block = nullptr;
  }
  threadAreas = ThreadAreas{};
}

uint32_t summedRate(const uint32_t* rates, uint32_t count) {
  if (count == 0) return 0;
  uint32_t slowest = rates[0];
  for (uint32_t i = 1; i < count; ++i) {
    if (rates[i] < slowest) slowest = rates[i];
  }
  // Equal volumes: count x volume / (volume / slowest rate).
  const uint64_t sum = uint64_t(slowest) * count;
  return sum > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(sum);
}

uint32_t threadedRate(KernelFunction kernel, SizeCode code, uint32_t count, uint32_t* rates) {
  if (count < 1 || count > threadAreas.count) return 0;
  PointWork work;
  work.kernel = kernel;
  work.code = code;
  work.count = count;
  work.timer = timer;
  if (!platform::runPinnedThreads(count, worker, &work)) return 0;
  if (rates != nullptr) {
    for (uint32_t i = 0; i < count; ++i) rates[i] = work.rates[i];
  }
  return summedRate(work.rates, count);
}

} // namespace engine
