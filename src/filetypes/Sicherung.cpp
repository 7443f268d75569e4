#include "filetypes/Sicherung.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "settings/Optionen.h"

std::string SicherungPfad() { return std::string(kEigenerSchluessel) + "Classes\\"; }

void SicherungLoeschen() { RegBaumLoeschen(HKEY_CURRENT_USER, kEigenerSchluessel, "Classes"); }

void SicherungLaden(Arbeitsliste& liste) {
    // The names first, then each type's values, its key opened below the store's own key rather
    // than walked down to from the root of the hive.
    const RegSchluessel wurzel = RegOeffnen(HKEY_CURRENT_USER, SicherungPfad());
    if (!wurzel) return;
    std::vector<std::string> namen;
    RegUnterschluessel(wurzel.get(), "", [&](const std::string& name) {
        namen.push_back(name);
        return true;
    });
    for (const std::string& name : namen) {
        // A name such as "." or ".BMP" would leave junk keys in HKEY_CLASSES_ROOT.
        if (!ErweiterungBrauchbar(name)) continue;
        Dateityp typ;
        typ.Erweiterung = name;
        const RegSchluessel key = RegOeffnen(wurzel.get(), name);
        if (key) {
            typ.Bezeichnung = RegText(RegWertHolen(key.get(), "Bezeichnung"), "");
            typ.Oeffnen = RegText(RegWertHolen(key.get(), "Oeffnen"), "");
            typ.Symbol = RegText(RegWertHolen(key.get(), "Symbol"), "");
        }
        if (!typ.Bezeichnung.empty() && !typ.Oeffnen.empty()) liste.Hinzufuegen(typ);
    }
}

bool SicherungLeer() {
    bool leer = true;
    RegUnterschluessel(HKEY_CURRENT_USER, SicherungPfad(), [&](const std::string&) {
        leer = false;
        return false;
    });
    return leer;
}

bool SicherungSchreiben(const Dateityp& typ) {
    if (!ErweiterungBrauchbar(typ.Erweiterung)) return false;
    const std::string pfad = SicherungPfad() + typ.Erweiterung;
    // What the store holds already exactly is not written again.
    const RegSchluessel key = RegOeffnen(HKEY_CURRENT_USER, pfad);
    bool ok = true;
    const std::pair<const char*, const std::string*> werte[] = {
        {"Bezeichnung", &typ.Bezeichnung}, {"Oeffnen", &typ.Oeffnen}, {"Symbol", &typ.Symbol}};
    for (const auto& [name, wert] : werte)
        if (!key || !RegWertUnveraendert(RegWertHolen(key.get(), name), *wert))
            ok = RegWertSchreiben(HKEY_CURRENT_USER, pfad, name, *wert) && ok;
    return ok;
}
