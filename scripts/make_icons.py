#!/usr/bin/env python3
"""Draws the program's 16 x 16 icons into ICONS/ as RGBA PNG files.

Standard library only: shapes are rasterised with 4 x 4 supersampling and written with
zlib and struct. Run from anywhere: python3 scripts/make_icons.py [output folder]
"""
import math
import os
import struct
import sys
import zlib

SIZE = 16
SUB = 4  # samples per pixel along each axis


class Canvas:
    def __init__(self):
        self.px = [[(0, 0, 0, 0) for _ in range(SIZE)] for _ in range(SIZE)]

    def blend(self, x, y, colour, coverage):
        if coverage <= 0 or not (0 <= x < SIZE and 0 <= y < SIZE):
            return
        r, g, b, a = colour
        a = a / 255.0 * coverage
        dr, dg, db, da = self.px[y][x]
        da_f = da / 255.0
        out_a = a + da_f * (1 - a)
        if out_a <= 0:
            return
        mix = lambda s, d: (s * a + d * da_f * (1 - a)) / out_a
        self.px[y][x] = (round(mix(r, dr)), round(mix(g, dg)), round(mix(b, db)), round(out_a * 255))

    def fill(self, inside, colour):
        """Fills every pixel by the share of its sub-samples for which inside(x, y) holds."""
        for y in range(SIZE):
            for x in range(SIZE):
                hits = 0
                for sy in range(SUB):
                    for sx in range(SUB):
                        if inside(x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB):
                            hits += 1
                self.blend(x, y, colour, hits / (SUB * SUB))

    def polygon(self, pts, colour):
        def inside(x, y):
            c = False
            j = len(pts) - 1
            for i in range(len(pts)):
                xi, yi = pts[i]
                xj, yj = pts[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    c = not c
                j = i
            return c
        self.fill(inside, colour)

    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour)

    def circle(self, cx, cy, r, colour):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def ring(self, cx, cy, r, w, colour):
        self.fill(lambda x, y: (r - w) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def line(self, x0, y0, x1, y1, w, colour):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            px, py = x0 + t * dx, y0 + t * dy
            return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2
        self.fill(inside, colour)

    def png(self):
        raw = b"".join(b"\x00" + b"".join(struct.pack("4B", *p) for p in row) for row in self.px)

        def chunk(tag, data):
            body = tag + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
        header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


DARK = (40, 40, 40, 255)
GREEN = (30, 140, 60, 255)
BLUE = (40, 90, 200, 255)
ORANGE = (235, 130, 20, 255)
GREY = (120, 120, 120, 255)
LIGHT = (185, 185, 185, 255)
RED = (210, 40, 40, 255)
YELLOW = (240, 200, 40, 255)
WHITE = (255, 255, 255, 255)


def tri_right(c, x0, x1, colour):
    c.polygon([(x0, 2), (x1, 8), (x0, 14)], colour)


def tri_left(c, x0, x1, colour):
    c.polygon([(x1, 2), (x0, 8), (x1, 14)], colour)


def magnifier(c, sign):
    c.ring(6.5, 6.5, 5.5, 1.6, DARK)
    c.circle(6.5, 6.5, 4.0, (255, 255, 255, 200))
    c.line(10.5, 10.5, 14.5, 14.5, 2.6, DARK)
    c.rect(4, 6, 9, 7.5, DARK)
    if sign == "+":
        c.rect(5.75, 4, 7.25, 9, DARK)


def folder(c, open_):
    c.polygon([(1, 4), (6, 4), (7, 5.5), (15, 5.5), (15, 14), (1, 14)], (190, 150, 50, 255))
    if open_:
        c.polygon([(3, 8), (16, 8), (14, 14), (1, 14)], YELLOW)
    else:
        c.rect(1, 7, 15, 14, YELLOW)


def chain(c, linked):
    if linked:
        c.ring(5.5, 8, 4, 1.6, DARK)
        c.ring(10.5, 8, 4, 1.6, DARK)
    else:
        c.ring(4.5, 8, 3.5, 1.5, GREY)
        c.ring(11.5, 8, 3.5, 1.5, GREY)
        c.line(7.5, 2, 8.5, 5, 1.2, RED)
        c.line(8.5, 11, 7.5, 14, 1.2, RED)


def diamond(c, filled):
    pts = [(8, 1.5), (14.5, 8), (8, 14.5), (1.5, 8)]
    if filled:
        c.polygon(pts, ORANGE)
    else:
        c.polygon(pts, DARK)
        c.polygon([(8, 4), (12, 8), (8, 12), (4, 8)], (255, 255, 255, 255))


def clock(c, colour):
    c.circle(8, 8, 7, colour)
    c.circle(8, 8, 5.5, WHITE)
    c.line(8, 8, 8, 4, 1.4, colour)
    c.line(8, 8, 11, 9.5, 1.4, colour)


def eye(c, open_):
    colour = DARK if open_ else LIGHT
    c.fill(lambda x, y: abs(y - 8) <= 5 * (1 - ((x - 8) / 7.5) ** 2) if abs(x - 8) < 7.5 else False, colour)
    c.fill(lambda x, y: abs(y - 8) <= 3.6 * (1 - ((x - 8) / 6) ** 2) if abs(x - 8) < 6 else False, WHITE)
    c.circle(8, 8, 2.6, BLUE if open_ else LIGHT)
    if not open_:
        c.line(2, 14, 14, 2, 1.4, GREY)


def graph(c, on):
    colour = GREEN if on else GREY
    c.rect(1, 1, 2.2, 15, DARK if on else GREY)
    c.rect(1, 13.8, 15, 15, DARK if on else GREY)
    prev = None
    for i in range(13):
        x = 2.5 + i
        y = 8 - 5 * math.sin(i / 12 * 2 * math.pi)
        if prev:
            c.line(prev[0], prev[1], x, y, 1.5, colour)
        prev = (x, y)


def collapse_box(c):
    c.rect(2, 2, 14, 14, DARK)
    c.rect(3.2, 3.2, 12.8, 12.8, WHITE)
    c.rect(5, 7.25, 11, 8.75, DARK)


def numerical(c):
    """An entry field holding the number 10: the icon of the numerical key dialogs."""
    c.rect(1, 3, 15, 13, DARK)
    c.rect(2.2, 4.2, 13.8, 11.8, WHITE)
    c.line(5.5, 5.5, 5.5, 10.5, 1.4, BLUE)
    c.line(4, 7, 5.5, 5.5, 1.2, BLUE)
    c.fill(lambda x, y: 0.55 <= ((x - 10) / 2.2) ** 2 + ((y - 8) / 2.7) ** 2 <= 1.0, BLUE)


def mode_translation(c):
    """Four arrows out of the centre: the move mode of the views' gizmo."""
    c.line(2.5, 8, 13.5, 8, 1.6, WHITE)
    c.line(8, 2.5, 8, 13.5, 1.6, WHITE)
    c.polygon([(0.5, 8), (3.5, 5), (3.5, 11)], WHITE)
    c.polygon([(15.5, 8), (12.5, 5), (12.5, 11)], WHITE)
    c.polygon([(8, 0.5), (5, 3.5), (11, 3.5)], WHITE)
    c.polygon([(8, 15.5), (5, 12.5), (11, 12.5)], WHITE)


def mode_rotation(c):
    """A ring with an arrow head: the rotate mode."""
    c.fill(lambda x, y: 4.6 ** 2 <= (x - 8) ** 2 + (y - 8) ** 2 <= 6.4 ** 2 and not (x > 8 and y < 8), WHITE)
    c.polygon([(8, 0.3), (12.5, 2.6), (8, 5.2)], WHITE)


def mode_scale(c):
    """A small box growing into a large one: the scale mode."""
    c.rect(1, 8, 8, 15, WHITE)
    c.fill(lambda x, y: 1 <= x < 15 and 1 <= y < 15 and not (2.4 <= x < 13.6 and 2.4 <= y < 13.6), WHITE)
    c.line(8.5, 7.5, 12, 4, 1.5, WHITE)
    c.polygon([(13, 3), (9, 3.6), (12.4, 7)], WHITE)


ICONS = {
    "Play.png": lambda c: tri_right(c, 4, 13, GREEN),
    "PlayBack.png": lambda c: tri_left(c, 3, 12, GREEN),
    "StepForward.png": lambda c: (tri_right(c, 3, 11, DARK), c.rect(11.5, 2, 13.5, 14, DARK)),
    "StepBackward.png": lambda c: (c.rect(2.5, 2, 4.5, 14, DARK), tri_left(c, 5, 13, DARK)),
    "StartPoint2.png": lambda c: (c.rect(2, 2, 4, 14, BLUE), tri_left(c, 4.5, 10, BLUE), tri_left(c, 9, 14.5, BLUE)),
    "EndPoint2.png": lambda c: (tri_right(c, 1.5, 7, BLUE), tri_right(c, 6, 11.5, BLUE), c.rect(12, 2, 14, 14, BLUE)),
    "left.png": lambda c: tri_left(c, 4, 12, DARK),
    "leftDisabled.png": lambda c: tri_left(c, 4, 12, LIGHT),
    "leftHover.png": lambda c: tri_left(c, 4, 12, ORANGE),
    "right.png": lambda c: tri_right(c, 4, 12, DARK),
    "rightDisabled.png": lambda c: tri_right(c, 4, 12, LIGHT),
    "rightHover.png": lambda c: tri_right(c, 4, 12, ORANGE),
    "ZoomOut.png": lambda c: magnifier(c, "-"),
    "ZoomIn.png": lambda c: magnifier(c, "+"),
    "ZoomIm.png": collapse_box,
    "GraphP.png": lambda c: graph(c, True),
    "GraphN.png": lambda c: graph(c, False),
    "open.png": lambda c: folder(c, True),
    "close.png": lambda c: folder(c, False),
    "Linked.png": lambda c: chain(c, True),
    "UnLinked.png": lambda c: chain(c, False),
    "KilroyHere.png": lambda c: diamond(c, True),
    "KilroyThere.png": lambda c: diamond(c, False),
    "timeP.png": lambda c: clock(c, BLUE),
    "timeN.png": lambda c: clock(c, GREY),
    "timeD.png": lambda c: clock(c, LIGHT),
    "eyeP.png": lambda c: eye(c, True),
    "eyeN.png": lambda c: eye(c, False),
    "Numerical.png": numerical,
    "Translation.png": mode_translation,
    "Rotation.png": mode_rotation,
    "Scale.png": mode_scale,
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "ICONS")
    os.makedirs(out, exist_ok=True)
    for name, draw in sorted(ICONS.items()):
        c = Canvas()
        draw(c)
        with open(os.path.join(out, name), "wb") as f:
            f.write(c.png())
    print("wrote %d icons to %s" % (len(ICONS), os.path.normpath(out)))


if __name__ == "__main__":
    main()
