// What the log adds to the system-start run: reading each type's state before it is written,
// comparing, and writing the log file in one go, against a bare pass over HKEY_CLASSES_ROOT
// (every subkey enumerated, every extension key's class read); and the whole restore with each
// entry appended as its value is written, against the same restore without a log.
//
//   wine protokoll_bench.exe [runs]
//
// Builds its own scratch classes of a grown machine (7,171 keys, 954 of them extensions, every
// tenth class shared by two) under HKEY_CURRENT_USER, redirects HKEY_CLASSES_ROOT there, writes
// its log into the temporary folder and removes everything at the end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "filetypes/Protokoll.h"
#include "filetypes/Vergleich.h"
#include "filetypes/Wiederherstellen.h"
#include "platform/Registry.h"
#include "platform/Seams.h"

namespace {

constexpr int kErweiterungen = 954, kSchluessel = 7171;

void Schreiben(HKEY root, const std::string& pfad, const std::string& wert) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(root, pfad.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(h, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(wert.c_str()), static_cast<DWORD>(wert.size() + 1));
    RegCloseKey(h);
}

std::string Nummer(int i) {
    char puffer[16];
    std::snprintf(puffer, sizeof puffer, "%04d", i);
    return puffer;
}

std::string Klasse(int i) { return "Bench.Klasse." + Nummer(i % 10 == 9 ? i - 1 : i); }

void RegistryAufbauen(HKEY k) {
    for (int i = 0; i < kErweiterungen; ++i) {
        if (i % 10 != 9) {
            Schreiben(k, Klasse(i), "Typ " + Nummer(i));
            Schreiben(k, Klasse(i) + "\\shell\\open\\command", "C:\\Bench\\p" + Nummer(i) + ".exe \"%1\"");
            Schreiben(k, Klasse(i) + "\\DefaultIcon", "C:\\Bench\\p" + Nummer(i) + ".exe,0");
        }
        Schreiben(k, ".b" + Nummer(i), Klasse(i));  // every tenth shares the class before it
    }
    const int klassen = kErweiterungen - kErweiterungen / 10;
    for (int i = 0; i < kSchluessel - kErweiterungen - klassen; ++i)
        Schreiben(k, "Bench.ProgId." + Nummer(i), "Komponente");
}

size_t BlosserDurchlauf() {
    size_t n = 0;
    RegUnterschluessel(HKEY_CLASSES_ROOT, "", [&](const std::string& name) {
        if (IstErweiterungsSchluessel(name)) n += !SchluesselLesen(name.substr(1)).empty();
        return true;
    });
    return n;
}

// The stored types: what another program changed is the description and the command.
Typliste Gespeichert(int anzahl) {
    Typliste l;
    for (int i = 0; i < anzahl && i < kErweiterungen; ++i) {
        if (i % 10 == 9) continue;
        Dateityp t;
        t.Erweiterung = Nummer(i).insert(0, 1, 'B');
        t.Bezeichnung = "Gesichert " + Nummer(i);
        t.Oeffnen = "C:\\Gesichert\\g.exe \"%1\"";
        t.Symbol = "C:\\Bench\\p" + Nummer(i) + ".exe,0";
        l.Hinzufuegen(t);
    }
    return l;
}

// What the log adds to one run: the state before writing, the comparison, the file write. The
// class names are read by the restore anyway and are read here before the clock starts.
double Zusatz(const Typliste& liste, size_t& eintraege) {
    std::vector<std::string> schluessel;
    for (size_t i = 0; i < liste.Anzahl(); ++i) schluessel.push_back(SchluesselLesen(liste.Eintrag(i).Erweiterung));
    const double anfang = Uhr();
    std::vector<Protokolleintrag> alle;
    const std::string datum = Zeitstempel();
    for (size_t i = 0; i < liste.Anzahl(); ++i) {
        const Dateityp t = liste.Eintrag(i);
        auto neu = Unterschiede(t, KlassenTyp(t.Erweiterung, schluessel[i], KlasseLesen(schluessel[i])), schluessel[i], datum);
        alle.insert(alle.end(), neu.begin(), neu.end());
    }
    ProtokollAnhaengen(alle);
    eintraege = alle.size();
    return Uhr() - anfang;
}

// The restore as the system start runs it, over `liste`, with every stored value different
// again; with `log` each entry is appended as soon as its value is written.
double Wiederherstellen(HKEY klassen, const Typliste& liste, bool log, size_t& eintraege) {
    RegistryAufbauen(klassen);
    DeleteFileA(ProtokollDatei().c_str());
    Protokollschreiber schreiber;
    const double anfang = Uhr();
    eintraege = SicherungWiederherstellen(liste, nullptr, log ? &schreiber : nullptr).size();
    return Uhr() - anfang;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int laeufe = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string scratch = "Software\\EndwartBench\\" + std::to_string(GetCurrentProcessId());
    HKEY klassen = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &klassen,
                        nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "scratch key cannot be made\n");
        return 1;
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    ProtokollDateiErsetzen(std::string(temp) + "protokoll_bench." + std::to_string(GetCurrentProcessId()) + ".log");

    const double aufbau = Uhr();
    RegistryAufbauen(klassen);
    DWORD unterschluessel = 0;
    RegQueryInfoKeyA(klassen, nullptr, nullptr, nullptr, &unterschluessel, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    std::printf("scratch registry: %lu subkeys, %d extension keys, built in %.2f s\n",
                static_cast<unsigned long>(unterschluessel), kErweiterungen, Uhr() - aufbau);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, klassen);

    std::vector<double> bloss, zusatz50, zusatz1000;
    size_t n50 = 0, n1000 = 0;
    for (int i = 0; i < laeufe; ++i) {
        double anfang = Uhr();
        BlosserDurchlauf();
        bloss.push_back(Uhr() - anfang);
        zusatz50.push_back(Zusatz(Gespeichert(50), n50));
        zusatz1000.push_back(Zusatz(Gespeichert(kErweiterungen), n1000));
        DeleteFileA(ProtokollDatei().c_str());
    }
    // The whole restore, with and without the entries appended one by one.
    const Typliste alle = Gespeichert(kErweiterungen);
    std::vector<double> ohne, mit;
    size_t geloggt = 0;
    for (int i = 0; i < laeufe; ++i) {
        ohne.push_back(Wiederherstellen(klassen, alle, false, geloggt));
        mit.push_back(Wiederherstellen(klassen, alle, true, geloggt));
    }

    const double b = Median(bloss), z50 = Median(zusatz50), z1000 = Median(zusatz1000);
    const double o = Median(ohne), m = Median(mit);
    std::printf("bare pass:                      %.3f s (median of %d)\n", b, laeufe);
    std::printf("log's share,   45 types:        %.3f s, %lu entries, %.3f x bare pass\n", z50,
                static_cast<unsigned long>(n50), b > 0 ? z50 / b : 0.0);
    std::printf("log's share,  859 types:        %.3f s, %lu entries, %.3f x bare pass\n", z1000,
                static_cast<unsigned long>(n1000), b > 0 ? z1000 / b : 0.0);
    std::printf("restore of %lu types:          %.3f s without log, %.3f s appending each of %lu entries"
                " (%.3f ms an entry, %.2f x bare pass)\n",
                static_cast<unsigned long>(alle.Anzahl()), o, m, static_cast<unsigned long>(geloggt),
                geloggt ? (m - o) * 1000 / static_cast<double>(geloggt) : 0.0, b > 0 ? (m - o) / b : 0.0);

    DeleteFileA(ProtokollDatei().c_str());
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(klassen);
    RegBaumLoeschen(HKEY_CURRENT_USER, "Software\\EndwartBench", std::to_string(GetCurrentProcessId()));
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\EndwartBench");
    return 0;
}
