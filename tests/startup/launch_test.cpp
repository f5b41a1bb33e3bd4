// Window placement and the "autostart" keyword, from worked examples.
#include <gtest/gtest.h>

#include "app/launch.h"

namespace {

TEST(CentreOrigin, HalvesTruncateSeparately) {
  struct Case { uint32_t size, extent; int origin; };
  const Case cases[] = {
      {663, 1024, 181}, {559, 768, 105},   // main window on 1024 x 768
      {200, 1024, 412}, {133, 768, 318},   // splash
      {663, 1025, 181},                    // odd width: 512 - 331
      {559, 600, 21},                      // 300 - 279
      {663, 640, -11},                     // wider than the screen: off its left edge
  };
  for (const Case& c : cases) {
    EXPECT_EQ(app::centreOrigin(c.size, c.extent), c.origin) << c.size << " on " << c.extent;
  }
}

TEST(CommandLineHas, FindsTheKeywordAnywhereInAnyCase) {
  struct Case { const char* line; bool found; };
  const Case cases[] = {
      {"\"C:\\Tools\\Tidewell32.exe\" /AUTOSTART", true},
      {"Tidewell32.exe -autostart", true},
      {"Tidewell32.exe noautostart", true},
      {"Tidewell32.exe AutoStart", true},
      {"Tidewell32.exe aautostart", true},         // behind one of its own beginnings
      {"Tidewell32.exe autoautostart", true},
      {"\"C:\\Tools\\Tidewell32.exe\"", false},   // the program path alone
      {"Tidewell32.exe autostar", false},          // cut short at the end of the line
      {"Tidewell32.exe auto start", false},
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(app::commandLineHas(c.line, "autostart"), c.found) << c.line;
  }
  EXPECT_FALSE(app::commandLineHas(nullptr, "autostart"));
}

} // namespace
