// Text helpers: length, upper-casing, the append cursor and the checked-box counter.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "chart/text/format.h"

namespace {

TEST(TextBuffer, LengthAndUpperCase) {
  EXPECT_EQ(text::textLength(""), 0u);
  EXPECT_EQ(text::textLength("Read: "), 6u);
  EXPECT_EQ(text::textLength("\xAE\x99\xB5"), 3u);   // Windows-1252 bytes count as characters
  char mixed[] = "abz AZ 09 {`} \xE9h";
  text::upperCase(mixed);
  EXPECT_STREQ(mixed, "ABZ AZ 09 {`} \xE9H");     // only a..z change
}

class TextAppend : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(buffer, '#', sizeof buffer);
    text::outputCursor = {};
    text::outputCursor.position = buffer;
  }
  void TearDown() override { text::outputCursor = {}; }
  char buffer[16];
};

TEST_F(TextAppend, CopiesWithoutTheNulAndAdvances) {
  text::appendText("[Colors]");
  text::appendText("\r\n");
  text::appendText("");
  text::appendBytes("0000FFH", 3);
  EXPECT_EQ(text::outputCursor.position, buffer + 13);
  EXPECT_EQ(std::string(buffer, 14), "[Colors]\r\n000#");
}

TEST(TextCount, CountsNonZeroLowBytes) {
  text::checkedCount = 0;
  const uint32_t states[] = {1, 0, 2, 0x100, 0xFFFFFF01u, 0};  // BST_CHECKED 1, indeterminate 2
  for (uint32_t s : states) text::countChecked(s);
  EXPECT_EQ(text::checkedCount, 3u);
}

} // namespace
