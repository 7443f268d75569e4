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
    static bool EinstellungenGeschrieben() {
        return Existiert(HKEY_CURRENT_USER, kStartup) ||
               Existiert(HKEY_CURRENT_USER, kOpt) ||
               WertExistiert(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Endungswart");
    }
};

TEST_F(Start, AutostartWithAnEmptyStoreAsksAndNoEndsWithoutTouchingAnything) {
    Meldungen boxen{IDNO};
    TypAnlegen("txt", "txtfile", "Text", "notepad.exe %1");
    EXPECT_EQ(Main(" /autostart ", marke), nullptr);
    EXPECT_EQ(boxen.Gezeigt(),
              (std::vector<Box>{{"Sie haben keine Dateitypen ausgewählt, die beim Systemstart wiederhergestellt "
                                 "werden können.\n\nSoll das Programm gestartet werden, damit Sie Dateitypen "
                                 "auswählen können oder die Autostart-Funktion abschalten können?",
                                 MB_YESNO | MB_ICONQUESTION, "Endungswart"}}));
    EXPECT_FALSE(EinstellungenGeschrieben());
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile"), "Text");
}

TEST_F(Start, AutostartWithAnEmptyStoreAndYesStartsInteractivelyWithTheFirstStart) {
    Meldungen boxen{IDYES, IDOK};  // then the welcome
    TypAnlegen("txt", "txtfile", "Text", "notepad.exe %1");
    TypAnlegen("bmp", "bmpfile", "Bitmap", "paint.exe %1");
    auto fenster = Main("/autostart", marke);
    ASSERT_NE(fenster, nullptr);
    EXPECT_FALSE(fenster->Autostartlauf());
    ASSERT_EQ(boxen.Gezeigt().size(), 2u);
    EXPECT_EQ(boxen.Gezeigt()[1].titel, "Willkommen bei Endungswart!");
    EXPECT_EQ(fenster->lvwMain().Anzahl(), 2u);
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Oeffnen"), "notepad.exe %1");
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStartup, "FirstStart"), "False");
    EXPECT_TRUE(IsWindowVisible(fenster->hwnd()));

    // Closing an interactive run writes the settings.
    SendMessageA(fenster->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kOpt, "Sicherheitsabfrage"), "1");
}

TEST_F(Start, AutostartRestoresBehindTheProgressWindowForThePause) {
    Testuhr uhr;
    Setzen(HKEY_CURRENT_USER, kOpt, "Autostartmeldung", "1");
    Setzen(HKEY_CURRENT_USER, kOpt, "AutostartPause", "1,5");
    TypAnlegen("txt", "txtfile", "Fremd", "fremd.exe %1");
    Gesichert("TXT", "Text", "notepad.exe %1");
    Gesichert("INI", "Einstellungen", "notepad.exe %1");
    const double anfang = uhr.jetzt;
    EXPECT_EQ(Main("/autostart", marke), nullptr);
    EXPECT_NEAR(uhr.jetzt - anfang, 3.0, 0.06);  // 1.5 s for each of the two types
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile"), "Text");
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, ".INI"), "ini-datei");
    EXPECT_EQ(EigenesFenster("Endungswart.frmSpeichern"), nullptr);
    EXPECT_EQ(EigenesFenster(frmMain::kKlasse), nullptr);
    // The stored options were read but nothing was written back.
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kOpt, "AutostartPause"), "1,5");
    EXPECT_FALSE(WertExistiert(HKEY_CURRENT_USER, kOpt, "Autostart"));
}

TEST_F(Start, AutostartWithoutItsMessageShowsNothingAndDoesNotWait) {
    Testuhr uhr;
    Setzen(HKEY_CURRENT_USER, kOpt, "AutostartPause", "5");
    TypAnlegen("txt", "txtfile", "Fremd", "fremd.exe %1");
    Gesichert("TXT", "Text", "notepad.exe %1");
    EXPECT_EQ(Main("/autostart", marke), nullptr);
    EXPECT_EQ(uhr.yields, 0);
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile"), "Text");
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

TEST(Checkpoint, AWindowThatCannotBeMadeShowsThePlatformsText) {
    Meldungen boxen{IDOK};
    KomponentenFehlerMelden(ERROR_CANNOT_FIND_WND_CLASS);
    char erwartet[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_CANNOT_FIND_WND_CLASS, 0, erwartet, sizeof erwartet, nullptr);
    std::string text = erwartet;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{{text, MB_OK | MB_ICONERROR, "Endungswart"}}));
}

}  // namespace
