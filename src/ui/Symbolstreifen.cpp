#include "ui/Symbolstreifen.h"

#include "filetypes/Programm.h"
#include "ui/Form.h"

namespace {

constexpr const char* kKlasse = "Endungswart.Symbolstreifen";
// Cells a bitmap: wide strips stay below the coordinate limits of the Windows 95 family.
constexpr int kJeSeite = 64;

int ZelleB() { return TwipsZuPixel(Symbolstreifen::kZelleBreite); }
int ZelleH() { return TwipsZuPixel(Symbolstreifen::kZelleHoehe); }

// The keys that choose a cell.
bool Bewegung(WPARAM taste) {
    for (WPARAM t : {VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END})
        if (taste == t) return true;
    return false;
}

void Flaeche(HDC dc, const RECT& r, COLORREF farbe) {
    Pinsel pinsel{CreateSolidBrush(farbe)};
    FillRect(dc, &r, pinsel.get());
}

}  // namespace

bool Symbolstreifen::Erzeugen(HWND eltern, int id, int x, int y, int breite, int hoehe) {
    id_ = id;
    RECT r{0, 0, breite, hoehe};
    AdjustWindowRectEx(&r, WS_CHILD, FALSE, WS_EX_CLIENTEDGE);
    // The scroll bar lies on the strip's window: never paint over it.
    return Form::Erzeugen(kKlasse, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, WS_EX_CLIENTEDGE,
                          {x, y, x + r.right - r.left, y + r.bottom - r.top}, eltern, id);
}

void Symbolstreifen::Aussparen(HWND geschwister) {
    RECT fenster{}, weg{};
    if (!GetWindowRect(hwnd(), &fenster) || !GetWindowRect(geschwister, &weg)) return;
    OffsetRect(&weg, -fenster.left, -fenster.top);
    Region ganz{CreateRectRgn(0, 0, fenster.right - fenster.left, fenster.bottom - fenster.top)};
    Region loch{CreateRectRgn(weg.left, weg.top, weg.right, weg.bottom)};
    if (!ganz || !loch || CombineRgn(ganz.get(), ganz.get(), loch.get(), RGN_DIFF) == ERROR) return;
    // The window owns the region once it is set.
    if (SetWindowRgn(hwnd(), ganz.get(), TRUE)) ganz.release();
}

void Symbolstreifen::Fuellen(const std::string& datei, int anzahl) {
    Leeren();
    if (anzahl <= 0) return;
    const int b = ZelleB(), h = ZelleH();
    vorhanden_.assign(static_cast<size_t>(anzahl), false);
    FensterDC schirm(nullptr);
    SpeicherDC speicher{CreateCompatibleDC(nullptr)};
    GewaehltesObjekt seite(speicher.get());
    HDC dc = nullptr;
    for (int i = 0; i < anzahl; ++i) {
        const int spalte = i % kJeSeite;
        if (spalte == 0) {
            const int zellen = anzahl - i < kJeSeite ? anzahl - i : kJeSeite;
            HBITMAP neu = CreateCompatibleBitmap(schirm.get(), zellen * b, 2 * h);
            seiten_.emplace_back(neu);
            if (neu) seite.Waehlen(neu);
            dc = neu ? speicher.get() : nullptr;
            if (dc) {
                Flaeche(dc, {0, 0, zellen * b, h}, kWeiss);
                Flaeche(dc, {0, h, zellen * b, 2 * h}, kBlau);
            }
        }
        SymbolBild symbol = SymbolLaden(datei, i);
        if (!symbol) continue;
        vorhanden_[static_cast<size_t>(i)] = true;
        if (!dc) continue;
        DrawIcon(dc, spalte * b + kSymbolX, kSymbolY, symbol.get());
        DrawIcon(dc, spalte * b + kSymbolX, h + kSymbolY, symbol.get());
        // The first cells show while the rest are still being read.
        if (hwnd() && i <= kSichtbar) {
            FensterDC fenster(hwnd());
            BitBlt(fenster.get(), i * b, 0, b, h, dc, spalte * b, 0, SRCCOPY);
        }
    }
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void Symbolstreifen::Leeren() {
    seiten_.clear();
    vorhanden_.clear();
    hervor_ = -1;
    erste_ = 0;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

bool Symbolstreifen::Vorhanden(int zelle) const {
    return zelle >= 0 && zelle < Anzahl() && vorhanden_[static_cast<size_t>(zelle)];
}

void Symbolstreifen::Hervorheben(int zelle) {
    const int vorher = hervor_;
    hervor_ = zelle;
    ZelleNeuZeichnen(vorher);
    ZelleNeuZeichnen(zelle);
}

void Symbolstreifen::Verschieben(int erste) {
    erste_ = erste < 0 ? 0 : erste;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

int Symbolstreifen::Ziel(WPARAM taste) const {
    const int n = Anzahl();
    if (n == 0) return -1;
    int ziel = hervor_, weiter = 1;  // where to look on past a cell without an icon
    switch (taste) {
        case VK_LEFT: ziel -= 1, weiter = -1; break;
        case VK_RIGHT: ziel += 1; break;
        case VK_PRIOR: ziel -= kSichtbar, weiter = -1; break;
        case VK_NEXT: ziel += kSichtbar; break;
        case VK_HOME: ziel = 0; break;
        case VK_END: ziel = n - 1, weiter = -1; break;
        default: return -1;
    }
    if (ziel < 0) ziel = 0;
    if (ziel > n - 1) ziel = n - 1;
    for (; ziel >= 0 && ziel < n; ziel += weiter)
        if (Vorhanden(ziel)) return ziel;
    return -1;
}

void Symbolstreifen::ZelleNeuZeichnen(int zelle) {
    if (!hwnd() || zelle < erste_) return;
    RECT r{(zelle - erste_) * ZelleB(), 0, (zelle - erste_ + 1) * ZelleB(), ZelleH()};
    InvalidateRect(hwnd(), &r, FALSE);
}

void Symbolstreifen::Zeichnen(HDC dc) const {
    RECT innen{};
    if (hwnd()) GetClientRect(hwnd(), &innen);
    const int b = ZelleB(), h = ZelleH();
    SpeicherDC speicher{CreateCompatibleDC(nullptr)};
    GewaehltesObjekt gewaehlt(speicher.get());
    int x = 0;
    for (int zelle = erste_; zelle < Anzahl() && x < innen.right; ++zelle, x += b) {
        HBITMAP seite = seiten_[static_cast<size_t>(zelle / kJeSeite)].get();
        if (!seite) {
            Flaeche(dc, {x, 0, x + b, h}, zelle == hervor_ ? kBlau : kWeiss);
            continue;
        }
        gewaehlt.Waehlen(seite);
        BitBlt(dc, x, 0, b, h, speicher.get(), (zelle % kJeSeite) * b, zelle == hervor_ ? h : 0, SRCCOPY);
    }
    Flaeche(dc, {x, 0, innen.right > x ? innen.right : x, h}, kWeiss);
    Flaeche(dc, {0, h, innen.right, innen.bottom}, kWeiss);
    if (!hwnd() || GetFocus() != hwnd()) return;
    // The focus frame on the highlighted cell, or on the first one shown while none is.
    const int platz = (hervor_ >= erste_ ? hervor_ : erste_) - erste_;
    RECT rahmen{platz * b + 2, 2, (platz + 1) * b - 2, h - 2};
    if (rahmen.left < innen.right) DrawFocusRect(dc, &rahmen);
}

void Symbolstreifen::Klick(LPARAM lp, WORD code) {
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    if (x < 0 || y < 0 || y >= ZelleH()) return;
    const int zelle = erste_ + x / ZelleB();
    // Cell 0 is there even while the strip is empty.
    if (zelle >= (Anzahl() > 0 ? Anzahl() : 1)) return;
    angeklickt_ = zelle;
    // The keys follow the mouse, as with any control.
    if (GetFocus() != hwnd()) SetFocus(hwnd());
    Melden(code);
}

void Symbolstreifen::Melden(WORD code) {
    SendMessageA(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id_, code), reinterpret_cast<LPARAM>(hwnd()));
}

bool Symbolstreifen::Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) {
    ergebnis = 0;
    switch (msg) {
        case WM_ERASEBKGND:
            ergebnis = 1;
            return true;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd(), &ps);
            Zeichnen(dc);
            EndPaint(hwnd(), &ps);
            return true;
        }
        case WM_PRINTCLIENT:
            Zeichnen(reinterpret_cast<HDC>(wp));
            return true;
        case WM_LBUTTONDOWN:
            Klick(lp, STN_CLICKED);
            return true;
        case WM_LBUTTONDBLCLK:
            Klick(lp, STN_DBLCLK);
            return true;
        case WM_GETDLGCODE:
            ergebnis = DLGC_WANTARROWS;
            return true;
        case WM_KEYDOWN:
            if (Bewegung(wp)) {
                angeklickt_ = Ziel(wp);
                Melden(kTaste);
            }
            return true;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            ZelleNeuZeichnen(hervor_ >= erste_ ? hervor_ : erste_);
            // Posted: the focus is still moving, and loading a file may show a message.
            if (msg == WM_SETFOCUS)
                PostMessageA(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id_, kFokus), reinterpret_cast<LPARAM>(hwnd()));
            return true;
    }
    return false;
}
