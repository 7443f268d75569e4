// The save command: commits the working list to HKEY_CLASSES_ROOT and to the backup store.
#pragma once
#include <string>
#include <vector>

#include "filetypes/Wiederherstellen.h"

// What the save command needs of the windows around it: the questions it asks, a method a
// question, and what it shows while it writes. Asking may yield to the event loop, and so may
// Zwischendurch: whatever arrives there must leave the list alone until the save returns.
class Speicherfenster {
public:
    virtual ~Speicherfenster() = default;
    virtual bool SpeichernBestaetigen() = 0;       // before anything else; false stops the save
    virtual bool AllesEntfernenBestaetigen() = 0;  // the list is empty: the store will be
    // The class key of `Erweiterung` is shared with an extension that would change, whose
    // description the registry gives as `RegBezeichnung`. True: a key of its own; false: the
    // type leaves list and store and the registry keeps what it holds.
    virtual bool EigenenSchluesselBestaetigen(const std::string& Erweiterung, const std::string& RegBezeichnung) = 0;
    virtual void Zwischendurch() = 0;  // after each type
    virtual void Sperren(bool gesperrt) = 0;  // main window off for input, hourglass on
    // The progress window; null when "Speichermeldung" is off. Closed again whether or not it
    // opened.
    virtual Fortschritt* FortschrittOeffnen() = 0;
    virtual void FortschrittSchliessen() = 0;
};

// What a save did.
struct Speicherergebnis {
    std::vector<std::string> Fehlgeschlagen;  // not written fully; kept in the list
    std::vector<std::string> NichtEntfernt;   // to leave the store but still in it; back in the list
    std::vector<std::string> NichtMehrUeberwacht;  // declined at the shared-key question: out of list and store
    bool Fertig = false;  // ran to its end and every type was written: nothing left unsaved
};

// Runs the whole command over the list as it is when the writing begins; asks first when
// `fragen` is set. What could not be written or removed comes back in the result, for the
// window to tell.
Speicherergebnis Speichern(Arbeitsliste& liste, Speicherfenster& fenster, bool fragen);
