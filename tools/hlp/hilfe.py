#!/usr/bin/env python3
"""Builds Endungswart's help file from its source text.

    python3 hilfe.py QUELLE AUSGABE

QUELLE is UTF-8 text in the small markup described at the top of help/Endwart.hlp.txt. AUSGABE
becomes a WinHelp 3.1 file, which WinHelp 3.1, the Windows 95 help viewer and Wine's winhlp32
all read: the internal file system with its directory B+ tree, |SYSTEM, |TOPIC with plain
(uncompressed) text, |FONT, |CONTEXT, |CTXOMAP for the context numbers, |TTLBTREE and the keyword
index |KWBTREE, |KWDATA and |KWMAP. Standard library only.

A fault in the source prints "QUELLE:ZEILE: text", removes AUSGABE and exits with 1, so that the
build stops and no stale help file is left behind.
"""

import os
import re
import struct
import sys
import unicodedata

# ---------------------------------------------------------------------------------------------
# Reading the source


class QuellFehler(Exception):
    def __init__(self, zeile, text):
        super().__init__(text)
        self.zeile = zeile


class Lauf:
    """A piece of a paragraph: plain or bold text, or the text of a link to another topic."""

    def __init__(self, text, fett=False, ziel=None):
        self.text, self.fett, self.ziel = text, fett, ziel


class Absatz:
    """art: 'titel' (the topic's heading), 'text', 'ueberschrift' or 'punkt' (list item)."""

    def __init__(self, art, laeufe, zeile):
        self.art, self.laeufe, self.zeile = art, laeufe, zeile


class Thema:
    def __init__(self, titel, zeile):
        self.titel, self.zeile = titel, zeile
        self.kontext = None     # (name, line)
        self.nummern = []       # (number, line)
        self.stichworte = []
        self.inhalt = False
        self.makros = []        # run by the viewer each time it shows the topic
        self.absaetze = [Absatz('titel', [Lauf(titel)], zeile)]


class Hilfe:
    def __init__(self):
        self.titel = None
        self.copyright = None
        self.themen = []


KONTEXTNAME = re.compile(r'[A-Za-z0-9_.]+')
INLINE = re.compile(r'\*\*|\[([^\]]*)\]\(([^)]*)\)')


def laeufe_lesen(text, zeile):
    laeufe, fett, pos = [], False, 0

    def klartext(stueck):
        if '[' in stueck or ']' in stueck:
            raise QuellFehler(zeile, 'eckige Klammer ohne Verweis: "%s"' % stueck.strip())
        if stueck:
            laeufe.append(Lauf(stueck, fett))

    for m in INLINE.finditer(text):
        klartext(text[pos:m.start()])
        if m.group(0) == '**':
            fett = not fett
        else:
            if not m.group(1).strip():
                raise QuellFehler(zeile, 'Verweis ohne Text')
            laeufe.append(Lauf(m.group(1), fett, m.group(2).strip()))
        pos = m.end()
    klartext(text[pos:])
    if fett:
        raise QuellFehler(zeile, '** ohne schließendes **')
    return laeufe


def anweisung(hilfe, thema, nr, name, wert):
    """One @ line: @titel and @copyright for the file, the others for the current topic."""
    if name in ('titel', 'copyright'):
        if thema:
            raise QuellFehler(nr, '@%s gehört vor das erste Thema' % name)
        if not wert:
            raise QuellFehler(nr, '@%s ohne Text' % name)
        setattr(hilfe, name, wert)
    elif not thema:
        raise QuellFehler(nr, '@%s vor dem ersten Thema' % name)
    elif name == 'kontext':
        if thema.kontext:
            raise QuellFehler(nr, 'Thema "%s" hat schon einen Kontext' % thema.titel)
        if not KONTEXTNAME.fullmatch(wert):
            raise QuellFehler(nr, 'Kontextname "%s": nur A-Z, a-z, 0-9, _ und . erlaubt' % wert)
        thema.kontext = (wert, nr)
    elif name == 'nummer':
        if not re.fullmatch(r'[0-9]{1,10}', wert) or not 0 < int(wert) < 2 ** 31:
            raise QuellFehler(nr, 'Kontextnummer "%s" ist keine Zahl von 1 bis 2147483647' % wert)
        thema.nummern.append((int(wert), nr))
    elif name == 'stichwort':
        for wort in wert.split(';'):
            wort = ' '.join(wort.split())
            if not wort:
                raise QuellFehler(nr, 'leeres Stichwort')
            if wort not in thema.stichworte:
                thema.stichworte.append(wort)
    elif name == 'makro':
        if not wert:
            raise QuellFehler(nr, '@makro ohne Text')
        thema.makros.append(wert)
    elif name == 'inhalt':
        if wert:
            raise QuellFehler(nr, '@inhalt erwartet keinen Wert')
        thema.inhalt = True
    else:
        raise QuellFehler(nr, 'unbekannte Anweisung @%s' % name)


def quelle_lesen(text):
    hilfe = Hilfe()
    thema = None
    offen = None            # paragraph being collected: [art, text, line]

    def absatz_beenden():
        nonlocal offen
        if offen:
            art, inhalt, zeile = offen
            thema.absaetze.append(Absatz(art, laeufe_lesen(inhalt, zeile), zeile))
        offen = None

    nr = 0
    for nr, zeile in enumerate(text.splitlines(), 1):
        zeile = zeile.replace('\t', ' ').rstrip()
        if zeile.startswith('#'):
            continue
        if not zeile or zeile[0] in '=@' or zeile.startswith('- '):
            absatz_beenden()
        if not zeile:
            continue
        if zeile.startswith('=='):
            if not thema:
                raise QuellFehler(nr, 'Überschrift vor dem ersten Thema')
            if not zeile[2:].strip():
                raise QuellFehler(nr, 'Überschrift ohne Text')
            offen = ['ueberschrift', zeile[2:].strip(), nr]
            absatz_beenden()
        elif zeile.startswith('='):
            if not zeile[1:].strip():
                raise QuellFehler(nr, 'Thema ohne Titel')
            thema = Thema(zeile[1:].strip(), nr)
            hilfe.themen.append(thema)
        elif zeile.startswith('@'):
            name, _, wert = zeile[1:].partition(' ')
            anweisung(hilfe, thema, nr, name, wert.strip())
        elif not thema:
            raise QuellFehler(nr, 'Text vor dem ersten Thema')
        elif zeile.startswith('- '):
            offen = ['punkt', zeile[2:].strip(), nr]
        elif offen:
            offen[1] += ' ' + zeile.strip()
        else:
            offen = ['text', zeile.strip(), nr]
    if thema:
        absatz_beenden()
    pruefen(hilfe, max(nr, 1))
    return hilfe


def pruefen(hilfe, letzte_zeile):
    """Checks what only the whole source can tell."""
    if not hilfe.titel:
        raise QuellFehler(1, '@titel fehlt')
    if not hilfe.themen:
        raise QuellFehler(letzte_zeile, 'kein Thema')
    hashes, nummern, inhalt = {}, {}, None
    for thema in hilfe.themen:
        if not thema.kontext:
            raise QuellFehler(thema.zeile, 'Thema "%s" ohne @kontext' % thema.titel)
        name, zeile = thema.kontext
        h = kontext_hash(name)
        if h in hashes:   # names differing only in case share a hash, so WinHelp mixes them up
            raise QuellFehler(zeile, 'Kontext "%s" gibt es schon (Zeile %d)' % (name, hashes[h]))
        hashes[h] = zeile
        for nummer, zeile in thema.nummern:
            if nummer in nummern:
                raise QuellFehler(zeile, 'Kontextnummer %d doppelt (schon Zeile %d)'
                                  % (nummer, nummern[nummer]))
            nummern[nummer] = zeile
        if thema.inhalt:
            if inhalt:
                raise QuellFehler(thema.zeile, 'zweite Inhaltsseite (schon "%s")' % inhalt.titel)
            inhalt = thema
    for thema in hilfe.themen:
        for absatz in thema.absaetze:
            for lauf in absatz.laeufe:
                if lauf.ziel is not None and (not KONTEXTNAME.fullmatch(lauf.ziel)
                                              or kontext_hash(lauf.ziel) not in hashes):
                    raise QuellFehler(absatz.zeile, 'Verweis auf unbekannten Kontext "%s"'
                                      % lauf.ziel)
                ansi(lauf.text, absatz.zeile)
        for wort in thema.stichworte:
            ansi(wort, thema.zeile)
        for makro in thema.makros:
            ansi(makro, thema.zeile)
    ansi(hilfe.titel, 1)
    ansi(hilfe.copyright or '', 1)


def ansi(text, zeile):
    """The help viewers read ANSI text (Windows-1252)."""
    try:
        return text.encode('cp1252')
    except UnicodeEncodeError as e:
        raise QuellFehler(zeile, 'Zeichen "%s" gibt es in Windows-1252 nicht'
                          % text[e.start:e.end])


# ---------------------------------------------------------------------------------------------
# Numbers and names as WinHelp stores them

def kontext_hash(name):
    """Hash of a context name (letters ignore case), as a signed 32-bit number."""
    h = 0
    for c in name.upper():
        if 'A' <= c <= 'Z':
            wert = ord(c) - ord('A') + 17
        elif '1' <= c <= '9':
            wert = ord(c) - ord('0')
        else:
            wert = {'0': 10, '.': 12, '_': 13}[c]
        h = (h * 43 + wert) & 0xFFFFFFFF
    return h - (1 << 32) if h & 0x80000000 else h


def cushort(v):
    return bytes([v * 2]) if v < 0x80 else struct.pack('<H', v * 2 + 1)


def csshort(v):
    return cushort(v + 64) if -64 <= v < 64 else cushort(v + 16384)


def cslong(v):
    if -0x4000 <= v < 0x4000:
        return struct.pack('<H', (v + 0x4000) * 2)
    return struct.pack('<I', (v + 0x4000000) * 2 + 1)


def sortierschluessel(wort):
    """Keyword order for a German index: case ignored, umlauts with their base letter."""
    grund = unicodedata.normalize('NFD', wort.casefold().replace('ß', 'ss'))
    return (''.join(c for c in grund if not unicodedata.combining(c)), wort)


# ---------------------------------------------------------------------------------------------
# B+ trees

def btree(eintraege, seitengroesse, struktur, flags=0x0002):
    """eintraege: sorted (leaf bytes, index key bytes). Returns the whole tree and, for |KWMAP,
    (number of the first entry, page number) of each leaf page."""
    seiten, ebene, karte = [], [], []
    nr = 0
    while True:                                     # leaf pages
        erster, inhalt = nr, b''
        while nr < len(eintraege) and 8 + len(inhalt) + len(eintraege[nr][0]) <= seitengroesse:
            inhalt += eintraege[nr][0]
            nr += 1
        if nr == erster and nr < len(eintraege):
            raise ValueError('B+-Baum-Eintrag größer als eine Seite')
        karte.append((erster, len(seiten)))
        ebene.append((len(seiten), eintraege[erster][1] if erster < len(eintraege) else b''))
        seiten.append((nr - erster, inhalt))
        if nr >= len(eintraege):
            break
    for i, (seite, _) in enumerate(ebene):
        anzahl, inhalt = seiten[seite]
        vor = ebene[i - 1][0] if i else -1
        nach = ebene[i + 1][0] if i + 1 < len(ebene) else -1
        seiten[seite] = struct.pack('<Hhhh', seitengroesse - 8 - len(inhalt), anzahl, vor,
                                    nach) + inhalt
    ebenen = 1
    while len(ebene) > 1:                           # index pages up to a single root
        oben, i = [], 0
        while i < len(ebene):
            (erste, schluessel), i = ebene[i], i + 1
            inhalt, anzahl = b'', 0
            while i < len(ebene) and 6 + len(inhalt) + len(ebene[i][1]) + 2 <= seitengroesse:
                inhalt += ebene[i][1] + struct.pack('<h', ebene[i][0])
                anzahl, i = anzahl + 1, i + 1
            oben.append((len(seiten), schluessel))
            seiten.append(struct.pack('<Hhh', seitengroesse - 6 - len(inhalt), anzahl, erste)
                          + inhalt)
        ebene, ebenen = oben, ebenen + 1
    kopf = struct.pack('<HHH16shhhhhhi', 0x293B, flags, seitengroesse, struktur, 0,
                       len(seiten) - ebenen, len(seiten) - 1, -1, len(seiten), ebenen,
                       len(eintraege))
    return kopf + b''.join(s.ljust(seitengroesse, b'\0') for s in seiten), karte


# ---------------------------------------------------------------------------------------------
# |TOPIC

BLOCK = 4096                 # topic block of an uncompressed 3.1 file
NUTZBAR = BLOCK - 12         # after the block header
KEINE = -1                   # "none" in positions and offsets

SCHRIFT = b'Arial'
# (attributes: 1 = bold, size in half points): body, topic heading, bold and sub-headings
SCHRIFTEN = [(0, 20), (1, 24), (1, 20)]
NORMAL, TITEL, FETT = range(3)

# Paragraph formats; spacings and indents in half points
FORMATE = {
    'titel': {'schrift': TITEL, 'unten': 12},
    'text': {'schrift': NORMAL, 'unten': 12},
    'ueberschrift': {'schrift': FETT, 'oben': 16, 'unten': 4},
    'punkt': {'schrift': NORMAL, 'unten': 4, 'links': 24, 'erstzeile': -24, 'tab': 24},
}


class Satz:
    """One TOPICLINK: record type 2 (topic header) or 0x20 (paragraph)."""

    def __init__(self, typ, daten1, daten2, zeile, thema=None):
        self.typ, self.daten1, self.daten2 = typ, daten1, daten2
        self.zeile, self.thema = zeile, thema

    def groesse(self):
        return 21 + len(self.daten1) + len(self.daten2)


def absatzinfo(format_):
    bits, felder = 0, b''
    for bit, name in ((0x02, 'oben'), (0x04, 'unten'), (0x10, 'links'), (0x40, 'erstzeile')):
        if name in format_:
            bits |= bit
            felder += csshort(format_[name])
    if 'tab' in format_:
        bits |= 0x0200
        felder += csshort(1) + cushort(format_['tab'])
    # 0x00, 0x80 and the id 0 stand before the bits in every paragraph
    return bytes([0x00, 0x80]) + struct.pack('<HH', 0, bits) + felder


def absatz_satz(absatz, naechster):
    """Text goes into LinkData2 as NUL-terminated pieces; after each piece the viewer reads
    one formatting command from LinkData1."""
    format_ = dict(FORMATE[absatz.art])
    if absatz.art == 'punkt' and naechster != 'punkt':     # the list ends: space as a paragraph
        format_['unten'] = FORMATE['text']['unten']
    stuecke, befehle, puffer = [], b'', b''

    def befehl(code):
        nonlocal puffer, befehle
        stuecke.append(puffer)
        puffer, befehle = b'', befehle + code

    grund = schrift = format_['schrift']
    befehl(b'\x80' + struct.pack('<h', grund))
    if absatz.art == 'punkt':
        puffer += '\u2022'.encode('cp1252')
        befehl(b'\x83')                                     # tab to the hanging indent
    for lauf in absatz.laeufe:
        soll = FETT if lauf.fett and grund == NORMAL else grund
        if soll != schrift:
            befehl(b'\x80' + struct.pack('<h', soll))
            schrift = soll
        if lauf.ziel is not None:
            befehl(b'\xE3' + struct.pack('<i', kontext_hash(lauf.ziel)))
        puffer += ansi(lauf.text, absatz.zeile)
        if lauf.ziel is not None:
            befehl(b'\x89')
    befehl(b'\x82')                                         # end of paragraph
    befehl(b'\xFF')                                         # end of formatting
    daten2 = b''.join(s + b'\0' for s in stuecke)
    koerper = absatzinfo(format_) + befehle
    return Satz(0x20, cslong(len(koerper)) + cushort(len(daten2)) + koerper, daten2,
                absatz.zeile)


def topic_bauen(hilfe):
    """Returns |TOPIC and, by topic, the TOPICOFFSET of its header."""
    saetze = []
    for thema in hilfe.themen:
        # The topic's entry macros follow its title, each after a NUL.
        kopf = b'\0'.join([ansi(thema.titel, thema.zeile)]
                          + [ansi(m, thema.zeile) for m in thema.makros])
        saetze.append(Satz(2, None, kopf, thema.zeile, thema))
        arten = [a.art for a in thema.absaetze[1:]] + [None]
        saetze.extend(absatz_satz(a, n) for a, n in zip(thema.absaetze, arten))
    saetze.append(Satz(2, None, b'', 0))        # the closing TOPICLINK carries no data
    for s in saetze:
        if s.typ == 2:
            s.daten1 = bytes(28)

    # Layout. A record never crosses a block, so its TOPICOFFSET is plainly the characters of
    # the paragraphs before it in its own block; positions count blocks of 0x4000.
    block, pos, zeichen = 0, 0, 0
    for s in saetze:
        if s.groesse() > NUTZBAR:
            raise QuellFehler(s.zeile, 'Absatz zu lang (%d Bytes, höchstens %d)'
                              % (s.groesse(), NUTZBAR))
        if pos + s.groesse() > NUTZBAR:
            block, pos, zeichen = block + 1, 0, 0
        s.block = block
        s.topicpos = 12 + block * 0x4000 + pos
        s.topicoffset = block * 0x8000 + zeichen
        pos += s.groesse()
        if s.typ != 2:
            zeichen += len(s.daten2)

    koepfe = [i for i, s in enumerate(saetze) if s.typ == 2]
    for n, i in enumerate(koepfe[:-1]):
        naechster = koepfe[n + 1]
        vor = saetze[koepfe[n - 1]].topicoffset if n else KEINE
        nach = saetze[naechster].topicoffset if naechster != koepfe[-1] else KEINE
        saetze[i].daten1 = struct.pack(
            '<iiiiiii', sum(s.groesse() for s in saetze[i:naechster]), vor, nach, n, KEINE,
            saetze[i + 1].topicpos, saetze[naechster].topicpos)
    saetze[-1].daten1 = struct.pack('<iiiiiii', 0, KEINE, KEINE, len(koepfe) - 1, KEINE,
                                    KEINE, KEINE)

    # Each block starts with the last TOPICLINK and topic header before it and its own first
    # TOPICLINK; the unused end of a block stays zero.
    daten = bytearray()
    letzter, letzter_kopf = KEINE, 0
    for i, s in enumerate(saetze):
        if not i or s.block != saetze[i - 1].block:
            daten += bytes(s.block * BLOCK - len(daten))
            daten += struct.pack('<iii', letzter, s.topicpos, letzter_kopf)
        nach = saetze[i + 1].topicpos if i + 1 < len(saetze) else KEINE
        daten += struct.pack('<iiiiiB', s.groesse(), len(s.daten2), letzter, nach,
                             21 + len(s.daten1), s.typ) + s.daten1 + s.daten2
        letzter = s.topicpos
        if s.typ == 2:
            letzter_kopf = s.topicpos
    daten += bytes(-len(daten) % BLOCK)
    return bytes(daten), {id(s.thema): s.topicoffset for s in saetze if s.thema}


# ---------------------------------------------------------------------------------------------
# The other internal files and the whole file


def system_bauen(hilfe, inhalt_offset, datum):
    def satz(typ, daten):
        return struct.pack('<HH', typ, len(daten)) + daten

    daten = struct.pack('<HHHIH', 0x036C, 21, 1, datum, 0)       # 3.1 format, uncompressed
    daten += satz(1, ansi(hilfe.titel, 1) + b'\0')
    if hilfe.copyright:
        daten += satz(2, ansi(hilfe.copyright, 1) + b'\0')
    daten += satz(3, struct.pack('<I', inhalt_offset))
    daten += satz(4, b'BrowseButtons()\0')                       # the << and >> buttons
    # The main window, named but without a caption of its own: the viewer then puts the
    # file's title in the caption (Wine's otherwise says "Wine Help").
    daten += satz(6, struct.pack('<H10s9s51s5H4s4s', 0x0002, b'', b'main', b'', 0, 0, 0, 0, 0,
                                 bytes(4), bytes(4)))
    return daten


def font_bauen():
    daten = struct.pack('<HHHH', 1, len(SCHRIFTEN), 8, 8 + 32) + SCHRIFT.ljust(32, b'\0')
    for attribute, halbpunkte in SCHRIFTEN:
        daten += struct.pack('<BBBH3s3s', attribute, halbpunkte, 3, 0, bytes(3), bytes(3))
    return daten


def stichworte_bauen(hilfe, offsets):
    """|KWBTREE, |KWDATA and |KWMAP; a keyword of several topics lists each of them."""
    themen = {}
    for thema in hilfe.themen:
        for wort in thema.stichworte:
            themen.setdefault(wort, []).append(offsets[id(thema)])
    kwdata, eintraege = b'', []
    for wort in sorted(themen, key=sortierschluessel):
        name = ansi(wort, 1) + b'\0'
        eintraege.append((name + struct.pack('<HI', len(themen[wort]), len(kwdata)), name))
        kwdata += b''.join(struct.pack('<I', o) for o in themen[wort])
    baum, karte = btree(eintraege, 0x800, b'F24')
    kwmap = struct.pack('<H', len(karte)) + b''.join(struct.pack('<iH', e, s) for e, s in karte)
    return baum, kwdata, kwmap


def hlp_bauen(hilfe, datum=0):
    topic, offsets = topic_bauen(hilfe)
    inhalt = next((t for t in hilfe.themen if t.inhalt), hilfe.themen[0])
    kontexte = sorted((kontext_hash(t.kontext[0]), offsets[id(t)]) for t in hilfe.themen)
    nummern = sorted((n, offsets[id(t)]) for t in hilfe.themen for n, _ in t.nummern)
    titel = sorted((offsets[id(t)], ansi(t.titel, t.zeile)) for t in hilfe.themen)
    dateien = {
        b'|SYSTEM': system_bauen(hilfe, offsets[id(inhalt)], datum),
        b'|TOPIC': topic,
        b'|FONT': font_bauen(),
        b'|CONTEXT': btree([(struct.pack('<iI', h, o), struct.pack('<i', h))
                            for h, o in kontexte], 0x800, b'L4')[0],
        b'|CTXOMAP': struct.pack('<H', len(nummern))
        + b''.join(struct.pack('<iI', n, o) for n, o in nummern),
        b'|TTLBTREE': btree([(struct.pack('<I', o) + t + b'\0', struct.pack('<I', o))
                             for o, t in titel], 0x800, b'Lz')[0],
    }
    if any(t.stichworte for t in hilfe.themen):
        dateien[b'|KWBTREE'], dateien[b'|KWDATA'], dateien[b'|KWMAP'] = \
            stichworte_bauen(hilfe, offsets)

    def intern(daten):      # FILEHEADER: reserved space, used space, flags
        return struct.pack('<IIB', len(daten) + 9, len(daten), 4) + daten

    koerper, lage = b'', {}
    for name in sorted(dateien):
        lage[name] = 16 + len(koerper)
        koerper += intern(dateien[name])
    verzeichnis = btree([(n + b'\0' + struct.pack('<I', lage[n]), n + b'\0')
                         for n in sorted(dateien)], 0x400, b'z4', 0x0402)[0]
    start = 16 + len(koerper)
    gesamt = start + 9 + len(verzeichnis)
    return struct.pack('<IiiI', 0x00035F3F, start, KEINE, gesamt) + koerper + intern(verzeichnis)


# ---------------------------------------------------------------------------------------------

def entfernen(pfad):
    try:
        os.remove(pfad)
    except FileNotFoundError:
        pass


def main(argv):
    if len(argv) != 3:
        sys.stderr.write('Aufruf: hilfe.py QUELLE AUSGABE\n')
        return 2
    quelle, ausgabe = argv[1], argv[2]
    try:
        with open(quelle, 'rb') as f:
            roh = f.read()
        try:
            text = roh.decode('utf-8')
        except UnicodeDecodeError as e:
            raise QuellFehler(roh[:e.start].count(b'\n') + 1, 'kein gültiges UTF-8')
        # The generation date lets Windows 95's help viewer notice a new file.
        datum = int(os.environ.get('SOURCE_DATE_EPOCH') or os.stat(quelle).st_mtime)
        daten = hlp_bauen(quelle_lesen(text), datum)
    except QuellFehler as e:
        sys.stderr.write('%s:%d: %s\n' % (quelle, e.zeile, e))
        entfernen(ausgabe)
        return 1
    except OSError as e:
        sys.stderr.write('%s: %s\n' % (quelle, e.strerror or e))
        entfernen(ausgabe)
        return 1
    neu = ausgabe + '.neu'
    with open(neu, 'wb') as f:
        f.write(daten)
    os.replace(neu, ausgabe)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
