// The check for class keys that several extensions share: whether writing a type into its
// class key would change other extensions against the user's will.
#pragma once
#include <string>

#include "filetypes/Dateityp.h"
#include "filetypes/Klassenindex.h"

struct Pruefung {
    bool Gemeinsam = false;    // another extension uses the class key
    bool GleicheWerte = false; // and every such extension agrees with the type's values
    std::string AndereErweiterung;
    std::string RegBezeichnung;  // the shared class key's description in the registry
};

// Whether writing `typ` into its class key (typ.Schluessel, just read) would change other
// extensions against the user's will. Lines of `liste` count as agreeing when they carry the
// same values. The other users of the class key come from `index`; `registriert` is what the
// class key holds (KlassenTyp).
Pruefung GemeinsamenSchluesselPruefen(const Dateityp& typ, const Arbeitsliste& liste,
                                      const Klassenindex& index, const Dateityp& registriert);
