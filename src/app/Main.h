// Start-up: the autostart run and the interactive run.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "ui/main/frmMain.h"

// The program logic, from the platform check to the shown main window or the end of an
// autostart run. `befehlszeile` holds the arguments only. Returns the main window when the
// event loop must run, otherwise null.
std::unique_ptr<frmMain> Main(const std::string& befehlszeile);

// Pieces of Main that stand on their own.
bool Windows95Familie();
bool IstAutostartBefehl(const std::string& befehlszeile);
bool VorigeInstanzAktivieren();  // true when another instance runs (and was brought up front)
