#include <stdexcept>

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

// The real start-up, in a test prefix that reports Windows 95. Quiet: the main window closed
// here would send the desktop's real help viewer HELP_QUIT.
using Start = Ruhig;

// Throws out of a pause that would otherwise never end.
struct Haengt : std::runtime_error {
    Haengt() : std::runtime_error("the pause does not end") {}
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
    // The first start copies the registry files, over older copies.
    const std::string windows = WindowsVerzeichnis();
    DateiSchreiben(windows + "SYSTEM.DAT", "system");
    DateiSchreiben(windows + "USER.DAT", "user");
    DateiSchreiben(windows + "USER.SIK", "alt");
    Meldungen boxen{IDYES, IDOK};  // then the welcome
    auto fenster = Main("/autostart", marke);
    ASSERT_NE(fenster, nullptr);
    EXPECT_FALSE(fenster->Autostartlauf());
    EXPECT_EQ(boxen.Gezeigt().back().titel, "Willkommen bei Endungswart!");
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Oeffnen"), "notepad.exe %1");
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStartup, "FirstStart"), "False");
    EXPECT_EQ(DateiLesen(windows + "SYSTEM.SIK"), "system");
    EXPECT_EQ(DateiLesen(windows + "USER.SIK"), "user");
    for (const char* datei : {"SYSTEM.DAT", "USER.DAT", "SYSTEM.SIK", "USER.SIK"})
        DeleteFileA((windows + datei).c_str());
    EXPECT_TRUE(IsWindowVisible(fenster->hwnd()));
    // The window that the run made for itself has what the interactive road shows.
    EXPECT_NE(GetMenu(fenster->hwnd()), nullptr);
    EXPECT_EQ(Statusleiste(*fenster), "2 Dateityp(en)");
    // Closing an interactive run writes the settings.
    SendMessageA(fenster->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kOpt, "Sicherheitsabfrage"), "1");
}

// Behind the progress window each type is held for the pause, and a stored pause of a thousand
// million seconds for five; without it nothing waits. The stored options are read, and nothing
// is written back.
TEST_F(Start, AutostartRestoresWithOrWithoutItsProgressWindow) {
    const struct {
        const char* meldung;
        const char* pause;
        double dauer;
    } faelle[] = {{"1", "1,5", 3.0}, {"0", "1,5", 0.0}, {"1", "1e9", 10.0}};
    for (const auto& f : faelle) {
        Testuhr uhr;
        uhr.beimWarten = [&] {
            if (uhr.jetzt > 1000 + 60) throw Haengt();
        };
        Setzen(HKEY_CURRENT_USER, kOpt, "Autostartmeldung", f.meldung);
        Setzen(HKEY_CURRENT_USER, kOpt, "AutostartPause", f.pause);
        TypAnlegen("txt", "txtfile", "Fremd", "fremd.exe %1");
        Gesichert("TXT", "Text", "notepad.exe %1");
        Gesichert("INI", "Einstellungen", "notepad.exe %1");
        const std::string vorher = Abzug(HKEY_CURRENT_USER);
        try {
            EXPECT_EQ(Main("/autostart", marke), nullptr);
        } catch (const Haengt&) {
            ADD_FAILURE() << "the autostart run never ended";
        }
        EXPECT_NEAR(uhr.jetzt - 1000, f.dauer, 0.06) << f.meldung << " " << f.pause;
        EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile"), "Text");
        EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, ".INI"), "ini-datei");
        EXPECT_EQ(EigenesFenster("Endungswart.frmSpeichern"), nullptr);
        EXPECT_EQ(EigenesFenster(frmMain::kKlasse), nullptr);
        EXPECT_EQ(Abzug(HKEY_CURRENT_USER), vorher);
    }
}

// A close request that arrives while the welcome box is up ends the start: no samples, no store.
// Samples go only into a store that is really empty.
TEST_F(Start, ClosedDuringTheWelcomeItDoesNothingAndSamplesGoOnlyIntoAnEmptyStore) {
    TypAnlegen("txt", "txtfile", "Textdatei", "notepad.exe %1");
    MeldungErsetzen([](const std::string&, UINT, const std::string& titel) {
        if (titel == "Willkommen bei Endungswart!")
            if (HWND h = EigenesFenster(frmMain::kKlasse)) SendMessageA(h, WM_CLOSE, 0, 0);
        return IDOK;
    });
    EXPECT_EQ(Main("", marke), nullptr);
    EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kStore));
    EXPECT_NE(Holen(HKEY_CURRENT_USER, kStartup, "FirstStart"), "False");
    EXPECT_EQ(EigenesFenster(frmMain::kKlasse), nullptr);

    TypAnlegen("gif", "giffile", "GIF-Bild", "gif.exe %1");
    Gesichert("TXT", "Meine Texte", "");  // not shown: no open command
    Setzen(HKEY_CURRENT_USER, kStartup, "FirstStart", "vielleicht");
    Meldungen boxen{IDOK};
    auto fenster = Main("", marke);
    ASSERT_NE(fenster, nullptr);
    EXPECT_EQ(fenster->lvwMain().Anzahl(), 0u);
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Bezeichnung"), "Meine Texte");
    EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kStore + "GIF"));
    Optionen.Beenden = 0;
    SendMessageA(fenster->hwnd(), WM_CLOSE, 0, 0);
}

}  // namespace
