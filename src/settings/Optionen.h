// The settings kept between runs: the options under "Optionen", the main window's state under
// "Startup", and the Run entry that starts the program at every system start.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

// Key paths of the program under HKEY_CURRENT_USER.
inline constexpr const char* kEigenerSchluessel = "Software\\RHM\\Endungswart\\";
inline constexpr const char* kRunSchluessel = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunWert = "Endungswart";

// The user's options in memory. Switches hold a check box state: 0 off, 1 on. A record starts
// all 0, as nothing read yet; the defaults are the store's, given by Standardeinstellungen.
struct Einstellungen {
    int16_t Autostart = 0;
    int16_t Autostartmeldung = 0;
    float AutostartPause = 0;
    int16_t Mehrfachauswahl = 0;
    int16_t Bezeichnung = 0;
    int16_t Symbol = 0;
    int16_t Sicherheitsabfrage = 0;
    int16_t Speichermeldung = 0;
    float SpeichernPause = 0;
    int16_t Rueckgaengig = 0;
    int16_t Beenden = 0;
};

// The program-wide record; its fields start at 0 and are read at start-up.
extern Einstellungen Optionen;

// The options as a first run, with nothing stored, reads them.
Einstellungen Standardeinstellungen();

// Reads the named options, in the order given, into `ziel`. A stored text that is no number
// leaves its field as it was.
void OptionenLesen(Einstellungen& ziel, std::initializer_list<const char*> namen);
// All eleven options in their fixed order.
void OptionenSchreiben(const Einstellungen& quelle);

// A pause as it is used: held to 0 to 5 seconds, the range the options dialog sets, so that no
// stored value, however large and even no number at all, can hold the program.
double PauseBegrenzt(double sekunden);

// The main window's values under "Startup". The defaults are those of a first run.
struct Fensterwerte {
    int16_t WindowState = 0;  // 0 normal, 1 minimised, 2 maximised
    float top = 400, left = 200, height = 5000, width = 9400;  // twips
    float Spalten[4] = {750, 3000, 9000, 9000};                // twips
    int16_t SortKey = 0;
    int32_t SortOrder = 0;
    std::string ProtokollGesehen;  // marks the log's last entry the user has seen; empty: none
};

// Reads every "Startup" value; a text that does not fit its destination leaves it as it was.
void FensterwerteLesen(Fensterwerte& ziel);

// A boolean text of the program's key, such as "Symbolleiste" or "FirstStart".
bool SchalterLesen(const std::string& unterschluessel, const std::string& name, bool vorgabe);
void SchalterSchreiben(const std::string& unterschluessel, const std::string& name, bool wert);

// The command line the Run list holds for a program at `programmPfad`.
std::string RunEintrag(const std::string& programmPfad);

// Removes the program's value from the Run list; the Run key itself stays.
void AutostartEintragLoeschen();

// Everything, in the fixed order, when the main window closes on an interactive run.
void EinstellungenSpeichern(const Fensterwerte& fenster, const Einstellungen& optionen,
                            bool symbolleiste, bool statusleiste,
                            const std::string& programmPfad);

// The user's double-click time in seconds.
float DoppelklickzeitLesen();

inline constexpr const char* kOptionenSchluessel = "Optionen";
inline constexpr const char* kStartupSchluessel = "Startup";
