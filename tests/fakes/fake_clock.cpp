// Scripted high-resolution counter: a start value, a step per read, and a number of reads
// that see no change yet (the wait for the counter's next edge).
#include "platform/clock.h"
#include "tests/fakes/fake_platform.h"

namespace fakeplatform {
FakeClock clock;
} // namespace fakeplatform

namespace platform {

bool queryPerfFrequency(uint64_t& countsPerSecond) {
  if (!fakeplatform::clock.hasCounter) return false;
  countsPerSecond = fakeplatform::clock.frequency;
  return true;
}

uint64_t queryPerfCounter() {
  fakeplatform::FakeClock& c = fakeplatform::clock;
  ++c.reads;
  if (c.onRead) c.onRead();
  if (c.holdReads > 0) {
    --c.holdReads;
    return c.value;
  }
  const uint64_t now = c.value;
  c.value += c.step;
  return now;
}

} // namespace platform
