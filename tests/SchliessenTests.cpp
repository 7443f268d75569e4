// Messages delivered where the program yields: a close or a shut-down request never cuts a
// save short.
#include "Umgebung.h"
#include "settings/Optionen.h"
#include "resource.h"
#include "ui/dialogs/frmOptionen.h"

namespace {

LRESULT Senden(frmMain& f, UINT msg, WPARAM wp = 0) { return SendMessageA(f.hwnd(), msg, wp, 0); }

class Yields : public Ruhig {
protected:
    void SetUp() override {
        Ruhig::SetUp();
        Optionen.Beenden = 1;
        Optionen.Speichermeldung = 1;
        Optionen.SpeichernPause = 0.5f;
    }
    // Types in HKEY_CLASSES_ROOT and in the store with old values, in the changed list of
    // `liste` with new ones.
    void Typen(Hauptliste& liste, int anzahl) {
        for (int i = 0; i < anzahl; ++i) {
            const std::string e = "T" + std::to_string(10 + i);
            TypAnlegen(e, e + "file", "Alt", "alt.exe %1");
            Gesichert(e, "Alt", "alt.exe %1");
            liste.Zeile(e, "Neu " + e, "neu.exe %1");
        }
        liste.fenster.GeaendertSetzen(true);
    }
    // Every one of `anzahl` types holds its new values in both places.
    void AlleGespeichert(int anzahl) {
        for (int i = 0; i < anzahl; ++i) {
            const std::string e = "T" + std::to_string(10 + i);
            EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + e, "Bezeichnung"), "Neu " + e);
            EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, e + "file\\shell\\open\\command"), "neu.exe %1");
        }
    }
    Hauptliste haupt;
};

// A save goes over the list as it was when it began and runs to its end, whatever arrives at
// its pauses; a shut-down is refused, and a close or a shut-down closes the program after it.
TEST_F(Yields, ASaveRunsToItsEndWhateverArrivesInside) {
    const struct {
        const char* was;
        std::function<void(frmMain&, int)> beimWarten;  // with the number of the yield
        bool schliesst;
    } faelle[] = {
        {"two closes", [](frmMain& f, int n) {
             if (n == 3 || n == 5) Senden(f, WM_CLOSE);  // twice, as a second request would
         }, true},
        {"a shut-down", [](frmMain& f, int n) {
             if (n != 2) return;
             EXPECT_EQ(Senden(f, WM_QUERYENDSESSION), FALSE);
             Senden(f, WM_ENDSESSION, FALSE);
         }, true},
        {"the list emptied", [](frmMain& f, int n) {
             if (n == 2) f.lvwMain().Leeren();  // what a destroyed window's list reads as
         }, false},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.was);
        Hauptliste liste;
        frmMain& f = liste.fenster;
        Typen(liste, 6);
        Gesichert("ALT", "Nicht mehr", "alt.exe %1");
        Setzen(HKEY_CURRENT_USER, kStartup, "WindowState", "");
        Testuhr uhr;
        uhr.beimWarten = [&] {
            ASSERT_TRUE(IsWindow(f.hwnd()));
            fall.beimWarten(f, uhr.yields);
        };
        Meldungen boxen;  // none planned: a closing question would fail here
        f.mnuSpeichern_Click();
        EXPECT_GE(uhr.yields, 5);
        AlleGespeichert(6);
        EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kStore + "ALT"));
        EXPECT_FALSE(f.Geaendert());
        ASSERT_TRUE(IsWindow(f.hwnd()));
        Nachrichten();
        EXPECT_EQ(IsWindow(f.hwnd()), !fall.schliesst);
        if (fall.schliesst)  // closed the usual way
            EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStartup, "WindowState"), "0");
    }
    // Outside a save the session may end.
    EXPECT_NE(Senden(haupt.fenster, WM_QUERYENDSESSION), FALSE);
}

// A close while a question is up waits for its answer: the closing question is asked once, and
// its yes saves without asking again, but for the shared key.
TEST_F(Yields, ACloseDuringTheQuestionsWaitsForTheAnswers) {
    Typen(haupt, 3);
    TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "bild.exe %1");
    Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
    haupt.Zeile("JPG", "Foto", "foto.exe %1");
    Optionen.Sicherheitsabfrage = 1;
    Testuhr uhr;
    uhr.beimWarten = [&] { Senden(haupt.fenster, WM_CLOSE); };
    std::vector<std::string> titel;
    MeldungErsetzen([&](const std::string&, UINT, const std::string& t) {
        titel.push_back(t);
        Senden(haupt.fenster, WM_CLOSE);  // while the question is up
        return IDYES;
    });
    Senden(haupt.fenster, WM_CLOSE);
    MeldungErsetzen(nullptr);
    EXPECT_EQ(titel, (std::vector<std::string>{"Endungswart - Beenden", "Endungswart - Speichern"}));
    AlleGespeichert(3);
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "jpg-datei"), "Foto");
    EXPECT_FALSE(IsWindow(haupt.fenster.hwnd()));
}

TEST_F(Yields, ACloseWhileADialogIsUpWaitsUntilItEnds) {
    Hook<frmOptionen> hook([&](frmOptionen& d) {
        Senden(haupt.fenster, WM_CLOSE);
        EXPECT_TRUE(IsWindow(d.hwnd()));
        EXPECT_TRUE(IsWindow(haupt.fenster.hwnd()));
        d.Klicken(IDCANCEL);
    });
    Meldungen boxen;
    Senden(haupt.fenster, WM_COMMAND, ID_OPTIONEN);
    Nachrichten();  // the close, once the dialog has ended
    EXPECT_FALSE(IsWindow(haupt.fenster.hwnd()));
}

}  // namespace
