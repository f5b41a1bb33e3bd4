// The chart's embedded bitmap font: one glyph per Windows-1252 byte from 0x20 to 0xFF, generated
// into chart/font.cpp by tools/make_font.py. Bytes below 0x20 are drawn as the blank.
#pragma once
#include <cstdint>

namespace chart {

constexpr int fontCellHeight = 13;   // rows per glyph, the top row first
constexpr int fontFirstChar = 0x20;
constexpr int fontGlyphCount = 0x100 - fontFirstChar;

struct Glyph {
  uint8_t advance;                 // pixels from this character's left edge to the next one's
  uint8_t rows[fontCellHeight];    // inked columns, the leftmost in bit 7
};
extern const Glyph fontGlyphs[fontGlyphCount];

// The glyph of a byte of text.
inline const Glyph& glyphFor(unsigned char c) {
  return fontGlyphs[c < fontFirstChar ? 0 : c - fontFirstChar];
}

} // namespace chart
