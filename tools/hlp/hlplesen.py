#!/usr/bin/env python3
"""Reads a WinHelp 3.1 help file back, as the tests of hilfe.py need it.

    python3 hlplesen.py DATEI      prints title, topics, context numbers and keywords

Written from the published description of the format (Winterhoff's helpfile.txt), not from
hilfe.py, so that a misunderstanding in the writer shows up as a difference. It reads
uncompressed 3.1 files without phrase compression and refuses anything else with FormatFehler,
and it checks the structure on the way: file and page sizes, B+ tree order, index keys and leaf
chain, the chain of TOPICLINKs, the topic block headers and the paragraph lengths.
"""

import struct
import sys


class FormatFehler(Exception):
    pass


def pruefe(bedingung, text):
    if not bedingung:
        raise FormatFehler(text)


def u16(b, o):
    return struct.unpack_from('<H', b, o)[0]


def i32(b, o):
    return struct.unpack_from('<i', b, o)[0]


def u32(b, o):
    return struct.unpack_from('<I', b, o)[0]


def zkette(b, o):
    """NUL-terminated string at o: (bytes, position after the NUL)."""
    ende = b.index(b'\0', o)
    return b[o:ende], ende + 1


# Compressed numbers of LinkData1: the lowest bit says whether the long form follows.
def cushort(b, o):
    return (u16(b, o) >> 1, o + 2) if b[o] & 1 else (b[o] >> 1, o + 1)


def csshort(b, o):
    return (u16(b, o) >> 1) - 0x4000 if b[o] & 1 else (b[o] >> 1) - 0x40, o + (2 if b[o] & 1 else 1)


def cslong(b, o):
    if b[o] & 1:
        return (u32(b, o) >> 1) - 0x4000000, o + 4
    return (u16(b, o) >> 1) - 0x4000, o + 2


# Context names: each character has a value, letters regardless of case (table in helpfile.txt)
ZEICHENWERT = dict(zip('123456789', range(1, 10)))
ZEICHENWERT.update({'0': 10, '.': 12, '_': 13})
ZEICHENWERT.update((chr(ord('A') + i), 0x11 + i) for i in range(26))
ZEICHENWERT.update((chr(ord('a') + i), 0x11 + i) for i in range(26))


def kontext_hash(name):
    h = 0
    for c in name:
        h = (h * 43 + ZEICHENWERT[c]) % (1 << 32)
    return h if h < (1 << 31) else h - (1 << 32)


def index_zkette(s, p):
    """Index key that is a NUL-terminated string, kept with its NUL as the leaves keep it."""
    wort, q = zkette(s, p)
    return wort + b'\0', q


def baum(daten, blatt_eintrag, index_schluessel, ordnung=None):
    """Leaf entries of a B+ tree in order, and (page, number of entries) of each leaf page.
    blatt_eintrag(page, pos) gives (entry, key, next pos), index_schluessel(page, pos) gives
    (key, next pos) of an index entry; ordnung(entry), if given, must rise strictly."""
    pruefe(len(daten) >= 38 and u16(daten, 0) == 0x293B, 'kein B+-Baum')
    groesse, wurzel, seiten, ebenen, anzahl = (u16(daten, 4), u16(daten, 26), u16(daten, 30),
                                               u16(daten, 32), i32(daten, 34))
    pruefe(len(daten) >= 38 + seiten * groesse and wurzel < seiten, 'B+-Baum zu kurz')
    blaetter = []

    def abwaerts(n, ebene):
        pruefe(0 <= n < seiten, 'Seite %d gibt es nicht' % n)
        s = daten[38 + n * groesse:38 + (n + 1) * groesse]
        eintraege = []
        if ebene == 1:
            pos = 8
            for _ in range(struct.unpack_from('<h', s, 2)[0]):
                eintrag, schluessel, pos = blatt_eintrag(s, pos)
                eintraege.append((eintrag, schluessel))
            pruefe(u16(s, 0) == groesse - pos, 'falsche Zahl freier Bytes in Blatt %d' % n)
            blaetter.append((n, struct.unpack_from('<hh', s, 4), len(eintraege)))
            return eintraege
        kinder, pos = [(struct.unpack_from('<h', s, 4)[0], None)], 6
        for _ in range(struct.unpack_from('<h', s, 2)[0]):
            schluessel, pos = index_schluessel(s, pos)
            kinder.append((struct.unpack_from('<h', s, pos)[0], schluessel))
            pos += 2
        pruefe(u16(s, 0) == groesse - pos, 'falsche Zahl freier Bytes in Indexseite %d' % n)
        for kind, schluessel in kinder:
            unten = abwaerts(kind, ebene - 1)
            pruefe(schluessel is None or (unten and unten[0][1] == schluessel),
                   'Indexschlüssel passt nicht zur Seite %d' % kind)
            eintraege += unten
        return eintraege

    eintraege = [e for e, _ in abwaerts(wurzel, ebenen)]
    pruefe(len(eintraege) == anzahl, 'B+-Baum: Zahl der Einträge stimmt nicht')
    for i, (n, (vor, nach), _) in enumerate(blaetter):
        pruefe(vor == (blaetter[i - 1][0] if i else -1), 'Blattkette rückwärts falsch')
        pruefe(nach == (blaetter[i + 1][0] if i + 1 < len(blaetter) else -1),
               'Blattkette vorwärts falsch')
    if ordnung:
        werte = [ordnung(e) for e in eintraege]
        pruefe(all(a < b for a, b in zip(werte, werte[1:])), 'B+-Baum nicht sortiert')
    return eintraege, [(n, e) for n, _, e in blaetter]


class Absatz:
    def __init__(self, info):
        self.info = info        # bits and the values that follow them
        self.laeufe = []        # (text, font, link target hash or None)

    def text(self):
        return ''.join(t for t, _, _ in self.laeufe)


class Thema:
    def __init__(self, titel, makros, offset, topicpos, kopf):
        self.titel, self.makros, self.offset, self.topicpos = titel, makros, offset, topicpos
        (self.blockgroesse, self.zurueck, self.vor, self.nummer, self.nichtrollend,
         self.rollend, self.naechstes) = kopf
        self.absaetze = []
        self.saetze = []        # TOPICPOS of the paragraph records


class HlpDatei:
    def __init__(self, daten):
        self.daten = daten
        pruefe(len(daten) >= 16 and u32(daten, 0) == 0x00035F3F, 'keine Hilfedatei')
        pruefe(u32(daten, 12) == len(daten), 'Dateigröße im Kopf stimmt nicht')
        self.dateien = dict(baum(self.intern(u32(daten, 4)), self._dateieintrag, index_zkette,
                                 lambda e: e[0].encode('cp1252'))[0])
        self._system()
        self._fonts()
        self._topic()
        self.kontexte = dict(baum(self.datei('|CONTEXT'),
                                  lambda s, p: ((i32(s, p), u32(s, p + 4)), s[p:p + 4], p + 8),
                                  lambda s, p: (s[p:p + 4], p + 4), lambda e: e[0])[0])
        karte = self.datei('|CTXOMAP')
        pruefe(len(karte) == 2 + 8 * u16(karte, 0), '|CTXOMAP: falsche Länge')
        self.karte = [(i32(karte, 2 + 8 * i), u32(karte, 6 + 8 * i))
                      for i in range(u16(karte, 0))]
        self.titelbaum = dict(baum(self.datei('|TTLBTREE'), self._titeleintrag,
                                   lambda s, p: (s[p:p + 4], p + 4), lambda e: e[0])[0])
        self.stichworte = self._stichworte() if '|KWBTREE' in self.dateien else []

    # -- internal files --
    def intern(self, offset):
        pruefe(0 <= offset and offset + 9 <= len(self.daten), 'interne Datei außerhalb')
        reserviert, benutzt = struct.unpack_from('<II', self.daten, offset)
        pruefe(benutzt + 9 <= reserviert and offset + reserviert <= len(self.daten),
               'interne Datei größer als ihr Platz')
        return self.daten[offset + 9:offset + 9 + benutzt]

    def datei(self, name):
        pruefe(name in self.dateien, 'interne Datei %s fehlt' % name)
        return self.intern(self.dateien[name])

    @staticmethod
    def _dateieintrag(s, p):
        name, p = zkette(s, p)
        return (name.decode('cp1252'), u32(s, p)), name + b'\0', p + 4

    @staticmethod
    def _titeleintrag(s, p):
        titel, q = zkette(s, p + 4)
        return (u32(s, p), titel.decode('cp1252')), s[p:p + 4], q

    def _system(self):
        s = self.datei('|SYSTEM')
        magie, neben, haupt, self.datum, flags = struct.unpack_from('<HHHIH', s, 0)
        pruefe(magie == 0x036C and haupt == 1, '|SYSTEM: falscher Kopf')
        pruefe(neben > 16 and flags == 0, 'nur unkomprimierte Dateien ab Version 3.1')
        self.version, self.titel, self.copyright, self.inhalt, self.makros = neben, '', '', None, []
        self.fenster = []  # (flags, name, caption) of each window definition
        pos = 12
        while pos + 4 <= len(s):
            typ, laenge = struct.unpack_from('<HH', s, pos)
            wert = s[pos + 4:pos + 4 + laenge]
            pruefe(len(wert) == laenge, '|SYSTEM: Satz länger als die Datei')
            text = wert.split(b'\0')[0].decode('cp1252')
            if typ == 1:
                self.titel = text
            elif typ == 2:
                self.copyright = text
            elif typ == 3:
                self.inhalt = u32(wert, 0)
            elif typ == 4:
                self.makros.append(text)
            elif typ == 6:
                pruefe(laenge == 90, '|SYSTEM: Fenstersatz nicht 90 Bytes lang')
                flags, _, name, caption = struct.unpack_from('<H10s9s51s', wert)
                self.fenster.append((flags, name.split(b'\0')[0].decode('cp1252'),
                                     caption.split(b'\0')[0].decode('cp1252')))
            pos += 4 + laenge
        pruefe(pos == len(s), '|SYSTEM: Rest nach dem letzten Satz')

    def _fonts(self):
        f = self.datei('|FONT')
        namen, anzahl, namen_ab, beschr_ab = struct.unpack_from('<HHHH', f, 0)
        laenge = (beschr_ab - namen_ab) // namen
        self.schriften = []
        for i in range(anzahl):
            attribute, halbpunkte, _, name = struct.unpack_from('<BBBH', f, beschr_ab + 11 * i)
            pruefe(name < namen, '|FONT: Name %d fehlt' % name)
            roh = f[namen_ab + name * laenge:namen_ab + (name + 1) * laenge]
            self.schriften.append((roh.split(b'\0')[0].decode('cp1252'), attribute, halbpunkte))

    # -- |TOPIC --
    def _topic(self):
        t = self.datei('|TOPIC')
        pruefe(len(t) % 4096 == 0 and t, '|TOPIC ist keine Folge von 4-KB-Blöcken')
        bloecke = len(t) // 4096
        strom = b''.join(t[b * 4096 + 12:(b + 1) * 4096] for b in range(bloecke))
        kopf = [struct.unpack_from('<iii', t, b * 4096) for b in range(bloecke)]
        self.themen, self.ende, saetze = [], None, []     # saetze: (pos, block, type)
        pos, zeichen = 12, 0
        while pos != -1:
            pruefe(pos >= 12 and pos not in {p for p, _, _ in saetze},
                   'TOPICLINK-Kette kaputt bei %d' % pos)
            block, rest = divmod(pos - 12, 0x4000)
            pruefe(block < bloecke and rest < 4084, 'TOPICPOS %d außerhalb' % pos)
            start = block * 4084 + rest
            groesse, laenge2, zurueck, weiter, laenge1, typ = struct.unpack_from(
                '<iiiiiB', strom, start)
            pruefe(zurueck == (saetze[-1][0] if saetze else -1), 'PrevBlock bei %d falsch' % pos)
            pruefe(21 <= laenge1 <= groesse and start + groesse <= len(strom),
                   'TOPICLINK bei %d zu groß' % pos)
            pruefe(laenge2 == groesse - laenge1, 'Text bei %d komprimiert' % pos)
            daten1 = strom[start + 21:start + laenge1]
            daten2 = strom[start + laenge1:start + groesse]
            if saetze and block != saetze[-1][1]:
                zeichen = 0         # TOPICOFFSET counts characters from the start of a block
            offset = block * 0x8000 + zeichen
            saetze.append((pos, block, typ))
            if typ == 2:
                pruefe(len(daten1) >= 28, 'Themenkopf bei %d zu kurz' % pos)
                felder = struct.unpack_from('<iiiiiii', daten1, 0)
                teile = daten2.split(b'\0') if daten2 else []
                if not teile and weiter == -1:
                    self.ende = pos             # the closing TOPICLINK carries no data
                else:
                    pruefe(teile and teile[0], 'Thema ohne Titel bei %d' % pos)
                    self.themen.append(Thema(teile[0].decode('cp1252'),
                                             [m.decode('cp1252') for m in teile[1:]], offset,
                                             pos, felder))
            elif typ == 0x20:
                pruefe(self.themen, 'Absatz vor dem ersten Thema')
                self.themen[-1].absaetze += self._absaetze(daten1, daten2, pos)
                self.themen[-1].saetze.append(pos)
                zeichen += len(daten2)
            else:
                raise FormatFehler('Satzart 0x%02X bei %d nicht unterstützt' % (typ, pos))
            pos = weiter
        for b in range(bloecke):
            vorher = [(p, t) for p, bl, t in saetze if bl < b]
            hier = [p for p, bl, _ in saetze if bl == b]
            koepfe = [p for p, t in vorher if t == 2]
            pruefe(kopf[b][0] == (vorher[-1][0] if vorher else -1)
                   and kopf[b][1] == (hier[0] if hier else -1)
                   and kopf[b][2] in ([koepfe[-1]] if koepfe else [0, -1]),
                   'Blockkopf %d falsch' % b)

    def _absaetze(self, d1, d2, pos):
        groesse, o = cslong(d1, 0)
        laenge, o = cushort(d1, o)
        pruefe(groesse == len(d1) - o, 'TopicSize bei %d falsch' % pos)
        pruefe(laenge == len(d2), 'TopicLength bei %d falsch' % pos)
        pruefe(d1[o:o + 2] == b'\x00\x80', 'Absatzkopf bei %d unbekannt' % pos)
        bits = u16(d1, o + 4)
        o += 6
        info = {'bits': bits}
        pruefe(not bits & 0xE180, 'Absatzbits 0x%04X bei %d nicht unterstützt' % (bits, pos))
        if bits & 0x0001:
            info['unbekannt'], o = cslong(d1, o)
        for bit, name in ((0x02, 'oben'), (0x04, 'unten'), (0x08, 'zeilen'), (0x10, 'links'),
                          (0x20, 'rechts'), (0x40, 'erstzeile')):
            if bits & bit:
                info[name], o = csshort(d1, o)
        if bits & 0x0200:
            n, o = csshort(d1, o)
            info['tabs'] = []
            for _ in range(n):
                tab, o = cushort(d1, o)
                art = 0
                if tab & 0x4000:
                    art, o = cushort(d1, o)
                info['tabs'].append((tab & 0x3FFF, art))
        absaetze, absatz = [], Absatz(info)
        schrift, ziel, t = None, None, 0
        while True:
            stueck, t = zkette(d2, t)
            if stueck:
                pruefe(schrift is not None, 'Text vor der ersten Schrift bei %d' % pos)
                absatz.laeufe.append((stueck.decode('cp1252'), schrift, ziel))
            pruefe(o < len(d1), 'Formatbefehle enden ohne 0xFF bei %d' % pos)
            code, o = d1[o], o + 1
            if code == 0xFF:
                break
            if code == 0x80:
                schrift, o = u16(d1, o), o + 2
                pruefe(schrift < len(self.schriften), 'Schrift %d fehlt' % schrift)
            elif code in (0x81, 0x83):
                absatz.laeufe.append(('\n' if code == 0x81 else '\t', schrift, ziel))
            elif code == 0x82:
                absaetze.append(absatz)
                absatz = Absatz(info)
            elif code in (0xE2, 0xE3, 0xE6, 0xE7):
                pruefe(ziel is None, 'Verweis im Verweis bei %d' % pos)
                ziel, o = i32(d1, o), o + 4
            elif code == 0x89:
                pruefe(ziel is not None, 'Verweisende ohne Verweis bei %d' % pos)
                ziel = None
            else:
                raise FormatFehler('Formatbefehl 0x%02X bei %d nicht unterstützt' % (code, pos))
        pruefe(o == len(d1) and t == len(d2) and ziel is None and not absatz.laeufe,
               'Absatz bei %d endet nicht sauber' % pos)
        return absaetze

    # -- keywords --
    def _stichworte(self):
        def eintrag(s, p):
            wort, q = zkette(s, p)
            return (wort.decode('cp1252'), u16(s, q), u32(s, q + 2)), wort + b'\0', q + 6

        liste, blaetter = baum(self.datei('|KWBTREE'), eintrag, index_zkette)
        kwdata = self.datei('|KWDATA')
        ergebnis = []
        for wort, anzahl, ab in liste:
            pruefe(ab + 4 * anzahl <= len(kwdata), '|KWDATA zu kurz für "%s"' % wort)
            ergebnis.append((wort, [u32(kwdata, ab + 4 * i) for i in range(anzahl)]))
        k = self.datei('|KWMAP')
        pruefe(len(k) == 2 + 6 * u16(k, 0), '|KWMAP: falsche Länge')
        nummer, erwartet = 0, []
        for seite, eintraege in blaetter:
            erwartet.append((nummer, seite))
            nummer += eintraege
        pruefe([struct.unpack_from('<iH', k, 2 + 6 * i) for i in range(u16(k, 0))] == erwartet,
               '|KWMAP passt nicht zu den Blättern von |KWBTREE')
        return ergebnis

    # -- lookups --
    def thema_bei(self, offset):
        """The topic whose header has exactly this TOPICOFFSET, else None."""
        return next((t for t in self.themen if t.offset == offset), None)


def lesen(pfad):
    with open(pfad, 'rb') as f:
        return HlpDatei(f.read())


def main(argv):
    if len(argv) != 2:
        sys.stderr.write('Aufruf: hlplesen.py DATEI\n')
        return 2
    try:
        h = lesen(argv[1])
    except (OSError, FormatFehler) as e:
        sys.stderr.write('%s: %s\n' % (argv[1], e))
        return 1
    nummern = {}
    for n, o in h.karte:
        nummern.setdefault(o, []).append(n)
    print('Titel: %s\nInhalt: %s\n' % (h.titel, getattr(h.thema_bei(h.inhalt), 'titel', '?')))
    for t in h.themen:
        print('%08X  %-45s %s' % (t.offset, t.titel,
                                  ' '.join('#%d' % n for n in nummern.get(t.offset, []))))
    print('\nStichwörter:')
    for wort, offsets in h.stichworte:
        print('  %-35s %s' % (wort, '; '.join(getattr(h.thema_bei(o), 'titel', '?')
                                              for o in offsets)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
