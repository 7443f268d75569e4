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

// Reads the type's class key afresh into typ.Schluessel and decides where the type goes: into
// that key, unless the key serves more than file types (FremderSchluessel) or is shared with
// an extension that disagrees; then into a key of its own. `ergebnis` gets the shared-key check.
Schreibziel ZielWaehlen(Dateityp& typ, const Arbeitsliste& liste, const Klassenindex& index,
                        Pruefung* ergebnis = nullptr);

// The class key `Erweiterung` gets of its own: "<erweiterung>-datei", or, when another
// extension uses that key or it serves more than file types, the first such key free of
// "-datei2", "-datei3", ... Empty when none is.
std::string EigenenSchluesselWaehlen(const std::string& Erweiterung, const Klassenindex& index);

// One value that writing a type sets: the default value of `Pfad` in HKEY_CLASSES_ROOT.
struct Schreibschritt {
    const char* Wert;  // which of the type's values it carries, by its name in the log
    std::string Pfad;
    std::string Daten;
};

// What became of one step.
enum class Schreibausgang { Geschrieben, Fehlgeschlagen };

// The steps that write `typ` to `ziel`, in order, the steps of one value next to each other:
// for a key of its own the extension key first; then description, open command and, unless
// the type has none, the icon location, in place also into the "DefaultIcon" of the class
// identifier the key names, where that one is set. Nothing when `ziel` names no key.
std::vector<Schreibschritt> Schreibplan(const Dateityp& typ, const Schreibziel& ziel);

Schreibausgang SchrittAusfuehren(const Schreibschritt& schritt);

// Runs the whole plan and keeps the run's index in step. True when every step was written.
bool TypSchreiben(const Dateityp& typ, const Schreibziel& ziel, Klassenindex& index);

// Writes every line of the list back, without asking; a type that fails does not stop the
// next. `anzeige` and `protokoll` may be null. Returns the entries for the log: what it found
// different before writing, and each value whose write failed. With `protokoll` each entry is
// appended to the log as soon as its value is written.
std::vector<Protokolleintrag> SicherungWiederherstellen(const Arbeitsliste& liste, Fortschritt* anzeige,
                                                        Protokollschreiber* protokoll = nullptr);

// The system-start run's restore of the stored types in `gespeichert`, with the log written as
// it goes; the log dialog runs the same at the user's request.
std::vector<Protokolleintrag> SystemstartWiederherstellen(const Arbeitsliste& gespeichert, Fortschritt* anzeige);
