// First-level limits in bytes per cycle, from the port counts of the cores listed.
#include <gtest/gtest.h>

#include "cpu/port_limits.h"

namespace {

using cpu::Access;

cpu::CpuInfo amd(uint8_t extFamily, uint8_t extModel) {
  cpu::CpuInfo info;
  info.vendor = cpu::CpuVendor::AMD;
  info.family = 0xF;
  info.extFamily = extFamily;
  info.extModel = extModel;
  return info;
}

TEST(PortLimits, BytesPerCycleOfEachLoop) {
  const cpu::PortLimits zen3 = cpu::portLimitsOf(amd(0xA, 0x0));   // family 19h model 01h
  const cpu::PortLimits zen5 = cpu::portLimitsOf(amd(0xB, 0x0));   // family 1Ah model 02h
  const cpu::PortLimits zen1 = cpu::portLimitsOf(amd(0x8, 0x0));   // family 17h model 01h
  const struct {
    const char* what;
    const cpu::PortLimits& limits;
    Access access;
    uint32_t bits;
    bool vector;
    double bytes;
  } cases[] = {
      {"Zen 3 32-bit read: three loads", zen3, Access::read, 32, false, 12},
      {"Zen 3 32-bit write: two stores", zen3, Access::write, 32, false, 8},
      {"Zen 3 32-bit copy: three operations", zen3, Access::copy, 32, false, 6},
      {"Zen 3 64-bit copy", zen3, Access::copy, 64, false, 12},
      {"Zen 3 MMX write: one vector store", zen3, Access::write, 64, true, 8},
      {"Zen 3 AVX read", zen3, Access::read, 256, true, 64},
      {"Zen 3 AVX-512 read in halves", zen3, Access::read, 512, true, 64},
      {"Zen 3 AVX-512 copy in halves", zen3, Access::copy, 512, true, 32},
      {"Zen 5 AVX-512 read: two 64-byte loads", zen5, Access::read, 512, true, 128},
      {"Zen 5 AVX-512 write", zen5, Access::write, 512, true, 64},
      {"Zen 5 64-bit read: four loads", zen5, Access::read, 64, false, 32},
      {"Zen AVX read in 128-bit halves", zen1, Access::read, 256, true, 32},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(cpu::bytesPerCycle(c.limits, c.access, c.bits, c.vector), c.bytes) << c.what;
  }
  cpu::CpuInfo intel;
  intel.vendor = cpu::CpuVendor::Intel;
  intel.family = 6;
  EXPECT_EQ(cpu::bytesPerCycle(cpu::portLimitsOf(intel), Access::read, 256, true), 0)
      << "a core whose limits are not listed";
}

} // namespace
