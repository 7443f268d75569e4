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
#include "platform/Registry.h"

namespace {

class Hostile : public Hauptfenstertest {
protected:
    void SetUp() override {
        Hauptfenstertest::SetUp();
        haupt.fenster.GeaendertSetzen(true);
    }
    static DWORD Typ(const std::string& pfad, const char* name = "") {
        HKEY h;
        DWORD typ = REG_NONE;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, pfad.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return typ;
        RegQueryValueExA(h, name, nullptr, &typ, nullptr, nullptr);
        RegCloseKey(h);
        return typ;
    }
};

TEST_F(Hostile, ClassPointersThatAreNoClassNamesGetAKeyOfTheirOwn) {
    TypAnlegen("txt", "txtfile", "Text", "notepad.exe %1");
    Setzen(HKEY_CLASSES_ROOT, ".ini", "", "txtfile\\shell\\open\\command");
    Setzen(HKEY_CLASSES_ROOT, "*\\shell\\open\\command", "", "alle.exe %1");
    Setzen(HKEY_CLASSES_ROOT, ".st", "", "*");
    Setzen(HKEY_CLASSES_ROOT, "Folder", "", "Ordner");
    Setzen(HKEY_CLASSES_ROOT, ".fld", "", "fOLDER");
    Setzen(HKEY_CLASSES_ROOT, "CLSID", "", "Klassen");
    Setzen(HKEY_CLASSES_ROOT, ".cls", "", "CLSID");
    const std::string lang(289, 'l'), mittel(245, 'm');
    Setzen(HKEY_CLASSES_ROOT, ".lng", "", lang);
    Setzen(HKEY_CLASSES_ROOT, ".mtl", "", mittel);
    for (const char* e : {"INI", "ST", "FLD", "CLS", "LNG", "MTL"})
        Gesichert(e, std::string("Typ ") + e, std::string(e) + ".exe %1", std::string(e) + ".ico");
    Dateityp t;
    EXPECT_FALSE(DateitypLesen("ST", t));  // "*" is no file type's class
    SicherungLaden(haupt.liste());
    SicherungWiederherstellen(haupt.liste(), nullptr);

    EXPECT_EQ(Hkcr("txtfile\\shell\\open\\command"), "notepad.exe %1");
    EXPECT_EQ(Hkcr("*\\shell\\open\\command"), "alle.exe %1");
    EXPECT_EQ(Hkcr("Folder"), "Ordner");
    EXPECT_EQ(Hkcr("CLSID"), "Klassen");
    for (const char* e : {"ini", "st", "fld", "cls", "lng", "mtl"}) {
        const std::string eigen = std::string(e) + "-datei";
        EXPECT_EQ(Hkcr(std::string(".") + e), eigen);
        EXPECT_EQ(Hkcr(eigen + "\\shell\\open\\command"), Gross(e) + ".exe %1") << e;
        EXPECT_EQ(Hkcr(eigen + "\\DefaultIcon"), Gross(e) + ".ico") << e;
    }
}

TEST_F(Hostile, TheIconFallbackFollowsOnlyAClassIdentifier) {
    Setzen(HKEY_CLASSES_ROOT, "CLSID\\DefaultIcon", "", "fremd.dll,1");
    TypAnlegen("bmp", "bmpfile", "Bitmap", "paint.exe %1");
    Setzen(HKEY_CLASSES_ROOT, "bmpfile\\CLSID", "", "\\");
    TypAnlegen("gif", "giffile", "GIF", "gif.exe %1");
    Setzen(HKEY_CLASSES_ROOT, "giffile\\CLSID", "", "{G}\\..\\..");
    Dateityp t;
    ASSERT_TRUE(DateitypLesen("BMP", t));
    EXPECT_EQ(t.Symbol, "");
    Gesichert("BMP", "Bitmap", "paint.exe %1", "paint.exe,2");
    Gesichert("GIF", "GIF", "gif.exe %1", "gif.exe,0");
    SicherungLaden(haupt.liste());
    SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Hkcr("bmpfile\\DefaultIcon"), "paint.exe,2");
    EXPECT_EQ(Hkcr("CLSID\\DefaultIcon"), "fremd.dll,1");
    EXPECT_FALSE(Existiert(HKEY_CLASSES_ROOT, "CLSID\\{G}"));
}

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
    std::vector<std::string> hkcr;
    RegUnterschluessel(HKEY_CLASSES_ROOT, "", [&](const std::string& n) {
        hkcr.push_back(n);
        return true;
    });
    std::sort(hkcr.begin(), hkcr.end());
    EXPECT_EQ(hkcr, (std::vector<std::string>{".TXT", "txt-datei"}));

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
}

TEST_F(Hostile, AnExpandableIconLocationStaysExpandable) {
    TypAnlegen("txt", "txtfile", "Text", "notepad.exe %1");
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "txtfile\\DefaultIcon", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &h, nullptr),
              ERROR_SUCCESS);
    const char alt[] = "%SystemRoot%\\system32\\shell32.dll,3";
    RegSetValueExA(h, "", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(alt), sizeof alt);
    DWORD zahl = 7;
    RegSetValueExA(h, "zahl", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zahl), sizeof zahl);
    RegCloseKey(h);
    Gesichert("TXT", "Text", "notepad.exe %1", "%SystemRoot%\\system32\\shell32.dll,5");
    SicherungLaden(haupt.liste());
    SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Hkcr("txtfile\\DefaultIcon"), "%SystemRoot%\\system32\\shell32.dll,5");
    EXPECT_EQ(Typ("txtfile\\DefaultIcon"), DWORD(REG_EXPAND_SZ));
    EXPECT_EQ(Typ("txtfile\\shell\\open\\command"), DWORD(REG_SZ));
    // Text replacing a value of another kind is plain text.
    ASSERT_TRUE(RegWertSchreiben(HKEY_CLASSES_ROOT, "txtfile\\DefaultIcon", "zahl", "8"));
    EXPECT_EQ(Typ("txtfile\\DefaultIcon", "zahl"), DWORD(REG_SZ));
}

TEST_F(Hostile, WritersSayWhetherEveryWriteSucceeded) {
    Fluechtig("txtfile");
    Setzen(HKEY_CLASSES_ROOT, ".txt", "", "txtfile");
    Dateityp t{"TXT", "txtfile", "Text", "notepad.exe %1", "notepad.exe,0"};
    EXPECT_FALSE(InKlassenschluesselSchreiben(t));
    EXPECT_EQ(Hkcr("txtfile"), "Text");  // what could be written was
    Fluechtig("ini-datei");
    EXPECT_FALSE(EigenenSchluesselSchreiben({"INI", "", "Einstellungen", "notepad.exe %1", ""}));
    EXPECT_TRUE(EigenenSchluesselSchreiben({"BAT", "", "Stapel", "cmd.exe /c %1", ""}));
    TypAnlegen("bmp", "bmpfile", "Alt", "alt.exe");
    EXPECT_TRUE(InKlassenschluesselSchreiben({"BMP", "bmpfile", "Bitmap", "paint.exe %1", "p.exe,1"}));

    // The system-start run goes on with the next type.
    Gesichert("TXT", "Text", "notepad.exe %1");
    Gesichert("BMP", "Bitmap", "neu.exe %1");
    SicherungLaden(haupt.liste());
    SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Hkcr("bmpfile\\shell\\open\\command"), "neu.exe %1");
}

class FailedSave : public Hostile {
protected:
    void SetUp() override {
        Hostile::SetUp();
        Fluechtig("txtfile");
        Setzen(HKEY_CLASSES_ROOT, ".txt", "", "txtfile");
        Gesichert("TXT", "Text", "alt.exe %1");
        TypAnlegen("ini", "inifile", "Einstellungen", "alt.exe %1");
        Gesichert("INI", "Einstellungen", "alt.exe %1");
        haupt.Zeile("TXT", "Text", "neu.exe %1");
        haupt.Zeile("INI", "Einstellungen", "neu.exe %1");
    }
};

TEST_F(FailedSave, IsNamedInOneMessageKeptInTheListAndNotStored) {
    Fluechtig("bmpfile");
    Setzen(HKEY_CLASSES_ROOT, ".bmp", "", "bmpfile");
    haupt.Zeile("BMP", "Bitmap", "neu.exe %1");
    Meldungen boxen{IDOK};
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{{
              "Folgende Dateitypen konnten nicht vollständig in der Registrierungsdatenbank "
              "gespeichert werden:\n\"TXT\", \"BMP\"\n\nSie bleiben in der Liste und werden erst "
              "gesichert, wenn das Speichern gelingt. Versuchen Sie es später noch einmal.",
              MB_OK | MB_ICONEXCLAMATION, "Endungswart - Speichern"}}));
    // The store keeps what HKEY_CLASSES_ROOT still holds; a new type is not stored at all.
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Oeffnen"), "alt.exe %1");
    EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kStore + "BMP"));
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "INI", "Oeffnen"), "neu.exe %1");
    EXPECT_EQ(Spalte(haupt.liste(), 0), (std::vector<std::string>{"BMP", "INI", "TXT"}));
    EXPECT_EQ(haupt.liste().Eintrag(2).Oeffnen, "neu.exe %1");
    EXPECT_TRUE(haupt.fenster.Geaendert());
}

TEST_F(FailedSave, SurvivesTheReloadAfterADeclinedType) {
    TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "bild.exe %1");
    Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
    haupt.Zeile("JPG", "Foto", "foto.exe %1");
    Meldungen boxen{IDNO, IDOK};  // No to the shared key's question
    haupt.fenster.mnuSpeichern_Click();
    ASSERT_EQ(boxen.Gezeigt().size(), 2u);
    EXPECT_NE(boxen.Gezeigt()[1].text.find("\"TXT\""), std::string::npos);
    std::vector<std::string> zeilen = Spalte(haupt.liste(), 0);
    std::sort(zeilen.begin(), zeilen.end());
    EXPECT_EQ(zeilen, (std::vector<std::string>{"INI", "TXT"}));
    for (size_t i = 0; i < haupt.liste().Anzahl(); ++i)
        EXPECT_EQ(haupt.liste().Eintrag(i).Oeffnen, "neu.exe %1");
    EXPECT_EQ(StoreNamen(), (std::vector<std::string>{"INI", "TXT"}));
    EXPECT_TRUE(haupt.fenster.Geaendert());
}

}  // namespace
