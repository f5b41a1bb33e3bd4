// The start-up checks, in the order the program has always made them: memory touched before
// anything is measured, CPUID before identification, the time-stamp counter before the free
// memory, the working memory last. The first failure ends the sequence with its message.
// Identification also chooses how the timer reads the time-stamp counter.
#include "app/startup.h"

#include <x86intrin.h>

#include <cstring>

#include "chart/text/format.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "platform/memory.h"
#include "platform/message.h"
#include "report/os_version.h"

namespace app {
namespace {

constexpr char cpuidMessage[] = "CPUID not supported!";
constexpr char tscMessage[] = "TSC not supported!";
constexpr char allocationMessage[] = "Couldn't allocate memory for testing.";
constexpr char lowMemoryHead[] = "TW32 detected ";
constexpr char lowMemoryTail[] =
    " MBytes free physical memory.\r\nAt least 36,00 MBytes needed for testing.";

StartupStatus failed(StartupFailure failure, const char* message) {
  StartupStatus status;
  status.failure = failure;
  std::strncpy(status.message, message, sizeof status.message - 1);
  return status;
}

// Reads one 32-bit word from every 32-byte line, in address order; the values go nowhere.
void readThrough(const uint8_t* block, uint32_t bytes) {
  const volatile uint32_t* word = reinterpret_cast<const volatile uint32_t*>(block);
  for (uint32_t offset = 0; offset < bytes; offset += 32) (void)word[offset / 4];
}

} // namespace

uint32_t freeHundredthsOfMiB(uint64_t freeBytes) {
  // x 100 then >> 20 (1 MiB) truncates like the message shows it; a machine with more than
  // 40 TiB free must not wrap round to a false failure.
  if (freeBytes > UINT64_MAX / 100) return 0xFFFFFFFFu;
  const uint64_t hundredths = (freeBytes * 100) >> 20;
  return hundredths > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(hundredths);
}

StartupStatus checkCpuidPresent(bool hasCpuid) {
  return hasCpuid ? StartupStatus{} : failed(StartupFailure::cpuidMissing, cpuidMessage);
}

StartupStatus checkTimeStampCounter(bool hasTsc) {
  return hasTsc ? StartupStatus{} : failed(StartupFailure::tscMissing, tscMessage);
}

StartupStatus checkFreeMemory(uint64_t freeBytes) {
  // 36 MiB: the 34.8 MiB test allocation, the report buffer, and room for the system.
  const uint32_t hundredths = freeHundredthsOfMiB(freeBytes);
  if (hundredths >= requiredFreeHundredths) return StartupStatus{};
  StartupStatus status;
  status.failure = StartupFailure::lowMemory;
  char* p = status.message;
  std::memcpy(p, lowMemoryHead, sizeof lowMemoryHead - 1);
  p += sizeof lowMemoryHead - 1;
  // Below 36,00 the value always fills exactly six characters: "  0,50", " 35,99".
  p += text::formatFixed2(p, hundredths, 3);
  std::memcpy(p, lowMemoryTail, sizeof lowMemoryTail);
  return status;
}

bool processorHasCpuid() {
  // Save the flags, write them back with the ID bit inverted, read them again: the bit sticks
  // only on processors that have CPUID. The original flags are put back afterwards. The
  // compiler's pushf/popf builtins keep the stack right in either width (a hand-written push
  // would overwrite the x86-64 red zone of this leaf function).
  const auto saved = __readeflags();
  __writeeflags(saved ^ 0x200000u);
  const auto changed = __readeflags();
  __writeeflags(saved);
  return ((saved ^ changed) & 0x200000u) != 0;
}

bool touchMemory() {
  uint8_t* block = static_cast<uint8_t*>(platform::allocateZeroed(touchBlockBytes));
  if (!block) return false;
  // Twice through 37 MiB pushes out whatever else held the memory before the first
  // measurement; it is given back at once, and the free memory is counted after.
  readThrough(block, touchBlockBytes);
  readThrough(block, touchBlockBytes);
  platform::freeBlock(block, touchBlockBytes);
  return true;
}

StartupStatus runStartupChecks(cpu::CpuidFunction read) {
  if (!touchMemory()) return failed(StartupFailure::allocationFailed, allocationMessage);
  StartupStatus status = checkCpuidPresent(processorHasCpuid());
  if (!status.ok()) return status;
  cpu::identifyCpu(read);
  status = checkTimeStampCounter(cpu::cpuInfo.hasTsc);
  if (!status.ok()) return status;
  engine::chooseTimeStampReading(cpu::cpuInfo.hasSse2);
  status = checkFreeMemory(platform::freePhysicalBytes());
  if (!status.ok()) return status;
  if (!engine::allocateWorkingMemory()) {
    return failed(StartupFailure::allocationFailed, allocationMessage);
  }
  // Without a version the report names the system "Unknown"; nothing else depends on it.
  report::readOsVersion();
  return StartupStatus{};
}

void reportStartupFailure(const StartupStatus& status) {
  if (!status.ok()) platform::showErrorMessage(status.message);
}

} // namespace app
