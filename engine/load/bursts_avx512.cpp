// Burst loops of 512-bit AVX-512F transfers: one register a line. Each ends in VZEROUPPER.
#include "engine/load/burst_loop.h"
#include "engine/load/bursts.h"

namespace engine {

TW_BURST(read512Burst) {
  TW_BURST_LOOP("", "vmovaps (%[from]), %%zmm0\n\t", "vzeroupper\n\t", "xmm0");
}

TW_BURST(write512Burst) {
  TW_BURST_LOOP("vmovaps (%[to]), %%zmm1\n\t", "vmovaps %%zmm1, (%[to])\n\t", "vzeroupper\n\t",
                "xmm1");
}

TW_BURST(copy512Burst) {
  TW_BURST_LOOP("", "vmovaps (%[from]), %%zmm0\n\tvmovaps %%zmm0, (%[to])\n\t",
                "vzeroupper\n\t", "xmm0");
}

TW_BURST(triad512Burst) {
  TW_BURST_LOOP("",
                "vmovaps (%[from]), %%zmm0\n\tvpord (%[from2]), %%zmm0, %%zmm0\n\t"
                "vmovaps %%zmm0, (%[to])\n\t",
                "vzeroupper\n\t", "xmm0");
}

TW_BURST(nt512Burst) {
  TW_BURST_LOOP("vmovaps (%[to]), %%zmm1\n\t", "vmovntps %%zmm1, (%[to])\n\t",
                "sfence\n\tvzeroupper\n\t", "xmm1");
}

} // namespace engine
