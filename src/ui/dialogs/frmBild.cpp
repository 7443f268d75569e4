#include "ui/dialogs/frmBild.h"

#include "resource.h"
#include "platform/Seams.h"
#include "ui/GepacktesBild.h"

frmBildA::frmBildA() : frmBild(IDB_BILDA, 320, 318) {}
frmBildB::frmBildB() : frmBild(IDB_BILDB, 250, 352) {}

bool frmBild::Zeigen(HWND besitzer) {
    bitmap_.reset(GepacktesBildLaden(GetModuleHandleA(nullptr), bild_));
    SetLastError(0);
    if (!Erzeugen("Endungswart.frmBild", "", WS_POPUP, 0, Zentriert(breite_, hoehe_), besitzer)) {
        if (!GetLastError()) SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return false;
    }
    besitzer_ = besitzer;
    if (besitzer_) EnableWindow(besitzer_, FALSE);
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    Form_Activate();
    return true;
}

void frmBild::Form_Activate() {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pause(kSekunden);
    // The owner takes input again before this window goes, so that it, and not some other
    // program's window, becomes the active one.
    if (besitzer_) EnableWindow(besitzer_, TRUE);
    Schliessen();
    if (besitzer_) SetActiveWindow(besitzer_);
}

void frmBild::Form_Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (SpeicherDC quelle{bitmap_ ? CreateCompatibleDC(dc) : nullptr}) {
        GewaehltesObjekt bild(quelle.get(), bitmap_.get());
        BitBlt(dc, 0, 0, breite_, hoehe_, quelle.get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd(), &ps);
}

bool frmBild::Nachricht(UINT msg, WPARAM, LPARAM, LRESULT& ergebnis) {
    ergebnis = 0;
    if (msg == WM_PAINT) Form_Paint();
    // The window closes itself when its time is up, and only then.
    return msg == WM_PAINT || msg == WM_CLOSE;
}
