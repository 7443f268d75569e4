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


class Schichten(unittest.TestCase):
    def test_includes_and_circles(self):
        # (case, tree, messages); a unit is a file pair, and a call shows as an include.
        faelle = (
            ('downward, in its own folder and along a chain', {
                'platform/Text.h': '#pragma once\n', 'settings/Optionen.h': '#include "platform/Text.h"\n',
                'filetypes/Dateityp.h': '#include "settings/Optionen.h"\n',
                'filetypes/Dateityp.cpp': '#include "filetypes/Dateityp.h"\n#include <windows.h>\n',
                # a chain inside one folder is no circle
                'filetypes/B.h': '#include "filetypes/Dateityp.h"\n',
                'filetypes/B.cpp': '#include "filetypes/B.h"\n#include "filetypes/Dateityp.h"\n',
                'ui/Form.h': '#include "filetypes/Dateityp.h"\n',
                'ui/dialogs/frmInfo.h': '#include "ui/Form.h"\n#include "platform/Text.h"\n',
                'ui/main/frmMain.cpp': '#include "ui/dialogs/frmInfo.h"\n#include "resource.h"\n',
                'app/Main.cpp': '#include "ui/main/frmMain.cpp"\n',
            }, []),
            ('upward, named by file, line and include', {
                'platform/Text.h': '', 'ui/Form.h': '',
                'filetypes/Speichern.cpp': '// Speichern\n#include "platform/Text.h"\n  #  include "ui/Form.h"\n',
            }, ['filetypes/Speichern.cpp:3: #include "ui/Form.h" goes up from filetypes to ui']),
            # ui/main lies inside ui but above it and above the dialogs.
            ('a nested folder is a level of its own', {
                'ui/main/frmMain.h': '', 'ui/Form.cpp': '#include "ui/main/frmMain.h"\n',
                'ui/dialogs/frmHinzu.cpp': '#include "ui/main/frmMain.h"\n',
            }, ['ui/Form.cpp:1: #include "ui/main/frmMain.h" goes up from ui to ui/main',
                'ui/dialogs/frmHinzu.cpp:1: #include "ui/main/frmMain.h" goes up from ui/dialogs to ui/main']),
            ('relative includes resolve like the compiler\'s', {
                'app/Main.h': '', 'settings/Optionen.h': '',
                'settings/Optionen.cpp': '#include "Optionen.h"\n#include "../app/Main.h"\n',
                'platform/Text.cpp': '#include "../../outside.h"\n',
            }, ['settings/Optionen.cpp:2: #include "../app/Main.h" goes up from settings to app']),
            ('folders outside the stack', {
                'registry/Registry.h': '', 'Lose.cpp': '', 'settings/Optionen.cpp': '#include "registry/Registry.h"\n',
            }, ['Lose.cpp: folder is not in the stack', 'registry/Registry.h: folder is not in the stack',
                'settings/Optionen.cpp:1: #include "registry/Registry.h": registry/Registry.h is in'
                ' no folder of the stack']),
            ('three long, and a fourth unit in it', {
                'filetypes/A.cpp': '#include "filetypes/B.h"\n', 'filetypes/B.cpp': '#include "filetypes/C.h"\n',
                'filetypes/C.cpp': '#include "filetypes/A.h"\n#include "filetypes/D.h"\n',
                'filetypes/D.h': '#include "filetypes/B.h"\n',
                'filetypes/A.h': '', 'filetypes/B.h': '', 'filetypes/C.h': '',
            }, ['filetypes: circle A -> B -> C -> A (A.cpp:1 #include "filetypes/B.h"; B.cpp:1 #include '
                '"filetypes/C.h"; C.cpp:1 #include "filetypes/A.h"); more units in circles with them: D']),
        )
        for fall, dateien, erwartet in faelle:
            with self.subTest(fall), Baum(dateien) as wurzel:
                self.assertEqual(schichten.pruefen(wurzel) + schichten.kreise(wurzel), erwartet)

    def test_command_line_exit_code_and_output(self):
        for dateien, code, text in (
                ({'app/Main.cpp': '#include "settings/O.h"\n', 'settings/O.h': ''}, 0, None),
                ({'settings/O.h': '#include "app/Main.h"\n', 'app/Main.h': ''}, 1,
                 'settings/O.h:1: #include "app/Main.h" goes up')):
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
