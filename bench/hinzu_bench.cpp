// How long the add/remove dialog takes to open on a registry of Windows 10 size, against a
// bare pass that enumerates HKEY_CLASSES_ROOT and reads the same values.
//
//   wine hinzu_bench.exe [runs]
//
// Builds its own scratch classes (about 6,000 subkeys, 900 of them extension keys) under
// HKEY_CURRENT_USER, redirects HKEY_CLASSES_ROOT there, and removes everything at the end.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Benchhilfen.h"
#include "platform/Registry.h"
#include "platform/Seams.h"
#include "ui/dialogs/frmHinzu.h"
#include "ui/main/frmMain.h"

namespace {

constexpr int kErweiterungen = 900, kKlassen = 700, kProgIds = 4400;

// The mix of a grown machine: most extensions fully registered, some sharing a class, some
// with the icon only through CLSID, some without class or command, and many keys that are
// no extension at all.
void RegistryAufbauen(HKEY k) {
    for (int i = 0; i < kKlassen; ++i) {
        std::string klasse = "Bench.Klasse." + Nummer(i, 4);
        Schreiben(k, klasse, "Bench-Dateityp " + Nummer(i, 4));
        if (i % 10 != 9) Schreiben(k, klasse + "\\shell\\open\\command", "C:\\Programme\\Bench\\p" + Nummer(i, 4) + ".exe \"%1\"");
        if (i % 7 == 0) {
            std::string clsid = "{BE000000-0000-0000-0000-00000000" + Nummer(i, 4) + "}";
            Schreiben(k, klasse + "\\CLSID", clsid);
            Schreiben(k, "CLSID\\" + clsid + "\\DefaultIcon", "C:\\Programme\\Bench\\c.dll,3");
        } else if (i % 3 != 0) {
            Schreiben(k, klasse + "\\DefaultIcon", "C:\\Programme\\Bench\\p" + Nummer(i, 4) + ".exe,0");
        }
    }
    for (int i = 0; i < kErweiterungen; ++i) {
        std::string ext = ".b" + Nummer(i, 3);
        if (i < kKlassen) Schreiben(k, ext, "Bench.Klasse." + Nummer(i, 4));
        else if (i < kKlassen + 100) Schreiben(k, ext, "Bench.Klasse." + Nummer(i % 50, 4));  // shared
        else if (i < kKlassen + 150) Schreiben(k, ext, "Bench.Fehlt." + Nummer(i, 4));
        else Schreiben(k, ext + "\\OpenWithProgids", "");  // no class at all
    }
    for (int i = 0; i < kProgIds; ++i)
        Schreiben(k, "Bench.ProgId." + Nummer(i, 4), "Komponente " + Nummer(i, 4));
}

size_t BlosserDurchlauf() {
    size_t gefunden = 0;
    Erweiterungsschluessel([&](const char* name) {
        std::string klasse = Wert(HKEY_CLASSES_ROOT, name);
        if (klasse.empty()) return;
        std::string bez = Wert(HKEY_CLASSES_ROOT, klasse);
        if (bez.empty()) return;
        std::string befehl = Wert(HKEY_CLASSES_ROOT, klasse + "\\shell\\open\\command");
        if (befehl.empty()) return;
        std::string symbol = Wert(HKEY_CLASSES_ROOT, klasse + "\\DefaultIcon");
        if (symbol.empty()) {
            std::string clsid = Wert(HKEY_CLASSES_ROOT, klasse + "\\CLSID");
            if (!clsid.empty()) symbol = Wert(HKEY_CLASSES_ROOT, "CLSID\\" + clsid + "\\DefaultIcon");
        }
        ++gefunden;
    });
    return gefunden;
}

}  // namespace

int main(int argc, char** argv) {
    const int laeufe = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string scratch = ScratchPfad();
    HKEY klassen = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &klassen,
                        nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "scratch key cannot be made\n");
        return 1;
    }
    const double aufbau = Uhr();
    RegistryAufbauen(klassen);
    const DWORD unterschluessel = Unterschluessel(klassen);
    std::printf("scratch registry: %lu subkeys, %d extension keys, built in %.2f s\n",
                static_cast<unsigned long>(unterschluessel), kErweiterungen, Uhr() - aufbau);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, klassen);

    int rc = 0;
    frmMain haupt;
    if (haupt.Erstellen() != 0) {
        std::fprintf(stderr, "no window (is DISPLAY set?)\n");
        rc = 1;
    } else {
        for (int i = 0; i < 20; ++i) {
            Dateityp t;
            t.Erweiterung = Nummer(i * 30, 3).insert(0, 1, 'B');
            t.Bezeichnung = "Beobachtet";
            t.Oeffnen = "x.exe";
            haupt.lvwMain().Hinzufuegen(t);
        }
        std::vector<double> dialog, bloss;
        size_t links = 0, gefunden = 0;
        double anfang = 0;
        DialogBereitErsetzen([&](HWND h) {
            Dialog& d = *Dialog::Von(h);
            dialog.push_back(Uhr() - anfang);
            links = static_cast<frmHinzu&>(d).lvwLinks().Anzahl();
            d.Beenden(IDCANCEL);
        });
        for (int i = 0; i < laeufe; ++i) {
            anfang = Uhr();
            frmHinzu hinzu(haupt.lvwMain());
            hinzu.Zeigen(haupt.hwnd());
            anfang = Uhr();
            gefunden = BlosserDurchlauf();
            bloss.push_back(Uhr() - anfang);
        }
        DialogBereitErsetzen(nullptr);
        const double d = Median(dialog), b = Median(bloss);
        std::printf("add/remove dialog open: %.3f s (median of %d), %lu types on the left\n", d, laeufe,
                    static_cast<unsigned long>(links));
        std::printf("bare pass:              %.3f s (median of %d), %lu usable types\n", b, laeufe,
                    static_cast<unsigned long>(gefunden));
        std::printf("ratio dialog / bare:    %.2f\n", b > 0 ? d / b : 0.0);
    }
    haupt.Schliessen();
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(klassen);
    ScratchEntfernen();
    return rc;
}
