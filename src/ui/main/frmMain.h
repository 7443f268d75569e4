// The main window: the list of watched file types.
#pragma once
#include "app/Optionen.h"
#include "ui/Form.h"
#include "ui/ListView.h"

class frmMain : public Form {
public:
    static constexpr const char* kKlasse = "Endungswart.frmMain";
    static constexpr const char* kTitel = "Endungswart";

    // Creates the window hidden, with its list and the state of the last run. Returns 0, or
    // the platform's error number when a window or control cannot be made.
    DWORD Form_Load();
    // Shows the window in its restored state (normal, minimised or maximised).
    void Anzeigen();
    // Places the list below the bars that are shown and sets Leistenhoehe.
    void LeistenAnordnen();

    ListView& lvwMain() { return liste_; }
    Fensterwerte Zustand() const;  // state, geometry, columns and sort as they are now

    // The check marks of the bar switches.
    bool Symbolleiste = true;
    bool Statusleiste = true;

    enum { idLvwMain = 1000 };

protected:
    LRESULT Nachricht(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Form_Resize();
    void Form_Unload();

    ListView liste_;
    Fensterwerte werte_;
    double listenOben_ = 0;  // twips
    bool gezeigt_ = false;
};
