#!/usr/bin/env python3
"""Plants known faults in src/ one at a time and tells which the suite catches.

    python3 tools/mutanten.py              every fault
    python3 tools/mutanten.py NAME...      only these (names from --liste)
    python3 tools/mutanten.py --liste      the faults, without running anything
    python3 tools/mutanten.py --pruefen    only whether every fault still applies to src/

Each fault is one small edit of one file: a text that must occur exactly once, and what
replaces it. The edit is made in a copy of the checkout (build-mutanten/baum, kept between
runs so that its builds stay incremental); the copy's ./test then runs the tests the fault
names, stopping at the first failure. A fault is caught when a test fails, missed when all
pass, "veraltet" when its text no longer occurs once in src/ (update the fault), and
"baut nicht" when the edited copy does not build (a fault must compile to count).
Exits 0 when every fault was caught, 1 otherwise. Takes about a minute a fault.
"""

import os
import re
import shutil
import subprocess
import sys
import time

WURZEL = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BAUM = os.path.join(WURZEL, 'build-mutanten', 'baum')

# CTest's arguments that choose the tests: the in-process ones unless a fault names others;
# the end-to-end cases run only where a fault names them.
INNEN = ['-E', '^e2e[.]']


def fehler(name, datei, alt, neu, tests=INNEN):
    return {'name': name, 'datei': datei, 'alt': alt, 'neu': neu, 'tests': tests}


FEHLER = [
    # platform
    fehler('vergleich-mit-fall', 'src/platform/Text.cpp',
           'a.size() == b.size() && Gross(a) == Gross(b)', 'a == b'),
    fehler('trimmen-zu-kurz', 'src/platform/Text.cpp',
           "s.find_last_not_of(' ') - anfang + 1", "s.find_last_not_of(' ') - anfang"),
    fehler('zahl-ohne-komma', 'src/platform/Text.cpp',
           "(c == '.' || c == ',') && trenner == 0", "c == '.' && trenner == 0"),
    fehler('ganzzahl-ohne-exponent', 'src/platform/Dezimal.cpp',
           '    for (int i = 0; i < d.exponent; ++i) wert *= 10;\n', ''),
    fehler('dword-als-text', 'src/platform/Registry.cpp',
           'return wert.Vorhanden && IstText(wert.Typ) ?', 'return wert.Vorhanden ?'),
    fehler('gleich-ohne-fall', 'src/platform/Registry.cpp',
           'alt.Daten.compare(0, wert.size(), wert) == 0', 'lstrcmpiA(alt.Daten.c_str(), wert.c_str()) == 0'),
    fehler('gleich-mit-rest', 'src/platform/Registry.cpp',
           "alt.Daten.size() == wert.size() + 1 && alt.Daten.back() == '\\0' &&", ''),
    fehler('gleich-jeder-typ', 'src/platform/Registry.cpp',
           'if (!RegVergleichen() || !alt.Vorhanden || !IstText(alt.Typ)) return false;',
           'if (!RegVergleichen() || !alt.Vorhanden) return false;'),
    fehler('expand-sz-verloren', 'src/platform/Registry.cpp',
           'alt == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ', 'REG_SZ'),
    fehler('vorher-typ-vergessen', 'src/platform/Registry.cpp',
           'alt = vorher->Typ;', 'alt = REG_SZ;'),
    fehler('wurzel-beschreibbar', 'src/platform/Registry.cpp',
           "if (pfad.empty() || pfad.front() == '\\\\') return false;", ''),
    fehler('baum-ohne-kinder', 'src/platform/Registry.cpp',
           'for (const std::string& kind : kinder) RegBaumLoeschen(root, voll, kind);', ''),
    # settings
    fehler('pause-ohne-grenze', 'src/settings/Optionen.cpp',
           'constexpr double kLaengste = 5.0;', 'constexpr double kLaengste = 50.0;'),
    fehler('run-ohne-anfuehrung', 'src/settings/Optionen.cpp',
           "if (befehl.find(' ') != std::string::npos) befehl = '\"' + befehl + '\"';", ''),
    fehler('sicherheitsabfrage-aus', 'src/settings/Optionen.cpp',
           '{"Sicherheitsabfrage", "1",', '{"Sicherheitsabfrage", "0",'),
    fehler('sortkey-zu-weit', 'src/settings/Optionen.cpp',
           '*wert >= 0 && *wert <= 3', '*wert >= 0 && *wert <= 4'),
    # filetypes
    fehler('stern-beschreibbar', 'src/filetypes/Dateityp.cpp', '{"*", false}, ', ''),
    fehler('eigener-schluessel-gross', 'src/filetypes/Dateityp.cpp',
           'return Klein(Erweiterung) + "-datei";', 'return Erweiterung + "-datei";'),
    fehler('bezeichnung-ohne-fall', 'src/filetypes/GemeinsamerSchluessel.cpp',
           'p.RegBezeichnung == typ.Bezeichnung &&', 'GleichOhneFall(p.RegBezeichnung, typ.Bezeichnung) &&'),
    fehler('suche-geht-weiter', 'src/filetypes/GemeinsamerSchluessel.cpp',
           'if (!p.GleicheWerte) break;', ''),
    fehler('leeres-symbol-geschrieben', 'src/filetypes/Wiederherstellen.cpp',
           'if (typ.Symbol.empty()) return plan;', ''),
    fehler('clsid-symbol-immer', 'src/filetypes/Wiederherstellen.cpp',
           'if (!RegText(k.KennungSymbol, "").empty())', ''),
    fehler('ausgelassen-als-fehler', 'src/filetypes/Wiederherstellen.cpp',
           'wertOk = SchrittAusfuehren(plan[s]) != Schreibausgang::Fehlgeschlagen && wertOk;',
           'wertOk = SchrittAusfuehren(plan[s]) == Schreibausgang::Geschrieben && wertOk;'),
    fehler('sicherung-nie-neu', 'src/filetypes/Sicherung.cpp',
           'if (!key || !RegWertUnveraendert(RegWertHolen(key.get(), name), *wert))', 'if (!key)'),
    fehler('sicherung-halb-geladen', 'src/filetypes/Sicherung.cpp',
           '!typ.Bezeichnung.empty() && !typ.Oeffnen.empty()', '!typ.Bezeichnung.empty() || !typ.Oeffnen.empty()'),
    fehler('fremde-namen-entfernt', 'src/filetypes/Speichern.cpp',
           'if (!ErweiterungBrauchbar(name)) continue;', ''),
    fehler('sicherung-trotz-fehler', 'src/filetypes/Speichern.cpp',
           'ok = ok && SicherungSchreiben(typ);', 'ok = SicherungSchreiben(typ) && ok;'),
    fehler('abgelehnte-verschwiegen', 'src/filetypes/Speichern.cpp',
           'if (!Enthaelt(ergebnis.NichtEntfernt, name)) ergebnis.NichtMehrUeberwacht.push_back(name);', '',
           ['-R', 'SharedSave']),
    fehler('sperre-bleibt-bei-ausnahme', 'src/filetypes/Speichern.cpp',
           '    ~Schreibphase() {\n', '    ~Schreibphase() {\n        if (std::uncaught_exceptions()) return;\n',
           ['-R', '^Save[.]']),
    fehler('gelesen-vor-dem-warten', 'src/filetypes/Speichern.cpp',
           '    fenster.Zwischendurch();\n    Pruefung p;\n    const Klassenstand stand = KlasseDesTyps(typ, index);\n',
           '    Pruefung p;\n    const Klassenstand stand = KlasseDesTyps(typ, index);\n    fenster.Zwischendurch();\n',
           ['-R', '^Save[.]']),
    fehler('protokoll-grenze', 'src/filetypes/Protokoll.cpp',
           'neu.size() < kProtokollGrenze - groesse_', 'neu.size() <= kProtokollGrenze - groesse_'),
    fehler('ungesehen-mit-fehlern', 'src/filetypes/Protokoll.cpp',
           'n += eintraege[i].Wiederhergestellt != kNichtGeschrieben;', '++n;'),
    fehler('protokoll-zeilenumbruch', 'src/filetypes/Protokoll.cpp',
           "if (static_cast<unsigned char>(c) < 0x20) c = ' ';", ''),
    fehler('protokoll-offen-beim-ersetzen', 'src/filetypes/Protokoll.cpp',
           '    datei_.reset();  // an open log could be neither deleted nor replaced\n', ''),
    fehler('index-mit-fall', 'src/filetypes/Klassenindex.cpp',
           'const std::string klasse = Gross(wert);', 'const std::string klasse = wert;'),
    fehler('ueberwacht-mit-fall', 'src/filetypes/Registriert.cpp',
           'gewaehlt.insert(Gross(ueberwacht.Eintrag(i).Erweiterung))', 'gewaehlt.insert(ueberwacht.Eintrag(i).Erweiterung)'),
    fehler('regdatei-ohne-rueckstrich', 'src/filetypes/Regdatei.cpp',
           "if (c == '\\\\' || c == '\"') z += '\\\\';", "if (c == '\"') z += '\\\\';", ['-R', 'Austausch']),
    fehler('regdatei-nur-lf', 'src/filetypes/Regdatei.cpp',
           'text += "\\r\\n[" + speicher', 'text += "\\n[" + speicher', ['-R', 'Austausch']),
    fehler('regdatei-an-ort-und-stelle', 'src/filetypes/Regdatei.cpp',
           'if (!d.Schreiben(neu, RegdateiText(typen, anzahl))) {',
           'if (!d.Schreiben(pfad, RegdateiText(typen, anzahl)) || !d.Schreiben(neu, RegdateiText(typen, anzahl))) {',
           ['-R', 'Austausch']),
    fehler('regdatei-schreibschutz-uebergangen', 'src/filetypes/Regdatei.cpp',
           'attribute & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)', 'attribute & FILE_ATTRIBUTE_DIRECTORY',
           ['-R', 'Austausch']),
    fehler('regdatei-megabyte-gelesen', 'src/filetypes/Regdatei.cpp',
           'laenge > kRegdateiGrenze', 'laenge > kRegdateiGrenze + 1', ['-R', 'Austausch']),
    fehler('regdatei-ohne-fortsetzung', 'src/filetypes/Regdatei.cpp',
           'while (lesbar && Fortgesetzt(z) && i + 1 < zeilen.size()) {', 'while (false) {', ['-R', 'Austausch']),
    fehler('regdatei-andere-typen-als-text', 'src/filetypes/Regdatei.cpp',
           'if (daten == Daten::Anderer) return Auslassen(Auslassung::AndererTyp, nr, wo, name);', '', ['-R', 'Austausch']),
    fehler('regdatei-breit-ohne-pruefung', 'src/filetypes/Regdatei.cpp',
           'return m == static_cast<int>(n) && std::memcmp(zurueck.data(), w, n * sizeof(wchar_t)) == 0;',
           'return true;', ['-R', 'Austausch']),
    # ui
    fehler('twips-abgeschnitten', 'src/ui/Form.cpp',
           'return static_cast<int>(std::lround(pixel));', 'return static_cast<int>(pixel);'),
    fehler('sortierung-kehrt-nicht-um', 'src/ui/Textliste.cpp',
           'spalte == sort_.spalte ? !sort_.absteigend : false', 'false'),
    # ui/dialogs
    fehler('exe-symbol-frei', 'src/ui/dialogs/frmAendern.cpp',
           'typ.Erweiterung == "EXE" || ', ''),
    fehler('programm-nicht-geprueft', 'src/ui/dialogs/frmAendern.cpp',
           'teil.empty() || ProgrammSuchen(teil).empty() || ', 'teil.empty() || '),
    fehler('hinzu-ok-verliert', 'src/ui/dialogs/frmHinzu.cpp',
           'for (size_t i = 0; i < rechts_.Anzahl(); ++i) haupt_.Anhaengen(rechts_.Zeile(i));',
           'for (size_t i = 1; i < rechts_.Anzahl(); ++i) haupt_.Anhaengen(rechts_.Zeile(i));'),
    fehler('hilfe-falsches-thema', 'src/ui/dialogs/frmHinzu.cpp',
           'Hilfe(hwnd(), HELP_CONTEXT, 20);', 'Hilfe(hwnd(), HELP_CONTEXT, 30);'),
    fehler('pos1-wie-strg-pos1', 'src/ui/dialogs/frmHinzu.cpp',
           'if (fokus == liste->hwnd()) liste->NurWaehlen(0);', 'if (fokus == liste->hwnd()) liste->AktuelleSetzen(0);',
           ['-R', 'AddRemove']),
    fehler('entfernen-immer-frei', 'src/ui/dialogs/frmHinzu.cpp',
           '{idCmdLinks, rechts_, rechts_.Markierte() > 0},', '{idCmdLinks, rechts_, true},', ['-R', '^Keyboard[.]']),
    fehler('zugriffstaste-bleibt', 'src/ui/dialogs/frmAendern.cpp',
           "if (const size_t und = text.find('&'); !taste && und != std::string::npos) text.erase(und, 1);", '',
           ['-R', '^Keyboard[.]']),
    fehler('knoepfe-immer-frei', 'src/ui/dialogs/frmProtokoll.cpp',
           'EnableWindow(knopf, an);', 'EnableWindow(knopf, TRUE);', ['-R', 'ProtokollDialog']),
    fehler('wiederherstellen-trotz-aenderungen', 'src/ui/dialogs/frmProtokoll.cpp',
           'Freigeben(idCmdWiederherstellen, n > 0 && !listeGeaendert_);', 'Freigeben(idCmdWiederherstellen, n > 0);',
           ['-R', 'ProtokollDialog']),
    fehler('wiederherstellen-ohne-log', 'src/ui/dialogs/frmProtokoll.cpp',
           'return SystemstartWiederherstellen(gespeichert, nullptr);',
           'return SicherungWiederherstellen(gespeichert, nullptr);', ['-R', 'ProtokollDialog']),
    fehler('symbol-ausser-sicht', 'src/ui/dialogs/frmSymbol.cpp',
           'if (index >= erste + sichtbar) Rollen(index - (sichtbar - 1));', '', ['-R', 'IconChooser']),
    # ui/main
    fehler('status-zaehlt-alle', 'src/ui/main/frmMain.cpp',
           'if (markiert > 0) return std::to_string(markiert) + " Dateityp(en) ausgewählt";',
           'if (markiert > 0) return std::to_string(liste_.Anzahl()) + " Dateityp(en) ausgewählt";'),
    fehler('status-je-zeile', 'src/ui/main/frmMain.cpp',
           'hinweis_.clear();\n                statusFaellig_.Vormerken(hwnd());',
           'hinweis_.clear();\n                StatusText();', ['-R', 'MainWindow']),
    fehler('speichert-bleibt-bei-ausnahme', 'src/ui/main/frmMain.cpp',
           '~Laufmarke() { flag_ = false; }', '~Laufmarke() { if (!std::uncaught_exceptions()) flag_ = false; }',
           ['-R', '^Save[.]']),
    fehler('abbrechen-schliesst', 'src/ui/main/frmMain.cpp',
           'if (antwort == IDCANCEL) return false;', ''),
    fehler('rueckgaengig-bleibt-geaendert', 'src/ui/main/frmMain.cpp',
           '        ListeNeuLaden();\n        geaendert_ = false;', '        ListeNeuLaden();'),
    fehler('liste-nach-wiederherstellen-alt', 'src/ui/main/frmMain.cpp',
           'if (dialog.Wiederhergestellt()) ListeNeuLaden();', '', ['-R', 'ProtokollDialog']),
    fehler('export-ohne-speichern', 'src/ui/main/frmMain.cpp',
           'if (antwort == IDYES) SpeichernAusfuehren(false);', '', ['-R', 'Austausch']),
    fehler('import-nicht-geaendert', 'src/ui/main/Austausch.cpp', 'if (neu) geaendert = true;', '', ['-R', 'Austausch']),
    fehler('import-doppelte-zeilen', 'src/ui/main/Austausch.cpp',
           'if (stelle == zeilen.end()) {', 'if (true) {', ['-R', 'Austausch']),
    fehler('export-hilfe-bleibt-inhalt', 'src/ui/main/frmMain.cpp',
           'if (hilfethema_)\n                Hilfe(hwnd(), HELP_CONTEXT, hilfethema_);',
           'if (false)\n                Hilfe(hwnd(), HELP_CONTEXT, hilfethema_);', ['-R', 'Austausch']),
    # app
    fehler('autostart-gross-nicht-erkannt', 'src/app/Main.cpp',
           'return Klein(Trimmen(befehlszeile)) == "/autostart";', 'return Trimmen(befehlszeile) == "/autostart";'),
    fehler('interaktiv-ohne-bedienung', 'src/app/Main.cpp',
           'if (umfang == frmMain::Umfang::Ganz) fehler = fenster->BedienungErstellen();', ''),
    fehler('nt-zugelassen', 'src/app/Main.cpp',
           'return info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;',
           'return info.dwPlatformId != VER_PLATFORM_WIN32s;', ['-R', r'^e2e[.](vorlage|full_cycle)$']),
]


def lesen(pfad):
    with open(pfad, encoding='utf-8', newline='') as f:
        return f.read()


def schreiben(pfad, text):
    with open(pfad, 'w', encoding='utf-8', newline='') as f:
        f.write(text)


def anwendbar(f, wurzel=WURZEL):
    """None when the fault's text occurs exactly once in its file, else why not."""
    pfad = os.path.join(wurzel, f['datei'])
    if not os.path.isfile(pfad):
        return 'Datei fehlt'
    n = lesen(pfad).count(f['alt'])
    return None if n == 1 else f'Text {n}-mal gefunden'


def baum_abgleichen():
    """Brings the copy in line with the checkout's tracked and new files; files that did not
    change keep their time stamps, so the copy's build stays incremental."""
    dateien = subprocess.run(['git', 'ls-files', '-co', '--exclude-standard'], cwd=WURZEL,
                             check=True, capture_output=True, text=True).stdout.split('\n')
    gewollt = set()
    for rel in filter(None, dateien):
        quelle = os.path.join(WURZEL, rel)
        if not os.path.isfile(quelle):
            continue
        gewollt.add(rel)
        ziel = os.path.join(BAUM, rel)
        with open(quelle, 'rb') as q:
            inhalt = q.read()
        try:
            with open(ziel, 'rb') as z:
                if z.read() == inhalt:
                    continue
        except OSError:
            pass
        os.makedirs(os.path.dirname(ziel), exist_ok=True)
        with open(ziel, 'wb') as z:
            z.write(inhalt)
        shutil.copymode(quelle, ziel)
    # Sources deleted in the checkout must go from the copy too: the build globs src/.
    for ordner in ('src', 'tests', 'tools', 'bench'):
        for verzeichnis, _, namen in os.walk(os.path.join(BAUM, ordner)):
            for name in namen:
                rel = os.path.relpath(os.path.join(verzeichnis, name), BAUM)
                if rel not in gewollt and '__pycache__' not in rel:
                    os.remove(os.path.join(verzeichnis, name))


def testen(tests):
    """'gefangen', 'verpasst' or 'baut nicht', and the tail of the output."""
    lauf = subprocess.run(['./test', *tests, '--stop-on-failure'], cwd=BAUM,
                          capture_output=True, text=True, errors='replace')
    ausgabe = lauf.stdout + lauf.stderr
    summe = re.search(r'(\d+)% tests passed, (\d+) tests failed out of (\d+)', ausgabe)
    if not summe:
        return 'baut nicht', ausgabe[-2000:]
    if int(summe.group(3)) == 0:
        return 'keine Tests', ausgabe[-500:]
    return ('gefangen' if int(summe.group(2)) > 0 else 'verpasst'), ausgabe[-800:]


def main(argv):
    if '--liste' in argv:
        for f in FEHLER:
            print(f"{f['name']:32} {f['datei']}")
        return 0
    veraltet = [(f['name'], grund) for f in FEHLER if (grund := anwendbar(f))]
    for name, grund in veraltet:
        print(f'{name}: veraltet ({grund})')
    if '--pruefen' in argv:
        return 1 if veraltet else 0
    namen = [a for a in argv if not a.startswith('-')]
    auswahl = [f for f in FEHLER if not namen or f['name'] in namen]
    unbekannt = set(namen) - {f['name'] for f in FEHLER}
    if unbekannt:
        print('Unbekannt:', ', '.join(sorted(unbekannt)))
        return 2

    os.makedirs(BAUM, exist_ok=True)
    baum_abgleichen()
    print('Ohne gepflanzten Fehler: ', end='', flush=True)
    ergebnis, rest = testen(INNEN)
    print('grün' if ergebnis == 'verpasst' else ergebnis)
    if ergebnis != 'verpasst':
        print('Die Suite muss ohne gepflanzten Fehler grün sein.\n' + rest)
        return 1

    zeilen = []
    for f in auswahl:
        if anwendbar(f):
            zeilen.append((f['name'], f['datei'], 'veraltet'))
            continue
        pfad = os.path.join(BAUM, f['datei'])
        original = lesen(pfad)
        beginn = time.time()
        try:
            schreiben(pfad, original.replace(f['alt'], f['neu'], 1))
            status, rest = testen(f['tests'])
        finally:
            schreiben(pfad, original)
        zeilen.append((f['name'], f['datei'], status))
        print(f"{f['name']:32} {status:11} {time.time() - beginn:5.0f} s", flush=True)
        if status == 'baut nicht':
            print(rest)
    print('\n| Fehler | Datei | Ergebnis |\n|---|---|---|')
    for name, datei, status in zeilen:
        print(f'| {name} | {datei} | {status} |')
    gefangen = sum(1 for z in zeilen if z[2] == 'gefangen')
    print(f'\n{gefangen} von {len(zeilen)} gefangen.')
    return 0 if gefangen == len(zeilen) else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
