// The log of what the system-start run found changed and put back: "Endwart.log" beside the
// program, one entry a line, and the comparison of a stored type with HKEY_CLASSES_ROOT.
#pragma once
#include <string>
#include <vector>

#include "filetypes/Dateityp.h"

struct Protokolleintrag {
    std::string Datum;  // "JJJJ-MM-TT hh:mm:ss", so that the text sorts by time
    std::string Erweiterung;
    std::string Wert;  // one of the kWert... names
    std::string Vorgefunden;
    std::string Wiederhergestellt;
};

inline constexpr const char* kWertSchluessel = "Schlüssel";
inline constexpr const char* kWertBezeichnung = "Bezeichnung";
inline constexpr const char* kWertOeffnen = "Öffnen mit";
inline constexpr const char* kWertSymbol = "Symbol";
inline constexpr const char* kWertDateityp = "Dateityp";  // the whole type, when writing failed
inline constexpr const char* kNichtGeschrieben = "konnte nicht geschrieben werden";
inline constexpr const char* kNichtWiederhergestellt = "nicht wiederhergestellt";

// The local time as the log writes it.
std::string Zeitstempel();

// What HKEY_CLASSES_ROOT holds for a type whose extension points to `Schluessel` (just read by
// the caller): description, open command and icon location of that key, all empty when the
// key is no usable class name.
Dateityp VorgefundenLesen(const std::string& Erweiterung, const std::string& Schluessel);

// One entry per value in which `vorgefunden` differs from `gespeichert`, compared as the
// restore compares: descriptions exactly, class names, commands and icons without regard to
// case. `ziel` is the class key the extension points to once the type is written. An empty
// stored icon location is never written, so it is never a difference.
std::vector<Protokolleintrag> Unterschiede(const Dateityp& gespeichert, const Dateityp& vorgefunden,
                                           const std::string& ziel, const std::string& datum);

// Compares every type of the backup store with HKEY_CLASSES_ROOT as it is now and writes
// nothing. Each difference is marked as not restored.
std::vector<Protokolleintrag> JetztPruefen();

// The entries of the log, oldest first; broken and foreign lines are skipped.
std::vector<Protokolleintrag> ProtokollLesen();
// Appends all entries in one write and drops the oldest lines beyond the size limit. False
// when the log could not be written; what it held before is then kept.
bool ProtokollAnhaengen(const std::vector<Protokolleintrag>& eintraege);
bool ProtokollLeeren();

inline constexpr size_t kProtokollGrenze = 256 * 1024;  // bytes; the file stays below

// Entries newer than `gesehen` (a Datum) that were put back.
size_t NeueAenderungen(const std::vector<Protokolleintrag>& eintraege, const std::string& gesehen);
