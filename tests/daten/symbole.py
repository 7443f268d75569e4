#!/usr/bin/env python3
"""Icons with known colours for the icon tests.

Writes symbol00.ico ... symbol11.ico into the folder given: one 32 x 32 icon each, 16 colours,
a black frame filled with a colour of its own (FARBEN, in this order), so that a test can tell
by one pixel which icon a picture shows. Standard library only; the same bytes on every run.
"""

import os
import struct
import sys

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Palette indexes of the fill colours; neither white nor dark blue, the strip's two faces.
FARBEN = [9, 10, 12, 11, 13, 14, 1, 2, 3, 5, 6, 8]


def ico(fuellung):
    n = 32
    zeilen = []
    for y in range(n):
        zeile = []
        for x in range(n):
            rand = x in (0, n - 1) or y in (0, n - 1)
            zeile.append(0 if rand else fuellung)
        zeilen.append(zeile)
    xor = b''
    for zeile in reversed(zeilen):  # bottom-up
        xor += bytes((zeile[x] << 4) | zeile[x + 1] for x in range(0, n, 2))
    und = bytes(4 * n)  # all opaque
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in VGA)
    kopf = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, len(xor) + len(und), 0, 0, 16, 0)
    bild = kopf + palette + xor + und
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(bild), 22) + bild


def main():
    ziel = sys.argv[1]
    os.makedirs(ziel, exist_ok=True)
    for i, farbe in enumerate(FARBEN):
        with open(os.path.join(ziel, 'symbol%02d.ico' % i), 'wb') as f:
            f.write(ico(farbe))


if __name__ == '__main__':
    main()
