// Messages delivered where the program yields: a close or a shut-down request never cuts a
// save short, never lets the first start run on, and a stored pause never holds the program.
#include <cmath>
#include <stdexcept>

#include "Umgebung.h"
#include "app/Main.h"
#include "settings/Optionen.h"
#include "filetypes/Sicherung.h"
#include "resource.h"
#include "ui/dialogs/frmOptionen.h"
#include "ui/dialogs/frmSpeichern.h"

namespace {

class Yields : public Ruhig {
protected:
    void SetUp() override {
        Ruhig::SetUp();
        Optionen.Beenden = 1;
        Optionen.Speichermeldung = 1;
        Optionen.SpeichernPause = 0.5f;
        haupt.fenster.GeaendertSetzen(true);
    }
    // Types in HKEY_CLASSES_ROOT and in the store with old values, in the list with new ones.
    void Typen(int anzahl) {
        for (int i = 0; i < anzahl; ++i) {
            const std::string e = "T" + std::to_string(10 + i);
            TypAnlegen(e, e + "file", "Alt", "alt.exe %1");
            Gesichert(e, "Alt", "alt.exe %1");
            haupt.Zeile(e, "Neu " + e, "neu.exe %1");
        }
    }
    // True when every one of `anzahl` types holds its new values in both places.
    ::testing::AssertionResult AlleGespeichert(int anzahl) {
        for (int i = 0; i < anzahl; ++i) {
            const std::string e = "T" + std::to_string(10 + i);
            if (Holen(HKEY_CURRENT_USER, kStore + e, "Bezeichnung") != "Neu " + e)
                return ::testing::AssertionFailure() << e << " not in the store";
            if (Holen(HKEY_CLASSES_ROOT, e + "file\\shell\\open\\command") != "neu.exe %1")
                return ::testing::AssertionFailure() << e << " not written";
        }
        return ::testing::AssertionSuccess();
    }
    // Lets the main loop run what was posted, as it would after the command.
    static void Nachrichten() {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) continue;
            DispatchMessageA(&m);
        }
    }
    LRESULT Senden(UINT msg, WPARAM wp = 0) { return SendMessageA(haupt.fenster.hwnd(), msg, wp, 0); }
    Hauptliste haupt;
};

TEST_F(Yields, ACloseDuringASavePauseWaitsForTheEndAndAsksNothingInside) {
    Typen(6);
    Testuhr uhr;
    int gesendet = 0;
    uhr.beimWarten = [&] {
        if (uhr.yields == 3) ++gesendet, Senden(WM_CLOSE);
        if (uhr.yields == 5) ++gesendet, Senden(WM_CLOSE);  // twice, as a second request would
        EXPECT_TRUE(IsWindow(haupt.fenster.hwnd()));
    };
    Meldungen boxen;  // none planned: a closing question would fail here
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_EQ(gesendet, 2);
    EXPECT_TRUE(AlleGespeichert(6));
    EXPECT_FALSE(haupt.fenster.Geaendert());
    ASSERT_TRUE(IsWindow(haupt.fenster.hwnd()));
    Nachrichten();
    EXPECT_FALSE(IsWindow(haupt.fenster.hwnd()));
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStartup, "WindowState"), "0");  // closed the usual way
}

TEST_F(Yields, ACloseDuringTheQuestionsOfASaveWaitsForTheAnswers) {
    Typen(3);
    TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "bild.exe %1");
    Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
    haupt.Zeile("JPG", "Foto", "foto.exe %1");
    Optionen.Sicherheitsabfrage = 1;
    Testuhr uhr;
    std::vector<std::string> titel;
    MeldungErsetzen([&](const std::string&, UINT, const std::string& t) {
        titel.push_back(t);
        Senden(WM_CLOSE);
        return IDYES;
    });
    haupt.fenster.mnuSpeichern_Click();
    MeldungErsetzen(nullptr);
    // The confirmation and the shared key's question, and no closing question between them.
    EXPECT_EQ(titel, (std::vector<std::string>{"Endungswart - Speichern", "Endungswart - Speichern"}));
    EXPECT_TRUE(AlleGespeichert(3));
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "jpg-datei"), "Foto");
    Nachrichten();
    EXPECT_FALSE(IsWindow(haupt.fenster.hwnd()));
}

TEST_F(Yields, TheClosingQuestionIsAskedOnceAndItsYesSavesOnce) {
    Typen(3);
    Testuhr uhr;
    uhr.beimWarten = [&] { Senden(WM_CLOSE); };
    int fragen = 0;
    MeldungErsetzen([&](const std::string&, UINT, const std::string& t) {
        EXPECT_EQ(t, "Endungswart - Beenden");
        ++fragen;
        Senden(WM_CLOSE);  // while the question is up
        return IDYES;
    });
    Senden(WM_CLOSE);
    MeldungErsetzen(nullptr);
    EXPECT_EQ(fragen, 1);
    EXPECT_TRUE(AlleGespeichert(3));
    EXPECT_FALSE(IsWindow(haupt.fenster.hwnd()));
}

TEST_F(Yields, AShutDownDuringASaveIsRefusedAndTheProgramClosesAfterIt) {
    Typen(4);
    Optionen.Beenden = 0;
    Meldungen boxen;
    Testuhr uhr;
    LRESULT antwort = TRUE;
    uhr.beimWarten = [&] {
        if (uhr.yields != 2) return;
        antwort = Senden(WM_QUERYENDSESSION);
        Senden(WM_ENDSESSION, FALSE);
    };
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_EQ(antwort, FALSE);
    EXPECT_TRUE(AlleGespeichert(4));
    Nachrichten();
    EXPECT_FALSE(IsWindow(haupt.fenster.hwnd()));
    // Outside a save the session may end.
    Hauptliste andere;
    EXPECT_NE(SendMessageA(andere.fenster.hwnd(), WM_QUERYENDSESSION, 0, 0), FALSE);
}

TEST_F(Yields, ASaveGoesOverTheListAsItWasWhenItBegan) {
    Typen(5);
    Meldungen boxen;
    Gesichert("ALT", "Nicht mehr", "alt.exe %1");
    Testuhr uhr;
    uhr.beimWarten = [&] {
        if (uhr.yields == 2) haupt.liste().Leeren();  // what a destroyed window's list reads as
    };
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_TRUE(AlleGespeichert(5));
    EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kStore + "ALT"));
}

TEST_F(Yields, ACloseWhileADialogIsUpWaitsUntilItEnds) {
    bool dialogBlieb = false, fensterBlieb = false;
    Hook<frmOptionen> hook([&](frmOptionen& d) {
        Senden(WM_CLOSE);
        dialogBlieb = IsWindow(d.hwnd());
        fensterBlieb = IsWindow(haupt.fenster.hwnd());
        d.Klicken(IDCANCEL);
    });
    haupt.fenster.GeaendertSetzen(false);
    Meldungen boxen;
    Senden(WM_COMMAND, ID_OPTIONEN);
    EXPECT_TRUE(dialogBlieb);
    EXPECT_TRUE(fensterBlieb);
    Nachrichten();
    EXPECT_FALSE(IsWindow(haupt.fenster.hwnd()));
}

// The real start-up.
class FirstStart : public Ruhig {
protected:
    void SetUp() override {
        Ruhig::SetUp();
        ASSERT_TRUE(Windows95Familie());
        TypAnlegen("txt", "txtfile", "Textdatei", "notepad.exe %1");
        TypAnlegen("gif", "giffile", "GIF-Bild", "gif.exe %1");
    }
};

// A close request that arrives while the welcome box is up ends the start: no samples, no store.
TEST_F(FirstStart, ClosedDuringTheWelcomeItDoesNothingMore) {
    MeldungErsetzen([](const std::string&, UINT, const std::string& titel) {
        if (titel == "Willkommen bei Endungswart!")
            if (HWND h = EigenesFenster(frmMain::kKlasse)) SendMessageA(h, WM_CLOSE, 0, 0);
        return IDOK;
    });
    EXPECT_EQ(Main("", marke), nullptr);
    EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kStore));
    EXPECT_NE(Holen(HKEY_CURRENT_USER, kStartup, "FirstStart"), "False");
    EXPECT_EQ(EigenesFenster(frmMain::kKlasse), nullptr);
}

TEST_F(FirstStart, SamplesGoOnlyIntoAStoreThatIsReallyEmpty) {
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

// Throws out of a pause that would otherwise never end.
struct Haengt : std::runtime_error {
    Haengt() : std::runtime_error("the pause does not end") {}
};

TEST_F(Yields, StoredPausesAreHeldToFiveSeconds) {
    Testuhr uhr;
    double anfang = 0;
    uhr.beimWarten = [&] {
        if (uhr.jetzt - anfang > 60) throw Haengt();
    };
    const struct {
        float pause;
        double dauer;
    } faelle[] = {{1e9f, 5}, {99999999999.0f, 5}, {INFINITY, 5}, {NAN, 0}, {-2, 0}, {2.5f, 2.5}};
    for (const auto& f : faelle) {
        frmSpeichern fortschritt(f.pause);
        anfang = uhr.jetzt;
        try {
            fortschritt.Zeigen({"TXT", "", "Text", "notepad.exe", ""});
        } catch (const Haengt&) {
            ADD_FAILURE() << f.pause << " held the program";
        }
        EXPECT_NEAR(uhr.jetzt - anfang, f.dauer, 0.06) << f.pause;
    }
}

TEST_F(FirstStart, AnAutostartPauseOfAThousandMillionSecondsEnds) {
    Testuhr uhr;
    uhr.beimWarten = [&] {
        if (uhr.jetzt > 1000 + 60) throw Haengt();
    };
    Setzen(HKEY_CURRENT_USER, kOpt, "Autostartmeldung", "1");
    Setzen(HKEY_CURRENT_USER, kOpt, "AutostartPause", "1e9");
    Gesichert("TXT", "Text", "neu.exe %1");
    Gesichert("GIF", "GIF", "neu.exe %1");
    try {
        EXPECT_EQ(Main("/autostart", marke), nullptr);
    } catch (const Haengt&) {
        ADD_FAILURE() << "the autostart run never ended";
    }
    EXPECT_NEAR(uhr.jetzt - 1000, 10, 0.2);
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "giffile\\shell\\open\\command"), "neu.exe %1");
}

}  // namespace
