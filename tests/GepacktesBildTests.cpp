#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource.h"
#include "ui/GepacktesBild.h"
#include "platform/Seams.h"

namespace {

std::vector<unsigned char> Auspacken(const std::vector<unsigned char>& gepackt, bool& gut) {
    std::vector<unsigned char> aus;
    gut = Entpacken(gepackt.data(), gepackt.size(), aus);
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
    Auspacken(echt, gut);
    ASSERT_TRUE(gut);

    // Cut off anywhere: inside a run, a distance, a length, or between runs. (Only the last
    // byte, an empty closing run, may go without loss.)
    for (size_t n : {size_t{0}, size_t{3}, size_t{4}, size_t{5}, echt.size() / 3,
                     echt.size() / 2 + 1, echt.size() - 2}) {
        std::vector<unsigned char> kurz(echt.begin(), echt.begin() + n);
        Auspacken(kurz, gut);
        EXPECT_FALSE(gut) << n;
    }
    auto falsch = [&](std::vector<unsigned char> daten, const char* was) {
        Auspacken(daten, gut);
        EXPECT_FALSE(gut) << was;
    };
    // A distance back past the start, or of 0.
    falsch({10, 0, 0, 0, 0x33, 'a', 'b', 'c', 4, 0, 0x00}, "distance past the start");
    falsch({10, 0, 0, 0, 0x33, 'a', 'b', 'c', 0, 0, 0x00}, "distance 0");
    // More, or fewer, bytes than announced; an announcement beyond all reason.
    falsch({9, 0, 0, 0, 0x33, 'a', 'b', 'c', 3, 0, 0x00}, "more than announced");
    falsch({11, 0, 0, 0, 0x33, 'a', 'b', 'c', 3, 0, 0x00}, "fewer than announced");
    falsch({0xFF, 0xFF, 0xFF, 0xFF, 0x10, 'a'}, "4 GB announced");
    // A length that goes on past the end.
    falsch({40, 0, 0, 0, 0xF0, 255, 255}, "length continues past the end");
    falsch({40, 0, 0, 0, 0x1F, 'a', 1, 0, 255}, "match length continues past the end");
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
