#include "ui/main/Austausch.h"

#include <map>
#include <vector>

#include "filetypes/Regdatei.h"
#include "filetypes/Sicherung.h"
#include "platform/Seams.h"
#include "platform/Text.h"
#include "ui/Form.h"

namespace {

constexpr const char* kTitelExport = "Endungswart - Exportieren";
constexpr const char* kTitelImport = "Endungswart - Importieren";
constexpr const char* kFilter = "Registrierungsdateien (*.reg)|*.reg";
constexpr const char* kFilterImport = "Registrierungsdateien (*.reg)|*.reg|Alle Dateien (*.*)|*.*";

// A long list would grow the box past the screen.
constexpr size_t kGenannt = 5;       // names a reason
constexpr size_t kTypenGenannt = 10;
constexpr size_t kNamenslaenge = 60;  // characters a name

std::string Ablehnung(Regdateiausgang ausgang, const std::string& pfad) {
    const std::string datei = "Die Datei \"" + pfad + "\" ";
    std::string text;
    switch (ausgang) {
        case Regdateiausgang::NichtGeoeffnet: text = datei + "konnte nicht geöffnet werden."; break;
        case Regdateiausgang::Leer: text = datei + "ist leer."; break;
        case Regdateiausgang::ZuGross: text = datei + "ist größer als 1 MB."; break;
        case Regdateiausgang::KeineRegdatei:
            text = datei + "ist keine Registrierungsdatei: Ihre erste Zeile ist weder \"REGEDIT4\" noch "
                           "\"Windows Registry Editor Version 5.00\".";
            break;
        case Regdateiausgang::ZeileZuLang: text = datei + "enthält eine Zeile, die länger als 64 KB ist."; break;
        case Regdateiausgang::Gelesen: break;
    }
    return text + "\n\nEs wurde nichts übernommen.";
}

// The reasons in the order the message names them.
const struct {
    Auslassung grund;
    const char* text;
} kGruende[] = {
    {Auslassung::AndererSchluessel, "andere Schlüssel"},
    {Auslassung::AndererWert, "andere Werte"},
    {Auslassung::KeineErweiterung, "Namen, die keine Erweiterung sind"},
    {Auslassung::AndererTyp, "Werte, die kein Text sind"},
    {Auslassung::Unvollstaendig, "Dateitypen ohne Bezeichnung oder Befehl zum Öffnen"},
    {Auslassung::Loeschen, "Einträge zum Löschen"},
    {Auslassung::Unlesbar, "Zeilen, die nicht gelesen werden konnten"},
};

// A long key keeps its end, where the type's name stands.
std::string Gekuerzt(const std::string& name) {
    return name.size() <= kNamenslaenge ? name : "..." + name.substr(name.size() - (kNamenslaenge - 3));
}

std::string Aufzaehlung(const std::vector<std::string>& namen, size_t hoechstens) {
    std::string text;
    for (size_t i = 0; i < namen.size() && i < hoechstens; ++i) text += (i ? ", " : "") + namen[i];
    if (namen.size() > hoechstens) text += " und " + std::to_string(namen.size() - hoechstens) + " weitere";
    return text;
}

std::string Bericht(const Regdateiinhalt& inhalt, const std::string& pfad, bool geaendert) {
    std::string text;
    if (inhalt.Typen.empty()) {
        text = "Aus der Datei \"" + pfad + "\" wurde kein Dateityp übernommen.";
    } else {
        std::vector<std::string> namen;
        for (const Dateityp& t : inhalt.Typen) namen.push_back(t.Erweiterung);
        text = std::to_string(inhalt.Typen.size()) + " Dateityp(en) aus der Datei \"" + pfad +
               "\" übernommen: " + Aufzaehlung(namen, kTypenGenannt) + ".\n" +
               (geaendert ? "Sie stehen in der Liste und werden erst mit \"Speichern\" in die "
                            "Registrierungsdatenbank geschrieben."
                          : "Die Liste enthielt sie schon mit denselben Werten.");
    }
    std::string ausgelassen;
    for (const auto& g : kGruende) {
        std::vector<std::string> namen;
        for (const Ausgelassen& a : inhalt.Ausgelassen) {
            if (a.Grund != g.grund) continue;
            if (a.Grund == Auslassung::Unlesbar)
                namen.push_back(std::to_string(a.Zeile));
            else
                namen.push_back("\"" + Gekuerzt(a.Wert.empty() ? a.Name : a.Name + "\\" + a.Wert) + "\"");
        }
        if (!namen.empty()) ausgelassen += "\n- " + std::string(g.text) + ": " + Aufzaehlung(namen, kGenannt);
    }
    if (!ausgelassen.empty()) text += "\n\nNicht übernommen:" + ausgelassen;
    return text;
}

// Sets the file's types into the list; true when a line changed or came.
bool Uebernehmen(Typenansicht& liste, const std::vector<Dateityp>& typen) {
    std::map<std::string, size_t> zeilen;
    for (size_t i = 0; i < liste.Anzahl(); ++i) zeilen.emplace(Gross(liste.Text(i, 0)), i);
    OhneZeichnen still(liste.hwnd());
    liste.Reservieren(liste.Anzahl() + typen.size());
    bool geaendert = false;
    for (const Dateityp& typ : typen) {
        const auto stelle = zeilen.find(typ.Erweiterung);
        if (stelle == zeilen.end()) {
            zeilen.emplace(typ.Erweiterung, liste.Anzahl());
            liste.Hinzufuegen(typ);
            geaendert = true;
            continue;
        }
        const std::string werte[] = {typ.Bezeichnung, typ.Oeffnen, typ.Symbol};
        for (int s = 1; s <= 3; ++s) {
            if (liste.Text(stelle->second, s) == werte[s - 1]) continue;
            liste.TextSetzen(stelle->second, s, werte[s - 1]);
            geaendert = true;
        }
    }
    if (geaendert) liste.Nachsortieren();
    return geaendert;
}

}  // namespace

std::string Exportieren(HWND fenster) {
    // Read once: the main window takes no command while the dialog is up.
    Typliste gespeichert;
    SicherungLaden(gespeichert);
    if (gespeichert.Anzahl() == 0) {
        Meldung("Es sind keine Dateitypen gesichert, die exportiert werden könnten.", MB_OK | MB_ICONINFORMATION,
                kTitelExport);
        return {};
    }
    const std::string pfad = DateiSpeichernWaehlen(fenster, "Exportieren", kFilter, "Endungswart.reg");
    if (pfad.empty()) return {};
    Form::Sanduhr(true);
    size_t anzahl = 0;
    const bool geschrieben = RegdateiSchreiben(pfad, gespeichert, &anzahl);
    Form::Sanduhr(false);
    if (!geschrieben) {
        Meldung("Die Datei \"" + pfad +
                    "\" konnte nicht geschrieben werden. Vielleicht ist sie schreibgeschützt, oder der Ordner "
                    "ist es.\n\nEine Datei dieses Namens, die es schon gab, ist unverändert.",
                MB_OK | MB_ICONEXCLAMATION, kTitelExport);
        return {};
    }
    return std::to_string(anzahl) + " Dateityp(en) exportiert nach " + pfad;
}

void Importieren(HWND fenster, Typenansicht& liste, bool& geaendert) {
    const std::string pfad = DateiWaehlen(fenster, "Importieren", kFilterImport, "");
    if (pfad.empty()) return;
    Form::Sanduhr(true);
    const Regdateiinhalt inhalt = RegdateiLesen(pfad);
    const bool neu = inhalt.Ausgang == Regdateiausgang::Gelesen && Uebernehmen(liste, inhalt.Typen);
    if (neu) geaendert = true;
    Form::Sanduhr(false);
    if (inhalt.Ausgang != Regdateiausgang::Gelesen)
        Meldung(Ablehnung(inhalt.Ausgang, pfad), MB_OK | MB_ICONEXCLAMATION, kTitelImport);
    else
        Meldung(Bericht(inhalt, pfad, neu), MB_OK | (inhalt.Ausgelassen.empty() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION),
                kTitelImport);
}
