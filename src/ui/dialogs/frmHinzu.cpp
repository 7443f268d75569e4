#include "ui/dialogs/frmHinzu.h"

#include <commctrl.h>

#include "filetypes/Registriert.h"
#include "platform/Seams.h"

namespace {

constexpr int kBreite = 9480, kHoehe = 5865;  // client area, twips
constexpr UINT kPos1 = WM_APP + 10;          // Home to the focused control, once the dialog is up

const Steuerelement kElemente[] = {
    {Art::Beschriftung, frmHinzu::idLblLinks, 120, 120, 4200, 255, "&Registrierte Dateitypen", 0},
    {Art::Liste, frmHinzu::idLvwLinks, 120, 390, 4200, 4800, "", 0},
    {Art::Schaltflaeche, frmHinzu::idCmdRechts, 4440, 1500, 600, 375, ">", 0},
    {Art::Schaltflaeche, frmHinzu::idCmdRechtsAlle, 4440, 1995, 600, 375, ">>", 0},
    {Art::Beschriftung, frmHinzu::idLblRechts, 5160, 120, 4200, 255, "&Ausgewählte Dateitypen", 0},
    {Art::Liste, frmHinzu::idLvwRechts, 5160, 390, 4200, 4800, "", 0},
    {Art::Schaltflaeche, frmHinzu::idCmdLinks, 4440, 2790, 600, 375, "<", 0},
    {Art::Schaltflaeche, frmHinzu::idCmdLinksAlle, 4440, 3285, 600, 375, "<<", 0},
    {Art::Schaltflaeche, IDOK, 6120, 5370, 1200, 375, "OK", BS_DEFPUSHBUTTON},
    {Art::Schaltflaeche, IDCANCEL, 7440, 5370, 1200, 375, "Abbrechen", 0},
    {Art::Schaltflaeche, frmHinzu::idCmdHilfe, 8760, 5370, 600, 375, "?", 0},
};

using F = frmHinzu;
const Befehlszeile<F> kBefehle[] = {
    {IDOK, &F::cmdOK_Click},
    {IDCANCEL, &F::cmdAbbrechen_Click},
    {F::idCmdRechts, &F::cmdRechts_Click},
    {F::idCmdRechtsAlle, &F::cmdRechtsAlle_Click},
    {F::idCmdLinks, &F::cmdLinks_Click},
    {F::idCmdLinksAlle, &F::cmdLinksAlle_Click},
    {F::idCmdHilfe, &F::cmdHilfe_Click},
};

const Spalte kSpalten[4] = {
    {"Erweiterung", 750}, {"Bezeichnung", 4000}, {"Öffnen mit:", 9000}, {"Symbol", 9000}};

const struct {
    int id;
    const char* text;
} kTipps[] = {
    {frmHinzu::idCmdRechts, "Hinzufügen"},
    {frmHinzu::idCmdRechtsAlle, "Alle Hinzufügen"},
    {frmHinzu::idCmdLinks, "Entfernen"},
    {frmHinzu::idCmdLinksAlle, "Alle Entfernen"},
};

}  // namespace

frmHinzu::frmHinzu(Typenansicht& haupt)
    : Dialog("Hinzufügen / Entfernen", kBreite, kHoehe, kElemente, std::size(kElemente)), haupt_(haupt) {}

void frmHinzu::Form_Load() {
    links_.Verbinden(Element(idLvwLinks));
    rechts_.Verbinden(Element(idLvwRechts));
    for (Textliste* liste : {&links_, &rechts_}) {
        liste->SpaltenAnlegen(kSpalten, 4);
        liste->ZeilenweiseWaehlen();
    }
    for (const auto& t : kTipps) TippSetzen(t.id, t.text);

    RegistrierteDateitypenLesen(haupt_);
    {
        OhneZeichnen still(rechts_.hwnd());
        for (size_t i = 0; i < haupt_.Anzahl(); ++i) rechts_.Anhaengen(haupt_.Zeile(i));
    }
    KnoepfeAnpassen();
    Form::Sanduhr(false);
}

void frmHinzu::RegistrierteDateitypenLesen(const Arbeitsliste& ueberwacht) {
    links_.Leeren();
    rechts_.Leeren();
    // Leaving the watched types out here gives the same list as removing them one by one
    // afterwards, without a search through several hundred lines for each.
    std::vector<Dateityp> frei = NichtUeberwacht(RegistrierteDateitypen(), ueberwacht);
    OhneZeichnen still(links_.hwnd());
    links_.Reservieren(frei.size());
    for (const Dateityp& typ : frei) links_.Hinzufuegen(typ);
}

void frmHinzu::Form_Activate() {
    if (aktiviert_) return;
    aktiviert_ = true;
    // The dialog manager places the focus only after the activation; act once it has.
    PostMessageA(hwnd(), kPos1, 0, 0);
}

bool frmHinzu::Nachricht(UINT msg, WPARAM, LPARAM, LRESULT& ergebnis) {
    ergebnis = TRUE;
    if (knoepfeFaellig_.Faellig(msg)) {
        KnoepfeAnpassen();
        return true;
    }
    if (msg != kPos1) return false;
    // What Home does to the list that has the focus. Sent as a key it would meet Ctrl still
    // held from Ctrl+H, and Ctrl+Home selects nothing.
    const HWND fokus = GetFocus();
    for (Textliste* liste : {&links_, &rechts_})
        if (fokus == liste->hwnd()) liste->NurWaehlen(0);
    return true;
}

void frmHinzu::KnoepfeAnpassen() {
    const struct {
        int id;
        Textliste& liste;
        bool an;
    } knoepfe[] = {
        {idCmdRechts, links_, links_.Markierte() > 0},
        {idCmdRechtsAlle, links_, links_.Anzahl() > 0},
        {idCmdLinks, rechts_, rechts_.Markierte() > 0},
        {idCmdLinksAlle, rechts_, rechts_.Anzahl() > 0},
    };
    for (const auto& k : knoepfe) {
        // A disabled button cannot keep the keys: they go to its list.
        if (!k.an && GetFocus() == Element(k.id)) FokusSetzen(k.liste.hwnd());
        EnableWindow(Element(k.id), k.an);
    }
}

void frmHinzu::MarkierteVerschieben(Textliste& von, Textliste& nach) {
    bool bewegt = false;
    size_t erste = 0;
    {
        OhneZeichnen stillVon(von.hwnd()), stillNach(nach.hwnd());
        for (size_t i = 0; i < von.Anzahl();) {
            if (!von.Markiert(i)) {
                ++i;
                continue;
            }
            if (!bewegt) {
                Form::Sanduhr(true);
                erste = i;
            }
            bewegt = true;
            nach.Anhaengen(von.Zeile(i));
            von.Entfernen(i);
        }
        if (bewegt) nach.Nachsortieren();
    }
    // The keys go on where the first moved line stood.
    if (bewegt) von.AktuelleSetzen(erste);
    FokusSetzen(von.hwnd());
    Form::Sanduhr(false);
}

void frmHinzu::AlleVerschieben(Textliste& von, Textliste& nach) {
    Form::Sanduhr(true);
    {
        OhneZeichnen stillVon(von.hwnd()), stillNach(nach.hwnd());
        for (size_t i = 0; i < von.Anzahl(); ++i) nach.Anhaengen(von.Zeile(i));
        von.Leeren();
        nach.Nachsortieren();
    }
    FokusSetzen(nach.hwnd());
    Form::Sanduhr(false);
}

void frmHinzu::cmdRechts_Click() { MarkierteVerschieben(links_, rechts_); }
void frmHinzu::cmdLinks_Click() { MarkierteVerschieben(rechts_, links_); }
void frmHinzu::cmdRechtsAlle_Click() { AlleVerschieben(links_, rechts_); }
void frmHinzu::cmdLinksAlle_Click() { AlleVerschieben(rechts_, links_); }

void frmHinzu::cmdOK_Click() {
    Form::Sanduhr(true);
    {
        OhneZeichnen still(haupt_.hwnd());
        haupt_.Leeren();
        for (size_t i = 0; i < rechts_.Anzahl(); ++i) haupt_.Anhaengen(rechts_.Zeile(i));
    }
    Beenden(IDOK);
    Form::Sanduhr(false);
}

void frmHinzu::cmdAbbrechen_Click() { Beenden(IDCANCEL); }

void frmHinzu::cmdHilfe_Click() { Hilfe(hwnd(), HELP_CONTEXT, 20); }

bool frmHinzu::Befehl(int id, int code) { return code == BN_CLICKED && Ausloesen(*this, kBefehle, id); }

LRESULT frmHinzu::Benachrichtigung(const NMHDR& nm) {
    const bool links = nm.idFrom == idLvwLinks;
    if (!links && nm.idFrom != idLvwRechts) return 0;
    switch (nm.code) {
        case NM_DBLCLK:
            links ? cmdRechts_Click() : cmdLinks_Click();
            break;
        case LVN_COLUMNCLICK: {
            int spalte = reinterpret_cast<const NMLISTVIEW&>(nm).iSubItem;
            links ? lvwLinks_ColumnClick(spalte) : lvwRechts_ColumnClick(spalte);
            break;
        }
        case NM_SETFOCUS:
            (links ? links_ : rechts_).AktuelleZeigen();
            break;
        case LVN_ITEMCHANGED:
        case LVN_INSERTITEM:
        case LVN_DELETEITEM:
        case LVN_DELETEALLITEMS:
            knoepfeFaellig_.Vormerken(hwnd());
            break;
    }
    return 0;
}
