#!/usr/bin/env python3
"""Writes a small demo snapshot sequence: a gently rotating, expanding cluster.

Each file holds one snapshot in the default record grammar (header: time, count; body per
particle: x y z vx vy vz radius id type value1). ASCII files ("Simple Ascii") are written
by default; --binary writes "Simple Binary" files with the same content.

    python3 scripts/make_demo.py [folder] [--frames 20] [--particles 20000] [--binary]

The folder defaults to demo/ at the top of the repository. Open its first file
(demo0000.txt, or demo0000.dat with --binary) from the Data Loader with the matching data
type.
"""
import argparse
import math
import os
import random
import struct
import sys


def cluster(n, seed=3):
    """Initial positions, radii, types and values of n particles (deterministic)."""
    rng = random.Random(seed)
    parts = []
    for i in range(n):
        # Plummer-like radial profile, clipped so that the cluster stays compact
        while True:
            u = rng.random()
            r = 1.0 / math.sqrt(max(u ** (-2.0 / 3.0) - 1.0, 1e-9))
            if r < 4.0:
                break
        cos_t = rng.uniform(-1.0, 1.0)
        sin_t = math.sqrt(1.0 - cos_t * cos_t)
        phi = rng.uniform(0.0, 2.0 * math.pi)
        flat = 0.45 if i % 4 in (1, 2) else 1.0  # two types sit in a thicker disc
        x = r * sin_t * math.cos(phi)
        y = r * sin_t * math.sin(phi)
        z = r * cos_t * flat
        ptype = i % 4
        radius = 0.012 + 0.01 * ptype + 0.004 * rng.random()
        parts.append((x, y, z, radius, i, ptype, r))
    return parts


def state(p, t, omega, growth):
    """Position and velocity of particle p at time t: rotation about z, slow expansion."""
    x0, y0, z0 = p[0], p[1], p[2]
    ang = omega * t / (1.0 + 0.3 * math.hypot(x0, y0))  # inner parts turn faster
    w = omega / (1.0 + 0.3 * math.hypot(x0, y0))
    s = 1.0 + growth * t
    c, si = math.cos(ang), math.sin(ang)
    xr, yr = c * x0 - si * y0, si * x0 + c * y0
    pos = (s * xr, s * yr, s * z0)
    vel = (growth * xr - s * w * yr, growth * yr + s * w * xr, growth * z0)
    return pos, vel


def write_frame(path, t, parts, omega, growth, binary):
    if binary:
        with open(path, "wb") as f:
            f.write(struct.pack("<fi", t, len(parts)))
            for p in parts:
                pos, vel = state(p, t, omega, growth)
                value = p[6] * (1.0 + growth * t) + 0.5 * math.sin(t + p[4] * 0.01)
                f.write(struct.pack("<6ffiif", *pos, *vel, p[3], p[4], p[5], value))
        return
    lines = ["%f" % t, "%d" % len(parts)]
    for p in parts:
        pos, vel = state(p, t, omega, growth)
        value = p[6] * (1.0 + growth * t) + 0.5 * math.sin(t + p[4] * 0.01)
        lines.append("%f %f %f %f %f %f %f %d %d %f" % (pos + vel + (p[3], p[4], p[5], value)))
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines))
        f.write("\n")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("folder", nargs="?", default=os.path.join(os.path.dirname(here), "demo"))
    ap.add_argument("--frames", type=int, default=20)
    ap.add_argument("--particles", type=int, default=20000)
    ap.add_argument("--binary", action="store_true", help='write "Simple Binary" files')
    args = ap.parse_args(argv)
    if args.frames < 1 or args.particles < 0:
        ap.error("--frames must be at least 1 and --particles not negative")
    os.makedirs(args.folder, exist_ok=True)
    parts = cluster(args.particles)
    omega, growth, dt = 0.35, 0.03, 0.5
    ext = "dat" if args.binary else "txt"
    for k in range(args.frames):
        path = os.path.join(args.folder, "demo%04d.%s" % (k, ext))
        write_frame(path, k * dt, parts, omega, growth, args.binary)
    print("wrote %d files of %d particles to %s" % (args.frames, args.particles, args.folder))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
