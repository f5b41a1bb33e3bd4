// The cycle timer: the one place that reads the time-stamp counter, the start/pause/resume
// bookkeeping the kernels call around their loops, the fixed-point conversions of elapsed
// cycles into rates and of rates into cycles per transfer, the one-second calibration against
// the platform's high-resolution counter (the median of nine windows), and the two robust
// averages of repeated samples.
#include "engine/timer.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "chart/text/format.h"
#include "cpu/core_types.h"
#include "platform/clock.h"
#include "platform/priority.h"

namespace engine {

thread_local TimerState timer;

uint64_t readTimeStampCounter() {
  uint32_t low, high;
  // RDTSC writes edx:eax on i686 and x86-64 alike (upper halves of rdx:rax cleared).
  asm volatile("rdtsc" : "=a"(low), "=d"(high));
  return (static_cast<uint64_t>(high) << 32) | low;
}

// A chase stopped by a bare RDTSC leaves its last loads in flight, and their time falls into
// the paused span: a short chain then reads below one cycle per load. The first LFENCE waits
// for them; the second keeps the loads after a start or resume from issuing before the read.
// RDTSCP with a trailing LFENCE measured the same, and needs a further feature bit.
uint64_t readTimeStampCounterFenced() {
  uint32_t low, high;
  asm volatile("lfence\n\trdtsc\n\tlfence" : "=a"(low), "=d"(high) : : "memory");
  return (static_cast<uint64_t>(high) << 32) | low;
}

// A pointer set once rather than a test at every reading: nothing but the call runs between a
// kernel's loop and its time stamp.
void chooseTimeStampReading(bool hasSse2) {
  timer.readStamp = hasSse2 ? readTimeStampCounterFenced : readTimeStampCounter;
}

void timerStart() { timer.timerStartCount = timer.readStamp(); }

void timerPause() { timer.timerPauseCount = timer.readStamp(); }

void timerResume() {
  const uint64_t now = timer.readStamp();
  // The paused span and the measured cost of this call both leave the measurement.
  timer.timerStartCount += (now - timer.timerPauseCount) + timer.pauseCompensation;
}

uint32_t rateFromCycles(uint64_t elapsed, uint32_t megabytes, uint32_t clockPer16) {
  // Quarter cycles against a sixteenth of the clock: 400 = 100 (hundredths) x 4 (quarters),
  // and the 16 is folded into clockPer16. Past 2^34 cycles only the low 32 bits count.
  const uint32_t quarter = static_cast<uint32_t>(elapsed >> 2);
  if (quarter == 0) return 0;   // no time measurably passed: no rate rather than a fault
  const uint64_t numerator =
      static_cast<uint64_t>(static_cast<uint32_t>(400u * megabytes)) * clockPer16;
  const uint64_t rate = numerator / quarter;
  return rate > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(rate);
}

uint32_t rateFromElapsed(uint32_t megabytes) {
  const uint64_t elapsed = timer.readStamp() - timer.timerStartCount;
  return rateFromCycles(elapsed, megabytes, timer.clockPer16);
}

uint32_t cyclesFromRate(uint32_t rate, uint32_t width) {
  // K = 10^4 (two hundredths factors) x bytes per transfer x 10^4 (ticks per second / clock10k).
  uint64_t k;
  switch (width) {
    case 32: k = 400000000u; break;
    case 64: k = 800000000u; break;
    case 128: k = 1600000000u; break;
    case 256: k = 3200000000u; break;    // the command line's AVX kernels
    case 512: k = 6400000000u; break;    // AVX-512, and copies counted per 64-byte line
    default: return 0;
  }
  if (rate == 0) return 0;
  const uint32_t scaled = static_cast<uint32_t>((timer.clock10k * k) >> 20);
  return scaled / rate;
}

void raisePriority() {
  platform::raiseSchedulingPriority();
  timer.coreType = cpu::coreTypeHere();
}

void restorePriority() { platform::restoreSchedulingPriority(); }

namespace {

// Descending bubble passes over the first count samples; equal neighbours swap too, as the
// averages have always sorted (it changes nothing in the result, only which copy moves).
void sortSamplesDescending(int count) {
  uint32_t* s = timer.sampleScratch;
  for (int pass = 0; pass < count - 1; ++pass) {
    for (int i = 0; i < count - 1; ++i) {
      if (s[i + 1] >= s[i]) {
        const uint32_t t = s[i];
        s[i] = s[i + 1];
        s[i + 1] = t;
      }
    }
  }
}

// The call whose cost the pause compensation measures; it must stay a real call.
__attribute__((noinline)) void emptyRoutine() { asm volatile(""); }

// The calibration second is cut into windows, each timed from its own pair of readings at
// either end, and the clock is their median. A pause between a counter reading and its time
// stamp (an interrupt, the host taking a virtual processor away, real-time throttling late in
// a busy second) then bends one window at most. Nine windows leave a middle one.
constexpr uint32_t calibrationWindows = 9;
// Readings per pair, of which the tightest is kept: one interruption spoils one reading.
constexpr int pairReadings = 8;

// A time stamp and the counter at the same instant. The stamp is read between two counter
// readings; their sum, the counter in half counts, stands for the instant between them.
struct ClockPair {
  uint64_t stamp;
  uint64_t halfCounts;
};

// The pair whose two counter readings lie closest together: nothing came between them and
// the time stamp.
ClockPair tightPair() {
  ClockPair best{};
  uint64_t bestSpread = ~uint64_t{0};
  for (int i = 0; i < pairReadings; ++i) {
    const uint64_t before = platform::queryPerfCounter();
    const uint64_t stamp = timer.readStamp();
    const uint64_t after = platform::queryPerfCounter();
    if (after - before < bestSpread) {
      bestSpread = after - before;
      best = {stamp, before + after};
    }
  }
  return best;
}

// Time-stamp ticks per second of the counter from one pair to the next. The product stays
// below 2^64 while a window holds fewer than 2^31 ticks: a ninth of a second below 19 GHz.
uint64_t ticksPerSecond(const ClockPair& from, const ClockPair& to, uint32_t countsPerSecond) {
  const uint64_t halfCounts = to.halfCounts - from.halfCounts;
  if (halfCounts == 0) return 0;   // only a counter that runs backwards gets here
  return (to.stamp - from.stamp) * 2 * countsPerSecond / halfCounts;
}

// The median window's time-stamp ticks per second. The 64-bit differences keep a wrap of the
// counter's low 32 bits from cutting a window short; each window runs until its counts have
// passed, however late the last reading comes, since its own end pair times it.
uint64_t calibratedTicksPerSecond(uint32_t countsPerSecond) {
  const uint64_t windowCounts = std::max<uint64_t>(1, countsPerSecond / calibrationWindows);
  uint64_t windows[calibrationWindows];
  ClockPair start = tightPair();
  for (uint64_t& window : windows) {
    const uint64_t from = start.halfCounts / 2;
    while (platform::queryPerfCounter() - from < windowCounts) {
    }
    const ClockPair end = tightPair();
    window = ticksPerSecond(start, end, countsPerSecond);
    start = end;
  }
  std::sort(std::begin(windows), std::end(windows));
  return windows[calibrationWindows / 2];
}

// Cycles of 128 calls plus resumes, the measurement the pause compensation comes from; read
// as the measurements read, so that it compensates what they count.
uint32_t resumeOverheadSample() {
  timerResume();
  const uint32_t s = static_cast<uint32_t>(timer.readStamp());
  for (int i = 0; i < 128; ++i) {
    emptyRoutine();
    timerResume();
  }
  const uint32_t e = static_cast<uint32_t>(timer.readStamp());
  return e - s;
}

} // namespace

// Every digit of the clock is kept: a clock past 99,999.99 MHz is no real processor, but a
// counter that misreports its frequency can give one, and a cut number would mislead.
void writeClockText(uint32_t clock10k) {
  static_assert(sizeof timer.clockText >= text::maxNumberChars + sizeof " MHz",
                "room for the widest clock and its unit");
  const int length = text::formatFixed2(timer.clockText, clock10k, 5);
  std::memcpy(timer.clockText + length, " MHz", sizeof " MHz");
}

uint32_t medianOfFour() {
  sortSamplesDescending(4);
  const uint32_t* s = timer.sampleScratch;
  return (s[1] + s[2]) >> 1;
}

uint32_t trimmedMeanOfFive() {
  sortSamplesDescending(5);
  const uint32_t* s = timer.sampleScratch;
  return (((s[1] + s[3]) >> 1) + s[2]) >> 1;
}

void calibrateClock() {
  uint64_t frequency = 0;
  if (!platform::queryPerfFrequency(frequency)) return;
  timer.perfFrequency = frequency;
  // Only the low 32 bits take part; a counter whose low part is zero cannot time a second,
  // and would leave a clock of nearly nothing, so it counts as no counter at all.
  const uint32_t countsPerSecond = static_cast<uint32_t>(frequency);
  if (countsPerSecond == 0) return;

  raisePriority();
  const uint64_t ticks = calibratedTicksPerSecond(countsPerSecond);
  timer.clockPer16 = static_cast<uint32_t>(ticks >> 4);
  timer.clock10k = static_cast<uint32_t>(ticks / 10000);
  writeClockText(timer.clock10k);

  for (uint32_t& sample : timer.sampleScratch) sample = resumeOverheadSample();
  // 128 calls per sample: >> 7 gives the cost of one call and one resume.
  timer.pauseCompensation = trimmedMeanOfFive() >> 7;
  restorePriority();
}

} // namespace engine
