#include <limits>
#include <tuple>

#include "Dialogtreiber.h"
#include "Umgebung.h"
#include "settings/Optionen.h"
#include "resource.h"
#include "platform/Seams.h"
#include "ui/dialogs/frmOptionen.h"

namespace {

using F = frmOptionen;

auto Felder(const Einstellungen& e) {
    return std::tie(e.Autostart, e.Autostartmeldung, e.AutostartPause, e.Mehrfachauswahl, e.Bezeichnung,
                    e.Symbol, e.Sicherheitsabfrage, e.Speichermeldung, e.SpeichernPause, e.Rueckgaengig,
                    e.Beenden);
}

bool An(F& d, int id) { return IsWindowEnabled(d.Element(id)) != FALSE; }
bool Haken(F& d, int id) { return IsDlgButtonChecked(d.hwnd(), id) == BST_CHECKED; }
int Position(F& d, int id) { return static_cast<int>(SendMessageA(d.Element(id), TBM_GETPOS, 0, 0)); }

// The user's slider move: the control moves and tells its parent.
void Schieben(F& d, int id, int position) {
    SendMessageA(d.Element(id), TBM_SETPOS, TRUE, position);
    SendMessageA(d.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(d.Element(id)));
}

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        Optionen = Einstellungen{};
        Optionen.Sicherheitsabfrage = Optionen.Speichermeldung = Optionen.Rueckgaengig = Optionen.Beenden = 1;
    }
    void TearDown() override {
        Optionen = Einstellungen{};
    }
    INT_PTR Oeffnen(std::function<void(F&)> f) { return AufListeZeigen<F>(haupt, std::move(f)); }
    Hauptliste haupt;
    Hilfeaufrufe hilfe;
};

TEST_F(OptionsDialog, LoadingRunsTheDependencyRulesForAutostart) {
    struct Fall {
        int16_t autostart, meldung;
        bool meldungAn, meldungHaken, reglerAn;
    };
    for (Fall f : {Fall{1, 0, true, false, false}, Fall{1, 1, true, true, true}}) {
        Optionen.Autostart = f.autostart;
        Optionen.Autostartmeldung = f.meldung;
        Oeffnen([&](F& d) {
            SCOPED_TRACE(testing::Message() << "Autostart " << f.autostart << ", Autostartmeldung " << f.meldung);
            EXPECT_EQ(Haken(d, F::idChkAutostart), f.autostart == 1);
            EXPECT_EQ(An(d, F::idChkAutostartmeldung), f.meldungAn);
            EXPECT_EQ(Haken(d, F::idChkAutostartmeldung), f.meldungHaken);
            EXPECT_EQ(An(d, F::idSliderAutostart), f.reglerAn);
            d.Klicken(IDCANCEL);
        });
    }
    // The user's click runs the same rules.
    Optionen.Autostart = Optionen.Autostartmeldung = 0;
    Oeffnen([](F& d) {
        SendMessageA(d.Element(F::idChkAutostart), BM_CLICK, 0, 0);
        EXPECT_TRUE(Haken(d, F::idChkAutostartmeldung));
        EXPECT_TRUE(An(d, F::idSliderAutostart) && An(d, F::idCmdUebernehmen));
        SendMessageA(d.Element(F::idChkAutostart), BM_CLICK, 0, 0);
        EXPECT_FALSE(Haken(d, F::idChkAutostartmeldung) || An(d, F::idChkAutostartmeldung));
        EXPECT_FALSE(An(d, F::idSliderAutostart));
        d.Klicken(IDCANCEL);
    });
}

TEST_F(OptionsDialog, LoadingRunsTheRulesForSpeichermeldungAndMehrfachauswahl) {
    Optionen.Speichermeldung = 0;
    Optionen.Mehrfachauswahl = 0;
    Optionen.Bezeichnung = 1;  // inconsistent store: the disabled box still shows it
    Oeffnen([](F& d) {
        EXPECT_FALSE(An(d, F::idSliderSpeichern));
        EXPECT_FALSE(An(d, F::idChkBezeichnung) || An(d, F::idChkSymbol));
        SendMessageA(d.Element(F::idChkMehrfachauswahl), BM_CLICK, 0, 0);
        EXPECT_TRUE(An(d, F::idChkBezeichnung) && An(d, F::idChkSymbol));
        EXPECT_TRUE(Haken(d, F::idChkBezeichnung) && Haken(d, F::idChkSymbol));
        SendMessageA(d.Element(F::idChkMehrfachauswahl), BM_CLICK, 0, 0);
        EXPECT_FALSE(An(d, F::idChkBezeichnung) || An(d, F::idChkSymbol));
        EXPECT_FALSE(Haken(d, F::idChkBezeichnung) || Haken(d, F::idChkSymbol));
        d.Klicken(IDCANCEL);
    });
    Optionen.Mehrfachauswahl = 1;
    Optionen.Bezeichnung = 0;
    Optionen.Symbol = 1;
    Oeffnen([](F& d) {
        EXPECT_TRUE(An(d, F::idChkBezeichnung));
        EXPECT_FALSE(Haken(d, F::idChkBezeichnung));  // the stored value wins over rule 3
        EXPECT_TRUE(Haken(d, F::idChkSymbol));
        d.Klicken(IDCANCEL);
    });
}

TEST_F(OptionsDialog, SlidersShowHalfSecondsAndApplyPositionsHalved) {
    struct Fall {
        float pause;
        int position;
    } faelle[] = {{0.75f, 2}, {1.25f, 2}, {-3, 0}, {99, 10},
                  {std::numeric_limits<float>::quiet_NaN(), 0}, {std::numeric_limits<float>::infinity(), 10}};
    for (const Fall& f : faelle) EXPECT_EQ(SchiebePosition(f.pause), f.position) << f.pause;

    Optionen.AutostartPause = 1.5f;
    Optionen.SpeichernPause = 12;  // outside the slider: shown at the nearer end
    Optionen.Autostart = Optionen.Autostartmeldung = 1;
    Oeffnen([](F& d) {
        EXPECT_EQ(Position(d, F::idSliderAutostart), 3);
        EXPECT_EQ(Position(d, F::idSliderSpeichern), 10);
        Schieben(d, F::idSliderAutostart, 7);
        EXPECT_TRUE(An(d, F::idCmdUebernehmen));
        d.Klicken(F::idCmdUebernehmen);
        EXPECT_FALSE(An(d, F::idCmdUebernehmen));
        EXPECT_EQ(Optionen.AutostartPause, 3.5f);
        EXPECT_EQ(Optionen.SpeichernPause, 5.0f);
        Schieben(d, F::idSliderAutostart, 1);
        d.Klicken(IDCANCEL);  // not applied
    });
    EXPECT_EQ(Optionen.AutostartPause, 3.5f);
}

TEST_F(OptionsDialog, StandardAsksAndThenSetsOnlyTheControls) {
    Optionen.Autostart = Optionen.Autostartmeldung = Optionen.Mehrfachauswahl = Optionen.Symbol = 1;
    Optionen.Sicherheitsabfrage = Optionen.Beenden = 0;
    Optionen.AutostartPause = 2;
    const Einstellungen vorher = Optionen;
    Meldungen boxen{IDNO, IDYES};
    EXPECT_EQ(Oeffnen([](F& d) {
                  d.Klicken(F::idCmdStandard);  // No
                  EXPECT_TRUE(Haken(d, F::idChkAutostart));
                  EXPECT_FALSE(An(d, F::idCmdUebernehmen));
                  d.Klicken(F::idCmdStandard);  // Yes
                  EXPECT_FALSE(Haken(d, F::idChkAutostart) || Haken(d, F::idChkSymbol));
                  EXPECT_TRUE(Haken(d, F::idChkSicherheitsabfrage) && Haken(d, F::idChkBeenden));
                  EXPECT_FALSE(An(d, F::idChkAutostartmeldung) || An(d, F::idChkSymbol));
                  EXPECT_TRUE(An(d, F::idCmdUebernehmen));
                  d.Klicken(IDCANCEL);
              }),
              IDCANCEL);
    const Box frage{"Sollen die Standardeinstellungen wiederhergestellt werden?",
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1, "Endungswart - Optionen"};
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{frage, frage}));
    EXPECT_EQ(Felder(Optionen), Felder(vorher));
}

TEST_F(OptionsDialog, SwitchingMultipleSelectionOffClearsTheMainListsSelection) {
    for (const char* e : {"A", "B", "C"}) haupt.Zeile(e, e, "x.exe");
    haupt.liste().Mehrfachauswahl(true);
    Markieren(haupt.liste(), {0, 2});
    ASSERT_EQ(haupt.liste().Markierte(), 2u);
    Optionen.Mehrfachauswahl = Optionen.Bezeichnung = 1;
    EXPECT_EQ(Oeffnen([](F& d) {
                  SendMessageA(d.Element(F::idChkMehrfachauswahl), BM_CLICK, 0, 0);
                  d.Klicken(IDOK);
              }),
              IDOK);
    EXPECT_EQ(haupt.liste().Markierte(), 0u);
    EXPECT_TRUE(GetWindowLongA(haupt.liste().hwnd(), GWL_STYLE) & LVS_SINGLESEL);
    EXPECT_EQ(Optionen.Mehrfachauswahl, 0);
    EXPECT_EQ(Optionen.Bezeichnung, 0);

    // Switched on again through the main window's command: several lines may be selected.
    Hook<F> hook([](F& d) {
        SendMessageA(d.Element(F::idChkMehrfachauswahl), BM_CLICK, 0, 0);
        d.Klicken(IDOK);
    });
    SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_OPTIONEN, 0);
    EXPECT_FALSE(GetWindowLongA(haupt.liste().hwnd(), GWL_STYLE) & LVS_SINGLESEL);
    EXPECT_EQ(Optionen.Mehrfachauswahl, 1);
    EXPECT_EQ(Optionen.Symbol, 1);
}

TEST_F(OptionsDialog, TabsSwapTheirPagesByClickOrAltLetterAndHelpIsTopic50) {
    Oeffnen([this](F& d) {
        HWND reiter = d.Element(F::idSSTab1);
        // The user picks the third tab: the tab control says so, the dialog swaps the pages.
        SendMessageA(reiter, TCM_SETCURSEL, 2, 0);
        NMHDR nm{reiter, F::idSSTab1, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(d.hwnd(), WM_NOTIFY, F::idSSTab1, reinterpret_cast<LPARAM>(&nm));
        EXPECT_TRUE(Sichtbar(d.Element(F::idSliderSpeichern)));
        EXPECT_FALSE(Sichtbar(d.Element(F::idSliderAutostart)));

        // Alt and a tab's letter, as the dialog's loop hands it to the message filters.
        for (auto [taste, seite] : {std::pair{'b', 3}, {'\xe4', 1}, {'A', 0}, {'x', 0}}) {
            MSG m{};
            m.hwnd = d.Element(F::idChkAutostart);
            m.message = WM_SYSCHAR;
            m.wParam = static_cast<BYTE>(taste);
            m.lParam = 0x20000001;
            EXPECT_EQ(CallMsgFilterA(&m, MSGF_DIALOGBOX) != FALSE, taste != 'x') << taste;
            EXPECT_EQ(d.Registerkarte(), seite) << taste;
        }
        EXPECT_TRUE(Sichtbar(d.Element(F::idChkAutostart)));
        d.Klicken(F::idCmdHilfe);
        EXPECT_EQ(hilfe, (Hilfeaufrufe::vector{{HELP_CONTEXT, 50}}));
        d.Klicken(IDCANCEL);
    });
}

TEST_F(OptionsDialog, OkWithoutChangesStillAppliesAndCancelAppliesNothing) {
    Optionen.Autostart = 1;
    Optionen.Autostartmeldung = 1;
    Optionen.AutostartPause = 1.2f;  // shown at 2, so applying stores 1
    Oeffnen([](F& d) {
        SendMessageA(d.Element(F::idChkBeenden), BM_CLICK, 0, 0);
        d.Klicken(IDCANCEL);
    });
    EXPECT_EQ(Optionen.Beenden, 1);
    EXPECT_EQ(Optionen.AutostartPause, 1.2f);
    Oeffnen([](F& d) { d.Klicken(IDOK); });
    EXPECT_EQ(Optionen.AutostartPause, 1.0f);
    EXPECT_EQ(Optionen.Autostart, 1);
    EXPECT_EQ(Optionen.Beenden, 1);
}

}  // namespace
