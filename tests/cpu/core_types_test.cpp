// Hybrid core types and the hypervisor's name, from leaf values: leaf 7 EDX bit 15 and leaf
// 1Ah EAX bits 24-31 as Intel's manual defines them (a Golden Cove core of Alder Lake answers
// leaf 1Ah with 40000001h, a Gracemont core with 20000001h), and the hypervisor signatures of
// leaf 40000000h, among them the bhyve host of the recorded Zen 5 runs.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "cpu/core_types.h"
#include "cpu/hypervisor.h"
#include "tests/cpu/cpuid_replay.h"

namespace {

using cputest::RecordedLeaf;

TEST(CpuCoreTypes, HybridFlagAndCoreTypeLeaf) {
  const struct {
    uint32_t maxLeaf;
    uint32_t leaf7Edx;
    uint32_t leaf1aEax;
    bool hybrid;
    const char* type;
  } cases[] = {
      {0x20, 0xFC1CC410, 0x40000001, true, "P-core"},
      {0x20, 0xFC1CC410, 0x20000001, true, "E-core"},
      {0x20, 0xFC1CC410, 0x10000000, true, "core type 0x10"},
      {0x20, 0xFC1C4410, 0x00000000, false, "core type 0x00"},   // bit 15 clear
      {0x16, 0x00008000, 0x40000001, true, "core type 0x00"},    // no leaf 1Ah to read
      {0x06, 0x00008000, 0x40000001, false, "core type 0x00"},   // nor leaf 7
  };
  for (const auto& c : cases) {
    const std::vector<RecordedLeaf> leaves = {cputest::vendorLeaf(c.maxLeaf, "GenuineIntel"),
                                              {7, 0, 0, 0, c.leaf7Edx},
                                              {0x1A, c.leaf1aEax, 0, 0, 0}};
    cputest::setReplay(&leaves);
    EXPECT_EQ(cpu::hybridFrom(cputest::replayLeaf), c.hybrid) << std::hex << c.leaf7Edx;
    EXPECT_STREQ(cpu::coreTypeName(cpu::coreTypeFrom(cputest::replayLeaf)), c.type);
    cputest::setReplay(nullptr);
  }
}

RecordedLeaf signatureLeaf(const char (&signature)[13]) {
  uint32_t r[3];
  std::memcpy(r, signature, 12);
  return {0x40000000, 0x40000010, r[0], r[1], r[2]};
}

TEST(CpuHypervisor, NamedFromItsSignatureOnlyWhenPresent) {
  const struct {
    uint32_t leaf1Ecx;
    char signature[13];
    const char* name;
  } cases[] = {
      {0x80000000, "KVMKVMKVM\0\0\0", "KVM"},
      {0xFEDA3203, "bhyve bhyve ", "bhyve"},
      {0x80000000, "Microsoft Hv", "Microsoft Hv"},
      {0x80000000, "VMwareVMware", "VMware"},
      {0x80000000, "  NewVisor\0\0", "NewVisor"},   // unknown: its own words, trimmed
      {0x80000000, "\0\0\0\0\0\0\0\0\0\0\0\0", "unnamed"},
      {0x7EDA3203, "KVMKVMKVM\0\0\0", ""},          // bit 31 clear: bare metal
  };
  for (const auto& c : cases) {
    const std::vector<RecordedLeaf> leaves = {cputest::vendorLeaf(1, "AuthenticAMD"),
                                              {1, 0x00B00F21, 0, c.leaf1Ecx, 0},
                                              signatureLeaf(c.signature)};
    cputest::setReplay(&leaves);
    EXPECT_EQ(cpu::hypervisorFrom(cputest::replayLeaf), c.name);
    cputest::setReplay(nullptr);
  }
}

} // namespace
