// The log dialog: what the system-start runs found changed and put back, newest first, and a
// check of the watched types against the registry that writes nothing.
#pragma once
#include <string>
#include <vector>

#include "filetypes/Protokoll.h"
#include "ui/Dialog.h"
#include "ui/ListView.h"

class frmProtokoll : public Dialog {
public:
    // `gesehen` takes the mark of the log's last entry as soon as the log is shown.
    explicit frmProtokoll(std::string& gesehen);

    ListView& lvwProtokoll() { return liste_; }

    void cmdPruefen_Click();
    void cmdLeeren_Click();
    void cmdSchliessen_Click();
    void cmdHilfe_Click();
    void lvwProtokoll_ColumnClick(int spalte);  // 0-based

    enum { idLblProtokoll = 100, idLvwProtokoll, idLblErgebnis, idCmdPruefen, idCmdLeeren, idCmdHilfe };
    static constexpr unsigned long kHilfeThema = 60;

protected:
    void Form_Load() override;
    bool Befehl(int id, int code) override;
    LRESULT Benachrichtigung(const NMHDR& nm) override;
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& ergebnis) override;

private:
    void Laden();  // the log as it is now, replacing every line
    void Sortieren();
    void Fuellen();
    void ErsteZeile();
    void Ergebnis(const std::string& text);

    std::string& gesehen_;
    ListView liste_;
    std::vector<Protokolleintrag> zeilen_;  // what the list shows, in its order
    int sortSpalte_ = 0;
    bool absteigend_ = true;  // newest first
};
