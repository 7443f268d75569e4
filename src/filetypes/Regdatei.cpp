#include "filetypes/Regdatei.h"

#include <windows.h>

#include <cstring>
#include <map>

#include "filetypes/Sicherung.h"
#include "platform/Seams.h"
#include "platform/Text.h"

namespace {

constexpr char kRegedit4[] = "REGEDIT4";
constexpr char kRegedit5[] = "Windows Registry Editor Version 5.00";

struct Wertname {
    const char* name;
    std::string Dateityp::*feld;
};
constexpr Wertname kWerte[] = {
    {"Bezeichnung", &Dateityp::Bezeichnung}, {"Oeffnen", &Dateityp::Oeffnen}, {"Symbol", &Dateityp::Symbol}};

// The store's key as a file names it, without a trailing backslash.
std::string Speicherschluessel() {
    std::string pfad = "HKEY_CURRENT_USER\\" + SicherungPfad();
    pfad.pop_back();
    return pfad;
}

bool Leerzeichen(char c) { return c == ' ' || c == '\t'; }

size_t NachLeerzeichen(const std::string& s, size_t i) {
    while (i < s.size() && Leerzeichen(s[i])) ++i;
    return i;
}

std::string OhneRandLeer(const std::string& s) {
    size_t anfang = NachLeerzeichen(s, 0), ende = s.size();
    while (ende > anfang && Leerzeichen(s[ende - 1])) --ende;
    return s.substr(anfang, ende - anfang);
}

bool BeginntMit(const std::string& s, const std::string& anfang) {
    return s.size() >= anfang.size() && GleichOhneFall(s.substr(0, anfang.size()), anfang);
}

// --- writing -------------------------------------------------------------------------------------

// Anything below a blank but the tab would break the line or trip up an old reader.
bool Steuerzeichen(const std::string& s) {
    for (unsigned char c : s)
        if (c < 0x20 && c != '\t') return true;
    return false;
}

std::string Anfuehrung(const std::string& s) {
    std::string z = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"') z += '\\';
        z += c;
    }
    return z + '"';
}

// A value with a line break goes as its bytes, which regedit takes back as text (hex(1) is
// REG_SZ), in lines of at most 80 characters, broken as regedit breaks them.
std::string Hexzeilen(std::string zeile, const std::string& wert) {
    static const char kZiffern[] = "0123456789abcdef";
    std::string text;
    zeile += "hex(1):";
    const std::string bytes = wert + '\0';
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        zeile += kZiffern[c >> 4];
        zeile += kZiffern[c & 15];
        if (i + 1 == bytes.size()) break;
        zeile += ',';
        if (zeile.size() > 76) {
            text += zeile + "\\\r\n";
            zeile = "  ";
        }
    }
    return text + zeile;
}

std::string Ordner(const std::string& pfad) {
    const size_t trenner = pfad.find_last_of("\\/:");
    return trenner == std::string::npos ? "." : pfad.substr(0, trenner + 1);
}

// A new empty file in `ordner` under a name no other file has; empty when none could be made.
std::string Nebendatei(const std::string& ordner) {
    char name[MAX_PATH + 1] = {};
    if (!GetTempFileNameA(ordner.c_str(), "ewt", 0, name)) return {};
    return name;
}

// --- reading -------------------------------------------------------------------------------------

struct Zeile {
    std::string text;
    bool lesbar = true;  // every character came through into the ANSI code page
};

Regdateiausgang Einlesen(const std::string& pfad, std::string& bytes) {
    HANDLE h = CreateFileA(pfad.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Regdateiausgang::NichtGeoeffnet;
    DWORD hoch = 0;
    const DWORD laenge = GetFileSize(h, &hoch);
    Regdateiausgang ausgang = Regdateiausgang::Gelesen;
    if (laenge == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        ausgang = Regdateiausgang::NichtGeoeffnet;
    } else if (hoch || laenge > kRegdateiGrenze) {
        ausgang = Regdateiausgang::ZuGross;
    } else if (laenge == 0) {
        ausgang = Regdateiausgang::Leer;
    } else {
        bytes.resize(laenge);
        DWORD gelesen = 0;
        if (!ReadFile(h, bytes.data(), laenge, &gelesen, nullptr) || gelesen != laenge)
            ausgang = Regdateiausgang::NichtGeoeffnet;
    }
    CloseHandle(h);
    return ausgang;
}

// UTF-16 in the ANSI code page; false when a character has no place there. Checked by the way
// back, since the platform maps some characters to look-alikes without a word.
bool Ansi(const wchar_t* w, size_t n, std::string& text) {
    text.clear();
    if (n == 0) return true;
    const int laenge = WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    if (laenge <= 0) return false;
    text.resize(static_cast<size_t>(laenge));
    WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(n), text.data(), laenge, nullptr, nullptr);
    std::wstring zurueck(n + 1, L'\0');
    const int m = MultiByteToWideChar(CP_ACP, 0, text.data(), laenge, zurueck.data(), static_cast<int>(n + 1));
    return m == static_cast<int>(n) && std::memcmp(zurueck.data(), w, n * sizeof(wchar_t)) == 0;
}

// The file's lines, in the ANSI code page. `breit`: the file is UTF-16 LE with its byte order
// mark. `zuLang`: a line is longer than kRegzeileGrenze.
std::vector<Zeile> Zerlegen(const std::string& bytes, bool& breit, bool& zuLang) {
    std::vector<Zeile> zeilen;
    breit = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
            static_cast<unsigned char>(bytes[1]) == 0xFE;
    zuLang = false;
    if (breit) {
        // A last byte without its partner is cut off.
        std::wstring w((bytes.size() - 2) / 2, L'\0');
        std::memcpy(w.data(), bytes.data() + 2, w.size() * sizeof(wchar_t));
        for (size_t anfang = 0; anfang <= w.size();) {
            size_t ende = w.find(L'\n', anfang);
            if (ende == std::wstring::npos) ende = w.size();
            size_t bis = ende;
            if (bis > anfang && w[bis - 1] == L'\r') --bis;
            zuLang = zuLang || bis - anfang > kRegzeileGrenze;
            Zeile z;
            z.lesbar = !zuLang && Ansi(w.data() + anfang, bis - anfang, z.text) &&
                       z.text.find('\0') == std::string::npos;
            zeilen.push_back(std::move(z));
            anfang = ende + 1;
        }
        return zeilen;
    }
    for (size_t anfang = 0; anfang <= bytes.size();) {
        size_t ende = bytes.find('\n', anfang);
        if (ende == std::string::npos) ende = bytes.size();
        size_t bis = ende;
        if (bis > anfang && bytes[bis - 1] == '\r') --bis;
        zuLang = zuLang || bis - anfang > kRegzeileGrenze;
        Zeile z;
        z.text = bytes.substr(anfang, bis - anfang);
        // No value holds a zero; a file with them is some other kind, UTF-16 without its mark.
        z.lesbar = z.text.find('\0') == std::string::npos;
        zeilen.push_back(std::move(z));
        anfang = ende + 1;
    }
    return zeilen;
}

// A text in double quotes at s[i], with regedit's escapes \\ and \"; i then stands after it.
bool InAnfuehrung(const std::string& s, size_t& i, std::string& text) {
    if (i >= s.size() || s[i] != '"') return false;
    text.clear();
    for (++i; i < s.size(); ++i) {
        if (s[i] == '"') {
            ++i;
            return true;
        }
        if (s[i] == '\\' && (++i >= s.size() || (s[i] != '\\' && s[i] != '"'))) return false;
        text += s[i];
    }
    return false;
}

int Hexziffer(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The bytes of "41,42,00" as text up to the first zero; from UTF-16 pairs when `breit`.
bool HexText(const std::string& daten, bool breit, std::string& text) {
    std::string bytes;
    for (size_t i = NachLeerzeichen(daten, 0); i < daten.size();) {
        const int hoch = Hexziffer(daten[i]), tief = i + 1 < daten.size() ? Hexziffer(daten[i + 1]) : -1;
        if (hoch < 0 || tief < 0) return false;
        bytes += static_cast<char>(hoch * 16 + tief);
        i = NachLeerzeichen(daten, i + 2);
        if (i == daten.size()) break;
        if (daten[i] != ',') return false;
        i = NachLeerzeichen(daten, i + 1);
    }
    if (!breit) {
        text = bytes.substr(0, bytes.find('\0'));
        return true;
    }
    std::wstring w(bytes.size() / 2, L'\0');
    std::memcpy(w.data(), bytes.data(), w.size() * sizeof(wchar_t));
    w.resize(w.find(L'\0') == std::wstring::npos ? w.size() : w.find(L'\0'));
    return Ansi(w.data(), w.size(), text);
}

enum class Daten { Text, Loeschen, Anderer, Kaputt };

// Where the data of a value line begin, after its name and "="; npos when the line is no value.
size_t Datenanfang(const std::string& z, std::string& name) {
    size_t i = 0;
    if (!z.empty() && z[0] == '@') {
        name = "@";
        i = 1;
    } else if (!InAnfuehrung(z, i, name)) {
        return std::string::npos;
    }
    i = NachLeerzeichen(z, i);
    if (i >= z.size() || z[i] != '=') return std::string::npos;
    return NachLeerzeichen(z, i + 1);
}

Daten WertLesen(const std::string& z, bool breit, std::string& name, std::string& text) {
    const size_t anfang = Datenanfang(z, name);
    if (anfang == std::string::npos) return Daten::Kaputt;
    const std::string daten = OhneRandLeer(z.substr(anfang));
    if (daten == "-") return Daten::Loeschen;
    if (!daten.empty() && daten[0] == '"') {
        size_t i = 0;
        return InAnfuehrung(daten, i, text) && i == daten.size() ? Daten::Text : Daten::Kaputt;
    }
    if (BeginntMit(daten, "hex(1):")) return HexText(daten.substr(7), breit, text) ? Daten::Text : Daten::Kaputt;
    if (BeginntMit(daten, "hex:") || BeginntMit(daten, "hex(") || BeginntMit(daten, "dword:")) return Daten::Anderer;
    return Daten::Kaputt;
}

// regedit goes on with hex data in the next line when a line ends in a backslash.
bool Fortgesetzt(const std::string& z) {
    std::string name;
    const size_t anfang = Datenanfang(z, name);
    return !z.empty() && z.back() == '\\' && anfang != std::string::npos && BeginntMit(z.substr(anfang), "hex");
}

// What the lines read so far belong to.
enum class Ort {
    Keiner,      // no key yet
    Typ,         // a type's key in the store
    Speicher,    // the store's own key or one above it, which hold no values of ours
    Uebergangen  // a key already named as passed over: its values go with it
};

class Leser {
public:
    Leser(bool breit, Regdateiinhalt& r) : breit_(breit), r_(r), speicher_(Speicherschluessel()) {}

    // False when a line with its continuation lines grows past the limit.
    bool Lesen(const std::vector<Zeile>& zeilen) {
        for (size_t i = 1; i < zeilen.size(); ++i) {
            const size_t nr = i + 1;
            std::string z = OhneRandLeer(zeilen[i].text);
            bool lesbar = zeilen[i].lesbar;
            if (z.empty() || z[0] == ';') continue;
            if (z[0] == '[') {
                Schluesselzeile(lesbar ? z : std::string(), nr);
                continue;
            }
            while (lesbar && Fortgesetzt(z) && i + 1 < zeilen.size()) {
                z.pop_back();
                z += OhneRandLeer(zeilen[++i].text);
                lesbar = zeilen[i].lesbar;
                if (z.size() > kRegzeileGrenze) return false;
            }
            Wertzeile(lesbar ? z : std::string(), nr);
        }
        Abschliessen();
        return true;
    }

private:
    void Auslassen(Auslassung grund, size_t zeile, const std::string& name = {}, const std::string& wert = {}) {
        r_.Ausgelassen.push_back({grund, zeile, name, wert});
    }

    // The store's key, or one above it.
    bool SpeicherOderDarueber(const std::string& name) const {
        return GleichOhneFall(name, speicher_) ||
               (name.size() < speicher_.size() && speicher_[name.size()] == '\\' && BeginntMit(speicher_, name));
    }

    void Schluesselzeile(const std::string& z, size_t nr) {
        ort_ = Ort::Uebergangen;
        const size_t zu = z.rfind(']');
        if (z.empty() || zu == std::string::npos || zu + 1 != z.size()) return Auslassen(Auslassung::Unlesbar, nr);
        const std::string name = z.substr(1, zu - 1);
        if (!name.empty() && name[0] == '-') return Auslassen(Auslassung::Loeschen, nr, name.substr(1));
        if (SpeicherOderDarueber(name) || GleichOhneFall(name, speicher_ + "\\")) {
            ort_ = Ort::Speicher;
            schluessel_ = name;
            return;
        }
        if (!BeginntMit(name, speicher_ + "\\")) return Auslassen(Auslassung::AndererSchluessel, nr, name);
        const std::string e = name.substr(speicher_.size() + 1);
        if (e.find('\\') != std::string::npos) return Auslassen(Auslassung::AndererSchluessel, nr, name);
        const std::string erweiterung = Gross(e);
        if (!ErweiterungBrauchbar(erweiterung)) return Auslassen(Auslassung::KeineErweiterung, nr, e);
        const auto [stelle, neu] = index_.emplace(erweiterung, typen_.size());
        if (neu) typen_.push_back({Dateityp{erweiterung, "", "", "", ""}, nr});
        typ_ = stelle->second;
        ort_ = Ort::Typ;
    }

    void Wertzeile(const std::string& z, size_t nr) {
        std::string name, text;
        const Daten daten = z.empty() ? Daten::Kaputt : WertLesen(z, breit_, name, text);
        // A line that is no value is named wherever it stands; a value goes with its key.
        if (daten == Daten::Kaputt || ort_ == Ort::Keiner) return Auslassen(Auslassung::Unlesbar, nr);
        if (ort_ == Ort::Uebergangen) return;
        const std::string& wo = ort_ == Ort::Typ ? typen_[typ_].typ.Erweiterung : schluessel_;
        if (daten == Daten::Loeschen) return Auslassen(Auslassung::Loeschen, nr, wo, name);
        const Wertname* wert = nullptr;
        for (const Wertname& w : kWerte)
            if (ort_ == Ort::Typ && GleichOhneFall(name, w.name)) wert = &w;
        if (!wert) return Auslassen(Auslassung::AndererWert, nr, wo, name);
        if (daten == Daten::Anderer) return Auslassen(Auslassung::AndererTyp, nr, wo, name);
        typen_[typ_].typ.*wert->feld = text;
    }

    // A type goes into the list as the store would load it: with description and open command.
    void Abschliessen() {
        for (Teiltyp& t : typen_) {
            if (!t.typ.Bezeichnung.empty() && !t.typ.Oeffnen.empty())
                r_.Typen.push_back(std::move(t.typ));
            else
                Auslassen(Auslassung::Unvollstaendig, t.zeile, t.typ.Erweiterung);
        }
    }

    struct Teiltyp {
        Dateityp typ;
        size_t zeile;  // of its first key
    };

    const bool breit_;
    Regdateiinhalt& r_;
    const std::string speicher_;
    std::vector<Teiltyp> typen_;
    std::map<std::string, size_t> index_;  // extension -> place in typen_
    Ort ort_ = Ort::Keiner;
    size_t typ_ = 0;          // while ort_ is Typ
    std::string schluessel_;  // while ort_ is Speicher
};

}  // namespace

std::string RegdateiText(const Arbeitsliste& typen, size_t* anzahl) {
    std::string text = std::string(kRegedit4) + "\r\n";
    size_t n = 0;
    const std::string speicher = Speicherschluessel();
    for (size_t i = 0; i < typen.Anzahl(); ++i) {
        const Dateityp t = typen.Eintrag(i);
        // A name the store would not load, or one that would break its line, stays out.
        if (!ErweiterungBrauchbar(t.Erweiterung) || Steuerzeichen(t.Erweiterung)) continue;
        text += "\r\n[" + speicher + "\\" + t.Erweiterung + "]\r\n";
        ++n;
        for (const Wertname& w : kWerte) {
            const std::string& wert = t.*w.feld;
            const std::string name = Anfuehrung(w.name) + "=";
            text += (Steuerzeichen(wert) ? Hexzeilen(name, wert) : name + Anfuehrung(wert)) + "\r\n";
        }
    }
    if (anzahl) *anzahl = n;
    return text + "\r\n";
}

bool RegdateiSchreiben(const std::string& pfad, const Arbeitsliste& typen, size_t* anzahl) {
    const DWORD attribute = GetFileAttributesA(pfad.c_str());
    const bool alt = attribute != INVALID_FILE_ATTRIBUTES;
    // A folder, or a file the user protected, is not written over.
    if (alt && (attribute & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;
    Dateischritte& d = Dateien();
    const std::string ordner = Ordner(pfad), neu = Nebendatei(ordner);
    if (neu.empty()) return false;
    if (!d.Schreiben(neu, RegdateiText(typen, anzahl))) {
        d.Loeschen(neu);
        return false;
    }
    if (!alt) {
        if (d.Umbenennen(neu, pfad)) return true;
        d.Loeschen(neu);
        return false;
    }
    // Windows 95 renames onto no existing file, and replaces none in one step: the old file
    // steps aside and goes once the new one has its name. A cut in between leaves both whole.
    const std::string beiseite = Nebendatei(ordner);
    if (beiseite.empty() || !d.Loeschen(beiseite) || !d.Umbenennen(pfad, beiseite)) {
        if (!beiseite.empty()) d.Loeschen(beiseite);
        d.Loeschen(neu);
        return false;
    }
    if (!d.Umbenennen(neu, pfad)) {
        d.Umbenennen(beiseite, pfad);
        d.Loeschen(neu);
        return false;
    }
    d.Loeschen(beiseite);
    return true;
}

Regdateiinhalt RegdateiLesen(const std::string& pfad) {
    Regdateiinhalt r;
    std::string bytes;
    r.Ausgang = Einlesen(pfad, bytes);
    if (r.Ausgang != Regdateiausgang::Gelesen) return r;
    bool breit = false, zuLang = false;
    const std::vector<Zeile> zeilen = Zerlegen(bytes, breit, zuLang);
    const std::string kopf = OhneRandLeer(zeilen[0].text);
    if (!zeilen[0].lesbar || (kopf != kRegedit4 && kopf != kRegedit5)) {
        r.Ausgang = Regdateiausgang::KeineRegdatei;
        return r;
    }
    if (!zuLang && Leser(breit, r).Lesen(zeilen)) return r;
    r = {};
    r.Ausgang = Regdateiausgang::ZeileZuLang;
    return r;
}
