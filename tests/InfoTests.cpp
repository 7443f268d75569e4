#include <algorithm>

#include "Umgebung.h"
#include "platform/Seams.h"
#include "ui/dialogs/frmInfo.h"
#include "version.h"

namespace {

using F = frmInfo;

TEST(InfoBox, AMalformedVersionBlockNeverReadsPastItsEnd) {
    HMODULE modul = GetModuleHandleA(nullptr);
    HRSRC r = FindResourceA(modul, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    ASSERT_NE(r, nullptr);
    const BYTE* roh = static_cast<const BYTE*>(LockResource(LoadResource(modul, r)));
    const size_t groesse = SizeofResource(modul, r), laenge = roh[0] | (roh[1] << 8);
    Versionsangaben v;
    ASSERT_TRUE(VersionAuswerten(roh, groesse, v));
    EXPECT_EQ(std::pair(v.Major, v.Minor), std::pair(ENDWART_VERSION_MAJOR, ENDWART_VERSION_MINOR));
    ASSERT_LE(laenge, groesse);
    // Cut short anywhere inside the block, each copy in a buffer of exactly its size.
    for (size_t n = 0; n < laenge; ++n) {
        std::vector<BYTE> teil(roh, roh + n);
        EXPECT_FALSE(VersionAuswerten(teil.data(), teil.size(), v)) << n;
    }
    // A value node that claims to reach beyond its parent is not read.
    std::vector<BYTE> gelogen(roh, roh + groesse);
    const std::wstring schluessel = L"LegalCopyright";
    const auto* anfang = reinterpret_cast<const BYTE*>(schluessel.data());
    const BYTE* treffer = std::search(gelogen.data(), gelogen.data() + groesse, anfang, anfang + 2 * schluessel.size());
    ASSERT_NE(treffer, gelogen.data() + groesse);
    const size_t knoten = static_cast<size_t>(treffer - gelogen.data()) - 6;
    gelogen[knoten] = gelogen[knoten + 1] = 0xFF;
    v = {};
    EXPECT_FALSE(VersionAuswerten(gelogen.data(), gelogen.size(), v));
    EXPECT_EQ(v.LegalCopyright, "");
    EXPECT_EQ(v.Minor, ENDWART_VERSION_MINOR);  // what could be read is kept
}

TEST(InfoBox, FiguresAreWholeKilobytesWithTheGivenSeparator) {
    EXPECT_EQ(KBText(24ull << 30, "."), "25.165.824 KB");
    EXPECT_EQ(KBText(1535, "."), "0.001 KB");  // rounded, not cut
    EXPECT_EQ(KBText(1536, "."), "0.002 KB");
    EXPECT_EQ(KBText(1234567ull * 1024, ""), "1234567 KB");
    EXPECT_EQ(KBText(~0ull, "'"), "18'014'398'509'481'984 KB");
}

// Stands in for GlobalMemoryStatusEx on a machine with 24 GB.
struct GrosserSpeicher {
    DWORD dwLength, dwMemoryLoad;
    DWORDLONG total, frei, totalPage, freiPage, rest[3];
};
BOOL WINAPI VierundzwanzigGB(GrosserSpeicher* m) {
    if (m->dwLength != sizeof *m) return FALSE;
    *m = {m->dwLength, 0, 24ull << 30, 20ull << 30, 0, 30ull << 30, {}};
    return TRUE;
}

TEST(InfoBox, TheExtendedStatusIsTakenWhenThereIsOneAndTheOldOneOtherwise) {
    FARPROC ex = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&VierundzwanzigGB));
    Speicherstand s = SpeicherLesen(ex);
    EXPECT_EQ(std::tie(s.Gesamt, s.Frei, s.FreiVirtuell), std::tuple(24ull << 30, 20ull << 30, 30ull << 30));
    // Without the Ex function, as on the Windows 95 family.
    MEMORYSTATUS alt{};
    alt.dwLength = sizeof alt;
    GlobalMemoryStatus(&alt);
    EXPECT_EQ(SpeicherLesen(nullptr).Gesamt, alt.dwTotalPhys);
}

TEST(InfoBox, APictureWindowStaysOnTopForFiveSecondsAndClosesItself) {
    Hauptliste haupt;
    Testuhr uhr;
    int gesehen = 0;
    HWND infoBox = nullptr;
    uhr.beimWarten = [&] {
        HWND bild = EigenesFenster("Endungswart.frmBild");
        if (!bild || !IsWindowVisible(bild) || gesehen++ > 0) return;
        EXPECT_TRUE(GetWindowLongA(bild, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_FALSE(IsWindowEnabled(infoBox));
        SendMessageA(bild, WM_CLOSE, 0, 0);  // the user cannot shorten the five seconds
        EXPECT_TRUE(IsWindow(bild));
    };
    double dauer = 0;
    Hook<F> hook([&](F& d) {
        infoBox = d.hwnd();
        const double anfang = uhr.jetzt;
        SendMessageA(d.hwnd(), WM_COMMAND, MAKEWPARAM(F::idImgBildA, STN_CLICKED),
                     reinterpret_cast<LPARAM>(d.Element(F::idImgBildA)));
        dauer = uhr.jetzt - anfang;
        EXPECT_EQ(EigenesFenster("Endungswart.frmBild"), nullptr);
        EXPECT_TRUE(IsWindowEnabled(d.hwnd()));
        d.Klicken(IDOK);
    });
    F().Zeigen(haupt.fenster.hwnd());
    EXPECT_GT(gesehen, 50);  // the event loop kept running throughout
    EXPECT_GE(dauer, 5.0);
    EXPECT_LT(dauer, 5.1);
}

}  // namespace
