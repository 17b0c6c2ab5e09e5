#!/usr/bin/env python3
"""Writes Texture/Star.png: the 32 x 32 sprite of the BG filter's stars, a white point with
a soft round glow and faint horizontal and vertical rays, in its alpha channel."""
import math
import struct
import sys
import zlib

SIZE = 32


def pixel(x, y):
    c = (SIZE - 1) / 2.0
    dx, dy = (x - c) / c, (y - c) / c
    r = math.hypot(dx, dy)
    core = math.exp(-(r / 0.18) ** 2)
    glow = 0.35 * math.exp(-(r / 0.45) ** 2)
    rays = 0.25 * (math.exp(-(dy / 0.05) ** 2) + math.exp(-(dx / 0.05) ** 2)) * max(0.0, 1.0 - r)
    a = min(1.0, core + glow + rays) * max(0.0, min(1.0, (1.0 - r) * 4))
    return 255, 255, 255, int(round(a * 255))


def png(path):
    rows = b""
    for y in range(SIZE):
        rows += b"\x00" + b"".join(struct.pack("4B", *pixel(x, y)) for x in range(SIZE))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    head = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(rows, 9)) +
                chunk(b"IEND", b""))


if __name__ == "__main__":
    png(sys.argv[1] if len(sys.argv) > 1 else "Texture/Star.png")
