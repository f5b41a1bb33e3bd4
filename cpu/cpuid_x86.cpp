// The CPUID instruction itself: the one place the program executes it. <cpuid.h> preserves EBX
// where position-independent code needs it and builds unchanged for i686 and x86-64.
#include <cpuid.h>

#include "cpu/cpu_info.h"

namespace cpu {

CpuidRegisters readCpuid(uint32_t leaf, uint32_t subleaf) {
  CpuidRegisters r;
  unsigned a = 0, b = 0, c = 0, d = 0;
  // ECX is always set: leaves that ignore it still get a defined value, so replays are exact.
  __cpuid_count(leaf, subleaf, a, b, c, d);
  r.eax = a;
  r.ebx = b;
  r.ecx = c;
  r.edx = d;
  return r;
}

} // namespace cpu
