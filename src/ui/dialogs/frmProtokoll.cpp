#include "ui/dialogs/frmProtokoll.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Seams.h"

namespace {

constexpr int kBreite = 9600, kHoehe = 5505;  // client area, twips

const Steuerelement kElemente[] = {
    {Art::Beschriftung, frmProtokoll::idLblProtokoll, 120, 120, 6000, 255,
     "&Änderungen anderer Programme:", 0},
    {Art::Liste, frmProtokoll::idLvwProtokoll, 120, 390, 9360, 4200, "", 0},
    {Art::Bezeichnung, frmProtokoll::idLblErgebnis, 120, 4680, 9360, 255, "", 0},
    {Art::Schaltflaeche, frmProtokoll::idCmdPruefen, 120, 5010, 1500, 375, "&Jetzt prüfen", 0},
    {Art::Schaltflaeche, frmProtokoll::idCmdLeeren, 1740, 5010, 1200, 375, "&Leeren", 0},
    {Art::Schaltflaeche, IDCANCEL, 7560, 5010, 1200, 375, "Schließen", BS_DEFPUSHBUTTON},
    {Art::Schaltflaeche, frmProtokoll::idCmdHilfe, 8880, 5010, 600, 375, "?", 0},
};

using F = frmProtokoll;
const Befehlszeile<F> kBefehle[] = {
    {IDOK, &F::cmdSchliessen_Click},
    {IDCANCEL, &F::cmdSchliessen_Click},
    {F::idCmdPruefen, &F::cmdPruefen_Click},
    {F::idCmdLeeren, &F::cmdLeeren_Click},
    {F::idCmdHilfe, &F::cmdHilfe_Click},
};

const Spalte kSpalten[5] = {
    {"Datum", 2100}, {"Erweiterung", 1250}, {"Wert", 1200}, {"Vorgefunden", 2350}, {"Wiederhergestellt", 2350}};

const std::string& Text(const Protokolleintrag& e, int spalte) {
    const std::string* felder[5] = {&e.Datum, &e.Erweiterung, &e.Wert, &e.Vorgefunden, &e.Wiederhergestellt};
    return *felder[spalte >= 0 && spalte < 5 ? spalte : 0];
}

}  // namespace

frmProtokoll::frmProtokoll(std::string& gesehen)
    : Dialog("Protokoll", kBreite, kHoehe, kElemente, std::size(kElemente)), gesehen_(gesehen) {}

void frmProtokoll::Form_Load() {
    liste_.Verbinden(Element(idLvwProtokoll));
    liste_.SpaltenAnlegen(kSpalten, 5);
    liste_.ZeilenweiseWaehlen();
    // Enter closes, wherever the focus is but on another button.
    SendMessageA(hwnd(), DM_SETDEFID, IDCANCEL, 0);
    Laden();
    Ergebnis("Protokolldatei: " + ProtokollDatei());
}

void frmProtokoll::Laden() {
    zeilen_ = ProtokollLesen();
    // Whatever the log holds has been seen, marked by its last entry, not by the newest time.
    if (!zeilen_.empty()) gesehen_ = ProtokollMarke(zeilen_, zeilen_.size() - 1);
    sortSpalte_ = 0;
    absteigend_ = true;
    Sortieren();
    ErsteZeile();
}

void frmProtokoll::ErsteZeile() {
    // The newest line current, so that the arrow keys start at the top.
    if (!zeilen_.empty()) liste_.Waehlen(0);
}

void frmProtokoll::Sortieren() {
    // Stable, as the main list: a run's entries stay together, type by type.
    std::stable_sort(zeilen_.begin(), zeilen_.end(), [&](const Protokolleintrag& a, const Protokolleintrag& b) {
        int v = lstrcmpiA(Text(a, sortSpalte_).c_str(), Text(b, sortSpalte_).c_str());
        return absteigend_ ? v > 0 : v < 0;
    });
    Fuellen();
}

void frmProtokoll::Fuellen() {
    if (!liste_.hwnd()) return;  // the dialog went while a question was open
    OhneZeichnen still(liste_.hwnd());
    liste_.Leeren();
    for (size_t i = 0; i < zeilen_.size(); ++i) {
        std::string texte[5];
        for (int s = 0; s < 5; ++s) texte[s] = Text(zeilen_[i], s);
        liste_.ZeileEinfuegen(i, texte, 5);
    }
}

void frmProtokoll::Ergebnis(const std::string& text) { FeldtextSetzen(idLblErgebnis, text); }

void frmProtokoll::cmdPruefen_Click() {
    Form::Sanduhr(true);
    std::vector<Protokolleintrag> jetzt = JetztPruefen();
    // The check's lines replace those of an earlier check and stand above the log's lines.
    const size_t n = jetzt.size();
    zeilen_ = std::move(jetzt);
    for (Protokolleintrag& e : ProtokollLesen()) zeilen_.push_back(std::move(e));
    sortSpalte_ = 0;
    absteigend_ = true;
    Sortieren();
    ErsteZeile();
    liste_.Fokus();
    Form::Sanduhr(false);
    Ergebnis(n == 0 ? "Keine Abweichungen: Alle überwachten Dateitypen sind so eingetragen, wie sie gesichert sind."
                    : std::to_string(n) + " Abweichung(en) gefunden. Nichts wurde geändert.");
}

void frmProtokoll::cmdLeeren_Click() {
    if (Meldung("Soll das Protokoll geleert werden?", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2,
                "Endungswart - Protokoll") != IDYES)
        return;
    const bool geleert = ProtokollLeeren();
    if (!hwnd()) return;
    Laden();
    Ergebnis(geleert ? "Das Protokoll ist leer." : "Das Protokoll konnte nicht geleert werden.");
}

void frmProtokoll::cmdSchliessen_Click() { Beenden(IDCANCEL); }

void frmProtokoll::cmdHilfe_Click() { Hilfe(hwnd(), HELP_CONTEXT, kHilfeThema); }

void frmProtokoll::lvwProtokoll_ColumnClick(int spalte) {
    if (spalte < 0 || spalte > 4) return;
    if (spalte == sortSpalte_) {
        absteigend_ = !absteigend_;
    } else {
        sortSpalte_ = spalte;
        absteigend_ = false;
    }
    Sortieren();
}

bool frmProtokoll::Befehl(int id, int code) { return code == BN_CLICKED && Ausloesen(*this, kBefehle, id); }

LRESULT frmProtokoll::Benachrichtigung(const NMHDR& nm) {
    if (nm.idFrom == idLvwProtokoll && nm.code == LVN_COLUMNCLICK)
        lvwProtokoll_ColumnClick(reinterpret_cast<const NMLISTVIEW&>(nm).iSubItem);
    return 0;
}

bool frmProtokoll::Nachricht(UINT msg, WPARAM, LPARAM, INT_PTR& ergebnis) {
    if (msg != WM_HELP) return false;
    cmdHilfe_Click();  // F1
    ergebnis = TRUE;
    return true;
}
