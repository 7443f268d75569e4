#include "filetypes/Klassenindex.h"

#include <windows.h>

#include "platform/Text.h"
#include "filetypes/Dateityp.h"
#include "platform/Registry.h"

Klassenindex::Klassenindex() {
    size_t rang = 0;
    RegUnterschluessel(HKEY_CLASSES_ROOT, "", [&](const std::string& name) {
        if (IstErweiterungsSchluessel(name)) {
            Nutzer n{name, Gross(name), rang++};
            Eintragen(n, RegWertLesen(HKEY_CLASSES_ROOT, name, "", ""));
        }
        return true;
    });
}

std::vector<std::string> Klassenindex::Erweiterungen(const std::string& Schluessel) const {
    std::vector<std::string> namen;
    auto it = nutzer_.find(Gross(Schluessel));
    if (it == nutzer_.end()) return namen;
    for (const Nutzer& n : it->second) namen.push_back(n.name);
    return namen;
}

bool Klassenindex::Klasse(const std::string& Erweiterung, std::string& klasse) const {
    auto it = zeiger_.find(Gross(std::string(".").append(Erweiterung)));
    if (it == zeiger_.end()) return false;
    klasse = it->second.wert;
    return true;
}

void Klassenindex::Eintragen(const Nutzer& n, const std::string& wert) {
    const std::string klasse = Gross(wert);
    zeiger_[n.gross] = Zeiger{klasse, n.rang, n.name, wert};
    // A key that names no class is no user of one; it stays known so that it keeps its place.
    if (klasse.empty()) return;
    std::vector<Nutzer>& liste = nutzer_[klasse];
    // Keys from the pass keep the pass's order. A key made during the run goes where the
    // registry files it: Wine and Windows NT return subkeys sorted by their upper-case names.
    auto vor = [&](const Nutzer& a, const Nutzer& b) {
        return a.rang != kNeu && b.rang != kNeu ? a.rang < b.rang : a.gross < b.gross;
    };
    auto stelle = liste.begin();
    while (stelle != liste.end() && !vor(n, *stelle)) ++stelle;
    liste.insert(stelle, n);
}

void Klassenindex::Austragen(const std::string& gross, const std::string& klasse) {
    auto it = nutzer_.find(klasse);
    if (it == nutzer_.end()) return;
    std::vector<Nutzer>& liste = it->second;
    for (auto n = liste.begin(); n != liste.end(); ++n) {
        if (n->gross != gross) continue;
        liste.erase(n);
        break;
    }
}

void Klassenindex::Nachlesen(const std::string& name) {
    // Only a top-level extension key names a class; a deeper path leaves it as it was.
    if (!IstErweiterungsSchluessel(name) || name.find('\\') != std::string::npos) return;
    Nutzer n{name, Gross(name), kNeu};
    auto alt = zeiger_.find(n.gross);
    if (alt != zeiger_.end()) {
        n.name = alt->second.name;
        n.rang = alt->second.rang;
        Austragen(n.gross, alt->second.klasse);
    }
    Eintragen(n, RegWertLesen(HKEY_CLASSES_ROOT, name, "", ""));
}

bool Klassenindex::AndereNutzer(const std::string& Schluessel, const std::string& Erweiterung) const {
    auto it = nutzer_.find(Gross(Schluessel));
    if (it == nutzer_.end()) return false;
    const std::string eigene = Gross(std::string(".").append(Erweiterung));
    for (const Nutzer& n : it->second)
        if (n.gross != eigene) return true;
    return false;
}

void Klassenindex::EigenerSchluesselGeschrieben(const std::string& Erweiterung, const std::string& Schluessel) {
    Nachlesen(std::string(".").append(Erweiterung));
    Nachlesen(Schluessel);
}
