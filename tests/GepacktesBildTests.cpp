#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resource.h"
#include "ui/GepacktesBild.h"
#include "platform/Seams.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Unpacks from the very end of a page whose next page may not be read: a read past the data
// faults. `gut` is what Entpacken answered.
Bytes Auspacken(const Bytes& gepackt, bool& gut) {
    const size_t seite = 4096, seiten = gepackt.size() / seite + 1;
    auto* p = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, (seiten + 1) * seite, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD alt;
    if (!p || !VirtualProtect(p + seiten * seite, seite, PAGE_NOACCESS, &alt)) {
        ADD_FAILURE() << "no guarded page";
        return {};
    }
    unsigned char* daten = p + seiten * seite - gepackt.size();
    std::copy(gepackt.begin(), gepackt.end(), daten);
    Bytes aus;
    gut = Entpacken(daten, gepackt.size(), aus);
    VirtualFree(p, 0, MEM_RELEASE);
    return aus;
}
bool Gut(const Bytes& gepackt) {
    bool gut = false;
    Auspacken(gepackt, gut);
    return gut;
}

// The pixels of a bitmap, 32 bits each, top row first, after its width and height.
std::vector<DWORD> Pixel(HBITMAP bild) {
    BITMAP b{};
    GetObjectA(bild, sizeof b, &b);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), b.bmWidth, -b.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixel(static_cast<size_t>(b.bmWidth) * b.bmHeight + 2);
    pixel[0] = static_cast<DWORD>(b.bmWidth);
    pixel[1] = static_cast<DWORD>(b.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bild, 0, b.bmHeight, pixel.data() + 2, &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return pixel;
}

TEST(GepacktesBild, DamagedDataAreRefusedWithoutReadingOrWritingOutside) {
    // The packed bytes of a picture of the test program, which carries the program's resources.
    HMODULE modul = GetModuleHandleA(nullptr);
    HRSRC r = FindResourceA(modul, MAKEINTRESOURCEA(IDB_BILDA), RT_RCDATA);
    ASSERT_TRUE(r);
    auto* roh = static_cast<const unsigned char*>(LockResource(LoadResource(modul, r)));
    const Bytes echt(roh, roh + SizeofResource(modul, r));
    bool gut = false;
    const size_t groesse = Auspacken(echt, gut).size();
    ASSERT_TRUE(gut);

    // Cut off anywhere, even by the last byte: the packer's last byte is the decoder's last.
    for (size_t n : {size_t{0}, size_t{4}, size_t{8}, size_t{9}, echt.size() / 3, echt.size() / 2 + 1, echt.size() - 1})
        EXPECT_FALSE(Gut(Bytes(echt.begin(), echt.begin() + n))) << n;
    auto mehr = echt;
    mehr.push_back(0);
    EXPECT_FALSE(Gut(mehr)) << "a byte after the end";
    // More, or fewer, bytes announced than packed; an announcement beyond all reason.
    for (size_t n : {groesse + 1, groesse - 1, size_t{0xFFFFFFFF}}) {
        auto d = echt;
        for (int i = 0; i < 4; ++i) d[i] = static_cast<unsigned char>(n >> 8 * i);
        EXPECT_FALSE(Gut(d)) << n << " announced";
    }
    // Each made by tools/packen.py from the items named: sound but for the one fault.
    const Bytes ababab = {0x06, 0, 0, 0, 0x00, 0x30, 0x99, 0xCE, 0xB5, 0xFF, 0xEC, 0x00};
    EXPECT_EQ(Auspacken(ababab, gut), Bytes({'a', 'b', 'a', 'b', 'a', 'b'}));
    EXPECT_TRUE(gut);  // 'a', 'b', a copy of 4 from 2 back
    auto ohneNull = ababab;
    ohneNull[4] = 1;
    const std::pair<Bytes, const char*> falsch[] = {
        {{0x03, 0, 0, 0, 0x00, 0xE7, 0xFF, 0xFC, 0x00}, "a repeat of 3 before any byte"},
        {{0x04, 0, 0, 0, 0x00, 0x30, 0x99, 0xCF, 0x8E, 0x87, 0xEC}, "'a', 'b', a copy from 3 back"},
        {{0x04, 0, 0, 0, 0x00, 0x30, 0xCD, 0x9C, 0x00, 0x00, 0x00}, "'a', a copy of 5 of 4 announced"},
        {{0x0A, 0, 0, 0, 0x00, 0xBF, 0xFF, 0xFB, 0xC0, 0x00, 0x00, 0x00}, "a distance of 24 digits"},
        {ohneNull, "the range coder's first byte not 0"}};
    for (const auto& [daten, was] : falsch) EXPECT_FALSE(Gut(daten)) << was;

    // Any byte changed: refused, or the very number of bytes announced.
    for (size_t i = 4; i < echt.size(); i += 37) {
        auto d = echt;
        d[i] ^= 0x5A;
        const Bytes aus = Auspacken(d, gut);
        if (gut) {
            EXPECT_EQ(aus.size(), groesse) << i;
        }
    }
}

TEST(GepacktesBild, ThePicturesShowWhatWasDrawn) {
    // The drawn pictures, unpacked, are beside the test program's folder.
    const std::string bilder = ProgrammVerzeichnis() + "\\..\\bilder\\";
    for (auto [id, datei] : {std::pair{IDB_BILDA, "bildA.bmp"}, std::pair{IDB_BILDB, "bildB.bmp"}}) {
        HBITMAP gepackt = GepacktesBildLaden(GetModuleHandleA(nullptr), id);
        auto gezeichnet = static_cast<HBITMAP>(
            LoadImageA(nullptr, (bilder + datei).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        ASSERT_TRUE(gepackt && gezeichnet) << bilder + datei;
        EXPECT_TRUE(Pixel(gepackt) == Pixel(gezeichnet)) << datei;
        DeleteObject(gepackt);
        DeleteObject(gezeichnet);
    }
    EXPECT_FALSE(GepacktesBildLaden(GetModuleHandleA(nullptr), 9999));
}

}  // namespace
