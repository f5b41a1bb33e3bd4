// Core types of hybrid processors; see cpu/core_types.h.
#include "cpu/core_types.h"

#include <cstdio>

namespace cpu {

bool hybridProcessor = false;

namespace {

constexpr uint32_t hybridFlag = 1u << 15;   // leaf 7 EDX
constexpr uint32_t hybridLeaf = 0x1A;

uint32_t highestStandardLeaf(CpuidFunction read) {
  return read(0, 0).eax;
}

} // namespace

bool hybridFrom(CpuidFunction read) {
  if (highestStandardLeaf(read) < 7) return false;
  return (read(7, 0).edx & hybridFlag) != 0;
}

uint8_t coreTypeFrom(CpuidFunction read) {
  if (highestStandardLeaf(read) < hybridLeaf) return 0;
  return static_cast<uint8_t>(read(hybridLeaf, 0).eax >> 24);
}

const char* coreTypeName(uint8_t type) {
  if (type == performanceCoreType) return "P-core";
  if (type == efficientCoreType) return "E-core";
  static thread_local char other[24];
  std::snprintf(other, sizeof other, "core type 0x%02X", type);
  return other;
}

void detectHybrid() {
  hybridProcessor = hybridFrom(readCpuid);
}

uint8_t coreTypeHere() {
  return hybridProcessor ? coreTypeFrom(readCpuid) : 0;
}

} // namespace cpu
