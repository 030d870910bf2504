#!/usr/bin/env python3
"""Writes the seed corpus of tilecut_fuzz into fuzz/corpus/.

Each seed is one fuzzer input (layout in tilecut_fuzz.cpp): a selector byte,
then either a length-prefixed job list and a bitmap file (text mode) or
sixteen bytes of entry numbers and a bitmap file (fixed-line mode). The
bitmaps are made here, byte by byte, so that every header field is known.
"""

import os
import struct
import sys

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def palette(entries):
    # Blue, green, red, reserved; blue differs per entry so shade bytes vary.
    return b"".join(struct.pack("<BBBB", (i * 37) & 0xFF, i & 0xFF, (255 - i) & 0xFF, 0)
                    for i in range(entries))


def bmp(width, height, bit_count, pixel_data, compression=0, info_size=40,
        colours=None, pixel_offset=None):
    """A BMP file: 14-byte file header, info header of info_size bytes,
    colour table, pixel data. The info header past 40 bytes is zero."""
    if colours is None:
        colours = 256 if bit_count == 8 else 2
    table = palette(colours)
    if pixel_offset is None:
        pixel_offset = 14 + info_size + len(table)
    info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bit_count, compression,
                       len(pixel_data), 2835, 2835, colours, 0)
    info = info[:info_size] + b"\0" * max(0, info_size - len(info))
    body = info + table
    body += b"\0" * max(0, pixel_offset - 14 - len(body))
    size = pixel_offset + len(pixel_data)
    return b"BM" + struct.pack("<IHHI", size, 0, 0, pixel_offset) + body + pixel_data


def rows_8bit(width, height, pixel):
    """Uncompressed 8-bit rows in file order (bottom-up when height > 0),
    each padded to 4 bytes; pixel(x, y) gives the value at y from the top."""
    stride = (width + 3) & ~3
    rows = abs(height)
    out = bytearray()
    order = range(rows - 1, -1, -1) if height > 0 else range(rows)
    for y in order:
        row = bytes(pixel(x, y) & 0xFF for x in range(width))
        out += row + b"\0" * (stride - width)
    return bytes(out)


def rows_1bit(width, height, bit):
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            if bit(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def rle8_run(count, value):
    return bytes([count, value])


def rle8_literal(values):
    data = bytes([0, len(values)]) + bytes(values)
    return data + (b"\0" if len(values) & 1 else b"")


END_OF_ROW = b"\0\0"
END_OF_BITMAP = b"\0\1"


def rle8_move(dx, dy):
    return bytes([0, 2, dx, dy])


FULL_DEVICE = 0x10  # outputs go to /dev/full, where every write fails


def text_input(job_list, bitmap, selector=0):
    job = job_list.encode("latin-1") if isinstance(job_list, str) else job_list
    return bytes([selector]) + struct.pack("<H", len(job)) + job + bitmap


def fixed_input(numbers, bitmap, binary=False, round_height=False, both_modes=False,
                extra=0):
    selector = 1 | (2 if binary else 0) | (4 if round_height else 0) | (8 if both_modes else 0)
    selector |= extra
    return bytes([selector]) + struct.pack("<8h", *numbers) + bitmap


def pattern(x, y):
    return (x * 3 + y * 5) % 6


def seeds():
    plain16 = bmp(16, 16, 8, rows_8bit(16, 16, pattern))
    plain24x16 = bmp(24, 16, 8, rows_8bit(24, 16, lambda x, y: (x ^ y) & 3))
    odd13x9 = bmp(13, 9, 8, rows_8bit(13, 9, pattern))
    top_down = bmp(16, -16, 8, rows_8bit(16, -16, lambda x, y: (x + y) & 3))
    v5_header = bmp(16, 8, 8, rows_8bit(16, 8, pattern), info_size=124)

    # Rows bottom-up: row 0 of the stream is the bottom row.
    rle_rows = b""
    for r in range(16):
        rle_rows += rle8_run(5, r & 3) + rle8_literal([1, 2, 3]) + rle8_literal([0, 1, 2, 3])
        rle_rows += rle8_run(4, 2) + END_OF_ROW
    rle16 = bmp(16, 16, 8, rle_rows + END_OF_BITMAP, compression=1)
    rle_moves = (rle8_run(8, 1) + rle8_move(4, 2) + rle8_run(4, 3) + END_OF_ROW
                 + rle8_literal([3, 2, 1, 0, 1, 2, 3]) + rle8_move(0, 3) + rle8_run(16, 2)
                 + END_OF_BITMAP)
    rle_sparse = bmp(16, 16, 8, rle_moves, compression=1)
    rle_cut = bmp(16, 16, 8, rle8_run(8, 1) + rle8_literal([1, 2, 3, 4, 5])[:4], compression=1)
    # On the last row, so that a decoder that let the run through would write
    # past the end of its buffer, not just into the next row.
    rle_overrun = bmp(8, 8, 8, rle8_move(0, 7) + rle8_run(12, 1) + END_OF_BITMAP, compression=1)
    rle_top_down = bmp(16, -16, 8, rle_rows + END_OF_BITMAP, compression=1)
    rle_huge = bmp(30000, 30000, 8, rle8_run(4, 1) + END_OF_BITMAP, compression=1)
    # A stream that reaches the row padding: width 13 has stride 16.
    rle_padding = bmp(13, 8, 8, (rle8_run(16, 2) + END_OF_ROW) * 8 + END_OF_BITMAP,
                      compression=1)

    one_bit = bmp(16, 16, 1, rows_1bit(16, 16, lambda x, y: (x + y) & 1))
    one_bit_wide = bmp(40, 8, 1, rows_1bit(40, 8, lambda x, y: x % 3 == 0))

    truncated_pixels = plain16[:-100]
    truncated_header = plain16[:30]
    os2_header = bmp(16, 16, 8, rows_8bit(16, 16, pattern), info_size=12)
    four_bit = bmp(16, 16, 4, rows_8bit(8, 16, pattern), colours=16)
    unknown_compression = bmp(16, 16, 8, rows_8bit(16, 16, pattern), compression=2)
    not_bmp = b"BA" + plain16[2:64]
    no_palette = bmp(16, 8, 8, rows_8bit(16, 8, pattern), colours=0)

    return {
        "text_plain_array": text_input("a.bmp 0 0 16 16 tile 0 1 2 3\r\n", plain16),
        "text_plain_fr": text_input("a.bmp 0 0 16 16 tile.fr 0 1 2 3\r\n", plain16),
        "text_many_entries": text_input(
            "a.bmp 0 0 8 8 t0 0 1 2 3\n"
            "a.bmp 8 8 8 8 t1.fr 3 2 1 0\n"
            "a.bmp 0 8 16 8 t2 5 4 -1 300\n"
            "a.bmp 4 4 8 8 t3.fr 1 1 1 1\n"
            "a.bmp 0 0 16 16 t4\n"
            "\x1a a.bmp 0 0 8 8 after_end_mark 0 1 2 3\n", plain16),
        "text_odd_numbers": text_input(
            "a.bmp +0 -0 +8 00008 x.fr -1 2147483647 -2147483648 4294967297\n"
            "a.bmp 1 - 8 8\ta.fr\v0\f1 2 3\n"
            "a.bmp 99999999999 0 8 8 y 0 1 2 3\n"
            "a.bmp 0 0 16", plain16),
        "text_region_outside": text_input(
            "a.bmp 12 0 8 8 out 0 1 2 3\na.bmp -8 0 8 8 out.fr 0 1 2 3\n"
            "a.bmp 0 10 8 8 o 0 1 2 3\na.bmp 0 0 2147483647 8 w.fr 0 1 2 3\n", plain16),
        "text_height_not_8": text_input("a.bmp 0 0 16 12 h.fr 0 1 2 3\n", plain16),
        "text_top_down": text_input("t.bmp 0 0 16 16 td 0 1 2 3\nt.bmp 0 8 16 8 td.fr 0 1 2 3\n",
                                    top_down),
        "text_v5_header": text_input("v.bmp 0 0 16 8 v5 0 1 2 3\nv.bmp 8 0 8 8 v5.fr 3 0 1 2\n",
                                     v5_header),
        "text_rle8": text_input("r.bmp 0 0 16 16 rle 0 1 2 3\nr.bmp 0 0 16 16 rle.fr 1 2 3 0\n",
                                rle16),
        "text_rle8_top_down": text_input("r.bmp 0 0 16 16 rle 0 1 2 3\n", rle_top_down),
        "text_rle8_cut": text_input("r.bmp 0 0 8 8 cut 0 1 2 3\n", rle_cut),
        "text_rle8_overrun": text_input("r.bmp 0 0 8 8 over 0 1 2 3\n", rle_overrun),
        "text_rle8_huge": text_input("r.bmp 0 0 8 8 huge.fr 0 1 2 3\n", rle_huge),
        "text_one_bit": text_input("b.bmp 0 0 16 16 bits 0 1\nb.bmp 0 0 16 16 bits.fr 0 1 0 1\n",
                                   one_bit),
        "text_truncated_pixels": text_input("a.bmp 0 0 8 8 tp 0 1 2 3\n", truncated_pixels),
        "text_truncated_header": text_input("a.bmp 0 0 8 8 th.fr 0 1 2 3\n", truncated_header),
        "text_os2_header": text_input("a.bmp 0 0 8 8 os2 0 1 2 3\n", os2_header),
        "text_four_bit": text_input("a.bmp 0 0 8 8 four 0 1 2 3\n", four_bit),
        "text_unknown_compression": text_input("a.bmp 0 0 8 8 rle4 0 1 2 3\n",
                                               unknown_compression),
        "text_not_bmp": text_input("a.bmp 0 0 8 8 nb.fr 0 1 2 3\n", not_bmp),
        "text_no_palette": text_input("a.bmp 0 0 16 8 np.fr 0 1 2 1000\n", no_palette),
        "text_full_device": text_input(
            "a.bmp 0 0 16 16 tile 0 1 2 3\na.bmp 0 0 16 16 tile.fr 0 1 2 3\n", plain16,
            selector=FULL_DEVICE),
        "fixed_full_device": fixed_input([0, 0, 16, 8, 0, 1, 2, 3], rle16, binary=True,
                                         both_modes=True, extra=FULL_DEVICE),
        "fixed_plain_array": fixed_input([0, 0, 16, 16, 0, 1, 2, 3], plain16),
        "fixed_plain_fr_both": fixed_input([8, 0, 16, 16, 3, 2, 1, 0], plain24x16, binary=True,
                                           round_height=True, both_modes=True),
        "fixed_odd_size": fixed_input([0, 0, 13, 9, 0, 1, 2, 3], odd13x9, both_modes=True),
        "fixed_rle8_sparse_fr": fixed_input([0, 0, 16, 13, 0, 1, 2, 3], rle_sparse, binary=True,
                                            round_height=True),
        "fixed_rle8_padding": fixed_input([0, 0, 13, 8, 2, 0, 1, 3], rle_padding,
                                          both_modes=True),
        "fixed_one_bit_fr": fixed_input([0, 0, 40, 8, 0, 1, 0, 1], one_bit_wide, binary=True),
        "fixed_negative": fixed_input([-8, 0, -16, -8, -1, 256, 0, 1], plain16, binary=True,
                                      both_modes=True),
    }


def main():
    os.makedirs(CORPUS, exist_ok=True)
    made = seeds()
    for name, data in sorted(made.items()):
        if len(data) >= 4096:
            sys.exit(f"seed {name} is {len(data)} bytes; seeds stay under 4 KB")
        with open(os.path.join(CORPUS, name), "wb") as out:
            out.write(data)
    print(f"wrote {len(made)} seeds to {CORPUS}")


if __name__ == "__main__":
    main()
