// Start-up: the autostart run and the interactive run.
#pragma once
#include <cstdint>
#include <string>

class frmMain;

// True from the start of an autostart run until the user chooses to start interactively.
extern bool Autostartlauf;
// The working list has changes that are not saved.
extern bool Geaendert;
// The user's double-click time in seconds.
extern float Doppelklickzeit;
// Twips above and below the main list taken by the tool bar and the status bar.
extern int16_t Leistenhoehe;

inline constexpr const char* kProgrammTitel = "Endungswart";

// The program logic, from the platform check to the shown main window or the end of an
// autostart run. `befehlszeile` holds the arguments only. Returns the main window when the
// event loop must run, otherwise null.
frmMain* Main(const std::string& befehlszeile);

// Pieces of Main that stand on their own.
bool Windows95Familie();
bool IstAutostartBefehl(const std::string& befehlszeile);
bool VorigeInstanzAktivieren();  // true when another instance runs (and was brought up front)
// Test hook: test processes run side by side and must not take each other for the program.
void InstanzkennungSetzen(const std::string& name);
void KomponentenFehlerMelden(unsigned long fehler);
