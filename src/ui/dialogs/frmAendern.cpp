#include "ui/dialogs/frmAendern.h"

#include <commctrl.h>

#include "settings/Optionen.h"
#include "platform/Text.h"
#include "resource.h"
#include "platform/Seams.h"
#include "ui/dialogs/frmSymbol.h"


namespace {

using F = frmAendern;

constexpr int kBreite = 6492, kHoehe = 3945;  // client area, twips
constexpr int kSchmal = 5532, kBreit = 6012;  // the open command field with and without browse

const Steuerelement kElemente[] = {
    {Art::Rahmen, F::idFrAendern2, 120, 1560, 6252, 690, "Ö&ffnen mit:", 0},
    {Art::Text, F::idTxtOeffnen, 240, 1830, kSchmal, 300, "", 0},
    {Art::Schaltflaeche, F::idCmdOeffnen, 5820, 1830, 432, 300, "...", 0},
    {Art::Schaltflaeche, IDOK, 3327, 3450, 1215, 375, "OK", BS_DEFPUSHBUTTON},
    {Art::Schaltflaeche, IDCANCEL, 4662, 3450, 1215, 375, "Abbrechen", 0},
    {Art::Kontrollkaestchen, F::idChkBezeichnung, 2520, 2490, 3850, 255,
     "Bezeichnung nicht ändern", 0, true},
    {Art::Kontrollkaestchen, F::idChkSymbol, 2520, 2850, 3850, 255,
     "Symbol nicht ändern", 0, true},
    {Art::Rahmen, F::idFrAendern1, 120, 810, 6252, 690, "&Bezeichnung", 0},
    {Art::Text, F::idTxtBezeichnung, 240, 1080, kBreit, 300, "", 0},
    {Art::Rahmen, F::idFrSymbol, 120, 2310, 2200, 990, "&Symbol", 0},
    {Art::Schaltflaeche, F::idCmdSymbol, 960, 2700, 432, 300, "...", 0},
    {Art::Schaltflaeche, F::idCmdHilfe, 5997, 3450, 375, 375, "?", 0},
    {Art::Rahmen, F::idFrAendern0, 120, 60, 6252, 690, "Erweiterung", 0},
    {Art::Text, F::idTxtErweiterung, 240, 330, kBreit, 300, "", ES_READONLY},
    {Art::Bild, F::idPicSymbol, 300, 2610, 495, 495, "", 0},
    {Art::Bild, F::idPicSymbolDef, 300, 2610, 495, 495, "", 0, true},
};

const Befehlszeile<F> kBefehle[] = {
    {IDOK, &F::cmdOK_Click},
    {IDCANCEL, &F::cmdAbbrechen_Click},
    {F::idCmdOeffnen, &F::cmdOeffnen_Click},
    {F::idCmdHilfe, &F::cmdHilfe_Click},
    {F::idCmdSymbol, &F::cmdSymbol_Click},
};

constexpr const char* kTitel = "Endungswart - Ändern";
constexpr const char* kFilter = "Programme|*.exe|Alle Dateien(*.*)|*.*";

void Fehler(const char* text) { Meldung(text, MB_OK | MB_ICONSTOP, kTitel); }

// A caption of the table with or without its access key; the underline shows which.
std::string Beschriftung(int id, bool taste) {
    for (const Steuerelement& e : kElemente) {
        if (e.id != id) continue;
        std::string text = e.text;
        if (const size_t und = text.find('&'); !taste && und != std::string::npos) text.erase(und, 1);
        return text;
    }
    return {};
}

void Anzeigen(HWND element, bool sichtbar) { ShowWindow(element, sichtbar ? SW_SHOW : SW_HIDE); }

}  // namespace

bool AendernBefehl(Typenansicht& liste, float doppelklickzeit) {
    Form::Sanduhr(true);
    frmAendern dialog(liste, doppelklickzeit);
    const bool gewaehlt = dialog.Fuellen();
    Form::Sanduhr(false);
    INT_PTR ergebnis = IDCANCEL;
    if (!gewaehlt) {
        Fehler("Bitte einen Dateityp zum Ändern auswählen!");
    } else if ((ergebnis = dialog.Zeigen(GetParent(liste.hwnd()))) == -1) {
        KomponentenFehlerMelden(GetLastError());
    }
    liste.Fokus();
    return ergebnis == IDOK;
}

frmAendern::frmAendern(Typenansicht& liste, float doppelklickzeit)
    : Dialog("Ändern", kBreite, kHoehe, kElemente, std::size(kElemente)),
      liste_(liste),
      doppelklickzeit_(doppelklickzeit) {}

bool frmAendern::Fuellen() {
    ort_ = {"", "0"};
    for (size_t i = 0; i < liste_.Anzahl(); ++i) {
        if (!liste_.Markiert(i)) continue;
        const Dateityp typ = liste_.Eintrag(i);
        zeilen_.push_back(i);
        erweiterungen_ += (zeilen_.size() > 1 ? "; " : "") + typ.Erweiterung;
        if (typ.Erweiterung == "EXE" || typ.Erweiterung == "PIF" || typ.Erweiterung == "SCR" ||
            typ.Symbol == "%1")
            symbolGesperrt_ = true;
        if (ProgrammTeil(typ.Oeffnen).empty()) oeffnenGesperrt_ = true;
        if (zeilen_.size() > 1) continue;

        // The first selected line gives the values shown.
        bezeichnung_ = typ.Bezeichnung;
        oeffnen_ = typ.Oeffnen;
        if (symbolGesperrt_) continue;
        if (!Trimmen(typ.Symbol).empty()) {
            const Symbolort ort = SymbolortTeilen(typ.Symbol);
            ort_.Datei = ort.Datei;
            ort_.Index = ort.Index;
            symbol_ = SymbolLaden(ort_.Datei, IndexZahl(ort_.Index));
            bild_ = Bild::Symbol;
        } else if (Klein(typ.Oeffnen).find(".exe") != std::string::npos) {
            // The look the system gives a type without an icon: a page with the program's icon.
            ort_.Datei = ProgrammTeil(typ.Oeffnen, kNurExe);
            const std::string pfad = ProgrammSuchen(ort_.Datei);
            klein_ = KleinesSymbolLaden(pfad.empty() ? ort_.Datei : pfad);
            bild_ = Bild::Seite;
        }
    }
    if (symbolGesperrt_) {
        ort_ = {"", "0"};
        symbol_.reset();
        klein_.reset();
        bild_ = Bild::Keines;
    }
    return !zeilen_.empty();
}

void frmAendern::Form_Load() {
    FeldtextSetzen(idTxtErweiterung, erweiterungen_);
    FeldtextSetzen(idTxtBezeichnung, bezeichnung_);
    FeldtextSetzen(idTxtOeffnen, oeffnen_);
    const bool mehrere = zeilen_.size() > 1;
    Anzeigen(Element(idChkBezeichnung), mehrere);
    Anzeigen(Element(idChkSymbol), mehrere && !symbolGesperrt_);
    Ankreuzen(idChkBezeichnung, mehrere && Optionen.Bezeichnung == 1);
    Ankreuzen(idChkSymbol, mehrere && Optionen.Symbol == 1);
    Anzeigen(Element(idPicSymbol), bild_ == Bild::Symbol);
    Anzeigen(Element(idPicSymbolDef), bild_ == Bild::Seite);
    Anzeigen(Element(idCmdSymbol), !symbolGesperrt_);
    if (oeffnenGesperrt_) {
        FeldtextSetzen(idTxtOeffnen, "");
        HWND feld = Element(idTxtOeffnen);
        RECT r;
        GetWindowRect(feld, &r);
        SetWindowPos(feld, nullptr, 0, 0, TwipsZuPixel(kBreit), r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
        EnableWindow(feld, FALSE);
        Anzeigen(Element(idCmdOeffnen), false);
    }
    SperrenZeigen();
    TippSetzen(idCmdOeffnen, "Durchsuchen");
    TippSetzen(idCmdSymbol, "Anderes Symbol");
}

void frmAendern::Form_Activate() {
    if (oeffnenGesperrt_ && symbolGesperrt_) {
        Ankreuzen(idChkBezeichnung, false);
        SperrenZeigen();
    }
    // Posted, so that the dialog's own restoring of the focus comes first. A greyed
    // description leaves the keys to its box, which frees it.
    if (oeffnenGesperrt_) {
        HWND ziel = Element(IsWindowEnabled(Element(idTxtBezeichnung)) ? idTxtBezeichnung : idChkBezeichnung);
        PostMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ziel), TRUE);
    }
}

void frmAendern::SperrenZeigen() {
    const bool bezeichnung = !Angekreuzt(idChkBezeichnung);
    const bool symbol = !symbolGesperrt_ && !Angekreuzt(idChkSymbol);
    EnableWindow(Element(idTxtBezeichnung), bezeichnung);
    EnableWindow(Element(idCmdSymbol), symbol);
    FeldtextSetzen(idFrAendern2, Beschriftung(idFrAendern2, !oeffnenGesperrt_));
    FeldtextSetzen(idFrAendern1, Beschriftung(idFrAendern1, bezeichnung));
    FeldtextSetzen(idFrSymbol, Beschriftung(idFrSymbol, symbol));
}

void frmAendern::cmdOeffnen_Click() {
    const std::string teil = ProgrammTeil(Feldtext(idTxtOeffnen));
    const std::string start = teil.empty() ? std::string() : ProgrammSuchen(teil);
    const std::string datei = DateiWaehlen(hwnd(), "Öffnen mit:", kFilter, start);
    if (datei.empty()) return;
    FeldtextSetzen(idTxtOeffnen, datei + " \"%1\"");
}

void frmAendern::cmdOK_Click() {
    const std::string bezeichnung = Feldtext(idTxtBezeichnung), oeffnen = Feldtext(idTxtOeffnen);
    const bool bezeichnungFest = Angekreuzt(idChkBezeichnung);
    if (bezeichnung.empty() && !bezeichnungFest) {
        Fehler("Bitte eine Bezeichnung eingeben!");
        return Fokus(idTxtBezeichnung);
    }
    if (!oeffnenGesperrt_) {
        if (oeffnen.empty()) {
            Fehler("Bitte einen Programmname eingeben oder auswählen!");
            return Fokus(idTxtOeffnen);
        }
        const std::string teil = ProgrammTeil(oeffnen);
        if (teil.empty() || ProgrammSuchen(teil).empty() || oeffnen[0] == '\\') {
            Fehler("Das angegebene Programm wurde nicht gefunden. Stellen Sie sicher, daß die "
                   "Dateinamen- und Pfadangabe richtig sind.");
            return Fokus(idTxtOeffnen);
        }
    }
    Form::Sanduhr(true);
    const bool symbol = !Angekreuzt(idChkSymbol) && !symbolGesperrt_ && Sichtbar(idPicSymbol);
    const std::string ort = SymbolortVerbinden(ort_.Datei, ort_.Index);
    for (size_t zeile : zeilen_) {
        if (!bezeichnungFest) liste_.TextSetzen(zeile, 1, bezeichnung);
        if (!oeffnenGesperrt_) liste_.TextSetzen(zeile, 2, oeffnen);
        if (symbol) liste_.TextSetzen(zeile, 3, ort);
    }
    Beenden(IDOK);
    liste_.Fokus();
    Form::Sanduhr(false);
}

void frmAendern::cmdAbbrechen_Click() {
    Beenden(IDCANCEL);
    liste_.Fokus();
}

void frmAendern::cmdHilfe_Click() { Hilfe(hwnd(), HELP_CONTEXT, 30); }

void frmAendern::cmdSymbol_Click() {
    // The chooser puts the normal pointer back once its strip is built.
    Form::Sanduhr(true);
    frmSymbol auswahl([this] { SymbolAnzeigen(); }, ort_, doppelklickzeit_);
    if (auswahl.Zeigen(hwnd()) == -1) {
        Form::Sanduhr(false);
        KomponentenFehlerMelden(GetLastError());
    }
}

void frmAendern::SymbolAnzeigen() {
    symbol_ = SymbolLaden(ort_.Datei, IndexZahl(ort_.Index));
    bild_ = Bild::Symbol;
    Anzeigen(Element(idPicSymbolDef), false);
    Anzeigen(Element(idPicSymbol), true);
    InvalidateRect(Element(idPicSymbol), nullptr, TRUE);
}

bool frmAendern::Befehl(int id, int code) {
    if (code != BN_CLICKED) return false;
    if (id == idChkBezeichnung || id == idChkSymbol) {
        SperrenZeigen();
        return true;
    }
    return Ausloesen(*this, kBefehle, id);
}

bool frmAendern::Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) {
    if (msg == WM_DRAWITEM) {
        Zeichnen(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        ergebnis = TRUE;
        return true;
    }
    // A locked open command is grey; a disabled field asks with WM_CTLCOLORSTATIC.
    if (msg == WM_CTLCOLORSTATIC && oeffnenGesperrt_ && reinterpret_cast<HWND>(lp) == Element(idTxtOeffnen)) {
        if (!grau_) grau_.reset(CreateSolidBrush(kGesperrt));
        SetBkColor(reinterpret_cast<HDC>(wp), kGesperrt);
        ergebnis = reinterpret_cast<LRESULT>(grau_.get());
        return true;
    }
    return false;
}

void frmAendern::Zeichnen(const DRAWITEMSTRUCT& d) const {
    FillRect(d.hDC, &d.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (d.CtlID == idPicSymbol) {
        if (symbol_) DrawIcon(d.hDC, 0, 0, symbol_.get());
        return;
    }
    if (d.CtlID != idPicSymbolDef) return;
    if (Bitmap seite{LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LEER))}) {
        // The page's light grey surround is see-through, whatever the face colour.
        Bitmap einfarbig{CreateBitmap(32, 32, 1, 1, nullptr)};
        SpeicherDC quelle{CreateCompatibleDC(d.hDC)}, maske{CreateCompatibleDC(d.hDC)};
        HDC q = quelle.get(), m = maske.get();
        GewaehltesObjekt inQuelle(q, seite.get()), inMaske(m, einfarbig.get());
        SetBkColor(q, RGB(192, 192, 192));
        BitBlt(m, 0, 0, 32, 32, q, 0, 0, SRCCOPY);
        SetBkColor(d.hDC, RGB(255, 255, 255));
        SetTextColor(d.hDC, RGB(0, 0, 0));
        BitBlt(d.hDC, 0, 0, 32, 32, q, 0, 0, SRCINVERT);
        BitBlt(d.hDC, 0, 0, 32, 32, m, 0, 0, SRCAND);
        BitBlt(d.hDC, 0, 0, 32, 32, q, 0, 0, SRCINVERT);
    }
    if (klein_) DrawIconEx(d.hDC, 9, 9, klein_.get(), 16, 16, 0, nullptr, DI_NORMAL);
}

bool frmAendern::Sichtbar(int id) const { return (GetWindowLongA(Element(id), GWL_STYLE) & WS_VISIBLE) != 0; }

void frmAendern::Fokus(int id) { FokusSetzen(Element(id)); }
