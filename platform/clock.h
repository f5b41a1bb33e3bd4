// Seam: the operating system's monotonic high-resolution counter.
#pragma once
#include <cstdint>

namespace platform {
// Counts per second; false when the system has no such counter.
bool queryPerfFrequency(uint64_t& countsPerSecond);
uint64_t queryPerfCounter();
} // namespace platform
