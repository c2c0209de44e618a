#!/usr/bin/env python3
"""Draws the game's cross-hair cursor, resources/CrossHair.png: 32 x 32, its hot spot at
(16, 16), four white arms with a dark edge around a white dot, so it shows on sky and snow."""
import os
import struct
import zlib

SIZE = 32
CENTRE = 16
WHITE = (255, 255, 255, 255)
EDGE = (0, 0, 0, 160)


def arm_pixels():
    """The white pixels: the centre dot and four arms from 4 to 12 pixels out."""
    white = {(CENTRE, CENTRE)}
    for d in range(4, 13):
        white |= {(CENTRE + d, CENTRE), (CENTRE - d, CENTRE), (CENTRE, CENTRE + d), (CENTRE, CENTRE - d)}
    return white


def picture():
    white = arm_pixels()
    # The edge: every pixel next to a white arm pixel (not the dot) that is not white itself.
    edge = set()
    for (x, y) in white - {(CENTRE, CENTRE)}:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                edge.add((x + dx, y + dy))
    rows = []
    for y in range(SIZE):
        row = bytearray([0])  # no filter
        for x in range(SIZE):
            row += bytes(WHITE if (x, y) in white else EDGE if (x, y) in edge else (0, 0, 0, 0))
        rows.append(bytes(row))
    return b"".join(rows)


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(raw, size=SIZE):
    """A square 8-bit RGBA picture from its filtered rows."""
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "..", "resources", "CrossHair.png")
    with open(path, "wb") as out:
        out.write(png(picture()))
