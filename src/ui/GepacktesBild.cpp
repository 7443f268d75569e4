#include "ui/GepacktesBild.h"

#include "platform/Besitzer.h"

namespace {

constexpr size_t kMindestlaenge = 4;
constexpr size_t kHoechstens = 16 << 20;  // far above any picture of the program

// A length field of 15 goes on in the bytes after it, each added, up to one below 255.
bool Laenge(const unsigned char*& p, const unsigned char* ende, size_t& feld) {
    if (feld != 15) return true;
    unsigned char b;
    do {
        if (p == ende) return false;
        b = *p++;
        feld += b;
    } while (b == 255);
    return true;
}

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
    if (!p || laenge < 4) return false;
    const unsigned char* ende = p + laenge;
    size_t gesamt = p[0] | p[1] << 8 | p[2] << 16 | static_cast<size_t>(p[3]) << 24;
    p += 4;
    if (gesamt > kHoechstens) return false;
    aus.reserve(gesamt);
    while (p < ende) {
        unsigned char token = *p++;
        size_t woerter = token >> 4;
        if (!Laenge(p, ende, woerter) || woerter > static_cast<size_t>(ende - p) ||
            woerter > gesamt - aus.size())
            return false;
        aus.insert(aus.end(), p, p + woerter);
        p += woerter;
        if (p == ende) break;
        if (ende - p < 2) return false;
        size_t abstand = p[0] | p[1] << 8;
        p += 2;
        size_t kopie = token & 15;
        if (!Laenge(p, ende, kopie)) return false;
        kopie += kMindestlaenge;
        if (abstand == 0 || abstand > aus.size() || kopie > gesamt - aus.size()) return false;
        // Byte by byte: a match may overlap what it is copying.
        for (size_t von = aus.size() - abstand; kopie--; ++von) aus.push_back(aus[von]);
    }
    return aus.size() == gesamt;
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
