#!/usr/bin/env python3
"""Draws the program's pictures and writes them as BMP and ICO files.

Run from anywhere: python3 src/res/art/make_art.py. It writes into src/res/:
  Quillery.ico   icon 128: notepad and quill, 32x32 and 16x16
  toolbar.bmp    toolbar 128: one 24x24 glyph per button, left to right
  splash.bmp     bitmap 138: start-up picture with the product name
  picture.bmp    bitmap 161: About box and setup wizard picture
  remind.bmp     bitmap 160: 16x16 reminder mark (left) and its mask (right)

Only the standard library is used; the outputs are committed, so the build
never runs this script.
"""
import math
import os
import struct

# Colours (RGB). Transparent pixels of the icon are None.
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (64, 64, 64)
GREY = (128, 128, 128)
SILVER = (192, 192, 192)  # button face: the toolbar's background
LIGHT = (224, 224, 224)
PAPER = (255, 255, 128)   # the note view's default background
PAPER_SHADE = (224, 208, 96)
RULE = (128, 160, 255)
MARGIN = (240, 96, 96)
INK = (0, 0, 255)          # the note view's default text colour
NAVY = (0, 0, 128)
RED = (208, 0, 0)
DARK_RED = (128, 0, 0)
GREEN = (0, 160, 0)
DARK_GREEN = (0, 96, 0)
GOLD = (255, 208, 0)
ORANGE = (240, 144, 0)
BROWN = (144, 88, 32)
DARK_BROWN = (96, 56, 16)
SKY = (96, 160, 255)
GLASS = (192, 224, 255)
FEATHER = (248, 248, 240)
FEATHER_SHADE = (200, 200, 210)
SHAFT = (120, 100, 80)


class Canvas:
    """A grid of colours with the few drawing operations the pictures need."""

    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.hline(x0, x1, y0, colour)
        self.hline(x0, x1, y1, colour)
        self.vline(x0, y0, y1, colour)
        self.vline(x1, y0, y1, colour)

    def hline(self, x0, x1, y, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(y0, y1 + 1):
            self.set(x, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def shape(self, inside, colour, box=None):
        """Colours every pixel whose centre satisfies inside(x, y)."""
        x0, y0, x1, y1 = box or (0, 0, self.width - 1, self.height - 1)
        for y in range(max(0, y0), min(self.height - 1, y1) + 1):
            for x in range(max(0, x0), min(self.width - 1, x1) + 1):
                if inside(x + 0.5, y + 0.5):
                    self.px[y][x] = colour

    def polygon(self, points, colour):
        def inside(px, py):
            hit = False
            j = len(points) - 1
            for i, (xi, yi) in enumerate(points):
                xj, yj = points[j]
                if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit
        self.shape(inside, colour)

    def disc(self, cx, cy, r, colour):
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def ring(self, cx, cy, r, width, colour):
        self.shape(lambda x, y: (r - width) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
                   colour)

    def thick_line(self, x0, y0, x1, y1, width, colour):
        """A line of the given width between two points, ends squared off."""
        length = math.hypot(x1 - x0, y1 - y0)
        ux, uy = (x1 - x0) / length, (y1 - y0) / length

        def inside(x, y):
            along = (x - x0) * ux + (y - y0) * uy
            across = -(x - x0) * uy + (y - y0) * ux
            return 0 <= along <= length and abs(across) <= width / 2
        self.shape(inside, colour)

    def pattern(self, x, y, rows, colours):
        """Draws a character map; '.' leaves the pixel alone."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != '.':
                    self.set(x + dx, y + dy, colours[ch])

    def paste(self, other, x, y):
        for dy in range(other.height):
            for dx in range(other.width):
                self.set(x + dx, y + dy, other.px[dy][dx])


# --- pieces shared by several pictures ---------------------------------------

def notepad(c, x0, y0, x1, y1, rings=True, lines=True):
    """A yellow ruled notepad page, optionally with spiral rings at the top."""
    c.rect(x0 + 1, y0 + 1, x1 + 1, y1 + 1, PAPER_SHADE)  # drop shadow
    c.rect(x0, y0, x1, y1, PAPER)
    c.frame(x0, y0, x1, y1, DARK)
    if lines:
        step = max(3, (y1 - y0) // 8)
        for y in range(y0 + step + 2, y1 - 1, step):
            c.hline(x0 + 2, x1 - 2, y, RULE)
        if x1 - x0 > 30:
            c.vline(x0 + (x1 - x0) // 6, y0 + 1, y1 - 1, MARGIN)
    if rings:
        gap = max(4, (x1 - x0) // 7)
        for x in range(x0 + gap // 2 + 1, x1 - 1, gap):
            c.vline(x, y0 - 2, y0 + 2, GREY)
            c.vline(x + 1, y0 - 2, y0 + 2, DARK)


def quill(c, tip_x, tip_y, angle_deg, length, half_width, barbs=True):
    """A feather pen whose nib is at (tip_x, tip_y), pointing along the angle
    (degrees, 0 = to the right, measured clockwise on screen) from the plume
    to the nib."""
    a = math.radians(angle_deg)
    ux, uy = -math.cos(a), -math.sin(a)  # from the nib towards the plume
    nib = length * 0.14
    bare = length * 0.3  # the plume starts this far from the nib

    def coords(x, y):
        dx, dy = x - tip_x, y - tip_y
        return dx * ux + dy * uy, -dx * uy + dy * ux

    def plume(x, y):
        u, v = coords(x, y)
        t = (u - bare) / (length - bare)
        if t <= 0 or t >= 1:
            return False
        w = half_width * math.sin(math.pi * t ** 0.75) ** 0.7
        if v < 0:
            w *= 0.75  # feathers are narrower on one side of the shaft
        if abs(v) > w:
            return False
        if barbs and abs(v) > w * 0.45 and (u * 0.9 + abs(v) * 1.3) % 6.0 < 0.9:
            return False  # notches between the barbs
        return True

    def shaft(x, y):
        u, v = coords(x, y)
        return nib * 0.6 <= u <= length and abs(v) <= max(0.6, half_width * 0.09)

    def nib_part(x, y):
        u, v = coords(x, y)
        return 0 <= u <= nib and abs(v) <= 0.6 + half_width * 0.22 * (u / nib)

    inside = {(x, y) for y in range(c.height) for x in range(c.width)
              if plume(x + 0.5, y + 0.5)}
    for (x, y) in inside:
        edge = any(n not in inside for n in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)))
        shade = coords(x + 0.5, y + 0.5)[1] > 0
        c.set(x, y, GREY if edge else FEATHER_SHADE if shade else FEATHER)
    c.shape(shaft, SHAFT)
    c.shape(nib_part, DARK)


# --- pixel font for the picture titles ----------------------------------------

FONT = {
    ' ': ["....."] * 7,
    'Q': [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    'B': ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    'S': [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    'u': [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    'i': ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    'l': [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    'e': [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    'r': [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    'y': [".....", ".....", "#...#", "#...#", "#...#", ".####", "....#",
          "#...#", ".###."],
    'n': [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    'd': ["....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"],
    'o': [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    'f': ["..##.", ".#..#", ".#...", "###..", ".#...", ".#...", ".#..."],
    't': [".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."],
    'w': [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    'a': [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
}


def glyph_columns(ch):
    """The glyph's rows cut to its inked columns (a blank keeps three)."""
    rows = FONT[ch]
    used = [col for col in range(5) if any(row[col] == '#' for row in rows)]
    if not used:
        return [row[:3] for row in rows]
    return [row[used[0]:used[-1] + 1] for row in rows]


def text_width(text, scale):
    return (sum(len(glyph_columns(ch)[0]) + 1 for ch in text) - 1) * scale


def draw_text(c, x, y, text, colour, scale):
    """Draws proportional text with the top of its capitals at y. Diagonal
    steps of the glyphs are bridged so that large titles look less blocky."""
    gx = x
    for ch in text:
        rows = glyph_columns(ch)
        width = len(rows[0])

        def on(col, row):
            return 0 <= row < len(rows) and 0 <= col < width and rows[row][col] == '#'
        for row in range(len(rows)):
            for col in range(width):
                px, py = gx + col * scale, y + row * scale
                if on(col, row):
                    c.rect(px, py, px + scale - 1, py + scale - 1, colour)
                if scale < 3:
                    continue
                # A pixel that touches another only by a corner gets a
                # diamond across the empty corner.
                for dx in (-1, 1):
                    if on(col, row) and on(col + dx, row + 1) \
                            and not on(col + dx, row) and not on(col, row + 1):
                        bx = px + (scale if dx > 0 else 0)
                        by = py + scale
                        c.polygon([(bx - scale * 0.5, by), (bx, by - scale * 0.5),
                                   (bx + scale * 0.5, by), (bx, by + scale * 0.5)], colour)
        gx += (width + 1) * scale


# --- file writers ---------------------------------------------------------------

def palette_of(c):
    colours = sorted({p for row in c.px for p in row if p is not None})
    return colours


def write_bmp(path, c):
    """8-bit with a colour table when 256 colours suffice, else 24-bit."""
    colours = palette_of(c)
    if len(colours) <= 256:
        index = {col: i for i, col in enumerate(colours)}
        stride = (c.width + 3) & ~3
        pixels = bytearray()
        for y in reversed(range(c.height)):
            row = bytes(index[p] for p in c.px[y])
            pixels += row + b'\0' * (stride - c.width)
        table = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in colours)
        bits, used = 8, len(colours)
    else:
        stride = (c.width * 3 + 3) & ~3
        pixels = bytearray()
        for y in reversed(range(c.height)):
            row = b''.join(struct.pack('<BBB', b, g, r) for (r, g, b) in c.px[y])
            pixels += row + b'\0' * (stride - len(row))
        table, bits, used = b'', 24, 0
    info = struct.pack('<IiiHHIIiiII', 40, c.width, c.height, 1, bits, 0, len(pixels),
                       2835, 2835, used, used)
    offset = 14 + len(info) + len(table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(header + info + table + pixels)


def icon_image(c):
    """One 8-bit icon image: header, colour table, colour bits, AND mask."""
    colours = palette_of(c)
    assert len(colours) <= 256, 'icon has too many colours'
    index = {col: i for i, col in enumerate(colours)}
    stride = (c.width + 3) & ~3
    mask_stride = ((c.width + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in reversed(range(c.height)):
        row = bytes(index.get(p, 0) if p is not None else 0 for p in c.px[y])
        xor += row + b'\0' * (stride - c.width)
        bits = bytearray(mask_stride)
        for x, p in enumerate(c.px[y]):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in colours)
    table += b'\0' * 4 * (256 - len(colours))
    info = struct.pack('<IiiHHIIiiII', 40, c.width, c.height * 2, 1, 8, 0,
                       len(xor) + len(mask), 0, 0, 256, 0)
    return info + table + xor + mask


def write_ico(path, canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.width, c.height, 0, 0, 1, 8, len(img), offset)
        offset += len(img)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


# --- the pictures ---------------------------------------------------------------

def icon32():
    c = Canvas(32, 32, None)
    notepad(c, 3, 5, 24, 29)
    quill(c, 11, 24, 125, 30, 5.5, barbs=False)
    return c


ICON16 = [
    "................",
    ".............ww.",
    "............wWw.",
    "..k.k.k....wWwk.",
    ".kkkkkkkkkwWwwk.",
    ".kyyyyyyywWwwyks",
    ".kybbbbbwWwwbyks",
    ".kyyyyywWwwyyyks",
    ".kybbbwWwwbbbyks",
    ".kyyyysWwyyyyyks",
    ".kybbsbwbbbbbyks",
    ".kyyskyyyyyyyyks",
    ".kybkbbbbbbbbyks",
    ".kyyyyyyyyyyyyks",
    ".kkkkkkkkkkkkkks",
    "..ssssssssssssss",
]


def icon16():
    c = Canvas(16, 16, None)
    c.pattern(0, 0, ICON16, {'k': DARK, 'y': PAPER, 'b': RULE, 'w': FEATHER,
                             'W': FEATHER_SHADE, 's': PAPER_SHADE})
    # the quill's shaft and nib
    for (x, y) in [(7, 9), (6, 10), (5, 11)]:
        c.set(x, y, SHAFT)
    c.set(4, 12, BLACK)
    return c


def page(c, x0, y0, x1, y1, fill=PAPER, lines=True, ear=4):
    """A sheet with a turned-down top right corner."""
    c.polygon([(x0, y0), (x1 + 1 - ear, y0), (x1 + 1, y0 + ear), (x1 + 1, y1 + 1), (x0, y1 + 1)],
              fill)
    c.hline(x0, x1 - ear, y0, DARK)
    c.vline(x0, y0, y1, DARK)
    c.hline(x0, x1, y1, DARK)
    c.vline(x1, y0 + ear, y1, DARK)
    c.line(x1 - ear, y0, x1, y0 + ear, DARK)
    c.vline(x1 - ear, y0, y0 + ear, DARK)
    c.hline(x1 - ear, x1, y0 + ear, DARK)
    c.polygon([(x1 - ear + 1, y0 + 1), (x1, y0 + ear), (x1 - ear + 1, y0 + ear)], LIGHT)
    if lines:
        for y in range(y0 + ear + 3, y1 - 1, 3):
            c.hline(x0 + 2, x1 - 2, y, RULE)


def glyph_new():
    c = Canvas(24, 24, SILVER)
    page(c, 3, 1, 17, 21)
    c.disc(17.5, 17.5, 5.5, DARK_GREEN)
    c.disc(17.5, 17.5, 4.5, GREEN)
    c.rect(15, 17, 20, 18, WHITE)
    c.rect(17, 15, 18, 20, WHITE)
    return c


def glyph_delete():
    c = Canvas(24, 24, SILVER)
    page(c, 3, 1, 17, 21)
    for d in range(-1, 1):
        c.thick_line(12, 12 + d, 21, 21 + d, 2.2, RED)
        c.thick_line(21, 12 + d, 12, 21 + d, 2.2, RED)
    return c


def glyph_cut():
    c = Canvas(24, 24, SILVER)
    c.thick_line(9, 14, 15.5, 2, 2.2, GREY)
    c.thick_line(15, 14, 8.5, 2, 2.2, DARK)
    c.disc(12, 9.5, 1, BLACK)
    for cx in (7.5, 16.5):
        c.ring(cx, 17.5, 4, 1.8, NAVY)
    return c


def glyph_copy():
    c = Canvas(24, 24, SILVER)
    page(c, 2, 1, 13, 15, WHITE, ear=3)
    page(c, 9, 7, 20, 21, WHITE, ear=3)
    return c


def glyph_paste():
    c = Canvas(24, 24, SILVER)
    c.rect(3, 4, 16, 21, BROWN)
    c.frame(3, 4, 16, 21, DARK_BROWN)
    c.rect(6, 2, 13, 6, GREY)
    c.frame(6, 2, 13, 6, DARK)
    c.rect(8, 1, 11, 2, DARK)
    page(c, 10, 9, 21, 22, WHITE, ear=3)
    return c


def glyph_find():
    c = Canvas(24, 24, SILVER)
    c.thick_line(14.5, 14.5, 21, 21, 3.4, DARK_BROWN)
    c.disc(10, 10, 7, DARK)
    c.disc(10, 10, 5.5, GLASS)
    c.shape(lambda x, y: (x - 8) ** 2 + (y - 8) ** 2 <= 4 and x + y < 16, WHITE)
    return c


def glyph_print():
    c = Canvas(24, 24, SILVER)
    c.rect(6, 2, 17, 10, WHITE)
    c.frame(6, 2, 17, 10, DARK)
    for y in (5, 7):
        c.hline(8, 15, y, RULE)
    c.polygon([(1, 10), (22, 10), (23, 18), (0, 18)], GREY)
    c.hline(1, 22, 10, DARK)
    c.hline(0, 23, 18, DARK)
    c.line(1, 10, 0, 18, DARK)
    c.line(22, 10, 23, 18, DARK)
    c.hline(3, 20, 12, LIGHT)
    c.rect(18, 14, 19, 15, GREEN)
    c.rect(5, 16, 18, 22, WHITE)
    c.frame(5, 16, 18, 22, DARK)
    c.hline(7, 16, 19, RULE)
    c.rect(4, 16, 19, 17, DARK)
    return c


def glyph_note():
    c = Canvas(24, 24, SILVER)
    page(c, 4, 1, 19, 22)
    c.vline(7, 6, 21, MARGIN)
    return c


def glyph_list():
    c = Canvas(24, 24, SILVER)
    c.rect(1, 2, 22, 21, WHITE)
    c.frame(1, 2, 22, 21, DARK)
    c.rect(2, 3, 21, 6, NAVY)
    for i, y in enumerate(range(9, 20, 3)):
        c.rect(3, y - 1, 5, y + 1, PAPER)
        c.frame(3, y - 1, 5, y + 1, DARK)
        c.hline(8, 20 - (i % 2) * 4, y, BLACK)
    return c


def glyph_url():
    c = Canvas(24, 24, SILVER)
    c.disc(12, 12, 10, NAVY)
    c.disc(12, 12, 9, SKY)
    c.polygon([(5, 7), (10, 4), (13, 6), (11, 9), (12, 12), (8, 14), (6, 11)], GREEN)
    c.polygon([(14, 13), (18, 11), (20, 14), (17, 19), (14, 18)], GREEN)
    c.shape(lambda x, y: abs((x - 12) ** 2 / 16 + (y - 12) ** 2 / 81 - 1) < 0.16
            and (x - 12) ** 2 + (y - 12) ** 2 < 81, NAVY)
    c.hline(3, 21, 12, NAVY)
    return c


def glyph_reminders():
    c = Canvas(24, 24, SILVER)
    c.thick_line(6, 18, 3.5, 22, 2, DARK)
    c.thick_line(18, 18, 20.5, 22, 2, DARK)
    c.disc(5, 5, 3.6, GOLD)
    c.disc(19, 5, 3.6, GOLD)
    c.ring(5, 5, 3.6, 1, ORANGE)
    c.ring(19, 5, 3.6, 1, ORANGE)
    c.disc(12, 13, 8.5, DARK_RED)
    c.disc(12, 13, 7.5, RED)
    c.disc(12, 13, 5.8, WHITE)
    c.vline(12, 8, 13, BLACK)
    c.line(12, 13, 15, 15, BLACK)
    c.set(12, 13, DARK_RED)
    return c


def arrow(c, tip_x, direction):
    """A solid triangle 12 pixels tall whose point lies at tip_x."""
    back = tip_x - direction * 7
    c.polygon([(tip_x + (0.5 if direction > 0 else -0.5) + 0.5, 12), (back + 0.5, 5),
               (back + 0.5, 19)], NAVY)


def glyph_first():
    c = Canvas(24, 24, SILVER)
    c.rect(3, 5, 4, 18, NAVY)
    arrow(c, 5, -1)
    arrow(c, 12, -1)
    return c


def glyph_previous():
    c = Canvas(24, 24, SILVER)
    arrow(c, 8, -1)
    return c


def glyph_next():
    c = Canvas(24, 24, SILVER)
    arrow(c, 15, 1)
    return c


def glyph_last():
    c = Canvas(24, 24, SILVER)
    arrow(c, 11, 1)
    arrow(c, 18, 1)
    c.rect(19, 5, 20, 18, NAVY)
    return c


# The toolbar's buttons, in the order of its resource.
TOOLBAR = [glyph_new, glyph_delete, glyph_cut, glyph_copy, glyph_paste, glyph_find,
           glyph_print, glyph_note, glyph_list, glyph_url, glyph_reminders, glyph_first,
           glyph_previous, glyph_next, glyph_last]


def toolbar():
    strip = Canvas(24 * len(TOOLBAR), 24, SILVER)
    for i, draw in enumerate(TOOLBAR):
        strip.paste(draw(), i * 24, 0)
    return strip


def gradient(c, top, bottom, steps=48):
    for y in range(c.height):
        t = round(y * (steps - 1) / max(1, c.height - 1)) / (steps - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        c.hline(0, c.width - 1, y, colour)


def inkwell(c, cx, top, width, height):
    """A squat ink bottle whose mouth is centred at (cx, top)."""
    half = width / 2
    c.polygon([(cx - half * 0.55, top + 3), (cx + half * 0.55, top + 3),
               (cx + half, top + height * 0.45), (cx + half, top + height),
               (cx - half, top + height), (cx - half, top + height * 0.45)], NAVY)
    c.rect(round(cx - half * 0.35), top, round(cx + half * 0.35), top + 3, DARK)
    c.thick_line(cx - half * 0.7, top + height * 0.55, cx - half * 0.7, top + height * 0.85,
                 max(1.0, width / 12), SKY)


def splash():
    c = Canvas(320, 180, WHITE)
    gradient(c, (255, 255, 224), (255, 236, 176))
    c.frame(0, 0, 319, 179, GREY)
    notepad(c, 20, 40, 104, 156)
    quill(c, 54, 126, 128, 118, 17)
    title = "Quillery"
    scale = 4
    x = 118 + (196 - text_width(title, scale)) // 2
    draw_text(c, x + 3, 60 + 3, title, (220, 200, 140), scale)
    draw_text(c, x, 60, title, NAVY, scale)
    c.hline(x, x + text_width(title, scale), 110, RULE)
    maker = "Brindle Software"
    draw_text(c, 118 + (196 - text_width(maker, 2)) // 2, 122, maker, GREY, 2)
    return c


def picture():
    c = Canvas(80, 128, WHITE)
    gradient(c, (32, 64, 160), (160, 200, 255), steps=32)
    notepad(c, 8, 14, 58, 96)
    quill(c, 62, 112, 74, 96, 12)
    inkwell(c, 62, 104, 26, 18)
    return c


def reminder_mark():
    """Left half: a small alarm clock on black; right half: its mask, black
    where the clock is and white around it."""
    symbol = Canvas(16, 16, None)
    symbol.disc(3.5, 3.5, 2.6, GOLD)
    symbol.disc(12.5, 3.5, 2.6, GOLD)
    symbol.set(3, 14, DARK)
    symbol.set(12, 14, DARK)
    symbol.set(2, 15, DARK)
    symbol.set(13, 15, DARK)
    symbol.disc(8, 8.5, 6.5, DARK_RED)
    symbol.disc(8, 8.5, 5.5, RED)
    symbol.disc(8, 8.5, 4.2, WHITE)
    symbol.vline(8, 5, 8, BLACK)
    symbol.hline(8, 10, 8, BLACK)
    both = Canvas(32, 16, BLACK)
    for y in range(16):
        for x in range(16):
            p = symbol.get(x, y)
            if p is not None:
                both.set(x, y, p)
            both.set(16 + x, y, WHITE if p is None else BLACK)
    return both


def main():
    out = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
    write_ico(os.path.join(out, 'Quillery.ico'), [icon32(), icon16()])
    write_bmp(os.path.join(out, 'toolbar.bmp'), toolbar())
    write_bmp(os.path.join(out, 'splash.bmp'), splash())
    write_bmp(os.path.join(out, 'picture.bmp'), picture())
    write_bmp(os.path.join(out, 'remind.bmp'), reminder_mark())


if __name__ == '__main__':
    main()
