#include "filetypes/Wiederherstellen.h"

#include <windows.h>

#include "app/Text.h"
#include "registry/Registry.h"

namespace {

void Schreiben(const std::string& pfad, const std::string& wert) {
    RegWertSchreiben(HKEY_CLASSES_ROOT, pfad, "", wert);
}

}  // namespace

std::string EigenerSchluessel(const std::string& Erweiterung) {
    return Klein(Erweiterung) + "-datei";
}

void InKlassenschluesselSchreiben(const Dateityp& typ) {
    if (!SchluesselBrauchbar(typ.Schluessel)) return;
    Schreiben(typ.Schluessel, typ.Bezeichnung);
    Schreiben(typ.Schluessel + "\\shell\\open\\command", typ.Oeffnen);
    // An empty icon location never removes or overwrites one.
    if (typ.Symbol.empty()) return;
    Schreiben(typ.Schluessel + "\\DefaultIcon", typ.Symbol);
    std::string clsid = RegWertLesen(HKEY_CLASSES_ROOT, typ.Schluessel + "\\CLSID", "", "");
    if (clsid.empty()) return;
    std::string clsidSymbol = "CLSID\\" + clsid + "\\DefaultIcon";
    if (!RegWertLesen(HKEY_CLASSES_ROOT, clsidSymbol, "", "").empty())
        Schreiben(clsidSymbol, typ.Symbol);
}

void EigenenSchluesselSchreiben(const Dateityp& typ) {
    if (typ.Erweiterung.empty()) return;
    const std::string schluessel = EigenerSchluessel(typ.Erweiterung);
    Schreiben("." + typ.Erweiterung, schluessel);
    Schreiben(schluessel, typ.Bezeichnung);
    Schreiben(schluessel + "\\shell\\open\\command", typ.Oeffnen);
    if (!typ.Symbol.empty()) Schreiben(schluessel + "\\DefaultIcon", typ.Symbol);
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
    // One pass over HKEY_CLASSES_ROOT for the whole run, not one per type.
    Klassenindex index;
    for (size_t i = 0; i < liste.Anzahl(); ++i) {
        Dateityp typ = liste.Eintrag(i);
        if (typ.Erweiterung.empty()) continue;
        if (InPlatzSchreibbar(typ, liste, index)) {
            InKlassenschluesselSchreiben(typ);
        } else {
            EigenenSchluesselSchreiben(typ);
            index.EigenerSchluesselGeschrieben(typ.Erweiterung);
        }
        if (anzeige) anzeige->Zeigen(typ);
    }
}
