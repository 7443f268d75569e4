#!/usr/bin/env python3
"""Feeds pruefen.py made-up objdump output and files, and checks what it lets through.

Exits 0 when every check passes, 1 otherwise, listing each failure.
"""

import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pruefen  # noqa: E402

KOPF = '''
Magic\t\t\t{magic}\t(PE32)
MajorOSystemVersion\t4
MinorOSystemVersion\t0
MajorSubsystemVersion\t{subsystem}
MinorSubsystemVersion\t0
'''
TABELLE = '''
The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
 00051000\t000510b4 00000000 00000000 0005250c 00051428
'''


def objdump(importe, magic='010b', subsystem='4'):
    """objdump -p text for {dll file name: [names]}; a name of '#n' is an import by ordinal."""
    text = KOPF.format(magic=magic, subsystem=subsystem) + TABELLE
    for dll, namen in importe.items():
        text += '\n\tDLL Name: %s\n\tvma:  Hint/Ord Member-Name Bound-To\n' % dll
        for i, name in enumerate(namen):
            if name.startswith('#'):
                text += '\t8000%04x\t%5s  <none>\n' % (i, name[1:])
            else:
                text += '\t5179%x\t %4d  %s\n' % (i, 1000 + i, name)
    return text


GUT = {'KERNEL32.dll': ['CloseHandle', 'GetModuleHandleW'],
       'USER32.dll': ['CreateWindowExA'],
       'COMCTL32.DLL': ['InitCommonControls'],
       'msvcrt.dll': ['malloc']}
KERNEL32 = {'CloseHandle', 'GetModuleHandleA', 'GetModuleHandleW', 'CreateFileA', 'CreateFileW',
            'lstrlenW'}
EINTRAEGE = {('user32', 'CreateWindowExA'): 'Windows95',
             ('comctl32', 'InitCommonControls'): 'comctl32-4.00',
             ('comctl32', 'InitCommonControlsEx'): 'comctl32-4.70',
             ('msvcrt', 'malloc'): 'msvcrt-4.20',
             ('kernel32', 'GetModuleHandleW'): 'Windows95'}

fehler = []


def urteil(importe, **kopf):
    return pruefen.importe_beurteilen(*pruefen.objdump_lesen(objdump(importe, **kopf)),
                                      KERNEL32, EINTRAEGE)


def mit(dll, name):
    importe = {d: list(n) for d, n in GUT.items()}
    importe.setdefault(dll, []).append(name)
    return importe


def importe_testen():
    if urteil(GUT):
        fehler.append('a program of Windows 95 functions refused: %r' % urteil(GUT))
    # (case, imports, words of the one fault, header fields)
    for was, importe, woerter, kopf in (
            ('vectored handler', mit('KERNEL32.dll', 'AddVectoredExceptionHandler'),
             ['AddVectoredExceptionHandler', 'does not export'], {}),
            ('unlisted function', mit('USER32.dll', 'GetWindowLongPtrA'),
             ['GetWindowLongPtrA', 'not in tools/plattform/importe.txt'], {}),
            ('newer comctl32', mit('COMCTL32.DLL', 'InitCommonControlsEx'), ['InitCommonControlsEx', 'comctl32-4.70'], {}),
            ('unlisted Unicode stub', mit('KERNEL32.dll', 'CreateFileW'), ['CreateFileW', 'stub'], {}),
            ('runtime DLL', mit('libwinpthread-1.dll', 'pthread_mutex_lock'),
             ['libwinpthread-1', 'not part of Windows 95'], {}),
            ('import by ordinal', mit('COMCTL32.DLL', '#17'), ['#17', 'not in'], {}),
            ('newer subsystem', GUT, ['MajorSubsystemVersion 5'], {'subsystem': '5'}),
            ('64-bit program', GUT, ['32-bit'], {'magic': '020b'}),
            # Output without an import table must not pass as a program without imports.
            ('no import table', {}, ['no kernel32 imports'], {})):
        gefunden = urteil(importe, **kopf)
        if len(gefunden) != 1 or not all(w in gefunden[0] for w in woerter):
            fehler.append('%s: expected one fault with %r, got %r' % (was, woerter, gefunden))
    # A W function whose A twin Windows 95 lacks is no stub: lstrlenW works there.
    if urteil(mit('KERNEL32.dll', 'lstrlenW')):
        fehler.append('lstrlenW refused: %r' % urteil(mit('KERNEL32.dll', 'lstrlenW')))
    if not pruefen.importe_beurteilen(*pruefen.objdump_lesen('file format not recognized'), KERNEL32, EINTRAEGE):
        fehler.append('unreadable objdump output passed')


def groesse_testen():
    with tempfile.TemporaryDirectory() as ordner:
        klein, gross, fehlt = (os.path.join(ordner, n) for n in ('klein.exe', 'gross.exe', 'fehlt.exe'))
        for pfad, n in ((klein, 1024), (gross, 1025)):
            with open(pfad, 'wb') as f:
                f.write(b'\0' * n)
        for ok, text in ((not pruefen.groesse_pruefen(1, [klein]), '1024 bytes refused for 1 KB'),
                         (len(pruefen.groesse_pruefen(1, [klein, gross])) == 1, '1025 bytes passed for 1 KB'),
                         (pruefen.groesse_pruefen(1, [fehlt]), 'a missing file passed'),
                         (pruefen.importe_pruefen('objdump', fehlt), 'a missing program passed the import check')):
            if not ok:
                fehler.append(text)


def main():
    importe_testen()
    groesse_testen()
    print('\n'.join('FEHLER: ' + t for t in fehler) or 'pruefen_test: alle Prüfungen bestanden')
    return 1 if fehler else 0


if __name__ == '__main__':
    sys.exit(main())
