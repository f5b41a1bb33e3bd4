// Scheduling priority on Windows: the real-time class for the process and time-critical for
// the thread while measuring, the normal class and normal thread priority afterwards. The
// calls are not checked: without the right to real time, Windows grants "high" instead, and
// the measurement runs at whatever it got.
#include "platform/priority.h"

#include <windows.h>

namespace platform {

void raiseSchedulingPriority() {
  SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
}

void restoreSchedulingPriority() {
  SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

} // namespace platform
