#include "Dialogtreiber.h"

#include <algorithm>

#include "platform/Besitzer.h"
#include "ui/dialogs/frmSymbol.h"

std::vector<Treiber::Wartend> Treiber::wartend_;

Treiber::Treiber(std::vector<Schritt> schritte) : schritte_(std::move(schritte)) {
    DialogBereitErsetzen([this](HWND h) {
        Dialog& d = *Dialog::Von(h);
        const int nummer = geoeffnet_++;
        if (nummer >= static_cast<int>(schritte_.size())) {
            ADD_FAILURE() << "unplanned dialog " << nummer + 1;
            d.Beenden(IDCANCEL);
            return;
        }
        // The hook runs before the dialog is shown; the step waits until it is active.
        UINT_PTR id = SetTimer(nullptr, 0, 10, Zeitgeber);
        wartend_.push_back({id, &d, schritte_[static_cast<size_t>(nummer)]});
    });
}

Treiber::~Treiber() {
    DialogBereitErsetzen(nullptr);
    for (const Wartend& w : wartend_) KillTimer(nullptr, w.zeitgeber);
    wartend_.clear();
}

void CALLBACK Treiber::Zeitgeber(HWND, UINT, UINT_PTR id, DWORD) {
    for (size_t i = 0; i < wartend_.size(); ++i) {
        if (wartend_[i].zeitgeber != id) continue;
        if (!IsWindowVisible(wartend_[i].dialog->hwnd())) return;
        Wartend w = wartend_[i];
        KillTimer(nullptr, id);
        wartend_.erase(wartend_.begin() + static_cast<std::ptrdiff_t>(i));
        w.schritt(*w.dialog);
        return;
    }
}

void Klick(frmSymbol& f, int platz, UINT nachricht) {
    const int x = platz * TwipsZuPixel(Symbolstreifen::kZelleBreite) + 20;
    SendMessageA(f.Streifen().hwnd(), nachricht, MK_LBUTTON, MAKELPARAM(x, 15));
}

void Abarbeiten(Dialog& d) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (d.hwnd() && IsDialogMessageA(d.hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Taste(Dialog& d, WORD taste) {
    // With another test process in front, this thread has no focus; the dialog then takes the key.
    HWND ziel = GetFocus();
    if (!ziel || (ziel != d.hwnd() && !IsChild(d.hwnd(), ziel))) ziel = d.hwnd();
    PostMessageA(ziel, WM_KEYDOWN, taste, 0);
    PostMessageA(ziel, WM_KEYUP, taste, 0xC0000000);
    Abarbeiten(d);
}

std::string Testdatei(const std::string& name) {
    std::string relativ = ProgrammVerzeichnis() + "\\..\\testdaten\\" + name;
    char voll[MAX_PATH] = {};
    DWORD n = GetFullPathNameA(relativ.c_str(), MAX_PATH, voll, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(voll, n) : relativ;
}

COLORREF Testfarbe(int nn) {
    // The order of FARBEN in tests/daten/symbole.py.
    static const COLORREF farben[] = {
        RGB(255, 0, 0), RGB(0, 255, 0),   RGB(0, 0, 255),   RGB(255, 255, 0),
        RGB(255, 0, 255), RGB(0, 255, 255), RGB(128, 0, 0), RGB(0, 128, 0),
        RGB(128, 128, 0), RGB(128, 0, 128), RGB(0, 128, 128), RGB(128, 128, 128),
    };
    return farben[nn];
}

COLORREF Pixel(HWND element, int x, int y) {
    RECT r{};
    GetClientRect(element, &r);
    const FensterDC schirm(nullptr);
    const SpeicherDC dc(CreateCompatibleDC(schirm.get()));
    const Bitmap bild(
        CreateCompatibleBitmap(schirm.get(), std::max(r.right, 1L), std::max(r.bottom, 1L)));
    const GewaehltesObjekt gewaehlt(dc.get(), bild.get());
    const WPARAM ziel = reinterpret_cast<WPARAM>(dc.get());
    SendMessageA(element, WM_PRINTCLIENT, ziel, PRF_CLIENT | PRF_ERASEBKGND);
    return GetPixel(dc.get(), x, y);
}

bool Sichtbar(HWND h) { return (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) != 0; }

std::string Fenstertext(HWND h) {
    char text[1024] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

Dateiauswahl::Dateiauswahl(std::initializer_list<std::string> antworten) : antworten_(antworten) {
    DateiWaehlenErsetzen([this](HWND, const std::string& titel, const std::string&, const std::string& vorgabe, DWORD) {
        vorgaben_.push_back(vorgabe);
        if (antworten_.empty()) {
            ADD_FAILURE() << "unplanned file dialog: " << titel;
            return std::string();
        }
        std::string antwort = antworten_.front();
        antworten_.erase(antworten_.begin());
        return antwort;
    });
}

Dateiauswahl::~Dateiauswahl() {
    DateiWaehlenErsetzen(nullptr);
    EXPECT_TRUE(antworten_.empty()) << antworten_.size() << " planned file names were not asked for";
}
