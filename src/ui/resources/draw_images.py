#!/usr/bin/env python3
"""Draws Kavrel's banner and icons and writes them next to this script: PNG files, and the
icon once more as SVG for desktops that scale it.

Only the Python standard library is used. Shapes are signed distance functions sampled once
per pixel, which gives smooth edges without supersampling. The build uses the committed PNG
files; run this script again only to change the pictures:

    python3 src/ui/resources/draw_images.py
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

STEEL = (126, 136, 152)
STEEL_EDGE = (58, 66, 80)
INK = (22, 52, 112)
LIGHT = (224, 230, 240)


# ---- signed distances (negative inside) -------------------------------------------------

def box(px, py, cx, cy, hx, hy, radius=0.0):
    qx = abs(px - cx) - hx + radius
    qy = abs(py - cy) - hy + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def box_ring(px, py, cx, cy, hx, hy, thickness, radius):
    outer = box(px, py, cx, cy, hx, hy, radius)
    inner = box(px, py, cx, cy, hx - thickness, hy - thickness, max(radius - thickness, 0.0))
    return max(outer, -inner)


def circle_ring(px, py, cx, cy, radius, thickness):
    return abs(math.hypot(px - cx, py - cy) - (radius - thickness / 2)) - thickness / 2


def segment(px, py, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return math.hypot(px - ax - t * dx, py - ay - t * dy) - width / 2


def arc(px, py, cx, cy, radius, start, end, width):
    """Stroke along a circle from angle start to end (degrees, counter-clockwise, y up)."""
    angle = math.degrees(math.atan2(py - cy, px - cx)) % 360.0
    span = (end - start) % 360.0
    if (angle - start) % 360.0 <= span:
        return abs(math.hypot(px - cx, py - cy) - radius) - width / 2
    ends = [(cx + radius * math.cos(math.radians(a)), cy + radius * math.sin(math.radians(a)))
            for a in (start, end)]
    return min(math.hypot(px - ex, py - ey) for ex, ey in ends) - width / 2


# ---- the word "Kavrel" as strokes, in units of the capital height, y up from the baseline --

def glyph_k(x, y, w):
    return min(segment(x, y, 0, 0, 0, 1, w),
               segment(x, y, 0.04, 0.38, 0.58, 1.0, w),
               segment(x, y, 0.2, 0.56, 0.62, 0, w))


def glyph_a(x, y, w):
    return min(circle_ring(x, y, 0.3, 0.31, 0.31 + w / 2, w),
               segment(x, y, 0.6, 0, 0.6, 0.62, w))


def glyph_v(x, y, w):
    return min(segment(x, y, 0, 0.62, 0.29, 0, w), segment(x, y, 0.29, 0, 0.58, 0.62, w))


def glyph_r(x, y, w):
    return min(segment(x, y, 0, 0, 0, 0.62, w), arc(x, y, 0.36, 0.26, 0.36, 92, 168, w))


def glyph_e(x, y, w):
    return min(arc(x, y, 0.3, 0.31, 0.3, 8, 322, w), segment(x, y, 0.02, 0.31, 0.58, 0.31, w))


def glyph_l(x, y, w):
    return segment(x, y, 0, 0, 0, 1, w)


WORD = [(glyph_k, 0.62), (glyph_a, 0.6), (glyph_v, 0.58), (glyph_r, 0.36), (glyph_e, 0.6),
        (glyph_l, 0.0)]
LETTER_GAP = 0.2
SLANT = 0.22


def word_width():
    return sum(advance for _, advance in WORD) + LETTER_GAP * (len(WORD) - 1)


def word(px, py, left, baseline, height, stroke):
    """Distance in pixels to the italic word placed with its baseline at `baseline`."""
    x = (px - left) / height
    y = (baseline - py) / height
    x -= SLANT * y
    best = 1e9
    pen = 0.0
    for draw, advance in WORD:
        if -0.3 <= x - pen <= advance + 0.3:
            best = min(best, draw(x - pen, y, stroke))
        pen += advance + LETTER_GAP
    return best * height


# ---- painting ---------------------------------------------------------------------------

def coverage(distance):
    return min(max(0.5 - distance, 0.0), 1.0)


def mix(under, over, amount):
    return tuple(u + (o - u) * amount for u, o in zip(under, over))


def section(px, py, distance):
    """A steel cross-section: a filled wall with a darker edge."""
    return [(STEEL_EDGE, coverage(distance)), (STEEL, coverage(distance + 1.6))]


def banner_pixel(px, py):
    t = py / 398.0
    colour = mix((236, 241, 248), (190, 205, 226), t)
    layers = []
    height = 118.0
    left = (772 - word_width() * height) / 2 - 12
    layers.append((INK, coverage(word(px, py, left, 160, height, 0.13))))
    layers.append((INK, coverage(box(px, py, 386, 192, 340, 1.5))))
    layers += section(px, py, box_ring(px, py, 165, 290, 105, 62, 17, 10))
    layers += section(px, py, box_ring(px, py, 400, 290, 70, 70, 15, 9))
    layers += section(px, py, circle_ring(px, py, 616, 290, 72, 15))
    for layer_colour, amount in layers:
        if amount > 0.0:
            colour = mix(colour, layer_colour, amount)
    return tuple(int(round(c)) for c in colour)


# The icon on a unit square: a rounded tile with a rectangular, a square and a circular section.
TILE = (0.5, 0.5, 0.48, 0.48, 0.18)  # centre x, y, half width, half height, corner radius
WALL = 0.085
BOX_RINGS = [(0.5, 0.31, 0.34, 0.17, 0.05), (0.29, 0.72, 0.17, 0.17, 0.04)]
CIRCLE_RING = (0.71, 0.72, 0.18)  # centre x, y, outer radius


def icon_pixel(px, py, size):
    """Colour and opacity of one icon pixel."""
    u, v = (px + 0.5) / size, (py + 0.5) / size
    scale = float(size)
    background = coverage(box(u, v, *TILE) * scale)
    colour = INK
    rings = min(min(box_ring(u, v, cx, cy, hx, hy, WALL, radius)
                    for cx, cy, hx, hy, radius in BOX_RINGS),
                circle_ring(u, v, *CIRCLE_RING, WALL))
    colour = mix(colour, LIGHT, coverage(rings * scale))
    return tuple(int(round(c)) for c in colour), background


# ---- PNG files --------------------------------------------------------------------------

def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(name, width, height, colour_type, rows, palette=None, alpha=None):
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    data = b"".join(b"\x00" + bytes(row) for row in rows)
    parts = [b"\x89PNG\r\n\x1a\n", chunk(b"IHDR", header)]
    if palette is not None:
        parts.append(chunk(b"PLTE", bytes(c for entry in palette for c in entry)))
        parts.append(chunk(b"tRNS", bytes(alpha)))
    parts.append(chunk(b"IDAT", zlib.compress(data, 9)))
    parts.append(chunk(b"IEND", b""))
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(b"".join(parts))


def draw_banner():
    rows = []
    for py in range(398):
        row = []
        for px in range(772):
            row.extend(banner_pixel(px, py))
        rows.append(row)
    write_png("banner.png", 772, 398, 2, rows)


def draw_icon_rgba(size):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            colour, opacity = icon_pixel(px, py, size)
            row.extend(colour + (int(round(opacity * 255)),))
        rows.append(row)
    write_png("kavrel-%d.png" % size, size, size, 6, rows)


def draw_icon_indexed(size, levels=16):
    """The window icon in at most 256 colours: opacities and colours rounded to a few steps."""
    step = 255.0 / levels
    entries = {}
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            colour, opacity = icon_pixel(px, py, size)
            colour = tuple(min(255, int(round(round(c / step) * step))) for c in colour)
            key = colour + (min(255, int(round(round(opacity * 255 / step) * step))),)
            if key[3] == 0:
                key = (0, 0, 0, 0)
            row.append(entries.setdefault(key, len(entries)))
        rows.append(row)
    if len(entries) > 256:
        raise SystemExit("icon needs %d colours, more than 256" % len(entries))
    ordered = sorted(entries, key=entries.get)
    write_png("kavrel-%d.png" % size, size, size, 3, rows,
              palette=[entry[:3] for entry in ordered], alpha=[entry[3] for entry in ordered])


def draw_icon_svg():
    """The same icon as shapes: each wall is a stroke along the middle of the wall."""
    size = 256

    def scaled(value):
        return "%g" % round(value * size, 3)

    def colour(rgb):
        return "#%02x%02x%02x" % rgb

    cx, cy, hx, hy, radius = TILE
    shapes = ['<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s"/>'
              % (scaled(cx - hx), scaled(cy - hy), scaled(2 * hx), scaled(2 * hy),
                 scaled(radius), colour(INK))]
    middle = WALL / 2
    for cx, cy, hx, hy, radius in BOX_RINGS:
        shapes.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s"/>'
                      % (scaled(cx - hx + middle), scaled(cy - hy + middle),
                         scaled(2 * (hx - middle)), scaled(2 * (hy - middle)),
                         scaled(max(radius - middle, 0.0))))
    cx, cy, radius = CIRCLE_RING
    shapes.append('<circle cx="%s" cy="%s" r="%s"/>'
                  % (scaled(cx), scaled(cy), scaled(radius - middle)))
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="{0}" height="{0}" '
           'viewBox="0 0 {0} {0}">\n'
           '  {1}\n'
           '  <g fill="none" stroke="{2}" stroke-width="{3}">\n    {4}\n  </g>\n'
           '</svg>\n').format(size, shapes[0], colour(LIGHT), scaled(WALL),
                              "\n    ".join(shapes[1:]))
    with open(os.path.join(HERE, "kavrel.svg"), "w") as out:
        out.write(svg)


if __name__ == "__main__":
    draw_banner()
    draw_icon_indexed(32)
    draw_icon_rgba(48)
    draw_icon_rgba(128)
    draw_icon_rgba(256)
    draw_icon_svg()
