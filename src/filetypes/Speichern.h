// The save command: commits the working list to HKEY_CLASSES_ROOT and to the backup store.
#pragma once
#include <string>

#include "filetypes/Wiederherstellen.h"

// What the save command needs of the windows around it.
class Speicherfenster {
public:
    virtual ~Speicherfenster() = default;
    virtual void Sperren(bool gesperrt) = 0;  // main window off for input, hourglass on
    // The progress window; null when "Speichermeldung" is off.
    virtual Fortschritt* FortschrittOeffnen() = 0;
    virtual void FortschrittOben(bool oben) = 0;  // out of the topmost placement for a question
    virtual void FortschrittSchliessen() = 0;
};

// Runs the whole command with its questions. Clears Geaendert unless the user stopped it.
void Speichern(Arbeitsliste& liste, Speicherfenster& fenster);

// The question for a class key shared with an extension that would change.
std::string GemeinsamFrage(const std::string& Erweiterung, const std::string& RegBezeichnung);

// Test hook: the save stops dead after this many types, as a killed process would.
void SpeichernAbbrechenNach(int typen);  // negative: never
