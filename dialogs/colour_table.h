// The colour table: the thirteen drawing colours of the chart (one per test curve, the
// plotting area's background and the grid), their defaults, and the order in which the Colors
// dialog and the settings file list them. Values are COLORREF bit patterns, 0x00BBGGRR.
// Reading and writing the settings file and the dialog itself live elsewhere.
#pragma once
#include <array>
#include <cstdint>

namespace dialogs {

// Slots of the table. Slots 0..8 follow the test numbers 1..9, so a bandwidth test's result
// table number and its colour slot are the same number.
enum ColourSlot : int {
  slotRead, slotWrite, slotCopy,
  slotMmxRead, slotMmxWrite, slotMmxCopy,
  slotSseRead, slotSseWrite, slotSseCopy,
  slotBackground,   // plotting area and legend fill
  slotGrid,         // grid lines, plotting area frame, legend text
  slotReadLatency, slotMemoryWalk,
  colourSlotCount
};

using ColourTable = std::array<uint32_t, colourSlotCount>;  // COLORREF per slot

// Colours of a fresh start, in slot order.
constexpr ColourTable defaultColours = {
    0x000000FF,  // Read: red
    0x00FF0000,  // Write: blue
    0x0000FF00,  // Copy: green
    0x00FFFFFF,  // MMX Read: white
    0x00FF00FF,  // MMX Write: magenta
    0x0000FFFF,  // MMX Copy: yellow
    0x00808000,  // SSE Read: teal
    0x00800080,  // SSE Write: purple
    0x00008080,  // SSE Copy: olive
    0x00C0C0C0,  // Background: silver
    0x00000000,  // Grid: black
    0x00FFFF00,  // Read Latency: cyan
    0x000080FF,  // Memory Walk: orange
};

// Slot shown in each row of the Colors dialog and written on each colour line of the settings
// file: the two latency colours come before Background and Grid.
constexpr std::array<int, colourSlotCount> colourRowSlots = {
    slotRead, slotWrite, slotCopy, slotMmxRead, slotMmxWrite, slotMmxCopy,
    slotSseRead, slotSseWrite, slotSseCopy, slotReadLatency, slotMemoryWalk,
    slotBackground, slotGrid};

// The process-wide table every drawing reads at the moment it draws; starts as the defaults.
extern ColourTable colourTable;

// Copies all thirteen defaults into colourTable (the dialog's "&Default" button).
void resetColours();
// Slot of test number 1..9 (Read .. SSE Copy); -1 outside that range.
int colourSlotForTest(int testNumber);

// Components of a COLORREF, 0..255 each.
constexpr uint8_t colourRed(uint32_t colour) { return static_cast<uint8_t>(colour); }
constexpr uint8_t colourGreen(uint32_t colour) { return static_cast<uint8_t>(colour >> 8); }
constexpr uint8_t colourBlue(uint32_t colour) { return static_cast<uint8_t>(colour >> 16); }
// A COLORREF from components; the top byte is 0, as for every colour the program makes.
constexpr uint32_t makeColour(uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t{red} | uint32_t{green} << 8 | uint32_t{blue} << 16;
}

// Writes the low 24 bits of colour as six upper-case hexadecimal digits (blue, green, red),
// the form of a settings file colour line; returns 6. No terminator.
int formatColourHex(char* dest, uint32_t colour);

} // namespace dialogs
