#include "Umgebung.h"
#include "filetypes/Sicherung.h"
#include "filetypes/Vergleich.h"
#include "filetypes/Wiederherstellen.h"

namespace {

using Store = Hauptfenstertest;

TEST_F(Store, LoadsUsableTypesAndLeavesTheRestInTheStore) {
    Gesichert("BMP", "Bitmap", "paint.exe %1", "");
    Gesichert("TXT", "Text", "", "");
    Gesichert("INI", "", "notepad.exe %1", "");
    SicherungLaden(haupt.liste());
    ASSERT_EQ(haupt.liste().Anzahl(), 1u);
    Dateityp t = haupt.liste().Eintrag(0);
    EXPECT_EQ(t.Erweiterung, "BMP");
    EXPECT_EQ(t.Symbol, "");
    EXPECT_TRUE(Existiert(HKEY_CURRENT_USER, kStore + "TXT"));
    SicherungLaden(haupt.liste());  // appends; callers clear first
    EXPECT_EQ(haupt.liste().Anzahl(), 2u);
}

TEST_F(Store, RestoresIntoTheOwnClassKeyAndItsClassIdIcon) {
    TypAnlegen("txt", "txtfile", "Geändert", "fremd.exe %1", "fremd.exe,3");
    Setzen(HKEY_CLASSES_ROOT, "txtfile\\CLSID", "", "{T}");
    Setzen(HKEY_CLASSES_ROOT, "CLSID\\{T}\\DefaultIcon", "", "fremd.dll,1");
    Gesichert("TXT", "Textdatei", "notepad.exe %1", "notepad.exe,0");
    SicherungLaden(haupt.liste());
    SicherungWiederherstellen(haupt.liste(), nullptr);

    EXPECT_EQ(Hkcr(".txt"), "txtfile");
    EXPECT_EQ(Hkcr("txtfile"), "Textdatei");
    EXPECT_EQ(Hkcr("txtfile\\shell\\open\\command"), "notepad.exe %1");
    EXPECT_EQ(Hkcr("txtfile\\DefaultIcon"), "notepad.exe,0");
    EXPECT_EQ(Hkcr("CLSID\\{T}\\DefaultIcon"), "notepad.exe,0");
}

TEST_F(Store, ASharedKeyThatDisagreesIsSplitOffOnceAndThenWrittenInPlace) {
    TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "bild.exe %1", "bild.exe,0");
    Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
    haupt.Zeile("JPG", "Foto", "foto.exe %1", "");
    SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Hkcr(".jpg"), "jpg-datei");
    EXPECT_EQ(Hkcr("jpg-datei"), "Foto");
    EXPECT_EQ(Hkcr("jpg-datei\\shell\\open\\command"), "foto.exe %1");
    EXPECT_FALSE(Existiert(HKEY_CLASSES_ROOT, "jpg-datei\\DefaultIcon"));
    EXPECT_EQ(Hkcr(".jpeg"), "jpegfile");
    EXPECT_EQ(Hkcr("jpegfile"), "JPEG-Bild");

    haupt.liste().Leeren();
    haupt.Zeile("JPG", "Foto 2", "foto2.exe %1", "foto2.exe,1");
    SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Hkcr(".jpg"), "jpg-datei");
    EXPECT_EQ(Hkcr("jpg-datei"), "Foto 2");
    EXPECT_EQ(Hkcr("jpg-datei\\DefaultIcon"), "foto2.exe,1");
}

TEST_F(Store, AKeyOfItsOwnIsOneNoOtherExtensionUses) {
    TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "bild.exe %1");
    Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
    TypAnlegen("foo", "jpg-datei", "FOO-Datei", "C:\\Foo\\foo.exe \"%1\"");
    Gesichert("JPG", "Foto", "foto.exe %1");
    SicherungLaden(haupt.liste());
    auto log = SicherungWiederherstellen(haupt.liste(), nullptr);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].Wert, "Schlüssel");
    EXPECT_EQ(log[0].Wiederhergestellt, "jpg-datei2");
    EXPECT_EQ(Hkcr(".jpg"), "jpg-datei2");
    EXPECT_EQ(Hkcr("jpg-datei2"), "Foto");
    EXPECT_EQ(Hkcr(".foo"), "jpg-datei");
    EXPECT_EQ(Hkcr("jpg-datei"), "FOO-Datei");
    EXPECT_EQ(Hkcr("jpg-datei\\shell\\open\\command"), "C:\\Foo\\foo.exe \"%1\"");
    // From then on the key is the type's own, for checking too.
    EXPECT_TRUE(JetztPruefen().empty());
    EXPECT_TRUE(SicherungWiederherstellen(haupt.liste(), nullptr).empty());
    EXPECT_EQ(Hkcr(".jpg"), "jpg-datei2");
}

TEST_F(Store, OnceOneSharerIsSplitOffTheOtherOwnsTheClassKeyAlone) {
    TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "bild.exe %1");
    Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
    haupt.Zeile("JPG", "Foto", "foto.exe %1");
    haupt.Zeile("JPEG", "Anders", "anders.exe %1");
    SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Hkcr(".jpg"), "jpg-datei");
    EXPECT_EQ(Hkcr(".jpeg"), "jpegfile");
    EXPECT_EQ(Hkcr("jpegfile"), "Anders");
    EXPECT_FALSE(Existiert(HKEY_CLASSES_ROOT, "jpeg-datei"));
}

TEST_F(Store, BothSharersWithTheSameValuesAreWrittenInPlace) {
    TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "bild.exe %1");
    Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
    haupt.Zeile("JPG", "Foto", "foto.exe %1", "foto.exe,0");
    haupt.Zeile("JPEG", "Foto", "foto.exe %1", "foto.exe,0");
    SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Hkcr(".jpg"), "jpegfile");
    EXPECT_EQ(Hkcr("jpegfile"), "Foto");
    EXPECT_FALSE(Existiert(HKEY_CLASSES_ROOT, "jpg-datei"));
}

TEST_F(Store, AMissingOrHostileClassNameGetsAKeyOfItsOwnNeverTheRoot) {
    Setzen(HKEY_CLASSES_ROOT, ".leer", "", "");
    TypAnlegen("gif", "giffile", "GIF-Bild", "gif.exe");
    Setzen(HKEY_CLASSES_ROOT, ".bmp", "", ".gif");
    haupt.Zeile("LEER", "Leer", "leer.exe %1", "leer.exe,0");
    haupt.Zeile("BMP", "Bitmap", "paint.exe %1", "");
    haupt.Zeile("WEG", "Weg", "weg.exe %1", "");  // extension key deleted by another program
    SicherungWiederherstellen(haupt.liste(), nullptr);

    EXPECT_FALSE(WertExistiert(HKEY_CLASSES_ROOT, "", ""));
    EXPECT_EQ(Hkcr(".leer"), "leer-datei");
    EXPECT_EQ(Hkcr("leer-datei"), "Leer");
    EXPECT_EQ(Hkcr("leer-datei\\DefaultIcon"), "leer.exe,0");
    EXPECT_EQ(Hkcr(".bmp"), "bmp-datei");
    EXPECT_EQ(Hkcr(".gif"), "giffile");
    EXPECT_EQ(Hkcr(".WEG"), "weg-datei");
    EXPECT_EQ(Hkcr("weg-datei\\shell\\open\\command"), "weg.exe %1");
}

TEST_F(Store, ALongCommandSurvivesTheWholeRoundTrip) {
    std::string befehl = "C:\\" + std::string(990, 'x') + ".exe %1";
    TypAnlegen("txt", "txtfile", "Text", "alt.exe");
    Gesichert("TXT", "Text", befehl, "");
    SicherungLaden(haupt.liste());
    ASSERT_EQ(haupt.liste().Anzahl(), 1u);
    SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Hkcr("txtfile\\shell\\open\\command"), befehl);

    Dateityp gelesen;
    ASSERT_TRUE(DateitypLesen("TXT", gelesen));
    ASSERT_TRUE(SicherungSchreiben(gelesen));
    haupt.liste().Leeren();
    SicherungLaden(haupt.liste());
    EXPECT_EQ(haupt.liste().Eintrag(0).Oeffnen, befehl);
}

TEST_F(Store, DeleteRemovesTheWholeStoreOnly) {
    SicherungLoeschen();  // nothing there: nothing happens
    Setzen(HKEY_CURRENT_USER, kStore + "BMP\\tief\\tiefer", "x", "1");
    Setzen(HKEY_CURRENT_USER, kStore + "TXT", "Oeffnen", "n");
    Setzen(HKEY_CURRENT_USER, kOpt, "Autostart", "1");
    SicherungLoeschen();
    EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kStore));
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kOpt, "Autostart"), "1");
}

}  // namespace
