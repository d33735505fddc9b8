#!/usr/bin/env python3
"""Draws Tarvelo's icons and writes window.ico and file.ico next to this script.

The picture is a rounded candy-pink badge with a white letter T and, from
32 px up, a yellow level bar under it. Shapes are signed-distance rounded
boxes whose coverage gives the anti-aliasing, so only the standard library is
needed. The 128 and 64 px images are stored PNG-compressed (loaded by Windows
Vista and later, and by Wine); the smaller ones stay plain DIBs, which every
loader reads and which compress little anyway.

Run it again after changing the picture and commit its output; the output is
byte-for-byte the same on every run.
"""

import math
import os
import struct
import zlib

WINDOW_SIZES = (128, 64, 48, 32, 16)
PNG_SIZES = {128, 64}
FILE_ICON_SIZE = 32
FILE_ICON_BACKGROUND = (223, 255, 255)  # the main window's client colour

BADGE_TOP = (255, 128, 189)
BADGE_BOTTOM = (232, 62, 132)
BADGE_RIM = (166, 30, 90)
LETTER = (255, 255, 255)
LETTER_SHADOW = (150, 24, 80)
BAR_FILL = (255, 222, 70)


def rounded_box_distance(px, py, left, top, right, bottom, radius):
    """Signed distance in the same units as the box; negative inside."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    qx = abs(px - cx) - (right - left) / 2 + radius
    qy = abs(py - cy) - (bottom - top) / 2 + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def coverage(distance_px):
    """Fraction of a pixel covered by a shape edge distance_px from its centre."""
    return min(max(0.5 - distance_px, 0.0), 1.0)


def lerp(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


class Canvas:
    """Premultiplied RGBA floats in 0..1, top row first."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def blend(self, x, y, rgb, alpha):
        if alpha <= 0.0:
            return
        p = self.pixels[y * self.size + x]
        keep = 1.0 - alpha
        for i in range(3):
            p[i] = rgb[i] / 255.0 * alpha + p[i] * keep
        p[3] = alpha + p[3] * keep

    def fill_box(self, box, radius, colour, alpha=1.0, clip=None):
        """Fills a rounded box given in pixels; colour may be a function of y."""
        left, top, right, bottom = box
        for y in range(max(0, int(top) - 1), min(self.size, int(bottom) + 2)):
            for x in range(max(0, int(left) - 1), min(self.size, int(right) + 2)):
                cx, cy = x + 0.5, y + 0.5
                a = coverage(rounded_box_distance(cx, cy, left, top, right, bottom, radius))
                if clip is not None:
                    a *= clip(cx, cy)
                rgb = colour(cy) if callable(colour) else colour
                self.blend(x, y, rgb, a * alpha)

    def rgba(self, x, y):
        """Straight (not premultiplied) 8-bit RGBA."""
        r, g, b, a = self.pixels[y * self.size + x]
        if a <= 0.0:
            return (0, 0, 0, 0)
        return tuple(round(min(c / a, 1.0) * 255) for c in (r, g, b)) + (round(a * 255),)


def draw(size):
    """The badge at one size; edges of straight parts fall on whole pixels."""
    c = Canvas(size)

    def at(u):
        return round(u * size)

    detailed = size >= 32
    margin = max(0.5, size / 32)
    badge = (margin, margin, size - margin, size - margin)
    badge_radius = size * 0.22

    def badge_colour(y):
        return lerp(BADGE_TOP, BADGE_BOTTOM, (y - badge[1]) / (badge[3] - badge[1]))

    if size >= 48:  # soft shadow under the badge, offset down
        soft = size / 24
        for y in range(size):
            for x in range(size):
                d = rounded_box_distance(x + 0.5, y + 0.5 - soft / 2, *badge, badge_radius)
                c.blend(x, y, (60, 0, 30), 0.3 * coverage(d / soft))

    c.fill_box(badge, badge_radius, BADGE_RIM)
    rim = max(1.0, size / 32)
    inner = (badge[0] + rim, badge[1] + rim, badge[2] - rim, badge[3] - rim)
    c.fill_box(inner, badge_radius - rim, badge_colour)

    if detailed:  # gloss over the upper half, kept inside the badge
        def inside_badge(x, y):
            return coverage(rounded_box_distance(x, y, *inner, badge_radius - rim))
        gloss = (inner[0], inner[1], inner[2], size * 0.5)
        c.fill_box(gloss, badge_radius - rim, LETTER, 0.22, clip=inside_badge)

    # The letter T; at 16 px larger and without its shadow, so it stays legible.
    letter_radius = size * 0.025 if detailed else 0.3
    crossbar = (at(0.24), at(0.2), at(0.76), at(0.36 if detailed else 0.38))
    stem = (at(0.41 if detailed else 0.38), crossbar[1], at(0.59 if detailed else 0.62), at(0.66 if detailed else 0.8))
    if detailed:
        offset = max(1, size // 32)
        for part in (crossbar, stem):
            c.fill_box(tuple(v + offset for v in part), letter_radius, LETTER_SHADOW, 0.6)
    for part in (crossbar, stem):
        c.fill_box(part, letter_radius, LETTER)

    if detailed:  # level bar: a dark track two-thirds filled
        track = (at(0.2), at(0.74), at(0.8), at(0.84))
        track_radius = (track[3] - track[1]) / 2
        c.fill_box(track, track_radius, LETTER_SHADOW, 0.55)
        fill = (track[0], track[1], at(0.6), track[3])
        c.fill_box(fill, track_radius, BAR_FILL)
    return c


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_rows(rows, bpp):
    """Per row, the PNG filter with the smallest sum of signed residues."""
    out = bytearray()
    prior = bytes(len(rows[0]))
    for row in rows:
        candidates = []
        for kind in range(5):
            f = bytearray(len(row))
            for i, v in enumerate(row):
                a = row[i - bpp] if i >= bpp else 0
                b = prior[i]
                c = prior[i - bpp] if i >= bpp else 0
                pred = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
                f[i] = (v - pred) & 0xFF
            score = sum(x if x < 128 else 256 - x for x in f)
            candidates.append((score, kind, f))
        _, kind, f = min(candidates, key=lambda t: (t[0], t[1]))
        out.append(kind)
        out += f
        prior = row
    return bytes(out)


def encode_png(canvas):
    n = canvas.size
    rows = [bytes(v for x in range(n) for v in canvas.rgba(x, y)) for y in range(n)]
    header = struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(filter_rows(rows, 4), 9))
            + png_chunk(b"IEND", b""))


def and_mask(n, transparent):
    """1-bpp mask, bottom row first, rows padded to 32 bits; 1 = transparent."""
    stride = (n + 31) // 32 * 4
    out = bytearray()
    for y in reversed(range(n)):
        row = bytearray(stride)
        for x in range(n):
            if transparent(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def encode_dib(canvas, bits, background=None):
    """An icon image as a DIB: header (height doubled for the mask), colour
    rows bottom first as BGR(A), then the AND mask."""
    n = canvas.size
    pixels = bytearray()
    for y in reversed(range(n)):
        row = bytearray()
        for x in range(n):
            r, g, b, a = canvas.rgba(x, y)
            if bits == 24:
                r, g, b = (round((v * a + bg * (255 - a)) / 255) for v, bg in zip((r, g, b), background))
                row += bytes((b, g, r))
            else:
                row += bytes((b, g, r, a))
        row += bytes(-len(row) % 4)
        pixels += row
    if bits == 24:
        mask = and_mask(n, lambda x, y: False)
    else:
        mask = and_mask(n, lambda x, y: canvas.rgba(x, y)[3] == 0)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, bits, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + mask


def write_ico(path, images):
    """images: (size, bits per pixel, encoded image) in directory order."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b"", b""
    for size, bits, blob in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(blob), offset + len(data))
        data += blob
    with open(path, "wb") as f:
        f.write(directory + entries + data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    window = []
    for size in WINDOW_SIZES:
        canvas = draw(size)
        blob = encode_png(canvas) if size in PNG_SIZES else encode_dib(canvas, 32)
        window.append((size, 32, blob))
    write_ico(os.path.join(here, "window.ico"), window)
    file_icon = encode_dib(draw(FILE_ICON_SIZE), 24, FILE_ICON_BACKGROUND)
    write_ico(os.path.join(here, "file.ico"), [(FILE_ICON_SIZE, 24, file_icon)])


if __name__ == "__main__":
    main()
