#!/usr/bin/env python3
"""Draws examples/sheet.bmp, the sprite and font sheet of tilecut's example.

Needs PIL (Debian: python3-pil). Writes an uncompressed 8-bit palette BMP
with a 40-byte info header, 64 x 32 pixels:

    y 0..15   four 16x16 sprites: hero, slime, heart, tree
    y 16..23  the letters "TILECUT!" (8x8 cells), white with a black shadow
    y 24..31  the digits "01234567" (8x8 cells), green with a black shadow
"""
import os
from PIL import Image

PALETTE = [
    (40, 40, 96),     # 0 background
    (0, 0, 0),        # 1 black: outlines, shadows
    (252, 252, 252),  # 2 white
    (216, 40, 40),    # 3 red
    (56, 168, 72),    # 4 green
]
KEYS = {".": 0, "#": 1, "w": 2, "r": 3, "g": 4}

HERO = """
................
.....######.....
....#rrrrrr#....
...#rrrrrrrr#...
...##########...
...#wwwwwwww#...
...#w#ww#www#...
...#wwwwwwww#...
....#wwwwww#....
.....######.....
....#rrrrrr#....
...#rrwrrwrr#...
...#rrrrrrrr#...
....#rr##rr#....
....###..###....
................
"""

SLIME = """
................
................
................
................
......####......
....##gggg##....
...#gggggggg#...
..#ggwwgggggg#..
..#gwwgggggggg#.
.#ggggg#gg#ggg#.
.#ggggg#gg#ggg#.
.#gggggggggggg#.
.#gggggggggggg#.
..#gggggggggg#..
...##########...
................
"""

HEART = """
................
................
...###....###...
..#rrr#..#rrr#..
.#rrrrr##rrrrr#.
.#rrrrrrrrrrrr#.
.#rrrrrrrrrrrr#.
.#rrrrrrrrrrrr#.
..#rrrrrrrrrr#..
...#rrrrrrrr#...
....#rrrrrr#....
.....#rrrr#.....
......#rr#......
.......##.......
................
................
"""

TREE = """
................
.....######.....
...##gggggg##...
..#gggrgggggg#..
.#gggggggggrgg#.
.#ggrgggggggggg#
.#gggggggrggggg#
..#gggggggggg#..
...###gggg###...
......#gg#......
......#gg#......
......#gg#......
.....#gggg#.....
....########....
................
................
"""

# 5x7 glyphs, drawn in the 8x8 cell at column 1, shadow one pixel down-right.
GLYPHS = {
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "C": [".####", "#....", "#....", "#....", "#....", "#....", ".####"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "!": ["..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
}


def sprite(px, x0, y0, art):
    rows = art.strip("\n").split("\n")
    assert len(rows) == 16, art
    for y, row in enumerate(rows):
        assert len(row) == 16, row
        for x, ch in enumerate(row):
            px[x0 + x, y0 + y] = KEYS[ch]


def text(px, x0, y0, s, colour):
    for n, ch in enumerate(s):
        glyph = GLYPHS[ch]
        for layer, (dx, c) in enumerate(((1, 1), (0, colour))):
            for y, row in enumerate(glyph):
                for x, bit in enumerate(row):
                    if bit == "#":
                        px[x0 + 8 * n + 1 + x + dx, y0 + y + dx] = c


def main():
    im = Image.new("P", (64, 32), 0)
    flat = []
    for c in PALETTE:
        flat += c
    im.putpalette(flat)
    px = im.load()
    sprite(px, 0, 0, HERO)
    sprite(px, 16, 0, SLIME)
    sprite(px, 32, 0, HEART)
    sprite(px, 48, 0, TREE)
    text(px, 0, 16, "TILECUT!", 2)
    text(px, 0, 24, "01234567", 4)
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sheet.bmp")
    im.save(out)


if __name__ == "__main__":
    main()
