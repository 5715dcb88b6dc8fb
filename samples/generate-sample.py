#!/usr/bin/env python3
"""Draws samples/lake-at-night.png, the bundled sample picture: a small pixel-art
night scene in flat colours with hard edges. The lake is the effect's default key
colour #03B4F5 with two nearby blues for depth and ripples, and nothing else is
blue-green; the corners are transparent and the cloud is half transparent. Only the standard library is used, so anyone can redraw it:

    python3 samples/generate-sample.py
"""

import os
import struct
import zlib

WIDTH, HEIGHT = 128, 96

CLEAR = (0, 0, 0, 0)
OUTLINE = (26, 20, 35, 255)
SKY = (43, 45, 92, 255)
STAR = (255, 244, 194, 255)
MOON = (255, 224, 138, 255)
CLOUD = (255, 255, 255, 150)
FAR_MOUNTAIN = (78, 66, 114, 255)
NEAR_MOUNTAIN = (107, 91, 149, 255)
SNOW = (242, 242, 242, 255)
LAKE = (3, 180, 245, 255)  # the key colour
DEEP_WATER = (2, 140, 200, 255)  # within a 10 % colour range of the key
RIPPLE = (90, 205, 250, 255)  # likewise
GRASS = (63, 163, 77, 255)
HILL = (44, 110, 63, 255)
PINE = (31, 95, 58, 255)
TRUNK = (107, 62, 38, 255)
HULL = (139, 74, 43, 255)
SAIL = (245, 245, 245, 255)

LAKE_TOP, SHORE_TOP = 62, 80
MOON_X = 72
STARS = {(12, 9), (45, 7), (52, 19), (9, 24), (60, 30), (88, 9), (100, 22), (110, 12), (118, 30),
         (28, 22), (96, 36), (40, 13), (116, 44), (80, 26), (20, 33), (106, 5), (8, 40), (64, 10)}


def inside_frame(x, y):
    """A rounded rectangle: cut corners give the stair-stepped diagonals pixel art has."""
    left, top, right, bottom, cut = 3, 3, WIDTH - 4, HEIGHT - 4, 7
    if not (left <= x <= right and top <= y <= bottom):
        return False
    dx = min(x - left, right - x)
    dy = min(y - top, bottom - y)
    return dx + dy >= cut


def on_frame_edge(x, y):
    return inside_frame(x, y) and not all(
        inside_frame(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1))


def in_triangle(x, y, peak_x, peak_y, base_y, slope):
    """Rows widen by `slope` pixels on each side per row below the peak."""
    if not peak_y <= y < base_y:
        return False
    return abs(x - peak_x) <= (y - peak_y) * slope


def in_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def scene(x, y):
    if not inside_frame(x, y):
        return CLEAR
    if on_frame_edge(x, y):
        return OUTLINE
    if y >= SHORE_TOP:
        # A hill rising to the left, pines on the right.
        if in_triangle(x, y, 18, SHORE_TOP - 3, HEIGHT, 2.5):
            return HILL
        for px in (92, 104, 114):
            if in_triangle(x, y, px, SHORE_TOP - 14, SHORE_TOP + 6, 0.45):
                return PINE
            if abs(x - px) <= 1 and y < SHORE_TOP + 9:
                return TRUNK
        return GRASS
    for px in (92, 104, 114):
        if in_triangle(x, y, px, SHORE_TOP - 14, SHORE_TOP + 6, 0.45):
            return PINE
    if y >= LAKE_TOP:
        if in_triangle(x, y, 50, 64, 75, 1.0) and x <= 50 and y >= 64:
            return SAIL
        if 71 <= y <= 74 and 40 + (y - 71) <= x <= 60 - (y - 71):
            return HULL
        for rx, ry, length in ((14, 67, 8), (74, 68, 10), (22, 74, 6), (64, 77, 9), (100, 68, 7)):
            if y == ry and rx <= x < rx + length:
                return RIPPLE
        # The moon's reflection, broken into short strokes.
        if y in (66, 70, 73) and abs(x - MOON_X) <= 4 - (y - 66) // 3:
            return RIPPLE
        return DEEP_WATER if y < LAKE_TOP + 3 else LAKE
    if in_triangle(x, y, 36, 26, LAKE_TOP, 1.6):
        return SNOW if y < 33 else NEAR_MOUNTAIN
    if in_triangle(x, y, 80, 34, LAKE_TOP, 2.0):
        return FAR_MOUNTAIN
    if in_circle(x, y, MOON_X, 18, 9) and not in_circle(x, y, MOON_X + 4, 15, 8):
        return MOON
    if 12 <= y <= 17 and 16 <= x <= 34 and not ((y == 12 and (x < 20 or x > 28)) or (y == 17 and x in (16, 34))):
        return CLOUD
    if (x, y) in STARS:
        return STAR
    return SKY


def png(width, height, pixel):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    rows = b"".join(
        b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA, straight alpha
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))


if __name__ == "__main__":
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lake-at-night.png")
    with open(path, "wb") as file:
        file.write(png(WIDTH, HEIGHT, scene))
    print(path)
