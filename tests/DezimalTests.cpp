#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
// The exact decimal of a long double: its digits end long before 1100 places.
std::string Genau(long double wert) { return Printf("%.1100Lg", wert); }

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
        z.push_back(std::bit_cast<double>(zufall()));
        z.push_back(std::bit_cast<float>(static_cast<uint32_t>(zufall())));
    }
    return z;
}

TEST(Dezimal, WritesWhatPrintfWrites) {
    for (double wert : Zahlen(1500)) {
        for (int stellen : {1, 2, 3, 6, 9, 17})
            ASSERT_EQ(DezimalG(wert, stellen), G(wert, stellen)) << stellen << " " << G(wert, 25);
        if (std::isnan(wert) || std::fabs(wert) < 1e30 || wert == DBL_MAX)
            ASSERT_EQ(DezimalF0(wert), Printf("%.0f", wert)) << G(wert, 25);
    }
}

// Bit for bit: the sign of zero counts, and NaN is NaN.
template <class Bits, class T>
bool Gleich(T a, T b) {
    return std::bit_cast<Bits>(a) == std::bit_cast<Bits>(b) || (std::isnan(a) && std::isnan(b));
}

TEST(Dezimal, ReadsWhatStrtodAndStrtofRead) {
    auto gleich = [](const std::string& text) {
        return Gleich<uint64_t>(std::strtod(text.c_str(), nullptr), DezimalZuDouble(text)) &&
               Gleich<uint32_t>(std::strtof(text.c_str(), nullptr), DezimalZuFloat(text));
    };
    for (double wert : Zahlen(300)) {
        for (int stellen : {1, 4, 9, 17}) ASSERT_TRUE(gleich(G(wert, stellen))) << G(wert, stellen);
        if (!std::isfinite(wert)) continue;
        // Exactly halfway between two doubles and between two floats, and a hair beside: the
        // ties go to the even one. Exactly halfway between two subnormals the library answers
        // the smallest normal number; such a text has a hundred digits and more, which the
        // program never reads.
        long double mitte = (static_cast<long double>(wert) + std::nextafter(wert, HUGE_VAL)) / 2;
        if (std::fabs(wert) >= DBL_MIN) ASSERT_TRUE(gleich(Genau(mitte))) << Genau(mitte);
        float f = static_cast<float>(wert);
        if (!std::isfinite(f)) continue;
        double fmitte = (static_cast<double>(f) + std::nextafter(f, HUGE_VALF)) / 2;
        for (double x : {fmitte, std::nextafter(fmitte, 0.0), std::nextafter(fmitte, HUGE_VAL)})
            if (x != fmitte || std::fabs(f) >= FLT_MIN) ASSERT_TRUE(gleich(Genau(x))) << Genau(x);
    }
    // Edges, and texts as the settings hold them: up to 40 digits, a point anywhere, exponents
    // far out, a second exponent that ends the number.
    for (const char* text : {"0", "-0", "+.5", "5.", "1e400", "-1e-400", "2.4703282292062328e-324",
                             "4.9406564584124654e-324", "1.7976931348623158e+308",
                             "1.7976931348623159e+308", "3.4028235677973366e+38", "inf", "-nan",
                             "e5", "", "1234567890123456789012345678901234567890", "7e-46",
                             "-.0000000000000000000000000000000000001234e-300", "1e5e9999",
                             "98765432109876543210.98765432109876543210e-400", "-12.5e-9999",
                             "0.1234567890123456789012345678901e308", "5e9999"})
        EXPECT_TRUE(gleich(text)) << text;
    // There the tie goes to the even one, as everywhere else.
    EXPECT_EQ(DezimalZuDouble(Genau(1.5L * DBL_TRUE_MIN)), 2 * DBL_TRUE_MIN);
    EXPECT_EQ(DezimalZuDouble(Genau(2.5L * DBL_TRUE_MIN)), 2 * DBL_TRUE_MIN);
    EXPECT_EQ(DezimalZuFloat(Genau(3.5L * FLT_TRUE_MIN)), 4 * FLT_TRUE_MIN);
}

}  // namespace
