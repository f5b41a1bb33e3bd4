// The colour table: defaults as seen on screen, reset after changes, the row order of the
// dialog and the settings file, and the hexadecimal form of a colour line.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dialogs/colour_table.h"

namespace {

using namespace dialogs;

// Defaults written as the red, green and blue a user sees, so a swapped byte order shows.
TEST(ColourTable, DefaultsAsSeen) {
  struct Case { int slot; uint8_t r, g, b; const char* seen; };
  const Case cases[] = {
      {slotRead, 255, 0, 0, "red"},          {slotWrite, 0, 0, 255, "blue"},
      {slotCopy, 0, 255, 0, "green"},        {slotMmxRead, 255, 255, 255, "white"},
      {slotMmxWrite, 255, 0, 255, "magenta"}, {slotMmxCopy, 255, 255, 0, "yellow"},
      {slotSseRead, 0, 128, 128, "teal"},    {slotSseWrite, 128, 0, 128, "purple"},
      {slotSseCopy, 128, 128, 0, "olive"},   {slotBackground, 192, 192, 192, "silver"},
      {slotGrid, 0, 0, 0, "black"},          {slotReadLatency, 0, 255, 255, "cyan"},
      {slotMemoryWalk, 255, 128, 0, "orange"},
  };
  ASSERT_EQ(std::size(cases), static_cast<size_t>(colourSlotCount));
  for (const Case& c : cases) {
    const uint32_t colour = defaultColours[c.slot];
    EXPECT_EQ(colourRed(colour), c.r) << c.seen;
    EXPECT_EQ(colourGreen(colour), c.g) << c.seen;
    EXPECT_EQ(colourBlue(colour), c.b) << c.seen;
    EXPECT_EQ(colour >> 24, 0u) << c.seen;
    EXPECT_EQ(makeColour(c.r, c.g, c.b), colour) << c.seen;
  }
}

TEST(ColourTable, StartsAsDefaultsAndResetsToThem) {
  // Nothing has changed the table yet in this process: a start without a settings file.
  EXPECT_EQ(colourTable, defaultColours);
  EXPECT_EQ(colourTable[slotRead], 0x000000FFu);
  EXPECT_EQ(colourTable[slotBackground], 0x00C0C0C0u);
  EXPECT_EQ(colourTable[slotGrid], 0x00000000u);
  for (uint32_t& c : colourTable) c = 0x00123456;
  colourTable[slotBackground] = 0x00FFFFFF;
  resetColours();
  EXPECT_EQ(colourTable, defaultColours);
}

TEST(ColourTable, TestNumbersUseTheirTableNumbersAsSlots) {
  struct Case { int test; int slot; };
  const Case cases[] = {{1, slotRead},    {3, slotCopy},    {4, slotMmxRead},
                        {9, slotSseCopy}, {0, -1},          {10, -1}};
  for (const Case& c : cases) EXPECT_EQ(colourSlotForTest(c.test), c.slot) << c.test;
}

// The dialog rows and settings lines: nine tests, then the two latency colours, then
// Background and Grid; each slot exactly once.
TEST(ColourTable, RowOrderPutsLatencyColoursBeforeBackgroundAndGrid) {
  const int expected[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 9, 10};
  std::set<int> seen;
  for (int row = 0; row < colourSlotCount; ++row) {
    EXPECT_EQ(colourRowSlots[row], expected[row]) << row;
    seen.insert(colourRowSlots[row]);
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(colourSlotCount));
}

TEST(ColourTable, HexFormOfAColourLine) {
  struct Case { uint32_t colour; const char* hex; };
  const Case cases[] = {
      {0x000000FF, "0000FF"}, {0x00FF0000, "FF0000"}, {0x000080FF, "0080FF"},
      {0x00C0C0C0, "C0C0C0"}, {0x00000000, "000000"}, {0x00123456, "123456"},
      {0xAB00FF00, "00FF00"},   // the top byte is not written
  };
  for (const Case& c : cases) {
    char field[8] = "#######";
    EXPECT_EQ(formatColourHex(field, c.colour), 6);
    EXPECT_EQ(std::string(field, 7), std::string(c.hex) + "#");
  }
}

} // namespace
