// Reading the operating system's version at start-up. The naming of it for the page is in
// report/os_name.cpp; this file only keeps the record the name is made from.
#include "report/os_version.h"

namespace report {

platform::OsVersion osVersion;

bool readOsVersion() {
  platform::OsVersion read;
  if (!platform::readPlatformOsVersion(read)) {
    osVersion = platform::OsVersion{};
    return false;
  }
  osVersion = read;
  return true;
}

} // namespace report
