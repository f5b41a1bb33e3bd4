// The operating system's version as read once at start-up, for the report page's OS line.
#pragma once
#include "platform/memory.h"

namespace report {

// Major, minor, build, platform and service-pack letters (Windows), or the system's own
// name (elsewhere). All zero and empty until readOsVersion, and when the system gave nothing.
extern platform::OsVersion osVersion;

// Reads the version into osVersion; false (osVersion left empty) when the system refuses.
bool readOsVersion();

} // namespace report
