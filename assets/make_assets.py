#!/usr/bin/env python3
"""(Re)creates Pelmora's artwork in this folder.

    python3 assets/make_assets.py           write every file, then verify them
    python3 assets/make_assets.py --check   only verify the files already here

Only the Python standard library is used.  ImageMagick's `convert` renders the
button captions (DejaVu Sans Bold) and encodes about.jpg.

Everything is drawn with signed-distance coverage (anti-aliased shapes) on a
float RGBA canvas; the BMP/ICO containers are written by hand so that their
headers are exactly what Windows' LoadImage and windres expect.
"""

import math
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

FONT_BOLD = "DejaVu-Sans-Bold"

# ---------------------------------------------------------------------------
# Palette: deep blue / teal accent on a cool light background.
# ---------------------------------------------------------------------------
INK = (14, 30, 58)            # darkest outline
NAVY = (24, 50, 92)
NAVY_LIGHT = (52, 84, 134)
BLUE = (36, 98, 178)
BLUE_LIGHT = (96, 158, 226)
TEAL_DARK = (0, 112, 124)
TEAL = (18, 164, 160)
TEAL_LIGHT = (112, 222, 208)
WHITE = (255, 255, 255)
PAPER_TOP = (251, 252, 254)     # background.bmp, top
PAPER_BOTTOM = (229, 237, 245)  # background.bmp, bottom
PAPER_MID = tuple((a + b) // 2 for a, b in zip(PAPER_TOP, PAPER_BOTTOM))
MASK = (192, 192, 192)          # toolbar transparent colour, exact


def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def with_alpha(c, a):
    return (c[0], c[1], c[2], a)


# ---------------------------------------------------------------------------
# Coverage functions: f(x, y) -> 0..1, evaluated at pixel centres.
# ---------------------------------------------------------------------------
def cov_d(d):
    """Coverage of a pixel whose centre is at signed distance d (px)."""
    return 0.0 if d >= 0.5 else 1.0 if d <= -0.5 else 0.5 - d


def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_rrect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hw, hh = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hw, abs(y - cy) - hh
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return f


def sd_ellipse(cx, cy, rx, ry):
    def f(x, y):
        u, v = (x - cx) / rx, (y - cy) / ry
        g = math.hypot(u / rx, v / ry)
        if g < 1e-9:
            return -min(rx, ry)
        return (u * u + v * v - 1.0) / (2.0 * g)
    return f


def fill(sd):
    return lambda x, y: cov_d(sd(x, y))


def stroke(sd, width):
    """A band of the given width centred on the outline of sd."""
    return lambda x, y: cov_d(abs(sd(x, y)) - width / 2.0)


def inner_stroke(sd, width):
    """A band of the given width just inside the outline of sd."""
    return lambda x, y: cov_d(abs(sd(x, y) + width / 2.0) - width / 2.0)


def both(a, b):
    return lambda x, y: min(a(x, y), b(x, y))


# ---------------------------------------------------------------------------
# Colour functions: f(x, y) -> (r, g, b[, a])
# ---------------------------------------------------------------------------
def linear(x0, y0, x1, y1, stops):
    """Linear gradient; stops = [(t, colour), ...] with t ascending 0..1."""
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy

    def f(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / ll
        if t <= stops[0][0]:
            return stops[0][1]
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1:
                return mix(c0, c1, (t - t0) / (t1 - t0))
        return stops[-1][1]
    return f


class Canvas:
    """Premultiplied float RGBA, 0..1."""

    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        if bg is None:
            p = (0.0, 0.0, 0.0, 0.0)
        else:
            a = bg[3] / 255.0 if len(bg) > 3 else 1.0
            p = (bg[0] / 255.0 * a, bg[1] / 255.0 * a, bg[2] / 255.0 * a, a)
        self.px = [list(p) for _ in range(w * h)]

    def paint(self, cov, colour, box=None):
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        const = not callable(colour)
        for y in range(y0, y1):
            row = y * self.w
            for x in range(x0, x1):
                c = cov(x + 0.5, y + 0.5)
                if c <= 0.0:
                    continue
                col = colour if const else colour(x + 0.5, y + 0.5)
                a = c * (col[3] / 255.0 if len(col) > 3 else 1.0)
                if a <= 0.0:
                    continue
                p = self.px[row + x]
                k = 1.0 - a
                p[0] = col[0] / 255.0 * a + p[0] * k
                p[1] = col[1] / 255.0 * a + p[1] * k
                p[2] = col[2] / 255.0 * a + p[2] * k
                p[3] = a + p[3] * k

    def rgba8(self):
        """Straight-alpha 8-bit tuples, row-major, top row first."""
        out = []
        for r, g, b, a in self.px:
            if a <= 0.0:
                out.append((0, 0, 0, 0))
                continue
            out.append((min(255, int(r / a * 255 + 0.5)),
                        min(255, int(g / a * 255 + 0.5)),
                        min(255, int(b / a * 255 + 0.5)),
                        min(255, int(a * 255 + 0.5))))
        return out

    def rgb8(self):
        """Opaque 8-bit tuples (canvas must be opaque)."""
        return [(min(255, int(r * 255 + 0.5)), min(255, int(g * 255 + 0.5)),
                 min(255, int(b * 255 + 0.5))) for r, g, b, a in self.px]


# ---------------------------------------------------------------------------
# Text, rendered by FreeType through ImageMagick (hinted, grey anti-aliasing).
# ---------------------------------------------------------------------------
class TextMask:
    def __init__(self, text, font, size):
        w, h = 40 + int(len(text) * size * 1.1), int(size * 3)
        self.ox, self.base = 10, int(size * 2)
        cmd = ["convert", "-density", "72", "-size", "%dx%d" % (w, h), "xc:black",
               "-font", font, "-pointsize", str(size), "-fill", "white",
               "-annotate", "+%d+%d" % (self.ox, self.base), text,
               "-depth", "8", "gray:-"]
        data = subprocess.run(cmd, check=True, capture_output=True).stdout
        if len(data) != w * h:
            raise RuntimeError("unexpected output from convert for %r" % text)
        self.w, self.h, self.cov = w, h, [v / 255.0 for v in data]
        xs = [i % w for i, v in enumerate(data) if v]
        ys = [i // w for i, v in enumerate(data) if v]
        self.left, self.right = min(xs), max(xs) + 1
        self.top = min(ys)

    def draw(self, canvas, x, y_base, colour):
        """Draw with the ink's left edge at x and the baseline at y_base."""
        dx, dy = x - self.left, y_base - self.base

        def cov(px, py):
            sx, sy = int(px) - dx, int(py) - dy
            if 0 <= sx < self.w and 0 <= sy < self.h:
                return self.cov[sy * self.w + sx]
            return 0.0
        canvas.paint(cov, colour, (dx, dy, dx + self.w, dy + self.h))


def cap_height(font, size):
    t = TextMask("H", font, size)
    return t.base - t.top


# ---------------------------------------------------------------------------
# Colour reduction (median cut) for the 256-colour images.
# ---------------------------------------------------------------------------
def median_cut(pixels, n):
    counts = {}
    for p in pixels:
        counts[p] = counts.get(p, 0) + 1
    if len(counts) <= n:
        return sorted(counts)
    boxes = [list(counts.items())]
    while len(boxes) < n:
        best, best_score = None, -1
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            span = max(max(c[0][k] for c in box) - min(c[0][k] for c in box) for k in range(3))
            score = span * span * sum(c[1] for c in box) ** 0.5
            if score > best_score:
                best, best_score = i, score
        if best is None:
            break
        box = boxes.pop(best)
        spans = [max(c[0][k] for c in box) - min(c[0][k] for c in box) for k in range(3)]
        k = spans.index(max(spans))
        box.sort(key=lambda c: c[0][k])
        total, acc, cut = sum(c[1] for c in box), 0, 1
        for j, c in enumerate(box):
            acc += c[1]
            if acc * 2 >= total:
                cut = min(max(1, j + 1), len(box) - 1)
                break
        boxes += [box[:cut], box[cut:]]
    pal = []
    for box in boxes:
        total = sum(c[1] for c in box)
        pal.append(tuple(int(sum(c[0][k] * c[1] for c in box) / total + 0.5) for k in range(3)))
    return pal


def quantize(pixels, palette):
    cache = {}
    out = []
    for p in pixels:
        i = cache.get(p)
        if i is None:
            i = min(range(len(palette)), key=lambda j: (palette[j][0] - p[0]) ** 2 * 3 +
                    (palette[j][1] - p[1]) ** 2 * 4 + (palette[j][2] - p[2]) ** 2 * 2)
            cache[p] = i
        out.append(i)
    return out


# ---------------------------------------------------------------------------
# File writers.  All bitmaps are bottom-up with rows padded to 4 bytes.
# ---------------------------------------------------------------------------
def stride(w, bits):
    return ((w * bits + 31) // 32) * 4


def info_header(w, h, bits, image_size, clr_used=0, ppm=2835):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, image_size, ppm, ppm, clr_used, 0)


def rows_bottom_up(w, h, bits, row_bytes_fn):
    s = stride(w, bits)
    out = bytearray()
    for y in range(h - 1, -1, -1):
        r = row_bytes_fn(y)
        out += r + b"\0" * (s - len(r))
    return bytes(out)


def palette_bytes(pal):
    pal = list(pal) + [(0, 0, 0)] * (256 - len(pal))
    return b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in pal)


def bmp_file(dib_header_and_palette, bits_data):
    off = 14 + len(dib_header_and_palette)
    size = off + len(bits_data)
    return struct.pack("<2sIHHI", b"BM", size, 0, 0, off) + dib_header_and_palette + bits_data


def write_bmp24(path, w, h, rgb):
    data = rows_bottom_up(w, h, 24, lambda y: b"".join(
        struct.pack("BBB", b, g, r) for r, g, b in rgb[y * w:(y + 1) * w]))
    with open(path, "wb") as f:
        f.write(bmp_file(info_header(w, h, 24, len(data)), data))


def write_bmp8(path, w, h, rgb):
    pal = median_cut(rgb, 256)
    idx = quantize(rgb, pal)
    data = rows_bottom_up(w, h, 8, lambda y: bytes(idx[y * w:(y + 1) * w]))
    with open(path, "wb") as f:
        f.write(bmp_file(info_header(w, h, 8, len(data), 256) + palette_bytes(pal), data))


def and_mask(w, h, transparent):
    def row(y):
        bits = bytearray((w + 7) // 8)
        for x in range(w):
            if transparent[y * w + x]:
                bits[x >> 3] |= 0x80 >> (x & 7)
        return bytes(bits)
    return rows_bottom_up(w, h, 1, row)


def icon_dib(w, h, rgba, bits):
    """One icon image: BITMAPINFOHEADER (height doubled) [+ palette] + XOR + AND."""
    transparent = [p[3] < 128 for p in rgba]
    mask = and_mask(w, h, transparent)
    if bits == 32:
        xor = rows_bottom_up(w, h, 32, lambda y: b"".join(
            struct.pack("BBBB", b, g, r, a) if a else b"\0\0\0\0"
            for r, g, b, a in rgba[y * w:(y + 1) * w]))
        pal = b""
    elif bits == 8:
        opaque = [p[:3] for p, t in zip(rgba, transparent) if not t]
        colours = [(0, 0, 0)] + [c for c in median_cut(opaque, 255) if c != (0, 0, 0)]
        idx = quantize([p[:3] for p in rgba], colours)
        idx = [0 if t else i for i, t in zip(idx, transparent)]  # index 0 is black
        xor = rows_bottom_up(w, h, 8, lambda y: bytes(idx[y * w:(y + 1) * w]))
        pal = palette_bytes(colours)
    else:
        raise ValueError(bits)
    return info_header(w, h * 2, bits, len(xor) + len(mask), 0, 0) + pal + xor + mask


def write_ico(path, images):
    """images: [(w, h, bits, dib_bytes), ...]"""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, bits, dib in images:
        out += struct.pack("<BBBBHHII", w & 255, h & 255, 0, 0, 1, bits, len(dib), offset)
        offset += len(dib)
    out += b"".join(img[3] for img in images)
    with open(path, "wb") as f:
        f.write(out)


# ---------------------------------------------------------------------------
# Artwork
# ---------------------------------------------------------------------------
# Icon motif: a miniature desktop (rounded tile) whose bottom edge is a navy
# taskbar; a glossy round teal "start button" sits at the left end of the bar
# and rises above it; pale task buttons sit on the bar and a small window sits
# on the desktop.  Hand-tuned per size so edges fall on pixel boundaries.
ICON_LAYOUT = {
    48: dict(tr=6.0, bar=33, orb=(12.0, 35.5, 9.2), ring=2.0,
             tasks=[(26, 37, 35, 44), (37, 37, 46, 44)], win=(23, 6, 43, 26), title=4),
    32: dict(tr=4.0, bar=22, orb=(8.0, 24.0, 6.5), ring=1.5,
             tasks=[(17, 25, 23, 29), (24, 25, 30, 29)], win=(15, 4, 29, 17), title=3),
    24: dict(tr=3.0, bar=16, orb=(6.0, 18.0, 5.0), ring=1.0,
             tasks=[(13, 19, 17, 22), (18, 19, 22, 22)], win=(11, 3, 22, 12), title=2),
    16: dict(tr=3.0, bar=11, orb=(4.8, 11.0, 3.6), ring=1.0,
             tasks=[(10, 13, 12, 15), (13, 13, 15, 15)], win=(8, 2, 14, 8), title=2),
}


def draw_icon(s):
    L = ICON_LAYOUT[s]
    c = Canvas(s, s)
    tile = sd_rrect(0, 0, s, s, L["tr"])
    inside = fill(tile)
    by = L["bar"]
    # desktop
    c.paint(inside, linear(0, 0, s * 0.3, s, [(0, (232, 244, 255)), (1, (150, 196, 238))]))
    # a small window on the desktop
    x0, y0, x1, y1 = L["win"]
    wr = 1.0 if s >= 32 else 0.0
    if s >= 24:
        c.paint(fill(sd_rrect(x0 + 1, y0 + 1, x1 + 1, y1 + 1, wr)), with_alpha(NAVY, 50))
    c.paint(fill(sd_rrect(x0, y0, x1, y1, wr)), WHITE)
    c.paint(both(fill(sd_rrect(x0, y0, x1, y1, wr)), lambda x, y: 1.0 if y < y0 + L["title"] else 0.0), BLUE)
    if s >= 24:
        c.paint(inner_stroke(sd_rrect(x0, y0, x1, y1, wr), 1.0), with_alpha(NAVY, 150))
    # taskbar along the bottom of the tile
    bar = both(inside, lambda x, y: 1.0 if y >= by else 0.0)
    c.paint(bar, linear(0, by, 0, s, [(0, NAVY_LIGHT), (0.3, NAVY), (1, INK)]))
    c.paint(both(inside, lambda x, y: 1.0 if by <= y < by + 1 else 0.0), with_alpha(BLUE_LIGHT, 170))
    for (tx0, ty0, tx1, ty1) in L["tasks"]:
        c.paint(fill(sd_rrect(tx0, ty0, tx1, ty1, 1.0 if s >= 32 else 0.01)),
                linear(0, ty0, 0, ty1, [(0, (196, 222, 250)), (1, (140, 180, 228))]))
    # tile outline, for definition on light backgrounds
    c.paint(inner_stroke(tile, 1.0), with_alpha(INK, 150))
    # the start button
    cx, cy, r = L["orb"]
    ring = L["ring"]
    if s >= 24:
        c.paint(both(inside, fill(sd_circle(cx + 0.4, cy + 1.0, r + ring))), (0, 0, 0, 70))
    c.paint(both(inside, fill(sd_circle(cx, cy, r + ring))), WHITE)
    body = sd_circle(cx, cy, r)
    c.paint(both(inside, fill(body)), linear(cx - r * 0.6, cy - r, cx + r * 0.5, cy + r,
                                             [(0, TEAL_LIGHT), (0.45, TEAL), (1, TEAL_DARK)]))
    gl = sd_ellipse(cx, cy - r * 0.42, r * 0.72, r * 0.46)
    c.paint(fill(gl), linear(0, cy - r * 0.9, 0, cy, [(0, (255, 255, 255, 170)), (1, (255, 255, 255, 20))]))
    c.paint(both(inside, stroke(sd_circle(cx, cy, r + ring + 0.25), 0.6 if s >= 32 else 0.5)),
            with_alpha(INK, 140))
    return c


def make_window_icon(path):
    images = []
    for bits in (8, 32):
        for s in (48, 32, 24, 16):
            images.append((s, s, bits, icon_dib(s, s, draw_icon(s).rgba8(), bits)))
    write_ico(path, images)


def make_side_panel(path):
    """64x64, opaque; only horizontal structure varies sharply so that being
    stretched to a tall narrow strip (about 1.1x wide, 4x tall) keeps it clean."""
    s = 64
    c = Canvas(s, s)
    c.paint(lambda x, y: 1.0, linear(0, 0, 0, s, [(0, INK), (0.45, NAVY), (0.8, (20, 96, 138)), (1, TEAL_DARK)]))
    # glass sheen: a soft vertical band of light, brightest left of centre
    c.paint(lambda x, y: max(0.0, 1.0 - abs(x - 20) / 16.0) ** 1.6, (255, 255, 255, 44))
    c.paint(lambda x, y: max(0.0, 1.0 - abs(x - 20) / 5.0), (255, 255, 255, 26))
    # darker towards the right, then two crisp rules at the right edge
    c.paint(lambda x, y: max(0.0, (x - 40) / 20.0), (0, 0, 0, 50))
    c.paint(lambda x, y: 1.0 if 60 <= x < 61 else 0.0, with_alpha(TEAL_LIGHT, 200))
    c.paint(lambda x, y: 1.0 if x >= 62 else 0.0, INK)
    # a faint hairline near the left edge
    c.paint(lambda x, y: 1.0 if 3 <= x < 4 else 0.0, (255, 255, 255, 40))
    rgba = c.rgba8()
    icon = icon_dib(s, s, rgba, 8)
    write_ico(path, [(s, s, 8, icon)])


def background_canvas():
    w, h = 88, 96
    c = Canvas(w, h)
    c.paint(lambda x, y: 1.0, linear(0, 0, w * 0.35, h, [(0, PAPER_TOP), (1, PAPER_BOTTOM)]))
    return c


def make_background(path):
    c = background_canvas()
    write_bmp8(path, c.w, c.h, c.rgb8())


def draw_button(w, h, caption, size=11):
    c = Canvas(w, h, PAPER_MID)
    r = 5.0
    x0, y0, x1, y1 = 0, 0, w, h - 1
    # drop shadow: one soft row below the button
    c.paint(fill(sd_rrect(x0, y0 + 1, x1, y1 + 1, r)), with_alpha(NAVY, 70))
    body = sd_rrect(x0, y0, x1, y1, r)
    c.paint(fill(body), linear(0, y0, 0, y1, [(0, (84, 150, 224)), (0.5, (46, 112, 196)),
                                             (0.52, (36, 100, 184)), (1, (26, 80, 156))]))
    # inner top highlight and outer border
    c.paint(both(inner_stroke(sd_rrect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r - 1), 1.0),
                 lambda x, y: max(0.0, 1.0 - (y - y0) / (h * 0.55))), (200, 228, 255, 170))
    c.paint(inner_stroke(body, 1.0), (22, 62, 124))
    # caption: white with a 1-px dark shadow, centred on ink width and cap height
    t = TextMask(caption, FONT_BOLD, size)
    ch = cap_height(FONT_BOLD, size)
    tx = (w - (t.right - t.left)) // 2
    inner_h = y1 - y0
    tb = int(round(y0 + (inner_h + ch) / 2.0))
    t.draw(c, tx, tb + 1, with_alpha(INK, 150))
    t.draw(c, tx, tb, WHITE)
    return c


def make_button(path, w, h, caption):
    c = draw_button(w, h, caption)
    write_bmp24(path, w, h, c.rgb8())


# Toolbar: hand-placed hard pixels only, on exact 0xC0C0C0.  '#' is outline,
# the enclosed area is filled with a teal-to-blue ramp, '=' is a teal accent.
TOOL_OUTLINE = INK
TOOL_FILL_TOP = TEAL_LIGHT
TOOL_FILL_BOTTOM = BLUE

TOOL_ELLIPSE = [
    "................",
    "................",
    "................",
    ".....######.....",
    "...##......##...",
    "..#..........#..",
    ".#............#.",
    ".#............#.",
    ".#............#.",
    ".#............#.",
    "..#..........#..",
    "...##......##...",
    ".....######.....",
    "................",
    "................",
    "................",
]
TOOL_RECTANGLE = [
    "................",
    "................",
    "................",
    ".##############.",
    ".#............#.",
    ".#............#.",
    ".#............#.",
    ".#............#.",
    ".#............#.",
    ".#............#.",
    ".#............#.",
    ".#............#.",
    ".##############.",
    "................",
    "................",
    "................",
]
TOOL_POLYGON = [
    "................",
    ".......##.......",
    ".....##..##.....",
    "...##......##...",
    ".##..........##.",
    ".#............#.",
    ".#............#.",
    "..#..........#..",
    "..#..........#..",
    "..#..........#..",
    "...#........#...",
    "...#........#...",
    "...#........#...",
    "....#......#....",
    "....########....",
    "................",
]
TOOL_TEXT = [
    "................",
    ".......##.......",
    "......####......",
    "......####......",
    ".....##..##.....",
    ".....##..##.....",
    "....##....##....",
    "....##....##....",
    "...##########...",
    "...##########...",
    "..##........##..",
    "..##........##..",
    ".###........###.",
    "................",
    "..============..",
    "................",
]


def tool_pixels(art, filled=True):
    """{(x, y): colour} for one 16x16 picture drawn as text art."""
    assert len(art) == 16 and all(len(r) == 16 for r in art)
    outside = set()
    todo = [(x, y) for x in range(16) for y in (0, 15)] + [(x, y) for y in range(16) for x in (0, 15)]
    while todo:
        x, y = todo.pop()
        if (x, y) in outside or not (0 <= x < 16 and 0 <= y < 16) or art[y][x] != ".":
            continue
        outside.add((x, y))
        todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    inner = [(x, y) for y in range(16) for x in range(16) if art[y][x] == "." and (x, y) not in outside]
    out = {}
    if inner and filled:
        y0, y1 = min(y for x, y in inner), max(y for x, y in inner)
        for x, y in inner:
            out[(x, y)] = tuple(int(v + 0.5) for v in mix(TOOL_FILL_TOP, TOOL_FILL_BOTTOM,
                                                          (y - y0) / max(1, y1 - y0)))
    for y in range(16):
        for x in range(16):
            if art[y][x] == "#":
                out[(x, y)] = TOOL_OUTLINE
            elif art[y][x] == "=":
                out[(x, y)] = TEAL
    return out


def make_toolbar(path):
    w, h = 64, 16
    px = [MASK] * (w * h)
    for i, art in enumerate((TOOL_ELLIPSE, TOOL_RECTANGLE, TOOL_POLYGON, TOOL_TEXT)):
        for (x, y), col in tool_pixels(art, art is not TOOL_TEXT).items():
            assert col != MASK, "a drawn pixel may never be the mask colour"
            px[y * w + 16 * i + x] = col
    write_bmp24(path, w, h, px)


def make_about(path):
    w, h = 222, 193
    c = Canvas(w, h)
    c.paint(lambda x, y: 1.0, linear(0, 0, 0, h, [(0, (252, 253, 255)), (1, (236, 242, 249))]))
    # concentric rings in two corners, echoing the round button
    for (cx, cy), rings in (((w + 14, -18), (46, 58, 70)), ((-20, h + 16), (40, 52, 64))):
        for i, rr in enumerate(rings):
            col = with_alpha(TEAL if i % 2 == 0 else BLUE, 64 - i * 16)
            c.paint(stroke(sd_circle(cx, cy, rr), 3.0 - i * 0.6), col)
        c.paint(fill(sd_circle(cx, cy, rings[0] - 8)), linear(cx, cy - 40, cx, cy + 40,
                [(0, with_alpha(TEAL_LIGHT, 70)), (1, with_alpha(BLUE, 50))]))
    # accent rules at the very top and bottom
    c.paint(lambda x, y: 1.0 if y < 3 else 0.0, linear(0, 0, w, 0, [(0, TEAL), (1, BLUE)]))
    c.paint(lambda x, y: 1.0 if y >= h - 2 else 0.0, linear(0, 0, w, 0, [(0, BLUE), (1, TEAL)]))
    with tempfile.TemporaryDirectory() as tmp:
        ppm = os.path.join(tmp, "about.ppm")
        with open(ppm, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (w, h))
            f.write(bytes(v for p in c.rgb8() for v in p))
        subprocess.run(["convert", ppm, "-strip", "-interlace", "none", "-sampling-factor", "1x1",
                        "-quality", "93", "jpeg:" + path], check=True)


# ---------------------------------------------------------------------------
# Verification
# ---------------------------------------------------------------------------
class CheckError(Exception):
    pass


def need(cond, msg):
    if not cond:
        raise CheckError(msg)


def parse_dib(buf, off):
    (size, w, h, planes, bits, comp, img_size, _, _, clr_used, _) = struct.unpack_from("<IiiHHIIiiII", buf, off)
    need(size == 40, "BITMAPINFOHEADER size is %d, not 40" % size)
    need(planes == 1 and comp == 0, "planes/compression not 1/BI_RGB")
    ncol = (clr_used or 256) if bits == 8 else 0
    return dict(w=w, h=h, bits=bits, img_size=img_size, pal_off=off + 40, ncol=ncol,
                bits_off=off + 40 + 4 * ncol)


def read_bmp(path):
    buf = open(path, "rb").read()
    magic, fsize, _, _, off = struct.unpack_from("<2sIHHI", buf, 0)
    need(magic == b"BM", "%s: no BM magic" % path)
    need(fsize == len(buf), "%s: file size field %d != %d" % (path, fsize, len(buf)))
    d = parse_dib(buf, 14)
    need(d["h"] > 0, "%s: not bottom-up" % path)
    need(off == d["bits_off"], "%s: pixel offset %d, expected %d" % (path, off, d["bits_off"]))
    s = stride(d["w"], d["bits"])
    need(len(buf) - off == s * d["h"], "%s: pixel data is not %d padded rows" % (path, d["h"]))
    rgb = []
    for y in range(d["h"] - 1, -1, -1):
        row = off + y * s
        for x in range(d["w"]):
            if d["bits"] == 24:
                b, g, r = buf[row + 3 * x: row + 3 * x + 3]
            else:
                i = buf[row + x]
                need(i < d["ncol"], "%s: index %d beyond palette" % (path, i))
                b, g, r, _ = buf[d["pal_off"] + 4 * i: d["pal_off"] + 4 * i + 4]
            rgb.append((r, g, b))
    return d, rgb


def check_bmp(name, w, h, bits):
    d, rgb = read_bmp(os.path.join(HERE, name))
    need((d["w"], d["h"], d["bits"]) == (w, h, bits),
         "%s: is %dx%d %d-bit, expected %dx%d %d-bit" % (name, d["w"], d["h"], d["bits"], w, h, bits))
    print("  %-18s %dx%d %d-bit BMP, %d colours in use" % (name, w, h, bits, len(set(rgb))))
    return rgb


def check_ico(name, expected):
    path = os.path.join(HERE, name)
    buf = open(path, "rb").read()
    res, typ, count = struct.unpack_from("<HHH", buf, 0)
    need(res == 0 and typ == 1, "%s: not an icon file" % name)
    need(count == len(expected), "%s: %d images, expected %d" % (name, count, len(expected)))
    end = 6 + 16 * count
    seen = []
    for i in range(count):
        bw, bh, ncol, rsv, planes, bitcount, nbytes, off = struct.unpack_from("<BBBBHHII", buf, 6 + 16 * i)
        w, h = bw or 256, bh or 256
        need(off == end, "%s #%d: image not contiguous (offset %d, expected %d)" % (name, i, off, end))
        need(off + nbytes <= len(buf), "%s #%d: runs past end of file" % (name, i))
        end = off + nbytes
        need(ncol == 0 and rsv == 0 and planes == 1, "%s #%d: bad colour count/planes" % (name, i))
        d = parse_dib(buf, off)
        need((d["w"], d["h"], d["bits"]) == (w, 2 * h, bitcount),
             "%s #%d: DIB %dx%d/%d disagrees with entry %dx%d/%d" % (name, i, d["w"], d["h"], d["bits"], w, h, bitcount))
        xor_len = stride(w, bitcount) * h
        and_len = stride(w, 1) * h
        need(nbytes == 40 + 4 * d["ncol"] + xor_len + and_len,
             "%s #%d: %d bytes, expected header+palette+XOR+AND = %d" %
             (name, i, nbytes, 40 + 4 * d["ncol"] + xor_len + and_len))
        # AND mask vs. colour data
        xo, ao = d["bits_off"], d["bits_off"] + xor_len
        n_transp = n_bad = 0
        for y in range(h):
            for x in range(w):
                m = buf[ao + y * stride(w, 1) + (x >> 3)] >> (7 - (x & 7)) & 1
                n_transp += m
                if bitcount == 32:
                    a = buf[xo + y * stride(w, 32) + 4 * x + 3]
                    n_bad += (a >= 128) == bool(m)
                elif m:
                    n_bad += buf[xo + y * stride(w, 8) + x] != 0 or buf[d["pal_off"]:d["pal_off"] + 3] != b"\0\0\0"
        need(n_bad == 0, "%s #%d: %d pixels where AND mask and colour data disagree" % (name, i, n_bad))
        need(0 < n_transp < w * h or expected[i][3], "%s #%d: mask is all one value" % (name, i))
        print("  %-18s #%d  %2dx%-2d  bitCount %2d  %5d bytes at %5d  (%d transparent px)"
              % (name, i, w, h, bitcount, nbytes, off, n_transp))
        seen.append((w, h, bitcount))
    need(end == len(buf), "%s: %d trailing bytes" % (name, len(buf) - end))
    need(seen == [e[:3] for e in expected], "%s: entries %s, expected %s" % (name, seen, expected))


def check_all():
    check_ico("pelmora.ico", [(s, s, b, False) for b in (8, 32) for s in (48, 32, 24, 16)])
    check_ico("side_panel.ico", [(64, 64, 8, True)])
    check_bmp("background.bmp", 88, 96, 8)
    check_bmp("apply_label.bmp", 124, 29, 24)
    check_bmp("customize.bmp", 212, 30, 24)
    tb = check_bmp("toolbar.bmp", 64, 16, 24)
    for i in range(4):
        cell = [tb[y * 64 + 16 * i + x] for y in range(16) for x in range(16)]
        drawn = [p for p in cell if p != MASK]
        need(len(drawn) > 20, "toolbar.bmp image %d is (nearly) empty" % i)
        need(cell[0] == cell[15] == cell[-16] == cell[-1] == MASK,
             "toolbar.bmp image %d: corners are not the mask colour" % i)
        near = [p for p in drawn if max(abs(a - b) for a, b in zip(p, MASK)) < 40]
        need(not near, "toolbar.bmp image %d: %d pixels nearly the mask colour %s" % (i, len(near), near[:3]))
    jpg = open(os.path.join(HERE, "about.jpg"), "rb").read()
    need(jpg[:2] == b"\xff\xd8" and jpg.rstrip(b"\0")[-2:] == b"\xff\xd9", "about.jpg: not a JPEG")
    need(b"\xff\xc0" in jpg and b"\xff\xc2" not in jpg, "about.jpg: not a baseline JPEG")
    i = jpg.index(b"\xff\xc0")
    h, w = struct.unpack_from(">HH", jpg, i + 5)
    need((w, h) == (222, 193), "about.jpg: %dx%d" % (w, h))
    print("  %-18s %dx%d baseline JPEG, %d bytes" % ("about.jpg", w, h, len(jpg)))
    try:
        out = subprocess.run(["identify", "-format", "%f[%p] %m %wx%h %r, %z bits/channel, %k colours\\n"] +
                             [os.path.join(HERE, n) for n in
                             ("pelmora.ico", "side_panel.ico", "background.bmp", "apply_label.bmp",
                              "customize.bmp", "toolbar.bmp", "about.jpg")],
                             check=True, capture_output=True, text=True).stdout
        print("identify:")
        for line in out.splitlines():
            print("  " + line.replace(HERE + os.sep, ""))
    except (OSError, subprocess.CalledProcessError) as e:
        print("identify not run: %s" % e)


def main():
    if "--check" not in sys.argv[1:]:
        make_window_icon(os.path.join(HERE, "pelmora.ico"))
        make_side_panel(os.path.join(HERE, "side_panel.ico"))
        make_background(os.path.join(HERE, "background.bmp"))
        make_button(os.path.join(HERE, "apply_label.bmp"), 124, 29, "Apply Label")
        make_button(os.path.join(HERE, "customize.bmp"), 212, 30, "Customize Shape...")
        make_toolbar(os.path.join(HERE, "toolbar.bmp"))
        make_about(os.path.join(HERE, "about.jpg"))
    try:
        check_all()
    except CheckError as e:
        print("CHECK FAILED: %s" % e)
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
