// The least work a system-start run must do, as a process of its own, for autostart_bench to
// measure Endwart.exe /autostart against:
//
//   autostart_boden.exe lesen        nothing changed: read the three values of every type
//   autostart_boden.exe schreiben    everything changed: write them
//
// Both enumerate HKEY_CLASSES_ROOT once and read the class name of every extension key (the
// shared-key check needs them all), and read the backup store. Then, for every stored type
// whose extension names a class: its description, open command and icon location, read or
// written ("DefaultIcon" only when the stored one is not empty). Nothing else: no window, no
// log, no check. Straight through the API, independent of the program's code.
#include <windows.h>

#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

const char kStore[] = "Software\\RHM\\Endungswart\\Classes";

std::string Gross(std::string s) {
    CharUpperBuffA(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

std::string Abfragen(HKEY h, const char* name) {
    char puffer[1024];
    DWORD groesse = sizeof puffer - 1, typ = 0;
    std::string wert;
    if (RegQueryValueExA(h, name, nullptr, &typ, reinterpret_cast<BYTE*>(puffer), &groesse) == ERROR_SUCCESS &&
        (typ == REG_SZ || typ == REG_EXPAND_SZ)) {
        puffer[groesse] = 0;
        wert = puffer;
    }
    return wert;
}

std::string Lesen(HKEY root, const std::string& pfad, const char* name) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, pfad.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return {};
    std::string wert = Abfragen(h, name);
    RegCloseKey(h);
    return wert;
}

void Schreiben(const std::string& pfad, const std::string& wert) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, pfad.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(h, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(wert.c_str()), static_cast<DWORD>(wert.size() + 1));
    RegCloseKey(h);
}

struct Typ {
    std::string erweiterung, bezeichnung, oeffnen, symbol;
};

}  // namespace

int main(int argc, char** argv) {
    const bool schreiben = argc > 1 && std::strcmp(argv[1], "schreiben") == 0;
    std::unordered_map<std::string, std::string> klasseVon;  // ".EXT" -> class
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name;
        LONG rc = RegEnumKeyExA(HKEY_CLASSES_ROOT, i, name, &n, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS) break;
        if (n >= 2 && name[0] == '.') klasseVon[Gross(name)] = Lesen(HKEY_CLASSES_ROOT, name, "");
    }

    std::vector<Typ> typen;
    HKEY store = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kStore, 0, KEY_ENUMERATE_SUB_KEYS, &store) == ERROR_SUCCESS) {
        for (DWORD i = 0;; ++i) {
            DWORD n = sizeof name;
            if (RegEnumKeyExA(store, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            typen.push_back({name, "", "", ""});
        }
        for (Typ& t : typen) {
            HKEY h = nullptr;
            if (RegOpenKeyExA(store, t.erweiterung.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) continue;
            t.bezeichnung = Abfragen(h, "Bezeichnung");
            t.oeffnen = Abfragen(h, "Oeffnen");
            t.symbol = Abfragen(h, "Symbol");
            RegCloseKey(h);
        }
        RegCloseKey(store);
    }

    int gefunden = 0;
    for (const Typ& t : typen) {
        auto k = klasseVon.find(Gross("." + t.erweiterung));
        if (k == klasseVon.end() || k->second.empty()) continue;
        const std::string& klasse = k->second;
        ++gefunden;
        if (schreiben) {
            Schreiben(klasse, t.bezeichnung);
            Schreiben(klasse + "\\shell\\open\\command", t.oeffnen);
            if (!t.symbol.empty()) Schreiben(klasse + "\\DefaultIcon", t.symbol);
        } else {
            Lesen(HKEY_CLASSES_ROOT, klasse, "");
            Lesen(HKEY_CLASSES_ROOT, klasse + "\\shell\\open\\command", "");
            Lesen(HKEY_CLASSES_ROOT, klasse + "\\DefaultIcon", "");
        }
    }
    // How many of the stored types it found, for the bench to check.
    return gefunden;
}
