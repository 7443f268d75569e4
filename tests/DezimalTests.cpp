#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/Dezimal.h"

// The C library, which the program no longer links for these conversions, is the yardstick:
// the tests still have it.
namespace {

template <class... A>
std::string Printf(const char* format, A... werte) {
    char puffer[1300];
    std::snprintf(puffer, sizeof puffer, format, werte...);
    return puffer;
}
std::string G(double wert, int stellen) { return Printf("%.*g", stellen, wert); }
std::string F0(double wert) { return Printf("%.0f", wert); }
// The exact decimal of a long double: its digits end long before 1100 places.
std::string Genau(long double wert) { return Printf("%.1100Lg", wert); }

template <class T, class Bits>
T AusBits(Bits b) {
    T wert;
    std::memcpy(&wert, &b, sizeof wert);
    return wert;
}

// Edges and ties first, then random bit patterns of doubles and of floats.
std::vector<double> Zahlen(size_t zufaellige) {
    std::vector<double> z = {0.0,     -0.0,    0.5,     1.5,      2.5,     -2.5,    0.125,
                             9.5,     99.5,    0.05,    1e-4,     9.99995e-5, 1e-5, 1e15,
                             1e16,    1e17,    123456789012345678.0, 0.1, 1.0 / 3,
                             DBL_MAX, DBL_MIN, DBL_TRUE_MIN,         FLT_MAX, FLT_MIN,
                             FLT_TRUE_MIN, HUGE_VAL, -HUGE_VAL,     std::nan(""),
                             -std::nan("")};
    std::mt19937_64 zufall(95);
    for (size_t i = 0; i < zufaellige; ++i) {
        z.push_back(AusBits<double>(zufall()));
        z.push_back(AusBits<float>(static_cast<uint32_t>(zufall())));
    }
    return z;
}

TEST(Dezimal, WritesWhatPrintfWrites) {
    for (double wert : Zahlen(1500)) {
        for (int stellen : {1, 2, 3, 6, 9, 17})
            ASSERT_EQ(DezimalG(wert, stellen), G(wert, stellen)) << stellen << " " << G(wert, 25);
        if (std::isnan(wert) || std::fabs(wert) < 1e30) {
            ASSERT_EQ(DezimalF0(wert), F0(wert)) << G(wert, 25);
        }
    }
    EXPECT_EQ(DezimalF0(DBL_MAX), F0(DBL_MAX));
    EXPECT_EQ(DezimalG(0.5, 0), G(0.5, 0));  // a precision of 0 counts as 1
}

TEST(Dezimal, ReadsWhatStrtodAndStrtofRead) {
    auto gleich = [](const std::string& text) {
        double d = std::strtod(text.c_str(), nullptr);
        float f = std::strtof(text.c_str(), nullptr);
        double dd = DezimalZuDouble(text);
        float ff = DezimalZuFloat(text);
        // Bit for bit: the sign of zero counts, and NaN is NaN.
        return (std::memcmp(&d, &dd, sizeof d) == 0 || (std::isnan(d) && std::isnan(dd))) &&
               (std::memcmp(&f, &ff, sizeof f) == 0 || (std::isnan(f) && std::isnan(ff)));
    };
    std::mt19937_64 zufall(1995);
    for (double wert : Zahlen(300)) {
        for (int stellen : {1, 4, 9, 17}) ASSERT_TRUE(gleich(G(wert, stellen))) << G(wert, stellen);
        if (!std::isfinite(wert)) continue;
        // Exactly halfway between two doubles and between two floats, and a hair beside: the
        // ties go to the even one.
        long double oben = std::nextafter(wert, HUGE_VAL);
        long double mitte = (static_cast<long double>(wert) + oben) / 2;
        // Exactly halfway between two subnormals the library answers the smallest normal
        // number; such a text has a hundred digits and more, which the program never reads.
        if (std::fabs(wert) >= DBL_MIN) {
            ASSERT_TRUE(gleich(Genau(mitte))) << Genau(mitte);
        }
        float f = static_cast<float>(wert);
        if (!std::isfinite(f)) continue;
        double fmitte = (static_cast<double>(f) + std::nextafter(f, HUGE_VALF)) / 2;
        for (double x : {fmitte, std::nextafter(fmitte, 0.0), std::nextafter(fmitte, HUGE_VAL)}) {
            if (x == fmitte && std::fabs(f) < FLT_MIN) continue;
            ASSERT_TRUE(gleich(Genau(x))) << Genau(x);
        }
    }
    // Texts as the settings hold them: up to 40 digits, a point anywhere, exponents far out.
    for (int i = 0; i < 1500; ++i) {
        std::string text = zufall() % 4 == 0 ? "-" : "";
        int ziffern = 1 + static_cast<int>(zufall() % 40);
        int punkt = static_cast<int>(zufall() % (ziffern + 2)) - 1;
        for (int k = 0; k < ziffern; ++k) {
            if (k == punkt) text += '.';
            text += static_cast<char>('0' + zufall() % 10);
        }
        if (zufall() % 2) text += "e" + std::to_string(static_cast<int>(zufall() % 800) - 400);
        if (zufall() % 16 == 0) text += zufall() % 2 ? "e9999" : "e-9999";
        ASSERT_TRUE(gleich(text)) << text;
    }
    for (const char* text : {"0", "-0", "+.5", "5.", "1e400", "-1e-400", "2.4703282292062328e-324",
                             "4.9406564584124654e-324", "1.7976931348623158e+308",
                             "1.7976931348623159e+308", "3.4028235677973366e+38", "inf", "-nan"})
        EXPECT_TRUE(gleich(text)) << text;
    // There the tie goes to the even one, as everywhere else.
    EXPECT_EQ(DezimalZuDouble(Genau(1.5L * DBL_TRUE_MIN)), 2 * DBL_TRUE_MIN);
    EXPECT_EQ(DezimalZuDouble(Genau(2.5L * DBL_TRUE_MIN)), 2 * DBL_TRUE_MIN);
    EXPECT_EQ(DezimalZuFloat(Genau(1.5L * FLT_TRUE_MIN)), 2 * FLT_TRUE_MIN);
    EXPECT_EQ(DezimalZuFloat(Genau(3.5L * FLT_TRUE_MIN)), 4 * FLT_TRUE_MIN);
    EXPECT_EQ(DezimalZuDouble("e5"), 0.0);
    EXPECT_EQ(DezimalZuDouble(""), 0.0);
}

}  // namespace
