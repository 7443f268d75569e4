#include "Umgebung.h"
#include "app/Main.h"
#include "ui/dialogs/frmAendern.h"

namespace {

using Texte = std::vector<std::string>;

class MainWindow : public Hauptfenstertest {
protected:
    void SetUp() override {
        Hauptfenstertest::SetUp();
        Optionen.Sicherheitsabfrage = Optionen.Speichermeldung = Optionen.Rueckgaengig = Optionen.Beenden = 1;
    }
    Hilfeaufrufe hilfe;
};

// Counts the times the status bar is laid out anew, once for each update of its text.
int gesetzt = 0;
LRESULT CALLBACK Mitzaehlen(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lp)->message == SB_SETPARTS) ++gesetzt;
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Whatever changes the selection (arrows, Shift, Ctrl+Space, code) or the lines, the bar says
// so once the burst is over, and only once for the burst.
TEST_F(MainWindow, TheStatusBarCountsSelectedOrAllLinesAfterEveryChange) {
    EXPECT_EQ(haupt.fenster.Statuszeile(), "0 Dateityp(en)");
    for (int i = 0; i < 300; ++i) haupt.Zeile("E" + std::to_string(i), "", "x.exe");
    EXPECT_EQ(Statusleiste(haupt.fenster), "300 Dateityp(en)");
    haupt.liste().Mehrfachauswahl(true);
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, Mitzaehlen, nullptr, GetCurrentThreadId());
    gesetzt = 0;
    for (size_t i = 0; i < 300; i += 2) Markieren(haupt.liste(), {i});
    EXPECT_EQ(Statusleiste(haupt.fenster), "150 Dateityp(en) ausgewählt");
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(gesetzt, 1);
    haupt.liste().AlleAbwaehlen();
    EXPECT_EQ(Statusleiste(haupt.fenster), "300 Dateityp(en)");
    EXPECT_EQ(Statusleiste(haupt.fenster, 1), "");  // no notice, no part for one
}

// The stored order, kept after a change; a column click counts from one in what is stored.
TEST_F(MainWindow, TheStoredOrderAppliesAndColumnClicksCountFromOne) {
    Setzen(HKEY_CURRENT_USER, kStartup, "SortKey", "1");
    Setzen(HKEY_CURRENT_USER, kStartup, "SortOrder", "1");
    Hauptliste gespeichert;
    gespeichert.Zeile("GIF", "b-Bild", "z.exe");
    gespeichert.Zeile("BMP", "C-Bild", "y.exe");
    gespeichert.Zeile("TXT", "a-Text", "notepad.exe %1");
    gespeichert.liste().Nachsortieren();
    EXPECT_EQ(Spalte(gespeichert.liste(), 1), (Texte{"C-Bild", "b-Bild", "a-Text"}));
    Markieren(gespeichert.liste(), {2});
    Hook<frmAendern> hook([](frmAendern& d) {
        SetDlgItemTextA(d.hwnd(), frmAendern::idTxtBezeichnung, "d-Text");
        d.Klicken(IDOK);
    });
    gespeichert.fenster.mnuAendern_Click();
    EXPECT_EQ(Spalte(gespeichert.liste(), 1), (Texte{"d-Text", "C-Bild", "b-Bild"}));
    gespeichert.fenster.lvwMain_ColumnClick(1);  // "Erweiterung"
    EXPECT_EQ(Spalte(gespeichert.liste(), 0), (Texte{"BMP", "GIF", "TXT"}));
    EXPECT_EQ(gespeichert.fenster.Zustand().SortKey, 0);
    EXPECT_EQ(gespeichert.fenster.Zustand().SortOrder, 0);
}

TEST_F(MainWindow, UndoReloadsTheStoreWithOrWithoutItsQuestion) {
    Gesichert("BMP", "Bitmap", "paint.exe");
    haupt.Zeile("TXT", "Ungespeichert", "x.exe");
    haupt.fenster.GeaendertSetzen(true);
    {
        Meldungen boxen{IDNO};
        haupt.fenster.mnuRueckgaengig_Click();
        EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{{"Sollen alle Änderungen rückgängig gemacht werden und die "
                                                      "zuletzt gesicherten Dateitypen wieder geladen werden?",
                                                      MB_YESNO | MB_ICONQUESTION, "Endungswart - Rückgängig"}}));
        EXPECT_EQ(haupt.liste().Eintrag(0).Erweiterung, "TXT");
        EXPECT_TRUE(haupt.fenster.Geaendert());
    }
    Optionen.Rueckgaengig = 0;
    Markieren(haupt.liste(), {0});
    EXPECT_EQ(Statusleiste(haupt.fenster), "1 Dateityp(en) ausgewählt");
    haupt.fenster.mnuRueckgaengig_Click();  // no box is planned: none may come
    ASSERT_EQ(haupt.liste().Anzahl(), 1u);
    EXPECT_EQ(haupt.liste().Eintrag(0).Erweiterung, "BMP");
    EXPECT_FALSE(haupt.fenster.Geaendert());
    EXPECT_EQ(Statusleiste(haupt.fenster), "1 Dateityp(en)");  // the reloaded line is not selected
}

// Abbrechen keeps the window and writes nothing; Nein closes it and writes the settings but no
// file type; without the question nothing is asked. What Ja does is in the yields' tests.
TEST_F(MainWindow, TheClosingQuestionsCancelAndNo) {
    TypAnlegen("txt", "txtfile", "Text", "alt.exe %1");
    Gesichert("TXT", "Text", "alt.exe %1");
    const Box frage{"Möchten Sie die Änderungen speichern und die ausgewählten Dateitypen sichern?",
                    MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1, "Endungswart - Beenden"};
    for (int antwort : {IDCANCEL, IDNO, 0}) {
        SCOPED_TRACE(antwort);
        Hauptliste h;
        h.Zeile("TXT", "Text", "neu.exe %1");
        h.fenster.GeaendertSetzen(true);
        Optionen.Beenden = antwort != 0;
        hilfe.clear();
        Meldungen boxen;
        if (antwort) boxen.Antwort(antwort);
        SendMessageA(h.fenster.hwnd(), WM_CLOSE, 0, 0);
        EXPECT_EQ(boxen.Gezeigt(), antwort ? std::vector<Box>{frage} : std::vector<Box>{});
        const bool bleibt = antwort == IDCANCEL;
        EXPECT_EQ(IsWindow(h.fenster.hwnd()) != FALSE, bleibt);
        EXPECT_EQ(Existiert(HKEY_CURRENT_USER, kStartup), !bleibt);
        EXPECT_EQ(hilfe, bleibt ? Hilfeaufrufe::vector{} : (Hilfeaufrufe::vector{{HELP_QUIT, 0}}));
        EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile\\shell\\open\\command"), "alt.exe %1");
        EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Oeffnen"), "alt.exe %1");
    }
}

}  // namespace
