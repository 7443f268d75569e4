// Writing watched types back into HKEY_CLASSES_ROOT.
#pragma once
#include <vector>

#include "filetypes/Dateityp.h"
#include "filetypes/Klassenindex.h"
#include "filetypes/Protokoll.h"

// Shows each restored type, and holds it for the configured pause.
class Fortschritt {
public:
    virtual ~Fortschritt() = default;
    virtual void Zeigen(const Dateityp& typ) = 0;
};

// Writes description, open command and icon location into the type's existing class key
// typ.Schluessel; the icon also into the class identifier's "DefaultIcon" where that is set.
// True when every write succeeded.
bool InKlassenschluesselSchreiben(const Dateityp& typ);

// Points the extension at a class key of its own, "<erweiterung>-datei", and writes there.
// True when every write succeeded.
bool EigenenSchluesselSchreiben(const Dateityp& typ);

// Reads the type's class key afresh into typ.Schluessel and runs the shared-key check against
// the run's index. True when the type may be written into that key; false when it needs a
// key of its own.
bool InPlatzSchreibbar(Dateityp& typ, const Arbeitsliste& liste, const Klassenindex& index,
                       Pruefung* ergebnis = nullptr);

// Writes the type into its class key or, when `inPlatz` is false, into a key of its own, and
// keeps the run's index in step. True when every write succeeded.
bool TypSchreiben(const Dateityp& typ, bool inPlatz, Klassenindex& index);

// Writes every line of the list back, without asking; a type that fails does not stop the
// next. `anzeige` may be null. Returns what it found different before writing, and the types
// it could not write, for the log.
std::vector<Protokolleintrag> SicherungWiederherstellen(const Arbeitsliste& liste, Fortschritt* anzeige);
