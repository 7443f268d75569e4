#include "ui/Fenster.h"

std::string Fenster::Feldtext(int id) const {
    // However long the text is.
    HWND h = Element(id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(h)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(h, text.data(), static_cast<int>(text.size()))));
    return text;
}

void FokusGeben(HWND element) {
    if (element && IsWindow(element) && IsWindowEnabled(element)) SetFocus(element);
}

void Fenster::FeldtextSetzen(int id, const std::string& text) const { SetWindowTextA(Element(id), text.c_str()); }

bool Fenster::Angekreuzt(int id) const { return SendMessageA(Element(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Fenster::Ankreuzen(int id, bool an) const {
    SendMessageA(Element(id), BM_SETCHECK, an ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Fenster::Verteilen(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) {
    ergebnis = 0;
    if (msg == WM_COMMAND) return Befehl(LOWORD(wp), HIWORD(wp));
    if (msg != WM_NOTIFY || !lp) return false;
    ergebnis = Benachrichtigung(*reinterpret_cast<const NMHDR*>(lp));
    return true;
}
