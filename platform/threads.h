// Seam: bandwidth measured on several processors at once. Threads are started, each pinned to
// a processor of its own, and waited for; what they do and how they start together is the
// engine's business (engine/threads.h).
#pragma once
#include <cstdint>

namespace platform {

// Processors this process may run on, at least 1. The first call fixes the set; make it before
// the measuring thread is pinned to one processor.
uint32_t usableProcessorCount();

// Runs body(context, i) for i = 0 .. count - 1, each on a new thread pinned to the i-th usable
// processor (count at most usableProcessorCount), and returns when all have ended. False when
// a thread could not be started; the threads that did start have ended by then.
bool runPinnedThreads(uint32_t count, void (*body)(void* context, uint32_t index), void* context);

// As runPinnedThreads, with thread i pinned to the usable processor of index processors[i]
// (each below usableProcessorCount).
bool runThreadsPinnedTo(const uint32_t* processors, uint32_t count,
                        void (*body)(void* context, uint32_t index), void* context);

// How the system numbers the usable processor of an index (Linux: the CPU number; Windows: the
// bit of the affinity mask); -1 when the set could not be read.
int32_t processorNumber(uint32_t index);

} // namespace platform
