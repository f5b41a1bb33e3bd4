// Burst loops of 128-bit SSE transfers (MOVAPS, ORPS and MOVNTPS: SSE without SSE2).
#include "engine/load/burst_loop.h"
#include "engine/load/bursts.h"

namespace engine {

#define TW_O128 "0,16,32,48"

TW_BURST(read128Burst) {
  TW_BURST_LOOP("", ".irp o," TW_O128 "\n\tmovaps \\o(%[from]), %%xmm0\n\t.endr\n\t", "", "xmm0");
}

TW_BURST(write128Burst) {
  TW_BURST_LOOP("movaps (%[to]), %%xmm1\n\t",
                ".irp o," TW_O128 "\n\tmovaps %%xmm1, \\o(%[to])\n\t.endr\n\t", "", "xmm1");
}

TW_BURST(copy128Burst) {
  TW_BURST_LOOP("",
                ".irp o," TW_O128 "\n\tmovaps \\o(%[from]), %%xmm0\n\t"
                "movaps %%xmm0, \\o(%[to])\n\t.endr\n\t",
                "", "xmm0");
}

TW_BURST(triad128Burst) {
  TW_BURST_LOOP("",
                ".irp o," TW_O128 "\n\tmovaps \\o(%[from]), %%xmm0\n\torps \\o(%[from2]), %%xmm0\n\t"
                "movaps %%xmm0, \\o(%[to])\n\t.endr\n\t",
                "", "xmm0");
}

TW_BURST(nt128Burst) {
  TW_BURST_LOOP("movaps (%[to]), %%xmm1\n\t",
                ".irp o," TW_O128 "\n\tmovntps %%xmm1, \\o(%[to])\n\t.endr\n\t", "sfence\n\t",
                "xmm1");
}

} // namespace engine
