#include "platform/Registry.h"

#include <vector>

#include "platform/Seams.h"

namespace {

// Registry key names are at most 255 characters; enumeration buffers are one more.
constexpr DWORD kNamePuffer = 256;

bool IstText(DWORD typ) { return typ == REG_SZ || typ == REG_EXPAND_SZ; }

}  // namespace

RegSchluessel RegOeffnen(HKEY root, const std::string& pfad) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, pfad.c_str(), 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &h) !=
        ERROR_SUCCESS)
        return {};
    return RegSchluessel(h);
}

RegSchluessel RegOeffnen(HKEY root, const std::string& pfad, bool& verknuepfung) {
    verknuepfung = false;
    // A link holds its target in this value, visible only when the link itself is opened.
    // Windows 95 knows neither the option nor links; it may refuse the option.
    HKEY h = nullptr;
    LONG rc = RegOpenKeyExA(root, pfad.c_str(), REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &h);
    if (rc == ERROR_FILE_NOT_FOUND) return {};
    if (rc != ERROR_SUCCESS) return RegOeffnen(root, pfad);
    RegSchluessel key(h);
    DWORD typ = REG_NONE;
    verknuepfung = RegQueryValueExA(h, "SymbolicLinkValue", nullptr, &typ, nullptr, nullptr) == ERROR_SUCCESS &&
                   typ == REG_LINK;
    return verknuepfung ? RegOeffnen(root, pfad) : std::move(key);
}

namespace {

// Data without a terminating zero is taken whole; nothing past the data is read.
std::string BisNull(const char* daten, size_t laenge) {
    size_t ende = 0;
    while (ende < laenge && daten[ende] != '\0') ++ende;
    return std::string(daten, ende);
}

}  // namespace

RegRohwert RegWertHolen(HKEY key, const std::string& name) {
    // Most values are short: one query into a small buffer, and the size only when it is not.
    char klein[256];
    DWORD typ = 0, gelesen = sizeof klein;
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &typ, reinterpret_cast<BYTE*>(klein), &gelesen);
    if (rc == ERROR_SUCCESS) return {true, typ, std::string(klein, std::min<size_t>(gelesen, sizeof klein))};
    if (rc != ERROR_MORE_DATA) return {};
    // The size is asked first and asked again if another program grows the value meanwhile.
    std::vector<char> puffer;
    for (int versuch = 0; versuch < 4; ++versuch) {
        DWORD groesse = 0;
        if (RegQueryValueExA(key, name.c_str(), nullptr, &typ, nullptr, &groesse) != ERROR_SUCCESS) return {};
        if (!IstText(typ)) return {true, typ, {}};
        puffer.assign(static_cast<size_t>(groesse) + 1, '\0');
        gelesen = groesse;
        rc = RegQueryValueExA(key, name.c_str(), nullptr, &typ, reinterpret_cast<BYTE*>(puffer.data()), &gelesen);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS) return {};
        return {true, typ, std::string(puffer.data(), std::min<size_t>(gelesen, groesse))};
    }
    return {};
}

std::string RegText(const RegRohwert& wert, const std::string& vorgabe) {
    return wert.Vorhanden && IstText(wert.Typ) ? BisNull(wert.Daten.data(), wert.Daten.size()) : vorgabe;
}

bool RegWertUnveraendert(const RegRohwert& alt, const std::string& wert) {
    if (!RegVergleichen() || !alt.Vorhanden || !IstText(alt.Typ)) return false;
    // Exactly the bytes the write would store: the text, its terminator, nothing after it.
    return alt.Daten.size() == wert.size() + 1 && alt.Daten.back() == '\0' &&
           alt.Daten.compare(0, wert.size(), wert) == 0;
}

std::string RegWertLesen(HKEY root, const std::string& pfad, const std::string& name,
                         const std::string& vorgabe) {
    RegSchluessel key = RegOeffnen(root, pfad);
    return key ? RegText(RegWertHolen(key.get(), name), vorgabe) : vorgabe;
}

namespace {

bool WertSetzen(HKEY root, const std::string& pfad, const std::string& name, const std::string& wert,
                const RegRohwert* vorher) {
    // A file type whose class name went missing must never land in the root of a hive.
    if (pfad.empty() || pfad.front() == '\\') return false;
    HKEY h = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, pfad.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &h, &disposition) != ERROR_SUCCESS)
        return false;
    RegSchluessel key(h);
    DWORD alt = REG_NONE;
    if (vorher && vorher->Vorhanden)
        alt = vorher->Typ;
    else if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &alt, nullptr, nullptr) != ERROR_SUCCESS)
        alt = REG_NONE;
    return RegSetValueExA(key.get(), name.c_str(), 0, alt == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ,
                          reinterpret_cast<const BYTE*>(wert.c_str()),
                          static_cast<DWORD>(wert.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace

bool RegWertSchreiben(HKEY root, const std::string& pfad, const std::string& name,
                      const std::string& wert) {
    const bool geschrieben = WertSetzen(root, pfad, name, wert, nullptr);
    RegGeschrieben(root, pfad, name, wert, geschrieben);
    return geschrieben;
}

bool RegWertSchreiben(HKEY root, const std::string& pfad, const std::string& name, const std::string& wert,
                      const RegRohwert& vorher) {
    const bool geschrieben = WertSetzen(root, pfad, name, wert, &vorher);
    RegGeschrieben(root, pfad, name, wert, geschrieben);
    return geschrieben;
}

void RegUnterschluessel(HKEY root, const std::string& pfad,
                        const std::function<bool(const std::string&)>& besuch) {
    RegSchluessel key = RegOeffnen(root, pfad);
    if (!key) return;
    char name[kNamePuffer];
    for (DWORD index = 0;; ++index) {
        DWORD groesse = kNamePuffer;
        LONG rc = RegEnumKeyExA(key.get(), index, name, &groesse, nullptr, nullptr, nullptr,
                                nullptr);
        if (rc == ERROR_MORE_DATA) continue;  // a name the platform cannot hand over: skip it
        if (rc != ERROR_SUCCESS) return;
        if (!besuch(std::string(name, groesse))) return;
    }
}

bool RegBaumLoeschen(HKEY root, const std::string& pfad, const std::string& name) {
    if (name.empty()) return false;
    std::string voll = pfad.empty() ? name : pfad + (pfad.back() == '\\' ? "" : "\\") + name;
    // Children first: only the Windows 95 family deletes a key with subkeys in one call.
    std::vector<std::string> kinder;
    RegUnterschluessel(root, voll, [&](const std::string& kind) {
        kinder.push_back(kind);
        return true;
    });
    for (const std::string& kind : kinder) RegBaumLoeschen(root, voll, kind);

    HKEY h = nullptr;
    if (RegOpenKeyExA(root, pfad.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS) return false;
    RegSchluessel eltern(h);
    return RegDeleteKeyA(eltern.get(), name.c_str()) == ERROR_SUCCESS;
}

bool RegWertLoeschen(HKEY root, const std::string& pfad, const std::string& name) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, pfad.c_str(), 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return false;
    RegSchluessel key(h);
    return RegDeleteValueA(key.get(), name.c_str()) == ERROR_SUCCESS;
}
