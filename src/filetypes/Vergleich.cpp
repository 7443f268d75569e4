#include "filetypes/Vergleich.h"

#include "platform/Text.h"
#include "filetypes/Schreibziel.h"
#include "filetypes/Sicherung.h"

namespace {

// The values of a type as the log names them, in the order a type is written.
struct Wertart {
    const char* name;
    std::string Dateityp::*feld;
    bool genau;  // compared exactly, not without regard to case
};
constexpr Wertart kWertarten[] = {
    {kWertSchluessel, &Dateityp::Schluessel, false},
    {kWertBezeichnung, &Dateityp::Bezeichnung, true},
    {kWertOeffnen, &Dateityp::Oeffnen, false},
    {kWertSymbol, &Dateityp::Symbol, false},
};

}  // namespace

std::optional<Protokolleintrag> Werteintrag(const Dateityp& g, const Dateityp& v, const std::string& ziel,
                                            const std::string& datum, const std::string& wert, bool geschrieben) {
    for (const Wertart& a : kWertarten) {
        if (wert != a.name) continue;
        const std::string& vorher = v.*a.feld;
        const std::string& nachher = a.feld == &Dateityp::Schluessel ? ziel : g.*a.feld;
        // An empty stored icon location is never written.
        const bool unterschied = !(a.genau ? vorher == nachher : GleichOhneFall(vorher, nachher)) &&
                                 !(a.feld == &Dateityp::Symbol && nachher.empty());
        if (!unterschied && geschrieben) return std::nullopt;
        return Protokolleintrag{datum, g.Erweiterung, a.name, vorher, geschrieben ? nachher : kNichtGeschrieben};
    }
    return std::nullopt;
}

std::vector<Protokolleintrag> Unterschiede(const Dateityp& g, const Dateityp& v, const std::string& ziel,
                                           const std::string& datum) {
    std::vector<Protokolleintrag> liste;
    for (const Wertart& a : kWertarten)
        if (auto e = Werteintrag(g, v, ziel, datum, a.name, true)) liste.push_back(std::move(*e));
    return liste;
}

std::vector<Protokolleintrag> JetztPruefen() {
    Typliste gespeichert;
    SicherungLaden(gespeichert);
    const std::string datum = Zeitstempel();
    std::vector<Protokolleintrag> liste;
    Klassenindex index;
    for (size_t i = 0; i < gespeichert.Anzahl(); ++i) {
        Dateityp typ = gespeichert.Eintrag(i);
        if (!ErweiterungBrauchbar(typ.Erweiterung)) continue;
        // The same decision the restore takes; it only reads.
        const Klassenstand stand = KlasseDesTyps(typ, index);
        const Schreibziel ziel = ZielWaehlen(typ, gespeichert, index, stand);
        for (Protokolleintrag& e :
             Unterschiede(typ, KlassenTyp(typ.Erweiterung, typ.Schluessel, stand), ziel.Schluessel, datum)) {
            e.Wiederhergestellt = kNichtWiederhergestellt;
            liste.push_back(std::move(e));
        }
    }
    return liste;
}
