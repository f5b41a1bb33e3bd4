// High-resolution counter on Windows: the performance counter and its frequency.
#include "platform/clock.h"

#include <windows.h>

namespace platform {

bool queryPerfFrequency(uint64_t& countsPerSecond) {
  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return false;
  countsPerSecond = static_cast<uint64_t>(frequency.QuadPart);
  return true;
}

uint64_t queryPerfCounter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<uint64_t>(now.QuadPart);
}

} // namespace platform
