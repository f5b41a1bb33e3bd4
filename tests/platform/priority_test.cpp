// Raising and restoring the scheduling priority leaves the thread as it found it. On Linux
// the policy, nice value and processor set are read back; elsewhere the calls must at least
// return in pairs without harm.
#include <gtest/gtest.h>

#include "platform/priority.h"

#if defined(__linux__)
#include <sched.h>
#include <sys/resource.h>

namespace {

struct Scheduling {
  int policy;
  int nice;
  cpu_set_t cpus;
};

Scheduling current() {
  Scheduling s;
  s.policy = sched_getscheduler(0);
  s.nice = getpriority(PRIO_PROCESS, 0);
  CPU_ZERO(&s.cpus);
  sched_getaffinity(0, sizeof s.cpus, &s.cpus);
  return s;
}

TEST(PlatformPriority, RaisedThreadStaysOnOneProcessorAndIsRestored) {
  const Scheduling before = current();
  platform::raiseSchedulingPriority();
  const Scheduling raised = current();
  platform::restoreSchedulingPriority();
  const Scheduling after = current();

  EXPECT_EQ(CPU_COUNT(&raised.cpus), 1);
  EXPECT_TRUE(raised.policy == SCHED_FIFO || raised.nice <= before.nice);
  EXPECT_EQ(after.policy, before.policy);
  EXPECT_EQ(after.nice, before.nice);
  EXPECT_TRUE(CPU_EQUAL(&after.cpus, &before.cpus));
}

TEST(PlatformPriority, ASecondRaiseKeepsTheFirstSavedState) {
  const Scheduling before = current();
  platform::raiseSchedulingPriority();
  platform::raiseSchedulingPriority();
  platform::restoreSchedulingPriority();
  const Scheduling after = current();
  platform::restoreSchedulingPriority();   // nothing left to undo
  EXPECT_EQ(after.policy, before.policy);
  EXPECT_EQ(after.nice, before.nice);
  EXPECT_TRUE(CPU_EQUAL(&after.cpus, &before.cpus));
  EXPECT_EQ(current().policy, before.policy);
}

} // namespace

#else

TEST(PlatformPriority, RaiseAndRestoreReturn) {
  platform::raiseSchedulingPriority();
  platform::restoreSchedulingPriority();
  SUCCEED();
}

#endif
