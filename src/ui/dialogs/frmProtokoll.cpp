#include "ui/dialogs/frmProtokoll.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "filetypes/Sicherung.h"
#include "filetypes/Wiederherstellen.h"
#include "platform/Seams.h"
#include "filetypes/Vergleich.h"

namespace {

constexpr int kBreite = 9600, kHoehe = 6645;  // client area, twips

const Steuerelement kElemente[] = {
    {Art::Beschriftung, frmProtokoll::idLblProtokoll, 120, 120, 6000, 255,
     "&Änderungen anderer Programme:", 0},
    {Art::Liste, frmProtokoll::idLvwProtokoll, 120, 390, 9360, 4200, "", 0},
    {Art::Lesefeld, frmProtokoll::idTxtDetails, 120, 4680, 9360, 1050, "", 0},
    {Art::Bezeichnung, frmProtokoll::idLblErgebnis, 120, 5820, 9360, 255, "", 0},
    {Art::Schaltflaeche, frmProtokoll::idCmdPruefen, 120, 6150, 1500, 375, "&Jetzt prüfen", 0},
    {Art::Schaltflaeche, frmProtokoll::idCmdWiederherstellen, 1740, 6150, 2160, 375, "Jetzt &wiederherstellen",
     WS_DISABLED},
    {Art::Schaltflaeche, frmProtokoll::idCmdLeeren, 4020, 6150, 1200, 375, "&Leeren", 0},
    {Art::Schaltflaeche, IDCANCEL, 7560, 6150, 1200, 375, "Schließen", BS_DEFPUSHBUTTON},
    {Art::Schaltflaeche, frmProtokoll::idCmdHilfe, 8880, 6150, 600, 375, "?", 0},
};

using F = frmProtokoll;
const Befehlszeile<F> kBefehle[] = {
    {IDOK, &F::cmdSchliessen_Click},
    {IDCANCEL, &F::cmdSchliessen_Click},
    {F::idCmdPruefen, &F::cmdPruefen_Click},
    {F::idCmdWiederherstellen, &F::cmdWiederherstellen_Click},
    {F::idCmdLeeren, &F::cmdLeeren_Click},
    {F::idCmdHilfe, &F::cmdHilfe_Click},
};

const Spalte kSpalten[5] = {
    {"Datum", 2100}, {"Erweiterung", 1250}, {"Wert", 1200}, {"Vorgefunden", 2350}, {"Wiederhergestellt", 2350}};

// What the system-start run does: the store loaded and written back, through its code.
std::vector<Protokolleintrag> JetztWiederherstellen() {
    Typliste gespeichert;
    SicherungLaden(gespeichert);
    return SystemstartWiederherstellen(gespeichert, nullptr);
}

// Whether the log ends with the entries `neu`; a log that could not be written lacks them.
bool AmEnde(const std::vector<Protokolleintrag>& log, const std::vector<Protokolleintrag>& neu) {
    if (neu.size() > log.size()) return false;
    for (size_t i = 0; i < neu.size(); ++i) {
        const Protokolleintrag &a = log[log.size() - neu.size() + i], &b = neu[i];
        if (a.Datum != b.Datum || a.Erweiterung != b.Erweiterung || a.Wert != b.Wert) return false;
    }
    return true;
}

std::string Wiederherstellbericht(const std::vector<Protokolleintrag>& neu, bool imProtokoll) {
    if (neu.empty()) return "Keine Abweichungen mehr: Es war nichts wiederherzustellen.";
    size_t fehler = 0;
    for (const Protokolleintrag& e : neu) fehler += e.Wiederhergestellt == kNichtGeschrieben;
    std::string text = std::to_string(neu.size() - fehler) + " Abweichung(en) wiederhergestellt.";
    if (fehler) text += " " + std::to_string(fehler) + " Wert(e) konnten nicht geschrieben werden.";
    if (!imProtokoll) text += " Das Protokoll konnte nicht geschrieben werden.";
    return text;
}

}  // namespace

frmProtokoll::frmProtokoll(std::string& gesehen, bool listeGeaendert)
    : Dialog("Protokoll", kBreite, kHoehe, kElemente, std::size(kElemente)),
      gesehen_(gesehen),
      listeGeaendert_(listeGeaendert) {}

void frmProtokoll::Form_Load() {
    liste_.Verbinden(Element(idLvwProtokoll));
    liste_.SpaltenAnlegen(kSpalten, 5);
    liste_.ZeilenweiseWaehlen();
    // Enter closes, wherever the focus is but on another button.
    SendMessageA(hwnd(), DM_SETDEFID, IDCANCEL, 0);
    const std::vector<Protokolleintrag> eintraege = ProtokollLesen();
    // Whatever the log holds has been seen, marked by its last entry, not by the newest time.
    if (!eintraege.empty()) gesehen_ = ProtokollMarke(eintraege, eintraege.size() - 1);
    Fuellen(eintraege);
    LeerenFreigeben(!eintraege.empty());
    Ergebnis("Protokolldatei: " + ProtokollDatei());
}

void frmProtokoll::Fuellen(const std::vector<Protokolleintrag>& eintraege) {
    std::vector<std::vector<std::string>> zeilen;
    for (const Protokolleintrag& e : eintraege)
        zeilen.push_back({e.Datum, e.Erweiterung, e.Wert, e.Vorgefunden, e.Wiederhergestellt});
    liste_.Leeren();
    // Sorted stably: a run's entries stay together, type by type.
    liste_.SortierungSetzen(0, true);
    liste_.Fuellen(std::move(zeilen));
    // The newest line current, so that the arrow keys start at the top.
    if (liste_.Anzahl() > 0) liste_.Waehlen(0);
    DetailsZeigen();
}

void frmProtokoll::Ergebnis(const std::string& text) { FeldtextSetzen(idLblErgebnis, text); }

void frmProtokoll::DetailsZeigen() {
    const int zeile = liste_.Aktuelle();
    std::string text;
    if (zeile >= 0) {
        const std::vector<std::string> z = liste_.Zeile(static_cast<size_t>(zeile));
        text = z[0] + "   " + z[1] + "   " + z[2] + "\r\n" + kSpalten[3].titel + ": " + z[3] + "\r\n" +
               kSpalten[4].titel + ": " + z[4];
    }
    FeldtextSetzen(idTxtDetails, text);
}

void frmProtokoll::Freigeben(int id, bool an) {
    HWND knopf = Element(id);
    // A disabled button cannot keep the keys; "Schließen" takes them and the frame.
    if (!an && GetFocus() == knopf) FokusSetzen(Element(IDCANCEL));
    EnableWindow(knopf, an);
}

void frmProtokoll::cmdPruefen_Click() {
    Form::Sanduhr(true);
    std::vector<Protokolleintrag> jetzt = JetztPruefen();
    // The check's lines replace those of an earlier check and stand above the log's lines.
    const size_t n = jetzt.size();
    for (Protokolleintrag& e : ProtokollLesen()) jetzt.push_back(std::move(e));
    Fuellen(jetzt);
    LeerenFreigeben(jetzt.size() > n);
    Freigeben(idCmdWiederherstellen, n > 0 && !listeGeaendert_);
    // Through the dialog manager, so that the default frame goes back to "Schließen".
    FokusSetzen(liste_.hwnd());
    Form::Sanduhr(false);
    if (n == 0)
        Ergebnis("Keine Abweichungen: Alle überwachten Dateitypen sind so eingetragen, wie sie gesichert sind.");
    else if (listeGeaendert_)
        Ergebnis(std::to_string(n) + " Abweichung(en) gefunden. Zum Wiederherstellen erst die Änderungen der "
                                     "Liste speichern oder verwerfen.");
    else
        Ergebnis(std::to_string(n) + " Abweichung(en) gefunden. Nichts wurde geändert.");
}

void frmProtokoll::cmdWiederherstellen_Click() {
    if (Meldung("Sollen die überwachten Dateitypen jetzt so in die Registrierungsdatenbank geschrieben werden, "
                "wie sie gesichert sind?\n\nDas geschieht sonst beim nächsten Systemstart.",
                MB_YESNO | MB_ICONQUESTION, "Endungswart - Protokoll") != IDYES)
        return;
    Form::Sanduhr(true);
    const std::vector<Protokolleintrag> neu = JetztWiederherstellen();
    wiederhergestellt_ = true;
    std::vector<Protokolleintrag> eintraege = ProtokollLesen();
    const bool imProtokoll = AmEnde(eintraege, neu);
    // The new lines are seen as they are shown; those the log lacks stand on top all the same.
    if (imProtokoll && !eintraege.empty()) gesehen_ = ProtokollMarke(eintraege, eintraege.size() - 1);
    if (!imProtokoll) eintraege.insert(eintraege.end(), neu.begin(), neu.end());
    Fuellen(eintraege);
    LeerenFreigeben(!ProtokollLesen().empty());
    Freigeben(idCmdWiederherstellen, false);
    FokusSetzen(liste_.hwnd());
    Form::Sanduhr(false);
    Ergebnis(Wiederherstellbericht(neu, imProtokoll));
}

void frmProtokoll::cmdLeeren_Click() {
    if (Meldung("Soll das Protokoll geleert werden?", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2,
                "Endungswart - Protokoll") != IDYES)
        return;
    const bool geleert = ProtokollLeeren();
    if (!hwnd()) return;
    const std::vector<Protokolleintrag> eintraege = ProtokollLesen();
    Fuellen(eintraege);
    LeerenFreigeben(!eintraege.empty());
    Ergebnis(geleert ? "Das Protokoll ist leer." : "Das Protokoll konnte nicht geleert werden.");
}

void frmProtokoll::cmdSchliessen_Click() { Beenden(IDCANCEL); }

void frmProtokoll::cmdHilfe_Click() { Hilfe(hwnd(), HELP_CONTEXT, kHilfeThema); }

bool frmProtokoll::Befehl(int id, int code) { return code == BN_CLICKED && Ausloesen(*this, kBefehle, id); }

LRESULT frmProtokoll::Benachrichtigung(const NMHDR& nm) {
    if (nm.idFrom != idLvwProtokoll) return 0;
    const auto& v = reinterpret_cast<const NMLISTVIEW&>(nm);
    if (nm.code == LVN_COLUMNCLICK) lvwProtokoll_ColumnClick(v.iSubItem);
    if (nm.code == NM_SETFOCUS) liste_.AktuelleZeigen();
    if (nm.code == LVN_ITEMCHANGED && (v.uChanged & LVIF_STATE) && ((v.uOldState ^ v.uNewState) & LVIS_FOCUSED))
        DetailsZeigen();
    return 0;
}

bool frmProtokoll::Nachricht(UINT msg, WPARAM, LPARAM, LRESULT& ergebnis) {
    if (msg != WM_HELP) return false;
    cmdHilfe_Click();  // F1
    ergebnis = TRUE;
    return true;
}
