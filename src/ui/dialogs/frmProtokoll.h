// The log dialog: what the system-start runs found changed and put back, newest first, and a
// check of the watched types against the registry that writes nothing.
#pragma once
#include <string>
#include <vector>

#include "filetypes/Protokoll.h"
#include "ui/Dialog.h"
#include "ui/Textliste.h"

class frmProtokoll : public Dialog {
public:
    // `gesehen` takes the mark of the log's last entry as soon as the log is shown.
    explicit frmProtokoll(std::string& gesehen);

    Textliste& lvwProtokoll() { return liste_; }

    void cmdPruefen_Click();
    void cmdLeeren_Click();
    void cmdSchliessen_Click();
    void cmdHilfe_Click();
    void lvwProtokoll_ColumnClick(int spalte) { liste_.Spaltenklick(spalte); }  // 0-based

    enum {
        idLblProtokoll = 100, idLvwProtokoll, idTxtDetails, idLblErgebnis, idCmdPruefen, idCmdLeeren, idCmdHilfe
    };
    static constexpr unsigned long kHilfeThema = 60;

protected:
    void Form_Load() override;
    bool Befehl(int id, int code) override;
    LRESULT Benachrichtigung(const NMHDR& nm) override;
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) override;

private:
    // Every line anew, newest first, the newest one current.
    void Fuellen(const std::vector<Protokolleintrag>& eintraege);
    void Ergebnis(const std::string& text);
    // The current line's values in full below the list: the columns cut long ones off.
    void DetailsZeigen();
    void LeerenFreigeben(bool an);  // only while the log holds something

    std::string& gesehen_;
    Textliste liste_;
};
