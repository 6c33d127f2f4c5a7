#!/usr/bin/env python3
"""Draws the game's desktop icon: three marbles (red, green, blue) in a pile on a dark rounded
tile. Writes the scalable SVG and the 48 and 128 pixel PNGs from one shape list.

    python3 tools/contentgen/icons.py [--out packaging/icons]
"""

import argparse
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import imaging  # noqa: E402

VIEW = 128.0
TILE = (8.0, 8.0, 112.0, 112.0, 20.0, (38, 52, 92), (14, 20, 40))   # x, y, w, h, corner, top, bottom
# Marbles: centre x, centre y, radius, base colour. Drawn in order, later ones on top.
MARBLES = [
    (64.0, 44.0, 22.0, (60, 110, 230)),
    (41.0, 84.0, 22.0, (220, 50, 50)),
    (87.0, 84.0, 22.0, (60, 190, 80)),
]


def lighter(colour, k):
    return tuple(c + (255 - c) * k for c in colour)


def darker(colour, k):
    return tuple(c * (1 - k) for c in colour)


def inside_tile(x, y):
    tx, ty, tw, th, r = TILE[:5]
    if not (tx <= x <= tx + tw and ty <= y <= ty + th):
        return False
    cx = min(max(x, tx + r), tx + tw - r)
    cy = min(max(y, ty + r), ty + th - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def marble_colour(marble, x, y):
    """Radial shading with the light at the upper left, as the SVG gradient draws it."""
    cx, cy, r, base = marble
    fx, fy = cx - 0.36 * r, cy - 0.36 * r
    t = min(1.0, math.hypot(x - fx, y - fy) / (1.36 * r))
    if t < 0.6:
        k = t / 0.6
        return tuple(a + (b - a) * k for a, b in zip(lighter(base, 0.75), base))
    k = (t - 0.6) / 0.4
    return tuple(a + (b - a) * k for a, b in zip(base, darker(base, 0.55)))


def sample(x, y):
    """Colour and opacity of the icon at one point (in 128-unit coordinates)."""
    colour, alpha = (0, 0, 0), 0.0
    if inside_tile(x, y):
        t = (y - TILE[1]) / TILE[3]
        colour = tuple(a + (b - a) * t for a, b in zip(TILE[5], TILE[6]))
        alpha = 1.0
    for marble in MARBLES:
        cx, cy, r, _ = marble
        if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
            colour, alpha = marble_colour(marble, x, y), 1.0
    return colour, alpha


def draw_png(size, path, samples=4):
    canvas = imaging.Canvas(size, size, (0, 0, 0), 0)
    scale = VIEW / size
    for py in range(size):
        for px in range(size):
            total, rgb = 0.0, [0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour, alpha = sample(x, y)
                    total += alpha
                    for c in range(3):
                        rgb[c] += colour[c] * alpha
            if total > 0:
                canvas.put(px, py, tuple(v / total for v in rgb), 255 * total / (samples * samples))
    imaging.write_png(canvas, path)


def hex_colour(colour):
    return '#%02x%02x%02x' % tuple(imaging.clamp8(c) for c in colour)


def write_svg(path):
    tx, ty, tw, th, r, top, bottom = TILE
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">',
             '  <defs>',
             '    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">',
             '      <stop offset="0" stop-color="%s"/>' % hex_colour(top),
             '      <stop offset="1" stop-color="%s"/>' % hex_colour(bottom),
             '    </linearGradient>']
    for i, (_, _, _, base) in enumerate(MARBLES):
        lines += ['    <radialGradient id="marble%d" cx="0.5" cy="0.5" r="0.5" fx="0.32" fy="0.32">' % i,
                  '      <stop offset="0" stop-color="%s"/>' % hex_colour(lighter(base, 0.75)),
                  '      <stop offset="0.6" stop-color="%s"/>' % hex_colour(base),
                  '      <stop offset="1" stop-color="%s"/>' % hex_colour(darker(base, 0.55)),
                  '    </radialGradient>']
    lines += ['  </defs>',
              '  <rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="url(#tile)"/>' % (tx, ty, tw, th, r)]
    for i, (cx, cy, radius, _) in enumerate(MARBLES):
        lines.append('  <circle cx="%g" cy="%g" r="%g" fill="url(#marble%d)"/>' % (cx, cy, radius, i))
    lines.append('</svg>')
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser.add_argument('--out', default=os.path.join(root, 'packaging', 'icons'))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    write_svg(os.path.join(args.out, 'marbles.svg'))
    for size in (48, 128):
        draw_png(size, os.path.join(args.out, 'marbles-%d.png' % size))


if __name__ == '__main__':
    main()
