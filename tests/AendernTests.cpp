#include "Dialogtreiber.h"
#include "Umgebung.h"
#include "app/Main.h"
#include "filetypes/Programm.h"
#include "ui/dialogs/frmAendern.h"
#include "ui/dialogs/frmSymbol.h"

namespace {

using Texte = std::vector<std::string>;

using F = frmAendern;
const UINT kFehler = MB_OK | MB_ICONSTOP;
const char* const kTitel = "Endungswart - Ändern";

TEST(ProgramPart, TheFirstExtensionThatEndsANameEndsTheProgram) {
    const std::pair<const char*, const char*> faelle[] = {
        {"  \"C:\\Programme\\Mein Editor\\edit.exe\" \"%1\"", "C:\\Programme\\Mein Editor\\edit.exe"},
        {"C:\\Programme\\Mein Editor\\edit.exe %1", "C:\\Programme\\Mein Editor\\edit.exe"},
        {"command.com /c start.bat %1", "command.com"},      // later ones are arguments
        {"C:\\web.com\\tools\\view.exe %1", "C:\\web.com\\tools\\view.exe"},  // not a name's end
        {"\"C:\\A.com Werkzeuge\\b.exe\" %1", "C:\\A.com Werkzeuge\\b.exe"},  // inside the quotes
        {"C:\\x.exe/s %1", "C:\\x.exe"},                      // the only one counts wherever it ends
        {"notepad %1", ""},
        {"\"%1\" %*", ""},
    };
    for (const auto& [befehl, teil] : faelle) EXPECT_EQ(ProgrammTeil(befehl), teil) << befehl;
    // The default icon looks for ".exe" alone.
    EXPECT_EQ(ProgrammTeil("command.com /c x.exe", kNurExe), "command.com /c x.exe");
    EXPECT_EQ(ProgrammTeil("start.bat %1", kNurExe), "");
}

TEST(ProgramPart, IconLocationsSplitAtTheFirstCommaAndReadTheirIndex) {
    EXPECT_EQ(SymbolortTeilen("a,b,c").Index, "b,c");  // the first comma splits
    const std::pair<const char*, int> zahlen[] = {{" -2 ", -2}, {"abc", 0}, {"4x", 4}, {"99999", 32767}};
    for (const auto& [text, zahl] : zahlen) EXPECT_EQ(IndexZahl(text), zahl) << text;
    // Out of range, and -1, which asks the shell for the count, load no icon.
    EXPECT_FALSE(SymbolLaden(Testdatei("symbole8.exe"), 8));
    EXPECT_FALSE(SymbolLaden(Testdatei("symbole8.exe"), -1));
}

frmAendern& Aendern(Dialog& d) { return dynamic_cast<frmAendern&>(d); }
frmSymbol& Auswahl(Dialog& d) { return dynamic_cast<frmSymbol&>(d); }

class ChangeDialog : public Hauptfenstertest {
protected:
    void SetUp() override {
        Hauptfenstertest::SetUp();
        Optionen.Mehrfachauswahl = 1;
        haupt.liste().Mehrfachauswahl(true);
    }
    // Runs the change command with one step for each dialog it opens.
    int Befehl(std::vector<Treiber::Schritt> schritte) {
        Treiber treiber(std::move(schritte));
        geaendert = AendernBefehl(haupt.liste(), 0.5f) || geaendert;
        return treiber.Geoeffnet();
    }
    // The same when the change dialog opens no other.
    int Bearbeiten(std::function<void(frmAendern&)> schritt) {
        return Befehl({[&schritt](Dialog& d) { schritt(dynamic_cast<frmAendern&>(d)); }});
    }
    bool geaendert = false;  // a change command reported a change
    const std::string prog = Testdatei("symbole8.exe");
    const std::string zwoelf = Testdatei("symbole12.dll");
};

// The first selected line fills the dialog; OK writes the open command to every selected line
// and keeps what the boxes mark to stay, an icon chosen in the chooser too.
TEST_F(ChangeDialog, ThreeTypesShowTheFirstJoinTheExtensionsAndKeepWhatIsMarked) {
    Optionen.Bezeichnung = Optionen.Symbol = 1;
    const std::string sieben = Testdatei("symbole7.dll") + ",1";
    haupt.Zeile("BMP", "Bitmap", prog + " \"%1\"", zwoelf + ", 3");
    haupt.Zeile("DOC", "Dokument", "notepad.exe %1", "x.dll,1");
    haupt.Zeile("GIF", "GIF-Bild", "notepad.exe %1", sieben);
    haupt.Zeile("TXT", "Textdatei", "notepad.exe %1");
    Markieren(haupt.liste(), {0, 2, 3});
    auto aendern = [&](Dialog& d) {
        frmAendern& a = Aendern(d);
        EXPECT_EQ(Fenstertext(a.Element(F::idTxtErweiterung)), "BMP; GIF; TXT");
        EXPECT_EQ(Fenstertext(a.Element(F::idTxtBezeichnung)), "Bitmap");
        EXPECT_EQ(Fenstertext(a.Element(F::idTxtOeffnen)), prog + " \"%1\"");
        a.cmdSymbol_Click();
        EXPECT_EQ(a.Ort().Index, "4");
        SetDlgItemTextA(a.hwnd(), F::idTxtBezeichnung, "Bild");
        SetDlgItemTextA(a.hwnd(), F::idTxtOeffnen, "notepad.exe %1");
        a.cmdOK_Click();
    };
    auto waehlen = [](Dialog& d) {
        frmSymbol& s = Auswahl(d);
        EXPECT_EQ(s.AuswahlIndex, 3);
        Klick(s, 4);
        s.cmdOK_Click();
    };
    EXPECT_EQ(Befehl({aendern, waehlen}), 2);
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Bitmap", "Dokument", "GIF-Bild", "Textdatei"}));
    EXPECT_EQ(Spalte(haupt.liste(), 2), Texte(4, "notepad.exe %1"));
    EXPECT_EQ(Spalte(haupt.liste(), 3), (Texte{zwoelf + ", 3", "x.dll,1", sieben, ""}));
    EXPECT_TRUE(geaendert);
}

// The file dialog starts at the program found and replaces only the program part; OK checks
// the fields in order.
TEST_F(ChangeDialog, BrowseThenOkChecksInOrderAndWritesTheCommandAsTyped) {
    Meldungen boxen{IDOK, IDOK, IDOK, IDOK};
    Dateiauswahl dateien{"", "C:\\Programme\\Neu\\neu.exe"};
    haupt.Zeile("TXT", "Textdatei", "\"" + prog + "\" /x \"%1\"");
    Markieren(haupt.liste(), {0});
    const std::string ohneLaufwerk = prog.substr(2);  // \work\...\symbole8.exe
    const std::string gequotet = "\"" + ohneLaufwerk + "\" \"%1\"";
    Bearbeiten([&](frmAendern& a) {
        a.cmdOeffnen_Click();  // cancelled
        EXPECT_EQ(Fenstertext(a.Element(F::idTxtOeffnen)), "\"" + prog + "\" /x \"%1\"");
        a.cmdOeffnen_Click();
        EXPECT_EQ(Fenstertext(a.Element(F::idTxtOeffnen)), "C:\\Programme\\Neu\\neu.exe \"%1\"");
        auto versuch = [&](const char* bezeichnung, const std::string& oeffnen) {
            SetDlgItemTextA(a.hwnd(), F::idTxtBezeichnung, bezeichnung);
            SetDlgItemTextA(a.hwnd(), F::idTxtOeffnen, oeffnen.c_str());
            a.cmdOK_Click();
        };
        versuch("", "");
        EXPECT_EQ(GetFocus(), a.Element(F::idTxtBezeichnung));
        versuch("Text", "");
        EXPECT_EQ(GetFocus(), a.Element(F::idTxtOeffnen));
        versuch("Text", "gibt-es-nicht.exe %1");
        versuch("Text", ohneLaufwerk + " %1");  // found, but starts with a backslash
        EXPECT_EQ(GetFocus(), a.Element(F::idTxtOeffnen));
        EXPECT_FALSE(geaendert);
        // Enter in a field reaches OK, handled by the dialog manager of the dialog's own loop.
        SetDlgItemTextA(a.hwnd(), F::idTxtOeffnen, gequotet.c_str());
        PostMessageA(a.Element(F::idTxtOeffnen), WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(a.Element(F::idTxtOeffnen), WM_KEYUP, VK_RETURN, 0xC0000000);
    });
    EXPECT_EQ(dateien.Vorgaben()[0], ProgrammSuchen(prog));
    const Box nichtGefunden{"Das angegebene Programm wurde nicht gefunden. Stellen Sie sicher, daß die "
                            "Dateinamen- und Pfadangabe richtig sind.", kFehler, kTitel};
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{{"Bitte eine Bezeichnung eingeben!", kFehler, kTitel},
                                                 {"Bitte einen Programmname eingeben oder auswählen!", kFehler, kTitel},
                                                 nichtGefunden, nichtGefunden}));
    EXPECT_EQ(Spalte(haupt.liste(), 2), (Texte{gequotet}));
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Text"}));
    EXPECT_TRUE(geaendert);
}

// A program named without an extension locks the open command; EXE, PIF or an icon of "%1"
// lock the icon; each for the whole selection, where OK leaves them as they were. The icon
// frame shows the first line's icon, an empty face where it cannot be extracted, or without a
// location the page image; OK writes a location back joined, and none for nothing.
TEST_F(ChangeDialog, LockedFieldsStayAndTheIconFrameShowsWhatOkWritesBack) {
    const std::string ico = Testdatei("symbol03.ico"), luecke = Testdatei("luecke.dll");
    const std::string befehl = "\"" + prog + "\" \"%1\"";
    const struct {
        std::string ort;
        Texte zweite;
        bool oeffnenFrei, symbolFrei;
        COLORREF farbe;
        Texte symbole;  // afterwards
    } faelle[] = {
        {ico, {"EXE", "Typ", prog, "x.dll,2"}, true, false, 0, {ico, "x.dll,2"}},
        {ico, {"TXT", "Typ", prog, "%1"}, true, false, 0, {ico, "%1"}},
        {ico, {"INI", "Typ", "notepad %1", "x.dll,2"}, false, true, Testfarbe(3),
         Texte(2, ico + ",0")},
        {luecke + " ,1", {"GIF", "Bild", "notepad.exe %1", "x.dll,1"}, true, true,
         GetSysColor(COLOR_BTNFACE), Texte(2, luecke + ",1")},
        {"", {"GIF", "Bild", "notepad.exe %1", "x.dll,1"}, true, true, 0, {"", "x.dll,1"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.zweite[0] + " " + f.ort);
        haupt.liste().Leeren();
        haupt.Zeile("BMP", "Bitmap", befehl, f.ort);
        haupt.Zeile(f.zweite[0], f.zweite[1], f.zweite[2], f.zweite[3]);
        Markieren(haupt.liste(), {0, 1});
        Bearbeiten([&](frmAendern& a) {
            EXPECT_EQ(IsWindowEnabled(a.Element(F::idTxtOeffnen)) != FALSE, f.oeffnenFrei);
            EXPECT_EQ(Sichtbar(a.Element(F::idCmdSymbol)), f.symbolFrei);
            EXPECT_EQ(Sichtbar(a.Element(F::idPicSymbolDef)), f.ort.empty());
            EXPECT_EQ(Sichtbar(a.Element(F::idPicSymbol)), f.farbe != 0);
            if (f.farbe) EXPECT_EQ(Pixel(a.Element(F::idPicSymbol), 16, 16), f.farbe);
            if (f.ort.empty()) EXPECT_EQ(a.Ort().Datei, prog);  // the program's icon, unquoted
            SetDlgItemTextA(a.hwnd(), F::idTxtBezeichnung, "Neu");
            a.cmdOK_Click();
        });
        EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Neu", "Neu"}));
        EXPECT_EQ(Spalte(haupt.liste(), 2)[1], f.oeffnenFrei ? befehl : f.zweite[2]);
        EXPECT_EQ(Spalte(haupt.liste(), 3), f.symbole);
    }
}

TEST_F(ChangeDialog, TheMainWindowRunsItOnDoubleClickAndEnter) {
    Meldungen boxen{IDOK};
    haupt.Zeile("BMP", "Bitmap", prog);
    HWND liste = haupt.liste().hwnd();
    RECT zeile{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(liste, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&zeile));
    const LPARAM aufZeile = MAKELPARAM(zeile.left + 5, zeile.top + 3);
    const LPARAM daneben = MAKELPARAM(zeile.left + 5, zeile.bottom + 40);

    // Nothing selected: a double click does nothing, Enter gives the message.
    Treiber keiner({});
    SendMessageA(liste, WM_LBUTTONDBLCLK, MK_LBUTTON, daneben);
    SendMessageA(liste, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(keiner.Geoeffnet(), 0);
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{{"Bitte einen Dateityp zum Ändern auswählen!", kFehler, kTitel}}));

    Markieren(haupt.liste(), {0});
    auto abbrechen = [](Dialog& d) {
        SetDlgItemTextA(d.hwnd(), F::idTxtBezeichnung, "Anders");
        Taste(d, VK_ESCAPE);
    };
    Treiber treiber({abbrechen, abbrechen});
    SendMessageA(liste, WM_LBUTTONDBLCLK, MK_LBUTTON, aufZeile);
    SendMessageA(liste, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(treiber.Geoeffnet(), 2);
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Bitmap"}));  // Esc wrote nothing
    EXPECT_FALSE(haupt.fenster.Geaendert());
}

}  // namespace
