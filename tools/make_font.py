#!/usr/bin/env python3
"""Generates chart/font.cpp, the chart's embedded bitmap font, from the public-domain X11
misc-fixed 6x13 font (Debian package xfonts-base). Run once by hand; the build does not run it:

    python3 tools/make_font.py /usr/share/fonts/X11/misc/6x13.pcf.gz > chart/font.cpp

The chart's labels are Windows-1252 text, so each byte 0x20..0xFF is mapped to its Unicode
character and that glyph is taken from the ISO 10646 font. The glyphs are made proportional
like a dialog font: each is moved to its leftmost inked column and advances by its inked width
plus one column of spacing. Digits keep one common advance, so numbers in a column line up;
the blank advances by 3 columns. Bytes without a character in Windows-1252 or without a glyph
in the font get an empty glyph of the blank's width.
"""
import gzip
import struct
import sys

PCF_METRICS = 1 << 2
PCF_BITMAPS = 1 << 3
PCF_BDF_ENCODINGS = 1 << 5
PCF_COMPRESSED_METRICS = 0x100
PCF_BYTE_MASK = 1 << 2   # set: big-endian numbers
PCF_BIT_MASK = 1 << 3    # set: most significant bit first

CELL_HEIGHT = 13         # rows of every glyph: the font's ascent plus descent
BLANK_ADVANCE = 3


class Reader:
    def __init__(self, data, offset):
        self.data = data
        self.offset = offset
        self.fmt = struct.unpack_from('<I', data, offset)[0]
        self.offset += 4
        self.endian = '>' if self.fmt & PCF_BYTE_MASK else '<'

    def take(self, code):
        value = struct.unpack_from(self.endian + code, self.data, self.offset)
        self.offset += struct.calcsize(code)
        return value[0]


def read_tables(data):
    if data[:4] != b'\x01fcp':
        raise SystemExit('not a PCF font')
    count = struct.unpack_from('<I', data, 4)[0]
    tables = {}
    for i in range(count):
        kind, _fmt, _size, offset = struct.unpack_from('<IIII', data, 8 + 16 * i)
        tables[kind] = offset
    return tables


def read_metrics(data, offset):
    r = Reader(data, offset)
    metrics = []
    if r.fmt & PCF_COMPRESSED_METRICS:
        for _ in range(r.take('H')):
            values = [r.take('B') - 0x80 for _ in range(5)]
            metrics.append(values)
    else:
        for _ in range(r.take('I')):
            values = [r.take('h') for _ in range(5)]
            r.take('H')  # attributes
            metrics.append(values)
    return metrics  # left bearing, right bearing, width, ascent, descent


def read_bitmaps(data, offset, metrics):
    r = Reader(data, offset)
    count = r.take('I')
    offsets = [r.take('I') for _ in range(count)]
    for _ in range(4):
        r.take('I')
    base = r.offset
    pad = 1 << (r.fmt & 3)
    msb_first = bool(r.fmt & PCF_BIT_MASK)
    glyphs = []
    for index, (left, right, _w, ascent, descent) in enumerate(metrics):
        width = right - left
        row_bytes = ((width + 7) // 8 + pad - 1) // pad * pad
        rows = []
        for row in range(ascent + descent):
            start = base + offsets[index] + row * row_bytes
            bits = []
            for col in range(width):
                byte = data[start + col // 8]
                bit = (byte >> (7 - col % 8)) & 1 if msb_first else (byte >> (col % 8)) & 1
                bits.append(bit)
            rows.append(bits)
        glyphs.append(rows)
    return glyphs


def read_encodings(data, offset):
    r = Reader(data, offset)
    min2, max2, min1, max1, _default = (r.take('H') for _ in range(5))
    table = {}
    for byte1 in range(min1, max1 + 1):
        for byte2 in range(min2, max2 + 1):
            index = r.take('H')
            if index != 0xFFFF:
                table[(byte1 << 8) | byte2] = index
    return table


def cell_rows(metric, rows, font_ascent):
    """The glyph placed in a 13-row cell, as lists of inked column numbers (may be negative)."""
    left, _right, _width, ascent, _descent = metric
    cell = [set() for _ in range(CELL_HEIGHT)]
    for i, bits in enumerate(rows):
        y = font_ascent - ascent + i
        if 0 <= y < CELL_HEIGHT:
            cell[y].update(left + col for col, bit in enumerate(bits) if bit)
    return cell


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else '/usr/share/fonts/X11/misc/6x13.pcf.gz'
    data = gzip.open(path).read()
    tables = read_tables(data)
    metrics = read_metrics(data, tables[PCF_METRICS])
    bitmaps = read_bitmaps(data, tables[PCF_BITMAPS], metrics)
    encodings = read_encodings(data, tables[PCF_BDF_ENCODINGS])
    font_ascent = 11

    cells = {}
    for code in range(0x20, 0x100):
        try:
            char = bytes([code]).decode('cp1252')
        except UnicodeDecodeError:
            continue
        index = encodings.get(ord(char))
        if index is not None:
            cells[code] = cell_rows(metrics[index], bitmaps[index], font_ascent)

    digit_rows = [row for d in b'0123456789' for row in cells[d] if row]
    digit_left = min(min(row) for row in digit_rows)
    digit_right = max(max(row) for row in digit_rows)

    out = []
    out.append('// The chart\'s bitmap font: Windows-1252 bytes 0x20..0xFF, 13 rows each, generated by')
    out.append('// tools/make_font.py from the public-domain X11 misc-fixed 6x13 font (licence in')
    out.append('// tools/FONT-LICENSE). Do not edit by hand: change the generator and run it again.')
    out.append('#include "chart/font.h"')
    out.append('')
    out.append('namespace chart {')
    out.append('')
    out.append('// advance, then one byte per row with the leftmost column in bit 7')
    out.append('const Glyph fontGlyphs[fontGlyphCount] = {')
    for code in range(0x20, 0x100):
        cell = cells.get(code)
        if code == 0x20 or not cell or not any(cell):
            advance, rows = BLANK_ADVANCE, [0] * CELL_HEIGHT
        else:
            if code in b'0123456789':
                left, right = digit_left, digit_right
            else:
                left = min(min(c) for c in cell if c)
                right = max(max(c) for c in cell if c)
            advance = right - left + 2
            rows = []
            for inked in cell:
                value = 0
                for col in inked:
                    value |= 0x80 >> (col - left)
                rows.append(value)
        text = ', '.join('0x%02X' % v for v in rows)
        shown = chr(code) if 0x20 < code < 0x7F and code not in (0x5C,) else ' '
        out.append('    {%d, {%s}},  // 0x%02X %s' % (advance, text, code, shown))
    out.append('};')
    out.append('')
    out.append('} // namespace chart')
    print('\n'.join(out))


if __name__ == '__main__':
    main()
