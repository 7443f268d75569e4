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
sys.path.insert(0, os.path.dirname(SKRIPT))
from packen import entpacken  # noqa: E402

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
HELLGRAU = 7

# name: (width, height, bits per pixel)
BITMAPS = {
    'toolbar.bmp': (112, 16, 4),
    'leer.bmp': (32, 32, 4),
    'bildA.bmp': (320, 318, 8),
    'bildB.bmp': (250, 352, 8),
    'bildA_klein.bmp': (40, 56, 8),
    'bildB_klein.bmp': (40, 56, 8),
}
SYMBOLGROESSEN = (16, 32, 48)
# The packed pictures: the bitmap without its 14-byte file header.
GEPACKT = {'bildA.lz': 'bildA.bmp', 'bildB.lz': 'bildB.bmp'}

fehler = []


def pruefen(bedingung, text):
    if not bedingung:
        fehler.append(text)
    return bedingung


def stride(breite, bits):
    return (breite * bits + 31) // 32 * 4


def dib_lesen(daten, versatz, name):
    """Reads a BITMAPINFOHEADER and its palette; returns (header fields, palette, end)."""
    (groesse, breite, hoehe, ebenen, bits, kompression, bildgroesse, _, _, benutzt,
     _) = struct.unpack_from('<IiiHHIIiiII', daten, versatz)
    pruefen(groesse == 40, '%s: header size %d, not 40' % (name, groesse))
    pruefen(ebenen == 1, '%s: %d planes' % (name, ebenen))
    pruefen(kompression == 0, '%s: compressed (%d)' % (name, kompression))
    if bits not in (1, 4, 8):
        raise Unlesbar('%d bits per pixel' % bits)
    farben = benutzt if benutzt else 1 << bits
    if farben > 1 << bits:
        raise Unlesbar('%d palette entries for %d bits' % (farben, bits))
    anfang = versatz + groesse
    if anfang + 4 * farben > len(daten):
        raise Unlesbar('palette runs past the end of the data')
    palette = [struct.unpack_from('<BBBB', daten, anfang + 4 * i) for i in range(farben)]
    palette = [(r, g, b) for b, g, r, _ in palette]
    kopf = dict(breite=breite, hoehe=hoehe, bits=bits, bildgroesse=bildgroesse, farben=farben)
    return kopf, palette, anfang + 4 * farben


class Unlesbar(Exception):
    pass


def pixel(daten, anfang, breite, hoehe, bits):
    """Palette indices, top row first, from bottom-up padded rows."""
    s = stride(breite, bits)
    if anfang + s * hoehe > len(daten):
        raise Unlesbar('pixel rows run past the end of the data')
    zeilen = []
    for y in range(hoehe):
        roh = daten[anfang + (hoehe - 1 - y) * s:anfang + (hoehe - y) * s]
        if bits == 8:
            zeilen.append(list(roh[:breite]))
        elif bits == 4:
            zeilen.append([(roh[x // 2] >> (0 if x & 1 else 4)) & 15 for x in range(breite)])
        else:
            zeilen.append([(roh[x // 8] >> (7 - x % 8)) & 1 for x in range(breite)])
    return zeilen


def bmp_pruefen(ordner, name, breite, hoehe, bits):
    with open(os.path.join(ordner, name), 'rb') as f:
        daten = f.read()
    if not pruefen(len(daten) >= 54 and daten[:2] == b'BM', '%s: not a BMP' % name):
        return None
    dateigroesse, _, _, pixelversatz = struct.unpack_from('<IHHI', daten, 2)
    kopf, palette, ende = dib_lesen(daten, 14, name)
    pruefen((kopf['breite'], kopf['hoehe']) == (breite, hoehe),
            '%s: %dx%d, not %dx%d' % (name, kopf['breite'], kopf['hoehe'], breite, hoehe))
    pruefen(kopf['bits'] == bits, '%s: %d bits per pixel, not %d' % (name, kopf['bits'], bits))
    pruefen(kopf['farben'] == 1 << bits,
            '%s: %d palette entries, not %d' % (name, kopf['farben'], 1 << bits))
    pruefen(pixelversatz == ende, '%s: pixels at %d, palette ends at %d'
            % (name, pixelversatz, ende))
    pixelbytes = stride(breite, bits) * hoehe
    pruefen(kopf['bildgroesse'] in (0, pixelbytes),
            '%s: biSizeImage %d, rows need %d' % (name, kopf['bildgroesse'], pixelbytes))
    pruefen(dateigroesse == len(daten), '%s: bfSize %d, file has %d bytes'
            % (name, dateigroesse, len(daten)))
    if not pruefen(len(daten) == pixelversatz + pixelbytes, '%s: %d bytes, expected %d'
                   % (name, len(daten), pixelversatz + pixelbytes)):
        return None
    zeilen = pixel(daten, pixelversatz, breite, hoehe, bits)
    hoechster = max(max(z) for z in zeilen)
    pruefen(hoechster < kopf['farben'], '%s: index %d beyond the palette' % (name, hoechster))
    return palette, zeilen


def toolbar_pruefen(palette, zeilen):
    pruefen(palette == VGA, 'toolbar.bmp: palette is not the standard VGA palette')
    bilder = []
    for i in range(7):
        bild = [tuple(z[16 * i:16 * i + 16]) for z in zeilen]
        zahl = sum(z.count(HELLGRAU) for z in bild)
        pruefen(zahl > 0, 'toolbar.bmp: image %d has no light grey background' % (i + 1))
        pruefen(zahl < 200, 'toolbar.bmp: image %d is (nearly) empty' % (i + 1))
        bilder.append(bild)
    pruefen(len(set(map(tuple, bilder))) == 7, 'toolbar.bmp: two images are the same')


def leer_pruefen(palette, zeilen):
    pruefen(palette == VGA, 'leer.bmp: palette is not the standard VGA palette')
    # The program paints a 16x16 icon at (9, 9): that square must be blank paper.
    weiss = VGA.index((255, 255, 255))
    pruefen(all(zeilen[y][x] == weiss for y in range(9, 25) for x in range(9, 25)),
            'leer.bmp: the icon square at (9, 9) is not all white')
    # Upright: the folded corner is at the top right, so the top-right pixel is background
    # while the bottom right of the sheet is not.
    pruefen(zeilen[0][31] == HELLGRAU and zeilen[2][27] == HELLGRAU,
            'leer.bmp: no cut corner at the top right (upside down?)')
    pruefen(zeilen[28][27] == weiss, 'leer.bmp: no paper at the bottom right (upside down?)')


def bild_pruefen(name, palette, zeilen):
    genutzt = set(i for z in zeilen for i in z)
    pruefen(len(genutzt) >= 40, '%s: only %d colours used' % (name, len(genutzt)))
    pruefen(len(set(palette[i] for i in genutzt)) >= 40,
            '%s: only a few distinct colours' % name)


def ico_pruefen(ordner):
    name = 'Endwart.ico'
    with open(os.path.join(ordner, name), 'rb') as f:
        daten = f.read()
    if not pruefen(len(daten) >= 6, '%s: too short' % name):
        return
    reserviert, typ, anzahl = struct.unpack_from('<HHH', daten, 0)
    pruefen((reserviert, typ) == (0, 1), '%s: not an icon file' % name)
    if not pruefen(anzahl == len(SYMBOLGROESSEN), '%s: %d images' % (name, anzahl)):
        return
    belegt = 6 + 16 * anzahl
    for i, n in enumerate(SYMBOLGROESSEN):
        (breite, hoehe, farben, res, ebenen, bits, groesse,
         versatz) = struct.unpack_from('<BBBBHHII', daten, 6 + 16 * i)
        wo = '%s image %d' % (name, i)
        pruefen((breite, hoehe) == (n, n), '%s: %dx%d, not %dx%d' % (wo, breite, hoehe, n, n))
        pruefen((farben, res, ebenen, bits) == (16, 0, 1, 4),
                '%s: colours %d, reserved %d, planes %d, bits %d'
                % (wo, farben, res, ebenen, bits))
        pruefen(versatz == belegt, '%s: at %d, the previous part ends at %d'
                % (wo, versatz, belegt))
        erwartet = 40 + 16 * 4 + stride(n, 4) * n + stride(n, 1) * n
        pruefen(groesse == erwartet, '%s: %d bytes, expected %d' % (wo, groesse, erwartet))
        if not pruefen(versatz + groesse <= len(daten), '%s: runs past the end of the file' % wo):
            return
        belegt = versatz + groesse
        kopf, palette, ende = dib_lesen(daten, versatz, wo)
        pruefen((kopf['breite'], kopf['hoehe']) == (n, 2 * n),
                '%s: header says %dx%d, not %dx%d' % (wo, kopf['breite'], kopf['hoehe'], n, 2 * n))
        pruefen(kopf['bits'] == 4 and kopf['farben'] == 16, '%s: not 16 colours' % wo)
        pruefen(palette == VGA, '%s: palette is not the standard VGA palette' % wo)
        farbbild = pixel(daten, ende, n, n, 4)
        maske = pixel(daten, ende + stride(n, 4) * n, n, n, 1)
        durchsichtig = sum(map(sum, maske))
        pruefen(0 < durchsichtig < n * n * 3 // 4,
                '%s: %d of %d pixels transparent' % (wo, durchsichtig, n * n))
        pruefen(all(farbbild[y][x] == 0 for y in range(n) for x in range(n) if maske[y][x]),
                '%s: transparent pixels are not black in the colour image' % wo)
        # The shield sits bottom right: opaque there, while the corner beside the folded
        # top right of the page is see-through.
        pruefen(maske[n - 1 - n // 16 * 4][n - 1 - n // 16 * 2] == 0,
                '%s: bottom right is transparent (upside down?)' % wo)
        pruefen(maske[0][n - 1] == 1, '%s: top right corner is not transparent' % wo)
    pruefen(belegt == len(daten), '%s: %d bytes after the last image' % (name, len(daten) - belegt))


def gepackt_pruefen(ordner, name, bmp):
    with open(os.path.join(ordner, name), 'rb') as f:
        gepackt = f.read()
    with open(os.path.join(ordner, bmp), 'rb') as f:
        roh = f.read()
    pruefen(entpacken(gepackt) == roh[14:], '%s: does not unpack to %s' % (name, bmp))
    pruefen(len(gepackt) * 3 < len(roh), '%s: %d bytes for %d' % (name, len(gepackt), len(roh)))


def sicher(name, pruefung, *args):
    """Runs one file's checks; a file too broken to parse is a failure, not a crash."""
    try:
        return pruefung(*args)
    except (Unlesbar, struct.error, IndexError, OSError, ValueError) as e:
        fehler.append('%s: unreadable: %s' % (name, e))
        return None


def erzeugen(ordner):
    ergebnis = subprocess.run([sys.executable, SKRIPT, ordner], capture_output=True, text=True)
    pruefen(ergebnis.returncode == 0, 'bilder.py failed (%d): %s'
            % (ergebnis.returncode, ergebnis.stderr.strip()))
    return ergebnis.returncode == 0


def main():
    with tempfile.TemporaryDirectory() as eins, tempfile.TemporaryDirectory() as zwei:
        if erzeugen(eins):
            for name, (breite, hoehe, bits) in BITMAPS.items():
                gelesen = sicher(name, bmp_pruefen, eins, name, breite, hoehe, bits)
                if gelesen is None:
                    continue
                palette, zeilen = gelesen
                if name == 'toolbar.bmp':
                    toolbar_pruefen(palette, zeilen)
                elif name == 'leer.bmp':
                    leer_pruefen(palette, zeilen)
                else:
                    bild_pruefen(name, palette, zeilen)
            sicher('Endwart.ico', ico_pruefen, eins)
            for name, bmp in GEPACKT.items():
                sicher(name, gepackt_pruefen, eins, name, bmp)
            # A second run must write the very same bytes.
            if erzeugen(zwei):
                for name in sorted(os.listdir(eins)):
                    with open(os.path.join(eins, name), 'rb') as a, \
                            open(os.path.join(zwei, name), 'rb') as b:
                        pruefen(a.read() == b.read(), '%s: differs between two runs' % name)
                erwartet = set(BITMAPS) | set(GEPACKT) | {'Endwart.ico'}
                pruefen(set(os.listdir(eins)) == erwartet, 'files written: %s'
                        % sorted(os.listdir(eins)))
    for text in fehler:
        print('FEHLER: ' + text)
    if fehler:
        return 1
    print('bilder_test: alle Prüfungen bestanden')
    return 0


if __name__ == '__main__':
    sys.exit(main())
