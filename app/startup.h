// The start-up checks that refuse to run where measuring is impossible, and the working memory
// they leave behind: a read through 37 MiB, CPUID present, the processor identified, a
// time-stamp counter, 36 MiB of free physical memory, the working blocks, the OS version.
// The GUI and the command-line program both call runStartupChecks and word a failure their way.
#pragma once
#include <cstdint>

#include "cpu/cpu_info.h"

namespace app {

enum class StartupFailure {
  none,
  cpuidMissing,      // the processor has no CPUID instruction
  tscMissing,        // identification reports no time-stamp counter
  lowMemory,         // less than 36 MiB of physical memory free
  allocationFailed,  // the system refused a block of memory
};

struct StartupStatus {
  StartupFailure failure = StartupFailure::none;
  char message[128] = {};   // the Windows-1252 text for the user; empty when all passed
  bool ok() const { return failure == StartupFailure::none; }
};

constexpr uint32_t touchBlockBytes = 38797312;      // 37 MiB read through before measuring
constexpr uint32_t requiredFreeHundredths = 3600;   // 36,00 MiB free, in hundredths of a MiB

// Free physical memory in hundredths of a MiB, truncated; 0xFFFFFFFF beyond 32 bits.
uint32_t freeHundredthsOfMiB(uint64_t freeBytes);

// The leaves of the sequence: each returns the failure it finds, or a passing status.
StartupStatus checkCpuidPresent(bool hasCpuid);
StartupStatus checkTimeStampCounter(bool hasTsc);
StartupStatus checkFreeMemory(uint64_t freeBytes);
// True when bit 21 of the flags register (the ID flag) can be changed: CPUID exists.
bool processorHasCpuid();
// Allocates the 37 MiB touch block, reads one word per 32 bytes through it twice, frees it.
bool touchMemory();

// The whole sequence, stopping at the first failure. On success the working memory is held,
// cpu::cpuInfo is filled from read, and report::osVersion is read.
StartupStatus runStartupChecks(cpu::CpuidFunction read = cpu::readCpuid);

// Shows a failed status's message through the platform (a message box in the GUI).
void reportStartupFailure(const StartupStatus& status);

} // namespace app
