#include "Umgebung.h"
#include "platform/Registry.h"

namespace {

void Roh(HKEY root, const char* pfad, const char* name, DWORD typ, const void* daten, DWORD n) {
    HKEY h;
    RegCreateKeyExA(root, pfad, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    RegSetValueExA(h, name, 0, typ, static_cast<const BYTE*>(daten), n);
    RegCloseKey(h);
}

using RegistryLayer = RegistryTest;

TEST_F(RegistryLayer, ReadsLongValuesWhole) {
    for (size_t laenge : {255u, 256u, 65536u}) {
        std::string wert(laenge, 'a');
        wert.back() = 'z';
        Setzen(HKEY_CURRENT_USER, "Lang", "wert", wert);
        EXPECT_EQ(RegWertLesen(HKEY_CURRENT_USER, "Lang", "wert", ""), wert) << laenge;
    }
}

TEST_F(RegistryLayer, TakesUnterminatedTextWholeAndRefusesOtherTypes) {
    Roh(HKEY_CURRENT_USER, "Roh", "ohneNull", REG_SZ, "abc", 3);
    EXPECT_EQ(RegWertLesen(HKEY_CURRENT_USER, "Roh", "ohneNull", "-"), "abc");
    const std::string voll(256, 'v');  // fills a short read's buffer exactly, with no zero
    Roh(HKEY_CURRENT_USER, "Roh", "vollOhneNull", REG_SZ, voll.data(), 256);
    EXPECT_EQ(RegWertLesen(HKEY_CURRENT_USER, "Roh", "vollOhneNull", "-"), voll);
    Roh(HKEY_CURRENT_USER, "Roh", "mitteNull", REG_SZ, "ab\0cd", 6);
    EXPECT_EQ(RegWertLesen(HKEY_CURRENT_USER, "Roh", "mitteNull", "-"), "ab");
    DWORD zahl = 0x31;
    Roh(HKEY_CURRENT_USER, "Roh", "dword", REG_DWORD, &zahl, sizeof zahl);
    EXPECT_EQ(RegWertLesen(HKEY_CURRENT_USER, "Roh", "dword", "-"), "-");
    Roh(HKEY_CURRENT_USER, "Roh", "binaer", REG_BINARY, "xyz", 3);
    EXPECT_EQ(RegWertLesen(HKEY_CURRENT_USER, "Roh", "binaer", "-"), "-");
}

TEST_F(RegistryLayer, WritesCreateMissingKeysButNeverARoot) {
    EXPECT_TRUE(RegWertSchreiben(HKEY_CURRENT_USER, "A\\B\\C", "name", "Öffnen"));
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, "A\\B\\C", "name"), "Öffnen");
    EXPECT_FALSE(RegWertSchreiben(HKEY_CLASSES_ROOT, "", "", "Wurzel"));
    EXPECT_FALSE(RegWertSchreiben(HKEY_CLASSES_ROOT, "\\", "", "Wurzel"));
    EXPECT_FALSE(WertExistiert(HKEY_CLASSES_ROOT, "", ""));
}

}  // namespace
