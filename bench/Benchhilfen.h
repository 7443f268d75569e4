// What the benchmarks share: scratch keys written and read straight through the API, so that
// the figures do not depend on the layer being measured.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Registry.h"

inline void Schreiben(HKEY root, const std::string& pfad, const std::string& wert) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(root, pfad.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(h, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(wert.c_str()), static_cast<DWORD>(wert.size() + 1));
    RegCloseKey(h);
}

inline std::string Wert(HKEY root, const std::string& pfad, const char* name = "") {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, pfad.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return {};
    char puffer[1024];
    DWORD groesse = sizeof puffer - 1, typ = 0;
    std::string wert;
    if (RegQueryValueExA(h, name, nullptr, &typ, reinterpret_cast<BYTE*>(puffer), &groesse) == ERROR_SUCCESS &&
        typ == REG_SZ) {
        puffer[groesse] = 0;
        wert = puffer;
    }
    RegCloseKey(h);
    return wert;
}

inline std::string Nummer(int i, int stellen) {
    char puffer[16];
    std::snprintf(puffer, sizeof puffer, "%0*d", stellen, i);
    return puffer;
}

inline double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Calls `besuch` with the name of every extension key of HKEY_CLASSES_ROOT, in registry order.
template <class F>
void Erweiterungsschluessel(F besuch) {
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name;
        if (RegEnumKeyExA(HKEY_CLASSES_ROOT, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (n >= 2 && name[0] == '.') besuch(name);
    }
}

// This run's scratch root under HKEY_CURRENT_USER, and its removal at the end.
inline std::string ScratchPfad() { return "Software\\EndwartBench\\" + std::to_string(GetCurrentProcessId()); }

inline void ScratchEntfernen() {
    RegBaumLoeschen(HKEY_CURRENT_USER, "Software\\EndwartBench", std::to_string(GetCurrentProcessId()));
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\EndwartBench");  // only when no other run is left in it
}

inline DWORD Unterschluessel(HKEY h) {
    DWORD n = 0;
    RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, &n, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    return n;
}
