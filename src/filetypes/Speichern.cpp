#include "filetypes/Speichern.h"

#include <windows.h>

#include <vector>

#include "platform/Text.h"
#include "filetypes/Sicherung.h"
#include "platform/Registry.h"
#include "platform/Seams.h"

namespace {

constexpr const char* kTitel = "Endungswart - Speichern";

bool Frage(const std::string& text, UINT knoepfe = 0) {
    return Meldung(text, MB_YESNO | MB_ICONQUESTION | knoepfe, kTitel) == IDYES;
}

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

std::string Namensliste(const std::vector<std::string>& erweiterungen) {
    // A long list would grow the box past the screen.
    constexpr size_t kHoechstens = 20;
    std::string namen;
    for (size_t i = 0; i < erweiterungen.size() && i < kHoechstens; ++i)
        namen += (i ? ", \"" : "\"") + erweiterungen[i] + "\"";
    if (erweiterungen.size() > kHoechstens)
        namen += " und " + std::to_string(erweiterungen.size() - kHoechstens) + " weitere";
    return namen;
}

// Writes one type; the store only when every write into HKEY_CLASSES_ROOT succeeded, so that
// it never claims a state the registry does not hold.
Ausgang TypSpeichern(Dateityp& typ, const Arbeitsliste& erfasst, Klassenindex& index,
                     Speicherfenster& fenster, Fortschritt* anzeige) {
    Pruefung p;
    const Klassenstand stand = KlasseDesTyps(typ, index);
    const Schreibziel ziel = ZielWaehlen(typ, erfasst, index, stand, &p);
    bool ja = true;
    if (p.Gemeinsam && !p.GleicheWerte) {
        fenster.FortschrittOben(false);
        ja = Frage(GemeinsamFrage(typ.Erweiterung, p.RegBezeichnung), MB_DEFBUTTON2);
        fenster.FortschrittOben(true);
    }
    Ereignisse();
    if (!ja) return Ausgang::Abgelehnt;
    bool ok = TypSchreiben(typ, ziel, stand, index);
    if (anzeige) anzeige->Zeigen(typ);
    ok = ok && SicherungSchreiben(typ);
    return ok ? Ausgang::Geschrieben : Ausgang::Fehlgeschlagen;
}

}  // namespace

std::string GemeinsamFrage(const std::string& e, const std::string& reg) {
    const std::string q = "\"";
    return "Die Erweiterung " + q + e + q +
           " ist zusammen mit weiteren Dateitypen, für die die gleichen Einstellungen gelten, in "
           "der Registrierungsdatenbank unter einem gemeinsamen Schlüssel eingetragen.\n\n"
           "Sollen die von Ihnen geänderten Werte für " + q + e + q +
           " unter einem neuen Schlüssel gespeichert werden?\n\n"
           "Wählen Sie Nein, wenn für diese Dateitypen weiterhin gleiche Einstellungen gelten "
           "sollen. Zum Ändern wählen Sie anschließend " + q + "Hinzufügen/Entfernen" + q +
           ", sortieren die Liste durch Klick auf die Spaltenüberschrift " + q + "Bezeichnung" + q +
           " und fügen alle Erweiterungen mit der  Bezeichnung " + q + reg + q + " hinzu.\n"
           "Schalten Sie die Option " + q + "Mehrfachauswahl zulassen" + q +
           " ein und wählen Sie im Hauptfenster alle Dateitypen mit der Bezeichnung " + q + reg +
           q + " zum Ändern aus.";
}

std::string FehlerMeldung(const std::vector<std::string>& fehlgeschlagen, const std::vector<std::string>& nichtEntfernt) {
    std::string text;
    if (!fehlgeschlagen.empty())
        text = "Folgende Dateitypen konnten nicht vollständig in der Registrierungsdatenbank gespeichert werden:\n" +
               Namensliste(fehlgeschlagen) +
               "\n\nSie bleiben in der Liste und werden erst gesichert, wenn das Speichern gelingt.";
    if (!nichtEntfernt.empty())
        text += (text.empty() ? "" : "\n\n") +
                std::string("Folgende Dateitypen konnten nicht aus der Überwachung entfernt werden:\n") +
                Namensliste(nichtEntfernt) +
                "\n\nSie bleiben in der Liste und werden weiter wiederhergestellt, bis das Entfernen gelingt.";
    return text + " Versuchen Sie es später noch einmal.";
}

Speicherergebnis Speichern(Arbeitsliste& liste, Speicherfenster& fenster, bool fragen) {
    Speicherergebnis ergebnis;
    if (fragen && !Frage("Sollen die Dateitypen in der Registrierungsdatenbank gespeichert werden?"))
        return ergebnis;
    if (liste.Anzahl() == 0) {
        if (fragen && !Frage("Sind Sie sicher, daß Sie alle Dateitypen aus der Überwachung entfernen möchten?"))
            return ergebnis;
        SicherungLoeschen();
        ergebnis.Fertig = true;
        // What could not be deleted is still watched, and shown.
        SicherungLaden(liste);
        ergebnis.NichtEntfernt = Namen(liste);
        if (!ergebnis.NichtEntfernt.empty())
            Meldung(FehlerMeldung({}, ergebnis.NichtEntfernt), MB_OK | MB_ICONEXCLAMATION, kTitel);
        return ergebnis;
    }

    // The store is written over in place and pruned only at the end, so that an interrupted
    // save never costs a watched type. Everything goes over the list as it is now.
    const Typliste erfasst(liste);
    fenster.Sperren(true);
    Fortschritt* anzeige = fenster.FortschrittOeffnen();
    // One pass over HKEY_CLASSES_ROOT for the whole save, not one per type.
    Klassenindex index;
    std::vector<std::string> abgelehnt;
    for (size_t i = 0; i < erfasst.Anzahl(); ++i) {
        Dateityp typ = erfasst.Eintrag(i);
        switch (TypSpeichern(typ, erfasst, index, fenster, anzeige)) {
            case Ausgang::Geschrieben: ergebnis.Geschrieben.push_back(typ.Erweiterung); break;
            case Ausgang::Abgelehnt: abgelehnt.push_back(typ.Erweiterung); break;
            case Ausgang::Fehlgeschlagen: ergebnis.Fehlgeschlagen.push_back(typ.Erweiterung); break;
        }
    }
    ergebnis.NichtEntfernt = StoreBereinigen(erfasst, abgelehnt);
    for (const std::string& name : abgelehnt)
        if (!Enthaelt(ergebnis.NichtEntfernt, name)) ergebnis.NichtMehrUeberwacht.push_back(name);
    // A type that is still stored is still watched: the list shows it until it is gone.
    if (!abgelehnt.empty() || !ergebnis.NichtEntfernt.empty()) ListeNeuLaden(liste, erfasst, ergebnis.Fehlgeschlagen);
    fenster.Sperren(false);
    fenster.FortschrittSchliessen();
    ergebnis.Fertig = ergebnis.Fehlgeschlagen.empty();
    if (!ergebnis.Fehlgeschlagen.empty() || !ergebnis.NichtEntfernt.empty())
        Meldung(FehlerMeldung(ergebnis.Fehlgeschlagen, ergebnis.NichtEntfernt), MB_OK | MB_ICONEXCLAMATION, kTitel);
    return ergebnis;
}
