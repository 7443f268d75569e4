// The add/remove dialog: registered types on the left, the watched ones on the right; OK
// makes the right list the main window's working list.
#pragma once
#include "ui/Dialog.h"
#include "ui/Typenansicht.h"

class frmHinzu : public Dialog {
public:
    explicit frmHinzu(Typenansicht& haupt);

    Typenansicht& lvwLinks() { return links_; }
    Typenansicht& lvwRechts() { return rechts_; }

    void cmdRechts_Click();
    void cmdRechtsAlle_Click();
    void cmdLinks_Click();
    void cmdLinksAlle_Click();
    void lvwLinks_ColumnClick(int spalte) { links_.Spaltenklick(spalte); }  // 0-based
    void lvwRechts_ColumnClick(int spalte) { rechts_.Spaltenklick(spalte); }
    void cmdOK_Click();
    void cmdAbbrechen_Click();
    void cmdHilfe_Click();

    enum {
        idLblLinks = 100, idLvwLinks, idCmdRechts, idCmdRechtsAlle, idLblRechts, idLvwRechts,
        idCmdLinks, idCmdLinksAlle, idCmdHilfe
    };

protected:
    void Form_Load() override;
    void Form_Activate() override;
    bool Befehl(int id, int code) override;
    int HilfeKnopf() const override { return idCmdHilfe; }
    LRESULT Benachrichtigung(const NMHDR& nm) override;
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) override;

private:
    // Empties both lists and fills the left one with the registered types not in `ueberwacht`.
    void RegistrierteDateitypenLesen(const Arbeitsliste& ueberwacht);
    // Moved lines take their place in the order of a list that is sorted, else go at its end.
    void MarkierteVerschieben(Textliste& von, Textliste& nach);
    void AlleVerschieben(Textliste& von, Textliste& nach);
    // A move button is enabled only while it has something to move.
    void KnoepfeAnpassen();

    Typenansicht& haupt_;
    Typenansicht links_, rechts_;
    bool aktiviert_ = false;
    Vormerkung knoepfeFaellig_{WM_APP + 11};
};
