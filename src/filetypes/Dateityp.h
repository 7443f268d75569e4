// One file type, the way it is laid out in HKEY_CLASSES_ROOT, and the check for class keys
// that several extensions share.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

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

// A working list without a window, such as the backup store read for a check.
class Typliste : public Arbeitsliste {
public:
    size_t Anzahl() const override { return typen.size(); }
    Dateityp Eintrag(size_t i) const override { return typen[i]; }
    void Hinzufuegen(const Dateityp& typ) override { typen.push_back(typ); }
    void Leeren() override { typen.clear(); }
    std::vector<Dateityp> typen;
};

// Reads the extension's type from HKEY_CLASSES_ROOT into `typ`. True when the type is
// registered: class key, description and open command all present.
bool DateitypLesen(const std::string& Erweiterung, Dateityp& typ);

// The icon location of a class key, with the fallback through its class identifier.
std::string SymbolLesen(const std::string& Schluessel);

// The class name an extension key points to; empty when there is none.
std::string SchluesselLesen(const std::string& Erweiterung);

// A class name that may be written to: not empty, and not itself an extension key or a path
// that leaves HKEY_CLASSES_ROOT's own subkeys.
bool SchluesselBrauchbar(const std::string& Schluessel);

// A subkey name of HKEY_CLASSES_ROOT that stands for an extension: a dot and at least one
// more character.
bool IstErweiterungsSchluessel(const std::string& name);

struct Pruefung {
    bool Gemeinsam = false;    // another extension uses the class key
    bool GleicheWerte = false; // and every such extension agrees with the type's values
    std::string AndereErweiterung;
    std::string RegBezeichnung;  // the shared class key's description in the registry
};

// Whether writing `typ` into its class key (typ.Schluessel, just read) would change other
// extensions against the user's will. Lines of `liste` count as agreeing when they carry the
// same values.
Pruefung GemeinsamenSchluesselPruefen(const Dateityp& typ, const Arbeitsliste& liste);
