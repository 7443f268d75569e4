#include "filetypes/Wiederherstellen.h"

#include <windows.h>

#include "app/Text.h"
#include "registry/Registry.h"

namespace {

bool Schreiben(const std::string& pfad, const std::string& wert) {
    return RegWertSchreiben(HKEY_CLASSES_ROOT, pfad, "", wert);
}

}  // namespace

bool InKlassenschluesselSchreiben(const Dateityp& typ) {
    if (!SchluesselBrauchbar(typ.Schluessel)) return false;
    // Each write is tried even when one before it failed.
    bool ok = Schreiben(typ.Schluessel, typ.Bezeichnung);
    ok = Schreiben(typ.Schluessel + "\\shell\\open\\command", typ.Oeffnen) && ok;
    // An empty icon location never removes or overwrites one.
    if (typ.Symbol.empty()) return ok;
    ok = Schreiben(typ.Schluessel + "\\DefaultIcon", typ.Symbol) && ok;
    std::string clsid = RegWertLesen(HKEY_CLASSES_ROOT, typ.Schluessel + "\\CLSID", "", "");
    if (!KlassenkennungBrauchbar(clsid)) return ok;
    std::string clsidSymbol = "CLSID\\" + clsid + "\\DefaultIcon";
    if (!RegWertLesen(HKEY_CLASSES_ROOT, clsidSymbol, "", "").empty())
        ok = Schreiben(clsidSymbol, typ.Symbol) && ok;
    return ok;
}

bool EigenenSchluesselSchreiben(const Dateityp& typ) {
    if (!ErweiterungBrauchbar(typ.Erweiterung)) return false;
    const std::string schluessel = EigenerSchluessel(typ.Erweiterung);
    bool ok = Schreiben("." + typ.Erweiterung, schluessel);
    ok = Schreiben(schluessel, typ.Bezeichnung) && ok;
    ok = Schreiben(schluessel + "\\shell\\open\\command", typ.Oeffnen) && ok;
    if (!typ.Symbol.empty()) ok = Schreiben(schluessel + "\\DefaultIcon", typ.Symbol) && ok;
    return ok;
}

bool InPlatzSchreibbar(Dateityp& typ, const Arbeitsliste& liste, const Klassenindex& index,
                       Pruefung* ergebnis) {
    typ.Schluessel = SchluesselLesen(typ.Erweiterung);
    // An extension whose class name went missing gets a key of its own, never the root.
    if (!SchluesselBrauchbar(typ.Schluessel)) return false;
    Pruefung p = GemeinsamenSchluesselPruefen(typ, liste, index);
    if (ergebnis) *ergebnis = p;
    return p.GleicheWerte || !p.Gemeinsam;
}

void SicherungWiederherstellen(const Arbeitsliste& liste, Fortschritt* anzeige) {
    if (liste.Anzahl() == 0) return;
    const Typliste kopie(liste);
    // One pass over HKEY_CLASSES_ROOT for the whole run, not one per type.
    Klassenindex index;
    for (size_t i = 0; i < kopie.Anzahl(); ++i) {
        Dateityp typ = kopie.Eintrag(i);
        if (!ErweiterungBrauchbar(typ.Erweiterung)) continue;
        if (InPlatzSchreibbar(typ, kopie, index)) {
            InKlassenschluesselSchreiben(typ);
        } else {
            EigenenSchluesselSchreiben(typ);
            index.EigenerSchluesselGeschrieben(typ.Erweiterung);
        }
        if (anzeige) anzeige->Zeigen(typ);
    }
}
