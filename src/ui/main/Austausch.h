// Export and import of the watched types as a registration file: the file dialogs and the
// messages around RegdateiSchreiben and RegdateiLesen.
#pragma once
#include <windows.h>

#include <string>

#include "ui/Typenansicht.h"

// The help topic of both commands; F1 opens it while their dialogs are up.
inline constexpr unsigned long kAustauschHilfeThema = 70;

// Asks for a file and writes the backup store into it; a failure is named in a message. The
// notice for the status bar once a file is written, else empty.
std::string Exportieren(HWND fenster);

// Asks for a file and takes its types into the list, in order, as changes not yet saved: a type
// the list holds gets the file's values, a new one a line of its own. `geaendert` is set as soon
// as a line changed or came, before the message that says what was taken and what was not.
void Importieren(HWND fenster, Typenansicht& liste, bool& geaendert);
