#include "Umgebung.h"
#include "app/ErsterStart.h"
#include "app/Main.h"
#include "settings/Optionen.h"
#include "platform/Seams.h"

namespace {

TEST(CommandLine, OnlyTheAutostartSwitchAloneSelectsTheAutostartRoad) {
    for (const char* ja : {"/autostart", "  /AUTOSTART  ", "/AutoStart"})
        EXPECT_TRUE(IstAutostartBefehl(ja)) << ja;
    for (const char* nein : {"", "/autostart jetzt", "autostart", "/auto start", "-autostart", "\"/autostart\""})
        EXPECT_FALSE(IstAutostartBefehl(nein)) << nein;
}

// Quiet: the main window closed here would send the desktop's real help viewer HELP_QUIT.
class Start : public Ruhig {
protected:
    void SetUp() override {
        Ruhig::SetUp();
        ASSERT_TRUE(Windows95Familie()) << "the test prefix must report Windows 95";
    }
};

TEST_F(Start, AutostartWithAnEmptyStoreAsksAndNoEndsItWhileYesStartsTheFirstStart) {
    TypAnlegen("txt", "txtfile", "Text", "notepad.exe %1");
    TypAnlegen("bmp", "bmpfile", "Bitmap", "paint.exe %1");
    const std::string vorher = Abzug(HKEY_CURRENT_USER) + Abzug(HKEY_CLASSES_ROOT);
    {
        Meldungen boxen{IDNO};
        EXPECT_EQ(Main(" /autostart ", marke), nullptr);
        EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{{"Sie haben keine Dateitypen ausgewählt, die beim Systemstart "
                                                      "wiederhergestellt werden können.\n\nSoll das Programm gestartet "
                                                      "werden, damit Sie Dateitypen auswählen können oder die "
                                                      "Autostart-Funktion abschalten können?",
                                                      MB_YESNO | MB_ICONQUESTION, "Endungswart"}}));
        EXPECT_EQ(Abzug(HKEY_CURRENT_USER) + Abzug(HKEY_CLASSES_ROOT), vorher);  // not even the settings
    }
    Meldungen boxen{IDYES, IDOK};  // then the welcome
    auto fenster = Main("/autostart", marke);
    ASSERT_NE(fenster, nullptr);
    EXPECT_FALSE(fenster->Autostartlauf());
    EXPECT_EQ(boxen.Gezeigt().back().titel, "Willkommen bei Endungswart!");
    EXPECT_EQ(fenster->lvwMain().Anzahl(), 2u);
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Oeffnen"), "notepad.exe %1");
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStartup, "FirstStart"), "False");
    EXPECT_TRUE(IsWindowVisible(fenster->hwnd()));
    // The window that the run made for itself has what the interactive road shows.
    EXPECT_NE(GetMenu(fenster->hwnd()), nullptr);
    EXPECT_EQ(Statusleiste(*fenster), "2 Dateityp(en)");
    // Closing an interactive run writes the settings.
    SendMessageA(fenster->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kOpt, "Sicherheitsabfrage"), "1");
}

// Behind the progress window each type is held for the pause; without it nothing waits. The
// stored options are read, and nothing is written back.
TEST_F(Start, AutostartRestoresWithOrWithoutItsProgressWindow) {
    for (const char* meldung : {"1", "0"}) {
        Testuhr uhr;
        Setzen(HKEY_CURRENT_USER, kOpt, "Autostartmeldung", meldung);
        Setzen(HKEY_CURRENT_USER, kOpt, "AutostartPause", "1,5");
        TypAnlegen("txt", "txtfile", "Fremd", "fremd.exe %1");
        Gesichert("TXT", "Text", "notepad.exe %1");
        Gesichert("INI", "Einstellungen", "notepad.exe %1");
        const std::string vorher = Abzug(HKEY_CURRENT_USER);
        EXPECT_EQ(Main("/autostart", marke), nullptr);
        EXPECT_NEAR(uhr.jetzt - 1000, *meldung == '1' ? 3.0 : 0.0, 0.06) << meldung;
        EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile"), "Text");
        EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, ".INI"), "ini-datei");
        EXPECT_EQ(EigenesFenster("Endungswart.frmSpeichern"), nullptr);
        EXPECT_EQ(EigenesFenster(frmMain::kKlasse), nullptr);
        EXPECT_EQ(Abzug(HKEY_CURRENT_USER), vorher);
    }
}

TEST_F(Start, TheFirstStartCopiesTheRegistryFilesOverOlderCopies) {
    const std::string windows = WindowsVerzeichnis();
    DateiSchreiben(windows + "SYSTEM.DAT", "system");
    DateiSchreiben(windows + "USER.DAT", "user");
    DateiSchreiben(windows + "USER.SIK", "alt");
    Meldungen boxen{IDOK};
    Hauptliste haupt;
    ErsterStart(haupt.liste(), haupt.fenster.hwnd());
    EXPECT_EQ(DateiLesen(windows + "SYSTEM.SIK"), "system");
    EXPECT_EQ(DateiLesen(windows + "USER.SIK"), "user");
    for (const char* datei : {"SYSTEM.DAT", "USER.DAT", "SYSTEM.SIK", "USER.SIK"})
        DeleteFileA((windows + datei).c_str());
}

}  // namespace
