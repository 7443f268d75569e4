#include "Umgebung.h"
#include "filetypes/Dateityp.h"
#include "filetypes/GemeinsamerSchluessel.h"

namespace {

using FileTypes = RegistryTest;

TEST_F(FileTypes, ReadsARegisteredTypeWithTheClassIdIconFallback) {
    TypAnlegen("BMP", "Paint.Picture", "Bitmap", "mspaint.exe \"%1\"", "mspaint.exe,1");
    Dateityp t;
    ASSERT_TRUE(DateitypLesen("BMP", t));
    EXPECT_EQ(t, (Dateityp{"BMP", "Paint.Picture", "Bitmap", "mspaint.exe \"%1\"", "mspaint.exe,1"}));

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
    TypAnlegen("NOD", "nodesc", "", "x.exe");
    TypAnlegen("NOC", "nocmd", "Ohne Befehl", "");
    Setzen(HKEY_CLASSES_ROOT, ".LEER", "", "");
    TypAnlegen("GIF", "giffile", "GIF", "gif.exe");
    Setzen(HKEY_CLASSES_ROOT, ".BMP", "", ".GIF");  // a class name that is another extension
    Dateityp t;
    for (const char* ext : {"FEHLT", "NOD", "NOC", "LEER", "BMP"}) EXPECT_FALSE(DateitypLesen(ext, t)) << ext;
}

TEST_F(FileTypes, TheClassIndexFindsTheUsersOfAClassInRegistryOrderWithoutRegardToCase) {
    Setzen(HKEY_CLASSES_ROOT, ".b", "", "JPEGFILE");
    Setzen(HKEY_CLASSES_ROOT, ".A", "", "jpegfile");
    Setzen(HKEY_CLASSES_ROOT, ".c", "", "txtfile");
    Setzen(HKEY_CLASSES_ROOT, ".", "", "jpegfile");  // no extension
    Setzen(HKEY_CLASSES_ROOT, "jpegfile", "", "JPEG");
    Klassenindex index;
    EXPECT_EQ(index.Erweiterungen("JpegFile"), (std::vector<std::string>{".A", ".b"}));

    // A split during the run moves .b to a key of its own; a key the run makes joins in the
    // registry's order.
    Setzen(HKEY_CLASSES_ROOT, ".b", "", "b-datei");
    index.EigenerSchluesselGeschrieben("b", "b-datei");
    Setzen(HKEY_CLASSES_ROOT, ".AA", "", "jpegfile");
    index.Nachlesen(".AA");
    EXPECT_EQ(index.Erweiterungen("jpegfile"), (std::vector<std::string>{".A", ".AA"}));
    EXPECT_EQ(index.Erweiterungen("B-DATEI"), (std::vector<std::string>{".b"}));
    // A type whose name begins with a dot gets a key of its own named like an extension.
    Setzen(HKEY_CLASSES_ROOT, ".x-datei", "", "jpegfile");
    index.EigenerSchluesselGeschrieben(".X", ".x-datei");
    EXPECT_EQ(index.Erweiterungen("jpegfile"), (std::vector<std::string>{".A", ".AA", ".x-datei"}));
    index.Nachlesen("jpegfile");  // not an extension key: nothing changes
    EXPECT_TRUE(index.Erweiterungen("JPEG").empty());
}

// .JPG and .JPEG share one class key, as they often do.
class SharedKey : public Hauptfenstertest {
protected:
    void SetUp() override {
        Hauptfenstertest::SetUp();
        TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "C:\\Bild.exe \"%1\"", "C:\\Bild.exe,0");
        Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
        TypAnlegen("txt", "txtfile", "Text", "notepad.exe %1");
    }
    Dateityp Typ(const std::string& ext, const std::string& bez, const std::string& oeffnen,
                 const std::string& symbol) {
        return {ext, "jpegfile", bez, oeffnen, symbol};
    }
    // A fresh index each time, as every run builds one.
    Pruefung Pruefen(const Dateityp& t) {
        return GemeinsamenSchluesselPruefen(t, haupt.liste(), Klassenindex(),
                                            KlassenTyp(t.Erweiterung, t.Schluessel, KlasseLesen(t.Schluessel)));
    }
};

TEST_F(SharedKey, AKeyOfOneExtensionOrOfOneAndADotIsNotShared) {
    Setzen(HKEY_CLASSES_ROOT, ".", "", "txtfile");
    EXPECT_FALSE(Pruefen({"TXT", "txtfile", "Neu", "neu.exe", ""}).Gemeinsam);
    EXPECT_FALSE(IstErweiterungsSchluessel("."));
    EXPECT_TRUE(IstErweiterungsSchluessel(".a"));
}

TEST_F(SharedKey, AnotherExtensionWithTheOldValuesDisagrees) {
    Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "JPEGFILE");  // class names compare without case
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
    // A third one outside the list disagrees, and no other that agrees after it undoes that.
    Setzen(HKEY_CLASSES_ROOT, ".jp", "", "jpegfile");
    p = Pruefen(Typ("JPG", "Foto", "foto.exe %1", "foto.exe,0"));
    EXPECT_FALSE(p.GleicheWerte);
    EXPECT_EQ(p.AndereErweiterung, ".jp");

    haupt.liste().Leeren();
    haupt.Zeile("JPEG", "Anders", "foto.exe %1", "foto.exe,0");
    EXPECT_FALSE(Pruefen(Typ("JPG", "Foto", "foto.exe %1", "foto.exe,0")).GleicheWerte);
}

}  // namespace
