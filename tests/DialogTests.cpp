#include "Umgebung.h"
#include "ui/Form.h"
#include "ui/Textliste.h"

namespace {

using Texte = std::vector<std::string>;

// Every list sorts alike: a click on the sort column's header reverses the order, on another
// column sorts ascending; without regard to case, equal texts keeping their order, the
// selection going with its line.
TEST(TextList, HeaderClicksSortStablyWithoutRegardToCase) {
    const struct Spalte spalten[2] = {{"A", 600}, {"B", 600}};
    HWND h = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    Textliste liste;
    liste.Verbinden(h);
    liste.SpaltenAnlegen(spalten, 2);
    for (const Texte& z : {Texte{"b", "2"}, Texte{"A", "1"}, Texte{"c", "1"}, Texte{"B", "1"}}) liste.Anhaengen(z);
    Markieren(liste, {3});
    liste.Nachsortieren();  // off until a click
    EXPECT_EQ(Spalte(liste), (Texte{"b", "A", "c", "B"}));
    const std::pair<int, Texte> klicks[] = {{1, {"A", "c", "B", "b"}}, {1, {"b", "A", "c", "B"}}, {0, {"A", "b", "B", "c"}},
                                            {0, {"c", "b", "B", "A"}}, {2, {"c", "b", "B", "A"}}, {-1, {"c", "b", "B", "A"}}};
    for (const auto& [spalte, erwartet] : klicks) {
        liste.Spaltenklick(spalte);
        EXPECT_EQ(Spalte(liste), erwartet) << "after a click on " << spalte;
    }
    EXPECT_TRUE(liste.Markiert(2) && liste.Markierte() == 1);
    liste.Anhaengen({"a", "3"});
    liste.Nachsortieren();
    EXPECT_EQ(Spalte(liste), (Texte{"c", "b", "B", "A", "a"}));
    DestroyWindow(h);
}

// A form whose end ends the message loop ends it once, whichever way its window goes.
TEST(FormLifetime, TheLoopEndsWithTheWindowHoweverItGoes) {
    struct Schleifenform : Form {
        Schleifenform() {
            SchleifeBeendenBeimEnde();
            Erzeugen("Endungswart.Probe", "", WS_POPUP, 0, {0, 0, 20, 20}, nullptr);
        }
    };
    MSG m;
    for (int weg = 0; weg < 3; ++weg) {
        auto form = std::make_unique<Schleifenform>();
        const HWND h = form->hwnd();
        ASSERT_NE(h, nullptr);
        if (weg == 0) form->Schliessen();
        if (weg == 1) DestroyWindow(h);  // from outside
        form.reset();                    // and else the destructor
        EXPECT_FALSE(IsWindow(h)) << weg;
        EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << weg;
        EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << weg;  // once
    }
}

TEST(Twips, FifteenTwipsMakeOnePixelAndRoundTrip) {
    EXPECT_EQ(TwipsZuPixel(9400), 627);  // 626.7 rounds up
    EXPECT_EQ(TwipsZuPixel(1e30), 100000);  // settings may hold anything
}

}  // namespace
