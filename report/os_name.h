// The name of the operating system for the report page, from the version read at start-up.
#pragma once
#include "platform/memory.h"

namespace report {

// Appends at the text cursor: the system's own name when it gave one (not Windows), "Unknown"
// when no version was read, else "Windows " and the version's name ("XP\x99", "Unknown" for
// versions after XP).
void appendOsNameOf(const platform::OsVersion& version);

} // namespace report
