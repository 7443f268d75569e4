#include <algorithm>

#include "Umgebung.h"
#include "app/Main.h"
#include "resource.h"
#include "platform/Seams.h"
#include "ui/dialogs/frmHinzu.h"

namespace {

using Texte = std::vector<std::string>;
using F = frmHinzu;

class AddRemove : public Hauptfenstertest {};

// The left list shows the registered types that are not watched, read as the file-type tests
// check; the watched ones stand on the right with their unsaved values. Abbrechen undoes every
// move.
TEST_F(AddRemove, WatchedTypesStandOnTheRightWithTheirUnsavedValues) {
    TypAnlegen("bmp", "bmpfile", "Bitmap", "mspaint.exe %1");
    TypAnlegen("gif", "giffile", "GIF-Bild", "gif.exe %1", "gif.exe,1");
    haupt.Zeile("bmp", "Ungespeichert", "neu.exe %1", "neu.exe,2");  // found without regard to case
    haupt.Zeile("XYZ", "Nicht registriert", "xyz.exe");
    AufListeZeigen<F>(haupt, [&](F& d) {
        EXPECT_EQ(Spalte(d.lvwLinks()), Texte{"GIF"});
        EXPECT_EQ(Spalte(d.lvwLinks(), 2), Texte{"gif.exe %1"});
        EXPECT_EQ(Spalte(d.lvwLinks(), 3), Texte{"gif.exe,1"});
        EXPECT_EQ(Spalte(d.lvwRechts()), (Texte{"bmp", "XYZ"}));
        // Shown and active, the dialog does what Home does to the left list: its first entry
        // becomes current and selected, also while Ctrl is still held from Ctrl+H.
        BYTE vorher[256], tasten[256];
        GetKeyboardState(vorher);
        std::copy(vorher, vorher + 256, tasten);
        tasten[VK_CONTROL] = 0x80;
        SetKeyboardState(tasten);
        ShowWindow(d.hwnd(), SW_SHOWNORMAL);
        Ereignisse();
        SetKeyboardState(vorher);
        EXPECT_TRUE(d.lvwLinks().Aktuelle() == 0 && d.lvwLinks().Markierte() == 1 && d.lvwLinks().Markiert(0));
        Markieren(d.lvwRechts(), {0, 1});
        d.cmdLinks_Click();
        EXPECT_EQ(Spalte(d.lvwLinks()), (Texte{"GIF", "bmp", "XYZ"}));
        d.Klicken(IDCANCEL);
    });
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Ungespeichert", "Nicht registriert"}));
}

// Through the main window's command, modal on it; OK commits in the main list's order.
TEST_F(AddRemove, SelectedEntriesMoveInTheirOrderAndTheOthersStay) {
    for (const char* e : {"aaa", "bbb", "ccc"}) TypAnlegen(e, std::string(e) + "file", e, "x.exe");
    haupt.Zeile("ZZZ", "Schon da", "z.exe");
    Hook<F> hook([](F& d) {
        EXPECT_FALSE(IsWindowEnabled(GetWindow(d.hwnd(), GW_OWNER)));
        d.cmdRechts_Click();  // nothing selected: nothing moves
        EXPECT_EQ(d.lvwLinks().Anzahl(), 3u);
        Markieren(d.lvwLinks(), {0, 2});
        d.Klicken(F::idCmdRechts);
        EXPECT_EQ(Spalte(d.lvwLinks()), Texte{"BBB"});
        EXPECT_EQ(Spalte(d.lvwRechts()), (Texte{"ZZZ", "AAA", "CCC"}));
        EXPECT_EQ(GetFocus(), d.lvwLinks().hwnd());
        // A double click moves what is selected in that list.
        Markieren(d.lvwRechts(), {0});
        NMHDR nm{d.lvwRechts().hwnd(), F::idLvwRechts, static_cast<UINT>(NM_DBLCLK)};
        SendMessageA(d.hwnd(), WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
        EXPECT_EQ(Spalte(d.lvwLinks()), (Texte{"BBB", "ZZZ"}));
        d.Klicken(F::idCmdRechtsAlle);
        EXPECT_EQ(Spalte(d.lvwRechts()), (Texte{"AAA", "CCC", "BBB", "ZZZ"}));
        d.Klicken(IDOK);
    });
    SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_HINZU, 0);
    EXPECT_EQ(Spalte(haupt.liste()), (Texte{"AAA", "BBB", "CCC", "ZZZ"}));
    EXPECT_TRUE(haupt.fenster.Geaendert());
    EXPECT_TRUE(IsWindowEnabled(haupt.fenster.hwnd()));
}

}  // namespace
