// Start-up: the autostart run and the interactive run.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Besitzer.h"
#include "ui/main/frmMain.h"

// Marks this process as the running instance of the program for as long as it lives.
class Instanzmarke {
public:
    // True when another instance holds the mark (and was brought up front); false once this
    // one holds it.
    bool VorigeInstanzAktivieren();

private:
    Kernobjekt mutex_;
};

// The program logic, from the platform check to the shown main window or the end of an
// autostart run. `befehlszeile` holds the arguments only; `marke` must outlive the event loop.
// Returns the main window when the event loop must run, otherwise null.
std::unique_ptr<frmMain> Main(const std::string& befehlszeile, Instanzmarke& marke);

// Pieces of Main that stand on their own.
bool Windows95Familie();
bool IstAutostartBefehl(const std::string& befehlszeile);
