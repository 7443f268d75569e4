#include "ui/Form.h"

#include <commctrl.h>

#include <cmath>

#include "platform/Seams.h"

namespace {

int TwipsJePixel() {
    static int twips = [] {
        FensterDC dc(nullptr);
        int dpi = dc ? GetDeviceCaps(dc.get(), LOGPIXELSX) : 96;
        return dpi > 0 ? 1440 / dpi : 15;
    }();
    return twips;
}

struct ArtInfo {
    const char* klasse;
    DWORD stil;
};

ArtInfo Info(Art art) {
    switch (art) {
        case Art::Schaltflaeche: return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
        case Art::Kontrollkaestchen: return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
        case Art::Text: return {"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
        case Art::Lesefeld: return {"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
        case Art::Bezeichnung: return {"STATIC", SS_LEFT | SS_NOPREFIX};
        case Art::Beschriftung: return {"STATIC", SS_LEFT};
        case Art::Rahmen: return {"BUTTON", BS_GROUPBOX};
        case Art::Liste: return {WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP};
        case Art::Linie: return {"STATIC", SS_ETCHEDFRAME};
        case Art::Bild: return {"STATIC", SS_OWNERDRAW | SS_NOTIFY};
        case Art::Schieberegler: return {TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP};
        case Art::Register: return {WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS};
        case Art::Rollbalken: return {"SCROLLBAR", SBS_HORZ | WS_TABSTOP};
    }
    return {"STATIC", 0};
}

// The hourglass is the screen's, not one form's: a dialog turns it on and every form's cursor
// handling keeps it. One thread shows the program's windows, so one flag serves them all.
bool& SanduhrAn() {
    static bool an = false;
    return an;
}

}  // namespace

void Form::Sanduhr(bool an) {
    SanduhrAn() = an;
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(an ? IDC_WAIT : IDC_ARROW)));
}

int TwipsZuPixel(double twips) {
    // Stored settings may hold any number; keep the result a sane coordinate.
    double pixel = twips / TwipsJePixel();
    if (!(pixel > -100000.0)) pixel = -100000.0;
    if (pixel > 100000.0) pixel = 100000.0;
    return static_cast<int>(std::lround(pixel));
}
double PixelZuTwips(int pixel) { return static_cast<double>(pixel) * TwipsJePixel(); }

HFONT DialogSchrift() {
    static HFONT schrift = [] {
        HFONT f = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                              DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
        return f ? f : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return schrift;
}

RECT Zentriert(int breite, int hoehe) {
    RECT arbeit{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &arbeit, 0);
    int x = arbeit.left + (arbeit.right - arbeit.left - breite) / 2;
    int y = arbeit.top + (arbeit.bottom - arbeit.top - hoehe) / 2;
    return {x, y, x + breite, y + hoehe};
}

Form::~Form() { Schliessen(); }

void Form::Schliessen() {
    HWND h = hwnd_;
    if (!h) return;
    Loslassen();
    DestroyWindow(h);
}

void Form::Loslassen() {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    if (schleifeBeenden_) PostQuitMessage(0);
}

bool Form::Erzeugen(const char* klasse, const char* titel, DWORD stil, DWORD exStil, RECT r,
                    HWND besitzer, int id) {
    HINSTANCE instanz = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(instanz, klasse, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Fensterprozedur;
        wc.hInstance = instanz;
        wc.hIcon = LoadIconA(instanz, MAKEINTRESOURCEA(1));
        wc.hIconSm = static_cast<HICON>(LoadImageA(instanz, MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, 0));
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = klasse;
        if (!RegisterClassExA(&wc)) return false;
    }
    return CreateWindowExA(exStil, klasse, titel, stil, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, besitzer,
                           (stil & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr,
                           instanz, this) != nullptr;
}

bool SteuerelementeErzeugen(HWND eltern, const Steuerelement* tabelle, size_t anzahl,
                            HFONT schrift) {
    for (size_t i = 0; i < anzahl; ++i) {
        const Steuerelement& e = tabelle[i];
        ArtInfo info = Info(e.art);
        const bool kante = e.art == Art::Liste || e.art == Art::Text || e.art == Art::Lesefeld;
        HWND h = CreateWindowExA(kante ? WS_EX_CLIENTEDGE : 0,
                                 info.klasse, e.text,
                                 WS_CHILD | (e.versteckt ? 0 : WS_VISIBLE) | info.stil | e.stil,
                                 TwipsZuPixel(e.x), TwipsZuPixel(e.y), TwipsZuPixel(e.breite),
                                 TwipsZuPixel(e.hoehe), eltern,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(e.id)),
                                 GetModuleHandleA(nullptr), nullptr);
        if (!h) return false;
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(schrift), FALSE);
    }
    return true;
}

bool Form::ElementeErzeugen(const Steuerelement* tabelle, size_t anzahl) {
    return SteuerelementeErzeugen(hwnd_, tabelle, anzahl, DialogSchrift());
}

LRESULT Form::Grundverhalten(UINT msg, WPARAM wp, LPARAM lp) {
    if (LRESULT ergebnis = 0; Nachricht(msg, wp, lp, ergebnis) || Verteilen(msg, wp, lp, ergebnis))
        return ergebnis;
    switch (msg) {
        case WM_SETCURSOR:
            if (SanduhrAn()) {
                SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
                return TRUE;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Labels and frames on the face colour, as in a dialog.
            HDC dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Form::Fensterprozedur(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Form* form = reinterpret_cast<Form*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        form->hwnd_ = h;
        SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    if (!form) return DefWindowProcA(h, msg, wp, lp);
    LRESULT ergebnis = 0;
    // No exception may cross into the system's code.
    try {
        ergebnis = form->Grundverhalten(msg, wp, lp);
    } catch (...) {
        ergebnis = DefWindowProcA(h, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) form->Loslassen();  // destroyed from outside
    return ergebnis;
}

void KomponentenFehlerMelden(unsigned long fehler) {
    char* puffer = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, fehler, 0, reinterpret_cast<char*>(&puffer), 0, nullptr);
    std::string text = n && puffer ? std::string(puffer, n) : "Fehler " + std::to_string(fehler);
    if (puffer) LocalFree(puffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    Meldung(text, MB_OK | MB_ICONERROR, kProgrammTitel);
}
