// Replay of recorded CPUID leaves for the identification tests: a processor is a list of leaves
// with their four registers (and sub-leaf, for the cache leaves); leaves not in the list read as
// zeros, as on a processor that reserves them. Every leaf the code under test asks for is logged.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "cpu/cpu_info.h"

namespace cputest {

struct RecordedLeaf {
  uint32_t leaf;
  uint32_t eax, ebx, ecx, edx;
  uint32_t subleaf = 0;   // ECX on entry
};

// Makes replayLeaf answer from leaves (nullptr: nothing) and log asked leaves into leavesAsked.
void setReplay(const std::vector<RecordedLeaf>* leaves, std::vector<uint32_t>* leavesAsked = nullptr);
// A CpuidFunction answering from the leaves of the last setReplay; unlisted leaves are zeros.
cpu::CpuidRegisters replayLeaf(uint32_t leaf, uint32_t subleaf);
// Identification of the recorded processor; leavesAsked receives the leaves that were read.
cpu::CpuInfo identifyRecorded(const std::vector<RecordedLeaf>& leaves,
                              std::vector<uint32_t>* leavesAsked = nullptr);

// Leaf 0 of a vendor: max standard leaf and the 12-character vendor string.
RecordedLeaf vendorLeaf(uint32_t maxStdLeaf, const char* vendorId);
// Leaves 0x80000002..4 holding text, NUL-padded to 48 bytes.
std::vector<RecordedLeaf> brandLeaves(const std::string& text);
// Leaf 1 EAX from its fields.
uint32_t signature(unsigned extFamily, unsigned extModel, unsigned type, unsigned family,
                   unsigned model, unsigned stepping);

} // namespace cputest
