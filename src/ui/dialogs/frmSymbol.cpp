#include "ui/dialogs/frmSymbol.h"

#include <utility>

#include "filetypes/Programm.h"
#include "platform/Seams.h"

namespace {

using F = frmSymbol;

constexpr int kBreite = 6180, kHoehe = 2010;               // client area, twips
constexpr int kMainX = 120, kMainY = 1050;                  // picMain, twips
constexpr int kMainBreite = 4565, kMainHoehe = 750;
constexpr int kRollBreite = 4510, kRollHoehe = 180;

const Steuerelement kElemente[] = {
    {Art::Beschriftung, F::idLblIconDatei, 120, 120, 4565, 255, "Datei&name:", 0},
    {Art::Text, F::idTxtSymbol, 120, 375, 4565, 300, "", 0},
    {Art::Beschriftung, F::idLblSymbol, 120, 795, 4565, 255, "&Aktuelles Symbol:", 0},
    {Art::Rollbalken, F::idHScroll, kMainX, kMainY + 549, kRollBreite, kRollHoehe, "", 0},
    {Art::Schaltflaeche, IDOK, 4845, 375, 1215, 375, "OK", BS_DEFPUSHBUTTON},
    {Art::Schaltflaeche, IDCANCEL, 4845, 855, 1215, 375, "Abbrechen", 0},
    {Art::Schaltflaeche, F::idCmdDurchsuchen, 4845, 1335, 1215, 375, "&Durchsuchen", 0},
};

const Befehlszeile<F> kBefehle[] = {
    {IDOK, &F::cmdOK_Click},
    {IDCANCEL, &F::cmdAbbrechen_Click},
    {F::idCmdDurchsuchen, &F::cmdDurchsuchen_Click},
};

constexpr const char* kTitel = "Endungswart - Anderes Symbol";
constexpr const char* kFilter =
    "Symboldateien|*.exe;*.dll;*.ico;*.cpl;*.scr;*.ocx;*.vbx;*.nil|Programme|*.exe|"
    "Bibliotheken|*.dll|Symbole|*.ico|Systemsteuerung|*.cpl|Bildschirmschoner|*.scr|"
    "ActiveX-Control|*.ocx|Visual Basic-Control|*.vbx|Norton Icon Libaries|*.nil|"
    "Alle Dateien|*.*";

// The scroll bar tells its parent when it gets the focus; scroll bars have no such notice.
// It keeps its own procedure in its user data, which the system's scroll bar leaves alone.
constexpr UINT kRollbalkenFokus = WM_APP + 20;

LRESULT CALLBACK RollbalkenProzedur(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETFOCUS) PostMessageA(GetParent(h), kRollbalkenFokus, 0, 0);
    return CallWindowProcA(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_USERDATA)), h, msg, wp, lp);
}

void Melden(const std::string& text) { Meldung(text, MB_OK | MB_ICONEXCLAMATION, kTitel); }

}  // namespace

frmSymbol::frmSymbol(std::function<void()> gewaehlt, Symbolort& ort, float doppelklickzeit)
    : Dialog("Anderes Symbol", kBreite, kHoehe, kElemente, std::size(kElemente)),
      gewaehlt_(std::move(gewaehlt)),
      ort_(ort),
      doppelklickzeit_(doppelklickzeit) {}

void frmSymbol::Form_Load() {
    const int x = TwipsZuPixel(kMainX), y = TwipsZuPixel(kMainY);
    if (streifen_.Erzeugen(hwnd(), idPicMain, x, y, TwipsZuPixel(kMainBreite), TwipsZuPixel(kMainHoehe))) {
        // The scroll bar lies right below the cells, inside the white window.
        RECT innen{0, 0, 0, 0};
        MapWindowPoints(streifen_.hwnd(), hwnd(), reinterpret_cast<POINT*>(&innen), 1);
        SetWindowPos(Element(idHScroll), nullptr, innen.left,
                     innen.top + TwipsZuPixel(Symbolstreifen::kZelleHoehe), TwipsZuPixel(kRollBreite),
                     TwipsZuPixel(kRollHoehe), SWP_NOZORDER);
        // In the tab order right after "&Aktuelles Symbol:", whose access key so leads to it;
        // that puts it over the scroll bar, which keeps its own part of the window.
        SetWindowPos(streifen_.hwnd(), Element(idLblSymbol), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        streifen_.Aussparen(Element(idHScroll));
    }
    HWND rollbalken = Element(idHScroll);
    SetWindowLongPtrA(rollbalken, GWLP_USERDATA, GetWindowLongPtrA(rollbalken, GWLP_WNDPROC));
    SetWindowLongPtrA(rollbalken, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RollbalkenProzedur));
    SetScrollRange(rollbalken, SB_CTL, 0, 0, FALSE);
    EnableWindow(rollbalken, FALSE);
    // A negative or unreadable index starts at the first icon.
    const int index = IndexZahl(ort_.Index);
    AuswahlIndex = static_cast<int16_t>(index >= 0 ? index : 0);
}

void frmSymbol::Form_Activate() {
    if (geoeffnet_) return;
    geoeffnet_ = true;
    NameGeaendert = true;
    if (!ProgrammSuchen(ort_.Datei).empty() && ort_.Datei[0] != '\\') {
        FeldtextSetzen(idTxtSymbol, ort_.Datei);
        SymbolStreifenFuellen();
    }
    Form::Sanduhr(false);
}

void frmSymbol::SymbolStreifenFuellen() {
    Form::Sanduhr(true);
    HWND fokus = GetFocus();
    EnableWindow(hwnd(), FALSE);
    const std::string name = Feldtext(idTxtSymbol);
    SymbolStreifenLeeren();
    // Only a repaint: a full pass through the event loop could run a queued click mid-build.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

    SymbolAnzahl = static_cast<int16_t>(SymbolAnzahlLesen(name));
    HWND rollbalken = Element(idHScroll);
    if (SymbolAnzahl > Symbolstreifen::kSichtbar) {
        SetScrollRange(rollbalken, SB_CTL, 0, SymbolAnzahl - Symbolstreifen::kSichtbar, TRUE);
        EnableWindow(rollbalken, TRUE);
    }
    streifen_.Fuellen(name, SymbolAnzahl);
    if (SymbolAnzahl != 0) {
        // An index beyond the strip would leave nothing highlighted while OK still returned it.
        if (AuswahlIndex >= SymbolAnzahl) AuswahlIndex = 0;
        streifen_.Hervorheben(AuswahlIndex);
        if (AuswahlIndex > Symbolstreifen::kSichtbar - 1) Rollen(AuswahlIndex - (Symbolstreifen::kSichtbar - 1));
        NameGeaendert = false;
    }
    EnableWindow(hwnd(), TRUE);
    FokusGeben(fokus);
    Form::Sanduhr(false);
}

void frmSymbol::SymbolStreifenLeeren() {
    // An empty strip keeps its index: so the one taken over survives the first building.
    if (SymbolAnzahl == 0) return;
    streifen_.Leeren();
    AuswahlIndex = 0;
    Rollen(0);
    SetScrollRange(Element(idHScroll), SB_CTL, 0, 0, TRUE);
    EnableWindow(Element(idHScroll), FALSE);
    SymbolAnzahl = 0;
}

void frmSymbol::SymbolDateiLaden() {
    if (!NameGeaendert) return;
    const std::string name = Feldtext(idTxtSymbol);
    if (name.empty()) {
        Melden("Bitte geben Sie einen Dateiname an oder wählen Sie die Schaltfläche Durchsuchen "
               "zur Auswahl eines Dateinamens.");
        SymbolStreifenLeeren();
        return NameFokus();
    }
    if (ProgrammSuchen(name).empty() || name[0] == '\\') {
        Melden("Die angegebene Datei wurde nicht gefunden.\nÜberprüfen Sie die Pfad- und "
               "Dateinamenangabe.");
        SymbolStreifenLeeren();
        return NameFokus();
    }
    AuswahlIndex = 0;
    if (SymbolAnzahlLesen(name) > 0) return SymbolStreifenFuellen();
    KeineSymbole(name);
    SymbolStreifenLeeren();
}

void frmSymbol::KeineSymbole(const std::string& name) {
    Melden("Die Datei \"" + name + "\" enthält keine Symbole.\n\n"
           "Wählen Sie ein Symbol in der Liste, oder geben Sie eine andere Datei an.");
}

void frmSymbol::cmdDurchsuchen_Click() {
    const std::string datei = DateiWaehlen(hwnd(), "Anderes Symbol", kFilter, Feldtext(idTxtSymbol));
    if (datei.empty()) return;
    // A file without icons leaves the strip and its selection as they were.
    if (SymbolAnzahlLesen(datei) == 0) return KeineSymbole(datei);
    AuswahlIndex = 0;
    FeldtextSetzen(idTxtSymbol, datei);
    SymbolStreifenFuellen();
}

void frmSymbol::txtSymbol_Change() { NameGeaendert = true; }

bool frmSymbol::Markieren(int index) {
    // A cell whose icon could not be read offers nothing to choose.
    if (!streifen_.Vorhanden(index)) return false;
    streifen_.Hervorheben(index);
    AuswahlIndex = static_cast<int16_t>(index);
    return true;
}

void frmSymbol::Auswaehlen(int index) {
    if (Markieren(index)) KlickZeit = Uhr();
}

void frmSymbol::picMain_KeyDown(int index) {
    if (NameGeaendert) return SymbolDateiLaden();
    if (!Markieren(index)) return;
    // A key is no click: the next click on the cell is a first one.
    KlickZeit = -std::numeric_limits<double>::infinity();
    const int erste = streifen_.Erste(), sichtbar = Symbolstreifen::kSichtbar;
    if (index < erste) Rollen(index);
    if (index >= erste + sichtbar) Rollen(index - (sichtbar - 1));
}

void frmSymbol::picMain_GotFocus() {
    // Only while it still has the keys: a Tab straight through changes nothing.
    if (GetFocus() == streifen_.hwnd()) SymbolDateiLaden();
}

void frmSymbol::picIcon_Click(int index) {
    if (NameGeaendert) return SymbolDateiLaden();
    Auswaehlen(index);
}

void frmSymbol::picBlau_Click(int index) {
    if (NameGeaendert) return SymbolDateiLaden();
    if (index != AuswahlIndex) return Auswaehlen(index);
    // The second click of a double click that selected the cell with its first.
    if (Uhr() - KlickZeit <= doppelklickzeit_) cmdOK_Click();
}

void frmSymbol::picBlau_DblClick(int) { cmdOK_Click(); }

void frmSymbol::Rollen(int wert) {
    SetScrollPos(Element(idHScroll), SB_CTL, wert, TRUE);
    streifen_.Verschieben(wert);
}

void frmSymbol::HScroll_Change() { streifen_.Verschieben(GetScrollPos(Element(idHScroll), SB_CTL)); }
void frmSymbol::HScroll_Scroll() { HScroll_Change(); }
void frmSymbol::HScroll_GotFocus() { SymbolDateiLaden(); }

void frmSymbol::Rollbalken(WORD code) {
    HWND h = Element(idHScroll);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(h, SB_CTL, &info);
    int wert = info.nPos;
    switch (code) {
        case SB_LINELEFT: --wert; break;
        case SB_LINERIGHT: ++wert; break;
        case SB_PAGELEFT: wert -= Symbolstreifen::kSichtbar; break;
        case SB_PAGERIGHT: wert += Symbolstreifen::kSichtbar; break;
        case SB_LEFT: wert = info.nMin; break;
        case SB_RIGHT: wert = info.nMax; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: wert = info.nTrackPos; break;
        default: return;
    }
    if (wert < info.nMin) wert = info.nMin;
    if (wert > info.nMax) wert = info.nMax;
    SetScrollPos(h, SB_CTL, wert, TRUE);
    if (code == SB_THUMBTRACK)
        HScroll_Scroll();
    else
        HScroll_Change();
}

void frmSymbol::cmdOK_Click() {
    if (NameGeaendert) return SymbolDateiLaden();
    ort_.Datei = Feldtext(idTxtSymbol);
    ort_.Index = std::to_string(AuswahlIndex);
    if (gewaehlt_) gewaehlt_();
    Beenden(IDOK);
}

void frmSymbol::cmdAbbrechen_Click() { Beenden(IDCANCEL); }

bool frmSymbol::Befehl(int id, int code) {
    if (id == idTxtSymbol && code == EN_CHANGE) {
        txtSymbol_Change();
        return true;
    }
    if (id != idPicMain) return code == BN_CLICKED && Ausloesen(*this, kBefehle, id);
    // The strip tells which cell was hit; a click on the highlighted one may end the dialog.
    const int zelle = streifen_.Angeklickt();
    if (code == Symbolstreifen::kTaste) {
        picMain_KeyDown(zelle);
        return true;
    }
    if (code == Symbolstreifen::kFokus) {
        picMain_GotFocus();
        return true;
    }
    const bool hervorgehoben = zelle == streifen_.Hervorgehoben();
    if (code == STN_DBLCLK && hervorgehoben)
        picBlau_DblClick(zelle);
    else if (hervorgehoben)
        picBlau_Click(zelle);
    else
        picIcon_Click(zelle);
    return true;
}

bool frmSymbol::Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) {
    if (msg == WM_HSCROLL && reinterpret_cast<HWND>(lp) == Element(idHScroll)) {
        Rollbalken(LOWORD(wp));
        ergebnis = 0;
        return true;
    }
    if (msg == kRollbalkenFokus) {
        // Only while it still has the focus: a Tab straight through changes nothing.
        if (GetFocus() == Element(idHScroll)) HScroll_GotFocus();
        ergebnis = 0;
        return true;
    }
    return false;
}

void frmSymbol::NameFokus() {
    FokusSetzen(Element(idTxtSymbol));
}
