#!/usr/bin/env python3
"""Writes the program data of the fisheye composition:
Resource/DefaultMask.png  - a white disc on black (the fisheye mask), 512 x 512
Resource/distortion.obj   - a regular 32 x 32 quad grid in the x-z plane (the lens mesh)
Run from the source folder: python3 scripts/make_view_resources.py"""
import struct
import zlib
import os

def write_png(path, size):
    rows = []
    c = (size - 1) / 2.0
    r2 = (size / 2.0) ** 2
    for y in range(size):
        row = bytearray([0])
        for x in range(size):
            inside = (x - c) ** 2 + (y - c) ** 2 <= r2
            row += b'\xff' if inside else b'\x00'
        rows.append(bytes(row))
    raw = b''.join(rows)
    def chunk(tag, data):
        body = tag + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)
    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 0, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)

def write_obj(path, n):
    lines = ['# lens mesh of the fisheye distortion pass', '# regular grid, x and z in -1..1',
             'o distortion']
    for j in range(n + 1):
        for i in range(n + 1):
            lines.append('v %.6f 0.000000 %.6f' % (-1 + 2.0 * i / n, -1 + 2.0 * j / n))
    for j in range(n + 1):
        for i in range(n + 1):
            lines.append('vt %.6f %.6f' % (i / n, j / n))
    lines.append('vn 0.000000 -1.000000')
    lines.append('s off')
    lines.append('usemtl none')
    for j in range(n):
        for i in range(n):
            a = j * (n + 1) + i + 1
            b, c, d = a + 1, a + n + 2, a + n + 1
            lines.append('f %d/%d/1 %d/%d/1 %d/%d/1 %d/%d/1' % (a, a, b, b, c, c, d, d))
    with open(path, 'w', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')

if __name__ == '__main__':
    os.makedirs('Resource', exist_ok=True)
    write_png('Resource/DefaultMask.png', 512)
    write_obj('Resource/distortion.obj', 32)
