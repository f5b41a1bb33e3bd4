// The operating system line of the report page. Windows versions are named from the version
// numbers GetVersionExA gave at start-up; any other system is named as it names itself.
#include "report/os_name.h"

#include "chart/text/format.h"
#include "report/os_version.h"
#include "report/report.h"

namespace report {

namespace {

struct WindowsName {
  uint32_t major, minor;
  const char* name;   // "\x99" is the trade mark sign in Windows-1252
};
// Versions whose name needs nothing but the version numbers; 4.0 and 4.10 also read the
// platform and the service-pack letter.
constexpr WindowsName plainNames[] = {
    {4, 90, "Me\x99"},
    {3, 51, "NT\x99" "3.51"},
    {5, 0, "2000\x99"},
    {5, 1, "XP\x99"},
};

const char* windowsName(const platform::OsVersion& v) {
  const uint32_t major = v.major & 0xFFFF, minor = v.minor & 0xFFFF;
  const char release = v.servicePack[1];   // the letter of " A", " B", " C" service releases
  if (major == 4 && minor == 0) {
    if (v.platformId == 2) return "NT\x99" "4.0";
    return release == 'C' ? "95\x99OSR2" : "95\x99";
  }
  if (major == 4 && minor == 10) return release == 'A' ? "98\x99SE" : "98\x99";
  for (const WindowsName& n : plainNames)
    if (n.major == major && n.minor == minor) return n.name;
  return "Unknown";
}

} // namespace

void appendOsNameOf(const platform::OsVersion& version) {
  if (version.selfName[0] != 0) {
    // The name is at most 63 characters plus its terminator by the record's layout.
    char name[sizeof version.selfName];
    for (unsigned i = 0; i < sizeof name; ++i) name[i] = version.selfName[i];
    name[sizeof name - 1] = 0;
    text::appendText(name);
    return;
  }
  if ((version.major & 0xFFFF) == 0 && (version.minor & 0xFFFF) == 0) {
    text::appendText("Unknown");   // never read
    return;
  }
  text::appendText("Windows ");
  text::appendText(windowsName(version));
}

void appendOsName() { appendOsNameOf(osVersion); }

} // namespace report
