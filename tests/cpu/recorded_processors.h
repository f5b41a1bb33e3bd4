// CPUID leaves recorded from real processors, shared by the identification tests; each
// definition names where its values came from.
#pragma once
#include <vector>

#include "tests/cpu/cpuid_replay.h"

namespace cputest::recorded {

extern const std::vector<RecordedLeaf> epycVirtualMachine;   // no cache leaves recorded
extern const std::vector<RecordedLeaf> epycGenoaVirtualMachine;
extern const std::vector<RecordedLeaf> ryzen7600x;           // no cache leaves recorded
extern const std::vector<RecordedLeaf> corei7_13700hx;       // no cache leaves recorded
extern const std::vector<RecordedLeaf> pentium3Coppermine;   // no leaf 4, no extended leaves
extern const std::vector<RecordedLeaf> corei7Skylake;        // leaf 4 caches
extern const std::vector<RecordedLeaf> opteron6376;          // leaf 0x8000001D caches

} // namespace cputest::recorded
