#include "filetypes/Wiederherstellen.h"

#include <windows.h>

#include "platform/Text.h"
#include "platform/Registry.h"

namespace {

bool Schreiben(const std::string& pfad, const std::string& wert) {
    return RegWertSchreiben(HKEY_CLASSES_ROOT, pfad, "", wert);
}

// Entries for one type: the differences found before writing, each marked when the write
// failed; a failed type without differences still gets one entry.
void Protokollieren(const Dateityp& typ, const Dateityp& vorgefunden, const std::string& ziel, bool geschrieben,
                    std::vector<Protokolleintrag>& protokoll) {
    const std::string datum = Zeitstempel();
    std::vector<Protokolleintrag> neu = Unterschiede(typ, vorgefunden, ziel, datum);
    if (!geschrieben) {
        for (Protokolleintrag& e : neu) e.Wiederhergestellt = kNichtGeschrieben;
        if (neu.empty()) neu.push_back({datum, typ.Erweiterung, kWertDateityp, "", kNichtGeschrieben});
    }
    protokoll.insert(protokoll.end(), neu.begin(), neu.end());
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

bool TypSchreiben(const Dateityp& typ, bool inPlatz, Klassenindex& index) {
    if (inPlatz) return InKlassenschluesselSchreiben(typ);
    const bool ok = EigenenSchluesselSchreiben(typ);
    index.EigenerSchluesselGeschrieben(typ.Erweiterung);
    return ok;
}

std::vector<Protokolleintrag> SicherungWiederherstellen(const Arbeitsliste& liste, Fortschritt* anzeige) {
    std::vector<Protokolleintrag> protokoll;
    if (liste.Anzahl() == 0) return protokoll;
    const Typliste kopie(liste);
    // One pass over HKEY_CLASSES_ROOT for the whole run, not one per type.
    Klassenindex index;
    for (size_t i = 0; i < kopie.Anzahl(); ++i) {
        Dateityp typ = kopie.Eintrag(i);
        if (!ErweiterungBrauchbar(typ.Erweiterung)) continue;
        const bool inPlatz = InPlatzSchreibbar(typ, kopie, index);
        // Read before writing: afterwards the registry holds the stored values.
        const Dateityp vorgefunden = VorgefundenLesen(typ.Erweiterung, typ.Schluessel);
        const bool geschrieben = TypSchreiben(typ, inPlatz, index);
        Protokollieren(typ, vorgefunden, inPlatz ? typ.Schluessel : EigenerSchluessel(typ.Erweiterung),
                       geschrieben, protokoll);
        if (anzeige) anzeige->Zeigen(typ);
    }
    return protokoll;
}
