#include "Dialogtreiber.h"
#include "Umgebung.h"
#include "platform/Seams.h"
#include "ui/dialogs/frmInfo.h"
#include "version.h"

namespace {

using F = frmInfo;

TEST(InfoBox, FiguresAreWholeKilobytesWithTheGivenSeparator) {
    EXPECT_EQ(KBText(24ull << 30, "."), "25.165.824 KB");
    EXPECT_EQ(KBText(1535, "."), "0.001 KB");  // rounded, not cut
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
        // The version block of the program's own resource, read.
        EXPECT_EQ(Fenstertext(d.Element(F::idLblInfo0 + 1)), "Version " ENDWART_VERSION_TEXT);
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
