#!/usr/bin/env python3
"""Draws the splash picture media/Orvane_Splash1.png: the title over a terraced landscape of
the game at dusk, mirrored in a lake. The landscape is the game's own, read from
`orvane --dump-landscape NUMBER`; the picture is written with the standard library only.

usage: make_splash.py [ORVANE_BINARY] [OUTPUT]   (defaults: build/orvane media/Orvane_Splash1.png)
"""

import json
import math
import struct
import subprocess
import sys
import zlib

WIDTH, HEIGHT = 448, 384
LANDSCAPE_NUMBER = 7
WATERLINE = 200  # the lake's shore, in picture rows

# A 5 x 7 block letter per character of the title, '#' for a filled cell.
LETTERS = {
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
}


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rows = [[(0, 0, 0)] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def rect(self, left, top, width, height, colour):
        for y in range(top, top + height):
            for x in range(left, left + width):
                self.put(x, y, colour)

    def triangle(self, a, b, c, colour):
        """Fills a triangle of float points, pixel centres inside it."""
        top = max(0, math.ceil(min(a[1], b[1], c[1]) - 0.5))
        bottom = min(self.height - 1, math.floor(max(a[1], b[1], c[1]) - 0.5))
        edges = [(a, b), (b, c), (c, a)]
        for y in range(top, bottom + 1):
            cy = y + 0.5
            xs = []
            for p, q in edges:
                if (p[1] <= cy < q[1]) or (q[1] <= cy < p[1]):
                    xs.append(p[0] + (cy - p[1]) * (q[0] - p[0]) / (q[1] - p[1]))
            if len(xs) < 2:
                continue
            left = max(0, math.ceil(min(xs) - 0.5))
            right = min(self.width - 1, math.floor(max(xs) - 0.5))
            row = self.rows[y]
            for x in range(left, right + 1):
                row[x] = colour

    def png(self):
        raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in self.rows)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def sky(canvas):
    top, bottom = (18, 12, 40), (120, 78, 120)
    for y in range(WATERLINE):
        colour = mix(top, bottom, (y / WATERLINE) ** 1.6)
        canvas.rows[y] = [colour] * canvas.width
    seed = 12345
    for _ in range(90):  # stars, the same every time
        seed = (seed * 1103515245 + 12345) % 2**31
        x = seed % canvas.width
        seed = (seed * 1103515245 + 12345) % 2**31
        y = seed % (WATERLINE // 2)
        canvas.put(x, y, mix(canvas.rows[y][x], (255, 250, 230), 0.4 + (seed % 60) / 100))


def title(canvas, text, cell, top):
    width = len(text) * 6 * cell - cell
    left = (canvas.width - width) // 2
    for i, letter in enumerate(text):
        for row, line in enumerate(LETTERS[letter]):
            for column, mark in enumerate(line):
                if mark != "#":
                    continue
                x, y = left + (i * 6 + column) * cell, top + row * cell
                canvas.rect(x + 2, y + 2, cell, cell, (30, 16, 44))  # shadow
                canvas.rect(x, y, cell, cell, mix((255, 214, 120), (236, 120, 60), row / 6))
                canvas.rect(x, y, cell, 1, (255, 240, 190))


def landscape(canvas, dump):
    heights = dump["heights"]
    n = dump["gridSize"]
    flat = {(x, z) for x, z, _ in dump["squares"]}
    scale_x, scale_y, scale_h = 10.0, 4.2, 4.6
    centre_x, base_y = canvas.width / 2, 46.0
    top_height = max(max(row) for row in heights)

    def screen(x, z, h):
        return (centre_x + (x - z) * scale_x, base_y + (x + z) * scale_y + (top_height - h) * scale_h)

    light = (-0.4, 0.8, 0.45)
    length = math.sqrt(sum(v * v for v in light))
    light = tuple(v / length for v in light)

    def shade(colour, p, q, r):
        u = [q[i] - p[i] for i in range(3)]
        v = [r[i] - p[i] for i in range(3)]
        normal = (u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0])
        size = math.sqrt(sum(c * c for c in normal)) or 1.0
        if normal[1] < 0:
            normal = tuple(-c for c in normal)
        light_on = max(0.0, sum(normal[i] * light[i] for i in range(3)) / size)
        return mix((0, 0, 0), colour, 0.35 + 0.65 * light_on)

    objects = {}
    for thing in dump["objects"]:
        objects.setdefault((thing["x"], thing["z"]), []).append(thing)

    # Far squares first: the viewer looks from the corner of the largest x and z.
    for total in range(2 * n - 1):
        for x in range(n):
            z = total - x
            if not 0 <= z < n:
                continue
            corners = [(x, z), (x + 1, z), (x + 1, z + 1), (x, z + 1)]
            points = [(cx, heights[cx][cz], cz) for cx, cz in corners]
            if (x, z) in flat:
                colour = (96, 168, 72) if (x + z) % 2 == 0 else (70, 140, 60)
            else:
                colour = (150, 128, 108)
            for a, b, c in ((0, 1, 2), (0, 2, 3)):
                tri = [points[a], points[b], points[c]]
                canvas.triangle(*[screen(p[0], p[2], p[1]) for p in tri], shade(colour, *tri))
            for thing in objects.get((x, z), []):
                draw_object(canvas, screen, thing)


def draw_object(canvas, screen, thing):
    x, z = thing["x"] + 0.5, thing["z"] + 0.5
    base, height = thing["base"], thing["height"]
    foot = screen(x, z, base)
    head = screen(x, z, base + height)
    if thing["kind"] == "tree":
        canvas.rect(round(foot[0]) - 1, round(foot[1] - 6), 2, 6, (70, 46, 30))
        canvas.triangle((foot[0] - 5, foot[1] - 4), (foot[0] + 5, foot[1] - 4), head, (30, 92, 46))
    else:
        colour = (220, 200, 150) if thing["kind"] == "pedestal" else (180, 180, 200)
        canvas.rect(round(foot[0]) - 3, round(head[1]), 6, max(1, round(foot[1] - head[1])), colour)


def lake(canvas):
    water = (26, 22, 58)
    for y in range(WATERLINE, canvas.height):
        mirrored = 2 * WATERLINE - y
        depth = (y - WATERLINE) / (canvas.height - WATERLINE)
        source = canvas.rows[mirrored] if mirrored >= 0 else [water] * canvas.width
        keep = 0.45 * (1 - depth) if (y // 3) % 4 else 0.25 * (1 - depth)
        canvas.rows[y] = [mix(water, pixel, keep) for pixel in source]


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else "build/orvane"
    output = sys.argv[2] if len(sys.argv) > 2 else "media/Orvane_Splash1.png"
    dump = json.loads(subprocess.run([binary, "--dump-landscape", str(LANDSCAPE_NUMBER)],
                                     check=True, capture_output=True, text=True).stdout)
    canvas = Canvas(WIDTH, HEIGHT)
    sky(canvas)
    landscape(canvas, dump)
    lake(canvas)
    title(canvas, "ORVANE", 6, 10)
    with open(output, "wb") as file:
        file.write(canvas.png())


if __name__ == "__main__":
    main()
