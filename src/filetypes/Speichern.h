// The save command: commits the working list to HKEY_CLASSES_ROOT and to the backup store.
#pragma once
#include <string>
#include <vector>

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

// What a save did.
struct Speicherergebnis {
    std::vector<std::string> Geschrieben;     // into HKEY_CLASSES_ROOT and the store
    std::vector<std::string> Fehlgeschlagen;  // not written fully; kept in the list
    std::vector<std::string> NichtEntfernt;   // to leave the store but still in it; back in the list
    std::vector<std::string> NichtMehrUeberwacht;  // declined at the shared-key question: out of list and store
    bool Fertig = false;  // ran to its end and every type was written: nothing left unsaved
};

// Runs the whole command over the list as it is when the writing begins; asks first when
// `fragen` is set. The types that could not be written or removed are named in one message at
// the end.
Speicherergebnis Speichern(Arbeitsliste& liste, Speicherfenster& fenster, bool fragen);

// The question for a class key shared with an extension that would change.
std::string GemeinsamFrage(const std::string& Erweiterung, const std::string& RegBezeichnung);

// The message that names the types a save could not write fully, and those it could not
// remove from the store.
std::string FehlerMeldung(const std::vector<std::string>& fehlgeschlagen,
                          const std::vector<std::string>& nichtEntfernt = {});
