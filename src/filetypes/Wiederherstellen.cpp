#include "filetypes/Wiederherstellen.h"

#include <windows.h>

#include "platform/Text.h"
#include "platform/Registry.h"

namespace {

// Enough for every key that the run's own and other extensions' keys could take; a name past
// them all is not looked for.
constexpr int kEigeneVersuche = 100;

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

std::string EigenenSchluesselWaehlen(const std::string& Erweiterung, const Klassenindex& index) {
    if (!ErweiterungBrauchbar(Erweiterung)) return {};
    const std::string basis = EigenerSchluessel(Erweiterung);
    for (int n = 1; n <= kEigeneVersuche; ++n) {
        const std::string name = n == 1 ? basis : basis + std::to_string(n);
        if (!index.AndereNutzer(name, Erweiterung) && !FremderSchluessel(name)) return name;
    }
    return {};
}

Schreibziel ZielWaehlen(Dateityp& typ, const Arbeitsliste& liste, const Klassenindex& index, Pruefung* ergebnis) {
    typ.Schluessel = SchluesselLesen(typ.Erweiterung);
    // An extension whose class name went missing, or that points at a key serving more than
    // file types, gets a key of its own: never the root, never a protocol or a component.
    if (!FremderSchluessel(typ.Schluessel)) {
        Pruefung p = GemeinsamenSchluesselPruefen(typ, liste, index);
        if (ergebnis) *ergebnis = p;
        if (p.GleicheWerte || !p.Gemeinsam) return {typ.Schluessel, false};
    }
    return {EigenenSchluesselWaehlen(typ.Erweiterung, index), true};
}

std::vector<Schreibschritt> Schreibplan(const Dateityp& typ, const Schreibziel& ziel) {
    std::vector<Schreibschritt> plan;
    const std::string& s = ziel.Schluessel;
    if (s.empty()) return plan;
    if (ziel.Eigener) plan.push_back({kWertSchluessel, "." + typ.Erweiterung, s});
    plan.push_back({kWertBezeichnung, s, typ.Bezeichnung});
    plan.push_back({kWertOeffnen, s + "\\shell\\open\\command", typ.Oeffnen});
    // An empty icon location never removes or overwrites one.
    if (typ.Symbol.empty()) return plan;
    plan.push_back({kWertSymbol, s + "\\DefaultIcon", typ.Symbol});
    if (ziel.Eigener) return plan;
    const std::string clsid = RegWertLesen(HKEY_CLASSES_ROOT, s + "\\CLSID", "", "");
    if (!KlassenkennungBrauchbar(clsid)) return plan;
    const std::string clsidSymbol = "CLSID\\" + clsid + "\\DefaultIcon";
    if (!RegWertLesen(HKEY_CLASSES_ROOT, clsidSymbol, "", "").empty())
        plan.push_back({kWertSymbol, clsidSymbol, typ.Symbol});
    return plan;
}

Schreibausgang SchrittAusfuehren(const Schreibschritt& schritt) {
    return RegWertSchreiben(HKEY_CLASSES_ROOT, schritt.Pfad, "", schritt.Daten) ? Schreibausgang::Geschrieben
                                                                               : Schreibausgang::Fehlgeschlagen;
}

bool TypSchreiben(const Dateityp& typ, const Schreibziel& ziel, Klassenindex& index) {
    const std::vector<Schreibschritt> plan = Schreibplan(typ, ziel);
    // Each step is tried even when one before it failed.
    bool ok = !plan.empty();
    for (const Schreibschritt& schritt : plan) ok = SchrittAusfuehren(schritt) == Schreibausgang::Geschrieben && ok;
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
        const Schreibziel ziel = ZielWaehlen(typ, kopie, index);
        // Read before writing: afterwards the registry holds the stored values.
        const Dateityp vorgefunden = VorgefundenLesen(typ.Erweiterung, typ.Schluessel);
        Typprotokoll log(typ, vorgefunden, ziel.Schluessel, eintraege, protokoll);
        const std::vector<Schreibschritt> plan = Schreibplan(typ, ziel);
        if (plan.empty()) log.Nichts();
        bool wertOk = true;
        for (size_t s = 0; s < plan.size(); ++s) {
            wertOk = SchrittAusfuehren(plan[s]) == Schreibausgang::Geschrieben && wertOk;
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
