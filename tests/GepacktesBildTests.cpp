#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resource.h"
#include "ui/GepacktesBild.h"
#include "platform/Seams.h"

namespace {

// Unpacks from the very end of a page whose next page may not be read: a read past the data
// faults.
std::vector<unsigned char> Auspacken(const std::vector<unsigned char>& gepackt, bool& gut) {
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
    std::vector<unsigned char> aus;
    gut = Entpacken(daten, gepackt.size(), aus);
    VirtualFree(p, 0, MEM_RELEASE);
    return aus;
}

// The packed bytes of one resource of the test program, which carries the program's resources.
std::vector<unsigned char> Ressource(int id) {
    HMODULE modul = GetModuleHandleA(nullptr);
    HRSRC r = FindResourceA(modul, MAKEINTRESOURCEA(id), RT_RCDATA);
    if (!r) return {};
    auto* p = static_cast<const unsigned char*>(LockResource(LoadResource(modul, r)));
    return {p, p + SizeofResource(modul, r)};
}

// The pixels of a bitmap, 32 bits each, top row first.
std::vector<DWORD> Pixel(HBITMAP bild, int& breite, int& hoehe) {
    BITMAP b{};
    GetObjectA(bild, sizeof b, &b);
    breite = b.bmWidth;
    hoehe = b.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = breite;
    info.bmiHeader.biHeight = -hoehe;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixel(static_cast<size_t>(breite) * hoehe);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bild, 0, hoehe, pixel.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return pixel;
}

TEST(GepacktesBild, DamagedDataAreRefusedWithoutReadingOrWritingOutside) {
    std::vector<unsigned char> echt = Ressource(IDB_BILDA);
    ASSERT_GT(echt.size(), 1000u);
    bool gut = false;
    const std::vector<unsigned char> bild = Auspacken(echt, gut);
    ASSERT_TRUE(gut);

    // Cut off anywhere, even by the last byte: the packer's last byte is the decoder's last.
    for (size_t n : {size_t{0}, size_t{4}, size_t{8}, size_t{9}, echt.size() / 3,
                     echt.size() / 2 + 1, echt.size() - 1}) {
        std::vector<unsigned char> kurz(echt.begin(), echt.begin() + n);
        Auspacken(kurz, gut);
        EXPECT_FALSE(gut) << n;
    }
    auto falsch = [&](std::vector<unsigned char> daten, const char* was) {
        Auspacken(daten, gut);
        EXPECT_FALSE(gut) << was;
    };
    auto mehr = echt;
    mehr.push_back(0);
    falsch(mehr, "a byte after the end");
    // More, or fewer, bytes announced than packed; an announcement beyond all reason.
    auto angesagt = [&](size_t n) {
        auto d = echt;
        for (int i = 0; i < 4; ++i) d[i] = static_cast<unsigned char>(n >> 8 * i);
        return d;
    };
    falsch(angesagt(bild.size() + 1), "one more announced");
    falsch(angesagt(bild.size() - 1), "one fewer announced");
    falsch(angesagt(0xFFFFFFFF), "4 GB announced");
    // Each made by tools/packen.py from the items named: sound but for the one fault.
    const std::vector<unsigned char> ababab = {0x06, 0, 0, 0, 0x00, 0x30, 0x99, 0xCE, 0xB5, 0xFF, 0xEC, 0x00};
    EXPECT_EQ(Auspacken(ababab, gut), std::vector<unsigned char>({'a', 'b', 'a', 'b', 'a', 'b'}));
    EXPECT_TRUE(gut);  // 'a', 'b', a copy of 4 from 2 back
    falsch({0x03, 0, 0, 0, 0x00, 0xE7, 0xFF, 0xFC, 0x00}, "a repeat of 3 before any byte");
    falsch({0x04, 0, 0, 0, 0x00, 0x30, 0x99, 0xCF, 0x8E, 0x87, 0xEC}, "'a', 'b', a copy from 3 back");
    falsch({0x04, 0, 0, 0, 0x00, 0x30, 0xCD, 0x9C, 0x00, 0x00, 0x00}, "'a', a copy of 5 of 4 announced");
    falsch({0x0A, 0, 0, 0, 0x00, 0xBF, 0xFF, 0xFB, 0xC0, 0x00, 0x00, 0x00}, "a distance of 24 digits");
    auto ohne_null = ababab;
    ohne_null[4] = 1;
    falsch(ohne_null, "the range coder's first byte not 0");

    // Any byte changed: refused, or the very number of bytes announced.
    for (size_t i = 4; i < echt.size(); i += 37) {
        auto d = echt;
        d[i] ^= 0x5A;
        auto aus = Auspacken(d, gut);
        if (gut) {
            EXPECT_EQ(aus.size(), bild.size()) << i;
        }
    }
}

TEST(GepacktesBild, ThePicturesShowWhatWasDrawn) {
    // The drawn pictures, unpacked, are beside the test program's folder.
    const std::string bilder = ProgrammVerzeichnis() + "\\..\\bilder\\";
    for (auto [id, datei] : {std::pair{IDB_BILDA, "bildA.bmp"}, std::pair{IDB_BILDB, "bildB.bmp"}}) {
        HBITMAP gepackt = GepacktesBildLaden(GetModuleHandleA(nullptr), id);
        auto gezeichnet = static_cast<HBITMAP>(LoadImageA(
            nullptr, (bilder + datei).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        ASSERT_TRUE(gepackt) << datei;
        ASSERT_TRUE(gezeichnet) << bilder + datei;
        int b1, h1, b2, h2;
        auto p1 = Pixel(gepackt, b1, h1), p2 = Pixel(gezeichnet, b2, h2);
        EXPECT_EQ(b1, b2);
        EXPECT_EQ(h1, h2);
        EXPECT_TRUE(p1 == p2) << datei;
        DeleteObject(gepackt);
        DeleteObject(gezeichnet);
    }
    EXPECT_FALSE(GepacktesBildLaden(GetModuleHandleA(nullptr), 9999));
}

}  // namespace
