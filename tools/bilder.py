#!/usr/bin/env python3
"""Draws Endungswart's bitmaps and its icon.

    python3 bilder.py AUSGABEORDNER

Writes toolbar.bmp, leer.bmp, Endwart.ico, bildA.bmp, bildB.bmp, bildA_klein.bmp and
bildB_klein.bmp, and the two large pictures packed (bildA.lz, bildB.lz: the bitmap without its
file header, as a bitmap resource holds it, packed by packen.py). Everything is drawn here from
code, standard library only, and the output is the same bytes on every run.
"""

import math
import os
import struct
import sys
from types import SimpleNamespace

from packen import packen

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


def gitter(text):
    """Grids drawn side by side under a line of their names, in blocks of 17 lines."""
    zeilen = text.strip().split('\n')
    alle = {}
    for i in range(0, len(zeilen), 17):
        namen, *reihen = zeilen[i:i + 17]
        for j, name in enumerate(namen.split()):
            alle[name] = '\n'.join(r.split()[j] for r in reihen)
    return alle


# The tool bar's images and the program icon at 16 x 16.
GITTER = gitter("""
speichern         rueckgaengig      liste             plusminus         seite
................  ................  KKKKKKKKKK......  ..........ggg...  KKKKKKKK........
.KKKKKKKKKKKKKK.  .....b..........  KWWWWWWWWK......  ..........gGg...  KWWWWWWKK.......
.KbWWWWWWWWWWbK.  ....bb..........  KWbWDDDDWK......  ........gggGggg.  KWWWWWWKWK......
.KbWWWWWWWWWWbK.  ...bBb..........  KWWWWWWWWK......  ........gGGGGGg.  KWDDDDWKKKK.....
.KbWDDDDDDDDWbK.  ..bBBBbbbbbb....  KWbWDDDWWK......  ........gggGggg.  KWWWWWWWWWK.....
.KbWWWWWWWWWWbK.  .bBBBBBBBBBBbb..  KWWWWWWWWK......  ..........gGg...  KWDDDDDDDWK.....
.KbWDDDDDDDDWbK.  .bBBBBBBBBBBBBb.  KWbWDDDDWK......  ..........ggg...  KWWWWWWWWWK.....
.KbWWWWWWWWWWbK.  ..bBBBbbbbbbBBb.  KWWWWWWWWK......  ................  KWDDDDDDDWK.....
.KbbbbbbbbbbbbK.  ...bBb.....bBBb.  KWbWDDWWWK......  ................  KWWWWWWWWWK.....
.KbbbDDDDDDbbbK.  ....bb.....bBBb.  KWWWWWWWWK......  ................  KWDDDDDDDWK.....
.KbbbDWKKDDbbbK.  .....b.....bBBb.  KWbWDDDDWK......  ........rrrrrrr.  KWWWWWWWWWK.....
.KbbbDWKKDDbbbK.  .......bbbbbBBb.  KWWWWWWWWK......  ........rRRRRRr.  KWDDDDDDDWK.....
.KbbbDWKKDDbbbK.  .......bBBBBBBb.  KWbWDDDWWK......  ........rrrrrrr.  KWWWWWWWWWK.....
.KbbbDDDDDDbbbK.  .......bBBBBBb..  KWWWWWWWWK......  ................  KWDDDDWWWWK.....
..KKKKKKKKKKKKK.  .......bbbbbb...  KKKKKKKKKK......  ................  KWWWWWWWWWK.....
................  ................  ................  ................  KKKKKKKKKKK.....
stift             optionen          hilfe             info              symbol16
............KK..  DDDDDDDDD.......  ................  ................  .KKKKKKK........
...........KRRK.  DWWWWWWKD.......  ...KKKKKKKKKKK..  ....KKKKKKKK....  .KWWWWWKK.......
..........KDRRRK  DWWWWWKKD.......  ..KbBBBBBBBBBK..  ..KKWWWWWWWWKK..  .KWWWWWKLK......
.........KYYDRRK  DKWWWKKKD.KKKKK.  ..KbBBBYYYYBBK..  .KWWWWWBBWWWWWK.  .KWDDDWKLLK.....
........KYYYyDK.  DKKWKKKWD.......  ..KbBBYYBBYYBK..  .KWWWWWBBWWWWWK.  .KWWWWWKKKK.....
.......KYYYyyK..  DKKKKKWWD.KKKK..  ..KbBBBBBBYYBK..  KWWWWWWWWWWWWWWK  .KWDDDKKKKKKKKKK
......KYYYyyK...  DWKKKWWWD.......  ..KbBBBBBYYBBK..  KWWWWWBBBWWWWWWK  .KWWWWKBBBBbbbbK
.....KYYYyyK....  DWWKWWWWD.......  ..KbBBBBYYBBBK..  KWWWWWWBBWWWWWWK  .KWDDDKBBBBbbWbK
....KWYYyyK.....  DDDDDDDDD.......  ..KbBBBBYYBBBK..  KWWWWWWBBWWWWWWK  .KWWWWKBBBBbWWbK
....KWWWyK......  ................  ..KbBBBBBBBBBK..  .KWWWWWBBWWWWWK.  .KWDDDKBWBBWWbbK
...KWWWKK.......  .........WWWK...  ..KbBBBBYYBBBK..  .KWWWWBBBBWWWWK.  .KWWWWKBWWWWbbbK
...KKKK.........  .........WLDK...  ..KbBBBBBBBBBK..  ..KKWWWWWWWWKK..  .KWDDDDKBWWbbbK.
................  .DDDDDDDDWLDKDD.  ..KbKKKKKKKKKK..  ....KKWWKKKK....  .KWWWWWWKBBbbK..
................  .WWWWWWWWWLDKWW.  ..KbWWWWWWWWWK..  .....KWK........  .KWDDDDDDKBbK...
................  .........WLDK...  ...KKKKKKKKKKK..  ....KWK.........  .KWWWWWWWWKK....
................  .........KKKK...  ................  ...KK...........  .KKKKKKKKKK.....
""")


def ueber(*ebenen):
    """Lays grids over each other; '.' lets the layer below show through."""
    zeilen = [list(z) for z in ebenen[0].split()]
    for ebene in ebenen[1:]:
        for y, z in enumerate(ebene.split()):
            for x, c in enumerate(z):
                if c != '.':
                    zeilen[y][x] = c
    return '\n'.join(''.join(z) for z in zeilen)


# The tool bar, left to right; the change and add/remove images draw onto a page and a list.
SYMBOLE = (('speichern',), ('rueckgaengig',), ('liste', 'plusminus'), ('seite', 'stift'),
           ('optionen',), ('hilfe',), ('info',))


def toolbar():
    bilder = [raster(ueber(*(GITTER[n] for n in ebenen))) for ebenen in SYMBOLE]
    return [sum((b[y] for b in bilder), []) for y in range(16)]


# ---------------------------------------------------------------------------------------------
# Program icon: a page guarded by a shield with a check mark

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


def fuellen(bild, maske, innen, rand=0, kante=None):
    """Paints the mask: its outline (and column kante) in rand, the rest in innen, a colour
    or innen(x, y)."""
    for y, zeile in enumerate(maske):
        for x, drin in enumerate(zeile):
            if drin:
                if umriss(maske, x, y) or x == kante:
                    bild[y][x] = rand
                else:
                    bild[y][x] = innen(x, y) if callable(innen) else innen


def blatt(bild, x0, x1, y0, y1, ohr, linien=None):
    """A white sheet with its top right corner folded over; linien(maske) draws on the paper
    before the fold covers it. Returns the sheet's mask."""
    n = len(bild)
    seite = maske_aus(n, lambda x, y: x0 <= x < x1 and y0 <= y < y1
                      and not (x - (x1 - ohr) > y - y0))
    fuellen(bild, seite, 15)
    if linien:
        linien(seite)
    fuellen(bild, maske_aus(n, lambda x, y: x1 - ohr <= x < x1 and y0 <= y < y0 + ohr
                            and x - (x1 - ohr) <= y - y0), 7, kante=int(x1) - 1)
    return seite


def strecke_abstand(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - ax - t * vx, py - ay - t * vy)


def symbol(n):
    """The icon at n x n pixels: (colour rows, mask rows with 1 = transparent)."""
    if n == 16:
        zeilen = raster(GITTER['symbol16'])
        maske = [[1 if c == '.' else 0 for c in z] for z in GITTER['symbol16'].split()]
        return zeilen, maske
    k = n / 16.0
    bild = [[None] * n for _ in range(n)]
    x0, x1, y1, ohr = 1 * k, 11 * k, 16 * k, 3.6 * k
    abstand = 3 if n < 48 else 4

    def textzeilen(seite):
        # The ones beside the fold stop short of it.
        for y in range(int(ohr) + 2, math.ceil(y1 - abstand), abstand):
            rechts = int(x1 - abstand - (ohr if y <= ohr else 0))
            for x in range(int(x0) + abstand, rechts):
                if seite[y][x] and not umriss(seite, x, y):
                    bild[y][x] = 8

    blatt(bild, x0, x1, 0.0, y1, ohr, textzeilen)
    schild(bild, k)
    maske = [[1 if p is None else 0 for p in z] for z in bild]
    zeilen = [[0 if p is None else p for p in z] for z in bild]
    return zeilen, maske


def schild(bild, k):
    """A heater shield, straight sides and then two arcs that meet in a point, with a gold rim
    and a white check mark drawn as two thick strokes."""
    n = len(bild)
    a, b, oben, mitte = 6 * k, 16 * k, 5 * k, 8.5 * k
    radius = 0.8 * (b - a)
    cx = (a + b) / 2

    def innen(x, y):
        if not (a <= x < b and oben <= y):
            return False
        return y <= mitte or (math.hypot(x - (a + radius), y - mitte) <= radius
                              and math.hypot(x - (b - radius), y - mitte) <= radius)

    ganz = maske_aus(n, innen)
    rand = [[ganz[y][x] and not umriss(ganz, x, y) for x in range(n)] for y in range(n)]

    def blau(x, y):
        return 12 if x + 0.5 < cx else 4
    fuellen(bild, ganz, blau)
    fuellen(bild, rand, blau, rand=11)
    haken = ((a + 0.24 * (b - a), oben + 5.0 * k), (a + 0.43 * (b - a), oben + 7.0 * k),
             (a + 0.78 * (b - a), oben + 2.0 * k))
    for y in range(n):
        for x in range(n):
            if rand[y][x] and not umriss(rand, x, y):
                px, py = x + 0.5, y + 0.5
                if min(strecke_abstand(px, py, *haken[0], *haken[1]),
                       strecke_abstand(px, py, *haken[1], *haken[2])) <= 0.75 * k:
                    bild[y][x] = 15


def leer():
    """A white dog-eared sheet on light grey; the program paints its small icon at (9, 9)."""
    x0, x1, y0, y1 = 5, 29, 2, 31
    zeilen = [[HELLGRAU] * 32 for _ in range(32)]
    seite = blatt(zeilen, x0, x1, y0, y1, 6)
    for y in range(32):
        for x in range(32):
            if not seite[y][x] and (x == x1 and y0 < y <= y1 or y == y1 and x0 < x <= x1):
                zeilen[y][x] = 8  # drop shadow
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

    def rampen(self, tabelle):
        """One ramp a row (name, entries, colour stops...), in palette order; them by name."""
        return SimpleNamespace(**{name: self.rampe(n, *stuetzen)
                                  for name, n, *stuetzen in tabelle})

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

    def flaeche(self, x0, x1, y0, y1, farbe):
        """Fills [x0, x1) x [y0, y1); farbe(x, y) gives the index, or None to leave a pixel."""
        for y in range(y0, y1):
            zeile = self.pix[y]
            for x in range(x0, x1):
                i = farbe(x, y)
                if i is not None:
                    zeile[x] = i

    def walze(self, cx, ys, halb, farbe):
        """A round body about column cx over the rows ys, halb(y) (or halb) to either side;
        farbe(u, x, y) with u from -1 at the left edge to 1 at the right, or None."""
        for y in ys:
            hb = halb(y) if callable(halb) else halb
            zeile = self.pix[y]
            for x in range(math.ceil(cx - hb - 0.5), math.ceil(cx + hb - 0.5)):
                i = farbe((x + 0.5 - cx) / hb, x, y)
                if i is not None:
                    zeile[x] = i

    def gelaende(self, xs, kurve, unten, farbe):
        """Fills each column x from kurve(x) down to row unten; farbe(x, y, kurve(x))."""
        for x in xs:
            k = kurve(x)
            for y in range(int(k), unten):
                self.pix[y][x] = farbe(x, y, k)

    def figur(self, text, x0, y0, farben):
        """A hand-drawn grid at (x0, y0); letters not in farben stay see-through."""
        for y, zeile in enumerate(text.split()):
            for x, c in enumerate(zeile):
                if c in farben:
                    self.setzen(x0 + x, y0 + y, farben[c])

    def voegel(self, orte, index):
        """A small flat V for each bird in flight."""
        for gx, gy in orte:
            for i in range(-3, 4):
                self.setzen(gx + i, gy - (abs(i) if abs(i) < 3 else 2) + (1 if i == 0 else 0),
                            index)

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


def malen(breite, hoehe, rampen, schichten):
    """A picture from its plan: size, colour ramps, and the layers drawn in order, each
    schicht(bild, ramps by name)."""
    bild = Leinwand(breite, hoehe)
    farben = bild.rampen(rampen)
    for schicht in schichten:
        schicht(bild, farben)
    return bild


# ---------------------------------------------------------------------------------------------
# Picture A: dusk on the coast, a lighthouse on a cliff keeps watch while the sun goes down.

HIMMEL_A = ((0.0, (18, 20, 62)), (0.35, (58, 42, 108)), (0.62, (150, 72, 122)),
            (0.80, (222, 112, 96)), (0.92, (248, 160, 88)), (1.0, (255, 214, 140)))


def heller(stuetzen, anteil):
    return tuple((t, mischen(c, (255, 238, 176), anteil)) for t, c in stuetzen)


# Two brighter copies of the sky for the beams, so their edges dither in small steps.
RAMPEN_A = (
    ('himmel', 48, *HIMMEL_A),
    ('strahl1', 24, *heller(HIMMEL_A, 0.2)),
    ('strahl2', 24, *heller(HIMMEL_A, 0.45)),
    ('sonne', 8, (0.0, (255, 252, 222)), (1.0, (255, 198, 104))),
    ('meer', 40, (0.0, (176, 96, 104)), (0.25, (96, 58, 100)), (0.6, (36, 34, 76)),
     (1.0, (12, 16, 42))),
    ('glanz', 8, (0.0, (255, 226, 150)), (1.0, (214, 112, 84))),
    ('fels', 24, (0.0, (20, 14, 28)), (0.45, (62, 42, 58)), (0.8, (126, 80, 80)),
     (1.0, (176, 110, 92))),
    ('gras', 12, (0.0, (16, 34, 28)), (0.6, (48, 78, 42)), (1.0, (104, 112, 52))),
    ('weiss', 16, (0.0, (92, 82, 112)), (0.6, (214, 198, 204)), (1.0, (255, 244, 228))),
    ('rot', 16, (0.0, (56, 14, 30)), (0.6, (170, 42, 46)), (1.0, (236, 98, 74))),
    ('licht', 8, (0.0, (255, 255, 226)), (1.0, (255, 196, 64))),
    ('dach', 8, (0.0, (22, 16, 26)), (1.0, (112, 44, 44))),
    ('schaum', 6, (0.0, (104, 84, 128)), (1.0, (236, 214, 222))),
    ('ferne', 6, (0.0, (70, 42, 92)), (1.0, (112, 62, 108))),
    ('stern', 2, (0.0, (190, 190, 220)), (1.0, (255, 255, 240))),
)

BREITE_A, HOEHE_A = 320, 318
HORIZONT = 206
SX, SY, SR = 88, 203, 19          # the sun, just touching the sea
LX, LY = 246, 84                  # the lantern
# The beams: direction, half angle, strength.
STRAHLEN = ((-1.0, -0.17, 0.1, 2.4), (1.0, -0.08, 0.13, 2.0))
KLIPPE_OBEN = [(168, HORIZONT + 2), (174, 200), (180, 194), (186, 189), (190, 186), (196, 182),
               (201, 176), (206, 173), (212, 170), (222, 169), (240, 171), (262, 170),
               (284, 168), (300, 169), (320, 167)]
KLIPPE = KLIPPE_OBEN + [(BREITE_A, HOEHE_A), (144, HOEHE_A), (148, 292), (156, 262), (162, 236)]
VORDERFELS = [(0, 282), (14, 276), (30, 279), (44, 288), (58, 300), (70, HOEHE_A), (0, HOEHE_A)]


def strahlkraft(ex, ey):
    """How strongly the beams light the sky at (ex, ey) from the lantern: a soft wedge each,
    fading with distance."""
    d = math.hypot(ex, ey) + 1e-6
    p = 2.6 * math.exp(-d / 7.0)
    for rx, ry, breite, staerke in STRAHLEN:
        cosw = (ex * rx + ey * ry) / (d * math.hypot(rx, ry))
        if cosw > 0.9:
            w = math.acos(min(1.0, cosw))
            if w < breite:
                p += staerke * (1 - (w / breite) ** 2) * math.exp(-d / 170.0)
    return p


def abendhimmel(bild, f):
    """Sky, with a warm glow around the sun and the lighthouse beams laid over it."""
    stufen = (f.himmel, f.strahl1, f.strahl2)
    for y in range(HORIZONT):
        t = (y / HORIZONT) ** 1.15
        if y < 70:
            bild.pix[y][:] = f.himmel.zeile(t, y, bild.breite)
            continue
        zeile = bild.pix[y]
        for x in range(bild.breite):
            dx, dy = x - SX, (y - SY) * 1.6
            tt = t + 0.3 * math.exp(-(dx * dx + dy * dy) / 9000.0)
            p = strahlkraft(x - LX, y - LY)
            # Below a floor the beam stops, so no lone dots scatter over the sky.
            stufe = int(p + BAYER[y & 7][x & 7]) if p > 0.18 else 0
            zeile[x] = stufen[2 if stufe > 2 else stufe](tt, x, y)


def sterne(bild, f):
    """Stars where the sky is still dark, and the sun."""
    zufall = Zufall(1995)
    for _ in range(70):
        x, y = int(zufall() * bild.breite), int(zufall() * zufall() * 110)
        if bild.pix[y][x] < f.himmel.basis + 20:
            bild.pix[y][x] = f.stern.fest(zufall())
            if zufall() < 0.12 and 0 < x < bild.breite - 1 and y > 0:
                for ax, ay in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                    bild.pix[ay][ax] = f.stern.fest(0.0)
    bild.kreis(SX, SY, SR, lambda x, y: f.sonne(math.hypot(x - SX, y - SY) / SR, x, y))


def meer(bild, f):
    """A distant headland, then the sea with rolling wave bands and the sun's broken
    reflection."""
    def kueste(x):
        return HORIZONT - 3 - 5 * math.exp(-((x - 22) / 18.0) ** 2) - 2 * math.sin(x * 0.2)
    bild.gelaende(range(70), kueste, HORIZONT, lambda x, y, k: f.ferne((y - k) / 8.0, x, y))

    def wasser(x, y):
        tiefe = (y - HORIZONT) / (bild.hoehe - HORIZONT)
        breite = 9 + (y - HORIZONT) * 0.5
        t = tiefe ** 0.7 + 0.05 * math.sin(x * 0.09 + y * 1.3 + 2 * math.sin(y * 0.21)) \
            - 0.03 * math.sin(x * 0.23 - y * 0.7)
        dx = abs(x - SX)
        if dx < breite:
            funkeln = math.sin(y * 2.1 + math.sin(x * 0.13) * 2) + math.sin(x * 0.31 - y * 0.9)
            if funkeln > 0.3 + 0.15 * tiefe + 1.3 * dx / breite + tiefe:
                return f.glanz(dx / breite + tiefe * 0.5, x, y)
        return f.meer(t, x, y)
    bild.flaeche(0, bild.breite, HORIZONT, bild.hoehe, wasser)


def klippenrand():
    """The first rock pixel of each row of the cliff."""
    rand = {}
    for y in range(HORIZONT - 40, HOEHE_A):
        sp = spannen(KLIPPE, y)
        if sp:
            rand[y] = sp[0][0]
    return rand


def klippe(bild, f):
    """The cliff: a dark headland catching the last light on its seaward face."""
    rauschen = Rauschen(7, 9.0)
    rand = klippenrand()

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
        return f.fels(t, x, y)
    bild.polygon(KLIPPE, fels_farbe)


def klippenrand_malen(bild, f):
    """Grass along the top of the cliff, surf where the sea meets the rock."""
    def oberkante(x):
        for (x1, y1), (x2, y2) in zip(KLIPPE_OBEN, KLIPPE_OBEN[1:]):
            if x1 <= x <= x2:
                return y1 + (y2 - y1) * (x - x1) / (x2 - x1)
        return KLIPPE_OBEN[-1][1]
    for x in range(186, bild.breite):
        y0 = oberkante(x + 0.5)
        tiefe = 5 + 2 * math.sin(x * 0.31) + (2 if x % 7 == 0 else 0)
        start = math.ceil(y0 - 0.5) - (1 if (x * 7) % 5 == 0 else 0)
        for y in range(start, int(y0 + tiefe)):
            bild.pix[y][x] = f.gras(0.75 - (y - y0) / tiefe * 0.6 + 0.1 * math.sin(x * 0.7),
                                    x, y)
    rand = klippenrand()
    for y in range(HORIZONT, bild.hoehe):
        if y not in rand:
            continue
        for i in range(4):
            x = rand[y] - 1 - i
            if 0 <= x and math.sin(y * 0.8 + i) + math.sin(y * 0.31) > 0.4 + i * 0.5:
                bild.pix[y][x] = f.schaum(0.7 - i / 4.0 - 0.3 * (y - HORIZONT)
                                          / (bild.hoehe - HORIZONT), x, y)


def vorderfels(bild, f):
    """A dark rock in the left foreground, foam along its top."""
    bild.polygon(VORDERFELS, lambda x, y: f.fels(0.1 + 0.25 * klamm(1 - (y - 276) / 20.0)
                                               * klamm(1 - x / 60.0) + 0.05 * math.sin(x * 0.4),
                                               x, y))
    for x in range(0, 60):
        y = 277 + int(abs(x - 14) * 0.45) - (1 if x < 14 else 0)
        if math.sin(x * 0.9) > -0.2:
            bild.setzen(x, y - 1, f.schaum(0.6 + 0.4 * math.sin(x * 0.5), x, y))


def leuchtturm(bild, f):
    """A white tower with red bands, lit from the sunset on the left; its windows and door."""
    fuss, kopf = 171, 100

    def farbe(u, x, y):
        band = ((fuss - y) // 14) % 2 == 0
        return (f.rot if band else f.weiss)(0.95 - 0.75 * ((u + 1) / 2) ** 1.4, x, y)
    bild.walze(LX, range(kopf, fuss + 1), lambda y: 10 + 5 * (y - kopf) / (fuss - kopf), farbe)
    for fy in (118, 146):
        bild.flaeche(LX - 2, LX, fy, fy + 6, lambda x, y: f.dach.fest(0.0))
    bild.flaeche(LX - 4, LX + 3, 157, fuss + 1, lambda x, y: f.dach.fest(0.1)
                 if y > 159 or LX - 3 <= x <= LX + 1 else None)


def laterne(bild, f):
    """Gallery and railing, the glowing lantern room with its glazing bars, roof and ball."""
    dach = f.dach
    bild.flaeche(LX - 15, LX + 15, 96, 101, lambda x, y: dach(
        0.15 + 0.5 * (y == 96) + 0.2 * klamm(1 - (x - LX + 15) / 30.0), x, y))
    bild.flaeche(LX - 14, LX + 14, 89, 90, lambda x, y: dach.fest(0.3))
    bild.flaeche(LX - 14, LX + 14, 90, 96, lambda x, y: dach.fest(0.2)
                 if (x - LX) % 3 == 0 else None)
    bild.flaeche(LX - 8, LX + 8, 74, 96, lambda x, y: dach.fest(0.05)
                 if x in (LX - 8, LX - 3, LX + 2, LX + 7) or y in (74, 95)
                 else f.licht(abs(x + 0.5 - LX) / 8.0 + abs(y - 84) / 14.0, x, y))
    bild.polygon([(LX - 11, 74), (LX + 11, 74), (LX + 1.5, 61), (LX - 1.5, 61)],
                 lambda x, y: dach(0.85 - 0.7 * klamm((x - LX + 11) / 22.0), x, y))
    bild.kreis(LX, 58.5, 2.6, lambda x, y: dach(0.9 if x < LX else 0.3, x, y))


def haeuschen(bild, f):
    """The keeper's cottage beside the tower, and three gulls heading home."""
    hx0, hx1, hy0, hy1 = 276, 312, 150, 172
    bild.flaeche(hx0, hx1, hy0, hy1,
                 lambda x, y: f.weiss(0.52 - 0.2 * (x - hx0) / (hx1 - hx0), x, y))
    bild.polygon([(hx0 - 4, hy0 + 0.5), (hx1 + 4, hy0 + 0.5), (hx1 - 2, 135), (hx0 + 2, 135)],
                 lambda x, y: f.rot(0.5 - 0.35 * (x - hx0) / (hx1 - hx0) - 0.1 * (y % 3 == 0),
                                    x, y))
    for fx in (282, 300):
        bild.flaeche(fx, fx + 6, 156, 163, lambda x, y: f.dach.fest(0.1)
                     if x in (fx, fx + 5) or y in (156, 162) or x == fx + 2 or y == 159
                     else f.licht.fest(0.5))
    bild.pix[157][283] = bild.pix[157][301] = f.licht.fest(0.0)
    bild.voegel(((58, 96), (74, 88), (49, 84)), f.dach.fest(0.0))


BILD_A = (BREITE_A, HOEHE_A, RAMPEN_A, (abendhimmel, sterne, meer, klippe, klippenrand_malen,
                                        vorderfels, leuchtturm, laterne, haeuschen))


# ---------------------------------------------------------------------------------------------
# Picture B: a summer morning, an old stone watchtower on a green hill, its dog at the door.

RAMPEN_B = (
    ('himmel', 48, (0.0, (46, 92, 174)), (0.6, (118, 168, 226)), (1.0, (200, 226, 242))),
    ('wolke', 16, (0.0, (146, 162, 196)), (0.5, (212, 220, 236)), (1.0, (255, 255, 255))),
    ('berge', 10, (0.0, (104, 134, 178)), (1.0, (160, 186, 212))),
    ('huegel', 12, (0.0, (62, 112, 88)), (1.0, (126, 166, 118))),
    ('wiese', 32, (0.0, (30, 70, 30)), (0.5, (88, 146, 50)), (1.0, (176, 206, 92))),
    ('weg', 12, (0.0, (112, 88, 60)), (0.6, (196, 170, 122)), (1.0, (230, 214, 166))),
    ('tanne', 12, (0.0, (10, 36, 26)), (0.6, (34, 80, 44)), (1.0, (74, 120, 62))),
    ('stein', 24, (0.0, (62, 58, 64)), (0.55, (148, 138, 124)), (1.0, (230, 220, 196))),
    ('dach', 12, (0.0, (80, 24, 22)), (0.6, (172, 58, 40)), (1.0, (232, 112, 72))),
    ('holz', 6, (0.0, (54, 32, 18)), (1.0, (136, 84, 42))),
    ('fahne', 6, (0.0, (140, 18, 28)), (1.0, (242, 64, 52))),
    ('hund', 10, (0.0, (36, 24, 16)), (0.6, (140, 92, 50)), (1.0, (214, 166, 100))),
    ('bunt', 2, (0.0, (250, 220, 60)), (1.0, (252, 252, 246))),
    ('bunt2', 2, (0.0, (222, 54, 52)), (1.0, (132, 104, 226))),
    ('dunkel', 3, (0.0, (16, 14, 22)), (1.0, (48, 44, 52))),
)

BREITE_B, HOEHE_B = 250, 352
TURM_X, KUPPE = 150, 234           # the tower's axis, the top of its hill
BODEN, KRONE = 240, 92             # the tower's foot and the top of its wall
# Clouds: heaps of circles (dx, dy, r) about (x, y), with flat bottoms.
WOLKEN = (
    (34, 60, ((0, 0, 13), (14, -7, 16), (30, -2, 12), (42, 3, 8), (-12, 4, 8))),
    (196, 38, ((0, 0, 11), (13, -6, 13), (27, 0, 10), (-11, 3, 7))),
    (206, 140, ((0, 0, 8), (10, -4, 10), (21, 0, 7), (-8, 2, 5))),
)
# Fir trees at the edge of the wood on the left, one lone pair on the right: foot, height.
TANNEN = ((10, 276, 44), (30, 266, 36), (52, 270, 30), (-2, 290, 40), (22, 292, 46),
          (224, 264, 26), (240, 270, 32))
# The dog, sitting by the door and keeping watch (side view, facing left).
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


def im_kreis(ex, ey, r):
    return ex * ex + ey * ey <= r * r


def morgenhimmel(bild, f):
    """Sky and clouds, bright on top and grey underneath."""
    himmel_unten = 236
    for y in range(himmel_unten):
        bild.pix[y][:] = f.himmel.zeile((y / himmel_unten) ** 0.9, y, bild.breite)
    for wx, wy, kreise in WOLKEN:
        unten = wy + 8
        oben = min(wy + dy - r for dx, dy, r in kreise)
        for y in range(int(oben), unten):
            for x in range(bild.breite):
                if any(im_kreis(x + 0.5 - wx - dx, y + 0.5 - wy - dy, r)
                       for dx, dy, r in kreise):
                    t = 1.0 - 0.9 * ((y - oben) / (unten - oben)) ** 1.5 \
                        + 0.15 * math.sin((x - wx) * 0.3)
                    bild.pix[y][x] = f.wolke(t, x, y)


def hang(x):
    """The watch hill's outline."""
    d = (x - TURM_X) / 100.0
    return KUPPE + 52 * d * d + 6 * math.sin(x * 0.05) - (14 if x < 60 else 0) * \
        klamm((60 - x) / 60.0)


def pfad(y):
    """Middle and half width of the sandy path at row y."""
    a = (y - KUPPE) / (HOEHE_B - KUPPE)
    return TURM_X - 6 + 40 * math.sin(a * 3.4) * a - 30 * a * a, 3 + 26 * a ** 1.3


def landschaft(bild, f):
    """Far mountains, then nearer hills, paler with distance; the watch hill and the meadow
    before it, and a path winding up to the door."""
    W, H = bild.breite, bild.hoehe
    bild.gelaende(range(W), lambda x: 206 + 10 * math.sin(x * 0.031 + 1.2)
                  + 5 * math.sin(x * 0.083 + 0.4) + 3 * math.sin(x * 0.19), 250,
                  lambda x, y, k: f.berge(0.2 + (y - k) / 40.0, x, y))
    bild.gelaende(range(W), lambda x: 232 + 8 * math.sin(x * 0.024 + 2.2)
                  + 3 * math.sin(x * 0.09), H,
                  lambda x, y, k: f.huegel(0.9 - (y - k) / 28.0 + 0.1 * math.sin(x * 0.5 + y),
                                           x, y))
    rauschen = Rauschen(11, 6.0)

    def wiese(x, y, h0):
        neigung = hang(x + 1) - hang(x - 1)
        t = 0.55 - 0.35 * neigung - 0.25 * klamm((y - h0) / 30.0) * (1 - (y - 240) / 120.0) \
            + 0.35 * ((y - 240) / (H - 240)) + 0.25 * (rauschen(x, y * 2.2) - 0.5)
        return f.wiese(t, x, y)
    bild.gelaende(range(W), hang, H, wiese)
    for y in range(KUPPE + 2, H):
        mitte, breite = pfad(y)
        for x in range(max(0, math.ceil(mitte - breite)), min(W, int(mitte + breite))):
            u = (x + 0.5 - mitte) / breite
            t = 0.75 - 0.3 * u * u + 0.2 * (rauschen(x * 2, y * 2) - 0.5)
            bild.pix[y][x] = f.weg(t, x, y)


def tannen(bild, f):
    """Fir trees, three tiers each on a short trunk."""
    for bx, by, hoehe in TANNEN:
        stamm = max(1, int(hoehe / 12))
        for y in range(by - int(hoehe * 0.16), by + 1):
            for x in range(bx - stamm, bx + stamm):
                bild.setzen(x, y, f.holz.fest(0.2))
        for stock in range(3):
            spitze = by - hoehe + stock * hoehe * 0.26
            fuss = spitze + hoehe * 0.46
            halb = hoehe * (0.2 + 0.07 * stock)
            bild.polygon([(bx, spitze), (bx + halb, fuss), (bx - halb, fuss)],
                         lambda x, y: f.tanne(0.72 - 0.55 * (x + 0.5 - bx + halb) / (2 * halb)
                                              + 0.1 * math.sin(y * 1.7 + x), x, y))


def turm(bild, f):
    """A round stone keep, lit from the morning sun on the left, its parapet on a row of
    corbels, the merlons, and a conical roof with a flag."""
    stein = f.stein

    def mauer(u, x, y):
        reihe = (BODEN - y) // 7
        winkel = math.asin(max(-1.0, min(1.0, u))) / math.pi * 7 + (reihe % 2) * 0.5
        t = 0.9 - 0.78 * ((u + 1) / 2) ** 1.3 + 0.06 * math.sin(reihe * 2.3 + winkel * 5)
        if (BODEN - y) % 7 == 0 or winkel - math.floor(winkel) < 0.09:
            t -= 0.22
        return stein(t, x, y)
    bild.walze(TURM_X, range(KRONE, BODEN), lambda y: 20 + 3 * (y - KRONE) / (BODEN - KRONE),
               mauer)
    bild.walze(TURM_X, range(72, 86), 25, lambda u, x, y: stein(
        0.95 - 0.8 * ((u + 1) / 2) ** 1.3 - (0.2 if (y - 72) % 7 == 0 else 0), x, y))

    def konsole(u, x, y):
        bogen = ((x - TURM_X + 24) % 8)
        if y < 86 + abs(bogen - 3.5) * 1.4 or bogen in (0, 7):
            return stein(0.85 - 0.75 * (u + 1) / 2, x, y)
        return stein(0.15, x, y)
    bild.walze(TURM_X, range(86, 92), 24, konsole)
    bild.polygon([(TURM_X - 21, 73), (TURM_X + 21, 73), (TURM_X, 30)],
                 lambda x, y: f.dach(0.95 - 0.85 * klamm((x - TURM_X + 21) / 42.0)
                                     - 0.12 * ((y % 5) == 0), x, y))
    bild.walze(TURM_X, range(62, 72), 25, lambda u, x, y: stein(
        0.95 - 0.8 * ((u + 1) / 2) ** 1.3 - 0.15 * (y == 62), x, y)
        if (x - TURM_X + 25) % 10 < 6 else None)
    bild.flaeche(TURM_X, TURM_X + 1, 12, 32, lambda x, y: f.dunkel.fest(0.5))
    bild.polygon([(TURM_X + 1, 13), (TURM_X + 10, 15), (TURM_X + 22, 14.5), (TURM_X + 18, 19),
                  (TURM_X + 22, 23.5), (TURM_X + 10, 23), (TURM_X + 1, 25)],
                 lambda x, y: f.fahne(0.8 - 0.4 * math.sin((x - TURM_X) * 0.35), x, y))


def tuer(bild, f):
    """Arrow slits, the door, grass tufts hiding the tower's foot, and the dog."""
    for fy in (112, 160):
        bild.flaeche(TURM_X - 3, TURM_X + 3, fy, fy + 14, lambda x, y: f.stein.fest(0.25)
                     if x == TURM_X + 2 else f.dunkel.fest(0.0)
                     if y > fy + 1 or TURM_X - 2 <= x <= TURM_X else None)

    def brett(x, y):
        r = math.hypot(x + 0.5 - TURM_X, y + 0.5 - 219)
        if y < 219 and r >= 9:
            return None
        if r > 9 - 2.5 and y < 219 or x in (TURM_X - 9, TURM_X + 8):
            return f.stein.fest(0.3)
        return f.holz(0.8 - 0.4 * ((x - TURM_X + 9) % 4 == 0) - 0.3 * (x > TURM_X), x, y)
    bild.flaeche(TURM_X - 9, TURM_X + 9, 210, BODEN, brett)
    bild.pix[226][TURM_X + 4] = f.bunt.fest(0.0)
    bild.flaeche(TURM_X - 24, TURM_X + 24, BODEN - 4, BODEN + 1, lambda x, y: None
                 if y < BODEN - 2 - (x * 5 % 3) or TURM_X - 9 <= x < TURM_X + 9
                 else f.wiese(0.45 + 0.2 * ((x * 7) % 3 == 0), x, y))
    hund = f.hund
    bild.figur(HUND, 176, BODEN + 1 - len(HUND.split()),
               {'K': hund.fest(0.0), 'd': hund.fest(0.3), 'm': hund.fest(0.6),
                'l': hund.fest(0.9), 'n': f.dunkel.fest(0.0)})


def blumen(bild, f):
    """Flowers in the meadow, more of them close by, and two swallows."""
    W, H = bild.breite, bild.hoehe
    wiese = f.wiese
    farben = (f.bunt.fest(0), f.bunt.fest(1), f.bunt2.fest(0), f.bunt2.fest(1))
    zufall = Zufall(1996)
    for _ in range(150):
        y = int(H - 1 - (H - 258) * zufall() ** 1.7)
        x = int(zufall() * W)
        mitte, breite = pfad(y)
        if abs(x - mitte) < breite + 2 or bild.pix[y][x] < wiese.basis \
                or bild.pix[y][x] >= wiese.basis + wiese.n:
            continue
        farbe = farben[int(zufall() * 4)]
        bild.pix[y][x] = farbe
        if y > 300 and x + 1 < W:
            bild.pix[y][x + 1] = farbe
            bild.pix[y - 1][x] = farbe
    bild.voegel(((62, 118), (80, 126)), f.dunkel.fest(0.0))


BILD_B = (BREITE_B, HOEHE_B, RAMPEN_B, (morgenhimmel, landschaft, tannen, turm, tuer, blumen))


# ---------------------------------------------------------------------------------------------
# Thumbnails

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
            summe = [sum(c) for c in zip(*(bild.rgb(sx, sy) for sy in range(ya, yb)
                                             for sx in range(xa, xb)))]
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
    a = malen(*BILD_A)
    b = malen(*BILD_B)
    for name, bild in (('bildA', a), ('bildB', b)):
        datei = bild.bmp()
        schreiben(ordner, name + '.bmp', datei)
        schreiben(ordner, name + '.lz', packen(datei[14:]))
    # The thumbnails show the lighthouse and the tower.
    for name, quelle, x0, y0, faktor in (('bildA_klein.bmp', a, 176, 40, 3.5),
                                         ('bildB_klein.bmp', b, 65, 6, 4.5)):
        klein = verkleinern(quelle, x0, y0, faktor)
        schreiben(ordner, name, klein.bmp())
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
