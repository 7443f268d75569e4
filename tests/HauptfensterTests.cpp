#include "Umgebung.h"
#include "app/Main.h"
#include "filetypes/Sicherung.h"
#include "resource.h"
#include "platform/Seams.h"

namespace {

using Texte = std::vector<std::string>;

struct Aufruf {
    UINT befehl;
    std::string daten;
};

// Records help and shell requests instead of starting programs.
struct Aufrufe {
    Aufrufe() {
        HilfeErsetzen([this](HWND, UINT b, ULONG_PTR d) {
            hilfe.push_back({b, b == HELP_PARTIALKEY && d ? reinterpret_cast<const char*>(d) : "-"});
        });
        OeffnenErsetzen([this](HWND, const std::string& a) { geoeffnet.push_back(a); });
    }
    ~Aufrufe() {
        HilfeErsetzen(nullptr);
        OeffnenErsetzen(nullptr);
    }
    std::vector<Aufruf> hilfe;
    std::vector<std::string> geoeffnet;
};

class MainWindow : public Hauptfenstertest {
protected:
    void SetUp() override {
        Hauptfenstertest::SetUp();
        Optionen.Sicherheitsabfrage = Optionen.Speichermeldung = Optionen.Rueckgaengig = Optionen.Beenden = 1;
    }
    Aufrufe aufrufe;
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

TEST_F(MainWindow, TheStoredOrderAppliesAndColumnClicksCountFromOne) {
    Setzen(HKEY_CURRENT_USER, kStartup, "SortKey", "1");
    Setzen(HKEY_CURRENT_USER, kStartup, "SortOrder", "1");
    Hauptliste gespeichert;
    gespeichert.Zeile("GIF", "b-Bild", "z.exe");
    gespeichert.Zeile("BMP", "C-Bild", "y.exe");
    gespeichert.Zeile("TXT", "a-Text", "x.exe");
    gespeichert.liste().Nachsortieren();
    EXPECT_EQ(Spalte(gespeichert.liste(), 1), (Texte{"C-Bild", "b-Bild", "a-Text"}));
    gespeichert.fenster.lvwMain_ColumnClick(1);  // "Erweiterung"
    EXPECT_EQ(Spalte(gespeichert.liste(), 0), (Texte{"BMP", "GIF", "TXT"}));
    EXPECT_EQ(gespeichert.fenster.Zustand().SortKey, 0);
    EXPECT_EQ(gespeichert.fenster.Zustand().SortOrder, 0);
}

TEST_F(MainWindow, BarSwitchesLayTheListOutAgain) {
    ShowWindow(haupt.fenster.hwnd(), SW_SHOWNORMAL);
    haupt.fenster.LeistenAnordnen();
    RECT vorher = haupt.fenster.ListenRechteck();
    RECT innen;
    GetClientRect(haupt.fenster.hwnd(), &innen);
    EXPECT_GT(vorher.top, 0);
    EXPECT_LT(vorher.bottom, innen.bottom);  // room for the status bar

    haupt.fenster.mnuSymbolleiste_Click();
    EXPECT_FALSE(haupt.fenster.Haken(ID_SYMBOLLEISTE));
    EXPECT_EQ(haupt.fenster.ListenRechteck().top, 0);
    haupt.fenster.mnuSymbolleiste_Click();
    RECT wieder = haupt.fenster.ListenRechteck();
    EXPECT_TRUE(EqualRect(&vorher, &wieder));

    haupt.fenster.mnuStatusleiste_Click();
    haupt.fenster.mnuSymbolleiste_Click();
    EXPECT_EQ(haupt.fenster.Leistenhoehe(), 0);
    RECT voll = haupt.fenster.ListenRechteck();
    EXPECT_TRUE(EqualRect(&voll, &innen));

}

TEST_F(MainWindow, ToolBarKeysHelpAndAddressesRunTheirCommands) {
    haupt.fenster.Toolbar_ButtonClick(4, ID_INHALT);
    haupt.fenster.Toolbar_ButtonClick(1, 0);
    haupt.fenster.Toolbar_ButtonClick(1, ID_SUCHEN);  // a menu command without a button
    SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_SUCHEN, 0);
    SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_HILFEBENUTZEN, 0);
    SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_INTERNET, 0);
    SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_MAIL, 0);
    ASSERT_EQ(aufrufe.hilfe.size(), 3u);
    EXPECT_EQ(aufrufe.hilfe[0].befehl, UINT(HELP_CONTENTS));
    EXPECT_EQ(aufrufe.hilfe[1].befehl, UINT(HELP_PARTIALKEY));
    EXPECT_EQ(aufrufe.hilfe[1].daten, "");
    EXPECT_EQ(aufrufe.hilfe[2].befehl, UINT(HELP_HELPONHELP));
    ASSERT_EQ(aufrufe.geoeffnet.size(), 2u);
    EXPECT_EQ(aufrufe.geoeffnet[0].rfind("http://", 0), 0u);
    EXPECT_EQ(aufrufe.geoeffnet[1].rfind("mailto:", 0), 0u);
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

class Closing : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        TypAnlegen("txt", "txtfile", "Text", "alt.exe %1");
        Gesichert("TXT", "Text", "alt.exe %1");
        SicherungLaden(haupt.liste());
        haupt.liste().Leeren();
        haupt.Zeile("TXT", "Text", "neu.exe %1");
        haupt.fenster.GeaendertSetzen(true);
    }
    void Schliessen() { SendMessageA(haupt.fenster.hwnd(), WM_CLOSE, 0, 0); }
};

TEST_F(Closing, CancelKeepsTheWindowAndWritesNothing) {
    Meldungen boxen{IDCANCEL};
    Schliessen();
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{{"Möchten Sie die Änderungen speichern und die ausgewählten "
                                                  "Dateitypen sichern?", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1,
                                                  "Endungswart - Beenden"}}));
    EXPECT_TRUE(IsWindow(haupt.fenster.hwnd()));
    EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kStartup));
    EXPECT_TRUE(aufrufe.hilfe.empty());
}

TEST_F(Closing, NoWritesTheSettingsButNoFileType) {
    Meldungen boxen{IDNO};
    Schliessen();
    EXPECT_FALSE(IsWindow(haupt.fenster.hwnd()));
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile\\shell\\open\\command"), "alt.exe %1");
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Oeffnen"), "alt.exe %1");
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStartup, "WindowState"), "0");
    ASSERT_EQ(aufrufe.hilfe.size(), 1u);
    EXPECT_EQ(aufrufe.hilfe[0].befehl, UINT(HELP_QUIT));
}

TEST_F(Closing, YesSavesWithoutTheFirstQuestionAndKeepsTheOption) {
    Meldungen boxen{IDYES};
    Schliessen();
    EXPECT_EQ(boxen.Gezeigt().size(), 1u);
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile\\shell\\open\\command"), "neu.exe %1");
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Oeffnen"), "neu.exe %1");
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kOpt, "Sicherheitsabfrage"), "1");
    EXPECT_FALSE(haupt.fenster.Geaendert());
}

TEST_F(Closing, AsksNothingWithoutChangesOrWithTheOptionOff) {
    Optionen.Beenden = 0;
    Schliessen();  // no planned answer: a question would fail the test
    EXPECT_FALSE(IsWindow(haupt.fenster.hwnd()));
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile\\shell\\open\\command"), "alt.exe %1");
}

}  // namespace
