// Burst loops of 256-bit AVX transfers (AVX without AVX2: VMOVAPS, VORPS, VMOVNTPS). Each ends
// in VZEROUPPER, so the SSE code after it pays no transition.
#include "engine/load/burst_loop.h"
#include "engine/load/bursts.h"

namespace engine {

#define TW_O256 "0,32"

TW_BURST(read256Burst) {
  TW_BURST_LOOP("", ".irp o," TW_O256 "\n\tvmovaps \\o(%[from]), %%ymm0\n\t.endr\n\t",
                "vzeroupper\n\t", "xmm0");
}

TW_BURST(write256Burst) {
  TW_BURST_LOOP("vmovaps (%[to]), %%ymm1\n\t",
                ".irp o," TW_O256 "\n\tvmovaps %%ymm1, \\o(%[to])\n\t.endr\n\t",
                "vzeroupper\n\t", "xmm1");
}

TW_BURST(copy256Burst) {
  TW_BURST_LOOP("",
                ".irp o," TW_O256 "\n\tvmovaps \\o(%[from]), %%ymm0\n\t"
                "vmovaps %%ymm0, \\o(%[to])\n\t.endr\n\t",
                "vzeroupper\n\t", "xmm0");
}

TW_BURST(triad256Burst) {
  TW_BURST_LOOP("",
                ".irp o," TW_O256 "\n\tvmovaps \\o(%[from]), %%ymm0\n\t"
                "vorps \\o(%[from2]), %%ymm0, %%ymm0\n\tvmovaps %%ymm0, \\o(%[to])\n\t.endr\n\t",
                "vzeroupper\n\t", "xmm0");
}

TW_BURST(nt256Burst) {
  TW_BURST_LOOP("vmovaps (%[to]), %%ymm1\n\t",
                ".irp o," TW_O256 "\n\tvmovntps %%ymm1, \\o(%[to])\n\t.endr\n\t",
                "sfence\n\tvzeroupper\n\t", "xmm1");
}

} // namespace engine
