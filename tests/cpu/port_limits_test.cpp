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

cpu::CpuInfo intel(uint8_t extModel, uint8_t model) {
  cpu::CpuInfo info;
  info.vendor = cpu::CpuVendor::Intel;
  info.family = 6;
  info.extModel = extModel;
  info.model = model;
  return info;
}

const cpu::VectorFeatures noAmx{};
const cpu::VectorFeatures withAmx = [] {
  cpu::VectorFeatures f;
  f.amxTile = true;
  return f;
}();

TEST(PortLimits, BytesPerCycleOfEachLoop) {
  const cpu::PortLimits zen3 = cpu::portLimitsOf(amd(0xA, 0x0), noAmx);   // family 19h model 01h
  const cpu::PortLimits zen5 = cpu::portLimitsOf(amd(0xB, 0x0), noAmx);   // family 1Ah model 02h
  const cpu::PortLimits zen1 = cpu::portLimitsOf(amd(0x8, 0x0), noAmx);   // family 17h model 01h
  // A guest that calls its Golden Cove class core a model A7h, with AMX.
  const cpu::PortLimits cove = cpu::portLimitsOf(intel(0xA, 0x7), withAmx);
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
      {"Cove 64-bit read: three loads", cove, Access::read, 64, false, 24},
      {"Cove AVX read: three 32-byte loads", cove, Access::read, 256, true, 96},
      {"Cove AVX-512 read: two 64-byte loads", cove, Access::read, 512, true, 128},
      {"Cove AVX write: two stores", cove, Access::write, 256, true, 64},
      {"Cove AVX-512 write: one 64-byte store", cove, Access::write, 512, true, 64},
      {"Cove 32-bit copy: two stores", cove, Access::copy, 32, false, 8},
      {"Cove AVX-512 copy", cove, Access::copy, 512, true, 64},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(cpu::bytesPerCycle(c.limits, c.access, c.bits, c.vector), c.bytes) << c.what;
  }
  const struct {
    const char* what;
    cpu::CpuInfo info;
    const cpu::VectorFeatures& features;
    double bytes;   // of a 256-bit read
  } cores[] = {
      {"Sapphire Rapids with AMX hidden", intel(0x8, 0xF), noAmx, 96},
      {"Granite Rapids", intel(0xA, 0xD), noAmx, 96},
      {"a model A7h without AMX, not listed", intel(0xA, 0x7), noAmx, 0},
  };
  for (const auto& c : cores) {
    EXPECT_EQ(cpu::bytesPerCycle(cpu::portLimitsOf(c.info, c.features), Access::read, 256, true),
              c.bytes)
        << c.what;
  }
}

} // namespace
