#!/usr/bin/env python3
"""Packs the large pictures for the program file; src/ui/GepacktesBild.cpp unpacks them.

Two 256-colour pictures would otherwise be almost half of Endwart.exe. Their dithered
gradients repeat, so a plain LZ77 scheme takes them to about a quarter, and its decoder is a
few lines.

The packed form:
  4 bytes    length of the unpacked data, little-endian;
  sequences  until the data end, each:
    1 byte   high 4 bits: number of literal bytes; low 4 bits: match length - 4;
             a field of 15 goes on in the bytes after it (each added) up to one below 255
             (literal count here, match length after the distance);
    literals;
    and, unless the data end after the literals:
    2 bytes  distance back to the match, 1..65535, little-endian;
    bytes    the match length's continuation.
The last sequence has literals only (maybe none).
"""

MINDESTLAENGE = 4
FENSTER = 65535
SUCHTIEFE = 256


def _laenge(aus, rest):
    while rest >= 255:
        aus.append(255)
        rest -= 255
    aus.append(rest)


def _sequenz(aus, woerter, kopie, abstand):
    m = kopie - MINDESTLAENGE if kopie else 0
    aus.append(min(len(woerter), 15) << 4 | min(m, 15))
    if len(woerter) >= 15:
        _laenge(aus, len(woerter) - 15)
    aus += woerter
    if kopie:
        aus += abstand.to_bytes(2, 'little')
        if m >= 15:
            _laenge(aus, m - 15)


def _laengste(daten, i, gesehen):
    """The longest earlier match for position i: (length, distance), length 0 if none."""
    n = len(daten)
    beste, abstand = 0, 0
    for p in reversed(gesehen.get(daten[i:i + MINDESTLAENGE], [])[-SUCHTIEFE:]):
        if i - p > FENSTER:
            break
        l = MINDESTLAENGE
        while i + l < n and daten[p + l] == daten[i + l]:
            l += 1
        if l > beste:
            beste, abstand = l, i - p
    return beste, abstand


def packen(daten):
    """Packs bytes; the same input gives the same output."""
    n = len(daten)
    aus = bytearray(n.to_bytes(4, 'little'))
    gesehen = {}            # four bytes -> where they began, oldest first
    i = anfang = 0

    def merken(k):
        if k + MINDESTLAENGE <= n:
            gesehen.setdefault(daten[k:k + MINDESTLAENGE], []).append(k)

    while i < n:
        beste, abstand = _laengste(daten, i, gesehen)
        merken(i)
        # A longer match one byte on is worth a literal first.
        if beste < MINDESTLAENGE or _laengste(daten, i + 1, gesehen)[0] > beste + 1:
            i += 1
            continue
        _sequenz(aus, daten[anfang:i], beste, abstand)
        for k in range(i + 1, i + beste):
            merken(k)
        i = anfang = i + beste
    _sequenz(aus, daten[anfang:n], 0, 0)
    return bytes(aus)


def entpacken(daten):
    """The reverse of packen, for the tests; ValueError when the data are damaged."""
    gesamt = int.from_bytes(daten[:4], 'little')
    aus = bytearray()
    p = 4

    def laenge(feld):
        nonlocal p
        if feld == 15:
            while True:
                b = daten[p]
                p += 1
                feld += b
                if b != 255:
                    break
        return feld

    try:
        while p < len(daten):
            token = daten[p]
            p += 1
            woerter = laenge(token >> 4)
            aus += daten[p:p + woerter]
            p += woerter
            if p >= len(daten):
                break
            abstand = int.from_bytes(daten[p:p + 2], 'little')
            p += 2
            kopie = laenge(token & 15) + MINDESTLAENGE
            if not 0 < abstand <= len(aus):
                raise ValueError('distance %d with %d bytes written' % (abstand, len(aus)))
            for _ in range(kopie):
                aus.append(aus[-abstand])
    except IndexError:
        raise ValueError('data end inside a sequence')
    if len(aus) != gesamt:
        raise ValueError('%d bytes unpacked, %d announced' % (len(aus), gesamt))
    return bytes(aus)
