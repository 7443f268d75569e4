#include <gtest/gtest.h>

#include "platform/Text.h"

TEST(Text, NumbersAndBooleansReadAsTheSettingsHoldThem) {
    const std::pair<const char*, double> zahlen[] = {{"2.5", 2.5}, {"2,5", 2.5}, {"  -3 ", -3.0}, {"1E-05", 1e-05}, {".5", 0.5}};
    for (const auto& [text, wert] : zahlen) EXPECT_EQ(TextZuZahl(text), wert) << text;
    for (const char* schlecht : {"", " ", "abc", "1.2.3", "1,2.3", "12a", "-", "1e", "0x10", "1 2"})
        EXPECT_FALSE(TextZuZahl(schlecht)) << schlecht;
    // Integers round half to even and stay in range.
    EXPECT_EQ(TextZuInt16("2.5"), 2);
    EXPECT_EQ(TextZuInt16("3.5"), 4);
    EXPECT_EQ(TextZuInt16("-32768"), -32768);
    EXPECT_EQ(TextZuInt32("70000"), 70000);
    for (const char* zuGross : {"32768", "1e10"}) EXPECT_FALSE(TextZuInt16(zuGross)) << zuGross;
    EXPECT_FALSE(TextZuSingle("1e39"));

    for (const char* wahr : {"True", "wahr", "-1"}) EXPECT_EQ(TextZuBool(wahr), true) << wahr;
    for (const char* falsch : {"FALSE", "Falsch", "0"}) EXPECT_EQ(TextZuBool(falsch), false) << falsch;
    EXPECT_FALSE(TextZuBool("ja"));
}

// The shortest text that reads back as the same single; whole numbers below 1e15 without an
// exponent, as the settings have always been written.
TEST(Text, NumbersWrittenReadBackAsTheSameSingle) {
    const std::pair<double, const char*> texte[] = {
        {2.5, "2.5"}, {9400, "9400"}, {0, "0"}, {0.1, "0.1"}, {-7.25, "-7.25"}, {3e-7, "3e-07"},
        {123456789.0, "123456792"}, {1e14, "100000000376832"}, {1e15, "1e+15"}, {1e20, "1e+20"}};
    for (const auto& [wert, text] : texte) EXPECT_EQ(ZahlZuText(wert), text) << wert;
    for (float wert : {0.1f, 1234.5678f, 3e-7f, 123456792.0f, 1e20f, -7.25f})
        EXPECT_EQ(TextZuSingle(ZahlZuText(wert)), wert) << ZahlZuText(wert);
}

TEST(Text, CaseAndBlanks) {
    EXPECT_EQ(Gross("jpeg-ä"), "JPEG-Ä");
    EXPECT_TRUE(GleichOhneFall("C:\\Öl.exe", "c:\\öL.EXE"));
    EXPECT_EQ(Trimmen("  /autostart "), "/autostart");
    EXPECT_EQ(RechtsTrimmen("  a  "), "  a");
}
