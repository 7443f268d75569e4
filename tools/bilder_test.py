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


def dib_pruefen(daten, versatz, wo, breite, hoehe, bits, bildbytes):
    """Checks a BITMAPINFOHEADER with a full palette; returns where the pixels begin."""
    groesse, b, h, ebenen, bt, kompression, bildgroesse = struct.unpack_from('<IiiHHII', daten, versatz)
    benutzt = struct.unpack_from('<I', daten, versatz + 32)[0] or 1 << bt
    anfang = versatz + groesse + 4 * benutzt
    palette = [(r, g, b) for b, g, r, _ in struct.iter_unpack('<BBBB', daten[versatz + groesse:anfang])]
    # 16 colours are the standard ones, which the system maps to its own.
    pruefen(wo, (groesse == 40, 'header size %d' % groesse), (ebenen == 1, '%d planes' % ebenen),
            (kompression == 0, 'compressed'), ((b, h, bt) == (breite, hoehe, bits), '%dx%d, %d bits' % (b, h, bt)),
            (benutzt == 1 << bits, '%d palette entries' % benutzt),
            (bildgroesse in (0, bildbytes), 'biSizeImage %d' % bildgroesse),
            (bits != 4 or palette == VGA, 'not the standard VGA palette'))
    return anfang


def bmp_pruefen(ordner, name, breite, hoehe, bits):
    with open(os.path.join(ordner, name), 'rb') as f:
        daten = f.read()
    if not pruefen(name, (len(daten) >= 54 and daten[:2] == b'BM', 'not a BMP')):
        return
    dateigroesse, _, _, pixelversatz = struct.unpack_from('<IHHI', daten, 2)
    ende = dib_pruefen(daten, 14, name, breite, hoehe, bits, stride(breite, bits) * hoehe)
    pruefen(name, (pixelversatz == ende, 'pixels at %d, palette ends at %d' % (pixelversatz, ende)),
            (dateigroesse == len(daten), 'bfSize %d of %d bytes' % (dateigroesse, len(daten))),
            (len(daten) == ende + stride(breite, bits) * hoehe, '%d bytes' % len(daten)))


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
        # The colour image and the mask, one on top of the other.
        erwartet = 40 + 16 * 4 + stride(n, 4) * n + stride(n, 1) * n
        if not pruefen(wo, ((b, h, farben, res, ebenen, bits) == (n, n, 16, 0, 1, 4), 'entry %r' % ((b, h, bits),)),
                       (versatz == belegt, 'at %d, the previous part ends at %d' % (versatz, belegt)),
                       (groesse == erwartet, '%d bytes, expected %d' % (groesse, erwartet)),
                       (versatz + groesse <= len(daten), 'runs past the end of the file')):
            return
        belegt = versatz + groesse
        dib_pruefen(daten, versatz, wo, n, 2 * n, 4, erwartet - 40 - 16 * 4)
    pruefen(name, (belegt == len(daten), '%d bytes after the last image' % (len(daten) - belegt)))


def erzeugen(ordner):
    lauf = subprocess.run([sys.executable, SKRIPT, ordner], capture_output=True, text=True)
    return pruefen('bilder.py', (lauf.returncode == 0, 'failed (%d): %s' % (lauf.returncode, lauf.stderr.strip())))


def main():
    with tempfile.TemporaryDirectory() as eins, tempfile.TemporaryDirectory() as zwei:
        if erzeugen(eins) and erzeugen(zwei):
            # A file too broken to parse ends the test with the exception.
            for name, groesse in BITMAPS.items():
                bmp_pruefen(eins, name, *groesse)
            ico_pruefen(eins)
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
