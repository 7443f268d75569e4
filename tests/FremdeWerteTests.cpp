// Hostile registry content and refused writes: nothing foreign is written, no failure passes
// for success, nothing stored is lost.
#include "Umgebung.h"
#include "app/ErsterStart.h"
#include "app/Main.h"
#include "settings/Optionen.h"
#include "platform/Text.h"
#include "filetypes/Registriert.h"
#include "filetypes/Sicherung.h"
#include "filetypes/Speichern.h"
#include "filetypes/Wiederherstellen.h"
#include "platform/Registry.h"

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
    // Too long for a class key "<name>-datei" with its subkeys; the path is too long to
    // create in one step.
    HKEY store = nullptr, lang = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kStore.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &store, nullptr),
              ERROR_SUCCESS);
    RegCreateKeyExA(store, std::string(240, 'X').c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &lang, nullptr);
    ASSERT_NE(lang, nullptr);
    RegSetValueExA(lang, "Bezeichnung", 0, REG_SZ, reinterpret_cast<const BYTE*>("Lang"), 5);
    RegSetValueExA(lang, "Oeffnen", 0, REG_SZ, reinterpret_cast<const BYTE*>("lang.exe"), 9);
    RegCloseKey(lang);
    RegCloseKey(store);
    Gesichert("TXT", "Text", "notepad.exe %1");
    SicherungLaden(haupt.liste());
    ASSERT_EQ(haupt.liste().Anzahl(), 1u);
    EXPECT_EQ(haupt.liste().Eintrag(0).Erweiterung, "TXT");

    SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Unterschluessel(HKEY_CLASSES_ROOT), (std::vector<std::string>{".TXT", "txt-datei"}));

    // A save rebuilds the store from the list, but what the list cannot hold stays.
    const std::vector<std::string> vorher = StoreNamen();
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_EQ(StoreNamen(), vorher);
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "..", "Oeffnen"), "fremd.exe %1");

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

// Class keys as Windows 98 or Wine hold them, each the only class of one extension.
struct Wert {
    const char* schluessel;
    const char* name;  // "" for the default value
    const char* daten;
};
struct Klasse {
    const char* name;
    bool dateityp;  // a file type's class: written in place
    std::vector<Wert> werte;
};
#define IE "\"C:\\Programme\\Internet Explorer\\IEXPLORE.EXE\""
#define PAINT "C:\\PROGRA~1\\ZUBEHO~1\\MSPAINT.EXE"
const Klasse kKlassen[] = {
    {"http", false, {{"http", "", "URL:HyperText Transfer Protocol"}, {"http", "URL Protocol", ""},
                     {"http\\DefaultIcon", "", "url.dll,0"}, {"http\\shell\\open\\command", "", IE " -nohome"}}},
    // A version-independent name, and a class that names a registered class identifier.
    {"InternetExplorer.Application", false,
     {{"InternetExplorer.Application", "", "Internet Explorer(Ver 1.0)"},
      {"InternetExplorer.Application\\CurVer", "", "InternetExplorer.Application.1"}}},
    {"LDAP", false,
     {{"LDAP", "", "LDAP Provider Object"}, {"LDAP\\CLSID", "", "{228D9A81-C302-11CF-9AA4-00AA004A5691}"},
      {"CLSID\\{228D9A81-C302-11CF-9AA4-00AA004A5691}\\ProgID", "", "LDAP"}}},
    {"exefile", false,
     {{"exefile", "", "Anwendung"}, {"exefile\\DefaultIcon", "", "%1"}, {"exefile\\shell\\open\\command", "", "\"%1\" %*"}}},
    {"*", false, {{"*\\shellex\\PropertySheetHandlers\\CryptoSignMenu", "", "{7444C717-39BF-11D1-8CD9-00C04FC29D45}"}}},
    {"txtfile", true, {{"txtfile", "", "Textdatei"}, {"txtfile\\shell\\open\\command", "", "C:\\WINDOWS\\NOTEPAD.EXE %1"}}},
    // A file type whose class identifier names this very key as its ProgID.
    {"Paint.Picture", true,
     {{"Paint.Picture", "", "Bitmap"}, {"Paint.Picture\\CLSID", "", "{D3E34B21-9D75-101A-8C3D-00AA001A1652}"},
      {"Paint.Picture\\DefaultIcon", "", PAINT ",1"},
      {"Paint.Picture\\shell\\open\\command", "", "\"" PAINT "\" \"%1\""},
      {"CLSID\\{D3E34B21-9D75-101A-8C3D-00AA001A1652}\\ProgID", "", "Paint.Picture"},
      {"CLSID\\{D3E34B21-9D75-101A-8C3D-00AA001A1652}\\LocalServer32", "", PAINT}}},
};

// The class key with everything below it, and the class identifiers it names.
std::string Klassenabzug(const Klasse& k) {
    std::string abzug = Abzug(HKEY_CLASSES_ROOT, k.name);
    for (const Wert& w : k.werte) abzug += Abzug(HKEY_CLASSES_ROOT, w.schluessel);
    return abzug;
}

TEST_F(Hostile, OnlyAFileTypesOwnClassIsWrittenInPlace) {
    std::vector<std::string> vorher;
    for (size_t i = 0; i < std::size(kKlassen); ++i) {
        const Klasse& k = kKlassen[i];
        for (const Wert& w : k.werte) Setzen(HKEY_CLASSES_ROOT, w.schluessel, w.name, w.daten);
        vorher.push_back(Klassenabzug(k));
        const std::string ext = "X" + std::to_string(i);
        Setzen(HKEY_CLASSES_ROOT, "." + Klein(ext), "", k.name);
        Gesichert(ext, "Fremd " + ext, "C:\\WINDOWS\\NOTEPAD.EXE %1", "C:\\WINDOWS\\NOTEPAD.EXE,1");
    }
    // A class key that is a link would write through to another class.
    TypAnlegen("ziel", "zielfile", "Ziel", "ziel.exe %1");
    Verknuepfen("linkcls", "zielfile");
    Setzen(HKEY_CLASSES_ROOT, ".lnk", "", "linkcls");
    ASSERT_EQ(Hkcr("linkcls"), "Ziel");  // read through the link
    const std::string verbunden = Abzug(HKEY_CLASSES_ROOT, "zielfile");
    Gesichert("LNK", "Verbunden", "fremd.exe %1");
    SicherungLaden(haupt.liste());
    SicherungWiederherstellen(haupt.liste(), nullptr);

    for (size_t i = 0; i < std::size(kKlassen); ++i) {
        const Klasse& k = kKlassen[i];
        SCOPED_TRACE(k.name);
        const std::string ext = "X" + std::to_string(i), ziel = k.dateityp ? k.name : Klein(ext) + "-datei";
        EXPECT_EQ(Hkcr("." + Klein(ext)), ziel);
        EXPECT_EQ(Hkcr(ziel), "Fremd " + ext);
        EXPECT_EQ(Hkcr(ziel + "\\shell\\open\\command"), "C:\\WINDOWS\\NOTEPAD.EXE %1");
        EXPECT_EQ(Hkcr(ziel + "\\DefaultIcon"), "C:\\WINDOWS\\NOTEPAD.EXE,1");
        if (!k.dateityp) {
            EXPECT_EQ(Klassenabzug(k), vorher[i]);
        }
    }
    EXPECT_EQ(Abzug(HKEY_CLASSES_ROOT, "zielfile"), verbunden);
    EXPECT_EQ(Hkcr(".lnk"), "lnk-datei");
    EXPECT_EQ(Hkcr("lnk-datei\\shell\\open\\command"), "fremd.exe %1");
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
        Meldungen boxen{IDOK, IDOK};
        haupt.Zeile("TXT", "Text", "notepad.exe %1");  // ABC removed from the list
        haupt.fenster.mnuSpeichern_Click();
        EXPECT_EQ(StoreNamen(), (std::vector<std::string>{"ABC", "TXT"}));
        std::vector<std::string> zeilen = Spalte(haupt.liste(), 0);
        std::sort(zeilen.begin(), zeilen.end());
        EXPECT_EQ(zeilen, (std::vector<std::string>{"ABC", "TXT"}));
        // Nor does emptying the list let it go.
        haupt.liste().Leeren();
        haupt.fenster.mnuSpeichern_Click();
        EXPECT_EQ(Spalte(haupt.liste(), 0), (std::vector<std::string>{"ABC"}));
        EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{meldung, meldung}));
    }
    // Once it may go, it goes.
    haupt.liste().Leeren();
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_TRUE(StoreNamen().empty());
    EXPECT_EQ(haupt.liste().Anzahl(), 0u);
}

}  // namespace
