// The terminal sees UTF-8: the code page's special bytes become their characters.
#include <gtest/gtest.h>

#include "cli/console.h"

namespace {

TEST(Console, Windows1252BecomesUtf8) {
  EXPECT_EQ(cli::utf8FromWindows1252("Athlon\x99XP"), "Athlon\xE2\x84\xA2XP");   // trade mark
  EXPECT_EQ(cli::utf8FromWindows1252("Pentium\xAEIII"), "Pentium\xC2\xAEIII");    // registered
  EXPECT_EQ(cli::utf8FromWindows1252("0.18 \xB5m"), "0.18 \xC2\xB5m");            // micro
  EXPECT_EQ(cli::utf8FromWindows1252("\x80"), "\xE2\x82\xAC");                     // euro
  EXPECT_EQ(cli::utf8FromWindows1252("a\x81z"), "a\xEF\xBF\xBDz");                 // undefined byte
  EXPECT_EQ(cli::utf8FromWindows1252("\xFF"), "\xC3\xBF");
  EXPECT_EQ(cli::utf8FromWindows1252(""), "");
}

} // namespace
