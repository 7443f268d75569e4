// Registration files (.reg) of the backup store: the watched types written as regedit writes a
// key, so that a double-click on the file fills the store of another machine, and read back
// from such a file or from one that regedit 4 or 5 wrote. Only the store's keys count; what
// else a file holds is passed over and named. Nothing here writes into the registry or holds a
// text for the user: the callers say what came of it.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "filetypes/Dateityp.h"

inline constexpr size_t kRegdateiGrenze = 1024 * 1024;  // bytes; a larger file is not read
// Characters of one line, its continuation lines included. Windows 95 holds no value past 16 KB,
// and that written as hex data stays below this.
inline constexpr size_t kRegzeileGrenze = 64 * 1024;

// Why a part of a file was not taken.
enum class Auslassung {
    AndererSchluessel,  // a key outside the store, or one below a type's key
    Loeschen,           // "[-...]" or "name"=-: nothing is deleted because a file says so
    AndererWert,        // a value other than the three of a type
    KeineErweiterung,   // a type's key whose name cannot be an extension
    AndererTyp,         // one of the three values, but not as text
    Unvollstaendig,     // a type without description or open command
    Unlesbar,           // a line that is no key, value or comment that regedit would read
};

struct Ausgelassen {
    Auslassung Grund;
    size_t Zeile;          // 1-based; where the part begins
    std::string Name;      // the key, or the type's name as the file spells it
    std::string Wert = {};  // the value's name ("@" for a key's default value), or empty
};

enum class Regdateiausgang { Gelesen, NichtGeoeffnet, Leer, ZuGross, KeineRegdatei, ZeileZuLang };

struct Regdateiinhalt {
    Regdateiausgang Ausgang = Regdateiausgang::NichtGeoeffnet;
    // In the order of their first key in the file, each extension once, in upper case; keys of
    // one type that come twice add up, the later value winning. Schluessel stays empty.
    std::vector<Dateityp> Typen;
    std::vector<Ausgelassen> Ausgelassen;  // only for a file that was read
};

// A REGEDIT4 file in the ANSI code page with CRLF: one key a type under
// HKEY_CURRENT_USER\<SicherungPfad()>, with "Bezeichnung", "Oeffnen" and "Symbol".
// `anzahl` gets the number of types written.
std::string RegdateiText(const Arbeitsliste& typen, size_t* anzahl = nullptr);

// Writes RegdateiText into `pfad` by way of a new file beside it, and replaces `pfad` only with
// a complete file. False when the file could not be written; `pfad` then holds what it held.
bool RegdateiSchreiben(const std::string& pfad, const Arbeitsliste& typen, size_t* anzahl = nullptr);

// Reads a REGEDIT4 file in the ANSI code page, or a "Windows Registry Editor Version 5.00" (or
// REGEDIT4) file in UTF-16 LE with its byte order mark. For a file that is missing, empty, too
// large, no registry file or holds a line past kRegzeileGrenze, only the outcome.
Regdateiinhalt RegdateiLesen(const std::string& pfad);
