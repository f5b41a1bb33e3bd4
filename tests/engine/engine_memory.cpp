// The engine suite's worst-placed test allocation with its guard, and a quick calibration.
#include "tests/engine/engine_memory.h"

#include <chrono>
#include <cstring>

#include "cpu/cpu_info.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"
#include "engine/working_memory.h"

namespace enginetest {

namespace {

// The tests compare rates with one another and with one cycle per load, which any roughly
// right clock serves; 20 ms against the steady clock instead of the program's full second
// keeps the suite short when CTest starts one process per test.
// The time stamps are read as the program reads them on this processor.
void calibrateQuickly() {
  engine::chooseTimeStampReading(cpu::identifyFrom(cpu::readCpuid).hasSse2);
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  const uint64_t startTicks = engine::readTimeStampCounter();
  while (Clock::now() - start < std::chrono::milliseconds(20)) {
  }
  const uint64_t ticks = engine::readTimeStampCounter() - startTicks;
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const uint64_t perSecond = static_cast<uint64_t>(ticks / seconds);
  engine::timer.clockPer16 = static_cast<uint32_t>(perSecond >> 4);
  engine::timer.clock10k = static_cast<uint32_t>(perSecond / 10000);
}

uint8_t* allocationWithGuard() {
  static uint8_t* block = nullptr;
  if (block == nullptr) {
    const std::size_t spare = 2 * engine::testAreaAlignment;
    uint8_t* raw = new uint8_t[engine::testAllocationBytes + spare + guardBytes]();
    const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + 65535) & ~uintptr_t(65535);
    block = raw + (aligned - start) + 1;   // one past a boundary: the largest alignment loss
    std::memset(block + engine::testAllocationBytes, guardByte, guardBytes);
    calibrateQuickly();
  }
  return block;
}

} // namespace

void prepareEngine() {
  engine::workingMemory.testAllocation = allocationWithGuard();
  engine::workingMemory.testBase = engine::alignedTestBase();
  engine::runParameters = engine::RunParameters{};
  engine::testArea = engine::TestArea{};
}

bool guardIntact() {
  const uint8_t* guard = allocationWithGuard() + engine::testAllocationBytes;
  for (std::size_t i = 0; i < guardBytes; ++i) {
    if (guard[i] != guardByte) return false;
  }
  return true;
}

} // namespace enginetest
