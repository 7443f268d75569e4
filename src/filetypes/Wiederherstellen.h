// Writing watched types back into HKEY_CLASSES_ROOT.
#pragma once
#include <string>
#include <vector>

#include "filetypes/Dateityp.h"
#include "filetypes/Protokoll.h"
#include "filetypes/Schreibziel.h"

// Shows each restored type, and holds it for the configured pause.
class Fortschritt {
public:
    virtual ~Fortschritt() = default;
    virtual void Zeigen(const Dateityp& typ) = 0;
};

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

// The system-start run's restore of the stored types in `gespeichert`, with the log written as
// it goes; the log dialog runs the same at the user's request.
std::vector<Protokolleintrag> SystemstartWiederherstellen(const Arbeitsliste& gespeichert, Fortschritt* anzeige);
