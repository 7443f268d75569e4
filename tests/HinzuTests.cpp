#include <algorithm>
#include <map>

#include "Umgebung.h"
#include "app/Main.h"
#include "resource.h"
#include "platform/Seams.h"
#include "ui/dialogs/frmHinzu.h"

namespace {

using Texte = std::vector<std::string>;

class AddRemove : public Hauptfenstertest {
protected:
    INT_PTR Oeffnen(std::function<void(frmHinzu&)> f) {
        INT_PTR ergebnis = AufListeZeigen<frmHinzu>(haupt, std::move(f));
        geaendert = geaendert || ergebnis == IDOK;  // what the main window takes as a change
        return ergebnis;
    }
    bool geaendert = false;
    Hilfeaufrufe hilfe;
};

TEST_F(AddRemove, ListsOnlyUsableRegisteredTypesWithTheIconFallback) {
    TypAnlegen("bmp", "Paint.Picture", "Bitmap", "mspaint.exe %1", "mspaint.exe,1");
    TypAnlegen("Doc", "Word.Document", "Dokument", "winword.exe %1");
    Setzen(HKEY_CLASSES_ROOT, "Word.Document\\CLSID", "", "{0001}");
    Setzen(HKEY_CLASSES_ROOT, "CLSID\\{0001}\\DefaultIcon", "", "winword.exe,0");
    TypAnlegen("txt", "txtfile", "Text", "notepad.exe %1");          // neither icon: empty column
    TypAnlegen("ohnecmd", "ohnecmdfile", "Ohne Befehl", "");
    Setzen(HKEY_CLASSES_ROOT, ".fehlt", "", "gibtesnicht");

    Texte links, symbole, befehle;
    EXPECT_EQ(Oeffnen([&](frmHinzu& d) {
                  links = Spalte(d.lvwLinks());
                  symbole = Spalte(d.lvwLinks(), 3);
                  befehle = Spalte(d.lvwLinks(), 2);
                  d.Klicken(IDCANCEL);
              }),
              IDCANCEL);
    ASSERT_EQ(links.size(), 3u);
    std::map<std::string, std::pair<std::string, std::string>> werte;
    for (size_t i = 0; i < links.size(); ++i) werte[links[i]] = {befehle[i], symbole[i]};
    EXPECT_EQ(werte["DOC"], (std::pair<std::string, std::string>{"winword.exe %1", "winword.exe,0"}));
    EXPECT_EQ(werte["BMP"].second, "mspaint.exe,1");
    EXPECT_EQ(werte["TXT"], (std::pair<std::string, std::string>{"notepad.exe %1", ""}));
}

TEST_F(AddRemove, WatchedTypesStandOnTheRightWithTheirUnsavedValues) {
    TypAnlegen("bmp", "bmpfile", "Bitmap", "mspaint.exe %1");
    TypAnlegen("gif", "giffile", "GIF-Bild", "gif.exe %1");
    haupt.Zeile("bmp", "Ungespeichert", "neu.exe %1", "neu.exe,2");  // found without regard to case
    haupt.Zeile("XYZ", "Nicht registriert", "xyz.exe");

    Texte linksVorher, rechts, linksNachher;
    bool homeGesendet = false;
    Oeffnen([&](frmHinzu& d) {
        linksVorher = Spalte(d.lvwLinks());
        rechts = Spalte(d.lvwRechts());
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
        homeGesendet = d.lvwLinks().Aktuelle() == 0 && d.lvwLinks().Markierte() == 1 && d.lvwLinks().Markiert(0);
        Markieren(d.lvwRechts(), {1});
        d.cmdLinks_Click();
        linksNachher = Spalte(d.lvwLinks());
        d.Klicken(frmHinzu::idCmdHilfe);
        d.Klicken(IDCANCEL);
    });
    EXPECT_EQ(linksVorher, Texte{"GIF"});
    EXPECT_EQ(rechts, (Texte{"bmp", "XYZ"}));
    EXPECT_TRUE(homeGesendet);
    EXPECT_EQ(linksNachher, (Texte{"GIF", "XYZ"}));
    EXPECT_EQ(hilfe, (Hilfeaufrufe::vector{{HELP_CONTEXT, 20}}));
    // Cancelled: the main list is as it was.
    EXPECT_EQ(Spalte(haupt.liste()), (Texte{"bmp", "XYZ"}));
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Ungespeichert", "Nicht registriert"}));
    EXPECT_FALSE(geaendert);
}

TEST_F(AddRemove, SelectedEntriesMoveInTheirOrderAndTheOthersStay) {
    for (const char* e : {"aaa", "bbb", "ccc"}) TypAnlegen(e, std::string(e) + "file", e, "x.exe");
    haupt.Zeile("ZZZ", "Schon da", "z.exe");
    Oeffnen([&](frmHinzu& d) {
        d.cmdRechts_Click();  // nothing selected: nothing moves
        EXPECT_EQ(d.lvwLinks().Anzahl(), 3u);
        Markieren(d.lvwLinks(), {0, 2});
        d.Klicken(frmHinzu::idCmdRechts);
        EXPECT_EQ(Spalte(d.lvwLinks()), Texte{"BBB"});
        EXPECT_EQ(Spalte(d.lvwRechts()), (Texte{"ZZZ", "AAA", "CCC"}));
        EXPECT_EQ(GetFocus(), d.lvwLinks().hwnd());

        // A double click moves what is selected in that list.
        Markieren(d.lvwRechts(), {0});
        NMHDR nm{d.lvwRechts().hwnd(), frmHinzu::idLvwRechts, static_cast<UINT>(NM_DBLCLK)};
        SendMessageA(d.hwnd(), WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
        EXPECT_EQ(Spalte(d.lvwLinks()), (Texte{"BBB", "ZZZ"}));

        d.Klicken(frmHinzu::idCmdRechtsAlle);
        EXPECT_EQ(d.lvwLinks().Anzahl(), 0u);
        EXPECT_EQ(Spalte(d.lvwRechts()), (Texte{"AAA", "CCC", "BBB", "ZZZ"}));
        d.Klicken(IDOK);
    });
    EXPECT_EQ(Spalte(haupt.liste()), (Texte{"AAA", "CCC", "BBB", "ZZZ"}));
    EXPECT_TRUE(geaendert);
}

TEST_F(AddRemove, OkWithAnEmptyRightListEmptiesTheMainListAndMarksIt) {
    TypAnlegen("bmp", "bmpfile", "Bitmap", "mspaint.exe %1");
    haupt.Zeile("BMP", "Bitmap", "mspaint.exe %1");
    haupt.Zeile("TXT", "Text", "notepad.exe %1");
    EXPECT_EQ(Oeffnen([](frmHinzu& d) {
                  d.Klicken(frmHinzu::idCmdLinksAlle);
                  EXPECT_EQ(Spalte(d.lvwLinks()), (Texte{"BMP", "TXT"}));
                  d.Klicken(IDOK);
              }),
              IDOK);
    EXPECT_EQ(haupt.liste().Anzahl(), 0u);
    EXPECT_TRUE(geaendert);
}

TEST_F(AddRemove, CancelAndTheCloseBoxUndoEveryMove) {
    TypAnlegen("bmp", "bmpfile", "Bitmap", "mspaint.exe %1");
    TypAnlegen("gif", "giffile", "GIF-Bild", "gif.exe %1");
    haupt.Zeile("TXT", "Text", "notepad.exe %1");
    for (UINT schliessen : {UINT(IDCANCEL), UINT(WM_CLOSE)}) {
        EXPECT_EQ(Oeffnen([&](frmHinzu& d) {
                      d.cmdRechtsAlle_Click();
                      Markieren(d.lvwRechts(), {0});
                      d.cmdLinks_Click();
                      if (schliessen == WM_CLOSE)
                          SendMessageA(d.hwnd(), WM_CLOSE, 0, 0);
                      else
                          d.Klicken(IDCANCEL);
                  }),
                  IDCANCEL);
        EXPECT_EQ(Spalte(haupt.liste()), Texte{"TXT"});
        EXPECT_FALSE(geaendert);
    }
}

TEST_F(AddRemove, EachListSortsByItsOwnHeaderAndKeepsItsOrderOnAppending) {
    TypAnlegen("aaa", "aaafile", "Zebra", "x.exe");
    TypAnlegen("bbb", "bbbfile", "Affe", "x.exe");
    TypAnlegen("ccc", "cccfile", "maus", "x.exe");
    haupt.Zeile("RRR", "Nashorn", "r.exe");
    haupt.Zeile("QQQ", "Biber", "q.exe");
    Oeffnen([](frmHinzu& d) {
        auto klick = [&](int id, int spalte) {
            NMLISTVIEW nm{};
            nm.hdr = {GetDlgItem(d.hwnd(), id), static_cast<UINT_PTR>(id), static_cast<UINT>(LVN_COLUMNCLICK)};
            nm.iSubItem = spalte;
            SendMessageA(d.hwnd(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&nm));
        };
        klick(frmHinzu::idLvwLinks, 1);
        EXPECT_EQ(Spalte(d.lvwLinks(), 1), (Texte{"Affe", "maus", "Zebra"}));
        EXPECT_EQ(Spalte(d.lvwRechts()), (Texte{"RRR", "QQQ"}));  // untouched, still unsorted

        // Sorting on: moved entries take their place in the order.
        Markieren(d.lvwRechts(), {0, 1});
        d.cmdLinks_Click();
        EXPECT_EQ(Spalte(d.lvwLinks(), 1), (Texte{"Affe", "Biber", "maus", "Nashorn", "Zebra"}));
        // Sorting off: appended at the end in source order.
        Markieren(d.lvwLinks(), {4, 1});
        d.cmdRechts_Click();
        EXPECT_EQ(Spalte(d.lvwRechts()), (Texte{"QQQ", "AAA"}));
        d.Klicken(IDCANCEL);
    });
}

TEST_F(AddRemove, TheMainWindowsCommandCommitsAndKeepsTheMainSortOrder) {
    TypAnlegen("gif", "giffile", "GIF-Bild", "gif.exe %1");
    TypAnlegen("bmp", "bmpfile", "Bitmap", "mspaint.exe %1");
    haupt.Zeile("TXT", "Text", "notepad.exe %1");
    Hook<frmHinzu> hook([](frmHinzu& d) {
        EXPECT_FALSE(IsWindowEnabled(GetWindow(d.hwnd(), GW_OWNER)));  // modal on the main window
        d.cmdRechtsAlle_Click();
        d.Klicken(IDOK);
    });
    SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_HINZU, 0);
    EXPECT_EQ(Spalte(haupt.liste()), (Texte{"BMP", "GIF", "TXT"}));  // the main list's sort by extension
    EXPECT_TRUE(haupt.fenster.Geaendert());
    EXPECT_TRUE(IsWindowEnabled(haupt.fenster.hwnd()));
}

}  // namespace
