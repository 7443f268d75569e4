#include "settings/Optionen.h"

#include <windows.h>

#include <variant>

#include "platform/Text.h"
#include "platform/Registry.h"

Einstellungen Optionen;

namespace {

using Feld = std::variant<int16_t Einstellungen::*, float Einstellungen::*>;

struct Option {
    const char* name;
    const char* vorgabe;
    Feld feld;
};

// Table order is the order in which the options are written.
constexpr Option kOptionen[] = {
    {"Autostart", "0", &Einstellungen::Autostart},
    {"Autostartmeldung", "0", &Einstellungen::Autostartmeldung},
    {"AutostartPause", "0", &Einstellungen::AutostartPause},
    {"Mehrfachauswahl", "0", &Einstellungen::Mehrfachauswahl},
    {"Bezeichnung", "0", &Einstellungen::Bezeichnung},
    {"Symbol", "0", &Einstellungen::Symbol},
    {"Sicherheitsabfrage", "1", &Einstellungen::Sicherheitsabfrage},
    {"Speichermeldung", "1", &Einstellungen::Speichermeldung},
    {"SpeichernPause", "0", &Einstellungen::SpeichernPause},
    {"Rueckgaengig", "1", &Einstellungen::Rueckgaengig},
    {"Beenden", "1", &Einstellungen::Beenden},
};

std::string Pfad(const char* unterschluessel) {
    return std::string(kEigenerSchluessel) + unterschluessel;
}

std::string Lesen(const char* unterschluessel, const char* name, const std::string& vorgabe) {
    return RegWertLesen(HKEY_CURRENT_USER, Pfad(unterschluessel), name, vorgabe);
}

// The values of one settings key, opened once for all of them: opening it for each value cost
// every start more than reading them.
class Werteleser {
public:
    explicit Werteleser(const char* unterschluessel) : key_(RegOeffnen(HKEY_CURRENT_USER, Pfad(unterschluessel))) {}
    std::string operator()(const char* name, const std::string& vorgabe) const {
        return key_ ? RegText(RegWertHolen(key_.get(), name), vorgabe) : vorgabe;
    }

private:
    RegSchluessel key_;
};

void Schreiben(const char* unterschluessel, const char* name, const std::string& wert) {
    RegWertSchreiben(HKEY_CURRENT_USER, Pfad(unterschluessel), name, wert);
}

template <typename T, typename Wandler>
void Uebernehmen(T& ziel, const std::string& text, Wandler wandeln) {
    if (auto wert = wandeln(text)) ziel = *wert;
}

}  // namespace

namespace {

void Uebernehmen(Einstellungen& ziel, const Option& o, const std::string& text) {
    if (auto* schalter = std::get_if<int16_t Einstellungen::*>(&o.feld))
        Uebernehmen(ziel.**schalter, text, TextZuInt16);
    else
        Uebernehmen(ziel.*std::get<float Einstellungen::*>(o.feld), text, TextZuSingle);
}

}  // namespace

Einstellungen Standardeinstellungen() {
    Einstellungen standard;
    for (const Option& o : kOptionen) Uebernehmen(standard, o, o.vorgabe);
    return standard;
}

void OptionenLesen(Einstellungen& ziel, std::initializer_list<const char*> namen) {
    const Werteleser lesen(kOptionenSchluessel);
    for (const char* name : namen)
        for (const Option& o : kOptionen)
            if (std::string(o.name) == name) Uebernehmen(ziel, o, lesen(o.name, o.vorgabe));
}

double PauseBegrenzt(double sekunden) {
    constexpr double kLaengste = 5.0;
    if (!(sekunden > 0)) return 0;  // not a number as well
    return sekunden < kLaengste ? sekunden : kLaengste;
}

void OptionenSchreiben(const Einstellungen& quelle) {
    for (const Option& o : kOptionen) {
        if (auto* schalter = std::get_if<int16_t Einstellungen::*>(&o.feld))
            Schreiben(kOptionenSchluessel, o.name, std::to_string(quelle.**schalter));
        else
            Schreiben(kOptionenSchluessel, o.name,
                      ZahlZuText(quelle.*std::get<float Einstellungen::*>(o.feld)));
    }
}

namespace {

const char* const kSpaltenNamen[4] = {"Erweiterung", "Bezeichnung", "Oeffnen", "Symbol"};

std::optional<int16_t> Fensterzustand(const std::string& text) {
    auto wert = TextZuInt16(text);
    if (wert && (*wert < 0 || *wert > 2)) return std::nullopt;
    return wert;
}

}  // namespace

void FensterwerteLesen(Fensterwerte& z) {
    const Werteleser lesen(kStartupSchluessel);
    const Fensterwerte v;  // a missing value reads as the first run's
    Uebernehmen(z.WindowState, lesen("WindowState", std::to_string(v.WindowState)), Fensterzustand);
    Uebernehmen(z.top, lesen("top", ZahlZuText(v.top)), TextZuSingle);
    Uebernehmen(z.left, lesen("left", ZahlZuText(v.left)), TextZuSingle);
    Uebernehmen(z.height, lesen("height", ZahlZuText(v.height)), TextZuSingle);
    Uebernehmen(z.width, lesen("width", ZahlZuText(v.width)), TextZuSingle);
    for (int i = 0; i < 4; ++i)
        Uebernehmen(z.Spalten[i], lesen(kSpaltenNamen[i], ZahlZuText(v.Spalten[i])), TextZuSingle);
    Uebernehmen(z.SortKey, lesen("SortKey", std::to_string(v.SortKey)), [](const std::string& t) {
        auto wert = TextZuInt16(t);
        return (wert && *wert >= 0 && *wert <= 3) ? wert : std::nullopt;
    });
    Uebernehmen(z.SortOrder, lesen("SortOrder", std::to_string(v.SortOrder)), [](const std::string& t) {
        auto wert = TextZuInt32(t);
        return (wert && (*wert == 0 || *wert == 1)) ? wert : std::nullopt;
    });
    // A time, as earlier versions stored it, or a time followed by what tells its entry apart.
    Uebernehmen(z.ProtokollGesehen, lesen("ProtokollGesehen", ""), [](const std::string& t) {
        return IstZeitstempel(t.substr(0, 19)) && t.size() <= 64 ? std::optional<std::string>(t) : std::nullopt;
    });
}

bool SchalterLesen(const std::string& unterschluessel, const std::string& name, bool vorgabe) {
    std::string text = Lesen(unterschluessel.c_str(), name.c_str(), BoolZuText(vorgabe).c_str());
    return TextZuBool(text).value_or(vorgabe);
}

void SchalterSchreiben(const std::string& unterschluessel, const std::string& name, bool wert) {
    Schreiben(unterschluessel.c_str(), name.c_str(), BoolZuText(wert));
}

std::string RunEintrag(const std::string& programmPfad) {
    size_t trenner = programmPfad.find_last_of('\\');
    std::string verzeichnis = trenner == std::string::npos ? "" : programmPfad.substr(0, trenner);
    std::string datei = programmPfad.substr(trenner == std::string::npos ? 0 : trenner + 1);
    std::string basis = datei.substr(0, datei.find_last_of('.'));
    // A root directory is handed over with its backslash ("C:\"), others without.
    if (verzeichnis.size() == 2 && verzeichnis[1] == ':') verzeichnis += '\\';
    std::string befehl = verzeichnis;
    if (RechtsTrimmen(befehl).empty() || RechtsTrimmen(befehl).back() != '\\')
        befehl = RechtsTrimmen(befehl) + '\\';
    befehl += basis + ".EXE";
    // Unquoted, "C:\Program Files\..." would start C:\Program.exe.
    if (befehl.find(' ') != std::string::npos) befehl = '"' + befehl + '"';
    return befehl + " /autostart";
}

void EinstellungenSpeichern(const Fensterwerte& f, const Einstellungen& optionen,
                            bool symbolleiste, bool statusleiste,
                            const std::string& programmPfad) {
    const char* s = kStartupSchluessel;
    Schreiben(s, "WindowState", std::to_string(f.WindowState));
    if (f.WindowState == 0) {
        Schreiben(s, "top", ZahlZuText(f.top));
        Schreiben(s, "left", ZahlZuText(f.left));
        Schreiben(s, "height", ZahlZuText(f.height));
        Schreiben(s, "width", ZahlZuText(f.width));
    }
    for (int i = 0; i < 4; ++i) Schreiben(s, kSpaltenNamen[i], ZahlZuText(f.Spalten[i]));
    Schreiben(s, "SortKey", std::to_string(f.SortKey));
    Schreiben(s, "SortOrder", std::to_string(f.SortOrder));
    if (!f.ProtokollGesehen.empty()) Schreiben(s, "ProtokollGesehen", f.ProtokollGesehen);

    OptionenSchreiben(optionen);
    SchalterSchreiben(kOptionenSchluessel, "Symbolleiste", symbolleiste);
    SchalterSchreiben(kOptionenSchluessel, "Statusleiste", statusleiste);

    if (optionen.Autostart == 1)
        RegWertSchreiben(HKEY_CURRENT_USER, kRunSchluessel, kRunWert, RunEintrag(programmPfad));
    else
        AutostartEintragLoeschen();
}

void AutostartEintragLoeschen() { RegWertLoeschen(HKEY_CURRENT_USER, kRunSchluessel, kRunWert); }

float DoppelklickzeitLesen() {
    std::string text = RegWertLesen(HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickSpeed", "500");
    // A text that is no number keeps the platform's usual half second.
    float ms = TextZuSingle(text).value_or(500.0f);
    return ms / 1000.0f;
}
