// Priority that only counts: tests check that raises and restores come in pairs.
#include "platform/priority.h"
#include "tests/fakes/fake_platform.h"

namespace fakeplatform {
FakePriority priority;
} // namespace fakeplatform

namespace platform {

void raiseSchedulingPriority() {
  ++fakeplatform::priority.raises;
  ++fakeplatform::priority.depth;
}

void restoreSchedulingPriority() {
  ++fakeplatform::priority.restores;
  --fakeplatform::priority.depth;
}

} // namespace platform
