// One file type, the way it is laid out in HKEY_CLASSES_ROOT, and the working list of them.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/Registry.h"

struct Dateityp {
    std::string Erweiterung;  // upper case, no dot: BMP
    std::string Schluessel;   // class key the extension points to; always read afresh
    std::string Bezeichnung;
    std::string Oeffnen;
    std::string Symbol;  // icon location, may be empty
};

// The working list of watched types: the main window's list view in the program.
class Arbeitsliste {
public:
    virtual ~Arbeitsliste() = default;
    virtual size_t Anzahl() const = 0;
    // Erweiterung, Bezeichnung, Oeffnen and Symbol of line i; Schluessel stays empty.
    virtual Dateityp Eintrag(size_t i) const = 0;
    virtual void Hinzufuegen(const Dateityp& typ) = 0;
    virtual void Leeren() = 0;
};

// A working list in memory. Work that yields to the event loop goes over such a copy, taken
// when it begins, so that nothing a message does to the window's list meanwhile changes what
// is written.
class Typliste : public Arbeitsliste {
public:
    Typliste() = default;
    explicit Typliste(const Arbeitsliste& quelle) {
        for (size_t i = 0; i < quelle.Anzahl(); ++i) typen_.push_back(quelle.Eintrag(i));
    }
    size_t Anzahl() const override { return typen_.size(); }
    Dateityp Eintrag(size_t i) const override { return typen_[i]; }
    void Hinzufuegen(const Dateityp& typ) override { typen_.push_back(typ); }
    void Leeren() override { typen_.clear(); }

private:
    std::vector<Dateityp> typen_;
};

// Reads the extension's type from HKEY_CLASSES_ROOT into `typ`. True when the type is
// registered: class key, description and open command all present.
bool DateitypLesen(const std::string& Erweiterung, Dateityp& typ);

// The icon location of a class key, with the fallback through its class identifier.
std::string SymbolLesen(const std::string& Schluessel);

// The class name an extension key points to; empty when there is none.
std::string SchluesselLesen(const std::string& Erweiterung);

// A class name that may be read as a file type's: not empty, not itself an extension key, no
// path (no backslash anywhere), short enough for the keys below it, and none of the shell's own
// keys ("*", "Folder", "CLSID", ...), whose values belong to every file or to other classes.
bool SchluesselBrauchbar(const std::string& Schluessel);

// What a class key holds, read in one go: what tells whether it serves more than file types,
// and, byte for byte, the values that writing a type into it would replace.
struct Klassenstand {
    bool Verknuepfung = false;  // a registry link; the values are those of its target
    bool UrlProtokoll = false;  // it has a "URL Protocol" value
    bool Komponente = false;    // a class of the component registry that opens nothing
    RegRohwert Bezeichnung;     // its default value
    RegRohwert Oeffnen;         // "shell\open\command"
    RegRohwert Symbol;          // "DefaultIcon"
    std::string Klassenkennung; // its "CLSID", when KlassenkennungBrauchbar
    RegRohwert KennungSymbol;   // "CLSID\<Klassenkennung>\DefaultIcon"
};

// Reads the class key `Schluessel`, opening it once. Nothing when it is no usable class name.
Klassenstand KlasseLesen(const std::string& Schluessel);

// The type as the class key holds it: description, open command and icon location (through
// the class identifier where the key has none); all empty when `Schluessel` is no usable
// class name.
Dateityp KlassenTyp(const std::string& Erweiterung, const std::string& Schluessel, const Klassenstand& stand);

// A class key that serves something other than file types and is never written in place: not
// brauchbar, a key of the shell or of programs and shortcuts (exefile, lnkfile, ...), a registry
// link, a URL protocol ("URL Protocol"), a root of the component registry, or a COM class that
// opens nothing. `stand` is what KlasseLesen read of it; the second form reads it.
bool FremderSchluessel(const std::string& Schluessel, const Klassenstand& stand);
bool FremderSchluessel(const std::string& Schluessel);

// A class identifier that the icon fallback may follow: "{...}" without a backslash.
bool KlassenkennungBrauchbar(const std::string& kennung);

// The name of the class key an extension gets of its own: the extension in lower case
// followed by "-datei".
std::string EigenerSchluessel(const std::string& Erweiterung);

// A stored or offered name that can stand for an extension: not empty, no leading dot, no
// backslash or blank, and short enough for a class key "<erweiterung>-datei" of its own.
bool ErweiterungBrauchbar(const std::string& Erweiterung);

// A subkey name of HKEY_CLASSES_ROOT that stands for an extension: a dot and at least one
// more character.
bool IstErweiterungsSchluessel(const std::string& name);
