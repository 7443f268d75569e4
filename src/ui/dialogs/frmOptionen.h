// The options dialog: the settings record in check boxes and two sliders on four tabs.
#pragma once
#include "settings/Optionen.h"
#include "ui/Dialog.h"
#include "ui/Textliste.h"

// Slider positions 0 ("kurz") to 10 ("lang") stand for pauses of half a second each.
int SchiebePosition(float pause);  // nearest position, half to even; outside: the nearer end
float SchiebePause(int position);

class frmOptionen : public Dialog {
public:
    explicit frmOptionen(Textliste& haupt);

    int Registerkarte() const;  // the page shown, 0 to 3
    void RegisterkarteZeigen(int seite);
    bool Zugriffstaste(char taste);  // Alt and a tab's letter: true when it opened a page
    void Blaettern(int schritt);     // Ctrl+Tab: 1, Ctrl+Shift+Tab: -1; round the four pages

    // Click reactions; a check box's also runs when code changes its state.
    void chkAutostart_Click();
    void chkAutostartmeldung_Click();
    void chkMehrfachauswahl_Click();
    void chkSpeichermeldung_Click();
    void chkBezeichnung_Click() { UebernehmenFreigeben(); }
    void chkSymbol_Click() { UebernehmenFreigeben(); }
    void chkSicherheitsabfrage_Click() { UebernehmenFreigeben(); }
    void chkRueckgaengig_Click() { UebernehmenFreigeben(); }
    void chkBeenden_Click() { UebernehmenFreigeben(); }
    void sliderAutostart_Click() { UebernehmenFreigeben(); }
    void sliderSpeichern_Click() { UebernehmenFreigeben(); }
    void cmdUebernehmen_Click();
    void cmdOK_Click();
    void cmdAbbrechen_Click();
    void cmdStandard_Click();
    void cmdHilfe_Click();

    enum {
        idSSTab1 = 100, idChkAutostart, idChkAutostartmeldung, idLblAutostartmeldung0,
        idSliderAutostart, idLblAutostartmeldung1, idChkMehrfachauswahl, idChkBezeichnung,
        idChkSymbol, idChkSicherheitsabfrage, idChkSpeichermeldung, idLblSpeichermeldung0,
        idSliderSpeichern, idLblSpeichermeldung1, idChkRueckgaengig, idChkBeenden,
        idCmdUebernehmen, idCmdHilfe, idCmdStandard
    };

protected:
    void Form_Load() override;
    void Form_Unload() override;
    bool Befehl(int id, int code) override;
    int HilfeKnopf() const override { return idCmdHilfe; }
    LRESULT Benachrichtigung(const NMHDR& nm) override;
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) override;

private:
    void Setzen(int id, bool an);  // runs the click reaction when the state changes
    void Einstellen(const Einstellungen& werte);  // every control, as Setzen does
    void Reaktion(int id);
    void UebernehmenFreigeben();
    void Freigeben(std::initializer_list<int> ids, bool an);
    int Position(int id) const;
    void PositionSetzen(int id, int position);

    bool Taste(const MSG& m);  // the keys the dialog manager does not know on tabs

    Textliste& haupt_;
    Dialogfilter tasten_;
    Bibliothek stile_;  // uxtheme.dll, where the platform has it
};
