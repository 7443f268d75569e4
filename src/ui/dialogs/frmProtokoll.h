// The log dialog: what the system-start runs found changed and put back, newest first, a
// check of the watched types against the registry that writes nothing, and, once it found
// differences, the system-start run's restore at once.
#pragma once
#include <string>
#include <vector>

#include "filetypes/Protokoll.h"
#include "ui/Dialog.h"
#include "ui/Textliste.h"

class frmProtokoll : public Dialog {
public:
    // `gesehen` takes the mark of the log's last entry as soon as the log is shown. While the
    // main list holds unsaved changes (`listeGeaendert`), nothing is restored.
    explicit frmProtokoll(std::string& gesehen, bool listeGeaendert = false);

    // The restore ran: the registry holds the store's types again.
    bool Wiederhergestellt() const { return wiederhergestellt_; }

    Textliste& lvwProtokoll() { return liste_; }

    void cmdPruefen_Click();
    void cmdWiederherstellen_Click();
    void cmdLeeren_Click();
    void cmdSchliessen_Click();
    void cmdHilfe_Click();
    void lvwProtokoll_ColumnClick(int spalte) { liste_.Spaltenklick(spalte); }  // 0-based

    enum {
        idLblProtokoll = 100, idLvwProtokoll, idTxtDetails, idLblErgebnis, idCmdPruefen, idCmdLeeren, idCmdHilfe,
        idCmdWiederherstellen
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
    void Freigeben(int id, bool an);
    void LeerenFreigeben(bool an) { Freigeben(idCmdLeeren, an); }  // only while the log holds something

    std::string& gesehen_;
    const bool listeGeaendert_;
    bool wiederhergestellt_ = false;
    Textliste liste_;
};
