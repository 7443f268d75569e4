// The add/remove dialog: registered types on the left, the watched ones on the right; OK
// makes the right list the main window's working list.
#pragma once
#include "ui/Dialog.h"
#include "ui/ListView.h"

class frmHinzu : public Dialog {
public:
    explicit frmHinzu(ListView& haupt);

    ListView& lvwLinks() { return links_; }
    ListView& lvwRechts() { return rechts_; }

    void cmdRechts_Click();
    void cmdRechtsAlle_Click();
    void cmdLinks_Click();
    void cmdLinksAlle_Click();
    void lvwLinks_ColumnClick(int spalte);  // 0-based
    void lvwRechts_ColumnClick(int spalte);
    void cmdOK_Click();
    void cmdAbbrechen_Click();
    void cmdHilfe_Click();

    enum {
        idLblLinks = 100, idLvwLinks, idCmdRechts, idCmdRechtsAlle, idLblRechts, idLvwRechts,
        idCmdLinks, idCmdLinksAlle, idCmdHilfe
    };

    // Sort state of one list; appending keeps the order once sorting is on.
    struct Sortierung {
        int spalte = 0;
        bool absteigend = false;
        bool an = false;
    };
    const Sortierung& SortierungRechts() const { return sortRechts_; }

protected:
    void Form_Load() override;
    void Form_Activate() override;
    bool Befehl(int id, int code) override;
    int HilfeKnopf() const override { return idCmdHilfe; }
    LRESULT Benachrichtigung(const NMHDR& nm) override;
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& ergebnis) override;

private:
    // Empties both lists and fills the left one with the registered types not in `ueberwacht`.
    void RegistrierteDateitypenLesen(const Arbeitsliste& ueberwacht);
    void MarkierteVerschieben(ListView& von, ListView& nach, const Sortierung& sortNach);
    void AlleVerschieben(ListView& von, ListView& nach, const Sortierung& sortNach);
    void Spaltenklick(ListView& liste, Sortierung& sort, int spalte);

    ListView& haupt_;
    ListView links_, rechts_;
    Sortierung sortLinks_, sortRechts_;
    bool aktiviert_ = false;
};
