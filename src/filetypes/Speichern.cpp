#include "filetypes/Speichern.h"

#include <windows.h>

#include <vector>

#include "app/Main.h"
#include "app/Optionen.h"
#include "app/Text.h"
#include "filetypes/Sicherung.h"
#include "registry/Registry.h"
#include "ui/Seams.h"

namespace {

constexpr const char* kTitel = "Endungswart - Speichern";
int gAbbrechenNach = -1;

bool Frage(const std::string& text, UINT knoepfe = 0) {
    return Meldung(text, MB_YESNO | MB_ICONQUESTION | knoepfe, kTitel) == IDYES;
}

// Removes store entries that this run did not write, once everything else is safe.
void StoreBereinigen(const std::vector<std::string>& geschrieben) {
    std::vector<std::string> alt;
    RegUnterschluessel(HKEY_CURRENT_USER, SicherungPfad(), [&](const std::string& name) {
        alt.push_back(name);
        return true;
    });
    for (const std::string& name : alt) {
        bool bleibt = false;
        for (const std::string& g : geschrieben) bleibt = bleibt || GleichOhneFall(g, name);
        if (!bleibt) RegBaumLoeschen(HKEY_CURRENT_USER, SicherungPfad(), name);
    }
}

// Writes one type; false when the user declined it.
bool TypSpeichern(Dateityp& typ, const Arbeitsliste& liste, Klassenindex& index,
                  Speicherfenster& fenster, Fortschritt* anzeige) {
    Pruefung p;
    bool inPlatz = InPlatzSchreibbar(typ, liste, index, &p);
    bool ja = true;
    if (p.Gemeinsam && !p.GleicheWerte) {
        fenster.FortschrittOben(false);
        ja = Frage(GemeinsamFrage(typ.Erweiterung, p.RegBezeichnung), MB_DEFBUTTON2);
        fenster.FortschrittOben(true);
    }
    Ereignisse();
    if (!ja) return false;
    if (inPlatz) {
        InKlassenschluesselSchreiben(typ);
    } else {
        EigenenSchluesselSchreiben(typ);
        index.EigenerSchluesselGeschrieben(typ.Erweiterung);
    }
    if (anzeige) anzeige->Zeigen(typ);
    SicherungSchreiben(typ);
    return true;
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

void SpeichernAbbrechenNach(int typen) { gAbbrechenNach = typen; }

void Speichern(Arbeitsliste& liste, Speicherfenster& fenster) {
    const bool fragen = Optionen.Sicherheitsabfrage != 0;
    if (fragen && !Frage("Sollen die Dateitypen in der Registrierungsdatenbank gespeichert werden?"))
        return;
    if (liste.Anzahl() == 0) {
        if (fragen && !Frage("Sind Sie sicher, daß Sie alle Dateitypen aus der Überwachung entfernen möchten?"))
            return;
        SicherungLoeschen();
        Geaendert = false;
        SicherungLaden(liste);
        return;
    }

    // The store is written over in place and pruned only at the end, so that an interrupted
    // save never costs a watched type.
    fenster.Sperren(true);
    Fortschritt* anzeige = fenster.FortschrittOeffnen();
    // One pass over HKEY_CLASSES_ROOT for the whole save, not one per type.
    Klassenindex index;
    std::vector<std::string> geschrieben;
    bool abgelehnt = false;
    for (size_t i = 0; i < liste.Anzahl(); ++i) {
        if (gAbbrechenNach >= 0 && static_cast<int>(geschrieben.size()) >= gAbbrechenNach) {
            // As if the process had been killed here: no pruning, Geaendert stays.
            fenster.FortschrittSchliessen();
            fenster.Sperren(false);
            return;
        }
        Dateityp typ = liste.Eintrag(i);
        if (typ.Erweiterung.empty()) continue;
        if (TypSpeichern(typ, liste, index, fenster, anzeige))
            geschrieben.push_back(typ.Erweiterung);
        else
            abgelehnt = true;
    }
    StoreBereinigen(geschrieben);
    if (abgelehnt) {
        liste.Leeren();
        SicherungLaden(liste);
    }
    fenster.Sperren(false);
    fenster.FortschrittSchliessen();
    Geaendert = false;
}
