#include "filetypes/Dateityp.h"

#include <windows.h>

#include "platform/Text.h"
#include "platform/Registry.h"

namespace {

std::string Standardwert(const std::string& pfad) {
    return RegWertLesen(HKEY_CLASSES_ROOT, pfad, "", "");
}

// A key name is at most 255 characters, and the platform's ANSI calls take a path only a
// little longer: a class name must leave room for the deepest key written below it.
constexpr size_t kLaengsterName = 255;
constexpr size_t kTiefsterUnterschluessel = sizeof("\\shell\\open\\command") - 1;

// Class names that serve more than file types. The shell's keys hold what every file, folder
// or class shares, and the roots of the component registry hold no file type at all: neither
// is read as a file type's class. The classes of programs and shortcuts are file types to read
// but never to write in place: their open command runs every program.
struct Fremdname {
    const char* name;
    bool lesbar;
};
constexpr Fremdname kFremdeNamen[] = {
    {"*", false}, {"Folder", false}, {"Directory", false}, {"Drive", false},
    {"AllFilesystemObjects", false}, {"Unknown", false},
    {"CLSID", false}, {"Interface", false}, {"TypeLib", false}, {"AppID", false},
    {"Component Categories", false}, {"DirectShow", false}, {"Filter", false},
    {"MediaInterfaces", false}, {"Media Type", false}, {"MIME", false}, {"Protocols", false},
    {"Applications", false}, {"SystemFileAssociations", false}, {"Installer", false},
    {"exefile", true}, {"comfile", true}, {"batfile", true}, {"cmdfile", true},
    {"piffile", true}, {"lnkfile", true}, {"scrfile", true},
};

const Fremdname* FremderName(const std::string& s) {
    for (const Fremdname& f : kFremdeNamen)
        if (GleichOhneFall(s, f.name)) return &f;
    return nullptr;
}

// The default value of the subkey `pfad` of an open key.
RegRohwert Unterwert(HKEY key, const std::string& pfad) {
    RegSchluessel k = RegOeffnen(key, pfad);
    return k ? RegWertHolen(k.get(), "") : RegRohwert{};
}

}  // namespace

std::string SchluesselLesen(const std::string& Erweiterung) {
    return Standardwert("." + Erweiterung);
}

bool SchluesselBrauchbar(const std::string& s) {
    if (s.empty() || s.front() == '.' || Trimmen(s).empty()) return false;
    if (s.find('\\') != std::string::npos) return false;
    if (s.size() + kTiefsterUnterschluessel > kLaengsterName) return false;
    const Fremdname* fremd = FremderName(s);
    return !fremd || fremd->lesbar;
}

Klassenstand KlasseLesen(const std::string& s) {
    Klassenstand k;
    if (!SchluesselBrauchbar(s)) return k;
    RegSchluessel key = RegOeffnen(HKEY_CLASSES_ROOT, s, k.Verknuepfung);
    if (!key) return k;
    // A URL protocol is what web links run.
    k.UrlProtokoll = RegWertHolen(key.get(), "URL Protocol").Vorhanden;
    k.Bezeichnung = RegWertHolen(key.get(), "");
    k.Oeffnen = Unterwert(key.get(), "shell\\open\\command");
    k.Symbol = Unterwert(key.get(), "DefaultIcon");
    const std::string kennung = RegText(Unterwert(key.get(), "CLSID"), "");
    bool klasse = false;
    if (KlassenkennungBrauchbar(kennung)) {
        k.Klassenkennung = kennung;
        const std::string pfad = "CLSID\\" + kennung;
        RegSchluessel c = RegOeffnen(HKEY_CLASSES_ROOT, pfad);
        klasse = static_cast<bool>(c);
        k.KennungSymbol = c ? Unterwert(c.get(), "DefaultIcon") : Unterwert(HKEY_CLASSES_ROOT, pfad + "\\DefaultIcon");
    }
    // A class of the component registry rather than a file type: it names a registered class
    // identifier, or is a version-independent name that points to its current version, and
    // opens nothing. A file type may carry a class identifier too, even one whose ProgID is the
    // file type's own class name (Paint.Picture), but it has an open command.
    k.Komponente = RegText(k.Oeffnen, "").empty() && (klasse || !RegText(Unterwert(key.get(), "CurVer"), "").empty());
    return k;
}

Dateityp KlassenTyp(const std::string& Erweiterung, const std::string& Schluessel, const Klassenstand& k) {
    Dateityp typ;
    typ.Erweiterung = Erweiterung;
    typ.Schluessel = Schluessel;
    typ.Bezeichnung = RegText(k.Bezeichnung, "");
    typ.Oeffnen = RegText(k.Oeffnen, "");
    typ.Symbol = RegText(k.Symbol, "");
    if (typ.Symbol.empty()) typ.Symbol = RegText(k.KennungSymbol, "");
    return typ;
}

bool FremderSchluessel(const std::string& s, const Klassenstand& k) {
    // A link writes through to whatever it points to.
    return !SchluesselBrauchbar(s) || FremderName(s) || k.Verknuepfung || k.UrlProtokoll || k.Komponente;
}

bool FremderSchluessel(const std::string& s) {
    return !SchluesselBrauchbar(s) || FremderName(s) || FremderSchluessel(s, KlasseLesen(s));
}

bool KlassenkennungBrauchbar(const std::string& k) {
    return k.size() >= 2 && k.front() == '{' && k.back() == '}' &&
           k.find('\\') == std::string::npos &&
           ("CLSID\\" + k + "\\DefaultIcon").size() <= kLaengsterName;
}

std::string EigenerSchluessel(const std::string& Erweiterung) {
    return Klein(Erweiterung) + "-datei";
}

bool ErweiterungBrauchbar(const std::string& e) {
    return !e.empty() && e.front() != '.' && e.find_first_of("\\ ") == std::string::npos &&
           SchluesselBrauchbar(EigenerSchluessel(e));
}

bool IstErweiterungsSchluessel(const std::string& name) {
    return name.size() > 1 && name.front() == '.';
}

std::string SymbolLesen(const std::string& Schluessel) {
    std::string symbol = Standardwert(Schluessel + "\\DefaultIcon");
    if (symbol.empty()) {
        std::string clsid = Standardwert(Schluessel + "\\CLSID");
        if (KlassenkennungBrauchbar(clsid)) symbol = Standardwert("CLSID\\" + clsid + "\\DefaultIcon");
    }
    return symbol;
}

bool DateitypLesen(const std::string& Erweiterung, Dateityp& typ) {
    typ = Dateityp{};
    typ.Erweiterung = Erweiterung;
    typ.Schluessel = SchluesselLesen(Erweiterung);
    if (!SchluesselBrauchbar(typ.Schluessel)) return false;
    typ.Bezeichnung = Standardwert(typ.Schluessel);
    if (typ.Bezeichnung.empty()) return false;
    typ.Oeffnen = Standardwert(typ.Schluessel + "\\shell\\open\\command");
    if (typ.Oeffnen.empty()) return false;
    typ.Symbol = SymbolLesen(typ.Schluessel);
    return true;
}
