#include "Umgebung.h"
#include "filetypes/Dateityp.h"
#include "filetypes/Klassenindex.h"

namespace {

using FileTypes = RegistryTest;

TEST_F(FileTypes, ReadsARegisteredTypeWithTheClassIdIconFallback) {
    TypAnlegen("BMP", "Paint.Picture", "Bitmap", "mspaint.exe \"%1\"", "mspaint.exe,1");
    Dateityp t;
    ASSERT_TRUE(DateitypLesen("BMP", t));
    EXPECT_EQ(t.Schluessel, "Paint.Picture");
    EXPECT_EQ(t.Bezeichnung, "Bitmap");
    EXPECT_EQ(t.Oeffnen, "mspaint.exe \"%1\"");
    EXPECT_EQ(t.Symbol, "mspaint.exe,1");

    TypAnlegen("DOC", "Word.Document", "Dokument", "winword.exe %1");
    Setzen(HKEY_CLASSES_ROOT, "Word.Document\\CLSID", "", "{1234}");
    Setzen(HKEY_CLASSES_ROOT, "CLSID\\{1234}\\DefaultIcon", "", "word.exe,2");
    ASSERT_TRUE(DateitypLesen("DOC", t));
    EXPECT_EQ(t.Symbol, "word.exe,2");

    TypAnlegen("XYZ", "xyzfile", "Xyz", "xyz.exe");
    Setzen(HKEY_CLASSES_ROOT, "xyzfile\\CLSID", "", "{leer}");
    ASSERT_TRUE(DateitypLesen("XYZ", t));  // neither icon: still registered
    EXPECT_EQ(t.Symbol, "");
}

TEST_F(FileTypes, IncompleteOrHostileTypesAreNotRegistered) {
    Dateityp t;
    EXPECT_FALSE(DateitypLesen("FEHLT", t));
    TypAnlegen("NOD", "nodesc", "", "x.exe");
    EXPECT_FALSE(DateitypLesen("NOD", t));
    TypAnlegen("NOC", "nocmd", "Ohne Befehl", "");
    EXPECT_FALSE(DateitypLesen("NOC", t));
    Setzen(HKEY_CLASSES_ROOT, ".LEER", "", "");
    EXPECT_FALSE(DateitypLesen("LEER", t));
    TypAnlegen("GIF", "giffile", "GIF", "gif.exe");
    Setzen(HKEY_CLASSES_ROOT, ".BMP", "", ".GIF");  // a class name that is another extension
    EXPECT_FALSE(DateitypLesen("BMP", t));
}

// .JPG and .JPEG share one class key, as they often do.
class SharedKey : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "C:\\Bild.exe \"%1\"", "C:\\Bild.exe,0");
        Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
        TypAnlegen("txt", "txtfile", "Text", "notepad.exe %1");
    }
    Dateityp Typ(const std::string& ext, const std::string& bez, const std::string& oeffnen,
                 const std::string& symbol) {
        Dateityp t{ext, "jpegfile", bez, oeffnen, symbol};
        return t;
    }
    // A fresh index each time, as every run builds one.
    Pruefung Pruefen(const Dateityp& t) {
        return GemeinsamenSchluesselPruefen(t, haupt.liste(), Klassenindex());
    }
    Hauptliste haupt;
};

TEST_F(SharedKey, AKeyOfOneExtensionIsNotShared) {
    Dateityp t{"TXT", "txtfile", "Neu", "neu.exe", ""};
    Pruefung p = Pruefen(t);
    EXPECT_FALSE(p.Gemeinsam);
}

TEST_F(SharedKey, AnotherExtensionWithTheOldValuesDisagrees) {
    Pruefung p = Pruefen(Typ("JPG", "Foto", "C:\\Bild.exe \"%1\"", ""));
    EXPECT_TRUE(p.Gemeinsam);
    EXPECT_FALSE(p.GleicheWerte);
    EXPECT_EQ(p.RegBezeichnung, "JPEG-Bild");
    EXPECT_EQ(p.AndereErweiterung, ".jpeg");

    // Descriptions are compared exactly, commands and icons without regard to case.
    EXPECT_FALSE(Pruefen(Typ("JPG", "jpeg-bild", "C:\\Bild.exe \"%1\"", "")).GleicheWerte);
    EXPECT_TRUE(Pruefen(Typ("JPG", "JPEG-Bild", "c:\\BILD.EXE \"%1\"", "c:\\bild.exe,0")).GleicheWerte);
    EXPECT_FALSE(Pruefen(Typ("JPG", "JPEG-Bild", "C:\\Bild.exe \"%1\"", "C:\\Bild.exe,1")).GleicheWerte);
}

TEST_F(SharedKey, BothInTheListWithTheSameNewValuesAgree) {
    haupt.Zeile("JPG", "Foto", "foto.exe %1", "foto.exe,0");
    haupt.Zeile("JPEG", "Foto", "FOTO.EXE %1", "foto.exe,0");
    Pruefung p = Pruefen(Typ("JPG", "Foto", "foto.exe %1", "foto.exe,0"));
    EXPECT_TRUE(p.Gemeinsam);
    EXPECT_TRUE(p.GleicheWerte);

    haupt.liste().Leeren();
    haupt.Zeile("JPEG", "Anders", "foto.exe %1", "foto.exe,0");
    EXPECT_FALSE(Pruefen(Typ("JPG", "Foto", "foto.exe %1", "foto.exe,0")).GleicheWerte);
}

TEST_F(SharedKey, TheClassNameIsComparedAsTheRegistryDoesWithoutCase) {
    Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "JPEGFILE");
    Pruefung p = Pruefen(Typ("JPG", "Foto", "C:\\Bild.exe \"%1\"", ""));
    EXPECT_TRUE(p.Gemeinsam);
    EXPECT_FALSE(p.GleicheWerte);
}

TEST_F(SharedKey, AKeyNamedOnlyDotIsNoExtension) {
    Setzen(HKEY_CLASSES_ROOT, ".", "", "txtfile");
    Dateityp t{"TXT", "txtfile", "Neu", "neu.exe", ""};
    EXPECT_FALSE(Pruefen(t).Gemeinsam);
    EXPECT_FALSE(IstErweiterungsSchluessel("."));
    EXPECT_TRUE(IstErweiterungsSchluessel(".a"));
}

}  // namespace
