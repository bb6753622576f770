#!/usr/bin/env python3
"""Writes quillet's toolbar strip, BM_TOOLBAR2 (quillet/ui/bitmaps/toolbar2.bmp, 32 x 32 per
glyph) and its small form (toolbar2_small.bmp, 16 x 16), from the 16 x 16 patterns below,
one per toolbar button in order. '#' ink, '+' blue, 'o' yellow, 'r' red, 'w' white, '.' the
transparent colour (magenta). Run it again after changing a pattern; the .bmp files are kept
in the tree."""
import os
import struct

COLOURS = {'#': (0x20, 0x20, 0x20), '+': (0x00, 0x60, 0xC0), 'o': (0xF0, 0xD0, 0x40),
           'r': (0xC0, 0x20, 0x20), 'w': (0xFF, 0xFF, 0xFF), '.': (0xFF, 0x00, 0xFF)}

ENVELOPE = ["................", "................", "................", "................",
            "................", "................", "################", "#o############o#",
            "#oo#oooooooo#oo#", "#ooo#oooooo#ooo#", "#oo#o#oooo#o#oo#", "#o#ooo#oo#ooo#o#",
            "##ooooo##ooooo##", "#oooooooooooooo#", "################", "................"]


def with_arrow(base, arrow):
    """The base picture with the arrow's non-'.' pixels drawn over it."""
    return ["".join(a if a != '.' else b for a, b in zip(arow, brow)) for arow, brow in zip(arrow, base)]


UP = ["....++..........", "...++++.........", "..++++++........", ".++++++++.......", "...++++.........",
      "...++++........."] + ["." * 16] * 10
DOWN = [".........+++....", ".........+++....", ".........+++....", "......+++++++++.", ".......+++++++..",
        "........+++++...", ".........+++....", "..........+....."] + ["." * 16] * 8
BOTH = with_arrow(UP, DOWN)

PATTERNS = [
    with_arrow(ENVELOPE, BOTH),  # send and receive
    with_arrow(ENVELOPE, UP),  # send
    with_arrow(ENVELOPE, DOWN),  # receive
    ["..........##....", ".........#rr#...", "..######.#rr#...", "..#wwww#rr#.....", "..#ww#rr#w#.....",
     "..#w#rr#ww#.....", "..##rr#www#.....", "..#ooww#ww#.....", "..#oowwww#......", "..##wwwwww#.....",
     "..#wwwwwwww#....", "..#w######w#....", "..#wwwwwwww#....", "..#w#####ww#....", "..#wwwwwwww#....",
     "..##########...."],  # compose
    ["................", "................", ".....+..........", "....++..........", "...+++++++++....",
     "..++++++++++++..", "...+++++++++++..", "....++.....+++..", ".....+......++..", "............++..",
     "............++..", "................", "................", "................", "................",
     "................"],  # reply
    ["................", "................", "..........+.....", "..........++....", "....+++++++++...",
     "..++++++++++++..", "..+++++++++++...", "..+++.....++....", "..++......+.....", "..++............",
     "..++............", "................", "................", "................", "................",
     "................"],  # forward
    ["................", "................", ".#####..........", "#ooooo#.........", "#oooooo#######..",
     "#oooooooooooo#..", "#ooooooooo+ooo#.", "#ooooooooo++oo#.", "#oo+++++++++#o#.", "#ooooooooo++oo#.",
     "#ooooooooo+ooo#.", "#oooooooooooo#..", "##############..", "................", "................",
     "................"],  # transfer
    ["................", "..rr........rr..", "..rrr......rrr..", "...rrr....rrr...", "....rrr..rrr....",
     ".....rrrrrr.....", "......rrrr......", "......rrrr......", ".....rrrrrr.....", "....rrr..rrr....",
     "...rrr....rrr...", "..rrr......rrr..", "..rr........rr..", "................", "................",
     "................"],  # delete
    ["................", "................", "................", ".......+........", "......+++.......",
     ".....+++++......", "....+++++++.....", "...+++++++++....", "..+++++++++++...", ".......#########",
     "................", "................", "................", "................", "................",
     "................"],  # previous
    ["................", "................", "................", "................", "................",
     ".......#########", "..+++++++++++...", "...+++++++++....", "....+++++++.....", ".....+++++......",
     "......+++.......", ".......+........", "................", "................", "................",
     "................"],  # next
    ["................", "..###########...", "..#+#wwwwwww#...", "..#+#wwwwwww#...", "..#+#ww##www#...",
     "..#+#w#ww#ww#...", "..#+#ww##www#...", "..#+#w####ww#...", "..#+#wwwwwww#...", "..#+#wwwwwww#...",
     "..#+#wwwwwww#...", "..#+#wwwwwww#...", "..###########...", "................", "................",
     "................"],  # address book
]


def bitmap_bytes(scale):
    size = 16 * scale
    width = size * len(PATTERNS)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(size)):  # bitmaps are stored bottom-up
        row = bytearray()
        for pattern in PATTERNS:
            for x in range(size):
                r, g, b = COLOURS[pattern[y // scale][x // scale]]
                row += bytes((b, g, r))
        pixels += row + bytes(stride - len(row))
    header = struct.pack("<IiiHHIIiiII", 40, width, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header)) + header + pixels


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "quillet", "ui", "bitmaps")
    os.makedirs(folder, exist_ok=True)
    for pattern in PATTERNS:
        assert len(pattern) == 16 and all(len(row) == 16 for row in pattern), pattern
    for name, scale in (("toolbar2.bmp", 2), ("toolbar2_small.bmp", 1)):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(bitmap_bytes(scale))


if __name__ == "__main__":
    main()
