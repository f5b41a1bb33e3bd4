// The frame every burst loop shares: the operation's text for one 64-byte line, then the three
// stream pointers stepped by a line and the line counter. GAS's .irp repeats an instruction at
// each offset of the line, so a line's text names its widths' offsets once.
#pragma once

// to, from, from2: the streams; n: lines left. setup runs once before the loop (the register
// a write stores), after the loop (vzeroupper, sfence) once after it.
#define TW_BURST_LOOP(setup, line, after, ...)                                             \
  asm volatile(setup "1:\n\t" line                                                         \
               "add $64, %[to]\n\t"                                                        \
               "add $64, %[from]\n\t"                                                      \
               "add $64, %[from2]\n\t"                                                     \
               "dec %[n]\n\t"                                                              \
               "jnz 1b\n\t" after                                                          \
               : [to] "+r"(to), [from] "+r"(from), [from2] "+r"(from2), [n] "+r"(lines)    \
               :                                                                           \
               : "memory", "cc", __VA_ARGS__)

// The signature of every burst loop (engine/load/bursts.h).
#define TW_BURST(name) \
  void name(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines)
