#include "platform/Text.h"

#include <windows.h>

#include <cmath>
#include <limits>

#include "platform/Dezimal.h"

std::string Gross(std::string s) {
    if (!s.empty()) CharUpperBuffA(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

std::string Klein(std::string s) {
    if (!s.empty()) CharLowerBuffA(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

bool GleichOhneFall(const std::string& a, const std::string& b) {
    return a.size() == b.size() && Gross(a) == Gross(b);
}

std::string Trimmen(const std::string& s) {
    size_t anfang = s.find_first_not_of(' ');
    if (anfang == std::string::npos) return {};
    return s.substr(anfang, s.find_last_not_of(' ') - anfang + 1);
}

std::string RechtsTrimmen(const std::string& s) {
    size_t ende = s.find_last_not_of(' ');
    return ende == std::string::npos ? std::string() : s.substr(0, ende + 1);
}

std::optional<double> TextZuZahl(const std::string& text) {
    std::string t = Trimmen(text);
    std::string klar;
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) klar += t[i++];
    int ziffern = 0, trenner = 0;
    for (; i < t.size(); ++i) {
        char c = t[i];
        if (c >= '0' && c <= '9') {
            klar += c;
            ++ziffern;
        } else if ((c == '.' || c == ',') && trenner == 0) {
            klar += '.';
            ++trenner;
        } else {
            break;
        }
    }
    if (ziffern == 0 || ziffern > 40) return std::nullopt;
    // An exponent, as very large or small numbers are written.
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        klar += t[i++];
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) klar += t[i++];
        size_t anfang = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9' && i - anfang < 4) klar += t[i++];
        if (i == anfang) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    double wert = DezimalZuDouble(klar);
    if (!std::isfinite(wert)) return std::nullopt;
    return wert;
}

std::optional<int16_t> TextZuInt16(const std::string& text) {
    auto zahl = TextZuZahl(text);
    if (!zahl) return std::nullopt;
    double gerundet = std::nearbyint(*zahl);  // the default rounding mode is half to even
    if (gerundet < -32768.0 || gerundet > 32767.0) return std::nullopt;
    return static_cast<int16_t>(gerundet);
}

std::optional<int32_t> TextZuInt32(const std::string& text) {
    auto zahl = TextZuZahl(text);
    if (!zahl) return std::nullopt;
    double gerundet = std::nearbyint(*zahl);
    if (gerundet < -2147483648.0 || gerundet > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(gerundet);
}

std::optional<float> TextZuSingle(const std::string& text) {
    auto zahl = TextZuZahl(text);
    if (!zahl || std::fabs(*zahl) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*zahl);
}

std::optional<bool> TextZuBool(const std::string& text) {
    std::string t = Gross(Trimmen(text));
    if (t == "TRUE" || t == "WAHR") return true;
    if (t == "FALSE" || t == "FALSCH") return false;
    auto zahl = TextZuZahl(t);
    if (!zahl) return std::nullopt;
    return *zahl != 0.0;
}

std::string ZahlZuText(double wert) {
    float single = static_cast<float>(wert);
    std::string text;
    for (int stellen = 1; stellen <= 9; ++stellen) {
        text = DezimalG(single, stellen);
        if (DezimalZuFloat(text) == single) break;
    }
    // Large whole numbers come out in exponent form; write them plainly.
    if (text.find('e') != std::string::npos && std::fabs(single) < 1e15f &&
        single == std::nearbyint(single))
        text = DezimalF0(single);
    return text;
}

std::string BoolZuText(bool wert) { return wert ? "True" : "False"; }

bool IstZeitstempel(const std::string& t) {
    static const char kMuster[] = "0000-00-00 00:00:00";
    if (t.size() != sizeof kMuster - 1) return false;
    for (size_t i = 0; i < t.size(); ++i) {
        const bool ziffer = t[i] >= '0' && t[i] <= '9';
        if (kMuster[i] == '0' ? !ziffer : t[i] != kMuster[i]) return false;
    }
    return true;
}
