#!/usr/bin/env python3
"""Tests of hilfe.py: what it writes is read back with hlplesen.py, and bad sources stop it
with a clear error and no output.

    python3 hilfe_test.py [Rundlauf|Quellfehler ...]
"""

import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)
import hilfe       # noqa: E402
import hlplesen    # noqa: E402

WURZEL = os.path.dirname(os.path.dirname(HIER))
ECHTE_QUELLE = os.path.join(WURZEL, 'help', 'Endwart.hlp.txt')

PROBE = textwrap.dedent('''\
    # Kommentar
    @titel Probe-Hilfe
    @copyright Probe GmbH

    = Erstes Thema
    @kontext Erstes
    @nummer 20
    @stichwort Anfang; Gemeinsam; Ändern

    Ein Absatz mit **fettem Text** und einem
    [Verweis auf Nummer drei](Drittes).

    == Zwischentitel
    - Punkt eins
      geht weiter.
    - Punkt zwei

    = Zweites Thema
    @kontext Zweites
    @inhalt
    @nummer 50
    @stichwort Überblick; Gemeinsam
    Nur ein Satz.

    = Drittes Thema
    @kontext Drittes
    @nummer 30
    @stichwort Zahl; anfangen
    @makro Finder()
    @makro BrowseButtons()
    Text.
''')


def bauen(quelle):
    return hlplesen.HlpDatei(hilfe.hlp_bauen(hilfe.quelle_lesen(quelle), 1234567))


def titel_zu(datei, offsets):
    return [datei.thema_bei(o).titel for o in offsets]


class Rundlauf(unittest.TestCase):
    def test_probe(self):
        d = bauen(PROBE)
        self.assertEqual((d.titel, d.copyright, d.datum), ('Probe-Hilfe', 'Probe GmbH', 1234567))
        self.assertEqual([t.titel for t in d.themen],
                         ['Erstes Thema', 'Zweites Thema', 'Drittes Thema'])
        self.assertEqual(d.thema_bei(d.inhalt).titel, 'Zweites Thema')
        self.assertEqual({n: d.thema_bei(o).titel for n, o in d.karte},
                         {20: 'Erstes Thema', 30: 'Drittes Thema', 50: 'Zweites Thema'})
        # names ignore case
        zweites = d.kontexte[hlplesen.kontext_hash('zweiTES')]
        self.assertEqual(d.thema_bei(zweites).titel, 'Zweites Thema')
        self.assertEqual(len(d.kontexte), 3)
        # entry macros stand after the title, in the order written, and only where written
        self.assertEqual([t.makros for t in d.themen], [[], [], ['Finder()', 'BrowseButtons()']])
        # German index order: case ignored, Ä with A; a keyword of two topics lists both
        self.assertEqual([(w, titel_zu(d, o)) for w, o in d.stichworte], [
            ('Ändern', ['Erstes Thema']), ('Anfang', ['Erstes Thema']),
            ('anfangen', ['Drittes Thema']), ('Gemeinsam', ['Erstes Thema', 'Zweites Thema']),
            ('Überblick', ['Zweites Thema']), ('Zahl', ['Drittes Thema'])])

        # paragraphs, bold text and links
        erstes = d.themen[0]
        self.assertEqual([a.text() for a in erstes.absaetze], [
            'Erstes Thema', 'Ein Absatz mit fettem Text und einem Verweis auf Nummer drei.',
            'Zwischentitel', '\u2022\tPunkt eins geht weiter.', '\u2022\tPunkt zwei'])
        fett = {i: attr for i, (_, attr, _) in enumerate(d.schriften)}
        text = erstes.absaetze[1]
        self.assertEqual([(t, fett[s], z) for t, s, z in text.laeufe], [
            ('Ein Absatz mit ', 0, None), ('fettem Text', 1, None), (' und einem ', 0, None),
            ('Verweis auf Nummer drei', 0, hlplesen.kontext_hash('Drittes')), ('.', 0, None)])
        # one browse sequence in source order, which the << and >> buttons follow
        self.assertEqual([(t.zurueck, t.vor) for t in d.themen],
                         [(-1, d.themen[1].offset), (d.themen[0].offset, d.themen[2].offset),
                          (d.themen[1].offset, -1)])
        self.assertEqual(d.makros, ['BrowseButtons()'])

    def test_btree_mit_drei_ebenen(self):
        worte = ['%05d' % i for i in range(400)]
        daten, karte = hilfe.btree([(w.encode() + b'\0', w.encode() + b'\0') for w in worte],
                                   64, b'z')
        gelesen, blaetter = hlplesen.baum(
            daten, lambda s, p: (hlplesen.zkette(s, p)[0].decode(),
                                 hlplesen.zkette(s, p)[0] + b'\0', hlplesen.zkette(s, p)[1]),
            hlplesen.index_zkette, lambda w: w)
        self.assertEqual(gelesen, worte)
        self.assertEqual(int.from_bytes(daten[32:34], 'little'), 3)
        self.assertEqual([s for _, s in karte], [s for s, _ in blaetter])

    def test_echte_hilfedatei(self):
        with open(ECHTE_QUELLE, encoding='utf-8') as f:
            text = f.read()
        quelle, d = hilfe.quelle_lesen(text), bauen(text)
        # The program's context numbers and the contents are opened in the real viewer by
        # the program's own tests (HilfeTests.cpp).
        # the search topic opens the viewer's key-word list; no other topic runs a macro
        self.assertEqual({t.titel: t.makros for t in d.themen if t.makros},
                         {'Nach Stichwörtern suchen': ['Finder()']})
        for t, q in zip(d.themen, quelle.themen):
            self.assertTrue(q.stichworte, '%s hat keine Stichwörter' % q.titel)
            for wort in q.stichworte:
                # Wine's viewer can only jump from a keyword that names one topic
                self.assertEqual(titel_zu(d, dict(d.stichworte)[wort]), [t.titel], wort)


class Quellfehler(unittest.TestCase):
    """Runs hilfe.py as the build does; a stale output must not survive a failed build."""

    FAELLE = [
        ('@titel T\n= Eins\n@kontext A\n@nummer 20\n= Zwei\n@kontext B\n@nummer 20\n', 7,
         'Kontextnummer 20 doppelt (schon Zeile 4)'),
        ('@titel T\n= Eins\n@kontext Kopf\n= Zwei\n@kontext KOPF\n', 5,
         'Kontext "KOPF" gibt es schon (Zeile 3)'),
        ('@titel T\n= Eins\n@kontext A\nSiehe [dort](Nirgends).\n', 4,
         'Verweis auf unbekannten Kontext "Nirgends"'),
        ('@titel T\n= Eins\n@kontext A\nPfeil \u2192 hier\n', 4,
         'Zeichen "\u2192" gibt es in Windows-1252 nicht'),
        ('@titel T\n= Eins\n@kontext A\n**fett\n', 4, '** ohne schließendes **'),
        ('= Eins\n@kontext A\n', 1, '@titel fehlt'),
        ('@titel T\n= Eins\n@kontext A\n' + 'Wort ' * 900 + '\n', 4, 'Absatz zu lang'),
        (b'@titel T\n= Eins\n@kontext A\nKaputt \xfc\n', 4, 'kein gültiges UTF-8'),
        ('@titel T\n@makro Finder()\n= Eins\n@kontext A\n', 2, '@makro vor dem ersten Thema'),
    ]

    def test_fehler_brechen_mit_zeile_und_grund_ab(self):
        with tempfile.TemporaryDirectory() as tmp:
            quelle, ausgabe = os.path.join(tmp, 'quelle.txt'), os.path.join(tmp, 'Alt.hlp')
            for text, zeile, meldung in self.FAELLE + [(PROBE, 0, '')]:
                with self.subTest(meldung=meldung):
                    with open(quelle, 'wb') as f:
                        f.write(text if isinstance(text, bytes) else text.encode('utf-8'))
                    with open(ausgabe, 'wb') as f:
                        f.write(b'alt')
                    lauf = subprocess.run([sys.executable, os.path.join(HIER, 'hilfe.py'), quelle, ausgabe],
                                          capture_output=True, text=True,
                                          env=dict(os.environ, SOURCE_DATE_EPOCH='777'))
                    if not meldung:  # a good source replaces the output and leaves nothing else
                        self.assertEqual((lauf.returncode, lauf.stderr), (0, ''))
                        self.assertEqual(hlplesen.lesen(ausgabe).datum, 777)
                        self.assertEqual(sorted(os.listdir(tmp)), ['Alt.hlp', 'quelle.txt'])
                        continue
                    self.assertEqual(lauf.returncode, 1)
                    self.assertTrue(lauf.stderr.startswith('%s:%d: ' % (quelle, zeile)), lauf.stderr)
                    self.assertIn(meldung, lauf.stderr)
                    self.assertFalse(os.path.exists(ausgabe))


if __name__ == '__main__':
    unittest.main()
