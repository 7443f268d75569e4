#include "filetypes/Speichern.h"

#include <windows.h>

#include <vector>

#include "platform/Registry.h"
#include "platform/Text.h"
#include "filetypes/Schreibziel.h"
#include "filetypes/Sicherung.h"

namespace {

enum class Ausgang { Geschrieben, Abgelehnt, Fehlgeschlagen };

bool Enthaelt(const std::vector<std::string>& namen, const std::string& name) {
    for (const std::string& n : namen)
        if (GleichOhneFall(n, name)) return true;
    return false;
}

// Removes the store entries of types that were not in the list when the save began, or that
// the user declined. Names that cannot be extensions are not the save's to judge. Returns the
// entries that could not be removed.
std::vector<std::string> StoreBereinigen(const Arbeitsliste& erfasst, const std::vector<std::string>& abgelehnt) {
    std::vector<std::string> erweiterungen;
    for (size_t i = 0; i < erfasst.Anzahl(); ++i) erweiterungen.push_back(erfasst.Eintrag(i).Erweiterung);
    std::vector<std::string> alt, geblieben;
    RegUnterschluessel(HKEY_CURRENT_USER, SicherungPfad(), [&](const std::string& name) {
        alt.push_back(name);
        return true;
    });
    for (const std::string& name : alt) {
        if (!ErweiterungBrauchbar(name)) continue;
        if (Enthaelt(erweiterungen, name) && !Enthaelt(abgelehnt, name)) continue;
        if (!RegBaumLoeschen(HKEY_CURRENT_USER, SicherungPfad(), name)) geblieben.push_back(name);
    }
    return geblieben;
}

// The list again as the store holds it, except that types that could not be written keep
// the values the user gave them.
void ListeNeuLaden(Arbeitsliste& liste, const Arbeitsliste& erfasst,
                   const std::vector<std::string>& fehlgeschlagen) {
    Typliste gespeichert;
    SicherungLaden(gespeichert);
    liste.Leeren();
    for (size_t i = 0; i < gespeichert.Anzahl(); ++i)
        if (!Enthaelt(fehlgeschlagen, gespeichert.Eintrag(i).Erweiterung)) liste.Hinzufuegen(gespeichert.Eintrag(i));
    for (size_t i = 0; i < erfasst.Anzahl(); ++i)
        if (Enthaelt(fehlgeschlagen, erfasst.Eintrag(i).Erweiterung)) liste.Hinzufuegen(erfasst.Eintrag(i));
}

// The names of the list's lines.
std::vector<std::string> Namen(const Arbeitsliste& liste) {
    std::vector<std::string> namen;
    for (size_t i = 0; i < liste.Anzahl(); ++i) namen.push_back(liste.Eintrag(i).Erweiterung);
    return namen;
}

// Writes one type; the store only when every write into HKEY_CLASSES_ROOT succeeded, so that
// it never claims a state the registry does not hold.
Ausgang TypSpeichern(Dateityp& typ, const Arbeitsliste& erfasst, Klassenindex& index,
                     Speicherfenster& fenster, Fortschritt* anzeige) {
    // The yield comes before the read: a value that another program changes meanwhile is
    // compared as it then is, and not skipped as unchanged. After the question, the type goes
    // into a key of its own, which the writing reads afresh.
    fenster.Zwischendurch();
    Pruefung p;
    const Klassenstand stand = KlasseDesTyps(typ, index);
    const Schreibziel ziel = ZielWaehlen(typ, erfasst, index, stand, &p);
    if (p.Gemeinsam && !p.GleicheWerte && !fenster.EigenenSchluesselBestaetigen(typ.Erweiterung, p.RegBezeichnung))
        return Ausgang::Abgelehnt;
    bool ok = TypSchreiben(typ, ziel, stand, index);
    if (anzeige) anzeige->Zeigen(typ);
    ok = ok && SicherungSchreiben(typ);
    return ok ? Ausgang::Geschrieben : Ausgang::Fehlgeschlagen;
}

// The main window locked for as long as the writing runs, and the progress window closed after
// it, whatever ends it: an exception must not leave the window disabled.
class Schreibphase {
public:
    explicit Schreibphase(Speicherfenster& f) : f_(f) { f_.Sperren(true); }
    ~Schreibphase() {
        f_.Sperren(false);
        f_.FortschrittSchliessen();
    }
    Schreibphase(const Schreibphase&) = delete;
    Schreibphase& operator=(const Schreibphase&) = delete;

private:
    Speicherfenster& f_;
};

}  // namespace

Speicherergebnis Speichern(Arbeitsliste& liste, Speicherfenster& fenster, bool fragen) {
    Speicherergebnis ergebnis;
    if (fragen && !fenster.SpeichernBestaetigen()) return ergebnis;
    if (liste.Anzahl() == 0) {
        if (fragen && !fenster.AllesEntfernenBestaetigen()) return ergebnis;
        SicherungLoeschen();
        ergebnis.Fertig = true;
        // What could not be deleted is still watched, and shown.
        SicherungLaden(liste);
        ergebnis.NichtEntfernt = Namen(liste);
        return ergebnis;
    }

    // The store is written over in place and pruned only at the end, so that an interrupted
    // save never costs a watched type. Everything goes over the list as it is now.
    const Typliste erfasst(liste);
    {
        Schreibphase phase(fenster);
        Fortschritt* anzeige = fenster.FortschrittOeffnen();
        // One pass over HKEY_CLASSES_ROOT for the whole save, not one per type.
        Klassenindex index;
        std::vector<std::string> abgelehnt;
        for (size_t i = 0; i < erfasst.Anzahl(); ++i) {
            Dateityp typ = erfasst.Eintrag(i);
            switch (TypSpeichern(typ, erfasst, index, fenster, anzeige)) {
                case Ausgang::Geschrieben: break;
                case Ausgang::Abgelehnt: abgelehnt.push_back(typ.Erweiterung); break;
                case Ausgang::Fehlgeschlagen: ergebnis.Fehlgeschlagen.push_back(typ.Erweiterung); break;
            }
        }
        ergebnis.NichtEntfernt = StoreBereinigen(erfasst, abgelehnt);
        for (const std::string& name : abgelehnt)
            if (!Enthaelt(ergebnis.NichtEntfernt, name)) ergebnis.NichtMehrUeberwacht.push_back(name);
        // A type that is still stored is still watched: the list shows it until it is gone.
        if (!abgelehnt.empty() || !ergebnis.NichtEntfernt.empty())
            ListeNeuLaden(liste, erfasst, ergebnis.Fehlgeschlagen);
    }
    ergebnis.Fertig = ergebnis.Fehlgeschlagen.empty();
    return ergebnis;
}
