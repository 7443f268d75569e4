#!/usr/bin/env python3
"""Draws Endungswart's bitmaps and its icon.

    python3 bilder.py AUSGABEORDNER

Writes toolbar.bmp, leer.bmp, Endwart.ico, bildA.bmp, bildB.bmp, bildA_klein.bmp and
bildB_klein.bmp. Everything is drawn here from code, standard library only, and the output is
the same bytes on every run.
"""

import math
import os
import struct
import sys

# The standard 16-colour VGA palette in Windows order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# One letter a VGA colour for the hand-drawn grids; '.' is the background (light grey, or
# transparent in the icon).
FARBE = {
    'K': 0, 'r': 1, 'g': 2, 'y': 3, 'b': 4, 'm': 5, 'c': 6, 'L': 7,
    'D': 8, 'R': 9, 'G': 10, 'Y': 11, 'B': 12, 'M': 13, 'C': 14, 'W': 15,
    '.': 7,
}
HELLGRAU = 7


# ---------------------------------------------------------------------------------------------
# File formats

def zeilenbreite(breite, bits):
    """Bytes of one pixel row, padded to a multiple of four."""
    return (breite * bits + 31) // 32 * 4


def pixel_packen(zeilen, breite, bits):
    """Packs rows (top first, palette indices) bottom-up into padded DIB rows."""
    stride = zeilenbreite(breite, bits)
    daten = bytearray()
    for zeile in reversed(zeilen):
        roh = bytearray(stride)
        if bits == 8:
            roh[:breite] = bytes(zeile)
        elif bits == 4:
            for x in range(0, breite, 2):
                hi = zeile[x] & 15
                lo = zeile[x + 1] & 15 if x + 1 < breite else 0
                roh[x // 2] = hi << 4 | lo
        elif bits == 1:
            for x in range(breite):
                if zeile[x]:
                    roh[x // 8] |= 0x80 >> (x & 7)
        else:
            raise ValueError(bits)
        daten += roh
    return bytes(daten)


def infokopf(breite, hoehe, bits, bildgroesse, farben):
    return struct.pack('<IiiHHIIiiII', 40, breite, hoehe, 1, bits, 0, bildgroesse, 0, 0,
                       farben, 0)


def palette_packen(palette):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)


def bmp_bytes(zeilen, bits, palette):
    hoehe = len(zeilen)
    breite = len(zeilen[0])
    if any(len(z) != breite for z in zeilen):
        raise ValueError('rows of different width')
    if len(palette) > 1 << bits:
        raise ValueError('palette too large')
    if max(max(z) for z in zeilen) >= len(palette):
        raise ValueError('index outside the palette')
    pixel = pixel_packen(zeilen, breite, bits)
    kopf = infokopf(breite, hoehe, bits, len(pixel), len(palette)) + palette_packen(palette)
    versatz = 14 + len(kopf)
    return struct.pack('<2sIHHI', b'BM', versatz + len(pixel), 0, 0, versatz) + kopf + pixel


def ico_bytes(bilder):
    """bilder: list of (rows of 4-bit indices, rows of 0/1 transparency)."""
    eintraege = []
    daten = []
    versatz = 6 + 16 * len(bilder)
    for zeilen, maske in bilder:
        hoehe = len(zeilen)
        breite = len(zeilen[0])
        # Transparent pixels must be black in the colour image, or they XOR onto the screen.
        zeilen = [[0 if m else p for p, m in zip(z, mz)] for z, mz in zip(zeilen, maske)]
        xor = pixel_packen(zeilen, breite, 4)
        und = pixel_packen(maske, breite, 1)
        # Icons state twice the height: colour image and mask stacked.
        teil = infokopf(breite, hoehe * 2, 4, len(xor) + len(und), 0) + palette_packen(VGA) \
            + xor + und
        eintraege.append(struct.pack('<BBBBHHII', breite % 256, hoehe % 256, 16, 0, 1, 4,
                                     len(teil), versatz))
        daten.append(teil)
        versatz += len(teil)
    return struct.pack('<HHH', 0, 1, len(bilder)) + b''.join(eintraege) + b''.join(daten)


# ---------------------------------------------------------------------------------------------
# Hand-drawn pixel grids

def raster(text, groesse=16):
    zeilen = text.split()
    if len(zeilen) != groesse or any(len(z) != groesse for z in zeilen):
        raise ValueError('grid is not %dx%d:\n%s' % (groesse, groesse, text))
    return [[FARBE[c] for c in z] for z in zeilen]


SPEICHERN = """
................
.KKKKKKKKKKKKKK.
.KbWWWWWWWWWWbK.
.KbWWWWWWWWWWbK.
.KbWDDDDDDDDWbK.
.KbWWWWWWWWWWbK.
.KbWDDDDDDDDWbK.
.KbWWWWWWWWWWbK.
.KbbbbbbbbbbbbK.
.KbbbDDDDDDbbbK.
.KbbbDWKKDDbbbK.
.KbbbDWKKDDbbbK.
.KbbbDWKKDDbbbK.
.KbbbDDDDDDbbbK.
..KKKKKKKKKKKKK.
................
"""

RUECKGAENGIG = """
................
.....b..........
....bb..........
...bBb..........
..bBBBbbbbbb....
.bBBBBBBBBBBbb..
.bBBBBBBBBBBBBb.
..bBBBbbbbbbBBb.
...bBb.....bBBb.
....bb.....bBBb.
.....b.....bBBb.
.......bbbbbBBb.
.......bBBBBBBb.
.......bBBBBBb..
.......bbbbbb...
................
"""

# A page with lines; the change and add/remove images draw onto it.
SEITE = """
KKKKKKKK........
KWWWWWWKK.......
KWWWWWWKWK......
KWDDDDWKKKK.....
KWWWWWWWWWK.....
KWDDDDDDDWK.....
KWWWWWWWWWK.....
KWDDDDDDDWK.....
KWWWWWWWWWK.....
KWDDDDDDDWK.....
KWWWWWWWWWK.....
KWDDDDDDDWK.....
KWWWWWWWWWK.....
KWDDDDWWWWK.....
KWWWWWWWWWK.....
KKKKKKKKKKK.....
"""

LISTE = """
KKKKKKKKKK......
KWWWWWWWWK......
KWbWDDDDWK......
KWWWWWWWWK......
KWbWDDDWWK......
KWWWWWWWWK......
KWbWDDDDWK......
KWWWWWWWWK......
KWbWDDWWWK......
KWWWWWWWWK......
KWbWDDDDWK......
KWWWWWWWWK......
KWbWDDDWWK......
KWWWWWWWWK......
KKKKKKKKKK......
................
"""

PLUS_MINUS = """
..........ggg...
..........gGg...
........gggGggg.
........gGGGGGg.
........gggGggg.
..........gGg...
..........ggg...
................
................
................
........rrrrrrr.
........rRRRRRr.
........rrrrrrr.
................
................
................
"""

STIFT = """
............KK..
...........KRRK.
..........KDRRRK
.........KYYDRRK
........KYYYyDK.
.......KYYYyyK..
......KYYYyyK...
.....KYYYyyK....
....KWYYyyK.....
....KWWWyK......
...KWWWKK.......
...KKKK.........
................
................
................
................
"""

OPTIONEN = """
DDDDDDDDD.......
DWWWWWWKD.......
DWWWWWKKD.......
DKWWWKKKD.KKKKK.
DKKWKKKWD.......
DKKKKKWWD.KKKK..
DWKKKWWWD.......
DWWKWWWWD.......
DDDDDDDDD.......
................
.........WWWK...
.........WLDK...
.DDDDDDDDWLDKDD.
.WWWWWWWWWLDKWW.
.........WLDK...
.........KKKK...
"""
HILFE = """
................
...KKKKKKKKKKK..
..KbBBBBBBBBBK..
..KbBBBYYYYBBK..
..KbBBYYBBYYBK..
..KbBBBBBBYYBK..
..KbBBBBBYYBBK..
..KbBBBBYYBBBK..
..KbBBBBYYBBBK..
..KbBBBBBBBBBK..
..KbBBBBYYBBBK..
..KbBBBBBBBBBK..
..KbKKKKKKKKKK..
..KbWWWWWWWWWK..
...KKKKKKKKKKK..
................
"""

INFO = """
................
....KKKKKKKK....
..KKWWWWWWWWKK..
.KWWWWWBBWWWWWK.
.KWWWWWBBWWWWWK.
KWWWWWWWWWWWWWWK
KWWWWWBBBWWWWWWK
KWWWWWWBBWWWWWWK
KWWWWWWBBWWWWWWK
.KWWWWWBBWWWWWK.
.KWWWWBBBBWWWWK.
..KKWWWWWWWWKK..
....KKWWKKKK....
.....KWK........
....KWK.........
...KK...........
"""

def ueber(*ebenen):
    """Lays grids over each other; '.' lets the layer below show through."""
    zeilen = [list(z) for z in ebenen[0].split()]
    for ebene in ebenen[1:]:
        for y, z in enumerate(ebene.split()):
            for x, c in enumerate(z):
                if c != '.':
                    zeilen[y][x] = c
    return '\n'.join(''.join(z) for z in zeilen)


SYMBOLE = [SPEICHERN, RUECKGAENGIG, ueber(LISTE, PLUS_MINUS), ueber(SEITE, STIFT), OPTIONEN,
           HILFE, INFO]


def toolbar():
    bilder = [raster(s) for s in SYMBOLE]
    return [sum((b[y] for b in bilder), []) for y in range(16)]


# ---------------------------------------------------------------------------------------------
# Program icon: a page guarded by a shield with a check mark

SYMBOL_16 = """
.KKKKKKK........
.KWWWWWKK.......
.KWWWWWKLK......
.KWDDDWKLLK.....
.KWWWWWKKKK.....
.KWDDDKKKKKKKKKK
.KWWWWKBBBBbbbbK
.KWDDDKBBBBbbWbK
.KWWWWKBBBBbWWbK
.KWDDDKBWBBWWbbK
.KWWWWKBWWWWbbbK
.KWDDDDKBWWbbbK.
.KWWWWWWKBBbbK..
.KWDDDDDDKBbK...
.KWWWWWWWWKK....
.KKKKKKKKKK.....
"""


def umriss(maske, x, y):
    """True if (x, y) is inside the mask but touches the outside on one of four sides."""
    if not maske[y][x]:
        return False
    hoehe, breite = len(maske), len(maske[0])
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        nx, ny = x + dx, y + dy
        if not (0 <= nx < breite and 0 <= ny < hoehe) or not maske[ny][nx]:
            return True
    return False


def maske_aus(n, innen):
    return [[innen(x + 0.5, y + 0.5) for x in range(n)] for y in range(n)]


def strecke_abstand(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - ax - t * vx, py - ay - t * vy)


def symbol(n):
    """The icon at n x n pixels: (colour rows, mask rows with 1 = transparent)."""
    if n == 16:
        zeilen = raster(SYMBOL_16)
        maske = [[1 if c == '.' else 0 for c in z] for z in SYMBOL_16.split()]
        return zeilen, maske
    k = n / 16.0
    bild = [[None] * n for _ in range(n)]

    # The page, with its top right corner folded over.
    x0, x1, y0, y1, ohr = 1 * k, 11 * k, 0.0, 16 * k, 3.6 * k

    def seite(x, y):
        return x0 <= x < x1 and y0 <= y < y1 and not (x - (x1 - ohr) > y - y0)

    def eselsohr(x, y):
        return x1 - ohr <= x < x1 and y0 <= y < y0 + ohr and x - (x1 - ohr) <= y - y0

    ms = maske_aus(n, seite)
    for y in range(n):
        for x in range(n):
            if ms[y][x]:
                bild[y][x] = 0 if umriss(ms, x, y) else 15
    # Text lines; the ones beside the fold stop short of it.
    abstand = 3 if n < 48 else 4
    links = int(x0) + abstand
    y = int(ohr) + 2
    while y < y1 - abstand:
        rechts = int(x1 - abstand - (ohr if y <= y0 + ohr else 0))
        for x in range(links, rechts):
            if ms[y][x] and not umriss(ms, x, y):
                bild[y][x] = 8
        y += abstand
    me = maske_aus(n, eselsohr)
    for y in range(n):
        for x in range(n):
            if me[y][x]:
                bild[y][x] = 0 if umriss(me, x, y) or x == int(x1) - 1 else 7

    # A heater shield: straight sides, then two arcs that meet in a point.
    a, b, oben, mitte = 6 * k, 16 * k, 5 * k, 8.5 * k
    radius = 0.8 * (b - a)
    cx = (a + b) / 2

    def schild(x, y):
        if not (a <= x < b and oben <= y):
            return False
        if y <= mitte:
            return True
        return (math.hypot(x - (a + radius), y - mitte) <= radius
                and math.hypot(x - (b - radius), y - mitte) <= radius)

    msch = maske_aus(n, schild)
    rand = [[msch[y][x] and not umriss(msch, x, y) for x in range(n)] for y in range(n)]
    for y in range(n):
        for x in range(n):
            if not msch[y][x]:
                continue
            if umriss(msch, x, y):
                farbe = 0
            elif umriss(rand, x, y):
                farbe = 11  # gold rim
            else:
                farbe = 12 if x + 0.5 < cx else 4
            bild[y][x] = farbe
    # White check mark, drawn as two thick strokes.
    p1 = (a + 0.24 * (b - a), oben + 5.0 * k)
    p2 = (a + 0.43 * (b - a), oben + 7.0 * k)
    p3 = (a + 0.78 * (b - a), oben + 2.0 * k)
    dicke = 0.75 * k
    for y in range(n):
        for x in range(n):
            if rand[y][x] and not umriss(rand, x, y):
                px, py = x + 0.5, y + 0.5
                if min(strecke_abstand(px, py, *p1, *p2),
                       strecke_abstand(px, py, *p2, *p3)) <= dicke:
                    bild[y][x] = 15
    maske = [[1 if p is None else 0 for p in z] for z in bild]
    zeilen = [[0 if p is None else p for p in z] for z in bild]
    return zeilen, maske


def leer():
    """A white dog-eared sheet on light grey; the program paints its small icon at (9, 9)."""
    n = 32
    x0, x1, y0, y1, ohr = 5, 29, 2, 31, 6

    def blatt(x, y):
        return x0 <= x < x1 and y0 <= y < y1 and not (x - (x1 - ohr) > y - y0)

    def eselsohr(x, y):
        return x1 - ohr <= x < x1 and y0 <= y < y0 + ohr and x - (x1 - ohr) <= y - y0

    mb = maske_aus(n, blatt)
    me = maske_aus(n, eselsohr)
    zeilen = [[HELLGRAU] * n for _ in range(n)]
    for y in range(n):
        for x in range(n):
            if mb[y][x]:
                zeilen[y][x] = 0 if umriss(mb, x, y) else 15
            elif x == x1 and y0 < y <= y1 or y == y1 and x0 < x <= x1:
                zeilen[y][x] = 8  # drop shadow
            if me[y][x]:
                zeilen[y][x] = 0 if umriss(me, x, y) or x == x1 - 1 else 7
    return zeilen


# ---------------------------------------------------------------------------------------------
# 256-colour pictures: each surface gets its own colour ramp in the palette, and an ordered
# dither between neighbouring ramp entries gives smooth gradients.

def _bayer(n):
    if n == 1:
        return [[0]]
    klein = _bayer(n // 2)
    h = n // 2
    return [[4 * klein[y % h][x % h] + (0, 2, 3, 1)[(y // h) * 2 + x // h] for x in range(n)]
            for y in range(n)]


BAYER = [[(v + 0.5) / 64.0 for v in zeile] for zeile in _bayer(8)]


def mischen(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Rampe:
    def __init__(self, basis, n):
        self.basis, self.n = basis, n

    def __call__(self, t, x, y):
        i = int(t * (self.n - 1) + BAYER[y & 7][x & 7])
        return self.basis + (0 if i < 0 else self.n - 1 if i >= self.n else i)

    def fest(self, t):
        """The entry nearest to t, undithered."""
        return self.basis + max(0, min(self.n - 1, int(t * (self.n - 1) + 0.5)))

    def zeile(self, t, y, breite):
        """A whole row of one shade, dithered: built from the eight Bayer phases."""
        muster = bytes(self(t, x, y) for x in range(8))
        return (muster * (breite // 8 + 1))[:breite]


class Leinwand:
    def __init__(self, breite, hoehe):
        self.breite, self.hoehe = breite, hoehe
        self.palette = []
        self.pix = [bytearray(breite) for _ in range(hoehe)]

    def rampe(self, n, *stuetzen):
        """n palette entries through the colours stuetzen = (t, (r, g, b)), ..."""
        basis = len(self.palette)
        for i in range(n):
            t = i / (n - 1) if n > 1 else 0.0
            for (ta, ca), (tb, cb) in zip(stuetzen, stuetzen[1:]):
                if ta <= t <= tb:
                    farbe = mischen(ca, cb, (t - ta) / (tb - ta) if tb > ta else 0.0)
                    break
            else:
                farbe = stuetzen[-1][1] if t > stuetzen[-1][0] else stuetzen[0][1]
            self.palette.append(tuple(int(round(c)) for c in farbe))
        if len(self.palette) > 256:
            raise ValueError('more than 256 colours')
        return Rampe(basis, n)

    def setzen(self, x, y, index):
        if 0 <= x < self.breite and 0 <= y < self.hoehe:
            self.pix[y][x] = index

    def polygon(self, punkte, farbe):
        """Fills a polygon; farbe(x, y) gives the index of each pixel."""
        ys = [p[1] for p in punkte]
        for y in range(max(0, int(min(ys))), min(self.hoehe, int(max(ys)) + 1)):
            zeile = self.pix[y]
            for xa, xb in spannen(punkte, y):
                for x in range(max(0, xa), min(self.breite, xb)):
                    zeile[x] = farbe(x, y)

    def kreis(self, cx, cy, r, farbe):
        for y in range(max(0, int(cy - r)), min(self.hoehe, int(cy + r) + 1)):
            d = r * r - (y + 0.5 - cy) ** 2
            if d < 0:
                continue
            w = math.sqrt(d)
            zeile = self.pix[y]
            xa = max(0, math.ceil(cx - w - 0.5))
            for x in range(xa, min(self.breite, math.ceil(cx + w - 0.5))):
                zeile[x] = farbe(x, y)

    def rgb(self, x, y):
        return self.palette[self.pix[y][x]]

    def zeilen(self):
        return [list(z) for z in self.pix]

    def bmp(self):
        # A full 256-entry palette: some readers of 8-bit DIBs ignore biClrUsed.
        palette = self.palette + [(0, 0, 0)] * (256 - len(self.palette))
        return bmp_bytes(self.zeilen(), 8, palette)


def spannen(punkte, y):
    """Pixel runs [xa, xb) of row y whose centres lie inside the polygon (even-odd rule)."""
    cy = y + 0.5
    xs = []
    for (x1, y1), (x2, y2) in zip(punkte, punkte[1:] + punkte[:1]):
        if (y1 <= cy < y2) or (y2 <= cy < y1):
            xs.append(x1 + (cy - y1) * (x2 - x1) / (y2 - y1))
    xs.sort()
    return [(math.ceil(xa - 0.5), math.ceil(xb - 0.5)) for xa, xb in zip(xs[::2], xs[1::2])]


class Zufall:
    """A small linear congruential generator, so every run draws the same picture."""

    def __init__(self, saat):
        self.wert = saat

    def __call__(self):
        self.wert = (self.wert * 1103515245 + 12345) & 0x7FFFFFFF
        return self.wert / 0x80000000


def klamm(t):
    return 0.0 if t < 0 else 1.0 if t > 1 else t


class Rauschen:
    """Smooth value noise on a grid of fixed random values, two octaves."""

    def __init__(self, saat, zelle):
        zufall = Zufall(saat)
        self.zelle = zelle
        self.werte = [zufall() for _ in range(64 * 64)]

    def _glatt(self, x, y):
        ix, iy = int(x), int(y)
        fx, fy = x - ix, y - iy
        fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        w = self.werte
        a = w[(iy & 63) * 64 + (ix & 63)]
        b = w[(iy & 63) * 64 + ((ix + 1) & 63)]
        c = w[((iy + 1) & 63) * 64 + (ix & 63)]
        d = w[((iy + 1) & 63) * 64 + ((ix + 1) & 63)]
        return a + (b - a) * fx + (c - a + (a - b - c + d) * fx) * fy

    def __call__(self, x, y):
        x, y = x / self.zelle, y / self.zelle
        return 0.65 * self._glatt(x, y) + 0.35 * self._glatt(2.03 * x + 17, 2.03 * y + 5)


def bild_a():
    """Dusk on the coast: a lighthouse on a cliff keeps watch while the sun goes down."""
    W, H = 320, 318
    bild = Leinwand(W, H)
    himmel_farben = ((0.0, (18, 20, 62)), (0.35, (58, 42, 108)), (0.62, (150, 72, 122)),
                     (0.80, (222, 112, 96)), (0.92, (248, 160, 88)), (1.0, (255, 214, 140)))
    himmel = bild.rampe(48, *himmel_farben)
    # Two brighter copies of the sky for the beams, so their edges dither in small steps.
    strahl1 = bild.rampe(24, *((t, mischen(c, (255, 238, 176), 0.2)) for t, c in himmel_farben))
    strahl2 = bild.rampe(24, *((t, mischen(c, (255, 238, 176), 0.45)) for t, c in himmel_farben))
    stufen = (himmel, strahl1, strahl2)
    sonne = bild.rampe(8, (0.0, (255, 252, 222)), (1.0, (255, 198, 104)))
    meer = bild.rampe(40, (0.0, (176, 96, 104)), (0.25, (96, 58, 100)), (0.6, (36, 34, 76)),
                      (1.0, (12, 16, 42)))
    glanz = bild.rampe(8, (0.0, (255, 226, 150)), (1.0, (214, 112, 84)))
    fels = bild.rampe(24, (0.0, (20, 14, 28)), (0.45, (62, 42, 58)), (0.8, (126, 80, 80)),
                      (1.0, (176, 110, 92)))
    gras = bild.rampe(12, (0.0, (16, 34, 28)), (0.6, (48, 78, 42)), (1.0, (104, 112, 52)))
    weiss = bild.rampe(16, (0.0, (92, 82, 112)), (0.6, (214, 198, 204)), (1.0, (255, 244, 228)))
    rot = bild.rampe(16, (0.0, (56, 14, 30)), (0.6, (170, 42, 46)), (1.0, (236, 98, 74)))
    licht = bild.rampe(8, (0.0, (255, 255, 226)), (1.0, (255, 196, 64)))
    dach = bild.rampe(8, (0.0, (22, 16, 26)), (1.0, (112, 44, 44)))
    schaum = bild.rampe(6, (0.0, (104, 84, 128)), (1.0, (236, 214, 222)))
    ferne = bild.rampe(6, (0.0, (70, 42, 92)), (1.0, (112, 62, 108)))
    stern = bild.rampe(2, (0.0, (190, 190, 220)), (1.0, (255, 255, 240)))

    horizont = 206
    sx, sy, sr = 88, 203, 19          # the sun, just touching the sea
    lx, ly = 246, 84                  # the lantern

    # Sky, with a warm glow around the sun and the lighthouse beams laid over it.
    strahlen = ((-1.0, -0.17, 0.1, 2.4), (1.0, -0.08, 0.13, 2.0))
    for y in range(horizont):
        t = (y / horizont) ** 1.15
        if y < 70:
            bild.pix[y][:] = himmel.zeile(t, y, W)
            continue
        zeile = bild.pix[y]
        for x in range(W):
            dx, dy = x - sx, (y - sy) * 1.6
            tt = t + 0.3 * math.exp(-(dx * dx + dy * dy) / 9000.0)
            # Beam strength: a soft wedge from the lantern, fading with distance.
            ex, ey = x - lx, y - ly
            d = math.hypot(ex, ey) + 1e-6
            p = 2.6 * math.exp(-d / 7.0)
            for rx, ry, breite, staerke in strahlen:
                laenge = math.hypot(rx, ry)
                cosw = (ex * rx + ey * ry) / (d * laenge)
                if cosw > 0.9:
                    w = math.acos(min(1.0, cosw))
                    if w < breite:
                        p += staerke * (1 - (w / breite) ** 2) * math.exp(-d / 170.0)
            # Below a floor the beam stops, so no lone dots scatter over the sky.
            stufe = int(p + BAYER[y & 7][x & 7]) if p > 0.18 else 0
            zeile[x] = stufen[2 if stufe > 2 else stufe](tt, x, y)

    # Stars where the sky is still dark.
    zufall = Zufall(1995)
    for _ in range(70):
        x, y = int(zufall() * W), int(zufall() * zufall() * 110)
        if bild.pix[y][x] < himmel.basis + 20:
            bild.pix[y][x] = stern.fest(zufall())
            if zufall() < 0.12 and 0 < x < W - 1 and y > 0:
                for ax, ay in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                    bild.pix[ay][ax] = stern.fest(0.0)

    bild.kreis(sx, sy, sr, lambda x, y: sonne(math.hypot(x - sx, y - sy) / sr, x, y))

    # A distant headland on the left, low on the horizon.
    def kueste(x):
        return horizont - 3 - 5 * math.exp(-((x - 22) / 18.0) ** 2) - 2 * math.sin(x * 0.2)
    for x in range(70):
        for y in range(int(kueste(x)), horizont):
            bild.pix[y][x] = ferne((y - kueste(x)) / 8.0, x, y)

    # The sea, with rolling wave bands and the sun's broken reflection.
    for y in range(horizont, H):
        tiefe = (y - horizont) / (H - horizont)
        zeile = bild.pix[y]
        breite = 9 + (y - horizont) * 0.5
        welle = 0.3 + 0.15 * tiefe
        for x in range(W):
            t = tiefe ** 0.7 + 0.05 * math.sin(x * 0.09 + y * 1.3 + 2 * math.sin(y * 0.21)) \
                - 0.03 * math.sin(x * 0.23 - y * 0.7)
            zeile[x] = meer(t, x, y)
            dx = abs(x - sx)
            if dx < breite:
                funkeln = math.sin(y * 2.1 + math.sin(x * 0.13) * 2) + math.sin(x * 0.31 - y * 0.9)
                if funkeln > welle + 1.3 * dx / breite + tiefe:
                    zeile[x] = glanz(dx / breite + tiefe * 0.5, x, y)

    # The cliff: a dark headland catching the last light on its seaward face.
    oben = [(168, horizont + 2), (174, 200), (180, 194), (186, 189), (190, 186), (196, 182),
            (201, 176), (206, 173), (212, 170), (222, 169), (240, 171), (262, 170), (284, 168),
            (300, 169), (320, 167)]
    klippe = oben + [(320, H), (144, H), (148, 292), (156, 262), (162, 236)]
    rand = {}
    for y in range(horizont - 40, H):
        sp = spannen(klippe, y)
        if sp:
            rand[y] = sp[0][0]

    rauschen = Rauschen(7, 9.0)

    def fels_farbe(x, y):
        # Layered rock: each ledge is lit on top and falls into shadow below, and the
        # layers sag and wander with the noise.
        n = rauschen(x, y)
        lage = (y + 14 * n + 3 * math.sin(x * 0.045)) / 11.0
        anteil = lage - math.floor(lage)
        kante = klamm(1 - (x - rand.get(y, x)) / 18.0)
        t = 0.1 + 0.22 * (1 - anteil) ** 2 + 0.12 * n + 0.55 * kante * kante
        if anteil > 0.9:
            t *= 0.5
        return fels(t, x, y)
    bild.polygon(klippe, fels_farbe)

    # Grass along the top of the cliff.
    def oberkante(x):
        for (x1, y1), (x2, y2) in zip(oben, oben[1:]):
            if x1 <= x <= x2:
                return y1 + (y2 - y1) * (x - x1) / (x2 - x1)
        return oben[-1][1]
    for x in range(186, W):
        y0 = oberkante(x + 0.5)
        tiefe = 5 + 2 * math.sin(x * 0.31) + (2 if x % 7 == 0 else 0)
        start = math.ceil(y0 - 0.5) - (1 if (x * 7) % 5 == 0 else 0)
        for y in range(start, int(y0 + tiefe)):
            bild.pix[y][x] = gras(0.75 - (y - y0) / tiefe * 0.6 + 0.1 * math.sin(x * 0.7), x, y)

    # Surf where the sea meets the rock.
    for y in range(horizont, H):
        if y in rand:
            for i in range(4):
                x = rand[y] - 1 - i
                if 0 <= x and math.sin(y * 0.8 + i) + math.sin(y * 0.31) > 0.4 + i * 0.5:
                    bild.pix[y][x] = schaum(0.7 - i / 4.0 - 0.3 * (y - horizont) / (H - horizont),
                                            x, y)

    # A dark rock in the left foreground.
    vorn = [(0, 282), (14, 276), (30, 279), (44, 288), (58, 300), (70, 318), (0, 318)]
    bild.polygon(vorn, lambda x, y: fels(0.1 + 0.25 * klamm(1 - (y - 276) / 20.0)
                                         * klamm(1 - x / 60.0) + 0.05 * math.sin(x * 0.4), x, y))
    for x in range(0, 60):
        y = 277 + int(abs(x - 14) * 0.45) - (1 if x < 14 else 0)
        if math.sin(x * 0.9) > -0.2:
            bild.setzen(x, y - 1, schaum(0.6 + 0.4 * math.sin(x * 0.5), x, y))

    # The lighthouse: a white tower with red bands, lit from the sunset on the left.
    fuss, kopf = 171, 100

    def halbbreite(y):
        return 10 + 5 * (y - kopf) / (fuss - kopf)

    for y in range(kopf, fuss + 1):
        hb = halbbreite(y)
        band = ((fuss - y) // 14) % 2 == 0
        for x in range(math.ceil(lx - hb - 0.5), math.ceil(lx + hb - 0.5)):
            u = (x + 0.5 - lx) / hb
            t = 0.95 - 0.75 * ((u + 1) / 2) ** 1.4
            bild.pix[y][x] = (rot if band else weiss)(t, x, y)
    for fy in (118, 146):
        for y in range(fy, fy + 6):
            for x in (lx - 2, lx - 1):
                bild.pix[y][x] = dach.fest(0.0)
    for y in range(157, fuss + 1):
        for x in range(lx - 4, lx + 3):
            if y > 159 or lx - 3 <= x <= lx + 1:
                bild.pix[y][x] = dach.fest(0.1)
    # Gallery and railing.
    for y in range(96, 101):
        for x in range(lx - 15, lx + 15):
            t = 0.15 + 0.5 * (y == 96) + 0.2 * klamm(1 - (x - lx + 15) / 30.0)
            bild.pix[y][x] = dach(t, x, y)
    for x in range(lx - 14, lx + 14):
        bild.pix[89][x] = dach.fest(0.3)
        if (x - lx) % 3 == 0:
            for y in range(90, 96):
                bild.pix[y][x] = dach.fest(0.2)
    # Lantern room, glowing, with its glazing bars.
    for y in range(74, 96):
        for x in range(lx - 8, lx + 8):
            if x in (lx - 8, lx - 3, lx + 2, lx + 7) or y in (74, 95):
                bild.pix[y][x] = dach.fest(0.05)
            else:
                bild.pix[y][x] = licht(abs(x + 0.5 - lx) / 8.0 + abs(y - 84) / 14.0, x, y)
    # Roof and ball.
    bild.polygon([(lx - 11, 74), (lx + 11, 74), (lx + 1.5, 61), (lx - 1.5, 61)],
                 lambda x, y: dach(0.85 - 0.7 * klamm((x - lx + 11) / 22.0), x, y))
    bild.kreis(lx, 58.5, 2.6, lambda x, y: dach(0.9 if x < lx else 0.3, x, y))

    # The keeper's cottage beside the tower.
    hx0, hx1, hy0, hy1 = 276, 312, 150, 172
    for y in range(hy0, hy1):
        for x in range(hx0, hx1):
            bild.pix[y][x] = weiss(0.52 - 0.2 * (x - hx0) / (hx1 - hx0), x, y)
    bild.polygon([(hx0 - 4, hy0 + 0.5), (hx1 + 4, hy0 + 0.5), (hx1 - 2, 135), (hx0 + 2, 135)],
                 lambda x, y: rot(0.5 - 0.35 * (x - hx0) / (hx1 - hx0) - 0.1 * (y % 3 == 0), x, y))
    for fx in (282, 300):
        for y in range(156, 163):
            for x in range(fx, fx + 6):
                rahmen = x in (fx, fx + 5) or y in (156, 162) or x == fx + 2 or y == 159
                bild.pix[y][x] = dach.fest(0.1) if rahmen else licht.fest(0.5)
    bild.pix[157][283] = bild.pix[157][301] = licht.fest(0.0)

    # Three gulls heading home.
    for gx, gy in ((58, 96), (74, 88), (49, 84)):
        for i in range(-3, 4):
            bild.setzen(gx + i, gy - (abs(i) if abs(i) < 3 else 2) + (1 if i == 0 else 0),
                        dach.fest(0.0))
    return bild


HUND = """
.........KK..........
........KdK..........
........KddK.........
....KKKKKmdK.........
...KmmmmmmmdK........
..KmmnmmmmmmK........
KKmmmmmmmmmmK........
nllmmmmmmmmmdK.......
KllllmmmmmmmdK.......
.KKKllmmmmmmmdK......
....KllmmmmmmdK......
....KlllmmmmmmdK.....
....KlllmmmmmmmdK....
....KlllmmmmmmmmdK...
....KlllmmmmmmmmmdK..
....KllKmmmmmmmmmdK..
....KllKmmmmmmmmmmdK.
....KllKmmmmmmmmmmdK.
....KllKmmmmmmmmmmdK.
....KllKdmmmmmmmmmdK.
....KllKddmmmmmmmdKKK
...KlllKKddddddddKddK
...KKKKKKKKKKKKKKKKK.
"""


def bild_b():
    """A summer morning: an old stone watchtower on a green hill, its dog at the door."""
    W, H = 250, 352
    bild = Leinwand(W, H)
    himmel = bild.rampe(48, (0.0, (46, 92, 174)), (0.6, (118, 168, 226)), (1.0, (200, 226, 242)))
    wolke = bild.rampe(16, (0.0, (146, 162, 196)), (0.5, (212, 220, 236)), (1.0, (255, 255, 255)))
    berge = bild.rampe(10, (0.0, (104, 134, 178)), (1.0, (160, 186, 212)))
    huegel = bild.rampe(12, (0.0, (62, 112, 88)), (1.0, (126, 166, 118)))
    wiese = bild.rampe(32, (0.0, (30, 70, 30)), (0.5, (88, 146, 50)), (1.0, (176, 206, 92)))
    weg = bild.rampe(12, (0.0, (112, 88, 60)), (0.6, (196, 170, 122)), (1.0, (230, 214, 166)))
    tanne = bild.rampe(12, (0.0, (10, 36, 26)), (0.6, (34, 80, 44)), (1.0, (74, 120, 62)))
    stein = bild.rampe(24, (0.0, (62, 58, 64)), (0.55, (148, 138, 124)), (1.0, (230, 220, 196)))
    dach = bild.rampe(12, (0.0, (80, 24, 22)), (0.6, (172, 58, 40)), (1.0, (232, 112, 72)))
    holz = bild.rampe(6, (0.0, (54, 32, 18)), (1.0, (136, 84, 42)))
    fahne = bild.rampe(6, (0.0, (140, 18, 28)), (1.0, (242, 64, 52)))
    hund = bild.rampe(10, (0.0, (36, 24, 16)), (0.6, (140, 92, 50)), (1.0, (214, 166, 100)))
    bunt = bild.rampe(2, (0.0, (250, 220, 60)), (1.0, (252, 252, 246)))
    bunt2 = bild.rampe(2, (0.0, (222, 54, 52)), (1.0, (132, 104, 226)))
    dunkel = bild.rampe(3, (0.0, (16, 14, 22)), (1.0, (48, 44, 52)))

    himmel_unten = 236
    for y in range(himmel_unten):
        bild.pix[y][:] = himmel.zeile((y / himmel_unten) ** 0.9, y, W)

    # Clouds: heaps of circles with flat bottoms, bright on top, grey underneath.
    wolken = (
        (34, 60, ((0, 0, 13), (14, -7, 16), (30, -2, 12), (42, 3, 8), (-12, 4, 8))),
        (196, 38, ((0, 0, 11), (13, -6, 13), (27, 0, 10), (-11, 3, 7))),
        (206, 140, ((0, 0, 8), (10, -4, 10), (21, 0, 7), (-8, 2, 5))),
    )
    for wx, wy, kreise in wolken:
        unten = wy + 8
        oben = min(wy + dy - r for dx, dy, r in kreise)
        for y in range(int(oben), unten):
            for x in range(W):
                drin = False
                for dx, dy, r in kreise:
                    ex, ey = x + 0.5 - wx - dx, y + 0.5 - wy - dy
                    if ex * ex + ey * ey <= r * r:
                        drin = True
                        break
                if drin:
                    t = 1.0 - 0.9 * ((y - oben) / (unten - oben)) ** 1.5 \
                        + 0.15 * math.sin((x - wx) * 0.3)
                    bild.pix[y][x] = wolke(t, x, y)

    # Far mountains, then nearer hills, paler with distance.
    for x in range(W):
        gipfel = 206 + 10 * math.sin(x * 0.031 + 1.2) + 5 * math.sin(x * 0.083 + 0.4) \
            + 3 * math.sin(x * 0.19)
        for y in range(int(gipfel), 250):
            bild.pix[y][x] = berge(0.2 + (y - gipfel) / 40.0, x, y)
        mitte = 232 + 8 * math.sin(x * 0.024 + 2.2) + 3 * math.sin(x * 0.09)
        for y in range(int(mitte), H):
            bild.pix[y][x] = huegel(0.9 - (y - mitte) / 28.0 + 0.1 * math.sin(x * 0.5 + y), x, y)

    # The watch hill and the meadow before it.
    rauschen = Rauschen(11, 6.0)
    turm_x, kuppe = 150, 234

    def hang(x):
        d = (x - turm_x) / 100.0
        return kuppe + 52 * d * d + 6 * math.sin(x * 0.05) - (14 if x < 60 else 0) * \
            klamm((60 - x) / 60.0)

    for x in range(W):
        h0 = hang(x)
        neigung = hang(x + 1) - hang(x - 1)
        for y in range(int(h0), H):
            n = rauschen(x, y * 2.2)
            t = 0.55 - 0.35 * neigung - 0.25 * klamm((y - h0) / 30.0) * (1 - (y - 240) / 120.0) \
                + 0.35 * ((y - 240) / (H - 240)) + 0.25 * (n - 0.5)
            bild.pix[y][x] = wiese(t, x, y)

    # A sandy path winding up to the door.
    def pfad(y):
        a = (y - kuppe) / (H - kuppe)
        return turm_x - 6 + 40 * math.sin(a * 3.4) * a - 30 * a * a, 3 + 26 * a ** 1.3

    for y in range(kuppe + 2, H):
        mitte, breite = pfad(y)
        for x in range(math.ceil(mitte - breite), int(mitte + breite)):
            if 0 <= x < W:
                u = (x + 0.5 - mitte) / breite
                t = 0.75 - 0.3 * u * u + 0.2 * (rauschen(x * 2, y * 2) - 0.5)
                bild.pix[y][x] = weg(t, x, y)

    # Fir trees at the edge of the wood on the left, one lone pair on the right.
    def baum(bx, by, hoehe):
        stamm = max(1, int(hoehe / 12))
        for y in range(by - int(hoehe * 0.16), by + 1):
            for x in range(bx - stamm, bx + stamm):
                bild.setzen(x, y, holz.fest(0.2))
        for stock in range(3):
            spitze = by - hoehe + stock * hoehe * 0.26
            fuss = spitze + hoehe * 0.46
            halb = hoehe * (0.2 + 0.07 * stock)
            bild.polygon([(bx, spitze), (bx + halb, fuss), (bx - halb, fuss)],
                         lambda x, y: tanne(0.72 - 0.55 * (x + 0.5 - bx + halb) / (2 * halb)
                                            + 0.1 * math.sin(y * 1.7 + x), x, y))

    for bx, by, hh in ((10, 276, 44), (30, 266, 36), (52, 270, 30), (-2, 290, 40),
                       (22, 292, 46), (224, 264, 26), (240, 270, 32)):
        baum(bx, by, hh)

    # The tower: a round stone keep, lit from the morning sun on the left.
    boden, krone = 240, 92

    def halb(y):
        return 20 + 3 * (y - krone) / (boden - krone)

    for y in range(krone, boden):
        hb = halb(y)
        reihe = (boden - y) // 7
        fuge_y = (boden - y) % 7 == 0
        for x in range(math.ceil(turm_x - hb - 0.5), math.ceil(turm_x + hb - 0.5)):
            u = (x + 0.5 - turm_x) / hb
            winkel = math.asin(max(-1.0, min(1.0, u))) / math.pi * 7 + (reihe % 2) * 0.5
            t = 0.9 - 0.78 * ((u + 1) / 2) ** 1.3 + 0.06 * math.sin(reihe * 2.3 + winkel * 5)
            if fuge_y or winkel - math.floor(winkel) < 0.09:
                t -= 0.22
            bild.pix[y][x] = stein(t, x, y)
    # Parapet on a row of corbels, and the merlons.
    for y in range(72, 86):
        for x in range(turm_x - 25, turm_x + 25):
            u = (x + 0.5 - turm_x) / 25
            t = 0.95 - 0.8 * ((u + 1) / 2) ** 1.3
            if (y - 72) % 7 == 0:
                t -= 0.2
            bild.pix[y][x] = stein(t, x, y)
    for y in range(86, 92):
        for x in range(turm_x - 24, turm_x + 24):
            u = (x + 0.5 - turm_x) / 24
            bogen = ((x - turm_x + 24) % 8)
            unten = 86 + abs(bogen - 3.5) * 1.4
            if y < unten or bogen in (0, 7):
                bild.pix[y][x] = stein(0.85 - 0.75 * (u + 1) / 2, x, y)
            else:
                bild.pix[y][x] = stein(0.15, x, y)
    # Conical roof inside the parapet, and the flag above it.
    bild.polygon([(turm_x - 21, 73), (turm_x + 21, 73), (turm_x, 30)],
                 lambda x, y: dach(0.95 - 0.85 * klamm((x - turm_x + 21) / 42.0)
                                   - 0.12 * ((y % 5) == 0), x, y))
    for y in range(62, 72):
        for i, x in enumerate(range(turm_x - 25, turm_x + 25)):
            if i % 10 < 6:
                u = (x + 0.5 - turm_x) / 25
                bild.pix[y][x] = stein(0.95 - 0.8 * ((u + 1) / 2) ** 1.3 - 0.15 * (y == 62), x, y)
    for y in range(12, 32):
        bild.pix[y][turm_x] = dunkel.fest(0.5)
    bild.polygon([(turm_x + 1, 13), (turm_x + 10, 15), (turm_x + 22, 14.5), (turm_x + 18, 19),
                  (turm_x + 22, 23.5), (turm_x + 10, 23), (turm_x + 1, 25)],
                 lambda x, y: fahne(0.8 - 0.4 * math.sin((x - turm_x) * 0.35), x, y))
    # Arrow slits and the door.
    for fy in (112, 160):
        for y in range(fy, fy + 14):
            for x in range(turm_x - 3, turm_x + 2):
                if y > fy + 1 or turm_x - 2 <= x <= turm_x:
                    bild.pix[y][x] = dunkel.fest(0.0)
            bild.pix[y][turm_x + 2] = stein.fest(0.25)
    for y in range(210, boden):
        for x in range(turm_x - 9, turm_x + 9):
            r = math.hypot(x + 0.5 - turm_x, y + 0.5 - 219)
            if y >= 219 or r < 9:
                if r > 9 - 2.5 and y < 219 or x in (turm_x - 9, turm_x + 8):
                    bild.pix[y][x] = stein.fest(0.3)
                else:
                    brett = (x - turm_x + 9) % 4 == 0
                    bild.pix[y][x] = holz(0.8 - 0.4 * brett - 0.3 * (x > turm_x), x, y)
    bild.pix[226][turm_x + 4] = bunt.fest(0.0)
    # Grass tufts hiding the tower's foot.
    for x in range(turm_x - 24, turm_x + 24):
        for y in range(boden - 2 - (x * 5 % 3), boden + 1):
            if not (turm_x - 9 <= x < turm_x + 9):
                bild.pix[y][x] = wiese(0.45 + 0.2 * ((x * 7) % 3 == 0), x, y)

    # The dog, sitting by the door and keeping watch (side view, facing left).
    farben = {'K': hund.fest(0.0), 'd': hund.fest(0.3), 'm': hund.fest(0.6),
              'l': hund.fest(0.9), 'n': dunkel.fest(0.0)}
    for y, zeile in enumerate(HUND.split()):
        for x, c in enumerate(zeile):
            if c in farben:
                bild.setzen(176 + x, 240 - len(HUND.split()) + 1 + y, farben[c])

    # Flowers in the meadow, more of them close by.
    zufall = Zufall(1996)
    for _ in range(150):
        y = int(H - 1 - (H - 258) * zufall() ** 1.7)
        x = int(zufall() * W)
        mitte, breite = pfad(y)
        if abs(x - mitte) < breite + 2 or bild.pix[y][x] < wiese.basis \
                or bild.pix[y][x] >= wiese.basis + wiese.n:
            continue
        wahl = zufall()
        farbe = (bunt.fest(0), bunt.fest(1), bunt2.fest(0), bunt2.fest(1))[int(wahl * 4)]
        bild.pix[y][x] = farbe
        if y > 300 and x + 1 < W:
            bild.pix[y][x + 1] = farbe
            bild.pix[y - 1][x] = farbe

    # Two swallows.
    for gx, gy in ((62, 118), (80, 126)):
        for i in range(-3, 4):
            bild.setzen(gx + i, gy - (abs(i) if abs(i) < 3 else 2) + (1 if i == 0 else 0),
                        dunkel.fest(0.0))
    return bild


def verkleinern(bild, x0, y0, faktor, breite=40, hoehe=56):
    """Crops at (x0, y0) and scales down by faktor, averaging each source block, then maps
    every pixel to the nearest colour of the picture's own palette."""
    klein = Leinwand(breite, hoehe)
    klein.palette = list(bild.palette)
    naechste = {}
    for y in range(hoehe):
        ya, yb = int(y0 + y * faktor), int(y0 + (y + 1) * faktor)
        for x in range(breite):
            xa, xb = int(x0 + x * faktor), int(x0 + (x + 1) * faktor)
            summe = [0, 0, 0]
            for sy in range(ya, yb):
                for sx in range(xa, xb):
                    r, g, b = bild.rgb(sx, sy)
                    summe[0] += r
                    summe[1] += g
                    summe[2] += b
            n = (yb - ya) * (xb - xa)
            farbe = (summe[0] // n, summe[1] // n, summe[2] // n)
            if farbe not in naechste:
                naechste[farbe] = min(
                    range(len(klein.palette)),
                    key=lambda i: 3 * (klein.palette[i][0] - farbe[0]) ** 2
                    + 4 * (klein.palette[i][1] - farbe[1]) ** 2
                    + 2 * (klein.palette[i][2] - farbe[2]) ** 2)
            klein.pix[y][x] = naechste[farbe]
    return klein


# ---------------------------------------------------------------------------------------------
# main

def schreiben(ordner, name, daten):
    pfad = os.path.join(ordner, name)
    neu = pfad + '.neu'
    with open(neu, 'wb') as f:
        f.write(daten)
    os.replace(neu, pfad)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write('Aufruf: bilder.py AUSGABEORDNER\n')
        return 2
    ordner = argv[1]
    os.makedirs(ordner, exist_ok=True)
    schreiben(ordner, 'toolbar.bmp', bmp_bytes(toolbar(), 4, VGA))
    schreiben(ordner, 'leer.bmp', bmp_bytes(leer(), 4, VGA))
    schreiben(ordner, 'Endwart.ico', ico_bytes([symbol(16), symbol(32), symbol(48)]))
    a = bild_a()
    schreiben(ordner, 'bildA.bmp', a.bmp())
    b = bild_b()
    schreiben(ordner, 'bildB.bmp', b.bmp())
    # The thumbnails show the lighthouse and the tower.
    for name, quelle, x0, y0, faktor in (('bildA_klein.bmp', a, 176, 40, 3.5),
                                         ('bildB_klein.bmp', b, 65, 6, 4.5)):
        klein = verkleinern(quelle, x0, y0, faktor)
        schreiben(ordner, name, klein.bmp())
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
