#!/usr/bin/env python3
"""Checks that Endwart.exe loads on Windows 95, and that it stays small.

    pruefen.py importe OBJDUMP EXE     every import of the 32-bit program exists on Windows 95
    pruefen.py groesse KB EXE...       no program file is larger than KB kilobytes

Windows 95 refuses to start a program when a single import is missing (error 31), or when the
program asks for a newer Windows in its header. The imports are read with objdump -p and held
against win95-kernel32.txt (what the kernel32 of Windows 95 exports) and importe.txt (the other
functions the program uses, each with the platform that brought it).

Exits 0 when everything holds, 1 with one line a fault, 2 when called wrongly.
"""

import os
import re
import subprocess
import sys

ORDNER = os.path.dirname(os.path.abspath(__file__))
# What a Windows 95 with msvcrt.dll has; importe.txt names one of these for every function.
PLATTFORMEN = {'Windows95', 'comctl32-4.00', 'msvcrt-4.20'}
# The program needs no other DLL: no C++ runtime DLL, no thread library.
DLLS = {'kernel32', 'user32', 'gdi32', 'advapi32', 'shell32', 'comctl32', 'comdlg32', 'msvcrt'}


def liste(name):
    """The lines of a list file without comments and blank lines, split into fields."""
    with open(os.path.join(ORDNER, name), encoding='utf-8') as f:
        return [z.split('#')[0].split() for z in f if z.split('#')[0].strip()]


def objdump_lesen(text):
    """The header fields and the imports, (dll in lower case, name), of objdump -p output.
    An import by ordinal, which objdump shows as <none>, has the name '#<ordinal>'."""
    kopf, importe, dll = {}, [], None
    for zeile in text.splitlines():
        m = re.match(r'^(Magic|M(?:aj|in)or(?:OSystem|Subsystem)Version)\s+(\S+)', zeile)
        if m:
            kopf[m.group(1)] = m.group(2)
        m = re.match(r'^\s*DLL Name:\s*(\S+)', zeile)
        if m:
            dll = re.sub(r'\.dll$', '', m.group(1).lower())
            continue
        m = re.match(r'^\t[0-9a-fA-F]+\t\s*(\d+)\s+(\S+)', zeile)
        if dll and m:
            name = m.group(2)
            importe.append((dll, '#' + m.group(1) if name == '<none>' else name))
    return kopf, importe


def importe_beurteilen(kopf, importe, kernel32, eintraege):
    """The faults, one text each: imports missing on Windows 95, and a header that asks for
    more. `eintraege` maps (dll, name) to the platform that importe.txt gives."""
    fehler = []
    if kopf.get('Magic') != '010b':
        fehler.append('not a 32-bit program (PE magic %s)' % kopf.get('Magic'))
    for feld in ('MajorOSystemVersion', 'MajorSubsystemVersion'):
        if int(kopf.get(feld, '99')) > 4:
            fehler.append('%s %s: Windows 95 starts only programs for version 4.0 or older'
                          % (feld, kopf.get(feld)))
    if not any(dll == 'kernel32' for dll, _ in importe):
        fehler.append('no kernel32 imports read: is this objdump -p output of a program?')
    for dll, name in importe:
        wo = '%s %s' % (dll, name)
        if dll not in DLLS:
            fehler.append('%s: %s.dll is not part of Windows 95' % (wo, dll))
            continue
        if dll == 'kernel32':
            if name not in kernel32:
                fehler.append('%s: the kernel32 of Windows 95 does not export it' % wo)
                continue
            # Unicode functions are there, but only as stubs that fail.
            if not (name.endswith('W') and name[:-1] + 'A' in kernel32):
                continue
        seit = eintraege.get((dll, name))
        if seit is None:
            fehler.append('%s: not in tools/plattform/importe.txt; list it with the platform '
                          'that brought it%s' % (wo, ', and why its stub on Windows 95 does '
                                                 'no harm' if dll == 'kernel32' else ''))
        elif seit not in PLATTFORMEN:
            fehler.append('%s: came with %s, which Windows 95 has not got' % (wo, seit))
    return fehler


def importe_pruefen(objdump, exe):
    if not os.path.isfile(exe):
        return ['%s is missing: the 32-bit build makes it (./test builds build-i686 first)' % exe]
    lauf = subprocess.run([objdump, '-p', exe], capture_output=True, text=True)
    if lauf.returncode != 0:
        return ['%s -p %s failed: %s' % (objdump, exe, lauf.stderr.strip())]
    kopf, importe = objdump_lesen(lauf.stdout)
    kernel32 = {z[0] for z in liste('win95-kernel32.txt')}
    eintraege = {(z[0], z[1]): z[2] for z in liste('importe.txt')}
    fehler = importe_beurteilen(kopf, importe, kernel32, eintraege)
    if not fehler:
        print('%s: %d imports from %d DLLs, all on Windows 95'
              % (exe, len(importe), len({d for d, _ in importe})))
    return fehler


def groesse_pruefen(kb, dateien):
    fehler = []
    for datei in dateien:
        if not os.path.isfile(datei):
            fehler.append('%s is missing' % datei)
            continue
        groesse = os.path.getsize(datei)
        print('%s: %d bytes (%.1f KB of %d KB)' % (datei, groesse, groesse / 1024, kb))
        if groesse > kb * 1024:
            fehler.append('%s: %d bytes, more than %d KB' % (datei, groesse, kb))
    return fehler


def main(argv):
    if len(argv) == 4 and argv[1] == 'importe':
        fehler = importe_pruefen(argv[2], argv[3])
    elif len(argv) >= 4 and argv[1] == 'groesse' and argv[2].isdigit():
        fehler = groesse_pruefen(int(argv[2]), argv[3:])
    else:
        sys.stderr.write(__doc__)
        return 2
    for text in fehler:
        print('FEHLER: ' + text)
    return 1 if fehler else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
