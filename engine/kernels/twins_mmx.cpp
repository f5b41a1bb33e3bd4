// The plain twins of MMX Read, Write and Copy: the kernels' turn loops from a counted C loop.
// Built with -mmmx; EMMS before the read-in and after the time, as the kernels do.
#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernel_turns.h"
#include "engine/kernels/kernel_twins.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

namespace {

inline void mmxReadTurns(const uint8_t* p, uint32_t t) {
  asm volatile(TW_MMX_READ_TURN_LOOP : [p] "+r"(p), [t] "+r"(t) : : "memory", "cc", "mm0");
}

inline void mmxWriteTurns(uint8_t* p, uint32_t t) {
  asm volatile(TW_MMX_WRITE_TURN_LOOP : [p] "+r"(p), [t] "+r"(t) : : "memory", "cc", "mm0");
}

inline void mmxCopyTurns(const uint8_t* p, uint8_t* q, uint32_t t) {
  asm volatile(TW_MMX_COPY_TURN_LOOP
               : [p] "+r"(p), [q] "+r"(q), [t] "+r"(t)
               :
               : "memory", "cc", "mm0", "mm1", "mm2");
}

} // namespace

uint32_t mmxReadTwin(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  const uint8_t* base = kernelBase();
  clearMmxState();
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) passesOf<mmxReadTurns>(k.passes, base, k.turns);
  if (k.partialTurns != 0) mmxReadTurns(base, k.partialTurns);
  return nominalRateThenClearMmx(k);
}

uint32_t mmxWriteTwin(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  clearMmxState();
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) passesOf<mmxWriteTurns>(k.passes, base, k.turns);
  if (k.partialTurns != 0) mmxWriteTurns(base, k.partialTurns);
  return nominalRateThenClearMmx(k);
}

uint32_t mmxCopyTwin(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  uint8_t* dst = runParameters.copyToItself ? base : base + k.turns * 64;
  clearMmxState();
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) passesOf<mmxCopyTurns>(k.passes, base, dst, k.turns);
  if (k.partialTurns != 0) mmxCopyTurns(base, dst, k.partialTurns);
  return nominalRateThenClearMmx(k);
}

} // namespace engine
