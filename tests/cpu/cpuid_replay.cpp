// Replay of recorded CPUID leaves; see cpuid_replay.h.
#include "tests/cpu/cpuid_replay.h"

#include <cstring>

namespace cputest {

namespace {

const std::vector<RecordedLeaf>* replayed = nullptr;
std::vector<uint32_t>* asked = nullptr;

uint32_t littleEndianWord(const char* bytes) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

} // namespace

void setReplay(const std::vector<RecordedLeaf>* leaves, std::vector<uint32_t>* leavesAsked) {
  replayed = leaves;
  asked = leavesAsked;
}

cpu::CpuidRegisters replayLeaf(uint32_t leaf, uint32_t subleaf) {
  if (asked != nullptr) asked->push_back(leaf);
  if (replayed == nullptr) return {};
  for (const RecordedLeaf& r : *replayed) {
    if (r.leaf == leaf && r.subleaf == subleaf) return {r.eax, r.ebx, r.ecx, r.edx};
  }
  return {};
}

cpu::CpuInfo identifyRecorded(const std::vector<RecordedLeaf>& leaves,
                              std::vector<uint32_t>* leavesAsked) {
  setReplay(&leaves, leavesAsked);
  cpu::CpuInfo info = cpu::identifyFrom(replayLeaf);
  setReplay(nullptr);
  return info;
}

RecordedLeaf vendorLeaf(uint32_t maxStdLeaf, const char* vendorId) {
  // The vendor string is EBX, EDX, ECX in that order.
  return {0, maxStdLeaf, littleEndianWord(vendorId), littleEndianWord(vendorId + 8),
          littleEndianWord(vendorId + 4)};
}

std::vector<RecordedLeaf> brandLeaves(const std::string& text) {
  char bytes[48] = {};
  std::memcpy(bytes, text.data(), text.size() < 48 ? text.size() : 48);
  std::vector<RecordedLeaf> leaves;
  for (uint32_t i = 0; i < 3; ++i) {
    const char* b = bytes + 16 * i;
    leaves.push_back({0x80000002u + i, littleEndianWord(b), littleEndianWord(b + 4),
                      littleEndianWord(b + 8), littleEndianWord(b + 12)});
  }
  return leaves;
}

uint32_t signature(unsigned extFamily, unsigned extModel, unsigned type, unsigned family,
                   unsigned model, unsigned stepping) {
  return (extFamily << 20) | (extModel << 16) | (type << 12) | (family << 8) | (model << 4) |
         stepping;
}

} // namespace cputest
