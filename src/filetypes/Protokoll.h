// The log of what the system-start run found changed and put back: "Endwart.log" beside the
// program, one entry a line.
#pragma once
#include <string>
#include <vector>

#include "platform/Besitzer.h"

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

// The entries of the log, oldest first; broken and foreign lines are skipped.
std::vector<Protokolleintrag> ProtokollLesen();

inline constexpr size_t kProtokollGrenze = 256 * 1024;  // bytes; the file stays below
// What is left of the oldest lines when the log would reach its limit, so that a run that
// goes on appending does not rewrite the whole file for every entry.
inline constexpr size_t kProtokollRest = kProtokollGrenze / 4 * 3;

// Appends entries to the log, each call at once, so that a run that is cut off loses no entry
// appended before. A write cut off earlier is set straight first. Only when the log would reach
// kProtokollGrenze is it rewritten, without its oldest lines, into a new file beside it, which
// ends in an empty line once complete and then takes the log's place: a complete new file is
// never thrown away. One writer serves one run and keeps the log's length between calls, and
// the log open, for others to read only.
class Protokollschreiber {
public:
    // False when the log could not be written; what it held before is then kept.
    bool Anhaengen(const std::vector<Protokolleintrag>& eintraege);

private:
    bool bereit_ = false;   // the files are set straight and the length below is known
    size_t groesse_ = 0;
    bool zeilenende_ = true;  // the log ends with a line end, or is empty
    Kernobjekt datei_;        // the log, once appended to
};

// One call of a writer of its own.
bool ProtokollAnhaengen(const std::vector<Protokolleintrag>& eintraege);
bool ProtokollLeeren();

// What marks entry `i` of `eintraege` (as ProtokollLesen gives them) as the last one the user
// has seen: its time, its number and a check number of the whole entry. The log only grows at
// its end, and a trim drops its oldest entries, so the entry stays at that number or moves
// towards the front, even where a stuck clock repeats the same entries.
std::string ProtokollMarke(const std::vector<Protokolleintrag>& eintraege, size_t i);

// The entries put back after the one `gesehen` marks, whatever their times. A mark that is only
// a time, as earlier versions stored it, marks the last entry of that time. When no entry
// carries the mark (the log was emptied since), all are new.
size_t NeueAenderungen(const std::vector<Protokolleintrag>& eintraege, const std::string& gesehen);
