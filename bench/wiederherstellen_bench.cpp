// How long the system-start restore and the save take on the classes of a grown Windows 10,
// each against a bare pass that enumerates HKEY_CLASSES_ROOT and reads the default value of
// every extension key, measured in the same run; and the restore that finds nothing changed
// (the store loaded, every type checked) against the bare pass plus reading the store and the
// three values of every stored type's class, the least such a run must read: once loaded into
// a plain list, once into the main window's list, as the system start loads it.
//
//   wine wiederherstellen_bench.exe [runs]
//
// Builds its own scratch classes (7,171 top-level keys, 954 of them extension keys, every
// tenth class shared by two extensions) under HKEY_CURRENT_USER, redirects HKEY_CLASSES_ROOT
// and HKEY_CURRENT_USER there, and removes everything at the end. Between runs it puts back
// what the measured run changed, so every run starts from the same registry.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

#include "Benchhilfen.h"
#include "app/Main.h"
#include "settings/Optionen.h"
#include "filetypes/Wiederherstellen.h"
#include "filetypes/Sicherung.h"
#include "platform/Registry.h"
#include "platform/Seams.h"
#include "ui/main/frmMain.h"

namespace {

constexpr int kSchluessel = 7171, kErweiterungen = 954;

struct Aufbau {
    std::vector<int> klasseVon;  // extension number -> class number
    int klassen = 0;
};

Aufbau Verteilen() {
    Aufbau a;
    for (int k = 0; static_cast<int>(a.klasseVon.size()) < kErweiterungen; ++k, ++a.klassen) {
        a.klasseVon.push_back(k);
        if (k % 10 == 9 && static_cast<int>(a.klasseVon.size()) < kErweiterungen) a.klasseVon.push_back(k);
    }
    return a;
}

std::string Erweiterung(int e) { return Nummer(e, 3).insert(0, 1, 'E'); }
std::string Punkt(int e) { return std::string(".").append(Erweiterung(e)); }
std::string Klasse(int k) { return "Bench.Klasse." + Nummer(k, 4); }
std::string Clsid(int k) { return "{BE000000-0000-0000-0000-00000000" + Nummer(k, 4) + "}"; }

// One class as a grown machine has them: the icon directly, through its CLSID, or not at all.
void KlasseAufbauen(HKEY r, int k) {
    const std::string klasse = Klasse(k);
    Schreiben(r, klasse, "Bench-Dateityp " + Nummer(k, 4));
    Schreiben(r, klasse + "\\shell\\open\\command", "C:\\Programme\\Bench\\p" + Nummer(k, 4) + ".exe \"%1\"");
    if (k % 7 == 0) {
        Schreiben(r, klasse + "\\CLSID", Clsid(k));
        Schreiben(r, "CLSID\\" + Clsid(k) + "\\DefaultIcon", "C:\\Programme\\Bench\\c.dll,3");
    } else if (k % 3 != 0) {
        Schreiben(r, klasse + "\\DefaultIcon", "C:\\Programme\\Bench\\p" + Nummer(k, 4) + ".exe,0");
    }
}

void RegistryAufbauen(HKEY r, const Aufbau& a) {
    for (int k = 0; k < a.klassen; ++k) KlasseAufbauen(r, k);
    for (int e = 0; e < kErweiterungen; ++e) Schreiben(r, Punkt(e), Klasse(a.klasseVon[e]));
    const int progIds = kSchluessel - kErweiterungen - a.klassen - 1;  // one more is "CLSID"
    for (int i = 0; i < progIds; ++i) Schreiben(r, "Bench.ProgId." + Nummer(i, 4), "Komponente " + Nummer(i, 4));
}

// The listed types, as the backup store would hold them: every value changed. Numbers past
// the last extension stand for types that HKEY_CLASSES_ROOT does not know yet.
std::vector<int> Auswahl(int typen) {
    std::vector<int> e;
    const int schritt = typen >= kErweiterungen ? 1 : kErweiterungen / typen;
    for (int i = 0; i < typen; ++i) e.push_back(i * schritt);
    return e;
}

Dateityp Zeile(int e) {
    Dateityp t;
    t.Erweiterung = Erweiterung(e);
    t.Bezeichnung = "Neu " + Nummer(e, 4);
    t.Oeffnen = "C:\\Neu\\n" + Nummer(e, 4) + ".exe \"%1\"";
    if (e % 2 == 0) t.Symbol = "C:\\Neu\\n" + Nummer(e, 4) + ".exe,1";
    return t;
}

// Puts back every key a run over these types may have written or made.
void Zuruecksetzen(HKEY r, const Aufbau& a, const std::vector<int>& typen) {
    for (int e : typen) {
        RegBaumLoeschen(r, "", EigenerSchluessel(Erweiterung(e)));
        RegBaumLoeschen(r, "", Punkt(e));
        if (e >= kErweiterungen) continue;
        const int k = a.klasseVon[e];
        RegBaumLoeschen(r, "", Klasse(k));
        KlasseAufbauen(r, k);
        Schreiben(r, Punkt(e), Klasse(k));
    }
    SicherungLoeschen();
}

void BlosserDurchlauf() {
    Erweiterungsschluessel([](const char* name) { Wert(HKEY_CLASSES_ROOT, name); });
}

// The bare pass, the store, and the description, command and icon of every stored type.
void Lesepass() {
    std::unordered_map<std::string, std::string> klasse;
    Erweiterungsschluessel([&](const char* name) { klasse[name] = Wert(HKEY_CLASSES_ROOT, name); });
    std::vector<std::string> namen;
    HKEY store = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SicherungPfad().c_str(), 0, KEY_READ, &store) != ERROR_SUCCESS) return;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name;
        if (RegEnumKeyExA(store, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        namen.emplace_back(name, n);
    }
    for (const std::string& n : namen) {
        HKEY typ = nullptr;
        if (RegOpenKeyExA(store, n.c_str(), 0, KEY_QUERY_VALUE, &typ) != ERROR_SUCCESS) continue;
        for (const char* wert : {"Bezeichnung", "Oeffnen", "Symbol"}) {
            char puffer[1024];
            DWORD groesse = sizeof puffer;
            RegQueryValueExA(typ, wert, nullptr, nullptr, reinterpret_cast<BYTE*>(puffer), &groesse);
        }
        RegCloseKey(typ);
        const std::string k = klasse["." + n];
        Wert(HKEY_CLASSES_ROOT, k);
        Wert(HKEY_CLASSES_ROOT, k + "\\shell\\open\\command");
        Wert(HKEY_CLASSES_ROOT, k + "\\DefaultIcon");
    }
    RegCloseKey(store);
}

// Unveraendert loads the store into a plain list; ImFenster into the main window's list, as the
// system start does, so that the difference is what the window's list costs.
enum class Lauf { Wiederherstellen, Unveraendert, ImFenster, Speichern };

struct Messung {
    const char* was;
    int typen;
    Lauf lauf;
    double zeit = 0, bloss = 0;
};

void Messen(frmMain& haupt, HKEY r, const Aufbau& a, Messung& m, int laeufe) {
    const std::vector<int> typen = Auswahl(m.typen);
    std::vector<double> zeiten, bloss, verhaeltnis;
    for (int lauf = 0; lauf < laeufe; ++lauf) {
        Zuruecksetzen(r, a, typen);
        haupt.lvwMain().Leeren();
        for (int e : typen) haupt.lvwMain().Hinzufuegen(Zeile(e));
        const bool unveraendert = m.lauf == Lauf::Unveraendert || m.lauf == Lauf::ImFenster;
        if (unveraendert) {
            // Stored, and restored once: from then on nothing differs.
            for (int e : typen) SicherungSchreiben(Zeile(e));
            SicherungWiederherstellen(haupt.lvwMain(), nullptr);
        }
        std::vector<double> pass;
        for (int i = 0; i < 3; ++i) {
            const double anfang = Uhr();
            unveraendert ? Lesepass() : BlosserDurchlauf();
            pass.push_back(Uhr() - anfang);
        }
        bloss.push_back(Median(pass));
        const double anfang = Uhr();
        if (m.lauf == Lauf::Speichern) {
            haupt.mnuSpeichern_Click();
        } else if (m.lauf == Lauf::Wiederherstellen) {
            SicherungWiederherstellen(haupt.lvwMain(), nullptr);
        } else if (m.lauf == Lauf::ImFenster) {
            haupt.lvwMain().Leeren();
            OhneZeichnen still(haupt.lvwMain().hwnd());  // as the system start holds it
            SicherungLaden(haupt.lvwMain());
            SicherungWiederherstellen(haupt.lvwMain(), nullptr);
        } else {
            Typliste gespeichert;
            SicherungLaden(gespeichert);
            SicherungWiederherstellen(gespeichert, nullptr);
        }
        zeiten.push_back(Uhr() - anfang);
        // Each run against the floor of its own run: other work on the machine shifts both alike.
        verhaeltnis.push_back(zeiten.back() / bloss.back());
    }
    Zuruecksetzen(r, a, typen);
    m.zeit = Median(zeiten);
    m.bloss = Median(bloss);
    std::printf("%-9s %4d types: %7.3f s, %s %.3f s, ratio %.2f (%.2f-%.2f; medians of %d)\n", m.was, m.typen,
                m.zeit, m.lauf == Lauf::Unveraendert || m.lauf == Lauf::ImFenster ? "read floor" : "bare pass", m.bloss, Median(verhaeltnis),
                *std::min_element(verhaeltnis.begin(), verhaeltnis.end()),
                *std::max_element(verhaeltnis.begin(), verhaeltnis.end()), laeufe);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int laeufe = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string scratch = ScratchPfad();
    HKEY klassen = nullptr, benutzer = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, (scratch + "\\HKCR").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &klassen, nullptr);
    RegCreateKeyExA(HKEY_CURRENT_USER, (scratch + "\\HKCU").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &benutzer, nullptr);
    if (!klassen || !benutzer) {
        std::fprintf(stderr, "scratch keys cannot be made\n");
        return 1;
    }
    const Aufbau aufbau = Verteilen();
    const double beginn = Uhr();
    RegistryAufbauen(klassen, aufbau);
    std::printf("scratch registry: %lu top-level keys, %d extension keys, %d classes, built in %.2f s\n",
                static_cast<unsigned long>(Unterschluessel(klassen)), kErweiterungen, aufbau.klassen,
                Uhr() - beginn);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, klassen);
    RegOverridePredefKey(HKEY_CURRENT_USER, benutzer);

    Optionen = Einstellungen{};
    Optionen.Sicherheitsabfrage = 0;
    Optionen.Speichermeldung = 0;
    int fragen = 0;
    MeldungErsetzen([&](const std::string&, UINT, const std::string&) {
        ++fragen;
        return IDYES;
    });
    int rc = 0;
    frmMain haupt;
    if (haupt.Erstellen() != 0) {
        std::fprintf(stderr, "no window (is DISPLAY set?)\n");
        rc = 1;
    } else {
        Messung m[] = {{"restore", 50, Lauf::Wiederherstellen}, {"restore", 1000, Lauf::Wiederherstellen},
                       {"unchanged", 50, Lauf::Unveraendert}, {"unchanged", 1000, Lauf::Unveraendert},
                       {"+ window", 1000, Lauf::ImFenster},
                       {"save", 50, Lauf::Speichern}};
        for (Messung& x : m) Messen(haupt, klassen, aufbau, x, laeufe);
        std::printf("shared-key questions answered: %d\n", fragen);
        std::printf("restore per type beyond the bare pass: %.2f ms (50), %.2f ms (1000)\n",
                    (m[0].zeit - m[0].bloss) * 1000 / 50, (m[1].zeit - m[1].bloss) * 1000 / 1000);
    }
    haupt.Schliessen();
    MeldungErsetzen(nullptr);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(klassen);
    RegCloseKey(benutzer);
    ScratchEntfernen();
    return rc;
}
