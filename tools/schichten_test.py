#!/usr/bin/env python3
"""Tests of schichten.py on small made-up source trees."""

import os
import subprocess
import sys
import tempfile
import unittest

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)
import schichten    # noqa: E402

# Two folders side by side on the middle level, to see a sideways include.
BREIT = (('unten',), ('links', 'rechts'), ('oben',))


class Baum:
    """A scratch src/ folder: {path: text}."""

    def __init__(self, dateien):
        self.ordner = tempfile.TemporaryDirectory()
        self.wurzel = self.ordner.name
        for pfad, text in dateien.items():
            ziel = os.path.join(self.wurzel, pfad)
            os.makedirs(os.path.dirname(ziel), exist_ok=True)
            with open(ziel, 'w', encoding='cp1252') as f:
                f.write(text)

    def __enter__(self):
        return self.wurzel

    def __exit__(self, *fehler):
        self.ordner.cleanup()


def pruefen(dateien, stapel=schichten.STAPEL):
    with Baum(dateien) as wurzel:
        return schichten.pruefen(wurzel, stapel)


class Schichten(unittest.TestCase):
    def test_downward_and_own_folder_pass(self):
        self.assertEqual(pruefen({
            'platform/Text.h': '#pragma once\n',
            'settings/Optionen.h': '#include "platform/Text.h"\n',
            'filetypes/Dateityp.h': '#include "settings/Optionen.h"\n',
            'filetypes/Dateityp.cpp': '#include "filetypes/Dateityp.h"\n#include <windows.h>\n',
            'ui/Form.h': '#include "filetypes/Dateityp.h"\n',
            'ui/dialogs/frmInfo.h': '#include "ui/Form.h"\n#include "platform/Text.h"\n',
            'ui/main/frmMain.cpp': '#include "ui/dialogs/frmInfo.h"\n#include "resource.h"\n',
            'app/Main.cpp': '#include "ui/main/frmMain.cpp"\n',
        }), [])

    def test_upward_include_names_file_line_and_include(self):
        self.assertEqual(pruefen({
            'platform/Text.h': '',
            'ui/Form.h': '',
            'filetypes/Speichern.cpp': '// Speichern\n#include "platform/Text.h"\n'
                                       '  #  include "ui/Form.h"\n',
        }), ['filetypes/Speichern.cpp:3: #include "ui/Form.h" goes up from filetypes to ui'])

    def test_nested_folder_is_its_own_level(self):
        # ui/main lies inside ui but above it: the toolkit may not reach the main window,
        # and dialogs may not reach it either.
        self.assertEqual(pruefen({
            'ui/main/frmMain.h': '',
            'ui/Form.cpp': '#include "ui/main/frmMain.h"\n',
            'ui/dialogs/frmHinzu.cpp': '#include "ui/main/frmMain.h"\n',
        }), ['ui/Form.cpp:1: #include "ui/main/frmMain.h" goes up from ui to ui/main',
             'ui/dialogs/frmHinzu.cpp:1: #include "ui/main/frmMain.h" goes up from ui/dialogs'
             ' to ui/main'])

    def test_sideways_include_fails_both_ways(self):
        self.assertEqual(pruefen({
            'unten/a.h': '',
            'links/b.h': '#include "unten/a.h"\n#include "rechts/c.h"\n',
            'rechts/c.h': '#include "links/b.h"\n',
            'oben/d.cpp': '#include "links/b.h"\n#include "rechts/c.h"\n',
        }, BREIT), ['links/b.h:2: #include "rechts/c.h" goes sideways from links to rechts',
                    'rechts/c.h:1: #include "links/b.h" goes sideways from rechts to links'])

    def test_relative_includes_resolve_like_the_compiler(self):
        self.assertEqual(pruefen({
            'app/Main.h': '',
            'settings/Optionen.h': '',
            'settings/Optionen.cpp': '#include "Optionen.h"\n#include "../app/Main.h"\n',
            'platform/Text.cpp': '#include "../../outside.h"\n',
        }), ['settings/Optionen.cpp:2: #include "../app/Main.h" goes up from settings to app'])

    def test_folders_outside_the_stack_fail(self):
        self.assertEqual(pruefen({
            'registry/Registry.h': '',
            'Lose.cpp': '',
            'settings/Optionen.cpp': '#include "registry/Registry.h"\n',
        }), ['Lose.cpp: folder is not in the stack',
             'registry/Registry.h: folder is not in the stack',
             'settings/Optionen.cpp:1: #include "registry/Registry.h": registry/Registry.h is in'
             ' no folder of the stack'])

    def test_circles_between_the_units_of_one_folder(self):
        # (case, tree, messages); a unit is a file pair, and a call shows as an include.
        faelle = (
            ('a chain and own headers', {
                'filetypes/A.h': '', 'filetypes/A.cpp': '#include "filetypes/A.h"\n',
                'filetypes/B.h': '#include "filetypes/A.h"\n',
                'filetypes/B.cpp': '#include "filetypes/B.h"\n#include "filetypes/A.h"\n',
            }, []),
            ('through a .cpp', {
                'filetypes/Protokoll.h': '', 'filetypes/Wiederherstellen.h': '#include "filetypes/Protokoll.h"\n',
                'filetypes/Protokoll.cpp': '#include "filetypes/Protokoll.h"\n#include "Wiederherstellen.h"\n',
            }, ['filetypes: circle Protokoll -> Wiederherstellen -> Protokoll (Protokoll.cpp:2 #include '
                '"Wiederherstellen.h"; Wiederherstellen.h:1 #include "filetypes/Protokoll.h")']),
            ('three long, and a fourth unit in it', {
                'filetypes/A.cpp': '#include "filetypes/B.h"\n', 'filetypes/B.cpp': '#include "filetypes/C.h"\n',
                'filetypes/C.cpp': '#include "filetypes/A.h"\n#include "filetypes/D.h"\n',
                'filetypes/D.h': '#include "filetypes/B.h"\n',
                'filetypes/A.h': '', 'filetypes/B.h': '', 'filetypes/C.h': '',
            }, ['filetypes: circle A -> B -> C -> A (A.cpp:1 #include "filetypes/B.h"; B.cpp:1 #include '
                '"filetypes/C.h"; C.cpp:1 #include "filetypes/A.h"); more units in circles with them: D']),
            ('a folder inside another is not the same folder', {
                'ui/Form.h': '', 'ui/main/frmMain.h': '#include "ui/Form.h"\n',
                'ui/Form.cpp': '#include "ui/main/frmMain.h"\n',
            }, ['ui/Form.cpp:1: #include "ui/main/frmMain.h" goes up from ui to ui/main']),
        )
        for fall, dateien, erwartet in faelle:
            with self.subTest(fall), Baum(dateien) as wurzel:
                self.assertEqual(schichten.pruefen(wurzel) + schichten.kreise(wurzel), erwartet)

    def test_command_line_exit_code_and_output(self):
        for dateien, code, text in (
                ({'app/Main.cpp': '#include "settings/O.h"\n', 'settings/O.h': ''}, 0, None),
                ({'settings/O.h': '#include "app/Main.h"\n', 'app/Main.h': ''}, 1,
                 'settings/O.h:1: #include "app/Main.h" goes up'),
                ({'app/A.h': '#include "app/B.h"\n', 'app/B.h': '#include "app/A.h"\n'}, 1,
                 'app: circle A -> B -> A')):
            with Baum(dateien) as wurzel:
                lauf = subprocess.run([sys.executable, os.path.join(HIER, 'schichten.py'),
                                       wurzel], capture_output=True, text=True)
            self.assertEqual(lauf.returncode, code, lauf.stdout + lauf.stderr)
            if text:
                self.assertIn(os.path.join(os.path.relpath(wurzel), text), lauf.stdout)
        lauf = subprocess.run([sys.executable, os.path.join(HIER, 'schichten.py'),
                               os.path.join(HIER, 'gibt-es-nicht')], capture_output=True)
        self.assertEqual(lauf.returncode, 2)


if __name__ == '__main__':
    unittest.main()
