// Messages that are recorded instead of shown, and the reset of every scripted seam.
#include "platform/message.h"
#include "tests/fakes/fake_platform.h"

namespace fakeplatform {

FakeMessages messages;

void resetFakePlatform() {
  clock = FakeClock{};
  priority = FakePriority{};
  memory = FakeMemory{};
  messages = FakeMessages{};
}

} // namespace fakeplatform

namespace platform {
void setMessageOwner(void* window) { fakeplatform::messages.owner = window; }
void showErrorMessage(const char* text) { fakeplatform::messages.shown.push_back(text); }
} // namespace platform
