// Burst loops of the general registers: 32-bit on both builds, 64-bit on x86-64.
#include "engine/load/burst_loop.h"
#include "engine/load/bursts.h"

namespace engine {

#define TW_O32 "0,4,8,12,16,20,24,28,32,36,40,44,48,52,56,60"
#define TW_O64 "0,8,16,24,32,40,48,56"

TW_BURST(read32Burst) {
  TW_BURST_LOOP("", ".irp o," TW_O32 "\n\tmovl \\o(%[from]), %%eax\n\t.endr\n\t", "", "eax");
}

TW_BURST(write32Burst) {
  TW_BURST_LOOP("movl (%[to]), %%eax\n\t",
                ".irp o," TW_O32 "\n\tmovl %%eax, \\o(%[to])\n\t.endr\n\t", "", "eax");
}

TW_BURST(copy32Burst) {
  TW_BURST_LOOP("",
                ".irp o," TW_O32 "\n\tmovl \\o(%[from]), %%eax\n\tmovl %%eax, \\o(%[to])\n\t"
                ".endr\n\t",
                "", "eax");
}

TW_BURST(triad32Burst) {
  TW_BURST_LOOP("",
                ".irp o," TW_O32 "\n\tmovl \\o(%[from]), %%eax\n\torl \\o(%[from2]), %%eax\n\t"
                "movl %%eax, \\o(%[to])\n\t.endr\n\t",
                "", "eax");
}

#if defined(__x86_64__)

TW_BURST(read64Burst) {
  TW_BURST_LOOP("", ".irp o," TW_O64 "\n\tmovq \\o(%[from]), %%rax\n\t.endr\n\t", "", "rax");
}

TW_BURST(write64Burst) {
  TW_BURST_LOOP("movq (%[to]), %%rax\n\t",
                ".irp o," TW_O64 "\n\tmovq %%rax, \\o(%[to])\n\t.endr\n\t", "", "rax");
}

TW_BURST(copy64Burst) {
  TW_BURST_LOOP("",
                ".irp o," TW_O64 "\n\tmovq \\o(%[from]), %%rax\n\tmovq %%rax, \\o(%[to])\n\t"
                ".endr\n\t",
                "", "rax");
}

TW_BURST(triad64Burst) {
  TW_BURST_LOOP("",
                ".irp o," TW_O64 "\n\tmovq \\o(%[from]), %%rax\n\torq \\o(%[from2]), %%rax\n\t"
                "movq %%rax, \\o(%[to])\n\t.endr\n\t",
                "", "rax");
}

#endif

} // namespace engine
