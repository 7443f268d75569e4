#include "filetypes/Schreibziel.h"

namespace {

// Enough for every key that the run's own and other extensions' keys could take; a name past
// them all is not looked for.
constexpr int kEigeneVersuche = 100;

}  // namespace

std::string EigenenSchluesselWaehlen(const std::string& Erweiterung, const Klassenindex& index) {
    if (!ErweiterungBrauchbar(Erweiterung)) return {};
    const std::string basis = EigenerSchluessel(Erweiterung);
    for (int n = 1; n <= kEigeneVersuche; ++n) {
        const std::string name = n == 1 ? basis : basis + std::to_string(n);
        if (!index.AndereNutzer(name, Erweiterung) && !FremderSchluessel(name)) return name;
    }
    return {};
}

Klassenstand KlasseDesTyps(Dateityp& typ, const Klassenindex& index) {
    if (!index.Klasse(typ.Erweiterung, typ.Schluessel)) typ.Schluessel = SchluesselLesen(typ.Erweiterung);
    return KlasseLesen(typ.Schluessel);
}

Schreibziel ZielWaehlen(const Dateityp& typ, const Arbeitsliste& liste, const Klassenindex& index,
                        const Klassenstand& stand, Pruefung* ergebnis) {
    // An extension whose class name went missing, or that points at a key serving more than
    // file types, gets a key of its own: never the root, never a protocol or a component.
    if (!FremderSchluessel(typ.Schluessel, stand)) {
        const Dateityp registriert = KlassenTyp(typ.Erweiterung, typ.Schluessel, stand);
        Pruefung p = GemeinsamenSchluesselPruefen(typ, liste, index, registriert);
        if (ergebnis) *ergebnis = p;
        if (p.GleicheWerte || !p.Gemeinsam) return {typ.Schluessel, false};
    }
    return {EigenenSchluesselWaehlen(typ.Erweiterung, index), true};
}
