#include "Umgebung.h"
#include "filetypes/Dateityp.h"
#include "filetypes/Klassenindex.h"

namespace {

using FileTypes = RegistryTest;

TEST_F(FileTypes, ReadsARegisteredTypeWithTheClassIdIconFallbackAndNoIncompleteOne) {
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

    // Incomplete or hostile: not registered.
    TypAnlegen("NOD", "nodesc", "", "x.exe");
    TypAnlegen("NOC", "nocmd", "Ohne Befehl", "");
    Setzen(HKEY_CLASSES_ROOT, ".LEER", "", "");
    TypAnlegen("GIF", "giffile", "GIF", "gif.exe");
    Setzen(HKEY_CLASSES_ROOT, ".BMP", "", ".GIF");  // a class name that is another extension
    Setzen(HKEY_CLASSES_ROOT, ".ST", "", "*");       // the class of every file
    for (const char* ext : {"FEHLT", "NOD", "NOC", "LEER", "BMP", "ST"}) EXPECT_FALSE(DateitypLesen(ext, t)) << ext;
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

}  // namespace
