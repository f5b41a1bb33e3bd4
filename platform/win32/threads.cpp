// Threads on Windows: CreateThread, each pinned with SetThreadAffinityMask to one processor of
// the process's affinity mask.
#include "platform/threads.h"

#include <windows.h>

#include <atomic>
#include <vector>

namespace platform {
namespace {

std::vector<DWORD_PTR>& usableProcessors() {
  static std::vector<DWORD_PTR> processors = [] {
    std::vector<DWORD_PTR> masks;
    DWORD_PTR process = 0, system = 0;
    if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) {
      for (unsigned bit = 0; bit < sizeof(DWORD_PTR) * 8; ++bit) {
        const DWORD_PTR mask = DWORD_PTR(1) << bit;
        if (process & mask) masks.push_back(mask);
      }
    }
    if (masks.empty()) masks.push_back(0);   // unknown: one thread, not pinned
    return masks;
  }();
  return processors;
}

// Threads wait here until every one of them exists, so a body never waits for a thread that
// could not be started: 0 wait, 1 run the body, 2 return at once.
struct Gate {
  std::atomic<int> state{0};
};

struct Start {
  Gate* gate;
  void (*body)(void*, uint32_t);
  void* context;
  uint32_t index;
  DWORD_PTR mask;
};

DWORD WINAPI threadMain(void* argument) {
  const Start& start = *static_cast<const Start*>(argument);
  int state;
  while ((state = start.gate->state.load()) == 0) SwitchToThread();
  if (state == 1) start.body(start.context, start.index);
  return 0;
}

} // namespace

uint32_t usableProcessorCount() { return static_cast<uint32_t>(usableProcessors().size()); }

int32_t processorNumber(uint32_t index) {
  const std::vector<DWORD_PTR>& masks = usableProcessors();
  if (index >= masks.size() || masks[index] == 0) return -1;
  int32_t bit = 0;
  while ((masks[index] >> bit) != 1) ++bit;
  return bit;
}

bool runPinnedThreads(uint32_t count, void (*body)(void* context, uint32_t index), void* context) {
  std::vector<uint32_t> processors(count);
  for (uint32_t i = 0; i < count; ++i) processors[i] = i;
  return runThreadsPinnedTo(processors.data(), count, body, context);
}

bool runThreadsPinnedTo(const uint32_t* processors, uint32_t count,
                        void (*body)(void* context, uint32_t index), void* context) {
  const std::vector<DWORD_PTR>& masks = usableProcessors();
  Gate gate;
  std::vector<Start> starts(count);
  std::vector<HANDLE> threads;
  for (uint32_t i = 0; i < count; ++i) {
    starts[i] = {&gate, body, context, i, masks[processors[i] % masks.size()]};
    // Pinned before it runs, so it never competes for the processor of the thread starting it.
    HANDLE thread = CreateThread(nullptr, 0, threadMain, &starts[i], CREATE_SUSPENDED, nullptr);
    if (thread == nullptr) break;
    if (starts[i].mask != 0) SetThreadAffinityMask(thread, starts[i].mask);
    ResumeThread(thread);
    threads.push_back(thread);
  }
  gate.state = threads.size() == count ? 1 : 2;
  // One at a time: WaitForMultipleObjects takes at most 64 handles.
  for (HANDLE thread : threads) {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
  return threads.size() == count;
}

} // namespace platform
