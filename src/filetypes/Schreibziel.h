// Where the restore and the save write a type: the decision both take, and the check of the
// log takes without writing.
#pragma once
#include <string>

#include "filetypes/Dateityp.h"
#include "filetypes/GemeinsamerSchluessel.h"
#include "filetypes/Klassenindex.h"

// Where a type is written: the class key its extension points to, or a key of its own that
// the extension is pointed at first.
struct Schreibziel {
    std::string Schluessel;  // empty when no key of its own was free
    bool Eigener = false;
};

// Takes the type's class name from the run's index into typ.Schluessel (or reads it, should the
// pass not have found the extension key) and reads that class key.
Klassenstand KlasseDesTyps(Dateityp& typ, const Klassenindex& index);

// Decides where the type goes: into its class key (typ.Schluessel, whose contents `stand` holds),
// unless the key serves more than file types (FremderSchluessel) or is shared with an extension
// that disagrees; then into a key of its own. `ergebnis` gets the shared-key check.
Schreibziel ZielWaehlen(const Dateityp& typ, const Arbeitsliste& liste, const Klassenindex& index,
                        const Klassenstand& stand, Pruefung* ergebnis = nullptr);

// The class key `Erweiterung` gets of its own: "<erweiterung>-datei", or, when another
// extension uses that key or it serves more than file types, the first such key free of
// "-datei2", "-datei3", ... Empty when none is.
std::string EigenenSchluesselWaehlen(const std::string& Erweiterung, const Klassenindex& index);
