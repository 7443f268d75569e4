// Writing watched types back into HKEY_CLASSES_ROOT.
#pragma once
#include <string>
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

// One value that writing a type sets: the default value of `Pfad` in HKEY_CLASSES_ROOT.
struct Schreibschritt {
    const char* Wert;  // which of the type's values it carries, by its name in the log
    std::string Pfad;
    std::string Daten;
    RegRohwert Vorher;  // what the value held when the plan was made
};

// What became of one step. A value that already holds exactly its data is not written.
enum class Schreibausgang { Geschrieben, Unveraendert, Fehlgeschlagen };

// The steps that write `typ` to `ziel`, in order, the steps of one value next to each other:
// for a key of its own the extension key first; then description, open command and, unless
// the type has none, the icon location, in place also into the "DefaultIcon" of the class
// identifier the key names, where that one is set. Nothing when `ziel` names no key. `stand`
// is what typ.Schluessel holds (KlasseDesTyps); a key of its own is read here.
std::vector<Schreibschritt> Schreibplan(const Dateityp& typ, const Schreibziel& ziel, const Klassenstand& stand);

Schreibausgang SchrittAusfuehren(const Schreibschritt& schritt);

// Runs the whole plan and keeps the run's index in step. True when no step failed.
bool TypSchreiben(const Dateityp& typ, const Schreibziel& ziel, const Klassenstand& stand, Klassenindex& index);

// Writes every line of the list back, without asking; a type that fails does not stop the
// next; a value that already holds exactly what it would get is not written, so a run that
// finds nothing changed writes nothing at all. `anzeige` and `protokoll` may be null. Returns
// the entries for the log: what it found different before writing, and each value whose write
// failed. With `protokoll` each entry is appended to the log as soon as its value is written.
std::vector<Protokolleintrag> SicherungWiederherstellen(const Arbeitsliste& liste, Fortschritt* anzeige,
                                                        Protokollschreiber* protokoll = nullptr);
