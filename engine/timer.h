// The cycle timer: time-stamp-counter readings turned into rates and cycle counts in
// hundredths, the one-second calibration against the platform's high-resolution counter, the
// priority raise around measurements, and the two robust averages of repeated samples.
#pragma once
#include <cstdint>

namespace engine {

// RDTSC alone: any processor with a time-stamp counter. Out of order, the read can run before
// earlier loads complete and after later ones start.
uint64_t readTimeStampCounter();
// LFENCE, RDTSC, LFENCE: the read waits for every earlier instruction and no later one starts
// before it. Needs SSE2.
uint64_t readTimeStampCounterFenced();

struct TimerState {
  // How every reading of a measurement is taken; chosen once by chooseTimeStampReading.
  uint64_t (*readStamp)() = readTimeStampCounter;
  uint64_t timerStartCount = 0;   // counter at measurement start; moved on by every resume
  uint64_t timerPauseCount = 0;   // counter at the last pause
  uint32_t pauseCompensation = 0; // cycles of one resume call, added to every paused span
  uint32_t clockPer16 = 0;        // counter ticks per second / 16; 0 until calibrated
  uint32_t clock10k = 0;          // counter ticks per second / 10,000: clock in 1/100 MHz
  uint64_t perfFrequency = 0;     // high-resolution counter counts per second
  uint32_t sampleScratch[5] = {}; // samples for medianOfFour / trimmedMeanOfFive, sorted in place
  // The clock in MHz as " 1999,87 MHz" once calibrated, empty before: eight characters, or
  // up to eleven for a clock the field cannot hold, then " MHz" and the NUL.
  char clockText[16] = {};
  // The type of the core raisePriority pinned this thread to (hybrid processors); 0 otherwise.
  uint8_t coreType = 0;
};
// Per thread: a worker measuring on its own processor starts from a copy of the calibrated one.
extern thread_local TimerState timer;

// The fenced reading where the processor has SSE2 (CPUID leaf 1 EDX bit 26), else RDTSC alone.
void chooseTimeStampReading(bool hasSse2);
void timerStart();
void timerPause();
void timerResume();
// Hundredths of MB/s for megabytes moved since timerStart; 0 uncalibrated or for a zero
// quarter-cycle count, 0xFFFFFFFF when the quotient does not fit 32 bits.
uint32_t rateFromElapsed(uint32_t megabytes);
// The same arithmetic on a given cycle count and clock: what rateFromElapsed computes.
uint32_t rateFromCycles(uint64_t elapsed, uint32_t megabytes, uint32_t clockPer16);
// Hundredths of cycles per transfer of width bits (32, 64, 128, 256, 512; else 0) at a rate.
uint32_t cyclesFromRate(uint32_t rate, uint32_t width);
// Fills clockPer16, clock10k and clockText from about one second of the high-resolution
// counter (the median of nine windows), then pauseCompensation; nothing without a counter.
void calibrateClock();
// Writes clockText from a clock in hundredths of a MHz: formatFixed2 with 5 integer digits,
// then " MHz".
void writeClockText(uint32_t clock10k);
void raisePriority();
void restorePriority();
uint32_t medianOfFour();       // of sampleScratch[0..3]
uint32_t trimmedMeanOfFive();  // of sampleScratch[0..4]

} // namespace engine
