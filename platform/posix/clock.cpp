// High-resolution counter on POSIX systems: the raw monotonic clock in nanoseconds, which no
// time adjustment slews, so one second of it is one second of the oscillator.
#include "platform/clock.h"

#include <time.h>

namespace platform {

bool queryPerfFrequency(uint64_t& countsPerSecond) {
  timespec probe;
  if (clock_gettime(CLOCK_MONOTONIC_RAW, &probe) != 0) return false;
  countsPerSecond = 1000000000u;
  return true;
}

uint64_t queryPerfCounter() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC_RAW, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

} // namespace platform
