#include "filetypes/Dateityp.h"

#include <windows.h>

#include "app/Text.h"
#include "registry/Registry.h"

namespace {

std::string Standardwert(const std::string& pfad) {
    return RegWertLesen(HKEY_CLASSES_ROOT, pfad, "", "");
}

}  // namespace

std::string SchluesselLesen(const std::string& Erweiterung) {
    return Standardwert("." + Erweiterung);
}

bool SchluesselBrauchbar(const std::string& s) {
    return !s.empty() && s.front() != '.' && s.front() != '\\' && !Trimmen(s).empty();
}

bool IstErweiterungsSchluessel(const std::string& name) {
    return name.size() > 1 && name.front() == '.';
}

std::string SymbolLesen(const std::string& Schluessel) {
    std::string symbol = Standardwert(Schluessel + "\\DefaultIcon");
    if (symbol.empty()) {
        std::string clsid = Standardwert(Schluessel + "\\CLSID");
        if (!clsid.empty()) symbol = Standardwert("CLSID\\" + clsid + "\\DefaultIcon");
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

namespace {

// Whether the class key's registry values agree with the type, or the other extension is
// itself in the working list with the type's values.
bool WerteGleich(const Dateityp& typ, const Arbeitsliste& liste, const std::string& andere,
                 Pruefung& p) {
    p.RegBezeichnung = Standardwert(typ.Schluessel);
    bool gleich = p.RegBezeichnung == typ.Bezeichnung &&
                  GleichOhneFall(Standardwert(typ.Schluessel + "\\shell\\open\\command"),
                                 typ.Oeffnen) &&
                  (typ.Symbol.empty() || GleichOhneFall(SymbolLesen(typ.Schluessel), typ.Symbol));
    if (gleich) return true;

    std::string ohnePunkt = andere.substr(1);
    for (size_t i = 0; i < liste.Anzahl(); ++i) {
        Dateityp zeile = liste.Eintrag(i);
        if (!GleichOhneFall(zeile.Erweiterung, ohnePunkt)) continue;
        return zeile.Bezeichnung == typ.Bezeichnung && GleichOhneFall(zeile.Oeffnen, typ.Oeffnen) &&
               GleichOhneFall(zeile.Symbol, typ.Symbol);
    }
    return false;
}

}  // namespace

Pruefung GemeinsamenSchluesselPruefen(const Dateityp& typ, const Arbeitsliste& liste) {
    Pruefung p;
    // Without a usable class name there is nothing to share; the writers give the type a key
    // of its own.
    if (!SchluesselBrauchbar(typ.Schluessel)) return p;
    const std::string eigene = Gross(std::string(".").append(typ.Erweiterung));
    RegUnterschluessel(HKEY_CLASSES_ROOT, "", [&](const std::string& name) {
        if (!IstErweiterungsSchluessel(name) || Gross(name) == eigene) return true;
        // Key names are case-insensitive: "JPEGFILE" and "jpegfile" are one class key.
        if (!GleichOhneFall(Standardwert(name), typ.Schluessel)) return true;
        p.Gemeinsam = true;
        p.AndereErweiterung = name;
        p.GleicheWerte = WerteGleich(typ, liste, name, p);
        return p.GleicheWerte;  // the first extension that disagrees ends the search
    });
    return p;
}
