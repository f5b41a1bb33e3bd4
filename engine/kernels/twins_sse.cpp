// The plain twins of SSE Read, Write and Copy: the kernels' turn loops from a counted C loop.
// Built with -mmmx -msse; EMMS before the read-in and after the time, as the kernels do.
#include <xmmintrin.h>

#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernel_turns.h"
#include "engine/kernels/kernel_twins.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

namespace {

inline void sseReadTurns(const uint8_t* p, uint32_t t) {
  asm volatile(TW_SSE_READ_TURN_LOOP
               : [p] "+r"(p), [t] "+r"(t)
               :
               : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

inline void sseWriteTurns(uint8_t* p, uint32_t t, __m128 value) {
  asm volatile(TW_SSE_WRITE_TURN_LOOP : [p] "+r"(p), [t] "+r"(t) : [v] "x"(value) : "memory", "cc");
}

inline void sseCopyTurns(const uint8_t* p, uint8_t* q, uint32_t t) {
  asm volatile(TW_SSE_COPY_TURN_LOOP
               : [p] "+r"(p), [q] "+r"(q), [t] "+r"(t)
               :
               : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

} // namespace

uint32_t sseReadTwin(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  const uint8_t* base = kernelBase();
  clearMmxState();
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) passesOf<sseReadTurns>(k.passes, base, k.turns);
  if (k.partialTurns != 0) sseReadTurns(base, k.partialTurns);
  return nominalRateThenClearMmx(k);
}

uint32_t sseWriteTwin(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  clearMmxState();
  const __m128 value = _mm_load_ps(reinterpret_cast<const float*>(base));
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) passesOf<sseWriteTurns>(k.passes, base, k.turns, value);
  if (k.partialTurns != 0) sseWriteTurns(base, k.partialTurns, value);
  return nominalRateThenClearMmx(k);
}

uint32_t sseCopyTwin(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  uint8_t* dst = runParameters.copyToItself ? base : base + k.turns * 64;
  clearMmxState();
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) passesOf<sseCopyTurns>(k.passes, base, dst, k.turns);
  if (k.partialTurns != 0) sseCopyTurns(base, dst, k.partialTurns);
  return nominalRateThenClearMmx(k);
}

} // namespace engine
