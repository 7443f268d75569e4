#include "ui/main/frmMain.h"

#include <commctrl.h>

#include "app/Main.h"

namespace {

const Steuerelement kElemente[] = {
    {Art::Liste, frmMain::idLvwMain, "lvwMain", 0, 0, 9000, 4000, "", 0},
};

const Spalte kSpalten[4] = {
    {"Erweiterung", 750}, {"Bezeichnung", 3000}, {"Öffnen mit:", 9000}, {"Symbol", 9000}};

// The stored rectangle, unless it would put the window out of sight.
RECT Fensterrechteck(const Fensterwerte& w) {
    RECT r{TwipsZuPixel(w.left), TwipsZuPixel(w.top), TwipsZuPixel(w.left + w.width),
           TwipsZuPixel(w.top + w.height)};
    RECT bildschirm{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT schnitt;
    if (r.right - r.left < 100 || r.bottom - r.top < 50 || !IntersectRect(&schnitt, &r, &bildschirm)) {
        Fensterwerte neu;
        r = {TwipsZuPixel(neu.left), TwipsZuPixel(neu.top), TwipsZuPixel(neu.left + neu.width),
             TwipsZuPixel(neu.top + neu.height)};
    }
    return r;
}

}  // namespace

DWORD frmMain::Form_Load() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    FensterwerteLesen(werte_);
    SetLastError(0);
    if (!Erzeugen(kKlasse, kTitel, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                  Fensterrechteck(werte_), nullptr) ||
        !ElementeErzeugen(kElemente, std::size(kElemente))) {
        DWORD fehler = GetLastError();
        Schliessen();
        return fehler ? fehler : ERROR_CANNOT_FIND_WND_CLASS;
    }
    liste_.Verbinden(Element(idLvwMain));
    SendMessageA(liste_.hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 LVS_EX_FULLROWSELECT);
    liste_.SpaltenAnlegen(kSpalten, 4);
    for (int i = 0; i < 4; ++i) liste_.SpaltenBreiteSetzen(i, werte_.Spalten[i]);
    return 0;
}

void frmMain::Anzeigen() {
    int befehl = werte_.WindowState == 2 ? SW_SHOWMAXIMIZED
                 : werte_.WindowState == 1 ? SW_SHOWMINIMIZED
                                           : SW_SHOWNORMAL;
    gezeigt_ = true;
    ShowWindow(hwnd(), befehl);
    UpdateWindow(hwnd());
}

void frmMain::LeistenAnordnen() {
    listenOben_ = 0;
    Leistenhoehe = static_cast<int16_t>(listenOben_);
    Form_Resize();
}

namespace {

// Twips as stored, unless the window moved: pixels are coarser than twips, and a window the
// user did not touch must not drift by a pixel's worth each run.
float Twips(float gespeichert, int pixel) {
    return TwipsZuPixel(gespeichert) == pixel ? gespeichert : static_cast<float>(PixelZuTwips(pixel));
}

}  // namespace

Fensterwerte frmMain::Zustand() const {
    Fensterwerte w = werte_;
    w.WindowState = IsIconic(hwnd()) ? 1 : IsZoomed(hwnd()) ? 2 : 0;
    RECT r;
    if (w.WindowState == 0 && GetWindowRect(hwnd(), &r)) {
        w.left = Twips(werte_.left, r.left);
        w.top = Twips(werte_.top, r.top);
        w.width = Twips(werte_.width, r.right - r.left);
        w.height = Twips(werte_.height, r.bottom - r.top);
    }
    for (int i = 0; i < 4; ++i) {
        int pixel = static_cast<int>(SendMessageA(liste_.hwnd(), LVM_GETCOLUMNWIDTH, i, 0));
        w.Spalten[i] = Twips(werte_.Spalten[i], pixel);
    }
    return w;
}

void frmMain::Form_Resize() {
    if (IsIconic(hwnd())) return;
    RECT innen;
    GetClientRect(hwnd(), &innen);
    int leisten = TwipsZuPixel(Leistenhoehe);
    if (innen.bottom < leisten) return;
    MoveWindow(liste_.hwnd(), 0, TwipsZuPixel(listenOben_), innen.right, innen.bottom - leisten,
               TRUE);
}

void frmMain::Form_Unload() {
    // An autostart run leaves every setting as the last interactive run stored it.
    if (!Autostartlauf)
        EinstellungenSpeichern(Zustand(), Optionen, Symbolleiste, Statusleiste, ProgrammPfad());
}

LRESULT frmMain::Nachricht(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            Form_Resize();
            return 0;
        case WM_CLOSE:
            Form_Unload();
            Schliessen();
            return 0;
        case WM_DESTROY:
            // Only a shown window runs the message loop that must end with it.
            if (gezeigt_) PostQuitMessage(0);
            return 0;
    }
    return Form::Nachricht(msg, wp, lp);
}
