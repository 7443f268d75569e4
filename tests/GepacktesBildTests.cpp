#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource.h"
#include "ui/GepacktesBild.h"
#include "platform/Seams.h"

namespace {

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
