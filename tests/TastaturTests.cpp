// The keyboard alone: where the focus goes in the main window and the dialogs, F1, Ctrl+Tab,
// and the default button's frame.
#include <algorithm>

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

TEST_F(Keyboard, TheMainListHasTheKeysWhenTheWindowIsActivatedOrFocused) {
    ShowWindow(Haupt(), SW_SHOWNORMAL);
    HWND andere = CreateWindowExA(0, "STATIC", "anderes", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(andere);
    SetActiveWindow(andere);
    ASSERT_NE(GetFocus(), Liste());
    SetActiveWindow(Haupt());
    EXPECT_EQ(GetFocus(), Liste());
    SetFocus(Haupt());  // a click on the window's face, or the system giving it the focus
    EXPECT_EQ(GetFocus(), Liste());
    DestroyWindow(andere);
}

TEST_F(Keyboard, TheMainListHasTheKeysAgainAfterSaveAndUndo) {
    Gesichert("TXT", "Text", "notepad.exe %1");
    haupt.Zeile("TXT", "Neu", "notepad.exe %1");
    ShowWindow(Haupt(), SW_SHOWNORMAL);
    SetActiveWindow(Haupt());
    // The progress window shows and goes; the questions are answered by the double.
    Optionen.Sicherheitsabfrage = Optionen.Speichermeldung = Optionen.Rueckgaengig = 1;
    {
        Meldungen boxen{IDYES};
        haupt.fenster.mnuSpeichern_Click();
        ASSERT_EQ(boxen.Gezeigt().size(), 1u);
    }
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Bezeichnung"), "Neu");
    EXPECT_EQ(GetActiveWindow(), Haupt());
    EXPECT_EQ(GetFocus(), Liste());

    // Undo's question took the focus; the reloaded list gets it back.
    SetFocus(nullptr);
    Meldungen boxen{IDYES};
    haupt.fenster.mnuRueckgaengig_Click();
    EXPECT_EQ(GetFocus(), Liste());
}

TEST_F(Keyboard, TheMainListSelectsWholeLinesAndSortsAgainAfterAChange) {
    haupt.Zeile("BMP", "Bitmap", "notepad.exe %1");
    haupt.Zeile("TXT", "Text", "notepad.exe %1");
    // A click on the open command of a line hits the line.
    RECT r{};
    r.top = 2;  // the open command's column
    r.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageA(Liste(), LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&r)));
    LVHITTESTINFO treffer{};
    treffer.pt = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_EQ(SendMessageA(Liste(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&treffer)), 1);

    haupt.fenster.lvwMain_ColumnClick(2);  // by description: Bitmap, Text
    Markieren(haupt.liste(), {0});
    {
        Hook<frmAendern> hook([](frmAendern& d) {
            SetDlgItemTextA(d.hwnd(), frmAendern::idTxtBezeichnung, "Zeichnung");
            d.Klicken(IDOK);
        });
        haupt.fenster.mnuAendern_Click();
    }
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Text", "Zeichnung"}));
    EXPECT_EQ(Spalte(haupt.liste(), 0), (Texte{"TXT", "BMP"}));
}

// After "Übernehmen" the keyboard stays with the dialog: OK has the focus and the frame, Esc
// is still Abbrechen and Enter still OK.
TEST_F(Keyboard, UebernehmenHandsTheFocusToOk) {
    for (WORD taste : {VK_ESCAPE, VK_RETURN}) {
        // Driven once the dialog is on screen, so that a dialog the key did not end shows.
        Treiber treiber({[taste](Dialog& d) {
            SendMessageA(d.Element(O::idChkAutostart), BM_CLICK, 0, 0);
            d.FokusSetzen(d.Element(O::idCmdUebernehmen));
            Taste(d, VK_SPACE);
            EXPECT_FALSE(IsWindowEnabled(d.Element(O::idCmdUebernehmen)));
            EXPECT_EQ(GetFocus(), d.Element(IDOK));
            EXPECT_TRUE(Standardknopf(d.Element(IDOK)));
            EXPECT_EQ(LOWORD(SendMessageA(d.hwnd(), DM_GETDEFID, 0, 0)), IDOK);
            Taste(d, taste);
            if (IsWindowVisible(d.hwnd())) {
                ADD_FAILURE() << "the key did not end the dialog: " << taste;
                d.Beenden(IDABORT);
            }
        }});
        O dialog(haupt.liste());
        const INT_PTR ergebnis = dialog.Zeigen(Haupt());
        EXPECT_EQ(ergebnis, taste == VK_RETURN ? IDOK : IDCANCEL);
        // Switched on by the first round's "Übernehmen", off again by the second's.
        EXPECT_EQ(Optionen.Autostart, taste == VK_ESCAPE ? 1 : 0);
    }
}

TEST_F(Keyboard, CtrlTabLeafsThroughTheOptionPages) {
    AufListeZeigen<O>(haupt, [](O& d) {
        BYTE vorher[256], tasten[256];
        GetKeyboardState(vorher);
        std::copy(vorher, vorher + 256, tasten);
        // Tab as the dialog's loop hands it to the message filters, with Ctrl and Shift as given.
        auto tab = [&](bool strg, bool umschalt) {
            tasten[VK_CONTROL] = strg ? 0x80 : 0;
            tasten[VK_SHIFT] = umschalt ? 0x80 : 0;
            SetKeyboardState(tasten);
            MSG m{};
            m.hwnd = GetFocus();
            m.message = WM_KEYDOWN;
            m.wParam = VK_TAB;
            m.lParam = 0x000F0001;
            return CallMsgFilterA(&m, MSGF_DIALOGBOX) != FALSE;
        };
        d.FokusSetzen(d.Element(O::idChkAutostart));
        EXPECT_TRUE(tab(true, false));
        EXPECT_EQ(d.Registerkarte(), 1);
        EXPECT_TRUE(Sichtbar(d.Element(O::idChkMehrfachauswahl)));
        // The check box that had the focus went with its page; the tabs have the keys.
        EXPECT_EQ(GetFocus(), d.Element(O::idSSTab1));
        // Back, back round to the last page, forward round to the first; plain Tab is the
        // dialog manager's.
        for (auto [strg, umschalt, seite] :
             {std::tuple{true, true, 0}, {true, true, 3}, {true, false, 0}, {false, false, 0}}) {
            EXPECT_EQ(tab(strg, umschalt), strg);
            EXPECT_EQ(d.Registerkarte(), seite) << strg << umschalt;
        }
        SetKeyboardState(vorher);
        d.Klicken(IDCANCEL);
    });
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
    {
        Hook<frmAendern> hook(f1);
        AendernBefehl(haupt.liste(), 0.5f);
    }
    // In the main window F1 is a shortcut of the menu's "&Inhalt".
    MSG m{};
    m.hwnd = Liste();
    m.message = WM_KEYDOWN;
    m.wParam = VK_F1;
    m.lParam = 0x003B0001;
    EXPECT_TRUE(TranslateAcceleratorA(Haupt(), haupt.fenster.Tastenkuerzel(), &m));
    EXPECT_EQ(hilfe, (Hilfeaufrufe::vector{
                         {HELP_CONTEXT, 50}, {HELP_CONTEXT, 20}, {HELP_CONTEXT, 30}, {HELP_CONTENTS, 0}}));
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
        d.Klicken(IDCANCEL);
    });
}

// An access key never jumps past a locked or greyed field to whatever comes after it; the
// box that greys the description frees it and its key again.
TEST_F(Keyboard, AccessKeysOfLockedFieldsGoNowhere) {
    Optionen.Mehrfachauswahl = Optionen.Bezeichnung = Optionen.Symbol = 1;
    haupt.liste().Mehrfachauswahl(true);
    haupt.Zeile("EXE", "Anwendung", "\"%1\" %*", "%1");
    haupt.Zeile("INI", "Einstellungen", "notepad.exe %1", "notepad.exe,1");
    haupt.Zeile("TXT", "Text", "notepad.exe %1", "notepad.exe,1");
    auto alt = [](Dialog& d, char taste) {
        PostMessageA(GetFocus(), WM_SYSCHAR, taste, 1 << 29);
        Abarbeiten(d);
        return GetFocus();
    };
    using F = frmAendern;
    Treiber treiber({[&](Dialog& d) {
                         Abarbeiten(d);
                         HWND feld = d.Element(F::idTxtBezeichnung);
                         ASSERT_EQ(GetFocus(), feld);  // both locked: the description is all there is
                         EXPECT_EQ(alt(d, 'f'), feld);
                         EXPECT_EQ(alt(d, 's'), feld);
                         d.Klicken(IDCANCEL);
                     },
                     [&](Dialog& d) {
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
    Markieren(haupt.liste(), {0});
    AendernBefehl(haupt.liste(), 0.5f);
    haupt.liste().AlleAbwaehlen();
    Markieren(haupt.liste(), {1, 2});
    AendernBefehl(haupt.liste(), 0.5f);
    EXPECT_EQ(treiber.Geoeffnet(), 2);
}

}  // namespace
