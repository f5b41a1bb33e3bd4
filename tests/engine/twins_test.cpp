// The plain twins against their kernels: over a block with a partial pass, each twin leaves the
// test area byte for byte as its kernel does (copies both behind the source and onto
// themselves), so the two move the same bytes. Their speeds are compared by --bench-twins.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "cpu/cpu_info.h"
#include "engine/kernels/kernel_twins.h"
#include "engine/kernels/kernels.h"
#include "engine/run/results.h"
#include "engine/working_memory.h"
#include "tests/engine/engine_memory.h"

namespace {

constexpr engine::SizeCode partialPassCode = 1;   // 4,224 bytes: 66 turns of 64 bytes
constexpr uint32_t area = 3 * 4224 + 4096;        // source, destination and a margin

// The area after one call of measure on a fresh pattern. MMX Write stores whatever mm0 holds,
// so mm0 gets a known value first; EMMS leaves the register's contents as they are.
std::vector<uint8_t> areaAfter(engine::KernelFunction measure) {
  uint8_t* const base = engine::workingMemory.testBase;
  for (uint32_t i = 0; i < area; ++i) base[i] = static_cast<uint8_t>(i * 7 + 1);
  if (cpu::cpuInfo.hasMmx) {
    static const uint64_t pattern = 0x0123456789ABCDEFull;
    asm volatile("movq %0, %%mm0\n\temms" : : "m"(pattern) : "memory");
  }
  EXPECT_NE(measure(partialPassCode), 0u);
  return std::vector<uint8_t>(base, base + area);
}

TEST(EngineTwins, EachTwinLeavesTheAreaAsItsKernelDoes) {
  enginetest::prepareEngine();
  cpu::identifyCpu();
  for (uint32_t toItself : {0u, 1u}) {
    engine::runParameters.copyToItself = toItself;
    for (uint32_t i = 0; i < engine::testKernelCount; ++i) {
      const engine::KernelInfo& kernel = engine::kernelTable[i];
      if (!engine::kernelSupported(kernel, cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse)) continue;
      EXPECT_EQ(areaAfter(engine::kernelTwins[i]), areaAfter(kernel.function))
          << kernel.name << (toItself ? " onto itself" : "");
    }
  }
}

} // namespace
