// The plain twins of Read, Write and Copy: the kernels' turn loops from a counted C loop.
#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernel_turns.h"
#include "engine/kernels/kernel_twins.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

namespace {

inline void readTurns(const uint8_t* p, uint32_t t) {
  uint32_t sink;
  asm volatile(TW_READ_TURN_LOOP
               : [p] "+r"(p), [t] "+r"(t), [sink] "=&r"(sink)
               :
               : "memory", "cc");
}

inline void writeTurns(uint8_t* p, uint32_t t) {
  const uint32_t zero = 0;
  asm volatile(TW_WRITE_TURN_LOOP : [p] "+r"(p), [t] "+r"(t) : [zero] "r"(zero) : "memory", "cc");
}

inline void copyTurns(const uint8_t* p, uint8_t* q, uint32_t t) {
  uint32_t a, b;
  asm volatile(TW_COPY_TURN_LOOP
               : [p] "+r"(p), [q] "+r"(q), [t] "+r"(t), [a] "=&r"(a), [b] "=&r"(b)
               :
               : "memory", "cc");
}

} // namespace

uint32_t readTwin(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 32);
  const uint8_t* base = kernelBase();
  touchBlock(k.turns * 32);
  timerStart();
  if (k.passes != 0) passesOf<readTurns>(k.passes, base, k.turns);
  if (k.partialTurns != 0) readTurns(base, k.partialTurns);
  return nominalRate(k);
}

uint32_t writeTwin(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 32);
  uint8_t* base = kernelBase();
  touchBlock(k.turns * 32);
  timerStart();
  if (k.passes != 0) passesOf<writeTurns>(k.passes, base, k.turns);
  if (k.partialTurns != 0) writeTurns(base, k.partialTurns);
  return nominalRate(k);
}

uint32_t copyTwin(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 32);
  uint8_t* base = kernelBase();
  uint8_t* dst = runParameters.copyToItself ? base : base + k.turns * 32;
  touchBlock(k.turns * 32);
  timerStart();
  if (k.passes != 0) passesOf<copyTurns>(k.passes, base, dst, k.turns);
  if (k.partialTurns != 0) copyTurns(base, dst, k.partialTurns);
  return nominalRate(k);
}

} // namespace engine
