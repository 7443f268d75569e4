#!/usr/bin/env python3
"""Runs bilder.py into a scratch folder and checks the headers and layout of what it wrote.

Exits 0 when every check passes, 1 otherwise, listing each failure.
"""

import os
import struct
import subprocess
import sys
import tempfile

SKRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'bilder.py')

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
HELLGRAU, WEISS = 7, 15
# name: (width, height, bits per pixel)
BITMAPS = {'toolbar.bmp': (112, 16, 4), 'leer.bmp': (32, 32, 4), 'bildA.bmp': (320, 318, 8),
           'bildB.bmp': (250, 352, 8), 'bildA_klein.bmp': (40, 56, 8), 'bildB_klein.bmp': (40, 56, 8)}
SYMBOLGROESSEN = (16, 32, 48)
# The packed pictures; the program's tests unpack them and compare them with the bitmaps.
GEPACKT = {'bildA.lz', 'bildB.lz'}

fehler = []


def pruefen(wo, *pruefungen):
    """Each check is (condition, what is wrong); False when one failed."""
    falsch = ['%s: %s' % (wo, text) for ok, text in pruefungen if not ok]
    fehler.extend(falsch)
    return not falsch


def stride(breite, bits):
    return (breite * bits + 31) // 32 * 4


class Unlesbar(Exception):
    pass


def dib_lesen(daten, versatz, wo, breite, hoehe, bits, bildbytes):
    """Checks a BITMAPINFOHEADER with a full palette; returns the palette and where the pixels begin."""
    groesse, b, h, ebenen, bt, kompression, bildgroesse = struct.unpack_from('<IiiHHII', daten, versatz)
    benutzt = struct.unpack_from('<I', daten, versatz + 32)[0] or 1 << bt
    pruefen(wo, (groesse == 40, 'header size %d' % groesse), (ebenen == 1, '%d planes' % ebenen),
            (kompression == 0, 'compressed'), ((b, h, bt) == (breite, hoehe, bits), '%dx%d, %d bits' % (b, h, bt)),
            (benutzt == 1 << bits, '%d palette entries' % benutzt),
            (bildgroesse in (0, bildbytes), 'biSizeImage %d' % bildgroesse))
    if bt not in (1, 4, 8) or benutzt > 1 << bt:
        raise Unlesbar('%d bits, %d palette entries' % (bt, benutzt))
    anfang = versatz + groesse + 4 * benutzt
    palette = [(r, g, b) for b, g, r, _ in struct.iter_unpack('<BBBB', daten[versatz + groesse:anfang])]
    return palette, anfang


def pixel(daten, anfang, breite, hoehe, bits):
    """Palette indices, top row first, from bottom-up padded rows."""
    s = stride(breite, bits)
    if anfang + s * hoehe > len(daten):
        raise Unlesbar('pixel rows run past the end of the data')
    zeilen = []
    for y in range(hoehe):
        roh = daten[anfang + (hoehe - 1 - y) * s:anfang + (hoehe - y) * s]
        zeilen.append([roh[x * bits // 8] >> (8 - bits - x * bits % 8) & (1 << bits) - 1 for x in range(breite)])
    return zeilen


def bmp_pruefen(ordner, name, breite, hoehe, bits):
    with open(os.path.join(ordner, name), 'rb') as f:
        daten = f.read()
    if not pruefen(name, (len(daten) >= 54 and daten[:2] == b'BM', 'not a BMP')):
        return
    dateigroesse, _, _, pixelversatz = struct.unpack_from('<IHHI', daten, 2)
    palette, ende = dib_lesen(daten, 14, name, breite, hoehe, bits, stride(breite, bits) * hoehe)
    if not pruefen(name, (pixelversatz == ende, 'pixels at %d, palette ends at %d' % (pixelversatz, ende)),
                   (dateigroesse == len(daten), 'bfSize %d of %d bytes' % (dateigroesse, len(daten))),
                   (len(daten) == ende + stride(breite, bits) * hoehe, '%d bytes' % len(daten))):
        return
    zeilen = pixel(daten, ende, breite, hoehe, bits)
    genutzt = set(i for z in zeilen for i in z)
    pruefen(name, (max(genutzt) < len(palette), 'index beyond the palette'))
    if bits == 4:
        pruefen(name, (palette == VGA, 'not the standard VGA palette'))
    else:
        pruefen(name, (len(set(palette[i] for i in genutzt)) >= 40, 'only a few colours'))
    if name == 'toolbar.bmp':
        bilder = [tuple(tuple(z[16 * i:16 * i + 16]) for z in zeilen) for i in range(7)]
        for i, bild in enumerate(bilder):
            grau = sum(z.count(HELLGRAU) for z in bild)
            pruefen('%s image %d' % (name, i + 1), (0 < grau < 200, '%d light grey pixels' % grau))
        pruefen(name, (len(set(bilder)) == 7, 'two images are the same'))
    elif name == 'leer.bmp':
        # The program paints a 16x16 icon at (9, 9) on blank paper; the folded corner is at
        # the top right, so an upside-down sheet shows.
        pruefen(name, (all(zeilen[y][x] == WEISS for y in range(9, 25) for x in range(9, 25)), 'icon square not white'),
                (zeilen[0][31] == HELLGRAU and zeilen[2][27] == HELLGRAU, 'no cut corner at the top right'),
                (zeilen[28][27] == WEISS, 'no paper at the bottom right'))


def ico_pruefen(ordner):
    name = 'Endwart.ico'
    with open(os.path.join(ordner, name), 'rb') as f:
        daten = f.read()
    kopf = struct.unpack_from('<HHH', daten, 0)
    if not pruefen(name, (kopf == (0, 1, len(SYMBOLGROESSEN)), 'header %r' % (kopf,))):
        return
    belegt = 6 + 16 * len(SYMBOLGROESSEN)
    for i, n in enumerate(SYMBOLGROESSEN):
        b, h, farben, res, ebenen, bits, groesse, versatz = struct.unpack_from('<BBBBHHII', daten, 6 + 16 * i)
        wo = '%s image %d' % (name, i)
        erwartet = 40 + 16 * 4 + stride(n, 4) * n + stride(n, 1) * n
        if not pruefen(wo, ((b, h, farben, res, ebenen, bits) == (n, n, 16, 0, 1, 4), 'entry %r' % ((b, h, bits),)),
                       (versatz == belegt, 'at %d, the previous part ends at %d' % (versatz, belegt)),
                       (groesse == erwartet, '%d bytes, expected %d' % (groesse, erwartet)),
                       (versatz + groesse <= len(daten), 'runs past the end of the file')):
            return
        belegt = versatz + groesse
        palette, ende = dib_lesen(daten, versatz, wo, n, 2 * n, 4, erwartet - 40 - 16 * 4)
        farbbild, maske = pixel(daten, ende, n, n, 4), pixel(daten, ende + stride(n, 4) * n, n, n, 1)
        durchsichtig = sum(map(sum, maske))
        # The shield sits bottom right: opaque there, while the top right corner beside the
        # folded page is see-through.
        pruefen(wo, (palette == VGA, 'not the standard VGA palette'),
                (0 < durchsichtig < n * n * 3 // 4, '%d pixels transparent' % durchsichtig),
                (all(farbbild[y][x] == 0 for y in range(n) for x in range(n) if maske[y][x]),
                 'transparent pixels are not black in the colour image'),
                (maske[n - 1 - n // 16 * 4][n - 1 - n // 16 * 2] == 0, 'bottom right transparent'),
                (maske[0][n - 1] == 1, 'top right corner not transparent'))
    pruefen(name, (belegt == len(daten), '%d bytes after the last image' % (len(daten) - belegt)))


def sicher(name, pruefung, *args):
    """Runs one file's checks; a file too broken to parse is a failure, not a crash."""
    try:
        pruefung(*args)
    except (Unlesbar, struct.error, IndexError, OSError, ValueError) as e:
        fehler.append('%s: unreadable: %s' % (name, e))


def erzeugen(ordner):
    lauf = subprocess.run([sys.executable, SKRIPT, ordner], capture_output=True, text=True)
    return pruefen('bilder.py', (lauf.returncode == 0, 'failed (%d): %s' % (lauf.returncode, lauf.stderr.strip())))


def main():
    with tempfile.TemporaryDirectory() as eins, tempfile.TemporaryDirectory() as zwei:
        if erzeugen(eins) and erzeugen(zwei):
            for name, groesse in BITMAPS.items():
                sicher(name, bmp_pruefen, eins, name, *groesse)
            sicher('Endwart.ico', ico_pruefen, eins)
            # A second run must write the very same bytes.
            for name in sorted(os.listdir(eins)):
                with open(os.path.join(eins, name), 'rb') as a, open(os.path.join(zwei, name), 'rb') as b:
                    pruefen(name, (a.read() == b.read(), 'differs between two runs'))
            geschrieben = sorted(os.listdir(eins))
            pruefen('bilder.py', (set(geschrieben) == set(BITMAPS) | GEPACKT | {'Endwart.ico'},
                                  'files written: %s' % geschrieben))
    for text in fehler:
        print('FEHLER: ' + text)
    if fehler:
        return 1
    print('bilder_test: alle Prüfungen bestanden')
    return 0


if __name__ == '__main__':
    sys.exit(main())
