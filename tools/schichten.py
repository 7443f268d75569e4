#!/usr/bin/env python3
"""Checks that the #include "..." lines of src/ only go down the stack of folders.

    python3 schichten.py [SRC]

A file may include headers from its own folder and from any folder on a lower level of
STAPEL. An include that goes up, or sideways to another folder on the same level, fails, and
so does a file or an include in a folder that STAPEL does not place. Includes that name no
file under SRC (system headers, resources/, generated images) are not part of the stack.
Exits 0 when every include goes down, 1 otherwise, listing each one as FILE:LINE: ...
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


def main(argv):
    if len(argv) > 2:
        sys.stderr.write('Aufruf: schichten.py [SRC]\n')
        return 2
    wurzel = argv[1] if len(argv) == 2 else os.path.join(
        os.path.dirname(os.path.dirname(os.path.abspath(__file__))), 'src')
    if not os.path.isdir(wurzel):
        sys.stderr.write('schichten.py: %s is no folder\n' % wurzel)
        return 2
    meldungen = pruefen(wurzel, anzeige=os.path.join(os.path.relpath(wurzel), ''))
    for text in meldungen:
        print(text)
    if meldungen:
        print('schichten: %d include(s) against the stack %s' % (
            len(meldungen), ' < '.join(o[0] if len(o) == 1 else '{%s}' % ', '.join(o)
                                       for o in STAPEL)))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
