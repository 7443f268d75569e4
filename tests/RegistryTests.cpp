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
    const struct {
        DWORD typ;
        std::string daten;
        std::string gelesen;
    } faelle[] = {{REG_SZ, "abc", "abc"}, {REG_SZ, voll, voll}, {REG_SZ, std::string("ab\0cd", 6), "ab"},
                  {REG_DWORD, std::string("1\0\0\0", 4), "-"}, {REG_BINARY, "xyz", "-"}};
    for (const auto& f : faelle) {
        RohSetzen(HKEY_CURRENT_USER, "Roh", "roh", f.typ, f.daten);
        EXPECT_EQ(RegWertLesen(HKEY_CURRENT_USER, "Roh", "roh", "-"), f.gelesen) << f.typ << ", " << f.daten.size() << " bytes";
    }
}

TEST_F(RegistryLayer, WritesCreateMissingKeysButNeverARoot) {
    EXPECT_TRUE(RegWertSchreiben(HKEY_CURRENT_USER, "A\\B\\C", "name", "Öffnen"));
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, "A\\B\\C", "name"), "Öffnen");
    EXPECT_FALSE(RegWertSchreiben(HKEY_CLASSES_ROOT, "", "", "Wurzel"));
    EXPECT_FALSE(RegWertSchreiben(HKEY_CLASSES_ROOT, "\\", "", "Wurzel"));
    EXPECT_FALSE(WertExistiert(HKEY_CLASSES_ROOT, "", ""));
}

}  // namespace
