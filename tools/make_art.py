#!/usr/bin/env python3
"""Draws the program's pictures from the descriptions below and writes them as Windows
resource files (standard library only). Run by hand from the top of the tree; the build
does not run it, the results are committed:

    python3 tools/make_art.py resources

    tidewell32.ico  icon 500: a small memory chart, 32x32 and 16x16, 16 colours
    splash.bmp      bitmap 750: 200x133, 8 bits per pixel, a palette of 255 colours
    hand.cur        cursor 501: a pointing hand, 32x32 monochrome, hotspot at the fingertip

The chart motif is ours: a framed plot with two falling staircase curves, the shape a
bandwidth curve takes as the block grows past each cache level.
"""
import math
import os
import struct
import sys

SPLASH_WIDTH, SPLASH_HEIGHT = 200, 133
SPLASH_PALETTE_SIZE = 255

# The 16 colours of a standard 4-bit Windows palette; the icon is drawn in these.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, GREY, SILVER, WHITE, RED, NAVY, BLUE = (0, 0, 0), (128, 128, 128), (192, 192, 192), \
    (255, 255, 255), (255, 0, 0), (0, 0, 128), (0, 0, 255)

# 5x7 glyphs of the title, one string of five columns per row; '#' is ink.
GLYPHS = {
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'i': ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    'd': ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"],
    'e': [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    'w': [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    'l': [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '3': [".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."],
    '2': [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    ' ': ["....."] * 7,
}

# The pointing hand: '#' black, 'o' white, '.' transparent. Hotspot: the top of the index finger.
HAND_HOTSPOT = (7, 0)
HAND = [
    "......####",
    ".....#oooo#",
    ".....#oooo#",
    ".....#oooo#",
    ".....#oooo#",
    ".....#oooo#",
    ".....#oooo#",
    ".....#oooo#",
    ".....#oooo#",
    ".....#oooo#####",
    ".....#oooo#oooo#####",
    ".....#oooo#oooo#oooo#####",
    ".....#oooo#oooo#oooo#oooo#",
    ".##..#oooo#oooo#oooo#oooo#",
    "#oo#.#oooo#oooo#oooo#oooo#",
    "#ooo##oooo#oooo#oooo#oooo#",
    "#oooo#ooooooooooooooooooo#",
    "#" + "o" * 24 + "#",
    ".#" + "o" * 23 + "#",
    "..#" + "o" * 22 + "#",
    "...#" + "o" * 21 + "#",
    "....#" + "o" * 20 + "#",
    ".....#" + "o" * 18 + "#",
    ".....#" + "o" * 18 + "#",
    "......#" + "o" * 16 + "#",
    "......#" + "o" * 16 + "#",
    "......#" + "o" * 16 + "#",
    "......" + "#" * 18,
]


class Canvas:
    """RGB pixels, row 0 at the top; None is a transparent pixel."""

    def __init__(self, width, height, fill=None):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def polyline(self, points, colour, thickness=1):
        """Straight lines between successive points (Bresenham), thickness pixels downwards."""
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            dx, dy = abs(x1 - x0), -abs(y1 - y0)
            sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
            err = dx + dy
            while True:
                for t in range(thickness):
                    self.put(x0, y0 + t, colour)
                if (x0, y0) == (x1, y1):
                    break
                e2 = 2 * err
                if e2 >= dy:
                    err += dy
                    x0 += sx
                if e2 <= dx:
                    err += dx
                    y0 += sy

    def text(self, x, y, text, colour, scale):
        for ch in text:
            for row, bits in enumerate(GLYPHS[ch]):
                for col, bit in enumerate(bits):
                    if bit == '#':
                        self.rect(x + col * scale, y + row * scale,
                                  x + (col + 1) * scale - 1, y + (row + 1) * scale - 1, colour)
            x += 6 * scale


def text_width(text, scale):
    return (6 * len(text) - 1) * scale


def staircase(x0, x1, levels):
    """A falling curve across x0..x1: one flat stretch per level, short slopes between."""
    step = (x1 - x0) / len(levels)
    slope = max(1, round(step / 5))
    points = []
    for i, level in enumerate(levels):
        left = round(x0 + i * step) + (slope if i else 0)
        points += [(left, level), (round(x0 + (i + 1) * step), level)]
    return points


def draw_chart(c, x0, y0, x1, y1, curves, thickness):
    """A framed plot with axes and falling curves; curves are (colour, levels as fractions)."""
    c.rect(x0, y0, x1, y1, WHITE)
    c.frame(x0, y0, x1, y1, BLACK)
    margin = max(2, (x1 - x0) // 8)
    left, bottom, right, top = x0 + margin, y1 - margin, x1 - 2, y0 + 2
    c.rect(left, top, left, bottom, GREY)
    c.rect(left, bottom, right, bottom, GREY)
    for colour, fractions in curves:
        levels = [round(bottom - 1 - f * (bottom - 1 - top)) for f in fractions]
        c.polyline(staircase(left + 1, right, levels), colour, thickness)


def draw_icon(size):
    c = Canvas(size, size)
    if size >= 32:
        draw_chart(c, 1, 2, 30, 29, [(RED, [0.95, 0.6, 0.2]), (BLUE, [0.7, 0.4, 0.05])], 2)
    else:
        draw_chart(c, 0, 1, 15, 14, [(RED, [1.0, 0.6, 0.2]), (BLUE, [0.7, 0.35, 0.0])], 1)
    return c


def blend(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def draw_splash():
    w, h = SPLASH_WIDTH, SPLASH_HEIGHT
    c = Canvas(w, h)
    top, low = (12, 28, 72), (0, 96, 128)
    for y in range(h):
        c.rect(0, y, w - 1, y, blend(top, low, y / (h - 1)))
    title = "Tidewell 32"
    tx = (w - text_width(title, 2)) // 2
    c.text(tx + 1, 10, title, BLACK, 2)
    c.text(tx, 9, title, (255, 236, 120), 2)
    draw_chart(c, 36, 34, 163, 100,
               [((208, 32, 32), [0.95, 0.7, 0.35, 0.1]), ((32, 144, 32), [0.8, 0.55, 0.25, 0.05]),
                ((32, 64, 208), [0.6, 0.4, 0.15, 0.0])], 2)
    # Two rows of waves along the bottom: the tide under the chart.
    for crest, amplitude, period, phase, colour in ((108, 3, 9.0, 0.0, (40, 128, 192)),
                                                    (117, 2, 6.5, 1.3, (96, 176, 224))):
        for x in range(w):
            c.rect(x, crest + round(amplitude * math.sin(x / period + phase)), x, h - 1, colour)
    return c


def bitmap_rows(pixels_bottom_up, bits):
    """Packs rows of palette indices (or mask bits) into 4-byte aligned bottom-up rows."""
    out = bytearray()
    for row in pixels_bottom_up:
        packed = bytearray()
        per_byte = 8 // bits
        for i in range(0, len(row), per_byte):
            byte = 0
            for j, value in enumerate(row[i:i + per_byte]):
                byte |= value << (8 - bits * (j + 1))
            packed.append(byte)
        packed += b'\0' * (-len(packed) % 4)
        out += packed
    return bytes(out)


def info_header(width, height, bits, image_size, colours):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, image_size, 0, 0,
                       colours, 0)


def palette_bytes(colours):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)


def icon_image(canvas, palette, bits):
    """An icon or cursor image: header, palette, colour rows, then the transparency mask."""
    rows = [[palette.index(p) if p is not None else 0 for p in row]
            for row in reversed(canvas.pixels)]
    mask = [[1 if p is None else 0 for p in row] for row in reversed(canvas.pixels)]
    body = bitmap_rows(rows, bits) + bitmap_rows(mask, 1)
    header = info_header(canvas.width, canvas.height * 2, bits, len(body), len(palette))
    return header + palette_bytes(palette) + body


def icon_file(kind, images):
    """kind 1: icon, kind 2: cursor. images: (canvas, image bytes, palette size, a, b), where
    a and b are the planes and bit count of an icon, the hotspot's x and y of a cursor."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for canvas, blob, colours, field4, field6 in images:
        out += struct.pack('<BBBBHHII', canvas.width, canvas.height, colours, 0, field4, field6,
                           len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b''.join(blobs)


def write_icon(path):
    images = []
    for size in (32, 16):
        canvas = draw_icon(size)
        images.append((canvas, icon_image(canvas, VGA16, 4), 16, 1, 4))
    with open(path, 'wb') as f:
        f.write(icon_file(1, images))


def write_cursor(path):
    canvas = Canvas(32, 32)
    for y, line in enumerate(HAND):
        for x, ch in enumerate(line):
            if ch != '.':
                canvas.put(x, y, BLACK if ch == '#' else WHITE)
    blob = icon_image(canvas, [BLACK, WHITE], 1)
    with open(path, 'wb') as f:
        f.write(icon_file(2, [(canvas, blob, 2, HAND_HOTSPOT[0], HAND_HOTSPOT[1])]))


def write_splash(path):
    canvas = draw_splash()
    palette = sorted({p for row in canvas.pixels for p in row})
    if len(palette) > SPLASH_PALETTE_SIZE:
        sys.exit(f"splash uses {len(palette)} colours, more than {SPLASH_PALETTE_SIZE}")
    palette += [BLACK] * (SPLASH_PALETTE_SIZE - len(palette))
    index = {colour: i for i, colour in reversed(list(enumerate(palette)))}
    rows = [[index[p] for p in row] for row in reversed(canvas.pixels)]
    pixels = bitmap_rows(rows, 8)
    header = info_header(SPLASH_WIDTH, SPLASH_HEIGHT, 8, len(pixels), SPLASH_PALETTE_SIZE)
    offset = 14 + len(header) + 4 * SPLASH_PALETTE_SIZE
    with open(path, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset))
        f.write(header + palette_bytes(palette) + pixels)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else 'resources'
    os.makedirs(out, exist_ok=True)
    write_icon(os.path.join(out, 'tidewell32.ico'))
    write_splash(os.path.join(out, 'splash.bmp'))
    write_cursor(os.path.join(out, 'hand.cur'))


if __name__ == '__main__':
    main()
