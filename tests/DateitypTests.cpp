#include "Umgebung.h"
#include "filetypes/Dateityp.h"

namespace {

using FileTypes = RegistryTest;

TEST_F(FileTypes, ReadsARegisteredTypeAndNoIncompleteOne) {
    TypAnlegen("BMP", "Paint.Picture", "Bitmap", "mspaint.exe \"%1\"", "mspaint.exe,1");
    Dateityp t;
    ASSERT_TRUE(DateitypLesen("BMP", t));
    EXPECT_EQ(t, (Dateityp{"BMP", "Paint.Picture", "Bitmap", "mspaint.exe \"%1\"", "mspaint.exe,1"}));

    // Incomplete or hostile: not registered.
    TypAnlegen("NOD", "nodesc", "", "x.exe");
    TypAnlegen("NOC", "nocmd", "Ohne Befehl", "");
    Setzen(HKEY_CLASSES_ROOT, ".LEER", "", "");
    TypAnlegen("GIF", "giffile", "GIF", "gif.exe");
    Setzen(HKEY_CLASSES_ROOT, ".BMP", "", ".GIF");  // a class name that is another extension
    Setzen(HKEY_CLASSES_ROOT, ".ST", "", "*");       // the class of every file
    for (const char* ext : {"FEHLT", "NOD", "NOC", "LEER", "BMP", "ST"}) EXPECT_FALSE(DateitypLesen(ext, t)) << ext;
}

}  // namespace
