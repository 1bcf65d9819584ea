#!/usr/bin/env python3
"""Draws the program icon (32 x 32) and the tray icon (16 x 16): four small squares in the
icon windows' colours, trailing down and to the left like the chain behind the pointer,
with a white arrow pointer at the top right. Each file also holds the image drawn for every
display scale from 125 % to 200 %, so no scale gets a stretched one. Writes miruteka.ico and
tray.ico beside itself."""
import os
import struct

COLOURS = [(255, 255, 0), (255, 128, 128), (192, 192, 255), (255, 192, 128)]  # RGB
OUTLINE = (64, 64, 64)


def draw(size):
    px = [[None] * size for _ in range(size)]
    unit = size / 32.0
    box = max(3, round(7 * unit))
    starts = [(17, 8), (12, 13), (7, 18), (2, 23)]
    for (sx, sy), colour in zip(starts, COLOURS):
        x0, y0 = round(sx * unit), round(sy * unit)
        for y in range(y0, min(size, y0 + box)):
            for x in range(x0, min(size, x0 + box)):
                edge = y in (y0, y0 + box - 1) or x in (x0, x0 + box - 1)
                px[y][x] = OUTLINE if edge else colour
    # Arrow pointer: a right triangle with its tip at the top right.
    tip_x, tip_y, length = round(24 * unit), round(1 * unit), max(5, round(10 * unit))
    for dy in range(length):
        for dx in range(dy + 1):
            x, y = tip_x + dx, tip_y + dy
            if x < size and y < size:
                edge = dx in (0, dy) or dy == length - 1
                px[y][x] = (0, 0, 0) if edge else (255, 255, 255)
    return px


def image(size):
    px = draw(size)
    xor = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            p = px[y][x]
            xor += bytes((p[2], p[1], p[0], 255)) if p else b"\0\0\0\0"
    row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray(row)
        for x in range(size):
            if px[y][x] is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def ico(base):
    """The image at 96 dpi first, then at 120, 144, 168 and 192 dpi."""
    sizes = [base * dpi // 96 for dpi in (96, 120, 144, 168, 192)]
    images = [image(size) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + b"".join(images)


here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "miruteka.ico"), "wb") as f:
    f.write(ico(32))
with open(os.path.join(here, "tray.ico"), "wb") as f:
    f.write(ico(16))
