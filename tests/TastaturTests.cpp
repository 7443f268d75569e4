// The keyboard alone: where the focus goes in the main window and the dialogs, F1, access keys,
// and the default button's frame. Ctrl+Tab is with the options dialog's tests.
#include "Dialogtreiber.h"
#include "Umgebung.h"
#include "app/Main.h"
#include "ui/dialogs/frmAendern.h"
#include "ui/dialogs/frmHinzu.h"
#include "ui/dialogs/frmOptionen.h"

namespace {

using Texte = std::vector<std::string>;
using O = frmOptionen;

bool Standardknopf(HWND knopf) { return (GetWindowLongA(knopf, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

class Keyboard : public Hauptfenstertest {
protected:
    HWND Haupt() { return haupt.fenster.hwnd(); }
    HWND Liste() { return haupt.liste().hwnd(); }
};

// Activated, focused, and again after an undo. After a save the end-to-end case's keys show it.
TEST_F(Keyboard, TheMainListHasTheKeys) {
    ShowWindow(Haupt(), SW_SHOWNORMAL);
    HWND andere = CreateWindowExA(0, "STATIC", "anderes", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    SetActiveWindow(andere);
    ASSERT_NE(GetFocus(), Liste());
    SetActiveWindow(Haupt());
    EXPECT_EQ(GetFocus(), Liste());
    SetFocus(Haupt());  // a click on the window's face, or the system giving it the focus
    EXPECT_EQ(GetFocus(), Liste());
    DestroyWindow(andere);

    Optionen.Rueckgaengig = 1;
    Meldungen boxen{IDYES};
    SetFocus(nullptr);
    haupt.fenster.mnuRueckgaengig_Click();
    EXPECT_EQ(GetFocus(), Liste());
}

// After "Übernehmen" the keyboard stays with the dialog: OK has the focus and the frame, so
// Enter is still OK, and Esc still Abbrechen, which leaves what was applied.
TEST_F(Keyboard, UebernehmenHandsTheFocusToOk) {
    // Driven once the dialog is on screen, so that a dialog the key did not end shows.
    Treiber treiber({[](Dialog& d) {
        SendMessageA(d.Element(O::idChkAutostart), BM_CLICK, 0, 0);
        d.FokusSetzen(d.Element(O::idCmdUebernehmen));
        Taste(d, VK_SPACE);
        EXPECT_FALSE(IsWindowEnabled(d.Element(O::idCmdUebernehmen)));
        EXPECT_EQ(GetFocus(), d.Element(IDOK));
        EXPECT_TRUE(Standardknopf(d.Element(IDOK)));
        Taste(d, VK_ESCAPE);
        if (IsWindowVisible(d.hwnd())) {
            ADD_FAILURE() << "Esc did not end the dialog";
            d.Beenden(IDABORT);
        }
    }});
    O dialog(haupt.liste());
    EXPECT_EQ(dialog.Zeigen(Haupt()), IDCANCEL);
    EXPECT_EQ(Optionen.Autostart, 1);
}

TEST_F(Keyboard, F1OpensTheHelpOfTheDialogOrTheContents) {
    Hilfeaufrufe hilfe;
    haupt.Zeile("TXT", "Text", "notepad.exe %1");
    Markieren(haupt.liste(), {0});
    // The system makes F1 into WM_HELP to the control that has the focus, which hands it up.
    auto f1 = [](Dialog& d) {
        HWND fokus = GetFocus();
        ASSERT_TRUE(fokus && IsChild(d.hwnd(), fokus));
        HELPINFO info{sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(fokus), fokus, 0, {}};
        SendMessageA(fokus, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        d.Klicken(IDCANCEL);
    };
    AufListeZeigen<O>(haupt, f1);
    AufListeZeigen<frmHinzu>(haupt, f1);
    Hook<frmAendern> hook(f1);
    AendernBefehl(haupt.liste(), 0.5f);
    // In the main window F1 is a shortcut of the menu's "&Inhalt".
    MSG m{Liste(), WM_KEYDOWN, VK_F1, 0x003B0001, 0, {}};
    EXPECT_TRUE(TranslateAcceleratorA(Haupt(), haupt.fenster.Tastenkuerzel(), &m));
    EXPECT_EQ(hilfe,
              (Hilfeaufrufe::vector{{HELP_CONTEXT, 50}, {HELP_CONTEXT, 20}, {HELP_CONTEXT, 30}, {HELP_CONTENTS, 0}}));
}

// A list that gets the keys shows its current line. A moving button hands the focus to its
// list through the dialog manager, which also takes the default frame from the button and
// gives it back to OK, and the keys go on at the line after the moved one. A button with
// nothing to move is grey.
TEST_F(Keyboard, TheAddRemoveListsShowWhereTheKeysActAndIdleButtonsAreGrey) {
    haupt.Zeile("TXT", "Text", "notepad.exe %1");
    haupt.Zeile("INI", "Einstellungen", "notepad.exe %1");
    AufListeZeigen<frmHinzu>(haupt, [](frmHinzu& d) {
        auto frei = [&d] {
            Abarbeiten(d);
            std::string an;
            for (int id : {frmHinzu::idCmdRechts, frmHinzu::idCmdRechtsAlle, frmHinzu::idCmdLinks, frmHinzu::idCmdLinksAlle})
                an += IsWindowEnabled(d.Element(id)) ? '1' : '0';
            return an;
        };
        EXPECT_EQ(frei(), "0001");  // nothing registered, nothing selected on the right
        d.FokusSetzen(d.lvwRechts().hwnd());  // Alt+A or Tab
        EXPECT_EQ(d.lvwRechts().Aktuelle(), 0);
        EXPECT_EQ(d.lvwRechts().Markierte(), 0u);
        Markieren(d.lvwRechts(), {0});
        EXPECT_EQ(frei(), "0011");
        HWND links = d.Element(frmHinzu::idCmdLinks);
        d.FokusSetzen(links);  // as a click on "<" does
        ASSERT_TRUE(Standardknopf(links));
        d.Klicken(frmHinzu::idCmdLinks);
        EXPECT_EQ(Spalte(d.lvwRechts()), Texte{"INI"});
        EXPECT_EQ(GetFocus(), d.lvwRechts().hwnd());
        EXPECT_EQ(d.lvwRechts().Aktuelle(), 0);
        EXPECT_FALSE(Standardknopf(links));
        EXPECT_TRUE(Standardknopf(d.Element(IDOK)));
        EXPECT_EQ(frei(), "0101");
        d.Klicken(frmHinzu::idCmdLinksAlle);
        EXPECT_EQ(frei(), "0100");
        d.Klicken(IDOK);
    });
    EXPECT_EQ(haupt.liste().Anzahl(), 0u);  // OK makes even an empty right list the main list
}

// An access key never jumps past a greyed field to whatever comes after it; the box that
// greys the description frees it and its key again.
TEST_F(Keyboard, AccessKeysOfGreyedFieldsGoNowhere) {
    using F = frmAendern;
    Optionen.Mehrfachauswahl = Optionen.Bezeichnung = Optionen.Symbol = 1;
    haupt.liste().Mehrfachauswahl(true);
    haupt.Zeile("INI", "Einstellungen", "notepad.exe %1", "notepad.exe,1");
    haupt.Zeile("TXT", "Text", "notepad.exe %1", "notepad.exe,1");
    auto alt = [](Dialog& d, char taste) {
        PostMessageA(GetFocus(), WM_SYSCHAR, taste, 1 << 29);
        Abarbeiten(d);
        return GetFocus();
    };
    Treiber treiber({[&](Dialog& d) {
        SetFocus(d.Element(F::idTxtOeffnen));
        const HWND feld = d.Element(F::idTxtBezeichnung), oeffnen = GetFocus();
        EXPECT_FALSE(IsWindowEnabled(feld));
        EXPECT_FALSE(IsWindowEnabled(d.Element(F::idCmdSymbol)));
        EXPECT_EQ(alt(d, 'b'), oeffnen);
        EXPECT_EQ(alt(d, 's'), oeffnen);
        SendMessageA(d.Element(F::idChkBezeichnung), BM_CLICK, 0, 0);
        EXPECT_TRUE(IsWindowEnabled(feld));
        EXPECT_EQ(alt(d, 'b'), feld);
        d.Klicken(IDCANCEL);
    }});
    Markieren(haupt.liste(), {0, 1});
    AendernBefehl(haupt.liste(), 0.5f);
    EXPECT_EQ(treiber.Geoeffnet(), 1);
}

}  // namespace
