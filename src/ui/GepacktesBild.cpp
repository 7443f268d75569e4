#include "ui/GepacktesBild.h"

#include <cstdint>
#include <memory>

#include "platform/Besitzer.h"

namespace {

constexpr size_t kMindestlaenge = 2;      // of a copy
constexpr int kStellen = 24;              // numbers below 2^24
constexpr size_t kHoechstens = 16 << 20;  // far above any picture of the program

// How likely a 0 is, in 1/2048ths; it follows the bits seen with it.
struct Wahrscheinlichkeit {
    uint16_t w = 1024;
};

struct Zahlmodell {
    Wahrscheinlichkeit stufe[kStellen];
    Wahrscheinlichkeit ziffer[kStellen][64];
};

struct Modell {
    Wahrscheinlichkeit art[3], wiederholung[3], byte[256];
    Zahlmodell abstand, laenge, wiederholungslaenge;
};

// LZMA's range decoder. Past the end of the data it reads zeros and remembers the fault.
class Bitleser {
public:
    Bitleser(const unsigned char* p, const unsigned char* ende) : p_(p), ende_(ende) {
        for (int i = 0; i < 4; ++i) code_ = code_ << 8 | Byte();
    }

    unsigned Bit(Wahrscheinlichkeit& p) {
        uint32_t grenze = (bereich_ >> 11) * p.w;
        unsigned bit = code_ >= grenze;
        if (bit) {
            code_ -= grenze;
            bereich_ -= grenze;
            p.w -= p.w >> 5;
        } else {
            bereich_ = grenze;
            p.w += (2048 - p.w) >> 5;
        }
        while (bereich_ < 1u << 24) {
            bereich_ <<= 8;
            code_ = code_ << 8 | Byte();
        }
        return bit;
    }

    // A number >= 1: as many ones as it has digits after its leading 1, then those digits.
    // 0, and a fault, when it does not fit in kStellen digits.
    uint32_t Zahl(Zahlmodell& m) {
        int n = 0;
        while (Bit(m.stufe[n]))
            if (++n == kStellen) return fehler_ = true, 0;
        uint32_t w = 1;
        for (int i = n - 1; i >= 0; --i) w = w * 2 + Bit(m.ziffer[n][w < 32 ? w : 32 + i]);
        return w;
    }

    bool Gut() const { return !fehler_; }
    // Every byte read, and none missing: the packer's last byte is the decoder's last.
    bool AmEnde() const { return !fehler_ && p_ == ende_; }

private:
    unsigned Byte() {
        if (p_ == ende_) return fehler_ = true, 0;
        return *p_++;
    }

    const unsigned char* p_;
    const unsigned char* ende_;
    uint32_t bereich_ = 0xFFFFFFFF;
    uint32_t code_ = 0;
    bool fehler_ = false;
};

// The size of the pixel rows after the header and colour table, or 0 when the header does not
// describe an uncompressed bitmap that fits in `groesse` bytes.
size_t Kopfgroesse(const BITMAPINFOHEADER& k, size_t groesse) {
    if (k.biSize < sizeof k || k.biSize > groesse || k.biPlanes != 1 ||
        k.biCompression != BI_RGB || k.biWidth <= 0 || k.biHeight == 0 || k.biWidth > 0x4000 ||
        k.biHeight > 0x4000 || k.biHeight < -0x4000)
        return 0;
    size_t farben = k.biClrUsed ? k.biClrUsed : k.biBitCount <= 8 ? size_t{1} << k.biBitCount : 0;
    size_t zeile = (static_cast<size_t>(k.biWidth) * k.biBitCount + 31) / 32 * 4;
    size_t kopf = k.biSize + farben * sizeof(RGBQUAD);
    size_t hoehe = k.biHeight < 0 ? -static_cast<size_t>(k.biHeight) : k.biHeight;
    if (farben > 256 || zeile == 0 || kopf > groesse || zeile * hoehe > groesse - kopf) return 0;
    return kopf;
}

}  // namespace

bool Entpacken(const unsigned char* p, size_t laenge, std::vector<unsigned char>& aus) {
    aus.clear();
    // The length, then the range coder, whose first byte is always 0.
    if (!p || laenge < 9 || p[4] != 0) return false;
    size_t gesamt = p[0] | p[1] << 8 | p[2] << 16 | static_cast<size_t>(p[3]) << 24;
    if (gesamt > kHoechstens) return false;
    aus.reserve(gesamt);
    Bitleser leser(p + 5, p + laenge);
    auto m = std::make_unique<Modell>();
    int z = 0;            // the last item: 0 a byte (or none yet), 1 a copy, 2 a repeat
    size_t abstand = 1;   // of the last copy
    while (aus.size() < gesamt && leser.Gut()) {
        if (!leser.Bit(m->art[z])) {
            unsigned w = 1;
            while (w < 256) w = w * 2 + leser.Bit(m->byte[w]);
            aus.push_back(static_cast<unsigned char>(w));
            z = 0;
            continue;
        }
        size_t kopie;
        if (!leser.Bit(m->wiederholung[z])) {
            abstand = leser.Zahl(m->abstand);
            kopie = leser.Zahl(m->laenge) + kMindestlaenge - 1;
            z = 1;
        } else {
            kopie = leser.Zahl(m->wiederholungslaenge);
            z = 2;
        }
        if (!leser.Gut() || abstand > aus.size() || kopie > gesamt - aus.size()) return false;
        // Byte by byte: a copy may overlap what it is copying.
        for (size_t von = aus.size() - abstand; kopie--; ++von) aus.push_back(aus[von]);
    }
    return leser.AmEnde() && aus.size() == gesamt;
}

HBITMAP GepacktesBildLaden(HINSTANCE instanz, int id) {
    HRSRC quelle = FindResourceA(instanz, MAKEINTRESOURCEA(id), RT_RCDATA);
    HGLOBAL geladen = quelle ? LoadResource(instanz, quelle) : nullptr;
    const void* daten = geladen ? LockResource(geladen) : nullptr;
    std::vector<unsigned char> dib;
    if (!daten ||
        !Entpacken(static_cast<const unsigned char*>(daten), SizeofResource(instanz, quelle), dib) ||
        dib.size() < sizeof(BITMAPINFOHEADER))
        return nullptr;
    auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    size_t kopf = Kopfgroesse(info->bmiHeader, dib.size());
    if (!kopf) return nullptr;
    FensterDC bildschirm(nullptr);
    return CreateDIBitmap(bildschirm.get(), &info->bmiHeader, CBM_INIT, dib.data() + kopf, info, DIB_RGB_COLORS);
}
