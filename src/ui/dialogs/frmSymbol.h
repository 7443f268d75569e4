// The icon chooser: every icon of one file in a scrolling strip; a click picks one, OK or a
// double click hands file and index back to the change dialog.
#pragma once
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "filetypes/Programm.h"
#include "ui/Dialog.h"
#include "ui/Symbolstreifen.h"

class frmSymbol : public Dialog {
public:
    // Starts at `ort` and writes the chosen icon there on OK; `gewaehlt` is then called, before
    // the chooser closes, and may be empty. `doppelklickzeit`: seconds between two clicks that
    // make a double click.
    frmSymbol(std::function<void()> gewaehlt, Symbolort& ort, float doppelklickzeit);

    void cmdOK_Click();
    void cmdAbbrechen_Click();
    void cmdDurchsuchen_Click();
    void txtSymbol_Change();
    void picIcon_Click(int index);
    void picBlau_Click(int index);
    void picBlau_DblClick(int index);
    void HScroll_Change();
    void HScroll_Scroll();
    void HScroll_GotFocus();
    // The strip by keyboard: a key chose cell `index` (-1: none), or the strip got the keys.
    void picMain_KeyDown(int index);
    void picMain_GotFocus();

    const Symbolstreifen& Streifen() const { return streifen_; }

    int16_t AuswahlIndex = 0;  // the selected icon
    // Elapsed-time clock (Uhr) of the click that last selected an icon; none yet at the start.
    double KlickZeit = -std::numeric_limits<double>::infinity();
    int16_t SymbolAnzahl = 0;   // icons in the strip
    bool NameGeaendert = true;  // the name field no longer names the strip's file

    enum { idLblIconDatei = 100, idTxtSymbol, idLblSymbol, idHScroll, idCmdDurchsuchen, idPicMain };

protected:
    void Form_Load() override;
    void Form_Activate() override;
    bool Befehl(int id, int code) override;
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) override;

private:
    void SymbolDateiLaden();
    void SymbolStreifenFuellen();
    void SymbolStreifenLeeren();

    bool Markieren(int index);  // highlighted and chosen; false for a cell without an icon
    void Auswaehlen(int index);
    void Rollen(int wert);  // scroll bar value and strip position
    void Rollbalken(WORD code);
    void NameFokus();
    void KeineSymbole(const std::string& name);

    std::function<void()> gewaehlt_;
    Symbolort& ort_;
    float doppelklickzeit_;
    Symbolstreifen streifen_;
    bool geoeffnet_ = false;
};
