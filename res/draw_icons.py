#!/usr/bin/env python3
"""Draws the program icon (32 x 32) and the tray icon (16 x 16): four small squares in the
icon windows' colours, trailing down and to the left like the chain behind the pointer,
with a white arrow pointer at the top right. The tray icon of a paused chain has the squares
in greys and a pause sign where the pointer was. Each file also holds the image drawn for
every display scale from 125 % to 200 %, so no scale gets a stretched one. Writes
miruteka.ico, tray.ico and tray_paused.ico beside itself."""
import os
import struct

COLOURS = [(255, 255, 0), (255, 128, 128), (192, 192, 255), (255, 192, 128)]  # RGB
GREYS = [(224, 224, 224), (192, 192, 192), (176, 176, 176), (160, 160, 160)]
OUTLINE = (64, 64, 64)


def draw_pause_sign(px, size, unit):
    """Two upright bars, dark with a white rim so they show on any taskbar."""
    width, height, top = max(2, round(4 * unit)), max(6, round(13 * unit)), 0
    for left in (size - 2 * width - max(1, round(3 * unit)), size - width):
        for y in range(top, top + height):
            for x in range(left, left + width):
                rim = y in (top, top + height - 1) or x in (left, left + width - 1)
                px[y][x] = (255, 255, 255) if rim and width > 2 else (32, 32, 32)


def draw(size, paused=False):
    px = [[None] * size for _ in range(size)]
    unit = size / 32.0
    box = max(3, round(7 * unit))
    starts = [(17, 8), (12, 13), (7, 18), (2, 23)]
    for (sx, sy), colour in zip(starts, GREYS if paused else COLOURS):
        x0, y0 = round(sx * unit), round(sy * unit)
        for y in range(y0, min(size, y0 + box)):
            for x in range(x0, min(size, x0 + box)):
                edge = y in (y0, y0 + box - 1) or x in (x0, x0 + box - 1)
                px[y][x] = OUTLINE if edge else colour
    if paused:
        draw_pause_sign(px, size, unit)
        return px
    # Arrow pointer: a right triangle with its tip at the top right.
    tip_x, tip_y, length = round(24 * unit), round(1 * unit), max(5, round(10 * unit))
    for dy in range(length):
        for dx in range(dy + 1):
            x, y = tip_x + dx, tip_y + dy
            if x < size and y < size:
                edge = dx in (0, dy) or dy == length - 1
                px[y][x] = (0, 0, 0) if edge else (255, 255, 255)
    return px


def image(size, paused):
    px = draw(size, paused)
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


def ico(base, paused=False):
    """The image at 96 dpi first, then at 120, 144, 168 and 192 dpi."""
    sizes = [base * dpi // 96 for dpi in (96, 120, 144, 168, 192)]
    images = [image(size, paused) for size in sizes]
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
with open(os.path.join(here, "tray_paused.ico"), "wb") as f:
    f.write(ico(16, paused=True))
