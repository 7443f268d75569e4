#include "Umgebung.h"
#include "platform/Registry.h"

namespace {

using RegistryLayer = RegistryTest;

TEST_F(RegistryLayer, ReadsTextWholeAndRefusesOtherTypes) {
    for (size_t laenge : {255u, 256u, 65536u}) {
        std::string wert(laenge, 'a');
        wert.back() = 'z';
        Setzen(HKEY_CURRENT_USER, "Lang", "wert", wert);
        EXPECT_EQ(RegWertLesen(HKEY_CURRENT_USER, "Lang", "wert", ""), wert) << laenge;
    }
    const std::string voll(256, 'v');  // fills a short read's buffer exactly, with no zero
    const DWORD zahl = 0x31;
    const struct {
        DWORD typ;
        const void* daten;
        DWORD laenge;
        std::string gelesen;
    } faelle[] = {{REG_SZ, "abc", 3, "abc"}, {REG_SZ, voll.data(), 256, voll}, {REG_SZ, "ab\0cd", 6, "ab"},
                  {REG_DWORD, &zahl, sizeof zahl, "-"}, {REG_BINARY, "xyz", 3, "-"}};
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Roh", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr), ERROR_SUCCESS);
    for (const auto& f : faelle) {
        RegSetValueExA(h, "roh", 0, f.typ, static_cast<const BYTE*>(f.daten), f.laenge);
        EXPECT_EQ(RegWertLesen(HKEY_CURRENT_USER, "Roh", "roh", "-"), f.gelesen) << f.typ << ", " << f.laenge << " bytes";
    }
    RegCloseKey(h);
}

TEST_F(RegistryLayer, WritesCreateMissingKeysButNeverARoot) {
    EXPECT_TRUE(RegWertSchreiben(HKEY_CURRENT_USER, "A\\B\\C", "name", "Öffnen"));
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, "A\\B\\C", "name"), "Öffnen");
    EXPECT_FALSE(RegWertSchreiben(HKEY_CLASSES_ROOT, "", "", "Wurzel"));
    EXPECT_FALSE(RegWertSchreiben(HKEY_CLASSES_ROOT, "\\", "", "Wurzel"));
    EXPECT_FALSE(WertExistiert(HKEY_CLASSES_ROOT, "", ""));
}

}  // namespace
