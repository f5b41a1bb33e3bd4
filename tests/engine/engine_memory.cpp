// The engine suite's worst-placed test allocation with its guard, and the one calibration.
#include "tests/engine/engine_memory.h"

#include <cstring>

#include "engine/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"
#include "engine/working_memory.h"

namespace enginetest {

namespace {

uint8_t* allocationWithGuard() {
  static uint8_t* block = nullptr;
  if (block == nullptr) {
    const std::size_t spare = 2 * engine::testAreaAlignment;
    uint8_t* raw = new uint8_t[engine::testAllocationBytes + spare + guardBytes]();
    const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + 65535) & ~uintptr_t(65535);
    block = raw + (aligned - start) + 1;   // one past a boundary: the largest alignment loss
    std::memset(block + engine::testAllocationBytes, guardByte, guardBytes);
    engine::calibrateClock();
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
