#!/usr/bin/env python3
"""Regenerates the backdrop tile and the program icon under src/shell.

Developer tool only: the build uses the committed outputs, so run this after
changing the artwork and commit what it writes. Output is byte-for-byte
deterministic.
"""

import math
import os
import struct
import sys

# The 16-colour VGA set with 191 as half intensity, as the resources are
# meant to look the same on 16-colour displays.
PALETTE = [
    (0, 0, 0), (191, 0, 0), (0, 191, 0), (191, 191, 0),
    (0, 0, 191), (191, 0, 191), (0, 191, 191), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

BLACK, DARK_RED, DARK_BLUE, CYAN = 0, 1, 4, 6
GREY, RED, BLUE, WHITE = 7, 9, 12, 15

TILE_W, TILE_H = 41, 59
ICON = 32


def palette_bytes(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       image_size, 0, 0, 0, 0)


def pack_rows(pixels, width, bits):
    """Bottom-up rows, each padded to a 32-bit boundary as DIBs require."""
    per_byte = 8 // bits
    stride = ((width * bits + 31) // 32) * 4
    out = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, value in enumerate(row):
            shift = 8 - bits * (x % per_byte + 1)
            line[x // per_byte] |= value << shift
        out += line
    return bytes(out)


# ---------------------------------------------------------------- backdrop

def tile_pixels():
    """A diamond lattice whose crossings sit on the tile edges, so any
    repeat of the tile continues the lines without a seam."""
    gx, gy = 2.0 / TILE_W, 2.0 / TILE_H
    unit = math.hypot(gx, gy)

    def folded(x, y):
        # Offsets from the tile centre, measured at pixel centres.
        return (abs((x + 0.5) % TILE_W - TILE_W / 2.0),
                abs((y + 0.5) % TILE_H - TILE_H / 2.0))

    def lattice(x, y):
        # Signed distance in pixels to the nearest diamond edge.
        dx, dy = folded(x, y)
        return (dx * gx + dy * gy - 1.0) / unit

    def knot(x, y):
        # Distance to the nearest crossing, kept diamond-shaped to match.
        dx, dy = folded(x, y)
        return min(TILE_W / 2.0 - dx + dy, dx + TILE_H / 2.0 - dy)

    pixels = []
    for y in range(TILE_H):
        row = []
        for x in range(TILE_W):
            edge = abs(lattice(x, y))
            if knot(x, y) <= 2.0:
                colour = CYAN
            elif abs(edge - 1.5) < 0.55:
                # Paired dark lines stay quiet under the white title.
                colour = DARK_BLUE
            else:
                colour = BLUE
            row.append(colour)
        pixels.append(row)
    return pixels


def backdrop_bmp():
    data = pack_rows(tile_pixels(), TILE_W, 4)
    info = info_header(TILE_W, TILE_H, 4, len(data)) + palette_bytes(PALETTE)
    offset = 14 + len(info)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return head + info + data


# -------------------------------------------------------------------- icon

# Capital letters for the cover, three columns by five rows.
FONT = {
    "A": ["010", "101", "111", "101", "101"],
    "B": ["110", "101", "110", "101", "110"],
    "C": ["011", "100", "100", "100", "011"],
}

CLEAR = -1


def stroke_side(px, py, a, b):
    """Distance from a pixel to segment ab, and whether it lies below it."""
    (ax, ay), (bx, by) = a, b
    vx, vy = bx - ax, by - ay
    t = ((px - ax) * vx + (py - ay) * vy) / float(vx * vx + vy * vy)
    t = max(0.0, min(1.0, t))
    d = math.hypot(px - (ax + t * vx), py - (ay + t * vy))
    return d, vx * (py - ay) - vy * (px - ax) > 0


def icon_pixels():
    """Returns the colour picture and, in step, the two-tone one, both with
    CLEAR where the icon is transparent."""
    colour = [[CLEAR] * ICON for _ in range(ICON)]
    mono = [[CLEAR] * ICON for _ in range(ICON)]

    def put(x, y, c, m):
        colour[y][x] = c
        mono[y][x] = m

    def rect(x0, y0, x1, y1, c, m):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                put(x, y, c, m)

    # Book: outline, cover, darker spine, then the page block at the foot.
    left, right, top, bottom = 4, 24, 2, 28
    rect(left, top, right, bottom, BLACK, 0)
    rect(left + 1, top + 1, right - 1, bottom - 5, BLUE, 0)
    rect(left + 1, top + 1, left + 2, bottom - 1, DARK_BLUE, 0)
    put(left + 3, top + 1, DARK_BLUE, 0)
    for y in range(top + 2, bottom - 4):
        # Two tones cannot show the darker spine, so mark it with a crease.
        mono[y][left + 3] = 1
    for y in range(bottom - 4, bottom):
        for x in range(left + 3, right):
            if y == bottom - 4:
                put(x, y, BLACK, 0)
            elif y == bottom - 2:
                put(x, y, GREY, 0)
            else:
                put(x, y, WHITE, 1)
    # Rounded corners read as a bound book rather than a box.
    for x, y in ((left, top), (right, top), (left, bottom), (right, bottom)):
        put(x, y, CLEAR, CLEAR)

    # Title on the cover, with a rule beneath it.
    x = 9
    for letter in "ABC":
        for dy, bits in enumerate(FONT[letter]):
            for dx, bit in enumerate(bits):
                if bit == "1":
                    put(x + dx, 6 + dy, WHITE, 1)
        x += 4
    for x in range(9, 20):
        put(x, 13, CYAN, 1)

    # The check mark, red with a black rim so it holds over any background.
    path = [(8.5, 16.5), (13.5, 21.5), (28.0, 6.0)]
    for y in range(ICON):
        for x in range(ICON):
            d, below = min(stroke_side(x, y, a, b)
                           for a, b in zip(path, path[1:]))
            if d <= 1.6:
                # The underside in dark red gives the stroke some depth.
                put(x, y, DARK_RED if below and d > 0.8 else RED, 1)
            elif d <= 2.6:
                put(x, y, BLACK, 0)
    return colour, mono


def icon_image(pixels, bits, colours):
    height = len(pixels)
    xor = pack_rows([[max(v, 0) for v in row] for row in pixels], ICON, bits)
    mask = pack_rows([[1 if v == CLEAR else 0 for v in row]
                      for row in pixels], ICON, 1)
    header = info_header(ICON, height * 2, bits, len(xor) + len(mask))
    return header + palette_bytes(colours) + xor + mask


def setup_ico():
    colour, mono = icon_pixels()
    images = [
        (icon_image(colour, 4, PALETTE), 16, 4),
        (icon_image(mono, 1, [(0, 0, 0), (255, 255, 255)]), 2, 1),
    ]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for data, count, bits in images:
        out += struct.pack("<BBBBHHII", ICON, ICON, count, 0, 1, bits,
                           len(data), offset)
        offset += len(data)
    return out + b"".join(data for data, _, _ in images)


def main():
    top = os.path.normpath(os.path.join(os.path.dirname(
        os.path.abspath(__file__)), "..", ".."))
    shell = os.path.join(top, "src", "shell")
    for name, data in (("slika.bmp", backdrop_bmp()),
                       ("setup.ico", setup_ico())):
        path = os.path.join(shell, name)
        with open(path, "wb") as f:
            f.write(data)
        print("%s: %d bytes" % (path, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
