#!/usr/bin/env python3
"""Writes the PNG decoder's cases beside this script: each NAME.png with the
pixels it must decode to in NAME.rgba (8-bit RGBA rows, top row first).

The cases cover every row filter, both colour types the decoder reads, and
every kind of deflate block (stored, fixed and dynamic codes), with the
compressed data split over several IDAT chunks. Run it after editing CASES
and commit what it writes.
"""

import struct
import zlib
from pathlib import Path

WIDTH, HEIGHT = 13, 11


def pixel(x, y):
    # Gradients that change across rows and columns, so every filter has
    # something to predict, and transparency from clear to opaque; on the
    # right, steps of equal values and slopes where the Paeth predictor's
    # ties decide.
    if x >= 7:
        step = (x // 3 + y // 2) * 40 % 256
        return (step, (y * 10 - x * 20) % 256, 255 - step, 255 if y % 3 else 0)
    return ((x * 19 + y * 7) % 256, (x * 3 + y * 23) % 256, (255 - x * 11) % 256, (x * y * 5) % 256)


def filtered_rows(channels, filters):
    rows, previous = [], bytes(WIDTH * channels)
    for y in range(HEIGHT):
        raw = bytes(c for x in range(WIDTH) for c in pixel(x, y)[:channels])
        kind = filters[y % len(filters)]
        out = bytearray()
        for i, value in enumerate(raw):
            left = raw[i - channels] if i >= channels else 0
            above = previous[i]
            above_left = previous[i - channels] if i >= channels else 0
            if kind == 0:
                predicted = 0
            elif kind == 1:
                predicted = left
            elif kind == 2:
                predicted = above
            elif kind == 3:
                predicted = (left + above) // 2
            else:
                estimate = left + above - above_left
                distances = [abs(estimate - v) for v in (left, above, above_left)]
                predicted = (left, above, above_left)[distances.index(min(distances))]
            out.append((value - predicted) % 256)
        rows.append(bytes([kind]) + bytes(out))
        previous = raw
    return b"".join(rows)


def compress(data, level, strategy):
    packer = zlib.compressobj(level, zlib.DEFLATED, 15, 9, strategy)
    return packer.compress(data) + packer.flush()


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png(channels, stream, pieces):
    colour_type = 6 if channels == 4 else 2
    step = -(-len(stream) // pieces)
    idats = b"".join(chunk(b"IDAT", stream[i:i + step]) for i in range(0, len(stream), step))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, colour_type, 0, 0, 0))
            + chunk(b"tEXt", b"Comment\x00ancillary, skipped") + idats + chunk(b"IEND", b""))


# name: channels, row filters (cycled), zlib level, zlib strategy, IDAT pieces
CASES = {
    "stored_rgba_filters_none_sub": (4, [0, 1], 0, zlib.Z_DEFAULT_STRATEGY, 1),
    "fixed_rgba_filters_up_average": (4, [2, 3], 6, zlib.Z_FIXED, 2),
    "dynamic_rgba_filter_paeth": (4, [4], 9, zlib.Z_DEFAULT_STRATEGY, 3),
    "dynamic_rgba_every_filter": (4, [0, 1, 2, 3, 4], 9, zlib.Z_DEFAULT_STRATEGY, 1),
    "huffman_only_rgb_every_filter": (3, [4, 3, 2, 1, 0], 9, zlib.Z_HUFFMAN_ONLY, 2),
    "rle_rgb_paeth_up": (3, [4, 2], 9, zlib.Z_RLE, 1),
}


def main():
    folder = Path(__file__).parent
    for name, (channels, filters, level, strategy, pieces) in CASES.items():
        stream = compress(filtered_rows(channels, filters), level, strategy)
        (folder / f"{name}.png").write_bytes(png(channels, stream, pieces))
        expected = bytes(c for y in range(HEIGHT) for x in range(WIDTH)
                         for c in pixel(x, y)[:channels] + ((255,) if channels == 3 else ()))
        (folder / f"{name}.rgba").write_bytes(expected)


if __name__ == "__main__":
    main()
