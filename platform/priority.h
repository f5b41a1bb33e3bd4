// Seam: the highest scheduling priority for the measuring thread, and back to normal.
#pragma once

namespace platform {
void raiseSchedulingPriority();    // real-time where permitted; pins the thread to its CPU
void restoreSchedulingPriority();  // undoes both
} // namespace platform
