// The progress window: shows each file type while it is written, for a set pause.
#pragma once
#include "settings/Optionen.h"
#include "filetypes/Wiederherstellen.h"
#include "ui/Form.h"

class frmSpeichern : public Form, public Fortschritt {
public:
    explicit frmSpeichern(double pause) : pause_(PauseBegrenzt(pause)) {}

    // Creates the window hidden; false when it cannot be made.
    bool Erstellen(HWND besitzer);
    // Shows it without making it modal, paints it at once and keeps it above all windows.
    void Anzeigen();
    void Oben(bool oben);  // in or out of the topmost placement

    void Zeigen(const Dateityp& typ) override;

    enum { idFrame1 = 100, idLblErweiterung, idLblBezeichnung, idLblOeffnen, idFest };

protected:
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) override;

private:
    double pause_;
};
