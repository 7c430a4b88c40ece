#!/usr/bin/env python3
"""Draws the small PNG pictures that the skinned-control tests load from
tests/win/test_pictures.rc. Run it from anywhere; it writes beside itself.

Nine-patch pictures carry the one-pixel frame: opaque black marks in the top
row and left column (stretchable columns and rows), black runs in the right
column and bottom row (content area), transparent white elsewhere."""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
BLACK = (0, 0, 0, 255)
CLEAR_WHITE = (255, 255, 255, 0)


def write_png(name, pixels):
    """pixels: rows of (r, g, b, a) tuples."""
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(raw, 9))
           + chunk(b"IEND", b""))
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(png)


def nine_patch(width, height, column_marks, row_marks, content_columns, content_rows, inner):
    """inner(x, y) gives the colour of picture pixel (x, y) inside the frame."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            if y == 0:
                row.append(BLACK if x in column_marks else CLEAR_WHITE)
            elif x == 0:
                row.append(BLACK if y in row_marks else CLEAR_WHITE)
            elif y == height - 1:
                row.append(BLACK if x in content_columns else CLEAR_WHITE)
            elif x == width - 1:
                row.append(BLACK if y in content_rows else CLEAR_WHITE)
            else:
                row.append(inner(x, y))
        rows.append(row)
    return rows


def identifiable(x, y):
    """Every inner pixel its own colour; two of them show alpha."""
    if (x, y) == (1, 1):
        return (255, 0, 0, 0)
    if (x, y) == (2, 1):
        return (200, 100, 50, 128)
    return (x * 25, y * 40, 200, 255)


def solid(color):
    return lambda x, y: color


STATE_COLORS = {  # normal, hover, pressed, selected, disabled
    "normal": (200, 0, 0, 255),
    "hover": (0, 200, 0, 255),
    "pressed": (0, 0, 200, 255),
    "selected": (200, 200, 0, 255),
    "disabled": (128, 128, 128, 255),
}


def main():
    write_png("np_one.png", nine_patch(10, 7, {4}, {3}, range(2, 7), range(2, 5), identifiable))
    write_png("np_three.png", nine_patch(10, 7, {2, 4, 6}, {3}, range(2, 7), range(2, 5),
                                         identifiable))
    # Plain picture, 4 x 3, with a transparent and a half-transparent pixel.
    write_png("plain_alpha.png", [[identifiable(x + 1, y + 1) for x in range(4)] for y in range(3)])
    for state, color in STATE_COLORS.items():
        # Plain 16 x 8 button pictures whose left column is transparent.
        write_png(f"plain_{state}.png",
                  [[(0, 0, 0, 0) if x == 0 else color for x in range(16)] for y in range(8)])
        # 5 x 5 nine-patch pictures: one colour, content area the whole inside.
        write_png(f"np_{state}.png", nine_patch(5, 5, {2}, {2}, range(1, 4), range(1, 4),
                                                solid(color)))
    with open(os.path.join(HERE, "not_a_picture.png"), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n but nothing after the signature")


if __name__ == "__main__":
    main()
