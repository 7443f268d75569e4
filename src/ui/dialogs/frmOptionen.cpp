#include "ui/dialogs/frmOptionen.h"

#include <commctrl.h>

#include <cmath>
#include <cstring>

#include "platform/Seams.h"

namespace {

using F = frmOptionen;
constexpr int kBreite = 6480, kHoehe = 3495;  // client area, twips
constexpr DWORD kAus = WS_DISABLED;

// Pages 1 to 3 start hidden; the "&Autostart" page is shown first.
const Steuerelement kElemente[] = {
    {Art::Register, F::idSSTab1, 120, 120, 6240, 2760, "", 0},
    {Art::Kontrollkaestchen, F::idChkAutostart, 300, 600, 5880, 255,
     "gesicherte Dateitypen beim Systemstart wiederherstellen", 0},
    {Art::Kontrollkaestchen, F::idChkAutostartmeldung, 300, 960, 5880, 255,
     "Speichern der Dateitypen anzeigen", kAus},
    {Art::Bezeichnung, F::idLblAutostartmeldung0, 540, 1500, 2040, 255,
     "Anzeigedauer:     kurz", kAus},
    {Art::Schieberegler, F::idSliderAutostart, 2580, 1410, 2700, 450, "", 0},
    {Art::Bezeichnung, F::idLblAutostartmeldung1, 5340, 1500, 600, 255, "lang", kAus},
    {Art::Kontrollkaestchen, F::idChkMehrfachauswahl, 300, 600, 5880, 255,
     "Mehrfachauswahl zulassen", 0, true},
    {Art::Kontrollkaestchen, F::idChkBezeichnung, 540, 960, 5640, 255,
     "\"Bezeichnung nicht ändern\" immer markiert", kAus, true},
    {Art::Kontrollkaestchen, F::idChkSymbol, 540, 1320, 5640, 255,
     "\"Symbol nicht ändern\" immer markiert", kAus, true},
    {Art::Kontrollkaestchen, F::idChkSicherheitsabfrage, 300, 600, 5880, 255,
     "Sicherheitsabfrage vor dem Speichern", 0, true},
    {Art::Kontrollkaestchen, F::idChkSpeichermeldung, 300, 960, 5880, 255,
     "Speichern der Dateitypen anzeigen", 0, true},
    {Art::Bezeichnung, F::idLblSpeichermeldung0, 540, 1500, 2040, 255,
     "Anzeigedauer:     kurz", 0, true},
    {Art::Schieberegler, F::idSliderSpeichern, 2580, 1410, 2700, 450, "", 0, true},
    {Art::Bezeichnung, F::idLblSpeichermeldung1, 5340, 1500, 600, 255, "lang", 0, true},
    {Art::Kontrollkaestchen, F::idChkRueckgaengig, 300, 600, 5880, 255,
     "Rückgängig und zuletzt gesicherte Dateitypen neu laden", 0, true},
    {Art::Kontrollkaestchen, F::idChkBeenden, 300, 960, 5880, 255,
     "Änderungen vor Beenden speichern", 0, true},
    {Art::Schaltflaeche, IDOK, 1920, 3000, 1200, 375, "OK", BS_DEFPUSHBUTTON},
    {Art::Schaltflaeche, IDCANCEL, 3240, 3000, 1200, 375, "Abbrechen", 0},
    {Art::Schaltflaeche, F::idCmdUebernehmen, 4560, 3000, 1200, 375, "Übernehmen", 0},
    {Art::Schaltflaeche, F::idCmdHilfe, 5880, 3000, 480, 375, "?", 0},
    {Art::Schaltflaeche, F::idCmdStandard, 120, 3000, 1200, 375, "Standard", 0},
};

const char* const kSeiten[4] = {"&Autostart", "&Ändern", "&Speichern", "&Bestätigungen"};

// The page of each control on the tab control; a run of ids from idChkAutostart on.
int Seite(int id) {
    if (id >= F::idChkAutostart && id <= F::idLblAutostartmeldung1) return 0;
    if (id >= F::idChkMehrfachauswahl && id <= F::idChkSymbol) return 1;
    if (id >= F::idChkSicherheitsabfrage && id <= F::idLblSpeichermeldung1) return 2;
    if (id >= F::idChkRueckgaengig && id <= F::idChkBeenden) return 3;
    return -1;
}

// Controls and settings, in the order in which loading and applying visit them.
struct Feld {
    int id;
    int16_t Einstellungen::*schalter;
    float Einstellungen::*pause;
};
const Feld kFelder[] = {
    {F::idChkAutostart, &Einstellungen::Autostart, nullptr},
    {F::idChkAutostartmeldung, &Einstellungen::Autostartmeldung, nullptr},
    {F::idSliderAutostart, nullptr, &Einstellungen::AutostartPause},
    {F::idChkMehrfachauswahl, &Einstellungen::Mehrfachauswahl, nullptr},
    {F::idChkBezeichnung, &Einstellungen::Bezeichnung, nullptr},
    {F::idChkSymbol, &Einstellungen::Symbol, nullptr},
    {F::idChkSicherheitsabfrage, &Einstellungen::Sicherheitsabfrage, nullptr},
    {F::idChkSpeichermeldung, &Einstellungen::Speichermeldung, nullptr},
    {F::idSliderSpeichern, nullptr, &Einstellungen::SpeichernPause},
    {F::idChkRueckgaengig, &Einstellungen::Rueckgaengig, nullptr},
    {F::idChkBeenden, &Einstellungen::Beenden, nullptr},
};

const Befehlszeile<F> kReaktionen[] = {
    {F::idChkAutostart, &F::chkAutostart_Click},
    {F::idChkAutostartmeldung, &F::chkAutostartmeldung_Click},
    {F::idChkMehrfachauswahl, &F::chkMehrfachauswahl_Click},
    {F::idChkBezeichnung, &F::chkBezeichnung_Click},
    {F::idChkSymbol, &F::chkSymbol_Click},
    {F::idChkSicherheitsabfrage, &F::chkSicherheitsabfrage_Click},
    {F::idChkSpeichermeldung, &F::chkSpeichermeldung_Click},
    {F::idChkRueckgaengig, &F::chkRueckgaengig_Click},
    {F::idChkBeenden, &F::chkBeenden_Click},
    {IDOK, &F::cmdOK_Click},
    {IDCANCEL, &F::cmdAbbrechen_Click},
    {F::idCmdUebernehmen, &F::cmdUebernehmen_Click},
    {F::idCmdHilfe, &F::cmdHilfe_Click},
    {F::idCmdStandard, &F::cmdStandard_Click},
};

}  // namespace

int SchiebePosition(float pause) {
    const double p = static_cast<double>(pause) * 2.0;
    if (!(p > 0)) return 0;  // NaN too
    if (p >= 10) return 10;
    const double unten = std::floor(p), rest = p - unten;
    const int ganz = static_cast<int>(unten);
    if (rest > 0.5) return ganz + 1;
    if (rest < 0.5) return ganz;
    return ganz % 2 == 0 ? ganz : ganz + 1;
}

float SchiebePause(int position) { return static_cast<float>(position) / 2.0f; }

frmOptionen::frmOptionen(Textliste& haupt)
    : Dialog("Optionen", kBreite, kHoehe, kElemente, std::size(kElemente)), haupt_(haupt) {
    InitCommonControls();  // the comctl32 of Windows 95 has no InitCommonControlsEx
}

void frmOptionen::Setzen(int id, bool an) {
    if (Angekreuzt(id) == an) return;
    Ankreuzen(id, an);
    Reaktion(id);
}

void frmOptionen::Einstellen(const Einstellungen& werte) {
    for (const Feld& f : kFelder) {
        if (f.schalter)
            Setzen(f.id, werte.*f.schalter != 0);
        else
            PositionSetzen(f.id, SchiebePosition(werte.*f.pause));
    }
}

void frmOptionen::Reaktion(int id) { Ausloesen(*this, kReaktionen, id); }

void frmOptionen::Freigeben(std::initializer_list<int> ids, bool an) {
    for (int id : ids) EnableWindow(Element(id), an);
}

int frmOptionen::Position(int id) const {
    return static_cast<int>(SendMessageA(Element(id), TBM_GETPOS, 0, 0));
}

void frmOptionen::PositionSetzen(int id, int position) {
    SendMessageA(Element(id), TBM_SETPOS, TRUE, position);
}

void frmOptionen::UebernehmenFreigeben() { EnableWindow(Element(idCmdUebernehmen), TRUE); }

void frmOptionen::Form_Load() {
    HWND reiter = Element(idSSTab1);
    // Under a visual style the tab's pane is lighter than the dialog face that its controls
    // are drawn on, and a disabled slider looks like an enabled one; the classic look, the
    // only one of the Windows 95 family, keeps the faces alike and hatches a disabled thumb.
    stile_.reset(LoadLibraryA("uxtheme.dll"));
    if (stile_) {
        using Stil = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
        if (auto f = reinterpret_cast<Stil>(reinterpret_cast<void (*)()>(GetProcAddress(stile_.get(), "SetWindowTheme"))))
            for (int id : {idSSTab1, idSliderAutostart, idSliderSpeichern})
                f(Element(id), L" ", L" ");  // no such class: drawn classic
    }
    for (int i = 0; i < 4; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kSeiten[i]);
        SendMessageA(reiter, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    for (int id : {idSliderAutostart, idSliderSpeichern}) {
        SendMessageA(Element(id), TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
        SendMessageA(Element(id), TBM_SETPAGESIZE, 0, 2);
    }
    // The state as designed, the defaults checked; the reactions below change it only where a
    // value changes.
    const Einstellungen standard = Standardeinstellungen();
    for (const Feld& f : kFelder)
        if (f.schalter && standard.*f.schalter) Ankreuzen(f.id, true);

    EnableWindow(Element(idSliderAutostart), FALSE);
    Einstellen(Optionen);
    EnableWindow(Element(idCmdUebernehmen), FALSE);
    tasten_.An(hwnd(), [this](const MSG& m) { return Taste(m); });
}

int frmOptionen::Registerkarte() const {
    return static_cast<int>(SendMessageA(Element(idSSTab1), TCM_GETCURSEL, 0, 0));
}

void frmOptionen::RegisterkarteZeigen(int seite) {
    if (seite < 0 || seite > 3) return;
    SendMessageA(Element(idSSTab1), TCM_SETCURSEL, seite, 0);
    for (const Steuerelement& e : kElemente) {
        int s = Seite(e.id);
        if (s >= 0) ShowWindow(Element(e.id), s == seite ? SW_SHOW : SW_HIDE);
    }
}

void frmOptionen::chkAutostart_Click() {
    UebernehmenFreigeben();
    const bool an = Angekreuzt(idChkAutostart);
    if (an) EnableWindow(Element(idChkAutostartmeldung), TRUE);
    Setzen(idChkAutostartmeldung, an);
    if (!an) EnableWindow(Element(idChkAutostartmeldung), FALSE);
}

void frmOptionen::chkAutostartmeldung_Click() {
    UebernehmenFreigeben();
    Freigeben({idSliderAutostart, idLblAutostartmeldung0, idLblAutostartmeldung1},
              Angekreuzt(idChkAutostartmeldung));
}

void frmOptionen::chkMehrfachauswahl_Click() {
    UebernehmenFreigeben();
    const bool an = Angekreuzt(idChkMehrfachauswahl);
    if (an) Freigeben({idChkBezeichnung, idChkSymbol}, true);
    Setzen(idChkBezeichnung, an);
    Setzen(idChkSymbol, an);
    if (!an) Freigeben({idChkBezeichnung, idChkSymbol}, false);
}

void frmOptionen::chkSpeichermeldung_Click() {
    UebernehmenFreigeben();
    Freigeben({idSliderSpeichern, idLblSpeichermeldung0, idLblSpeichermeldung1},
              Angekreuzt(idChkSpeichermeldung));
}

void frmOptionen::cmdUebernehmen_Click() {
    for (const Feld& f : kFelder) {
        if (f.schalter)
            Optionen.*f.schalter = Angekreuzt(f.id) ? 1 : 0;
        else
            Optionen.*f.pause = SchiebePause(Position(f.id));
    }
    haupt_.Mehrfachauswahl(Optionen.Mehrfachauswahl != 0);
    // Clear every line, not just the first: a list that just left multiple selection may
    // still hold several.
    if (Optionen.Mehrfachauswahl == 0 && haupt_.Anzahl() > 0) haupt_.AlleAbwaehlen();
    // A disabled button cannot keep the focus; OK takes it, and the default frame with it.
    if (GetFocus() == Element(idCmdUebernehmen)) FokusSetzen(Element(IDOK));
    EnableWindow(Element(idCmdUebernehmen), FALSE);
}

void frmOptionen::cmdOK_Click() {
    cmdUebernehmen_Click();
    Beenden(IDOK);
}

void frmOptionen::cmdAbbrechen_Click() { Beenden(IDCANCEL); }

void frmOptionen::cmdStandard_Click() {
    if (Meldung("Sollen die Standardeinstellungen wiederhergestellt werden?",
                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1, "Endungswart - Optionen") != IDYES)
        return;
    Einstellen(Standardeinstellungen());
}

void frmOptionen::cmdHilfe_Click() { Hilfe(hwnd(), HELP_CONTEXT, 50); }

bool frmOptionen::Befehl(int id, int code) { return code == BN_CLICKED && Ausloesen(*this, kReaktionen, id); }

LRESULT frmOptionen::Benachrichtigung(const NMHDR& nm) {
    if (nm.idFrom == idSSTab1 && nm.code == TCN_SELCHANGE) RegisterkarteZeigen(Registerkarte());
    return 0;
}

bool frmOptionen::Nachricht(UINT msg, WPARAM, LPARAM lp, LRESULT& ergebnis) {
    if (msg == WM_HSCROLL) {
        // Only the user moves a slider this way; positions set by code send nothing.
        HWND regler = reinterpret_cast<HWND>(lp);
        if (regler == Element(idSliderAutostart)) sliderAutostart_Click();
        if (regler == Element(idSliderSpeichern)) sliderSpeichern_Click();
        ergebnis = 0;
        return regler != nullptr;
    }
    return false;
}

bool frmOptionen::Zugriffstaste(char taste) {
    char gesucht[2] = {taste, '\0'};
    CharUpperA(gesucht);
    for (int i = 0; i < 4; ++i) {
        const char* und = std::strchr(kSeiten[i], '&');
        char eigene[2] = {und ? und[1] : '\0', '\0'};
        CharUpperA(eigene);
        if (!eigene[0] || eigene[0] != gesucht[0]) continue;
        RegisterkarteZeigen(i);
        FokusSetzen(Element(idSSTab1));
        return true;
    }
    return false;
}

void frmOptionen::Blaettern(int schritt) {
    const HWND fokus = GetFocus();
    const bool aufSeite = fokus && IsChild(hwnd(), fokus) && Seite(GetDlgCtrlID(fokus)) >= 0;
    RegisterkarteZeigen(((Registerkarte() + schritt) % 4 + 4) % 4);
    // The control that had the focus is hidden with its page; the tabs keep the keys.
    if (aufSeite) FokusSetzen(Element(idSSTab1));
}

// The dialog manager knows no access keys on tabs and takes Ctrl+Tab for Tab; so Alt and a
// page's letter open the page, and Ctrl+Tab and Ctrl+Shift+Tab leaf through the pages.
bool frmOptionen::Taste(const MSG& m) {
    if (m.message == WM_SYSCHAR) return Zugriffstaste(static_cast<char>(m.wParam));
    if (m.message != WM_KEYDOWN || m.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return false;
    Blaettern(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
    return true;
}

void frmOptionen::Form_Unload() { tasten_.Aus(); }
