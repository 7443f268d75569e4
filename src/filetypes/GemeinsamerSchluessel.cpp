#include "filetypes/GemeinsamerSchluessel.h"

#include "platform/Text.h"

namespace {

// Whether the other extension `andere` (with its dot), which uses typ's class key, agrees:
// the class key's values (`registriert`) equal the type's, or `andere` is a line of `liste`
// with the type's values. Leaves the class key's description in p.RegBezeichnung.
bool GemeinsameWerteVergleichen(const Dateityp& typ, const Arbeitsliste& liste, const std::string& andere,
                                const Dateityp& registriert, Pruefung& p) {
    p.RegBezeichnung = registriert.Bezeichnung;
    bool gleich = p.RegBezeichnung == typ.Bezeichnung && GleichOhneFall(registriert.Oeffnen, typ.Oeffnen) &&
                  (typ.Symbol.empty() || GleichOhneFall(registriert.Symbol, typ.Symbol));
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

Pruefung GemeinsamenSchluesselPruefen(const Dateityp& typ, const Arbeitsliste& liste,
                                      const Klassenindex& index, const Dateityp& registriert) {
    Pruefung p;
    // Without a usable class name there is nothing to share; the writers give the type a key
    // of its own.
    if (!SchluesselBrauchbar(typ.Schluessel)) return p;
    const std::string eigene = Gross(std::string(".").append(typ.Erweiterung));
    for (const std::string& name : index.Erweiterungen(typ.Schluessel)) {
        if (Gross(name) == eigene) continue;
        p.Gemeinsam = true;
        p.AndereErweiterung = name;
        p.GleicheWerte = GemeinsameWerteVergleichen(typ, liste, name, registriert, p);
        if (!p.GleicheWerte) break;  // the first extension that disagrees ends the search
    }
    return p;
}
