// Scheduling priority on Linux: first-in-first-out real-time scheduling where the process may
// take it, otherwise the lowest nice value it is allowed; the thread stays on the processor it
// is running on while raised, so its time-stamp counter readings come from one core. Restoring
// puts back the policy, nice value and processor set that were in force before.
#include "platform/priority.h"

#include <sched.h>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>

namespace platform {
namespace {

constexpr int fifoPriority = 49;

struct SavedPriority {
  bool raised = false;
  int policy = SCHED_OTHER;
  sched_param param{};
  int nice = 0;
  bool haveAffinity = false;
  cpu_set_t affinity{};
};
SavedPriority saved;

// The lowest nice value this process may set, tried from the top: unprivileged processes
// usually may not go below their current value, and then nothing changes.
void lowerNiceAsFarAsAllowed(int current) {
  for (int nice = -20; nice < current; ++nice) {
    if (setpriority(PRIO_PROCESS, 0, nice) == 0) return;
  }
}

void pinToCurrentCpu() {
  saved.haveAffinity = sched_getaffinity(0, sizeof saved.affinity, &saved.affinity) == 0;
  const int cpu = sched_getcpu();
  if (!saved.haveAffinity || cpu < 0) return;
  cpu_set_t only;
  CPU_ZERO(&only);
  CPU_SET(cpu, &only);
  sched_setaffinity(0, sizeof only, &only);
}

} // namespace

void raiseSchedulingPriority() {
  if (saved.raised) return;   // raised twice: the first saved state is the one to restore
  saved.raised = true;
  saved.policy = sched_getscheduler(0);
  sched_getparam(0, &saved.param);
  errno = 0;
  saved.nice = getpriority(PRIO_PROCESS, 0);
  if (errno != 0) saved.nice = 0;

  // Any real-time priority runs ahead of every ordinary process; staying below the threaded
  // interrupt handlers (50) keeps the machine serving its devices during a long run.
  sched_param fifo{};
  fifo.sched_priority = std::min(fifoPriority, sched_get_priority_max(SCHED_FIFO));
  if (sched_setscheduler(0, SCHED_FIFO, &fifo) != 0) lowerNiceAsFarAsAllowed(saved.nice);
  pinToCurrentCpu();
}

void restoreSchedulingPriority() {
  if (!saved.raised) return;
  saved.raised = false;
  if (saved.policy >= 0) sched_setscheduler(0, saved.policy, &saved.param);
  setpriority(PRIO_PROCESS, 0, saved.nice);
  if (saved.haveAffinity) sched_setaffinity(0, sizeof saved.affinity, &saved.affinity);
}

} // namespace platform
