#include "filetypes/Registriert.h"

#include <windows.h>

#include <algorithm>
#include <unordered_set>

#include "platform/Text.h"
#include "platform/Registry.h"

std::vector<Dateityp> RegistrierteDateitypen() {
    std::vector<Dateityp> typen;
    Dateityp typ;
    RegUnterschluessel(HKEY_CLASSES_ROOT, "", [&](const std::string& name) {
        // What could not be stored as an extension is not offered either.
        if (IstErweiterungsSchluessel(name) && ErweiterungBrauchbar(name.substr(1)) &&
            DateitypLesen(Gross(name.substr(1)), typ))
            typen.push_back(std::move(typ));
        return true;
    });
    return typen;
}

std::vector<Dateityp> NichtUeberwacht(std::vector<Dateityp> alle, const Arbeitsliste& ueberwacht) {
    std::unordered_set<std::string> gewaehlt;
    for (size_t i = 0; i < ueberwacht.Anzahl(); ++i) gewaehlt.insert(Gross(ueberwacht.Eintrag(i).Erweiterung));
    // Several thousand lines against a few hundred: a set, not a search per line.
    alle.erase(std::remove_if(alle.begin(), alle.end(),
                              [&](const Dateityp& t) { return gewaehlt.count(Gross(t.Erweiterung)) > 0; }),
               alle.end());
    return alle;
}
