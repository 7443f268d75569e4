#include "platform/Dezimal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// A number >= 0 as ziffern x 10^exponent, with neither leading nor trailing zeros; 0 has no
// digits. Every number has one such form, so that comparing them is comparing the forms.
struct Dezimal {
    std::string ziffern;
    int exponent = 0;
    // The power of ten of the first digit.
    int Stelle() const { return exponent + static_cast<int>(ziffern.size()) - 1; }
};

void Kuerzen(Dezimal& d) {
    size_t anfang = d.ziffern.find_first_not_of('0');
    if (anfang == std::string::npos) {
        d = {};
        return;
    }
    size_t ende = d.ziffern.find_last_not_of('0');
    d.exponent += static_cast<int>(d.ziffern.size() - 1 - ende);
    d.ziffern = d.ziffern.substr(anfang, ende + 1 - anfang);
}

int Vergleich(const Dezimal& a, const Dezimal& b) {
    if (a.ziffern.empty() || b.ziffern.empty())
        return static_cast<int>(!a.ziffern.empty()) - static_cast<int>(!b.ziffern.empty());
    if (a.Stelle() != b.Stelle()) return a.Stelle() < b.Stelle() ? -1 : 1;
    int c = a.ziffern.compare(b.ziffern);  // without trailing zeros the longer one is larger
    return (c > 0) - (c < 0);
}

// m x 2^e exactly; for e < 0 that is m x 5^-e x 10^e.
Dezimal Genau(uint64_t m, int e) {
    constexpr uint32_t kBasis = 1000000000;
    std::vector<uint32_t> teile;  // base 10^9, the lowest first
    for (; m; m /= kBasis) teile.push_back(static_cast<uint32_t>(m % kBasis));
    auto mal = [&teile](uint32_t faktor) {  // faktor < 2^31: no product overflows 64 bits
        uint64_t uebertrag = 0;
        for (uint32_t& t : teile) {
            uint64_t p = uint64_t{t} * faktor + uebertrag;
            t = static_cast<uint32_t>(p % kBasis);
            uebertrag = p / kBasis;
        }
        for (; uebertrag; uebertrag /= kBasis) teile.push_back(static_cast<uint32_t>(uebertrag % kBasis));
    };
    Dezimal d;
    for (int k = e; k > 0; k -= 29) mal(uint32_t{1} << std::min(k, 29));
    if (e < 0) d.exponent = e;
    for (int k = -e; k > 0; k -= 13) {
        uint32_t fuenf = 1;
        for (int i = std::min(k, 13); i > 0; --i) fuenf *= 5;
        mal(fuenf);
    }
    for (size_t i = teile.size(); i-- > 0;) {
        char block[10];
        for (int s = 8; s >= 0; --s, teile[i] /= 10) block[s] = static_cast<char>('0' + teile[i] % 10);
        d.ziffern.append(block, 9);
    }
    Kuerzen(d);
    return d;
}

Dezimal Betrag(double wert) {
    uint64_t bits;
    std::memcpy(&bits, &wert, sizeof bits);
    int feld = static_cast<int>(bits >> 52 & 0x7FF);
    uint64_t m = bits & ((uint64_t{1} << 52) - 1);
    if (feld) m |= uint64_t{1} << 52;
    return Genau(m, std::max(feld, 1) - 1075);
}

// Rounds to a whole multiple of 10^stelle, a tie to the even one.
void Runden(Dezimal& d, int stelle) {
    if (d.ziffern.empty() || d.exponent >= stelle) return;
    size_t weg = static_cast<size_t>(stelle - d.exponent), n = d.ziffern.size();
    std::string bleibt = weg < n ? d.ziffern.substr(0, n - weg) : std::string();
    std::string rest = weg < n ? d.ziffern.substr(n - weg) : std::string(weg - n, '0') + d.ziffern;
    int c = rest.compare("5" + std::string(weg - 1, '0'));
    if (c > 0 || (c == 0 && !bleibt.empty() && (bleibt.back() - '0') % 2)) {
        size_t i = bleibt.size();
        while (i > 0 && bleibt[i - 1] == '9') bleibt[--i] = '0';
        if (i == 0)
            bleibt.insert(0, "1");
        else
            ++bleibt[i - 1];
    }
    d.ziffern = bleibt;
    d.exponent = stelle;
    Kuerzen(d);
}

// Without an exponent and without trailing zeros after the point.
std::string Fest(const Dezimal& d) {
    if (d.ziffern.empty()) return "0";
    if (d.exponent >= 0) return d.ziffern + std::string(d.exponent, '0');
    int ganz = static_cast<int>(d.ziffern.size()) + d.exponent;  // digits before the point
    if (ganz > 0) return d.ziffern.substr(0, ganz) + "." + d.ziffern.substr(ganz);
    return "0." + std::string(-ganz, '0') + d.ziffern;
}

// The bits of the number of a binary format (kMantisse stored bits, kBias) nearest to d, a tie
// to the even one; the bits of infinity when d is beyond the largest number.
template <class Bits, int kMantisse, int kBias>
Bits Naechste(const Dezimal& d) {
    auto zerlegen = [](Bits b, int& e) {
        uint64_t m = b & ((Bits{1} << kMantisse) - 1);
        int feld = static_cast<int>(b >> kMantisse);
        if (feld) m |= uint64_t{1} << kMantisse;
        e = std::max(feld, 1) - kBias - kMantisse;
        return m;
    };
    auto genau = [&zerlegen](Bits b) {
        int e;
        uint64_t m = zerlegen(b, e);
        return Genau(m, e);
    };
    constexpr Bits kGroesste = ~Bits{0} >> 1 & ~(Bits{1} << kMantisse);  // largest finite
    Bits unten = 0, oben = kGroesste;  // the largest with a value <= d lies in between
    while (unten < oben) {
        Bits mitte = unten + (oben - unten + 1) / 2;
        if (Vergleich(genau(mitte), d) <= 0)
            unten = mitte;
        else
            oben = mitte - 1;
    }
    // The point halfway to the next one up decides.
    int e1, e2;
    uint64_t m1 = zerlegen(unten, e1), m2 = zerlegen(unten + 1, e2);
    int e = std::min(e1, e2);
    int c = Vergleich(d, Genau((m1 << (e1 - e)) + (m2 << (e2 - e)), e - 1));
    return c > 0 || (c == 0 && (unten & 1)) ? unten + 1 : unten;
}

// A whole number below 10^16 that the format holds exactly (at most `grenze`): it needs no
// search, and most numbers of the settings are such. False for any other number.
bool Ganz(const Dezimal& d, uint64_t grenze, uint64_t& wert) {
    if (d.exponent < 0 || d.Stelle() >= 16) return false;
    wert = 0;
    for (char c : d.ziffern) wert = wert * 10 + static_cast<uint64_t>(c - '0');
    for (int i = 0; i < d.exponent; ++i) wert *= 10;
    return wert <= grenze;
}

// The sign and the number of a text; false when it holds no digit. printf's "inf" and "nan"
// come back in `sonder`.
bool Lesen(const std::string& text, bool& negativ, Dezimal& d, double& sonder) {
    size_t i = 0;
    negativ = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) ++i;
    if (text.compare(i, 3, "inf") == 0 || text.compare(i, 3, "nan") == 0) {
        sonder = text[i] == 'i' ? HUGE_VAL : std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    bool punkt = false;
    int nachPunkt = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            d.ziffern += c;
            nachPunkt += punkt;
        } else if (c == '.' && !punkt) {
            punkt = true;
        } else {
            break;
        }
    }
    if (d.ziffern.empty()) return false;
    int exponent = 0;
    size_t j = i + 1;
    bool minus = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E') && j < text.size() &&
        text[j] >= '0' && text[j] <= '9') {
        for (; j < text.size() && text[j] >= '0' && text[j] <= '9'; ++j)
            exponent = std::min(exponent * 10 + (text[j] - '0'), 100000);  // far beyond any double
        if (minus) exponent = -exponent;
    }
    d.exponent = exponent - nachPunkt;
    Kuerzen(d);
    return true;
}

}  // namespace

std::string DezimalG(double wert, int stellen) {
    if (std::isnan(wert)) return "nan";  // without a sign, as the library writes it
    std::string text = std::signbit(wert) ? "-" : "";
    if (std::isinf(wert)) return text + "inf";
    Dezimal d = Betrag(wert);
    if (d.ziffern.empty()) return text + "0";
    stellen = std::max(stellen, 1);
    Runden(d, d.Stelle() - stellen + 1);
    int x = d.Stelle();
    if (x >= -4 && x < stellen) return text + Fest(d);
    text += d.ziffern[0];
    if (d.ziffern.size() > 1) text += "." + d.ziffern.substr(1);
    std::string e = std::to_string(std::abs(x));
    return text + (x < 0 ? "e-" : "e+") + (e.size() < 2 ? "0" : "") + e;
}

std::string DezimalF0(double wert) {
    if (std::isnan(wert)) return "nan";
    std::string text = std::signbit(wert) ? "-" : "";
    if (std::isinf(wert)) return text + "inf";
    Dezimal d = Betrag(wert);
    Runden(d, 0);
    return text + Fest(d);
}

double DezimalZuDouble(const std::string& text) {
    bool negativ;
    Dezimal d;
    double wert = 0;
    if (!Lesen(text, negativ, d, wert)) return 0;
    uint64_t ganz = 0;
    if (wert == 0 && Ganz(d, uint64_t{1} << 53, ganz)) {
        wert = static_cast<double>(ganz);
    } else if (wert == 0) {
        uint64_t bits = Naechste<uint64_t, 52, 1023>(d);
        std::memcpy(&wert, &bits, sizeof wert);
    }
    return negativ ? -wert : wert;
}

float DezimalZuFloat(const std::string& text) {
    bool negativ;
    Dezimal d;
    double sonder = 0;
    if (!Lesen(text, negativ, d, sonder)) return 0;
    float wert = static_cast<float>(sonder);
    uint64_t ganz = 0;
    if (sonder == 0 && Ganz(d, uint64_t{1} << 24, ganz)) {
        wert = static_cast<float>(ganz);
    } else if (sonder == 0) {
        uint32_t bits = Naechste<uint32_t, 23, 127>(d);
        std::memcpy(&wert, &bits, sizeof wert);
    }
    return negativ ? -wert : wert;
}
