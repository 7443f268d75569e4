#include "filetypes/Protokoll.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/Text.h"
#include "platform/Seams.h"

namespace {

// Hostile registry values may be huge; a log line stays readable.
constexpr size_t kFeldGrenze = 1024;

// A log that would grow past its limit is rewritten beside itself and takes the new file only
// when that is complete: Windows 95 cannot replace a file by renaming over it.
std::string NeueDatei() {
    std::string pfad = ProtokollDatei();
    return pfad.substr(0, pfad.size() - 1) + "$";
}

// A rewritten log has no empty line but the one it ends with, so that line proves it complete.
constexpr char kEndzeile[] = "\r\n";

bool Vorhanden(const std::string& pfad) {
    DWORD a = GetFileAttributesA(pfad.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

HANDLE ZumLesen(const std::string& pfad) {
    return CreateFileA(pfad.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The file's length, and its last `n` bytes (fewer when it is shorter); false when it cannot
// be read. A file of 4 GB or more counts as the largest length there is.
bool Schluss(const std::string& pfad, size_t n, size_t& groesse, std::string& schluss) {
    HANDLE h = ZumLesen(pfad);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD hoch = 0;
    const DWORD laenge = GetFileSize(h, &hoch);
    bool ok = laenge != INVALID_FILE_SIZE || GetLastError() == NO_ERROR;
    groesse = hoch ? static_cast<size_t>(-1) : laenge;
    schluss.clear();
    if (ok && !hoch && laenge > 0) {
        const DWORD lesen = laenge < n ? laenge : static_cast<DWORD>(n);
        schluss.resize(lesen);
        DWORD gelesen = 0;
        ok = SetFilePointer(h, static_cast<LONG>(laenge - lesen), nullptr, FILE_BEGIN) == laenge - lesen &&
             ReadFile(h, schluss.data(), lesen, &gelesen, nullptr) && gelesen == lesen;
    }
    CloseHandle(h);
    return ok;
}

// A new file that was written to its end line.
bool Vollstaendig(const std::string& pfad) {
    size_t groesse = 0;
    std::string schluss;
    if (!Schluss(pfad, 3, groesse, schluss)) return false;
    return schluss == "\n\r\n" || (groesse == 2 && schluss == kEndzeile);
}

// The file's last `hoechstens` bytes; empty when it cannot be read.
std::string Einlesen(const std::string& pfad, size_t hoechstens) {
    HANDLE h = ZumLesen(pfad);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string inhalt;
    DWORD hoch = 0;
    DWORD groesse = GetFileSize(h, &hoch);
    if (groesse != INVALID_FILE_SIZE && hoch == 0) {
        DWORD anfang = groesse > hoechstens ? groesse - static_cast<DWORD>(hoechstens) : 0;
        if (SetFilePointer(h, static_cast<LONG>(anfang), nullptr, FILE_BEGIN) == anfang) {
            inhalt.resize(groesse - anfang);
            DWORD gelesen = 0;
            if (!ReadFile(h, inhalt.data(), static_cast<DWORD>(inhalt.size()), &gelesen, nullptr)) gelesen = 0;
            inhalt.resize(gelesen);
            // Cut into the middle of a line: that line is gone.
            if (anfang > 0) {
                size_t ende = inhalt.find('\n');
                inhalt.erase(0, ende == std::string::npos ? inhalt.size() : ende + 1);
            }
        }
    }
    CloseHandle(h);
    return inhalt;
}

// The file that holds the log: the new one once it is complete, or when it is all there is
// (the old log was deleted and the new one not yet renamed); the log otherwise.
std::string GeltendeDatei() {
    if (Vorhanden(NeueDatei()) && (Vollstaendig(NeueDatei()) || !Vorhanden(ProtokollDatei()))) return NeueDatei();
    return ProtokollDatei();
}

std::string GeltenderInhalt() { return Einlesen(GeltendeDatei(), 2 * kProtokollGrenze); }

// Brings a rewrite that was cut off to its end, or drops it where it had not got far enough
// to count, so that the log is the one file. False when a new file is left.
bool Wiederaufnehmen(Dateischritte& d) {
    const std::string neu = NeueDatei(), log = ProtokollDatei();
    if (!Vorhanden(neu)) return true;
    // Unfinished beside the log, which holds everything it began from.
    if (GeltendeDatei() == log) return d.Loeschen(neu);
    size_t groesse = 0;
    std::string schluss;
    if (!Schluss(neu, 1, groesse, schluss)) return false;
    if (groesse == 0) return d.Loeschen(neu);
    if (Vorhanden(log) && !d.Loeschen(log)) return false;
    return d.Umbenennen(neu, log);
}

// The lines of `text` with their ends made CRLF; empty lines are left out.
std::string Normalisiert(const std::string& text) {
    std::string ergebnis;
    size_t anfang = 0;
    while (anfang < text.size()) {
        size_t ende = text.find('\n', anfang);
        if (ende == std::string::npos) ende = text.size();
        size_t bis = ende;
        while (bis > anfang && text[bis - 1] == '\r') --bis;
        if (bis > anfang) ergebnis.append(text, anfang, bis - anfang).append("\r\n");
        anfang = ende + 1;
    }
    return ergebnis;
}

// Drops whole lines from the front until the text holds at most `grenze` bytes.
void Kuerzen(std::string& inhalt, size_t grenze) {
    size_t weg = 0;
    while (inhalt.size() - weg > grenze) {
        size_t ende = inhalt.find('\n', weg);
        weg = ende == std::string::npos ? inhalt.size() : ende + 1;
    }
    inhalt.erase(0, weg);
}

// Writes the log anew in steps that never leave it broken: the new file with its end line,
// flushed, then the old log deleted, then the new file renamed. A cut after the first step
// leaves a complete new file, which readers and the next write take. False when it failed.
bool Ersetzen(const std::string& inhalt) {
    Dateischritte& d = Dateien();
    if (!d.Schreiben(NeueDatei(), inhalt + kEndzeile) ||
        (Vorhanden(ProtokollDatei()) && !d.Loeschen(ProtokollDatei()))) {
        d.Loeschen(NeueDatei());
        return false;
    }
    // Should the rename fail, readers take the new file and the next write renames it.
    return d.Umbenennen(NeueDatei(), ProtokollDatei());
}

std::string Feld(const std::string& text) {
    std::string f = text.substr(0, kFeldGrenze);
    for (char& c : f)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';  // tabs and line breaks would split the line
    return f;
}

std::string Zeile(const Protokolleintrag& e) {
    return Feld(e.Datum) + '\t' + Feld(e.Erweiterung) + '\t' + Feld(e.Wert) + '\t' + Feld(e.Vorgefunden) +
           '\t' + Feld(e.Wiederhergestellt) + "\r\n";
}

bool BekannterWert(const std::string& wert) {
    for (const char* w : {kWertSchluessel, kWertBezeichnung, kWertOeffnen, kWertSymbol, kWertDateityp})
        if (wert == w) return true;
    return false;
}

bool Zerlegen(std::string zeile, Protokolleintrag& e) {
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    std::string* felder[5] = {&e.Datum, &e.Erweiterung, &e.Wert, &e.Vorgefunden, &e.Wiederhergestellt};
    size_t anfang = 0;
    for (int i = 0; i < 5; ++i) {
        size_t tab = zeile.find('\t', anfang);
        if ((i < 4) != (tab != std::string::npos)) return false;  // exactly five fields
        *felder[i] = zeile.substr(anfang, tab == std::string::npos ? std::string::npos : tab - anfang);
        anfang = tab + 1;
    }
    return IstZeitstempel(e.Datum) && !e.Erweiterung.empty() && BekannterWert(e.Wert);
}

}  // namespace

std::string Zeitstempel() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    // As "%04u-%02u-%02u %02u:%02u:%02u" would write it, without the C library's printf.
    auto zahl = [](unsigned wert, size_t stellen) {
        std::string z = std::to_string(wert);
        return std::string(z.size() < stellen ? stellen - z.size() : 0, '0') + z;
    };
    return zahl(t.wYear, 4) + "-" + zahl(t.wMonth, 2) + "-" + zahl(t.wDay, 2) + " " +
           zahl(t.wHour, 2) + ":" + zahl(t.wMinute, 2) + ":" + zahl(t.wSecond, 2);
}

std::vector<Protokolleintrag> ProtokollLesen() {
    std::vector<Protokolleintrag> liste;
    const std::string inhalt = GeltenderInhalt();
    size_t anfang = 0;
    while (anfang < inhalt.size()) {
        size_t ende = inhalt.find('\n', anfang);
        if (ende == std::string::npos) ende = inhalt.size();
        Protokolleintrag e;
        if (Zerlegen(inhalt.substr(anfang, ende - anfang), e)) liste.push_back(std::move(e));
        anfang = ende + 1;
    }
    return liste;
}

bool Protokollschreiber::Anhaengen(const std::vector<Protokolleintrag>& eintraege) {
    if (eintraege.empty()) return true;
    Dateischritte& d = Dateien();
    if (!bereit_) {
        datei_.reset();  // setting the files straight may delete and rename the log
        std::string schluss;
        if (!Wiederaufnehmen(d)) return false;
        if (!Schluss(ProtokollDatei(), 1, groesse_, schluss)) groesse_ = 0;
        zeilenende_ = schluss.empty() || schluss.back() == '\n';
        bereit_ = true;
    }
    std::string neu;
    // A last line without its end (written by hand, say) must not swallow the first new one.
    if (!zeilenende_) neu = "\r\n";
    for (const Protokolleintrag& e : eintraege) neu += Zeile(e);
    if (groesse_ < kProtokollGrenze && neu.size() < kProtokollGrenze - groesse_) {
        bereit_ = d.Anhaengen(datei_, ProtokollDatei(), neu);
        groesse_ += neu.size();
        zeilenende_ = true;
        return bereit_;
    }
    datei_.reset();  // an open log could be neither deleted nor replaced
    std::string inhalt = Normalisiert(GeltenderInhalt() + neu);
    Kuerzen(inhalt, kProtokollRest);
    bereit_ = Ersetzen(inhalt);
    groesse_ = inhalt.size() + sizeof kEndzeile - 1;
    return bereit_;
}

bool ProtokollAnhaengen(const std::vector<Protokolleintrag>& eintraege) {
    Protokollschreiber schreiber;
    return schreiber.Anhaengen(eintraege);
}

bool ProtokollLeeren() {
    Dateischritte& d = Dateien();
    if (!Wiederaufnehmen(d)) return false;
    // Emptied in place: a file cut to nothing is never half a log.
    return !Vorhanden(ProtokollDatei()) || d.Schreiben(ProtokollDatei(), "");
}

namespace {

// FNV-1a over the entry's line, in eight hex digits.
std::string Pruefzahl(const Protokolleintrag& e) {
    uint32_t h = 2166136261u;
    for (unsigned char c : Zeile(e)) h = (h ^ c) * 16777619u;
    static const char kZiffern[] = "0123456789abcdef";
    std::string zahl;
    for (int i = 7; i >= 0; --i) zahl += kZiffern[(h >> (4 * i)) & 0xF];
    return zahl;
}

// The place right after the entry that `gesehen` marks; 0 when there is none.
size_t NachGesehen(const std::vector<Protokolleintrag>& eintraege, const std::string& gesehen) {
    if (IstZeitstempel(gesehen)) {
        for (size_t i = eintraege.size(); i-- > 0;)
            if (eintraege[i].Datum == gesehen) return i + 1;
        return 0;
    }
    // "<time> <number> <check number>"
    const size_t luecke = gesehen.find(' ', 20);
    if (gesehen.size() < 22 || gesehen[19] != ' ' || luecke == std::string::npos) return 0;
    const std::string datum = gesehen.substr(0, 19), nummer = gesehen.substr(20, luecke - 20),
                      pruefzahl = gesehen.substr(luecke + 1);
    if (nummer.empty() || nummer.size() > 9 || nummer.find_first_not_of("0123456789") != std::string::npos) return 0;
    size_t stelle = 0;
    for (char c : nummer) stelle = stelle * 10 + static_cast<size_t>(c - '0');
    for (size_t i = std::min(stelle + 1, eintraege.size()); i-- > 0;)
        if (eintraege[i].Datum == datum && Pruefzahl(eintraege[i]) == pruefzahl) return i + 1;
    return 0;
}

}  // namespace

std::string ProtokollMarke(const std::vector<Protokolleintrag>& eintraege, size_t i) {
    return eintraege[i].Datum + ' ' + std::to_string(i) + ' ' + Pruefzahl(eintraege[i]);
}

size_t NeueAenderungen(const std::vector<Protokolleintrag>& eintraege, const std::string& gesehen) {
    size_t n = 0;
    for (size_t i = NachGesehen(eintraege, gesehen); i < eintraege.size(); ++i)
        n += eintraege[i].Wiederhergestellt != kNichtGeschrieben;
    return n;
}
