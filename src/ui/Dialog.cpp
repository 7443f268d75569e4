#include "ui/Dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/Seams.h"

namespace {

constexpr UINT kGeoeffnet = WM_APP + 1;
constexpr const char* kTipps = "Endungswart.Tipps";

void Wort(std::vector<WORD>& v, WORD w) { v.push_back(w); }

void Text(std::vector<WORD>& v, const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::vector<WCHAR> breit(n > 0 ? n : 1, 0);
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, breit.data(), n);
    for (WCHAR c : breit) v.push_back(c);
}

// An empty template: the controls come from the form's table.
std::vector<WORD> Vorlage(const char* titel) {
    std::vector<WORD> v;
    const DWORD stil = DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    Wort(v, LOWORD(stil));
    Wort(v, HIWORD(stil));
    for (int i = 0; i < 2; ++i) Wort(v, 0);  // extended style
    for (int i = 0; i < 5; ++i) Wort(v, 0);  // no items, x, y, cx, cy
    Wort(v, 0);                              // no menu
    Wort(v, 0);                              // the dialog class
    Text(v, titel);
    Wort(v, 8);
    Text(v, "MS Sans Serif");
    return v;
}

// Wine's check boxes draw their focus rectangle by XOR on each change of state, so that a
// click by key or mouse leaves it gone; drawn whole, a box shows it again.
void Auffrischen(HWND element) {
    char klasse[16] = {};
    if (!element || !GetClassNameA(element, klasse, sizeof klasse) || lstrcmpiA(klasse, "Button")) return;
    switch (GetWindowLongA(element, GWL_STYLE) & BS_TYPEMASK) {
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
        case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
            InvalidateRect(element, nullptr, TRUE);
    }
}

}  // namespace

INT_PTR Dialog::Zeigen(HWND besitzer) {
    std::vector<WORD> vorlage = Vorlage(titel_);
    SetLastError(0);
    INT_PTR ergebnis = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                               reinterpret_cast<LPCDLGTEMPLATEA>(vorlage.data()),
                                               besitzer, Prozedur, reinterpret_cast<LPARAM>(this));
    if (fehlgeschlagen_) {
        if (!GetLastError()) SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return -1;
    }
    return ergebnis;
}

void Dialog::Beenden(INT_PTR code) {
    if (hwnd_) EndDialog(hwnd_, code);
}

void Dialog::Klicken(int id) {
    SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Element(id)));
}

void Dialog::TippSetzen(int id, const char* text) {
    // The tool tip window goes with its owner, the dialog; the property that finds it is
    // removed as the dialog goes.
    HWND tipps = static_cast<HWND>(GetPropA(hwnd_, kTipps));
    if (!tipps) {
        tipps = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!tipps || !SetPropA(hwnd_, kTipps, tipps)) return;
    }
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(Element(id));
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tipps, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void Dialog::FokusSetzen(HWND element) {
    if (hwnd_ && element) SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(element), TRUE);
}

void Dialog::Einrichten() {
    RECT r{0, 0, TwipsZuPixel(breite_), TwipsZuPixel(hoehe_)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE)));
    const int b = r.right - r.left, h = r.bottom - r.top;
    // Centred on the owner, or on the screen when there is none.
    RECT bezug;
    HWND besitzer = GetWindow(hwnd_, GW_OWNER);
    if (!besitzer || !IsWindowVisible(besitzer) || IsIconic(besitzer) || !GetWindowRect(besitzer, &bezug))
        bezug = Zentriert(b, h);
    // Kept inside the work area: a dialog larger than its owner near the screen's edge must
    // not lose its caption off-screen.
    RECT arbeit{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &arbeit, 0);
    int x = bezug.left + (bezug.right - bezug.left - b) / 2, y = bezug.top + (bezug.bottom - bezug.top - h) / 2;
    x = std::max<int>(arbeit.left, std::min<int>(x, arbeit.right - b));
    y = std::max<int>(arbeit.top, std::min<int>(y, arbeit.bottom - h));
    SetWindowPos(hwnd_, nullptr, x, y, b, h, SWP_NOZORDER | SWP_NOACTIVATE);
    HFONT schrift = reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0));
    if (!SteuerelementeErzeugen(hwnd_, tabelle_, anzahl_, schrift ? schrift : DialogSchrift())) {
        fehlgeschlagen_ = true;
        EndDialog(hwnd_, -1);
        return;
    }
    Form_Load();
    PostMessageA(hwnd_, kGeoeffnet, 0, 0);
}

INT_PTR Dialog::Verarbeiten(UINT msg, WPARAM wp, LPARAM lp) {
    if (LRESULT ergebnis = 0; Nachricht(msg, wp, lp, ergebnis)) return ergebnis;
    switch (msg) {
        case WM_INITDIALOG:
            Einrichten();
            return TRUE;
        case kGeoeffnet:
            DialogBereit(hwnd_);
            return TRUE;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE) Form_Activate();
            return FALSE;
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED) Auffrischen(reinterpret_cast<HWND>(lp));
            [[fallthrough]];
        case WM_NOTIFY: {
            LRESULT antwort = 0;
            const bool behandelt = Verteilen(msg, wp, lp, antwort);
            if (msg == WM_NOTIFY) SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, antwort);
            return behandelt ? TRUE : FALSE;
        }
        case WM_HELP:
            // F1 opens what "?" opens; without such a button the owner's help answers.
            if (!HilfeKnopf()) return FALSE;
            Klicken(HilfeKnopf());
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_CLOSE:
            Befehl(IDCANCEL, BN_CLICKED);
            return TRUE;
        case WM_DESTROY:
            RemovePropA(hwnd_, kTipps);
            Form_Unload();
            return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK Dialog::Prozedur(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Dialog* d = Von(h);
    if (msg == WM_INITDIALOG) {
        d = reinterpret_cast<Dialog*>(lp);
        d->hwnd_ = h;
        SetWindowLongPtrA(h, DWLP_USER, lp);
    }
    if (!d) return FALSE;
    INT_PTR ergebnis = FALSE;
    // No exception may cross into the system's code.
    try {
        ergebnis = d->Verarbeiten(msg, wp, lp);
    } catch (...) {
        ergebnis = FALSE;
    }
    if (msg == WM_NCDESTROY) d->hwnd_ = nullptr;
    return ergebnis;
}

Dialogfilter* Dialogfilter::an_ = nullptr;

void Dialogfilter::An(HWND dialog, Pruefung pruefen) {
    Aus();
    dialog_ = dialog;
    pruefen_ = std::move(pruefen);
    hook_ = SetWindowsHookExA(WH_MSGFILTER, Filter, nullptr, GetCurrentThreadId());
    if (hook_) an_ = this;
}

void Dialogfilter::Aus() {
    if (an_ == this) an_ = nullptr;
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
}

LRESULT CALLBACK Dialogfilter::Filter(int code, WPARAM wp, LPARAM lp) {
    const MSG* m = reinterpret_cast<const MSG*>(lp);
    Dialogfilter* f = an_;
    if (!f) return CallNextHookEx(nullptr, code, wp, lp);
    if (code == MSGF_DIALOGBOX && m && (m->hwnd == f->dialog_ || IsChild(f->dialog_, m->hwnd)) && f->pruefen_(*m))
        return TRUE;
    return CallNextHookEx(f->hook_, code, wp, lp);
}
