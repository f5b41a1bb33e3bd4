// Threads on Linux: POSIX threads, each pinned from its start (the sched_setaffinity mask in
// its attributes) to one processor of the set the process was allowed when first asked (the
// measuring thread narrows its own set to one processor while its priority is raised, and new
// threads would inherit that).
#include "platform/threads.h"

#include <pthread.h>
#include <sched.h>

#include <atomic>
#include <vector>

namespace platform {
namespace {

std::vector<int>& usableProcessors() {
  static std::vector<int> processors = [] {
    std::vector<int> list;
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
      for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &set)) list.push_back(cpu);
      }
    }
    if (list.empty()) list.push_back(-1);   // unknown: one thread, not pinned
    return list;
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
  int cpu;
};

void* threadMain(void* argument) {
  const Start& start = *static_cast<const Start*>(argument);
  int state;
  while ((state = start.gate->state.load()) == 0) sched_yield();
  if (state == 1) start.body(start.context, start.index);
  return nullptr;
}

} // namespace

uint32_t usableProcessorCount() { return static_cast<uint32_t>(usableProcessors().size()); }

int32_t processorNumber(uint32_t index) {
  const std::vector<int>& cpus = usableProcessors();
  return index < cpus.size() ? cpus[index] : -1;
}

bool runPinnedThreads(uint32_t count, void (*body)(void* context, uint32_t index), void* context) {
  std::vector<uint32_t> processors(count);
  for (uint32_t i = 0; i < count; ++i) processors[i] = i;
  return runThreadsPinnedTo(processors.data(), count, body, context);
}

bool runThreadsPinnedTo(const uint32_t* processors, uint32_t count,
                        void (*body)(void* context, uint32_t index), void* context) {
  const std::vector<int>& cpus = usableProcessors();
  Gate gate;
  std::vector<Start> starts(count);
  std::vector<pthread_t> threads(count);
  uint32_t started = 0;
  for (; started < count; ++started) {
    starts[started] = {&gate, body, context, started, cpus[processors[started] % cpus.size()]};
    // Pinned before it starts: a thread that inherited the measuring thread's one processor
    // and real-time priority could otherwise wait behind a sibling spinning there.
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    if (starts[started].cpu >= 0) {
      cpu_set_t only;
      CPU_ZERO(&only);
      CPU_SET(starts[started].cpu, &only);
      pthread_attr_setaffinity_np(&attributes, sizeof only, &only);
    }
    const int failed = pthread_create(&threads[started], &attributes, threadMain, &starts[started]);
    pthread_attr_destroy(&attributes);
    if (failed != 0) break;
  }
  gate.state = started == count ? 1 : 2;
  for (uint32_t i = 0; i < started; ++i) pthread_join(threads[i], nullptr);
  return started == count;
}

} // namespace platform
