// The whole start-up sequence against the fake platform and recorded CPUID leaves: what it
// holds when every check passes, where it stops on each failure, and that a failure holds no
// memory. The leaves are made up for the flags they carry, not copied from a processor.
#include <gtest/gtest.h>

#include <cstring>

#include "app/startup.h"
#include "engine/test_area.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "report/os_version.h"
#include "tests/fakes/fake_platform.h"

namespace {

constexpr uint32_t tscBit = 1u << 4, mmxBit = 1u << 23;

uint32_t maxLeaf = 1;
uint32_t leaf1Edx = tscBit | mmxBit;

cpu::CpuidRegisters recordedCpuid(uint32_t leaf, uint32_t) {
  cpu::CpuidRegisters r;
  if (leaf == 0) {
    r.eax = maxLeaf;
    std::memcpy(&r.ebx, "Genu", 4);   // "GenuineIntel" in EBX, EDX, ECX
    std::memcpy(&r.edx, "ineI", 4);
    std::memcpy(&r.ecx, "ntel", 4);
  } else if (leaf == 1 && maxLeaf >= 1) {
    r.eax = 0x0683;   // family 6, model 8, stepping 3
    r.edx = leaf1Edx;
  }
  return r;
}

class StartupSequence : public ::testing::Test {
 protected:
  void SetUp() override {
    fakeplatform::resetFakePlatform();
    cpu::cpuInfo = {};
    report::osVersion = {};
    maxLeaf = 1;
    leaf1Edx = tscBit | mmxBit;
  }
  void TearDown() override { engine::freeWorkingMemory(); }
};

TEST_F(StartupSequence, AllChecksPassAndTheWorkingMemoryIsHeld) {
  fakeplatform::memory.osVersion.major = 5;
  fakeplatform::memory.osVersion.minor = 1;
  const app::StartupStatus status = app::runStartupChecks(recordedCpuid);
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_TRUE(cpu::cpuInfo.hasTsc);
  EXPECT_TRUE(cpu::cpuInfo.hasMmx);
  // The touch block first, then the test allocation and the report buffer.
  const std::vector<std::size_t> sizes{38797312, 36503552, 131072};
  EXPECT_EQ(fakeplatform::memory.sizes, sizes);
  EXPECT_EQ(fakeplatform::memory.liveBlocks, 2);
  // Free memory is counted once the touch block is given back.
  EXPECT_EQ(fakeplatform::memory.freeQueries, 1u);
  EXPECT_EQ(fakeplatform::memory.liveBlocksAtFreeQuery, 0);
  ASSERT_NE(engine::workingMemory.testAllocation, nullptr);
  ASSERT_NE(engine::workingMemory.reportBuffer, nullptr);
  EXPECT_EQ(engine::workingMemory.reportBuffer[engine::reportBufferBytes - 1], 0);
  EXPECT_EQ(report::osVersion.major, 5u);
  EXPECT_EQ(report::osVersion.minor, 1u);
  EXPECT_TRUE(fakeplatform::messages.shown.empty());

  engine::freeWorkingMemory();
  EXPECT_EQ(fakeplatform::memory.liveBlocks, 0);
  EXPECT_EQ(engine::workingMemory.testBase, nullptr);
}

TEST_F(StartupSequence, TestBaseIsTheNext64KBoundary) {
  const struct {
    std::size_t misalignBy;
    std::size_t expectedOffset;   // testBase - testAllocation
  } cases[] = {{0, 0}, {1, 65535}, {4096, 61440}, {65535, 1}, {32768, 32768}};
  for (const auto& c : cases) {
    fakeplatform::resetFakePlatform();
    fakeplatform::memory.misalignBy = c.misalignBy;
    ASSERT_TRUE(engine::allocateWorkingMemory());
    const uintptr_t base = reinterpret_cast<uintptr_t>(engine::workingMemory.testBase);
    EXPECT_EQ(base % 65536, 0u) << c.misalignBy;
    EXPECT_EQ(static_cast<std::size_t>(engine::workingMemory.testBase -
                                       engine::workingMemory.testAllocation),
              c.expectedOffset)
        << c.misalignBy;
    engine::freeWorkingMemory();
    EXPECT_EQ(fakeplatform::memory.liveBlocks, 0);
  }
}

TEST_F(StartupSequence, AllocatingTwiceHoldsOneSet) {
  ASSERT_TRUE(engine::allocateWorkingMemory());
  ASSERT_TRUE(engine::allocateWorkingMemory());
  EXPECT_EQ(fakeplatform::memory.liveBlocks, 2);
}

TEST_F(StartupSequence, TimeStampsAreFencedWhereTheProcessorHasSse2) {
  constexpr uint32_t sseBit = 1u << 25, sse2Bit = 1u << 26;
  const struct {
    uint32_t leaf1Edx;
    uint64_t (*reading)();
  } cases[] = {
      {tscBit | mmxBit, engine::readTimeStampCounter},
      {tscBit | mmxBit | sseBit, engine::readTimeStampCounter},   // LFENCE came with SSE2
      {tscBit | mmxBit | sseBit | sse2Bit, engine::readTimeStampCounterFenced},
  };
  for (const auto& c : cases) {
    SetUp();
    leaf1Edx = c.leaf1Edx;
    engine::timer.readStamp = nullptr;
    ASSERT_TRUE(app::runStartupChecks(recordedCpuid).ok());
    EXPECT_EQ(engine::timer.readStamp, c.reading) << std::hex << c.leaf1Edx;
    engine::freeWorkingMemory();
  }
  engine::timer = {};
}

struct FailureCase {
  const char* what;
  uint32_t maxLeaf;
  uint32_t leaf1Edx;
  uint64_t freeBytes;
  int failAllocation;
  app::StartupFailure failure;
  const char* message;          // nullptr: the free-memory message, checked elsewhere
  uint64_t freeQueries;         // whether the sequence got as far as the memory check
};

TEST_F(StartupSequence, StopsAtTheFirstFailureHoldingNothing) {
  const uint64_t enough = 1ull << 30;
  const FailureCase cases[] = {
      {"no time-stamp counter", 1, mmxBit, enough, 0, app::StartupFailure::tscMissing,
       "TSC not supported!", 0},
      // Highest leaf 0: leaf 1 is never read, so no flags at all.
      {"highest CPUID leaf 0", 0, tscBit | mmxBit, enough, 0, app::StartupFailure::tscMissing,
       "TSC not supported!", 0},
      {"too little free memory", 1, tscBit, 37748735, 0, app::StartupFailure::lowMemory,
       nullptr, 1},
      {"touch block refused", 1, tscBit, enough, 1, app::StartupFailure::allocationFailed,
       "Couldn't allocate memory for testing.", 0},
      {"test allocation refused", 1, tscBit, enough, 2, app::StartupFailure::allocationFailed,
       "Couldn't allocate memory for testing.", 1},
      {"report buffer refused", 1, tscBit, enough, 3, app::StartupFailure::allocationFailed,
       "Couldn't allocate memory for testing.", 1},
  };
  for (const FailureCase& c : cases) {
    SetUp();
    maxLeaf = c.maxLeaf;
    leaf1Edx = c.leaf1Edx;
    fakeplatform::memory.freeBytes = c.freeBytes;
    fakeplatform::memory.failAllocation = c.failAllocation;
    fakeplatform::memory.osVersion.major = 9;

    const app::StartupStatus status = app::runStartupChecks(recordedCpuid);
    EXPECT_EQ(status.failure, c.failure) << c.what;
    if (c.message) {
      EXPECT_STREQ(status.message, c.message) << c.what;
    }
    EXPECT_EQ(fakeplatform::memory.freeQueries, c.freeQueries) << c.what;
    EXPECT_EQ(fakeplatform::memory.liveBlocks, 0) << c.what;
    EXPECT_EQ(engine::workingMemory.testAllocation, nullptr) << c.what;
    EXPECT_EQ(engine::workingMemory.reportBuffer, nullptr) << c.what;
    EXPECT_EQ(report::osVersion.major, 0u) << c.what;   // the sequence never got that far

    app::reportStartupFailure(status);
    ASSERT_EQ(fakeplatform::messages.shown.size(), 1u) << c.what;
    EXPECT_EQ(fakeplatform::messages.shown[0], status.message) << c.what;
  }
}

TEST_F(StartupSequence, APassingStatusShowsNothing) {
  app::reportStartupFailure(app::StartupStatus{});
  EXPECT_TRUE(fakeplatform::messages.shown.empty());
}

} // namespace

// Blocks past 16 MB: the allocation grows only when the memory is there, and otherwise the
// one it had stays held and usable.
TEST_F(StartupSequence, GrowingTheTestAllocationChecksTheFreeMemoryFirst) {
  ASSERT_TRUE(app::runStartupChecks(recordedCpuid).ok());
  uint8_t* const before = engine::workingMemory.testAllocation;
  // Blocks up to 64 MB, copies included: 2 x 64 MB + 64 KB alignment + 63 pages + 4 KB.
  const std::size_t needed = engine::testAllocationFor(350, true);
  EXPECT_EQ(needed, 134217728u + 65536 + 258048 + 4096);
  EXPECT_EQ(engine::testAllocationFor(300, true), engine::testAllocationBytes);

  // Free memory and the allocation given back together fall one byte short.
  fakeplatform::memory.freeBytes =
      needed + engine::systemReserveBytes - engine::testAllocationBytes - 1;
  EXPECT_EQ(engine::reserveTestAllocation(needed), engine::ReserveStatus::shortOfMemory);
  EXPECT_EQ(engine::workingMemory.testAllocation, before);
  EXPECT_EQ(engine::workingMemory.testAllocationSize, engine::testAllocationBytes);

  fakeplatform::memory.failAllocation = fakeplatform::memory.allocations + 1;
  fakeplatform::memory.freeBytes += 1;
  EXPECT_EQ(engine::reserveTestAllocation(needed), engine::ReserveStatus::refused);
  EXPECT_EQ(engine::workingMemory.testAllocation, before);

  EXPECT_EQ(engine::reserveTestAllocation(needed), engine::ReserveStatus::ok);
  EXPECT_EQ(engine::workingMemory.testAllocationSize, needed);
  EXPECT_EQ(fakeplatform::memory.liveBlocks, 2);   // the old allocation was given back
  EXPECT_EQ(engine::workingMemory.testBase, engine::alignedTestBase());
}
