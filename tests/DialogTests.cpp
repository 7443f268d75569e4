#include <gtest/gtest.h>

#include "Umgebung.h"
#include "ui/Dialog.h"

namespace {

const Steuerelement kTabelle[] = {
    {Art::Text, 100, 120, 120, 3000, 315, "", 0},
    {Art::Schaltflaeche, IDOK, 120, 600, 1200, 375, "OK", BS_DEFPUSHBUTTON},
    {Art::Schaltflaeche, IDCANCEL, 1440, 600, 1200, 375, "Abbrechen", 0},
};

struct Probe : Dialog {
    Probe() : Dialog("Probe", 3300, 1100, kTabelle, std::size(kTabelle)) {}
    std::string gelesen;
    bool Befehl(int id, int) override {
        if (id == IDOK) {
            char text[64] = {};
            GetDlgItemTextA(hwnd(), 100, text, sizeof text);
            gelesen = text;
            Beenden(IDOK);
            return true;
        }
        if (id == IDCANCEL) {
            Beenden(IDCANCEL);
            return true;
        }
        return false;
    }
};

// Keys as the user types them, through the dialog manager of the running loop.
void Posten(HWND ziel, WORD taste) {
    PostMessageA(ziel, WM_KEYDOWN, taste, 0);
    PostMessageA(ziel, WM_KEYUP, taste, 0xC0000000);
}

TEST(ModalForm, EnterAndEscapeReachTheDefaultAndCancelButtonsWhileTheOwnerIsDisabled) {
    Hauptliste besitzer;
    ShowWindow(besitzer.fenster.hwnd(), SW_SHOWNORMAL);
    bool besitzerGesperrt = false;
    RECT innen{};
    {
        Hook<Dialog> hook([&](Dialog& d) {
            besitzerGesperrt = !IsWindowEnabled(besitzer.fenster.hwnd());
            GetClientRect(d.hwnd(), &innen);
            SetDlgItemTextA(d.hwnd(), 100, "Bitmap");
            SetFocus(d.Element(100));
            Posten(d.Element(100), VK_RETURN);
        });
        Probe probe;
        EXPECT_EQ(probe.Zeigen(besitzer.fenster.hwnd()), IDOK);
        EXPECT_EQ(probe.gelesen, "Bitmap");
    }
    EXPECT_TRUE(besitzerGesperrt);
    EXPECT_TRUE(IsWindowEnabled(besitzer.fenster.hwnd()));
    EXPECT_EQ(innen.right, TwipsZuPixel(3300));
    EXPECT_EQ(innen.bottom, TwipsZuPixel(1100));

    Hook<Dialog> hook([&](Dialog& d) { Posten(d.Element(100), VK_ESCAPE); });
    Probe probe;
    EXPECT_EQ(probe.Zeigen(besitzer.fenster.hwnd()), IDCANCEL);
    EXPECT_EQ(probe.gelesen, "");
}

TEST(Twips, FifteenTwipsMakeOnePixelAndRoundTrip) {
    EXPECT_EQ(TwipsZuPixel(9400), 627);  // 626.7 rounds up
    EXPECT_EQ(TwipsZuPixel(1e30), 100000);  // settings may hold anything
}

}  // namespace
