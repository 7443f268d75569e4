#!/usr/bin/env python3
"""Packs the large pictures for the program file; src/ui/GepacktesBild.cpp unpacks them.

Two 256-colour pictures would otherwise be almost half of Endwart.exe. Their dithered
gradients repeat, so LZ77 finds most of each picture earlier in it; what is left (the choice
between byte and copy, the bytes, distances and lengths) goes through an adaptive binary range
coder as LZMA has it, much reduced. That takes them to about a seventh; the decoder is some
sixty lines.

The packed form: 4 bytes, the length of the unpacked data, little-endian; then the range
coder's bytes, the first of them 0. The decoder keeps a range (0xFFFFFFFF at first) and a code
(the next four bytes, big-endian). A bit is read with a probability p of a 0, in 1/2048ths,
that starts at 1024: with bound = (range >> 11) * p, code < bound gives 0, range = bound and
p += (2048 - p) >> 5; otherwise 1, code -= bound, range -= bound and p -= p >> 5. Then, while
range < 2**24, range <<= 8 and code = code << 8 | the next byte. The encoder's bytes end where
the decoder has read its last.

A number v >= 1 with n + 1 binary digits: n ones and a zero, each with the probability of its
place (n < 24); then the n digits below the leading 1, highest first, each with the probability
[n][w] where w is the number read so far (the leading 1 and the digits before) while that is
below 32, else [n][32 + the digit's place].

The data are a sequence of items, each starting with a bit with the probability kind[z], z
being what the last item was (0 at the start and after a byte, 1 after a copy, 2 after a
repeat):
  0: a byte: eight bits, highest first, each with the probability [w] of the 1 followed by
     the bits read before it (w from 1 to 255);
  1, then a bit with the probability repeat[z]:
     0: a copy: the distance back (a number), then the length - 1 (a number);
     1: a repeat: a copy at the last copy's distance (1 before any copy): its length
        (a number).
Numbers of distances, of copy lengths and of repeat lengths have probabilities of their own.
"""

import math

EINS = 1 << 11          # probability 1, in the coder's units
SCHRITT = 5             # how fast a probability follows what it sees
STELLEN = 24            # numbers below 2**24
MINDESTLAENGE = 2       # of a copy
FENSTER = 1 << 16
SUCHTIEFE = 48
LANG = 64               # a copy this long is taken without weighing what else could go there
HOECHSTLAENGE = 273


class Zahlmodell:
    def __init__(self):
        self.stufe = [EINS // 2] * STELLEN
        self.ziffer = [[EINS // 2] * 64 for _ in range(STELLEN)]


class Modell:
    def __init__(self):
        self.art = [EINS // 2] * 3
        self.wiederholung = [EINS // 2] * 3
        self.byte = [EINS // 2] * 256
        self.abstand = Zahlmodell()
        self.laenge = Zahlmodell()
        self.wiederholungslaenge = Zahlmodell()


def _byte_bits(v):
    """The (index, bit) pairs of a byte, as written: highest bit first."""
    w = 1
    for i in range(7, -1, -1):
        b = (v >> i) & 1
        yield w, b
        w = w * 2 + b


def _zahl_bits(v):
    """The (table, index, bit) triples of number v, as written: unary length, then digits."""
    n = v.bit_length() - 1
    for i in range(n):
        yield 'stufe', i, 1
    yield 'stufe', n, 0
    w = 1
    for i in range(n - 1, -1, -1):
        b = (v >> i) & 1
        yield n, (w if w < 32 else 32 + i), b
        w = w * 2 + b


class Kodierer:
    """The range encoder (LZMA's: a carry can run back into the bytes not yet written)."""

    def __init__(self):
        self.unten, self.bereich = 0, 0xFFFFFFFF
        self.puffer, self.offen = 0, 1
        self.aus = bytearray()

    def _schieben(self):
        if self.unten < 0xFF000000 or self.unten >= 1 << 32:
            uebertrag = self.unten >> 32
            b = self.puffer
            while self.offen:
                self.aus.append((b + uebertrag) & 0xFF)
                b = 0xFF
                self.offen -= 1
            self.puffer = (self.unten >> 24) & 0xFF
        self.offen += 1
        self.unten = (self.unten & 0x00FFFFFF) << 8

    def bit(self, p, i, b):
        w = p[i]
        grenze = (self.bereich >> 11) * w
        if b:
            self.unten += grenze
            self.bereich -= grenze
            p[i] = w - (w >> SCHRITT)
        else:
            self.bereich = grenze
            p[i] = w + ((EINS - w) >> SCHRITT)
        while self.bereich < 1 << 24:
            self.bereich = (self.bereich << 8) & 0xFFFFFFFF
            self._schieben()

    def zahl(self, m, v):
        for tabelle, i, b in _zahl_bits(v):
            self.bit(m.stufe if tabelle == 'stufe' else m.ziffer[tabelle], i, b)

    def ende(self):
        for _ in range(5):
            self._schieben()
        return bytes(self.aus)


def _schreiben(daten, elemente):
    """Codes the items: (0, byte), (1, distance, length) or (2, length)."""
    k, m, z = Kodierer(), Modell(), 0
    for e in elemente:
        k.bit(m.art, z, e[0] != 0)
        if e[0] == 0:
            for w, b in _byte_bits(e[1]):
                k.bit(m.byte, w, b)
        else:
            k.bit(m.wiederholung, z, e[0] == 2)
            if e[0] == 1:
                k.zahl(m.abstand, e[1])
                k.zahl(m.laenge, e[2] - MINDESTLAENGE + 1)
            else:
                k.zahl(m.wiederholungslaenge, e[1])
        z = e[0]
    return len(daten).to_bytes(4, 'little') + k.ende(), m


# ---------------------------------------------------------------------------------------------
# Choosing the items: every earlier copy worth looking at, then the cheapest way through,
# priced by what a first pass taught the model.

class _Kandidaten:
    """The copies found at a position, (length, distance), each longer than the last; looked
    for only where asked."""

    def __init__(self, daten):
        self.daten = daten
        self.vorher = [-1] * len(daten)     # the last position before with the same 3 bytes
        zuletzt = {}
        for i in range(len(daten) - 2):
            schluessel = daten[i:i + 3]
            self.vorher[i] = zuletzt.get(schluessel, -1)
            zuletzt[schluessel] = i
        self.gemerkt = {}

    def __getitem__(self, i):
        if i not in self.gemerkt:
            self.gemerkt[i] = self._suchen(i)
        return self.gemerkt[i]

    def _suchen(self, i):
        daten = self.daten
        grenze = min(len(daten), i + HOECHSTLAENGE)
        vorher, ende = self.vorher, grenze - i      # ende: the longest copy there can be
        p, tiefe, beste, gefunden = vorher[i], SUCHTIEFE, MINDESTLAENGE, []
        while p >= 0 and tiefe and beste < ende and i - p <= FENSTER:
            if daten[p + beste] == daten[i + beste] and daten[p:p + beste] == daten[i:i + beste]:
                beste = _weiter(daten, p, i, beste + 1, grenze)
                gefunden.append((beste, i - p))
            p, tiefe = vorher[p], tiefe - 1
        return gefunden


def _weiter(daten, p, i, l, grenze):
    """How far the bytes from p on match those from i on, given that the first l do."""
    schritt = 16
    while schritt:
        while i + l + schritt <= grenze and daten[p + l:p + l + schritt] == daten[i + l:i + l + schritt]:
            l += schritt
        schritt //= 4
    return l


def _gierig(daten, kandidaten):
    elemente, i, letzt = [], 0, 1
    while i < len(daten):
        r = _gleich(daten, i, letzt)
        if kandidaten[i] and kandidaten[i][-1][0] > r + 1:
            l, letzt = kandidaten[i][-1]
            elemente.append((1, letzt, l))
        elif r >= 2:
            l = r
            elemente.append((2, r))
        else:
            l = 1
            elemente.append((0, daten[i]))
        i += l
    return elemente


def _gleich(daten, i, abstand):
    """How many bytes from i on repeat those `abstand` before them."""
    if abstand > i:
        return 0
    n, l = min(len(daten), i + HOECHSTLAENGE), 0
    while i + l < n and daten[i + l - abstand] == daten[i + l]:
        l += 1
    return l


class _Preise:
    """What each item costs, in 1/16 bits, with the probabilities of a model held still."""

    def __init__(self, m):
        self._bit = [[0, 0]] + [[round(-16 * math.log2(p / EINS)),
                                 round(-16 * math.log2(1 - p / EINS))] for p in range(1, EINS)]
        self.art = [self._bit[p] for p in m.art]
        self.wiederholung = [self._bit[p] for p in m.wiederholung]
        self.byte = [self._summe([(m.byte, w, b) for w, b in _byte_bits(v)]) for v in range(256)]
        # by length: of a copy (from MINDESTLAENGE on), of a repeat (from 1 on)
        self.laenge = [0] * MINDESTLAENGE + [self._zahl(m.laenge, l - MINDESTLAENGE + 1)
                                             for l in range(MINDESTLAENGE, HOECHSTLAENGE + 1)]
        self.wiederholungslaenge = [0] + [self._zahl(m.wiederholungslaenge, l)
                                          for l in range(1, HOECHSTLAENGE + 1)]
        self._abstand, self._abstaende = m.abstand, {}

    def abstand(self, v):
        if v not in self._abstaende:
            self._abstaende[v] = self._zahl(self._abstand, v)
        return self._abstaende[v]

    def _summe(self, bits):
        return sum(self._bit[p[i]][b] for p, i, b in bits)

    def _zahl(self, m, v):
        return self._summe([(m.stufe if t == 'stufe' else m.ziffer[t], i, b)
                            for t, i, b in _zahl_bits(v)])


def _kuerzester_weg(daten, kandidaten, preise):
    """The cheapest items for the data: each position reached at the least cost so far, by
    the item (start, kind, distance, length) that got there; the kind and the distance are
    what the next item's cost depends on."""
    n = len(daten)
    kosten = [float('inf')] * (n + 1)
    kosten[0] = 0
    weg = [(0, 0, 1, 0)] + [None] * n
    i = 0
    while i < n:
        k0 = kosten[i]
        z, letzt = weg[i][1], weg[i][2]
        art, wdh = preise.art[z], preise.wiederholung[z]
        k = k0 + art[0] + preise.byte[daten[i]]
        if k < kosten[i + 1]:
            kosten[i + 1], weg[i + 1] = k, (i, 0, letzt, 1)
        weiteste = r = _gleich(daten, i, letzt)
        basis = k0 + art[1] + wdh[1]
        for l in (range(1, r + 1) if r < LANG else (r,)):
            k = basis + preise.wiederholungslaenge[l]
            if k < kosten[i + l]:
                kosten[i + l], weg[i + l] = k, (i, 2, letzt, l)
        kurz = MINDESTLAENGE
        basis = k0 + art[1] + wdh[0]
        for l_max, abstand in kandidaten[i]:
            a = basis + preise.abstand(abstand)
            for l in (range(kurz, l_max + 1) if l_max < LANG else (l_max,)):
                k = a + preise.laenge[l]
                if k < kosten[i + l]:
                    kosten[i + l], weg[i + l] = k, (i, 1, abstand, l)
            kurz = l_max + 1
            weiteste = max(weiteste, l_max)
        # A long copy is taken as it is: the positions it covers are not weighed.
        i += weiteste if weiteste >= LANG else 1
    elemente, p = [], n
    while p:
        p, art, abstand, l = weg[p]
        elemente.append((0, daten[p]) if art == 0 else (1, abstand, l) if art == 1 else (2, l))
    elemente.reverse()
    return elemente


def packen(daten):
    """Packs bytes; the same input gives the same output."""
    kandidaten = _Kandidaten(daten)
    _, modell = _schreiben(daten, _gierig(daten, kandidaten))
    return _schreiben(daten, _kuerzester_weg(daten, kandidaten, _Preise(modell)))[0]


# ---------------------------------------------------------------------------------------------

def entpacken(daten):
    """The reverse of packen, for the tests; ValueError when the data are damaged."""
    if len(daten) < 9 or daten[4] != 0:
        raise ValueError('too short, or no range coder')
    gesamt = int.from_bytes(daten[:4], 'little')
    pos = 9
    bereich, code = 0xFFFFFFFF, int.from_bytes(daten[5:9], 'big')

    def bit(p, i):
        nonlocal bereich, code, pos
        grenze = (bereich >> 11) * p[i]
        if code < grenze:
            bereich = grenze
            p[i] += (EINS - p[i]) >> SCHRITT
            b = 0
        else:
            code -= grenze
            bereich -= grenze
            p[i] -= p[i] >> SCHRITT
            b = 1
        while bereich < 1 << 24:
            if pos >= len(daten):
                raise ValueError('data end inside the code')
            bereich = (bereich << 8) & 0xFFFFFFFF
            code = (code << 8 | daten[pos]) & 0xFFFFFFFF
            pos += 1
        return b

    def zahl(m):
        n = 0
        while bit(m.stufe, n):
            n += 1
            if n == STELLEN:
                raise ValueError('number too long')
        w = 1
        for i in range(n - 1, -1, -1):
            w = w * 2 + bit(m.ziffer[n], w if w < 32 else 32 + i)
        return w

    m, z, letzt, aus = Modell(), 0, 1, bytearray()
    while len(aus) < gesamt:
        if not bit(m.art, z):
            w = 1
            while w < 256:
                w = w * 2 + bit(m.byte, w)
            aus.append(w - 256)
            z = 0
            continue
        if not bit(m.wiederholung, z):
            letzt = zahl(m.abstand)
            laenge = zahl(m.laenge) + MINDESTLAENGE - 1
            z = 1
        else:
            laenge = zahl(m.wiederholungslaenge)
            z = 2
        if letzt > len(aus) or laenge > gesamt - len(aus):
            raise ValueError('copy of %d at %d with %d bytes written' % (laenge, letzt, len(aus)))
        for _ in range(laenge):
            aus.append(aus[-letzt])
    if pos != len(daten):
        raise ValueError('%d bytes after the end of the code' % (len(daten) - pos))
    return bytes(aus)
