#include "filetypes/Programm.h"

#include "platform/Nachgeladen.h"
#include "platform/Text.h"

namespace {

// Whether an extension that ends at `ende` also ends the program's name there. Inside a
// leading double quote only the closing quote does; the name may hold blanks.
bool EndetName(const std::string& befehl, size_t ende, bool gequotet) {
    if (ende >= befehl.size()) return true;
    char c = befehl[ende];
    return c == '"' || (!gequotet && (c == ' ' || c == '\t'));
}

}  // namespace

std::string ProgrammTeil(const std::string& befehl, std::initializer_list<const char*> endungen) {
    const std::string klein = Klein(befehl);
    const bool gequotet = Trimmen(befehl).rfind('"', 0) == 0;
    size_t erstes = std::string::npos, erstesEnde = 0;  // first occurrence of any extension
    size_t name = std::string::npos, nameEnde = 0;       // first that ends a name
    for (const char* endung : endungen) {
        const std::string e = endung;
        for (size_t p = klein.find(e); p != std::string::npos; p = klein.find(e, p + 1)) {
            if (p < erstes) {
                erstes = p;
                erstesEnde = p + e.size();
            }
            if (p < name && EndetName(befehl, p + e.size(), gequotet)) {
                name = p;
                nameEnde = p + e.size();
            }
        }
    }
    if (erstes == std::string::npos) return {};
    std::string teil = Trimmen(befehl.substr(0, name != std::string::npos ? nameEnde : erstesEnde));
    if (!teil.empty() && teil[0] == '"') teil.erase(0, 1);
    return teil;
}

std::string ProgrammSuchen(const std::string& name) {
    if (name.empty()) return {};
    char puffer[260] = {};
    char* dateiteil = nullptr;
    DWORD n = SearchPathA(nullptr, name.c_str(), nullptr, sizeof puffer, puffer, &dateiteil);
    // A larger result is the size the path would need: it did not fit.
    if (n == 0 || n >= sizeof puffer) return {};
    std::string pfad(puffer, n);
    DWORD attribute = GetFileAttributesA(pfad.c_str());
    if (attribute == INVALID_FILE_ATTRIBUTES || (attribute & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return pfad;
}

Symbolort SymbolortTeilen(const std::string& ort) {
    size_t komma = ort.find(',');
    if (komma == std::string::npos) return {Trimmen(ort), "0"};
    return {Trimmen(ort.substr(0, komma)), Trimmen(ort.substr(komma + 1))};
}

std::string SymbolortVerbinden(const std::string& datei, const std::string& index) {
    return datei + "," + index;
}

int IndexZahl(const std::string& index) {
    const std::string t = Trimmen(index);
    size_t i = 0;
    bool negativ = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negativ = t[i++] == '-';
    long wert = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
        wert = wert * 10 + (t[i] - '0');
        if (wert > 32768) wert = 32768;  // enough to know it is out of range
    }
    if (negativ) wert = -wert;
    if (wert > 32767) wert = 32767;
    return static_cast<int>(wert);
}

int SymbolAnzahlLesen(const std::string& datei) {
    if (datei.empty()) return 0;
    UINT_PTR n = reinterpret_cast<UINT_PTR>(
        nachgeladen::ExtractIconA(GetModuleHandleA(nullptr), datei.c_str(), static_cast<UINT>(-1)));
    return n > 32767 ? 32767 : static_cast<int>(n);
}

SymbolBild SymbolLaden(const std::string& datei, int index) {
    if (datei.empty() || index == -1) return {};
    HICON h = nachgeladen::ExtractIconA(GetModuleHandleA(nullptr), datei.c_str(), static_cast<UINT>(index));
    if (reinterpret_cast<UINT_PTR>(h) == 1) return {};
    return SymbolBild(h);
}

SymbolBild KleinesSymbolLaden(const std::string& datei) {
    if (datei.empty()) return {};
    // The file's own first icon at small size; Wine's SHGetFileInfoA gives every program the
    // same generic icon, so the shell's answer is only the fallback.
    HICON klein = nullptr;
    if (nachgeladen::ExtractIconExA(datei.c_str(), 0, nullptr, &klein, 1) > 0 && klein) return SymbolBild(klein);
    SHFILEINFOA info{};
    if (!nachgeladen::SHGetFileInfoA(datei.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return {};
    return SymbolBild(info.hIcon);
}
