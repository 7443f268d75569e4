// The change command and its dialog: description, open command and icon location of the
// selected lines of the main list, one type or several at once.
#pragma once
#include <string>
#include <vector>

#include "filetypes/Programm.h"
#include "ui/Dialog.h"
#include "ui/Typenansicht.h"

// The change command: fills the dialog from the selected lines, shows it, and gives the focus
// back to the list. True when OK wrote the dialog's values into the list. `doppelklickzeit`
// (seconds) is the user's, for the icon chooser.
bool AendernBefehl(Typenansicht& liste, float doppelklickzeit);

class frmAendern : public Dialog {
public:
    frmAendern(Typenansicht& liste, float doppelklickzeit);

    // Reads the selected lines in list order. False when none is selected.
    bool Fuellen();

    void cmdOeffnen_Click();
    void cmdOK_Click();
    void cmdAbbrechen_Click();
    void cmdHilfe_Click();
    void cmdSymbol_Click();

    // Shows the icon at Ort() in picSymbol instead of the page image.
    void SymbolAnzeigen();
    // The icon location being edited, handed to the icon chooser.
    const Symbolort& Ort() const { return ort_; }

    enum {
        idFrAendern0 = 100, idFrAendern1, idFrAendern2, idTxtOeffnen, idCmdOeffnen,
        idChkBezeichnung, idChkSymbol, idTxtBezeichnung, idFrSymbol, idCmdSymbol, idCmdHilfe,
        idTxtErweiterung, idPicSymbol, idPicSymbolDef
    };
    static constexpr COLORREF kGesperrt = RGB(192, 192, 192);

protected:
    void Form_Load() override;
    void Form_Activate() override;
    bool Befehl(int id, int code) override;
    int HilfeKnopf() const override { return idCmdHilfe; }
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) override;

private:
    enum class Bild { Symbol, Seite, Keines };  // what the Symbol frame shows

    void Fokus(int id);
    bool Sichtbar(int id) const;
    // Greys what cannot change: the description while its box is marked, the icon button
    // likewise; a frame's access key goes with its field, so that it never lands elsewhere.
    void SperrenZeigen();
    void Zeichnen(const DRAWITEMSTRUCT& d) const;

    Typenansicht& liste_;
    float doppelklickzeit_;
    Symbolort ort_{"", "0"};  // lives with the dialog: every opening starts empty
    // A selected type has an open command without a program part, or keeps its icon fixed.
    bool oeffnenGesperrt_ = false;
    bool symbolGesperrt_ = false;
    std::vector<size_t> zeilen_;  // the selected lines
    std::string erweiterungen_, bezeichnung_, oeffnen_;
    Bild bild_ = Bild::Keines;
    SymbolBild symbol_;  // in picSymbol
    SymbolBild klein_;   // the program's small icon on the page image
    Pinsel grau_;        // behind a locked open command
};
