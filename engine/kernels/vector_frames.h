// The timed frames of the AVX and AVX-512 kernels: the read-in, for non-temporal stores the
// flush of their target, the whole passes and the partial pass inside the timed interval, then
// the rate and VZEROUPPER. Each of the two kernel files, built with its own instruction-set
// flag, instantiates them with its own assembly blocks; included only by those files.
#pragma once
#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

// The end of an AVX or AVX-512 kernel: the rate, then VZEROUPPER once the time has been taken,
// so the SSE code that follows pays no state transition.
inline uint32_t nominalRateThenClearUpper(const KernelTurns& k) {
  const uint32_t rate = nominalRate(k);
  asm volatile("vzeroupper" ::: "memory");
  return rate;
}

// A read of 128-byte turns timed as passes(base, LongTurns, passes) in long turns of
// turnsPerLongTurn of them (1: the 128-byte turns themselves).
template <auto passes>
uint32_t timedRead(SizeCode code, uint32_t turnsPerLongTurn) {
  const KernelTurns k = kernelTurns(code, 128);
  const uint8_t* base = kernelBase();
  touchBlock(k.turns * 128);
  const PassTurns t = passTurnsOf(k, turnsPerLongTurn);
  timerStart();
  if (k.passes != 0) passes(base, t.pass, k.passes);
  if (k.partialTurns != 0) passes(base, t.partial, 1);
  return nominalRateThenClearUpper(k);
}

// longForm in long turns where those pay (longTurnsPay), else shortForm in 128-byte turns.
template <auto longForm, auto shortForm>
uint32_t longTurnRead(SizeCode code, uint32_t turnsPerLongTurn) {
  return longTurnsPay(blockBytes(code)) ? timedRead<longForm>(code, turnsPerLongTurn)
                                        : timedRead<shortForm>(code, 1);
}

// A copy of 128-byte turns to the block after the source (onto the source with
// --copy-to-itself) as passes(base, dst, LongTurns, passes), in turns as timedRead's;
// nonTemporal: its stores bypass the caches.
template <auto passes, bool nonTemporal>
uint32_t timedCopy(SizeCode code, uint32_t turnsPerLongTurn) {
  const KernelTurns k = kernelTurns(code, 128);
  uint8_t* base = kernelBase();
  uint8_t* dst = runParameters.copyToItself ? base : base + k.turns * 128;
  touchBlock(k.turns * 128);   // the source only
  if (nonTemporal) flushStoreTarget(dst, base, k.turns * 128);
  const PassTurns t = passTurnsOf(k, turnsPerLongTurn);
  timerStart();
  if (k.passes != 0) passes(base, dst, t.pass, k.passes);
  if (k.partialTurns != 0) passes(base, dst, t.partial, 1);
  return nominalRateThenClearUpper(k);
}

template <auto longForm, auto shortForm, bool nonTemporal>
uint32_t longTurnCopy(SizeCode code, uint32_t turnsPerLongTurn) {
  return longTurnsPay(blockBytes(code)) ? timedCopy<longForm, nonTemporal>(code, turnsPerLongTurn)
                                        : timedCopy<shortForm, nonTemporal>(code, 1);
}

// A write of 128-byte turns of one register: passes(base, turns, passes, value), the value a
// Value (__m256, __m512) of the block's first bytes, loaded before the read-in.
template <auto passes, bool nonTemporal, typename Value>
uint32_t vectorWrite(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 128);
  uint8_t* base = kernelBase();
  const Value value = *reinterpret_cast<const Value*>(base);
  touchBlock(k.turns * 128);
  if (nonTemporal) flushStoreTarget(base, nullptr, k.turns * 128);
  timerStart();
  if (k.passes != 0) passes(base, k.turns, k.passes, value);
  if (k.partialTurns != 0) passes(base, k.partialTurns, 1, value);
  return nominalRateThenClearUpper(k);
}

} // namespace engine
