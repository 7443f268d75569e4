#include "filetypes/Wiederherstellen.h"

#include <windows.h>

#include "platform/Registry.h"
#include "filetypes/Vergleich.h"

namespace {

// The log entries of one type, each sent off as soon as its value is written.
class Typprotokoll {
public:
    Typprotokoll(const Dateityp& typ, const Dateityp& vorgefunden, const std::string& ziel,
                 std::vector<Protokolleintrag>& alle, Protokollschreiber* datei)
        : typ_(typ), vorgefunden_(vorgefunden), ziel_(ziel), datum_(Zeitstempel()), alle_(alle), datei_(datei) {}

    void Wert(const char* wert, bool geschrieben) {
        if (auto e = Werteintrag(typ_, vorgefunden_, ziel_, datum_, wert, geschrieben)) Senden(*e);
    }

    // Nothing could be written: every difference says so, and one entry if there is none.
    void Nichts() {
        std::vector<Protokolleintrag> neu = Unterschiede(typ_, vorgefunden_, ziel_, datum_);
        if (neu.empty()) neu.push_back({datum_, typ_.Erweiterung, kWertDateityp, "", ""});
        for (Protokolleintrag& e : neu) {
            e.Wiederhergestellt = kNichtGeschrieben;
            Senden(e);
        }
    }

private:
    void Senden(const Protokolleintrag& e) {
        alle_.push_back(e);
        // A log that cannot be written stops nothing.
        if (datei_) datei_->Anhaengen({e});
    }

    const Dateityp& typ_;
    const Dateityp& vorgefunden_;
    const std::string& ziel_;
    const std::string datum_;
    std::vector<Protokolleintrag>& alle_;
    Protokollschreiber* datei_;
};

void Geschrieben(const Dateityp& typ, const Schreibziel& ziel, Klassenindex& index) {
    if (ziel.Eigener) index.EigenerSchluesselGeschrieben(typ.Erweiterung, ziel.Schluessel);
}

}  // namespace

std::vector<Schreibschritt> Schreibplan(const Dateityp& typ, const Schreibziel& ziel, const Klassenstand& stand) {
    std::vector<Schreibschritt> plan;
    const std::string& s = ziel.Schluessel;
    if (s.empty()) return plan;
    Klassenstand eigener;
    if (ziel.Eigener) {
        const std::string erweiterung = "." + typ.Erweiterung;
        const RegSchluessel zeiger = RegOeffnen(HKEY_CLASSES_ROOT, erweiterung);
        plan.push_back({kWertSchluessel, erweiterung, s, zeiger ? RegWertHolen(zeiger.get(), "") : RegRohwert{}});
        eigener = KlasseLesen(s);
    }
    const Klassenstand& k = ziel.Eigener ? eigener : stand;
    plan.push_back({kWertBezeichnung, s, typ.Bezeichnung, k.Bezeichnung});
    plan.push_back({kWertOeffnen, s + "\\shell\\open\\command", typ.Oeffnen, k.Oeffnen});
    // An empty icon location never removes or overwrites one.
    if (typ.Symbol.empty()) return plan;
    plan.push_back({kWertSymbol, s + "\\DefaultIcon", typ.Symbol, k.Symbol});
    if (ziel.Eigener || k.Klassenkennung.empty()) return plan;
    if (!RegText(k.KennungSymbol, "").empty())
        plan.push_back({kWertSymbol, "CLSID\\" + k.Klassenkennung + "\\DefaultIcon", typ.Symbol, k.KennungSymbol});
    return plan;
}

Schreibausgang SchrittAusfuehren(const Schreibschritt& schritt) {
    // A value that holds exactly this already is left alone: nothing for the system to flush.
    if (RegWertUnveraendert(schritt.Vorher, schritt.Daten)) return Schreibausgang::Unveraendert;
    return RegWertSchreiben(HKEY_CLASSES_ROOT, schritt.Pfad, "", schritt.Daten, schritt.Vorher)
               ? Schreibausgang::Geschrieben
               : Schreibausgang::Fehlgeschlagen;
}

bool TypSchreiben(const Dateityp& typ, const Schreibziel& ziel, const Klassenstand& stand, Klassenindex& index) {
    const std::vector<Schreibschritt> plan = Schreibplan(typ, ziel, stand);
    // Each step is tried even when one before it failed.
    bool ok = !plan.empty();
    for (const Schreibschritt& schritt : plan) ok = SchrittAusfuehren(schritt) != Schreibausgang::Fehlgeschlagen && ok;
    Geschrieben(typ, ziel, index);
    return ok;
}

std::vector<Protokolleintrag> SicherungWiederherstellen(const Arbeitsliste& liste, Fortschritt* anzeige,
                                                        Protokollschreiber* protokoll) {
    std::vector<Protokolleintrag> eintraege;
    if (liste.Anzahl() == 0) return eintraege;
    const Typliste kopie(liste);
    // One pass over HKEY_CLASSES_ROOT for the whole run, not one per type.
    Klassenindex index;
    for (size_t i = 0; i < kopie.Anzahl(); ++i) {
        Dateityp typ = kopie.Eintrag(i);
        if (!ErweiterungBrauchbar(typ.Erweiterung)) continue;
        const Klassenstand stand = KlasseDesTyps(typ, index);
        const Schreibziel ziel = ZielWaehlen(typ, kopie, index, stand);
        // Read before writing: afterwards the registry holds the stored values.
        const Dateityp vorgefunden = KlassenTyp(typ.Erweiterung, typ.Schluessel, stand);
        Typprotokoll log(typ, vorgefunden, ziel.Schluessel, eintraege, protokoll);
        const std::vector<Schreibschritt> plan = Schreibplan(typ, ziel, stand);
        if (plan.empty()) log.Nichts();
        bool wertOk = true;
        for (size_t s = 0; s < plan.size(); ++s) {
            wertOk = SchrittAusfuehren(plan[s]) != Schreibausgang::Fehlgeschlagen && wertOk;
            // A value's entry follows its last step.
            if (s + 1 < plan.size() && plan[s + 1].Wert == plan[s].Wert) continue;
            log.Wert(plan[s].Wert, wertOk);
            wertOk = true;
        }
        Geschrieben(typ, ziel, index);
        if (anzeige) anzeige->Zeigen(typ);
    }
    return eintraege;
}

std::vector<Protokolleintrag> SystemstartWiederherstellen(const Arbeitsliste& gespeichert, Fortschritt* anzeige) {
    // Each entry goes into the log as soon as its value is written: a run cut off loses at most
    // the one it was writing. A log that cannot be written stops nothing.
    Protokollschreiber protokoll;
    return SicherungWiederherstellen(gespeichert, anzeige, &protokoll);
}
