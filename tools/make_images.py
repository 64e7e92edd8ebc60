#!/usr/bin/env python3
"""Draws Velmora's embedded pictures and writes them as 32-bit RGBA PNG files.

Pure standard library: shapes are signed distance functions rendered with a
one-pixel anti-aliased edge, composited "over" onto a transparent canvas and
written with a small zlib/struct PNG encoder. Run from anywhere:

    tools/make_images.py            # writes into the source tree
    tools/make_images.py --check    # only verifies names and sizes of what is there
"""

import math
import os
import struct
import sys
import zlib

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WINDOW_DIR = os.path.join(TOP, "resources", "images")
MAINTENANCE_DIR = os.path.join(TOP, "resources", "images", "maintenance")
SHARE_IMAGES_DIR = os.path.join(TOP, "share", "images")
LOGO_PATH = os.path.join(TOP, "share", "icons", "logo.png")


# ---- PNG -------------------------------------------------------------------

def png_bytes(width, height, rgba_rows):
    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rgba_rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(26)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    width, height, depth, colour = struct.unpack(">IIBB", head[16:26])
    return width, height, depth, colour


# ---- canvas ----------------------------------------------------------------

def rgb(hexcode, alpha=1.0):
    hexcode = hexcode.lstrip("#")
    return (int(hexcode[0:2], 16) / 255.0, int(hexcode[2:4], 16) / 255.0, int(hexcode[4:6], 16) / 255.0, alpha)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def fill(self, sdf, colour, bbox=None, opacity=1.0):
        """Paints every pixel by its coverage of the shape; colour may be a
        function of the pixel centre, for gradients."""
        x0, y0, x1, y1 = bbox if bbox else (0, 0, self.width, self.height)
        x0 = max(0, int(math.floor(x0)) - 1)
        y0 = max(0, int(math.floor(y0)) - 1)
        x1 = min(self.width, int(math.ceil(x1)) + 1)
        y1 = min(self.height, int(math.ceil(y1)) + 1)
        for y in range(y0, y1):
            cy = y + 0.5
            for x in range(x0, x1):
                cx = x + 0.5
                cover = 0.5 - sdf(cx, cy)
                if cover <= 0.0:
                    continue
                if cover > 1.0:
                    cover = 1.0
                c = colour(cx, cy) if callable(colour) else colour
                sa = c[3] * cover * opacity
                if sa <= 0.0:
                    continue
                d = self.px[y * self.width + x]
                da = d[3] * (1.0 - sa)
                oa = sa + da
                for i in range(3):
                    d[i] = (c[i] * sa + d[i] * da) / oa
                d[3] = oa

    def rows(self):
        for y in range(self.height):
            row = []
            for x in range(self.width):
                p = self.px[y * self.width + x]
                row.extend(int(round(max(0.0, min(1.0, v)) * 255)) for v in p)
            yield row

    def save(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(png_bytes(self.width, self.height, list(self.rows())))


# ---- shapes (signed distance, negative inside) -------------------------------

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, w):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - w / 2.0


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return sdf


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def polyline(points, width):
    segments = list(zip(points, points[1:])) or [(points[0], points[0])]

    def sdf(x, y):
        return min(_segment_distance(x, y, a[0], a[1], b[0], b[1]) for a, b in segments) - width / 2.0
    return sdf


def polygon(points):
    n = len(points)

    def sdf(x, y):
        best = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            best = min(best, _segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                inside = not inside
        return -best if inside else best
    return sdf


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, *holes):
    return lambda x, y: max(shape(x, y), *(-h(x, y) for h in holes))


def arc_points(cx, cy, rx, ry, start_deg, end_deg, steps=24):
    return [(cx + rx * math.cos(math.radians(a)), cy + ry * math.sin(math.radians(a)))
            for a in (start_deg + (end_deg - start_deg) * i / steps for i in range(steps + 1))]


def bounds(points, pad):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


def vertical(top_colour, bottom_colour, y0, y1):
    return lambda x, y: mix(top_colour, bottom_colour, (y - y0) / float(max(1, y1 - y0)))


# ---- a small stroke font (cap height 1, y down) ------------------------------

GLYPHS = {
    "V": [[(0, 0), (0.32, 1), (0.64, 0)]],
    "E": [[(0.55, 0), (0, 0), (0, 1), (0.55, 1)], [(0, 0.5), (0.45, 0.5)]],
    "L": [[(0, 0), (0, 1), (0.55, 1)]],
    "M": [[(0, 1), (0, 0), (0.36, 0.62), (0.72, 0), (0.72, 1)]],
    "O": [arc_points(0.34, 0.5, 0.34, 0.5, 0, 360, 32)],
    "R": [[(0, 1), (0, 0), (0.36, 0), (0.52, 0.08), (0.56, 0.25), (0.52, 0.42), (0.36, 0.5), (0, 0.5)],
          [(0.28, 0.5), (0.58, 1)]],
    "A": [[(0, 1), (0.32, 0), (0.64, 1)], [(0.12, 0.64), (0.52, 0.64)]],
    "?": [arc_points(0.3, 0.27, 0.27, 0.25, 180, 400, 18) + [(0.3, 0.62), (0.3, 0.7)]],
    "1": [[(0.1, 0.2), (0.32, 0), (0.32, 1)]],
    "2": [[(0.04, 0.22)] + arc_points(0.3, 0.27, 0.26, 0.25, 200, 380, 10) + [(0.04, 1), (0.6, 1)]],
    "3": [arc_points(0.3, 0.26, 0.26, 0.24, 200, 450, 12), arc_points(0.3, 0.74, 0.28, 0.26, 270, 520, 12)],
    "4": [[(0.46, 1), (0.46, 0), (0, 0.68), (0.62, 0.68)]],
    "5": [[(0.56, 0), (0.1, 0), (0.06, 0.45)] + arc_points(0.3, 0.68, 0.28, 0.32, 240, 500, 14)],
}
DOT_GLYPHS = {"?": (0.3, 0.95)}


def text_width(text, size, tracking=0.25):
    width = 0.0
    for ch in text:
        xs = [p[0] for line in GLYPHS[ch] for p in line]
        width += (max(xs) + tracking) * size
    return width - tracking * size


def draw_text(canvas, text, x, y, size, stroke, colour, tracking=0.25):
    """Draws text with its top-left corner at (x, y) and cap height size."""
    for ch in text:
        lines = [[(x + px * size, y + py * size) for px, py in line] for line in GLYPHS[ch]]
        for line in lines:
            canvas.fill(polyline(line, stroke), colour, bounds(line, stroke))
        if ch in DOT_GLYPHS:
            dx, dy = DOT_GLYPHS[ch]
            canvas.fill(circle(x + dx * size, y + dy * size, stroke * 0.75), colour,
                        (x + dx * size - stroke, y + dy * size - stroke, x + dx * size + stroke, y + dy * size + stroke))
        xs = [p[0] for line in GLYPHS[ch] for p in line]
        x += (max(xs) + tracking) * size


# ---- pictures ----------------------------------------------------------------

BLUE_TOP, BLUE_BOTTOM = rgb("5b9bf0"), rgb("1f5fbf")
INK = {"c": rgb("13a8dc"), "m": rgb("d8327f"), "y": rgb("f2c417"), "k": rgb("2b2b2b")}


def help_icon(outline):
    c = Canvas(24, 24)
    if outline:
        # The button picture: a ring with a soft face, so it reads on any background.
        c.fill(circle(12, 12, 11), vertical(rgb("ffffff"), rgb("d9e6fa"), 1, 23))
        c.fill(ring(12, 12, 10.2, 1.6), vertical(BLUE_TOP, BLUE_BOTTOM, 1, 23))
        colour = rgb("1f5fbf")
    else:
        c.fill(circle(12, 12.5, 11), rgb("000000", 0.18))
        c.fill(circle(12, 12, 11), vertical(BLUE_TOP, BLUE_BOTTOM, 1, 23))
        c.fill(circle(12, 8, 7), rgb("ffffff", 0.18), (5, 1, 19, 15))
        colour = rgb("ffffff")
    draw_text(c, "?", 8.4, 5.0, 13.0, 2.4, colour)
    return c


def gear():
    c = Canvas(48, 48)
    teeth = 10
    body = circle(24, 24, 15)
    cogs = []
    for i in range(teeth):
        a = 2 * math.pi * i / teeth
        ux, uy = math.cos(a), math.sin(a)
        vx, vy = -uy, ux
        pts = [(24 + ux * r + vx * s, 24 + uy * r + vy * s) for r, s in ((12, -3.6), (21.5, -2.6), (21.5, 2.6), (12, 3.6))]
        cogs.append(polygon(pts))
    wheel = subtract(union(body, *cogs), circle(24, 24, 6.5))
    c.fill(lambda x, y: wheel(x, y - 1.0), rgb("000000", 0.2))
    c.fill(wheel, vertical(rgb("b8c0cc"), rgb("5d6673"), 2, 46))
    c.fill(ring(24, 24, 10.5, 1.2), rgb("ffffff", 0.35), (12, 12, 36, 36))
    c.fill(ring(24, 24, 6.5, 1.0), rgb("39404a", 0.6), (16, 16, 32, 32))
    return c


def printer():
    c = Canvas(48, 48)
    # Paper coming out of the top.
    c.fill(box(13, 4, 35, 22, 1), rgb("ffffff"), (12, 3, 36, 23))
    c.fill(subtract(box(13, 4, 35, 22, 1), box(14, 5, 34, 22, 0.5)), rgb("9aa3ad"), (12, 3, 36, 23))
    for i, ink in enumerate("cmyk"):
        c.fill(box(16 + i * 4.5, 8, 19.5 + i * 4.5, 12), INK[ink], (15 + i * 4.5, 7, 21 + i * 4.5, 13))
    c.fill(box(16, 14.5, 32, 15.5), rgb("b8c0cc"), (15, 13, 33, 17))
    # Body.
    c.fill(box(4, 19, 44, 38, 4), rgb("000000", 0.2), (3, 18, 45, 40), 1.0)
    c.fill(box(4, 18, 44, 37, 4), vertical(rgb("eef1f5"), rgb("9aa3ad"), 18, 37), (3, 17, 45, 38))
    c.fill(box(9, 28, 39, 31, 1.2), rgb("39404a"), (8, 27, 40, 32))
    c.fill(circle(37.5, 22.5, 1.6), rgb("3cc463"), (35, 20, 40, 25))
    # Tray with the printed page.
    c.fill(polygon([(10, 31), (38, 31), (41, 44), (7, 44)]), rgb("ffffff"), (6, 30, 42, 45))
    c.fill(subtract(polygon([(10, 31), (38, 31), (41, 44), (7, 44)]),
                    polygon([(11, 31), (37, 31), (40, 43), (8, 43)])), rgb("9aa3ad"), (6, 30, 42, 45))
    for i in range(3):
        c.fill(box(12 + i * 0.6, 34 + i * 3, 32 - i * 0.6, 35 + i * 3), rgb("b8c0cc"), (10, 33, 36, 44))
    return c


def logo():
    c = Canvas(128, 48)
    # Four ink drops, one per colour, ahead of the name.
    for i, ink in enumerate("cmyk"):
        cx, cy = 11 + (i % 2) * 12, 13 + (i // 2) * 13
        drop = union(circle(cx, cy + 2.5, 5), polygon([(cx - 4.3, cy + 0.2), (cx, cy - 7), (cx + 4.3, cy + 0.2)]))
        c.fill(drop, INK[ink], (cx - 7, cy - 9, cx + 7, cy + 9))
    text = "VELMORA"
    size = 14.0
    width = text_width(text, size, 0.3)
    x = 36 + (88 - width) / 2.0
    draw_text(c, text, x, 13, size, 2.6, vertical(rgb("2a66c4"), rgb("173a78"), 13, 27), 0.3)
    c.fill(box(x, 33, x + width, 34.5, 0.75), lambda px, py: mix(INK["c"], INK["m"], (px - x) / width),
           (x - 1, 32, x + width + 1, 36))
    return c


def page(width, height, x0=4, y0=3, corner=14):
    """A sheet of paper with a folded corner and a soft shadow; returns the
    canvas and the sheet's inner rectangle."""
    c = Canvas(width, height)
    x1, y1 = width - 5, height - 4
    outline = [(x0, y0), (x1 - corner, y0), (x1, y0 + corner), (x1, y1), (x0, y1)]
    c.fill(lambda x, y: polygon(outline)(x - 2, y - 2) - 1.0, rgb("000000", 0.15))
    c.fill(polygon(outline), rgb("ffffff"))
    c.fill(subtract(polygon(outline), lambda x, y: polygon(outline)(x, y) + 1.0), rgb("8c96a3"))
    fold = [(x1 - corner, y0), (x1 - corner, y0 + corner), (x1, y0 + corner)]
    c.fill(polygon(fold), rgb("dde3ea"), bounds(fold, 1))
    c.fill(polyline(fold, 1.0), rgb("8c96a3"), bounds(fold, 2))
    return c, (x0 + 8, y0 + 8, x1 - 8, y1 - 8)


def text_lines(c, x0, x1, y, count, gap=5):
    for i in range(count):
        end = x1 - (i % 3) * 9
        c.fill(box(x0, y + i * gap, end, y + i * gap + 1.6, 0.8), rgb("c4cbd4"), (x0 - 1, y + i * gap - 1, end + 1, y + i * gap + 3))


def nozzle_blocks(c, x0, y0, x1):
    """The cleaning check page: a staircase of short lines and a solid bar per ink."""
    width = (x1 - x0 - 9) / 4.0
    for i, ink in enumerate("kcmy"):
        bx = x0 + i * (width + 3)
        for step in range(8):
            sy = y0 + step * 4 + (step % 2) * 1.5
            c.fill(box(bx, sy, bx + width, sy + 1.2), INK[ink], (bx - 1, sy - 1, bx + width + 1, sy + 3))
        c.fill(box(bx, y0 + 36, bx + width, y0 + 52, 1), INK[ink], (bx - 1, y0 + 35, bx + width + 1, y0 + 53))


def clean_page():
    c, (x0, y0, x1, y1) = page(121, 171)
    text_lines(c, x0, x1 - 12, y0 + 2, 3)
    nozzle_blocks(c, x0, y0 + 22, x1)
    text_lines(c, x0, x1, y0 + 82, 6)
    return c


def cleaning():
    c = Canvas(123, 143)
    # Cartridge body with its label, seen from the front.
    c.fill(box(27, 12, 97, 92, 6), rgb("000000", 0.18), (24, 10, 100, 96))
    c.fill(box(25, 9, 95, 89, 6), vertical(rgb("5d6673"), rgb("2f353d"), 9, 89), (23, 7, 97, 91))
    c.fill(box(33, 20, 87, 58, 3), rgb("ffffff"), (31, 18, 89, 60))
    for i, ink in enumerate("cmy"):
        c.fill(circle(45 + i * 15, 35, 5.5), INK[ink], (38 + i * 15, 28, 52 + i * 15, 42))
    c.fill(box(38, 47, 82, 49, 1), rgb("c4cbd4"), (37, 46, 83, 50))
    # The nozzle plate being wiped.
    c.fill(box(40, 89, 80, 97, 2), rgb("b8862b"), (38, 87, 82, 99))
    c.fill(box(44, 92, 76, 94, 1), rgb("2b2b2b"), (43, 91, 77, 95))
    # Ink drops falling off the cleaned nozzles.
    for i, (dx, dy, ink) in enumerate(((48, 108, "c"), (60, 118, "m"), (72, 110, "y"), (56, 131, "k"))):
        drop = union(circle(dx, dy + 2, 3.6), polygon([(dx - 3.1, dy + 0.3), (dx, dy - 5), (dx + 3.1, dy + 0.3)]))
        c.fill(drop, INK[ink], (dx - 5, dy - 7, dx + 5, dy + 7))
    # Sparkles for "clean".
    for sx, sy, r in ((16, 96, 7), (105, 84, 6), (101, 120, 4.5)):
        star = polygon([(sx, sy - r), (sx + r * 0.25, sy - r * 0.25), (sx + r, sy), (sx + r * 0.25, sy + r * 0.25),
                        (sx, sy + r), (sx - r * 0.25, sy + r * 0.25), (sx - r, sy), (sx - r * 0.25, sy - r * 0.25)])
        c.fill(star, rgb("f2c417"), (sx - r - 1, sy - r - 1, sx + r + 1, sy + r + 1))
    return c


def pattern(c, x, y, w, h, offset, colour=None):
    """One alignment pattern: vertical lines of two passes; offset shifts the
    second pass, so 0 is the well aligned pattern."""
    colour = colour or INK["k"]
    step = w / 5.0
    for i in range(5):
        lx = x + step * (i + 0.5)
        c.fill(box(lx - 0.6, y, lx + 0.6, y + h / 2.0), colour, (lx - 2, y - 1, lx + 2, y + h / 2.0 + 1))
        lx2 = lx + offset
        c.fill(box(lx2 - 0.6, y + h / 2.0, lx2 + 0.6, y + h), colour, (lx2 - 2, y + h / 2.0 - 1, lx2 + 2, y + h + 1))


def align_page(verify=False):
    c, (x0, y0, x1, y1) = page(121 if not verify else 120, 171 if not verify else 168)
    text_lines(c, x0, x1 - 12, y0 + 2, 2)
    rows = 7 if not verify else 4
    size = (x1 - x0 - 8) / 5.0
    for row in range(rows):
        for col in range(5):
            offset = 0.0 if verify else (col - 2) * 0.9 + (row % 3 - 1) * 0.5
            pattern(c, x0 + col * (size + 2), y0 + 14 + row * 15, size, 10, offset,
                    INK["kcmkycm"[row % 7]] if not verify else INK["k"])
    if verify:
        # The check of a well aligned page.
        cx, cy = (x0 + x1) / 2.0, y0 + 100
        c.fill(circle(cx, cy, 18), rgb("3cc463"), (cx - 20, cy - 20, cx + 20, cy + 20))
        tick = [(cx - 9, cy + 1), (cx - 3, cy + 7), (cx + 9, cy - 7)]
        c.fill(polyline(tick, 4.0), rgb("ffffff"), bounds(tick, 4))
        text_lines(c, x0, x1, y0 + 128, 4)
    return c


def align_page_detail():
    c = Canvas(98, 106)
    c.fill(box(3, 3, 95, 103, 3), rgb("ffffff"))
    c.fill(subtract(box(3, 3, 95, 103, 3), box(4, 4, 94, 102, 2)), rgb("8c96a3"))
    draw_text(c, "A", 9, 9, 9, 1.6, rgb("39404a"))
    for i in range(5):
        x = 10 + i * 16.5
        pattern(c, x, 28, 13, 24, (i - 2) * 1.4)
        draw_text(c, "12345"[i], x + 4.5, 58, 8, 1.5, rgb("39404a"))
    # The best pattern, the one whose number the user types.
    c.fill(subtract(box(41, 24, 59, 70, 2), box(42.5, 25.5, 57.5, 68.5, 1)), rgb("e0453a"), (40, 23, 60, 71))
    text_lines(c, 10, 88, 80, 4)
    return c


def align_pen():
    c = Canvas(101, 94)
    # A pattern row and the pencil pointing at the chosen one.
    c.fill(box(3, 40, 70, 88, 3), rgb("ffffff"))
    c.fill(subtract(box(3, 40, 70, 88, 3), box(4, 41, 69, 87, 2)), rgb("8c96a3"))
    for i in range(4):
        pattern(c, 8 + i * 15.5, 50, 12, 20, (i - 1) * 1.3)
    c.fill(ring(29.5, 60, 11, 1.6), rgb("e0453a"), (17, 47, 42, 73))
    along = (math.cos(math.radians(-40)), math.sin(math.radians(-40)))
    tip = (38.0, 70.0)

    def at(t, s):
        return (tip[0] + along[0] * t - along[1] * s, tip[1] + along[1] * t + along[0] * s)
    body = [at(12, -5), at(68, -5), at(68, 5), at(12, 5)]
    c.fill(polygon([at(0, 0), at(12, -5), at(12, 5)]), rgb("e8c9a0"), bounds([at(0, 0), at(12, -5), at(12, 5)], 1))
    c.fill(polygon([at(0, 0), at(4, -1.7), at(4, 1.7)]), rgb("2b2b2b"), bounds([at(0, 0), at(4, -2), at(4, 2)], 1))
    c.fill(polygon(body), rgb("f2c417"), bounds(body, 1))
    c.fill(polyline([at(12, 0), at(68, 0)], 1.0), rgb("d9a90e"), bounds(body, 1))
    cap = [at(68, -5), at(78, -5), at(78, 5), at(68, 5)]
    c.fill(polygon(cap), rgb("e88fa8"), bounds(cap, 1))
    band = [at(66, -5), at(69, -5), at(69, 5), at(66, 5)]
    c.fill(polygon(band), rgb("9aa3ad"), bounds(band, 1))
    return c


def folder(open_):
    c = Canvas(16, 16)
    back = vertical(rgb("f5cf6b"), rgb("d9a33a"), 2, 14)
    # The back with its tab.
    c.fill(polygon([(1, 3), (6, 3), (7.5, 4.5), (14, 4.5), (14, 13.5), (1, 13.5)]), back)
    c.fill(subtract(polygon([(1, 3), (6, 3), (7.5, 4.5), (14, 4.5), (14, 13.5), (1, 13.5)]),
                    polygon([(2, 4), (5.6, 4), (7.1, 5.5), (13, 5.5), (13, 12.5), (2, 12.5)])), rgb("a7771f"))
    if open_:
        # A sheet inside and the front flap tipped forward.
        c.fill(box(3, 5.5, 12.5, 11, 0.5), rgb("ffffff"))
        front = [(3.2, 7.5), (15.5, 7.5), (13.6, 13.5), (1, 13.5)]
    else:
        front = [(1, 6.5), (14, 6.5), (14, 13.5), (1, 13.5)]
    c.fill(polygon(front), vertical(rgb("ffe08a"), rgb("e8b64a"), 6, 14))
    c.fill(subtract(polygon(front), lambda x, y: polygon(front)(x, y) + 0.9), rgb("a7771f"))
    return c


WINDOW_IMAGES = {
    "help.png": (lambda: help_icon(False), (24, 24)),
    "help4.png": (lambda: help_icon(True), (24, 24)),
    "Setting.png": (gear, (48, 48)),
    "vlm.png": (printer, (48, 48)),
}
MAINTENANCE_IMAGES = {
    "Ink_CleanPage.png": (clean_page, (121, 171)),
    "Ink_Cleaning.png": (cleaning, (123, 143)),
    "Ink_SFPAlign.png": (lambda: align_page(False), (121, 171)),
    "Ink_SFPAlign_Page.png": (align_page_detail, (98, 106)),
    "Ink_SFPAlign_Pen.png": (align_pen, (101, 94)),
    "Ink_SFPAlign_Verify.png": (lambda: align_page(True), (120, 168)),
}


# Found by name beside the program rather than embedded.
SHARED_IMAGES = {
    "folder.png": (lambda: folder(False), (16, 16)),
    "folder_open.png": (lambda: folder(True), (16, 16)),
}


def targets():
    for name, (make, size) in SHARED_IMAGES.items():
        yield os.path.join(SHARE_IMAGES_DIR, name), make, size
    for name, (make, size) in WINDOW_IMAGES.items():
        yield os.path.join(WINDOW_DIR, name), make, size
    for name, (make, size) in MAINTENANCE_IMAGES.items():
        yield os.path.join(MAINTENANCE_DIR, name), make, size
    yield LOGO_PATH, logo, (128, 48)


def main(argv):
    check_only = "--check" in argv
    failures = 0
    for path, make, size in targets():
        if not check_only:
            canvas = make()
            if (canvas.width, canvas.height) != size:
                raise SystemExit("%s: drawn %dx%d, expected %dx%d" % (path, canvas.width, canvas.height, *size))
            canvas.save(path)
        found = png_size(path) if os.path.exists(path) else None
        if found != (size[0], size[1], 8, 6):
            print("wrong or missing: %s (%s)" % (os.path.relpath(path, TOP), found), file=sys.stderr)
            failures += 1
        else:
            print("%s %dx%d RGBA" % (os.path.relpath(path, TOP), size[0], size[1]))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
