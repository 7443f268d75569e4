#!/usr/bin/env python3
"""Checks that the #include "..." lines of src/ only go down the stack of folders, and that
the files of one folder include each other without a circle.

    python3 schichten.py [SRC]

A file may include headers from its own folder and from any folder on a lower level of
STAPEL. An include that goes up, or sideways to another folder on the same level, fails, and
so does a file or an include in a folder that STAPEL does not place. Includes that name no
file under SRC (system headers, resources/, generated images) are not part of the stack.

Inside one folder a unit is a file pair (Name.h and Name.cpp): a unit that calls another
includes its header, so the includes show who depends on whom. A circle of units, however
long, fails: FOLDER: circle A -> B -> A (where each step includes the next), the shortest
circle of those units that depend on each other, and the names of the others.
Exits 0 when every include goes down and no folder has a circle, 1 otherwise, listing each
include as FILE:LINE: ... and each circle.
"""

import os
import re
import sys

# Bottom to top. Folders on one level may not include each other; a folder that lies inside
# another (ui/main inside ui) is its own folder, not part of the outer one.
STAPEL = (
    ('platform',),       # registry access and key owner, text conversions, seams, handle owners
    ('settings',),
    ('filetypes',),
    ('ui',),             # the window toolkit
    ('ui/dialogs',),
    ('ui/main',),
    ('app',),            # WinMain, Main, the first start
)

ENDUNGEN = ('.h', '.cpp')
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def ordner_von(pfad, stapel):
    """The folder of STAPEL that holds pfad (relative to src, '/'-separated) and its level,
    or (None, None); the deepest matching folder wins."""
    bester = (None, None)
    for ebene, ordner in enumerate(stapel):
        for o in ordner:
            if pfad.startswith(o + '/') and (bester[0] is None or len(o) > len(bester[0])):
                bester = (o, ebene)
    return bester


def aufloesen(wurzel, datei, ziel):
    """The included file relative to wurzel, as the compiler finds it: beside the including
    file first, then from the include root; None when it is not under wurzel."""
    for basis in (os.path.dirname(datei), ''):
        pfad = os.path.normpath(os.path.join(basis, ziel)).replace(os.sep, '/')
        if not pfad.startswith('../') and os.path.isfile(os.path.join(wurzel, pfad)):
            return pfad
    return None


def quellen(wurzel):
    for verzeichnis, unter, dateien in os.walk(wurzel):
        unter.sort()
        for name in sorted(dateien):
            if name.endswith(ENDUNGEN):
                yield os.path.relpath(os.path.join(verzeichnis, name), wurzel).replace(os.sep, '/')


def includes(wurzel, datei):
    with open(os.path.join(wurzel, datei), encoding='cp1252', errors='replace') as f:
        for nummer, zeile in enumerate(f, 1):
            treffer = INCLUDE.match(zeile)
            if treffer:
                yield nummer, treffer.group(1)


def pruefen(wurzel, stapel=STAPEL, anzeige=''):
    """Returns one message a violation, in file and line order; anzeige goes before each
    file name."""
    meldungen = []
    for datei in quellen(wurzel):
        von, ebene = ordner_von(datei, stapel)
        if von is None:
            meldungen.append('%s%s: folder is not in the stack' % (anzeige, datei))
            continue
        for nummer, ziel in includes(wurzel, datei):
            pfad = aufloesen(wurzel, datei, ziel)
            if pfad is None:
                continue
            nach, ziel_ebene = ordner_von(pfad, stapel)
            wo = '%s%s:%d: #include "%s"' % (anzeige, datei, nummer, ziel)
            if nach is None:
                meldungen.append('%s: %s is in no folder of the stack' % (wo, pfad))
            elif nach == von or ziel_ebene < ebene:
                continue
            elif ziel_ebene == ebene:
                meldungen.append('%s goes sideways from %s to %s' % (wo, von, nach))
            else:
                meldungen.append('%s goes up from %s to %s' % (wo, von, nach))
    return meldungen


def einheit(pfad):
    """The unit a file belongs to: its folder and its name without the extension."""
    return os.path.splitext(pfad)[0]


def starke_komponenten(knoten, kanten):
    """Tarjan: the strongly connected parts of the graph, each a sorted list, in sorted order."""
    index, tief, stapel, auf_stapel, teile = {}, {}, [], set(), []

    def besuchen(v):
        index[v] = tief[v] = len(index)
        stapel.append(v)
        auf_stapel.add(v)
        for w in sorted(kanten.get(v, ())):
            if w not in index:
                besuchen(w)
                tief[v] = min(tief[v], tief[w])
            elif w in auf_stapel:
                tief[v] = min(tief[v], index[w])
        if tief[v] == index[v]:
            teil = []
            while True:
                w = stapel.pop()
                auf_stapel.discard(w)
                teil.append(w)
                if w == v:
                    break
            teile.append(sorted(teil))

    for v in sorted(knoten):
        if v not in index:
            besuchen(v)
    return sorted(teile)


def kurzer_kreis(start, teil, kanten):
    """The shortest way from start back to start inside teil, as a list of units."""
    teil = set(teil)
    vorher = {}
    welle = [start]
    while welle:
        naechste = []
        for v in welle:
            for w in sorted(kanten.get(v, ())):
                if w not in teil:
                    continue
                if w == start:
                    weg = [v]
                    while weg[-1] != start:
                        weg.append(vorher[weg[-1]])
                    return [start] + weg[::-1][1:] + [start]
                if w not in vorher:
                    vorher[w] = v
                    naechste.append(w)
        welle = naechste
    return [start]


def kreise(wurzel, anzeige=''):
    """One message a circle of units inside one folder; anzeige goes before each folder."""
    kanten = {}  # unit -> {unit: (file, line, include)}, the first include that makes the step
    for datei in quellen(wurzel):
        for nummer, ziel in includes(wurzel, datei):
            pfad = aufloesen(wurzel, datei, ziel)
            if pfad is None or os.path.dirname(pfad) != os.path.dirname(datei):
                continue
            von, nach = einheit(datei), einheit(pfad)
            if von != nach:
                kanten.setdefault(von, {}).setdefault(nach, (datei, nummer, ziel))
    knoten = set(kanten) | {n for k in kanten.values() for n in k}
    meldungen = []
    for teil in starke_komponenten(knoten, kanten):
        if len(teil) < 2:
            continue
        kreis = min((kurzer_kreis(v, teil, kanten) for v in teil), key=len)
        ordner = os.path.dirname(teil[0])
        schritte = []
        for von, nach in zip(kreis, kreis[1:]):
            datei, nummer, ziel = kanten[von][nach]
            schritte.append('%s:%d #include "%s"' % (os.path.basename(datei), nummer, ziel))
        text = '%s%s: circle %s (%s)' % (anzeige, ordner, ' -> '.join(os.path.basename(e) for e in kreis),
                                         '; '.join(schritte))
        rest = [os.path.basename(e) for e in teil if e not in kreis]
        if rest:
            text += '; more units in circles with them: ' + ', '.join(rest)
        meldungen.append(text)
    return meldungen


def main(argv):
    if len(argv) > 2:
        sys.stderr.write('Aufruf: schichten.py [SRC]\n')
        return 2
    wurzel = argv[1] if len(argv) == 2 else os.path.join(
        os.path.dirname(os.path.dirname(os.path.abspath(__file__))), 'src')
    if not os.path.isdir(wurzel):
        sys.stderr.write('schichten.py: %s is no folder\n' % wurzel)
        return 2
    anzeige = os.path.join(os.path.relpath(wurzel), '')
    meldungen = pruefen(wurzel, anzeige=anzeige)
    im_kreis = kreise(wurzel, anzeige=anzeige)
    for text in meldungen + im_kreis:
        print(text)
    if meldungen:
        print('schichten: %d include(s) against the stack %s' % (
            len(meldungen), ' < '.join(o[0] if len(o) == 1 else '{%s}' % ', '.join(o)
                                       for o in STAPEL)))
    if im_kreis:
        print('schichten: %d circle(s) between the files of one folder' % len(im_kreis))
    return 1 if meldungen or im_kreis else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
