#!/usr/bin/env python3
"""Draws the game's icon, resources/orvane.png: 64 x 64, a terraced hill in greens on the
splash's dusk purple, a grey pedestal on its top with the Tolmarch's red eye."""
import os

from make_cursor import png

SIZE = 64
BACK = (64, 48, 96, 255)
TERRACES = [(46, 120, 58), (62, 146, 70), (84, 170, 86), (110, 192, 104)]
PEDESTAL = (150, 150, 160, 255)
EYE = (220, 40, 40, 255)


def colour_at(x, y):
    # Four terraces, each narrower and higher than the one below it.
    for step, (r, g, b) in reversed(list(enumerate(TERRACES))):
        top = 52 - 9 * step
        half = 28 - 6 * step
        if top <= y < top + 9 and abs(x - 31.5) < half:
            return (r, g, b, 255)
    if 13 <= y < 16 + 0 and abs(x - 31.5) < 3:
        return PEDESTAL
    if 17 <= y < 25 and abs(x - 31.5) < 4:
        return PEDESTAL
    if 9 <= y < 13 and abs(x - 31.5) < 2:
        return EYE
    return BACK


def picture():
    rows = []
    for y in range(SIZE):
        row = bytearray([0])
        for x in range(SIZE):
            row += bytes(colour_at(x, y))
        rows.append(bytes(row))
    return b"".join(rows)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "..", "resources", "orvane.png"), "wb") as out:
        out.write(png(picture(), SIZE))
