#include "filetypes/Protokoll.h"

#include <windows.h>

#include "platform/Text.h"
#include "filetypes/Sicherung.h"
#include "filetypes/Wiederherstellen.h"
#include "platform/Registry.h"
#include "platform/Seams.h"

namespace {

// Hostile registry values may be huge; a log line stays readable.
constexpr size_t kFeldGrenze = 1024;

// --- the file ------------------------------------------------------------------------------------

// The new log is written beside the old one and takes its name only when complete: Windows 95
// cannot replace a file by renaming over it.
std::string NeueDatei() {
    std::string pfad = ProtokollDatei();
    return pfad.substr(0, pfad.size() - 1) + "$";
}

bool Vorhanden(const std::string& pfad) {
    DWORD a = GetFileAttributesA(pfad.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// The file's last `hoechstens` bytes; empty when it cannot be read.
std::string Einlesen(const std::string& pfad, size_t hoechstens) {
    HANDLE h = CreateFileA(pfad.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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

// What a reader sees: the log, or, when a write was cut off between deleting the old log and
// renaming the new one, the complete new file.
std::string GeltenderInhalt() {
    const size_t lesen = 2 * kProtokollGrenze;
    if (Vorhanden(ProtokollDatei())) return Einlesen(ProtokollDatei(), lesen);
    if (Vorhanden(NeueDatei())) return Einlesen(NeueDatei(), lesen);
    return {};
}

// Brings a write that was cut off into a state from which the next write can start.
void Wiederaufnehmen(Dateischritte& d) {
    if (!Vorhanden(NeueDatei())) return;
    if (Vorhanden(ProtokollDatei()))
        d.Loeschen(NeueDatei());  // may be half written; the old log holds everything
    else
        d.Umbenennen(NeueDatei(), ProtokollDatei());  // complete: the old log was gone
}

// Writes the whole log anew in steps that never leave it broken. False when it failed.
bool Ersetzen(const std::string& inhalt) {
    Dateischritte& d = Dateien();
    Wiederaufnehmen(d);
    // An existing log marks every new file beside it as unfinished.
    if (!Vorhanden(ProtokollDatei()) && !d.Anlegen(ProtokollDatei())) return false;
    if (!d.Schreiben(NeueDatei(), inhalt) || !d.Loeschen(ProtokollDatei())) {
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

// Drops whole lines from the front until the text fits below the limit.
void Kuerzen(std::string& inhalt) {
    size_t weg = 0;
    while (inhalt.size() - weg >= kProtokollGrenze) {
        size_t ende = inhalt.find('\n', weg);
        weg = ende == std::string::npos ? inhalt.size() : ende + 1;
    }
    inhalt.erase(0, weg);
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

Dateityp VorgefundenLesen(const std::string& Erweiterung, const std::string& Schluessel) {
    Dateityp typ;
    typ.Erweiterung = Erweiterung;
    typ.Schluessel = Schluessel;
    if (!SchluesselBrauchbar(Schluessel)) return typ;
    typ.Bezeichnung = RegWertLesen(HKEY_CLASSES_ROOT, Schluessel, "", "");
    typ.Oeffnen = RegWertLesen(HKEY_CLASSES_ROOT, Schluessel + "\\shell\\open\\command", "", "");
    typ.Symbol = SymbolLesen(Schluessel);
    return typ;
}

std::vector<Protokolleintrag> Unterschiede(const Dateityp& g, const Dateityp& v, const std::string& ziel,
                                           const std::string& datum) {
    std::vector<Protokolleintrag> liste;
    auto eintrag = [&](const char* wert, const std::string& vorher, const std::string& nachher) {
        liste.push_back({datum, g.Erweiterung, wert, vorher, nachher});
    };
    if (!GleichOhneFall(v.Schluessel, ziel)) eintrag(kWertSchluessel, v.Schluessel, ziel);
    if (v.Bezeichnung != g.Bezeichnung) eintrag(kWertBezeichnung, v.Bezeichnung, g.Bezeichnung);
    if (!GleichOhneFall(v.Oeffnen, g.Oeffnen)) eintrag(kWertOeffnen, v.Oeffnen, g.Oeffnen);
    if (!g.Symbol.empty() && !GleichOhneFall(v.Symbol, g.Symbol)) eintrag(kWertSymbol, v.Symbol, g.Symbol);
    return liste;
}

std::vector<Protokolleintrag> JetztPruefen() {
    Typliste gespeichert;
    SicherungLaden(gespeichert);
    const std::string datum = Zeitstempel();
    std::vector<Protokolleintrag> liste;
    Klassenindex index;
    for (size_t i = 0; i < gespeichert.Anzahl(); ++i) {
        Dateityp typ = gespeichert.Eintrag(i);
        if (!ErweiterungBrauchbar(typ.Erweiterung)) continue;
        // The same decision the restore takes; it only reads.
        const bool inPlatz = InPlatzSchreibbar(typ, gespeichert, index);
        const std::string ziel = inPlatz ? typ.Schluessel : EigenerSchluessel(typ.Erweiterung);
        for (Protokolleintrag& e : Unterschiede(typ, VorgefundenLesen(typ.Erweiterung, typ.Schluessel), ziel, datum)) {
            e.Wiederhergestellt = kNichtWiederhergestellt;
            liste.push_back(std::move(e));
        }
    }
    return liste;
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

bool ProtokollAnhaengen(const std::vector<Protokolleintrag>& eintraege) {
    if (eintraege.empty()) return true;
    std::string inhalt = GeltenderInhalt();
    // A last line without its end (written by hand, say) must not swallow the first new one.
    if (!inhalt.empty() && inhalt.back() != '\n') inhalt += "\r\n";
    for (const Protokolleintrag& e : eintraege) inhalt += Zeile(e);
    Kuerzen(inhalt);
    return Ersetzen(inhalt);
}

bool ProtokollLeeren() {
    if (!Vorhanden(ProtokollDatei()) && !Vorhanden(NeueDatei())) return true;
    return Ersetzen("");
}

size_t NeueAenderungen(const std::vector<Protokolleintrag>& eintraege, const std::string& gesehen) {
    size_t n = 0;
    for (const Protokolleintrag& e : eintraege)
        if (e.Datum > gesehen && e.Wiederhergestellt != kNichtGeschrieben) ++n;
    return n;
}
