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

namespace {

// Data without a terminating zero is taken whole; nothing past the data is read.
std::string BisNull(const char* daten, size_t laenge) {
    size_t ende = 0;
    while (ende < laenge && daten[ende] != '\0') ++ende;
    return std::string(daten, ende);
}

}  // namespace

std::string RegWertLesen(HKEY root, const std::string& pfad, const std::string& name,
                         const std::string& vorgabe) {
    RegSchluessel key = RegOeffnen(root, pfad);
    if (!key) return vorgabe;
    // Most values are short: one query into a small buffer, and the size only when it is not.
    char klein[256];
    DWORD typ = 0, gelesen = sizeof klein;
    LONG rc = RegQueryValueExA(key.get(), name.c_str(), nullptr, &typ,
                               reinterpret_cast<BYTE*>(klein), &gelesen);
    if (rc == ERROR_SUCCESS)
        return IstText(typ) ? BisNull(klein, std::min<size_t>(gelesen, sizeof klein)) : vorgabe;
    if (rc != ERROR_MORE_DATA) return vorgabe;
    // The size is asked first and asked again if another program grows the value meanwhile.
    std::vector<char> puffer;
    for (int versuch = 0; versuch < 4; ++versuch) {
        DWORD groesse = 0;
        if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &typ, nullptr, &groesse) !=
            ERROR_SUCCESS)
            return vorgabe;
        if (!IstText(typ)) return vorgabe;
        puffer.assign(static_cast<size_t>(groesse) + 1, '\0');
        gelesen = groesse;
        rc = RegQueryValueExA(key.get(), name.c_str(), nullptr, &typ,
                              reinterpret_cast<BYTE*>(puffer.data()), &gelesen);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS || !IstText(typ)) return vorgabe;
        return BisNull(puffer.data(), std::min<size_t>(gelesen, groesse));
    }
    return vorgabe;
}

bool RegWertVorhanden(HKEY root, const std::string& pfad, const std::string& name) {
    RegSchluessel key = RegOeffnen(root, pfad);
    return key && RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegVerknuepfung(HKEY root, const std::string& pfad) {
    // A link holds its target in this value, visible only when the link itself is opened.
    // Windows 95 knows neither the option nor links; it may refuse the option, which is as good.
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, pfad.c_str(), REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return false;
    RegSchluessel key(h);
    DWORD typ = REG_NONE;
    return RegQueryValueExA(key.get(), "SymbolicLinkValue", nullptr, &typ, nullptr, nullptr) == ERROR_SUCCESS &&
           typ == REG_LINK;
}

namespace {

bool WertSetzen(HKEY root, const std::string& pfad, const std::string& name,
                const std::string& wert) {
    // A file type whose class name went missing must never land in the root of a hive.
    if (pfad.empty() || pfad.front() == '\\') return false;
    HKEY h = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, pfad.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &h, &disposition) != ERROR_SUCCESS)
        return false;
    RegSchluessel key(h);
    DWORD alt = REG_NONE;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &alt, nullptr, nullptr) != ERROR_SUCCESS)
        alt = REG_NONE;
    return RegSetValueExA(key.get(), name.c_str(), 0, alt == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ,
                          reinterpret_cast<const BYTE*>(wert.c_str()),
                          static_cast<DWORD>(wert.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace

bool RegWertSchreiben(HKEY root, const std::string& pfad, const std::string& name,
                      const std::string& wert) {
    const bool geschrieben = WertSetzen(root, pfad, name, wert);
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
