// Hostile registry content and refused writes: nothing foreign is written, no failure passes
// for success, nothing stored is lost.
#include "Umgebung.h"
#include "filetypes/Registriert.h"
#include "filetypes/Sicherung.h"

namespace {

class Hostile : public Hauptfenstertest {
protected:
    void SetUp() override {
        Hauptfenstertest::SetUp();
        haupt.fenster.GeaendertSetzen(true);
    }
};

TEST_F(Hostile, StoreNamesThatCannotBeExtensionsAreNeitherShownRestoredNorPruned) {
    for (const char* name : {".", "..", ".BMP", "A B"}) Gesichert(name, "Fremd", "fremd.exe %1");
    Gesichert("TXT", "Text", "notepad.exe %1");
    SicherungLaden(haupt.liste());
    EXPECT_EQ(Spalte(haupt.liste()), std::vector<std::string>{"TXT"});

    // A save rebuilds the store from the list, but what the list cannot hold stays.
    const std::vector<std::string> vorher = StoreNamen();
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_EQ(StoreNamen(), vorher);

    // Nor are such names offered for watching.
    Setzen(HKEY_CLASSES_ROOT, "..doc", "", "docfile");
    TypAnlegen("doc", "docfile", "Dokument", "write.exe %1");
    std::vector<std::string> angeboten;
    for (const Dateityp& t : RegistrierteDateitypen()) angeboten.push_back(t.Erweiterung);
    std::sort(angeboten.begin(), angeboten.end());
    EXPECT_EQ(angeboten, (std::vector<std::string>{"DOC", "TXT"}));
    // Store names may be lower case: a watched "doc" is not offered again.
    Typliste ueberwacht;
    ueberwacht.Hinzufuegen({"doc", "", "Dokument", "write.exe %1", ""});
    const std::vector<Dateityp> rest = NichtUeberwacht(RegistrierteDateitypen(), ueberwacht);
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].Erweiterung, "TXT");
}

// TXT's class key takes no lasting subkeys, nor does BMP's, a new type; JPG is declined at the
// shared key's question, which reloads the list from the store.
TEST_F(Hostile, AFailedSaveIsNamedInOneMessageKeptInTheListAndNotStored) {
    for (const std::string e : {"txt", "bmp"}) {
        Fluechtig(e + "file");
        Setzen(HKEY_CLASSES_ROOT, "." + e, "", e + "file");
    }
    Gesichert("TXT", "Text", "alt.exe %1");
    TypAnlegen("ini", "inifile", "Einstellungen", "alt.exe %1");
    Gesichert("INI", "Einstellungen", "alt.exe %1");
    TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "bild.exe %1");
    Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
    for (const char* e : {"TXT", "INI", "BMP"}) haupt.Zeile(e, "Einstellungen", "neu.exe %1");
    haupt.Zeile("JPG", "Foto", "foto.exe %1");
    Meldungen boxen{IDNO, IDOK};  // No to the shared key's question
    haupt.fenster.mnuSpeichern_Click();
    ASSERT_EQ(boxen.Gezeigt().size(), 2u);
    EXPECT_EQ(boxen.Gezeigt()[1], (Box{
              "Folgende Dateitypen konnten nicht vollständig in der Registrierungsdatenbank "
              "gespeichert werden:\n\"TXT\", \"BMP\"\n\nSie bleiben in der Liste und werden erst "
              "gesichert, wenn das Speichern gelingt. Versuchen Sie es später noch einmal.",
              MB_OK | MB_ICONEXCLAMATION, "Endungswart - Speichern"}));
    // The store keeps what HKEY_CLASSES_ROOT still holds; a new type is not stored at all.
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Oeffnen"), "alt.exe %1");
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "INI", "Oeffnen"), "neu.exe %1");
    EXPECT_EQ(StoreNamen(), (std::vector<std::string>{"INI", "TXT"}));
    std::vector<std::string> zeilen = Spalte(haupt.liste(), 0);
    std::sort(zeilen.begin(), zeilen.end());
    EXPECT_EQ(zeilen, (std::vector<std::string>{"BMP", "INI", "TXT"}));
    for (size_t i = 0; i < haupt.liste().Anzahl(); ++i) EXPECT_EQ(haupt.liste().Eintrag(i).Oeffnen, "neu.exe %1");
    EXPECT_TRUE(haupt.fenster.Geaendert());
}

TEST_F(Hostile, ATypeTheStoreCannotLetGoIsNamedAndStaysInTheList) {
    TypAnlegen("txt", "txtfile", "Text", "notepad.exe %1");
    Gesichert("TXT", "Text", "notepad.exe %1");
    Gesichert("ABC", "Abc", "abc.exe %1");
    const Box meldung{"Folgende Dateitypen konnten nicht aus der Überwachung entfernt werden:\n\"ABC\"\n\n"
                      "Sie bleiben in der Liste und werden weiter wiederhergestellt, bis das Entfernen gelingt. "
                      "Versuchen Sie es später noch einmal.",
                      MB_OK | MB_ICONEXCLAMATION, "Endungswart - Speichern"};
    {
        Unloeschbar sperre(HKEY_CURRENT_USER, kStore + "ABC");
        Meldungen boxen{IDOK};
        haupt.Zeile("TXT", "Text", "notepad.exe %1");  // ABC removed from the list
        haupt.fenster.mnuSpeichern_Click();
        EXPECT_EQ(StoreNamen(), (std::vector<std::string>{"ABC", "TXT"}));
        std::vector<std::string> zeilen = Spalte(haupt.liste(), 0);
        std::sort(zeilen.begin(), zeilen.end());
        EXPECT_EQ(zeilen, (std::vector<std::string>{"ABC", "TXT"}));
        EXPECT_EQ(boxen.Gezeigt(), std::vector<Box>{meldung});
    }
    // Once it may go, it goes.
    haupt.liste().Leeren();
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_TRUE(StoreNamen().empty());
    EXPECT_EQ(haupt.liste().Anzahl(), 0u);
}

}  // namespace
