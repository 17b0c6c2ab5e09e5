#!/usr/bin/env python3
"""Draws the default billboard sprite Texture/ParticleA.png: a 64 x 64 RGBA image, white,
with an alpha that falls smoothly from opaque at the centre to clear at the rim.

Standard library only (zlib and struct). The drawn colour comes from the particle's
colour record, which the sprite modulates, so the sprite itself stays white.
Run from anywhere: python3 scripts/make_textures.py [output folder]
"""
import os
import struct
import sys
import zlib

SIZE = 64


def sprite_alpha(x, y):
    """Alpha 0..255 of pixel (x, y): (1 - r^2)^2 with r the distance from the centre over
    the radius, sampled at the pixel centre; 0 outside the circle."""
    c = SIZE / 2.0
    dx = (x + 0.5 - c) / c
    dy = (y + 0.5 - c) / c
    r2 = dx * dx + dy * dy
    if r2 >= 1.0:
        return 0
    return int(round(255 * (1.0 - r2) ** 2))


def png_bytes(width, height, rows):
    """PNG file bytes of RGBA rows (each a bytes object of 4 * width)."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "Texture")
    os.makedirs(out_dir, exist_ok=True)
    rows = []
    for y in range(SIZE):
        row = bytearray()
        for x in range(SIZE):
            row += bytes((255, 255, 255, sprite_alpha(x, y)))
        rows.append(bytes(row))
    path = os.path.join(out_dir, "ParticleA.png")
    with open(path, "wb") as f:
        f.write(png_bytes(SIZE, SIZE, rows))
    print(path)


if __name__ == "__main__":
    main()
