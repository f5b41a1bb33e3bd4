// What the Colors dialog does to the colours, apart from its window: its thirteen rows, where
// each row's swatch stands, and the two ways a row's colour changes. The window itself is
// dialogs/colors_win32.cpp.
#pragma once
#include <cstdint>

namespace dialogs {

constexpr int colourRowCount = 13;   // rows in the order of colourRowSlots
// Each row's swatch: a 2-pixel line in dialog client pixels, x from swatchLeft up to (not
// including) swatchRight, at the row's y.
constexpr int swatchLeft = 115;
constexpr int swatchRight = 150;
constexpr int swatchY[colourRowCount] = {32, 51, 70, 89, 109, 129, 149, 169, 189,
                                         208, 227, 246, 265};

// The colour the row shows (COLORREF).
uint32_t rowColour(int row);
// Stores a colour picked for the row in its slot. Marks the colours changed even when the
// colour is the same (a cancelled picker), so closing the dialog saves them.
void storeRowColour(int row, uint32_t colour);
// Puts every slot back to its default and marks the colours changed.
void restoreDefaultColours();

} // namespace dialogs
