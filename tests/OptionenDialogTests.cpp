#include <algorithm>
#include <cctype>
#include <limits>

#include "Dialogtreiber.h"
#include "Umgebung.h"
#include "settings/Optionen.h"
#include "ui/dialogs/frmOptionen.h"

namespace {

using F = frmOptionen;

bool Haken(F& d, int id) { return IsDlgButtonChecked(d.hwnd(), id) == BST_CHECKED; }
int Position(F& d, int id) { return static_cast<int>(SendMessageA(d.Element(id), TBM_GETPOS, 0, 0)); }
void Klick(F& d, int id) { SendMessageA(d.Element(id), BM_CLICK, 0, 0); }

// The controls that depend on others, one character each: 'x' a ticked box, 'o' a box not
// ticked or a slider or button; a capital where the control is greyed.
std::string Abhaengige(F& d) {
    std::string z;
    for (int id : {F::idChkAutostartmeldung, F::idSliderAutostart, F::idSliderSpeichern, F::idChkBezeichnung,
                   F::idChkSymbol, F::idCmdUebernehmen}) {
        const char c = Haken(d, id) ? 'x' : 'o';
        z += IsWindowEnabled(d.Element(id)) ? c : static_cast<char>(std::toupper(c));
    }
    return z;
}

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        Optionen = Einstellungen{};
        Optionen.Sicherheitsabfrage = Optionen.Speichermeldung = Optionen.Rueckgaengig = Optionen.Beenden = 1;
    }
    void TearDown() override { Optionen = Einstellungen{}; }
    INT_PTR Oeffnen(std::function<void(F&)> f) { return AufListeZeigen<F>(haupt, std::move(f)); }
    Hauptliste haupt;
};

// Loading the options runs the same rules as the user's clicks.
TEST_F(OptionsDialog, ControlsGreyAndTickAsTheOnesTheyDependOnSay) {
    const struct {
        int16_t autostart, meldung, speichermeldung, mehrfach, bezeichnung, symbol;
        std::vector<int> klicks;
        const char* erwartet;
    } faelle[] = {
        {1, 0, 1, 0, 0, 0, {}, "oOoOOO"},
        {1, 1, 1, 0, 0, 0, {}, "xooOOO"},
        {0, 0, 1, 0, 0, 0, {F::idChkAutostart}, "xooOOo"},
        {0, 0, 0, 0, 1, 0, {}, "OOOXOO"},  // a store at odds with itself: the greyed box shows it
        {0, 0, 0, 0, 1, 0, {F::idChkMehrfachauswahl}, "OOOxxo"},
        {0, 0, 0, 1, 0, 1, {}, "OOOoxO"},  // the stored value wins over ticking both
    };
    for (const auto& f : faelle) {
        Optionen.Autostart = f.autostart;
        Optionen.Autostartmeldung = f.meldung;
        Optionen.Speichermeldung = f.speichermeldung;
        Optionen.Mehrfachauswahl = f.mehrfach;
        Optionen.Bezeichnung = f.bezeichnung;
        Optionen.Symbol = f.symbol;
        std::string zustand;
        Oeffnen([&](F& d) {
            for (int id : f.klicks) Klick(d, id);
            zustand = Abhaengige(d);
            d.Klicken(IDCANCEL);
        });
        EXPECT_EQ(zustand, f.erwartet) << &f - faelle;
    }
}

// OK applies every control, the ones not touched too; multiple selection switched off reaches
// the main list at once.
TEST_F(OptionsDialog, SlidersShowHalfSecondsAndOkAppliesEveryControl) {
    const std::pair<float, int> positionen[] = {{0.75f, 2}, {1.25f, 2}, {-3, 0}, {99, 10},
        {std::numeric_limits<float>::quiet_NaN(), 0}, {std::numeric_limits<float>::infinity(), 10}};
    for (const auto& [pause, position] : positionen) EXPECT_EQ(SchiebePosition(pause), position) << pause;
    for (const char* e : {"A", "B", "C"}) haupt.Zeile(e, e, "x.exe");
    haupt.liste().Mehrfachauswahl(true);
    Markieren(haupt.liste(), {0, 2});
    Optionen.Autostart = Optionen.Autostartmeldung = Optionen.Mehrfachauswahl = Optionen.Bezeichnung = 1;
    Optionen.AutostartPause = 1.2f;
    Optionen.SpeichernPause = 12;  // outside the slider: shown at the nearer end
    Oeffnen([](F& d) {
        EXPECT_EQ(Position(d, F::idSliderAutostart), 2);
        EXPECT_EQ(Position(d, F::idSliderSpeichern), 10);
        // The user's slider move: the control moves and tells its parent.
        HWND regler = d.Element(F::idSliderAutostart);
        SendMessageA(regler, TBM_SETPOS, TRUE, 7);
        SendMessageA(d.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 7), reinterpret_cast<LPARAM>(regler));
        EXPECT_TRUE(IsWindowEnabled(d.Element(F::idCmdUebernehmen)));
        Klick(d, F::idChkMehrfachauswahl);
        d.Klicken(IDOK);
    });
    EXPECT_EQ(Optionen.AutostartPause, 3.5f);
    EXPECT_EQ(Optionen.SpeichernPause, 5.0f);
    EXPECT_EQ(haupt.liste().Markierte(), 0u);
    EXPECT_TRUE(GetWindowLongA(haupt.liste().hwnd(), GWL_STYLE) & LVS_SINGLESEL);
    EXPECT_EQ(Optionen.Mehrfachauswahl + Optionen.Bezeichnung, 0);
}

TEST_F(OptionsDialog, StandardAsksAndThenSetsOnlyTheControls) {
    Optionen.Autostart = Optionen.Autostartmeldung = Optionen.Mehrfachauswahl = Optionen.Symbol = 1;
    Optionen.Sicherheitsabfrage = Optionen.Beenden = 0;
    Meldungen boxen{IDNO, IDYES};
    EXPECT_EQ(Oeffnen([](F& d) {
                  d.Klicken(F::idCmdStandard);  // No
                  EXPECT_TRUE(Haken(d, F::idChkAutostart));
                  EXPECT_FALSE(IsWindowEnabled(d.Element(F::idCmdUebernehmen)));
                  d.Klicken(F::idCmdStandard);  // Yes
                  EXPECT_FALSE(Haken(d, F::idChkAutostart) || Haken(d, F::idChkSymbol));
                  EXPECT_TRUE(Haken(d, F::idChkSicherheitsabfrage) && Haken(d, F::idChkBeenden));
                  EXPECT_EQ(Abhaengige(d), "OOoOOo");
                  d.Klicken(IDCANCEL);
              }),
              IDCANCEL);
    const Box frage{"Sollen die Standardeinstellungen wiederhergestellt werden?",
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1, "Endungswart - Optionen"};
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{frage, frage}));
    EXPECT_EQ(Optionen.Autostart, 1);  // Abbrechen: what Standard set stays in the dialog
}

// A click on a tab, Alt and a tab's letter, Ctrl+Tab and Ctrl+Shift+Tab round the four pages;
// the keys as the dialog's loop hands them to the message filters.
TEST_F(OptionsDialog, TabsSwapTheirPagesByClickAltLetterOrCtrlTab) {
    Oeffnen([](F& d) {
        HWND reiter = d.Element(F::idSSTab1);
        SendMessageA(reiter, TCM_SETCURSEL, 2, 0);
        NMHDR nm{reiter, F::idSSTab1, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(d.hwnd(), WM_NOTIFY, F::idSSTab1, reinterpret_cast<LPARAM>(&nm));
        EXPECT_TRUE(Sichtbar(d.Element(F::idSliderSpeichern)));
        EXPECT_FALSE(Sichtbar(d.Element(F::idSliderAutostart)));
        auto filter = [](HWND h, UINT nachricht, WPARAM taste, LPARAM lp) {
            MSG m{h, nachricht, taste, lp, 0, {}};
            return CallMsgFilterA(&m, MSGF_DIALOGBOX) != FALSE;
        };
        for (auto [taste, seite] : {std::pair{'b', 3}, {'\xe4', 1}, {'A', 0}, {'x', 0}}) {
            EXPECT_EQ(filter(d.Element(F::idChkAutostart), WM_SYSCHAR, static_cast<BYTE>(taste), 0x20000001), taste != 'x');
            EXPECT_EQ(d.Registerkarte(), seite) << taste;
        }
        EXPECT_TRUE(Sichtbar(d.Element(F::idChkAutostart)));
        BYTE vorher[256], tasten[256];
        GetKeyboardState(vorher);
        std::copy(vorher, vorher + 256, tasten);
        d.FokusSetzen(d.Element(F::idChkAutostart));
        // Forward, back, back round to the last page, forward round to the first; plain Tab is
        // the dialog manager's.
        for (auto [strg, umschalt, seite] :
             {std::tuple{true, false, 1}, {true, true, 0}, {true, true, 3}, {true, false, 0}, {false, false, 0}}) {
            tasten[VK_CONTROL] = strg ? 0x80 : 0;
            tasten[VK_SHIFT] = umschalt ? 0x80 : 0;
            SetKeyboardState(tasten);
            EXPECT_EQ(filter(GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001), strg);
            EXPECT_EQ(d.Registerkarte(), seite) << strg << umschalt;
            // The check box that had the focus went with its page; the tabs have the keys.
            EXPECT_EQ(GetFocus(), reiter);
        }
        SetKeyboardState(vorher);
        d.Klicken(IDCANCEL);
    });
}

}  // namespace
