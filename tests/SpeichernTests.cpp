#include "Umgebung.h"
#include "settings/Optionen.h"
#include "filetypes/Sicherung.h"
#include "filetypes/Speichern.h"
#include "platform/Seams.h"

namespace {

const UINT kFrage = MB_YESNO | MB_ICONQUESTION;

class Save : public Hauptfenstertest {
protected:
    void SetUp() override {
        Hauptfenstertest::SetUp();
        Optionen.Sicherheitsabfrage = 1;
        Optionen.Speichermeldung = 0;
        haupt.fenster.GeaendertSetzen(true);
    }
};

// No to the first question, and on an empty list No or Yes to the second.
TEST_F(Save, NoToEitherQuestionChangesNothingAndTwoYesEmptyTheStore) {
    const Box speichern{"Sollen die Dateitypen in der Registrierungsdatenbank gespeichert werden?", kFrage,
                        "Endungswart - Speichern"};
    TypAnlegen("bmp", "bmpfile", "Bitmap", "paint.exe");
    for (const std::vector<int>& antworten : {std::vector{IDNO}, std::vector{IDYES, IDNO}, std::vector{IDYES, IDYES}}) {
        Gesichert("BMP", "Bitmap", "paint.exe");
        haupt.liste().Leeren();
        if (antworten.size() == 1) haupt.Zeile("TXT", "Text", "neu.exe");
        Meldungen boxen;
        for (int a : antworten) boxen.Antwort(a);
        haupt.fenster.mnuSpeichern_Click();
        ASSERT_EQ(boxen.Gezeigt().size(), antworten.size());
        EXPECT_EQ(boxen.Gezeigt()[0], speichern);
        if (antworten.size() == 2)
            EXPECT_EQ(boxen.Texte()[1], "Sind Sie sicher, daß Sie alle Dateitypen aus der Überwachung entfernen möchten?");
        const bool gespeichert = antworten.back() == IDYES;
        EXPECT_EQ(StoreNamen().empty(), gespeichert);
        EXPECT_FALSE(Existiert(HKEY_CLASSES_ROOT, ".TXT"));
        EXPECT_EQ(Hkcr("bmpfile"), "Bitmap");
        EXPECT_EQ(haupt.fenster.Geaendert(), !gespeichert);
    }
}

class SharedSave : public Save {
protected:
    void SetUp() override {
        Save::SetUp();
        TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "bild.exe %1");
        Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
        Gesichert("JPG", "JPEG-Bild", "bild.exe %1");
        Optionen.Sicherheitsabfrage = 0;
        haupt.Zeile("JPG", "Foto", "foto.exe %1");
        haupt.Zeile("TXT", "Text", "notepad.exe %1");
    }
};

TEST_F(SharedSave, TheQuestionNamesTheExtensionAndTheOldDescription) {
    Optionen.Speichermeldung = 1;
    Optionen.SpeichernPause = 0;
    std::vector<Box> boxen;
    MeldungErsetzen([&](const std::string& text, UINT stil, const std::string& titel) {
        // The progress window steps aside for it (it is topmost otherwise); the main window waits.
        HWND fortschritt = EigenesFenster("Endungswart.frmSpeichern");
        EXPECT_TRUE(fortschritt && !(GetWindowLongA(fortschritt, GWL_EXSTYLE) & WS_EX_TOPMOST));
        EXPECT_FALSE(IsWindowEnabled(haupt.fenster.hwnd()));
        boxen.push_back({text, stil, titel});
        return IDYES;
    });
    haupt.fenster.mnuSpeichern_Click();
    MeldungErsetzen(nullptr);
    EXPECT_EQ(boxen, (std::vector<Box>{{
              "Die Erweiterung \"JPG\" ist zusammen mit weiteren Dateitypen, für die die gleichen "
              "Einstellungen gelten, in der Registrierungsdatenbank unter einem gemeinsamen Schlüssel "
              "eingetragen.\n\nSollen die von Ihnen geänderten Werte für \"JPG\" unter einem neuen "
              "Schlüssel gespeichert werden?\n\nWählen Sie Nein, wenn für diese Dateitypen weiterhin "
              "gleiche Einstellungen gelten sollen. Zum Ändern wählen Sie anschließend "
              "\"Hinzufügen/Entfernen\", sortieren die Liste durch Klick auf die Spaltenüberschrift "
              "\"Bezeichnung\" und fügen alle Erweiterungen mit der  Bezeichnung \"JPEG-Bild\" hinzu.\n"
              "Schalten Sie die Option \"Mehrfachauswahl zulassen\" ein und wählen Sie im Hauptfenster "
              "alle Dateitypen mit der Bezeichnung \"JPEG-Bild\" zum Ändern aus.",
              kFrage | MB_DEFBUTTON2, "Endungswart - Speichern"}}));
    EXPECT_EQ(Hkcr(".jpg"), "jpg-datei");
    EXPECT_EQ(Hkcr("jpg-datei"), "Foto");
    EXPECT_EQ(Hkcr("jpegfile"), "JPEG-Bild");
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "JPG", "Bezeichnung"), "Foto");
}

TEST_F(SharedSave, NoDropsTheTypeFromListAndStoreAndLeavesTheRegistryAndTheStatusBarSaysSo) {
    Meldungen boxen{IDNO};
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_EQ(Hkcr(".jpg"), "jpegfile");
    EXPECT_EQ(Hkcr("jpegfile"), "JPEG-Bild");
    EXPECT_EQ(StoreNamen(), (std::vector<std::string>{"TXT"}));
    EXPECT_EQ(Spalte(haupt.liste()), std::vector<std::string>{"TXT"});
    EXPECT_FALSE(haupt.fenster.Geaendert());
    // Named until the selection changes.
    EXPECT_EQ(Statusleiste(haupt.fenster, 1), "JPG wird nicht mehr überwacht.");
    Markieren(haupt.liste(), {0});
    EXPECT_EQ(Statusleiste(haupt.fenster, 1), "");
}

// A save window whose progress display stops the save dead, as a killed process would, when
// the type after the first `typen` is shown (written into HKEY_CLASSES_ROOT, not yet stored).
struct Abbruchfenster : Stillfenster, Fortschritt {
    struct Tot {};
    explicit Abbruchfenster(int typen) : rest(typen) {}
    Fortschritt* FortschrittOeffnen() override { return this; }
    void Zeigen(const Dateityp&) override {
        if (rest-- == 0) throw Tot{};
    }
    int rest;
};

TEST_F(Save, AnInterruptedSaveLosesNoWatchedTypeAndStopsNoLaterSave) {
    for (const char* e : {"AAA", "BBB", "CCC", "DDD"}) Gesichert(e, std::string("alt ") + e, "alt.exe");
    Optionen.Sicherheitsabfrage = 0;
    for (int k = 0; k < 3; ++k) {  // stopped before the third of three types at the latest
        haupt.liste().Leeren();
        for (const char* e : {"AAA", "EEE", "BBB"}) haupt.Zeile(e, "neu", "neu.exe");
        Abbruchfenster abbruch(k);
        EXPECT_THROW(Speichern(haupt.liste(), abbruch, false), Abbruchfenster::Tot);
        std::vector<std::string> store = StoreNamen();
        for (const char* e : {"AAA", "BBB", "CCC", "DDD"})
            EXPECT_NE(std::find(store.begin(), store.end(), e), store.end()) << e << " lost after " << k;
        EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "AAA", "Bezeichnung"), k >= 1 ? "neu" : "alt AAA");
        EXPECT_EQ(std::find(store.begin(), store.end(), "EEE") != store.end(), k >= 2) << k;
    }
    // Cut off inside the main window's save: the window takes input again, and the next save runs.
    RegSchreibenBeobachten([](HKEY, auto&&...) { throw Abbruchfenster::Tot{}; });
    EXPECT_THROW(haupt.fenster.mnuSpeichern_Click(), Abbruchfenster::Tot);
    RegSchreibenBeobachten(nullptr);
    EXPECT_TRUE(IsWindowEnabled(haupt.fenster.hwnd()));
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_EQ(StoreNamen(), (std::vector<std::string>{"AAA", "BBB", "EEE"}));
    EXPECT_FALSE(haupt.fenster.Geaendert());
}

// What another program writes while the save yields is what the save compares against: a value
// it changes back is written again, not skipped as unchanged.
TEST_F(Save, AValueChangedDuringAYieldIsWritten) {
    struct Fremder : Stillfenster {
        void Zwischendurch() override { Setzen(HKEY_CLASSES_ROOT, "bmpfile", "", "Fremd"); }
    } fenster;
    TypAnlegen("bmp", "bmpfile", "Bitmap", "paint.exe");
    haupt.Zeile("BMP", "Bitmap", "paint.exe");
    EXPECT_TRUE(Speichern(haupt.liste(), fenster, false).Fertig);
    EXPECT_EQ(Hkcr("bmpfile"), "Bitmap");
}

}  // namespace
