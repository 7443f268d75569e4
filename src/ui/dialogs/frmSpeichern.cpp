#include "ui/dialogs/frmSpeichern.h"

#include "platform/Seams.h"

namespace {

constexpr int kBreite = 6600, kHoehe = 2250;  // client area, twips

const Steuerelement kElemente[] = {
    {Art::Rahmen, frmSpeichern::idFrame1, 120, 60, 6360, 1980, "Speichern von", 0},
    {Art::Bezeichnung, frmSpeichern::idFest, 300, 420, 1250, 255, "Erweiterung", 0},
    {Art::Bezeichnung, frmSpeichern::idLblErweiterung, 1620, 420, 4700, 255, "", SS_ENDELLIPSIS},
    {Art::Bezeichnung, frmSpeichern::idFest, 300, 900, 1250, 255, "Bezeichnung", 0},
    {Art::Bezeichnung, frmSpeichern::idLblBezeichnung, 1620, 900, 4700, 255, "", SS_ENDELLIPSIS},
    {Art::Bezeichnung, frmSpeichern::idFest, 300, 1380, 1250, 255, "Öffnen mit:", 0},
    {Art::Bezeichnung, frmSpeichern::idLblOeffnen, 1620, 1380, 4700, 255, "", SS_PATHELLIPSIS},
};

}  // namespace

bool frmSpeichern::Erstellen(HWND besitzer) {
    const DWORD stil = WS_POPUP | WS_CAPTION;
    RECT r{0, 0, TwipsZuPixel(kBreite), TwipsZuPixel(kHoehe)};
    AdjustWindowRectEx(&r, stil, FALSE, WS_EX_DLGMODALFRAME);
    if (!Erzeugen("Endungswart.frmSpeichern", "Endungswart", stil, WS_EX_DLGMODALFRAME,
                  Zentriert(r.right - r.left, r.bottom - r.top), besitzer))
        return false;
    return ElementeErzeugen(kElemente, std::size(kElemente));
}

void frmSpeichern::Anzeigen() {
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    Oben(true);
}

void frmSpeichern::Oben(bool oben) {
    SetWindowPos(hwnd(), oben ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool frmSpeichern::Nachricht(UINT msg, WPARAM, LPARAM, LRESULT& ergebnis) {
    // Its caller closes it when the work is done; a close request from outside would only
    // take the progress out of sight.
    ergebnis = 0;
    return msg == WM_CLOSE;
}

void frmSpeichern::Zeigen(const Dateityp& typ) {
    if (hwnd()) {
        FeldtextSetzen(idLblErweiterung, typ.Erweiterung);
        FeldtextSetzen(idLblBezeichnung, typ.Bezeichnung);
        FeldtextSetzen(idLblOeffnen, typ.Oeffnen);
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    Pause(pause_);
}
