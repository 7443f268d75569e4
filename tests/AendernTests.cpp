#include "Dialogtreiber.h"
#include "Umgebung.h"
#include "app/Main.h"
#include "filetypes/Programm.h"
#include "resource.h"
#include "ui/dialogs/frmAendern.h"
#include "ui/dialogs/frmSymbol.h"

namespace {

using Texte = std::vector<std::string>;

using F = frmAendern;
const UINT kFehler = MB_OK | MB_ICONSTOP;
const char* const kTitel = "Endungswart - Ändern";

TEST(ProgramPart, TheFirstExtensionThatEndsANameEndsTheProgram) {
    struct Fall {
        const char* befehl;
        const char* teil;
    };
    const Fall faelle[] = {
        {"  \"C:\\Programme\\Mein Editor\\edit.exe\" \"%1\"", "C:\\Programme\\Mein Editor\\edit.exe"},
        {"C:\\Programme\\Mein Editor\\edit.exe %1", "C:\\Programme\\Mein Editor\\edit.exe"},
        {"command.com /c start.bat %1", "command.com"},      // later ones are arguments
        {"C:\\web.com\\tools\\view.exe %1", "C:\\web.com\\tools\\view.exe"},  // not a name's end
        {"\"C:\\A.com Werkzeuge\\b.exe\" %1", "C:\\A.com Werkzeuge\\b.exe"},  // inside the quotes
        {"C:\\x.exe/s %1", "C:\\x.exe"},                      // the only one counts wherever it ends
        {"notepad %1", ""},
        {"\"%1\" %*", ""},
    };
    for (const Fall& f : faelle) EXPECT_EQ(ProgrammTeil(f.befehl), f.teil) << f.befehl;
    // The default icon looks for ".exe" alone.
    EXPECT_EQ(ProgrammTeil("command.com /c x.exe", kNurExe), "command.com /c x.exe");
    EXPECT_EQ(ProgrammTeil("start.bat %1", kNurExe), "");
}

TEST(ProgramPart, IconLocationsSplitJoinAndReadTheirIndex) {
    Symbolort ort = SymbolortTeilen(" C:\\x.dll , 3");
    EXPECT_EQ(SymbolortVerbinden(ort.Datei, ort.Index), "C:\\x.dll,3");
    EXPECT_EQ(SymbolortTeilen("C:\\x.ico").Index, "0");
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

TEST_F(ChangeDialog, ThreeTypesShowTheFirstJoinTheExtensionsAndKeepMarkedDescriptions) {
    Optionen.Bezeichnung = 1;
    haupt.Zeile("BMP", "Bitmap", prog + " \"%1\"", zwoelf + ", 3");
    haupt.Zeile("DOC", "Dokument", "notepad.exe %1", "x.dll,1");
    haupt.Zeile("GIF", "GIF-Bild", "notepad.exe %1", Testdatei("symbole7.dll") + ",1");
    haupt.Zeile("TXT", "Textdatei", "notepad.exe %1");
    Markieren(haupt.liste(), {0, 2, 3});
    Bearbeiten([&](frmAendern& a) {
        EXPECT_EQ(Fenstertext(a.Element(F::idTxtErweiterung)), "BMP; GIF; TXT");
        EXPECT_EQ(Fenstertext(a.Element(F::idTxtBezeichnung)), "Bitmap");
        EXPECT_EQ(Fenstertext(a.Element(F::idTxtOeffnen)), prog + " \"%1\"");
        EXPECT_EQ(IsDlgButtonChecked(a.hwnd(), F::idChkBezeichnung), BST_CHECKED);
        EXPECT_EQ(Pixel(a.Element(F::idPicSymbol), 16, 16), Testfarbe(3));
        SetDlgItemTextA(a.hwnd(), F::idTxtBezeichnung, "Bild");
        SetDlgItemTextA(a.hwnd(), F::idTxtOeffnen, "notepad.exe %1");
        a.cmdOK_Click();
    });
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Bitmap", "Dokument", "GIF-Bild", "Textdatei"}));
    EXPECT_EQ(Spalte(haupt.liste(), 2), Texte(4, "notepad.exe %1"));
    // The first line's location, joined without the blank, for every selected line.
    EXPECT_EQ(Spalte(haupt.liste(), 3), (Texte{zwoelf + ",3", "x.dll,1", zwoelf + ",3", zwoelf + ",3"}));
    EXPECT_TRUE(geaendert);
}

TEST_F(ChangeDialog, MarkedSymbolKeepsEveryIconEvenWhenOneWasChosen) {
    Optionen.Symbol = 1;
    haupt.Zeile("BMP", "Bitmap", prog, zwoelf + ",1");
    haupt.Zeile("GIF", "GIF-Bild", prog, zwoelf + ",2");
    Markieren(haupt.liste(), {0, 1});
    const int dialoge = Befehl({[&](Dialog& d) {
                                    frmAendern& a = Aendern(d);
                                    EXPECT_EQ(IsDlgButtonChecked(a.hwnd(), F::idChkBezeichnung), BST_UNCHECKED);
                                    a.cmdSymbol_Click();
                                    EXPECT_EQ(a.Ort().Index, "4");
                                    EXPECT_EQ(Pixel(a.Element(F::idPicSymbol), 16, 16), Testfarbe(4));
                                    SetDlgItemTextA(a.hwnd(), F::idTxtBezeichnung, "Bild");
                                    a.cmdOK_Click();
                                },
                                [&](Dialog& d) {
                                    frmSymbol& s = Auswahl(d);
                                    EXPECT_EQ(s.AuswahlIndex, 1);
                                    SendMessageA(s.Streifen().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                                                 MAKELPARAM(4 * TwipsZuPixel(645) + 20, 15));
                                    s.cmdOK_Click();
                                }});
    EXPECT_EQ(dialoge, 2);
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Bild", "Bild"}));
    EXPECT_EQ(Spalte(haupt.liste(), 3), (Texte{zwoelf + ",1", zwoelf + ",2"}));
}

TEST_F(ChangeDialog, ExePifScrOrPercentOneLockTheIconForTheWholeSelection) {
    const std::pair<const char*, const char*> sperren[] = {
        {"EXE", "x.dll,2"}, {"PIF", "x.dll,2"}, {"TXT", "%1"}};
    for (const auto& [ext, symbol] : sperren) {
        SCOPED_TRACE(ext);
        haupt.liste().Leeren();
        haupt.Zeile("BMP", "Bitmap", prog, zwoelf + ", 3");
        haupt.Zeile(ext, "Typ", prog, symbol);
        Markieren(haupt.liste(), {0, 1});
        Bearbeiten([&](frmAendern& a) {
            EXPECT_FALSE(Sichtbar(a.Element(F::idCmdSymbol)));
            a.cmdOK_Click();
        });
        EXPECT_EQ(Spalte(haupt.liste(), 3), (Texte{zwoelf + ", 3", symbol}));
    }
}

TEST_F(ChangeDialog, BothLocksLeaveOnlyTheDescriptionToChange) {
    Optionen.Bezeichnung = 1;
    haupt.Zeile("TXT", "Textdatei", prog + " %1", zwoelf + ",1");
    haupt.Zeile("EXE", "Anwendung", "\"%1\" %*", "%1");
    Markieren(haupt.liste(), {0, 1});
    Bearbeiten([&](frmAendern& a) {
        EXPECT_FALSE(IsWindowEnabled(a.Element(F::idTxtOeffnen)));
        SetDlgItemTextA(a.hwnd(), F::idTxtBezeichnung, "Neu");
        a.cmdOK_Click();
    });
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Neu", "Neu"}));
    EXPECT_EQ(Spalte(haupt.liste(), 2), (Texte{prog + " %1", "\"%1\" %*"}));
    EXPECT_EQ(Spalte(haupt.liste(), 3), (Texte{zwoelf + ",1", "%1"}));
    EXPECT_TRUE(geaendert);

    // A program named without extension locks the open command of a single type too.
    haupt.liste().Leeren();
    haupt.Zeile("INI", "Einstellungen", "notepad %1", "");
    Markieren(haupt.liste(), {0});
    Bearbeiten([&](frmAendern& a) {
        EXPECT_FALSE(IsWindowEnabled(a.Element(F::idTxtOeffnen)));
        EXPECT_FALSE(Sichtbar(a.Element(F::idChkBezeichnung)));
        a.cmdOK_Click();  // no check of the open command
    });
    EXPECT_EQ(Spalte(haupt.liste(), 2), (Texte{"notepad %1"}));
}

TEST_F(ChangeDialog, OkChecksInOrderAndWritesTheCommandAsTyped) {
    Meldungen boxen{IDOK, IDOK, IDOK, IDOK, IDOK};
    haupt.Zeile("TXT", "Textdatei", "notepad.exe %1");
    Markieren(haupt.liste(), {0});
    const std::string ohneLaufwerk = prog.substr(2);  // \work\...\symbole8.exe
    const std::string gequotet = "\"" + ohneLaufwerk + "\" \"%1\"";
    Bearbeiten([&](frmAendern& a) {
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
        versuch("Text", "notepad %1");
        versuch("Text", ohneLaufwerk + " %1");  // found, but starts with a backslash
        EXPECT_EQ(GetFocus(), a.Element(F::idTxtOeffnen));
        EXPECT_FALSE(geaendert);
        versuch("Text", gequotet);
    });
    const Box nichtGefunden{"Das angegebene Programm wurde nicht gefunden. Stellen Sie sicher, daß die "
                            "Dateinamen- und Pfadangabe richtig sind.", kFehler, kTitel};
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{{"Bitte eine Bezeichnung eingeben!", kFehler, kTitel},
                                                 {"Bitte einen Programmname eingeben oder auswählen!", kFehler, kTitel},
                                                 nichtGefunden, nichtGefunden, nichtGefunden}));
    EXPECT_EQ(Spalte(haupt.liste(), 2), (Texte{gequotet}));
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Text"}));
    EXPECT_TRUE(geaendert);
}

TEST_F(ChangeDialog, BrowseHelpAndCancel) {
    Dateiauswahl dateien{"", "C:\\Programme\\Neu\\neu.exe"};
    std::vector<std::pair<UINT, ULONG_PTR>> hilfe;
    HWND hilfeFenster = nullptr, dialog = nullptr;
    HilfeErsetzen([&](HWND h, UINT befehl, ULONG_PTR daten) {
        hilfeFenster = h;
        hilfe.push_back({befehl, daten});
    });
    haupt.Zeile("TXT", "Textdatei", "\"" + prog + "\" /x \"%1\"");
    Markieren(haupt.liste(), {0});
    Bearbeiten([&](frmAendern& a) {
        dialog = a.hwnd();
        a.cmdOeffnen_Click();
        EXPECT_EQ(Fenstertext(a.Element(F::idTxtOeffnen)), "\"" + prog + "\" /x \"%1\"");
        a.cmdOeffnen_Click();
        EXPECT_EQ(Fenstertext(a.Element(F::idTxtOeffnen)), "C:\\Programme\\Neu\\neu.exe \"%1\"");
        a.cmdHilfe_Click();
        SetDlgItemTextA(a.hwnd(), F::idTxtBezeichnung, "Anders");
        Taste(a, VK_ESCAPE);
    });
    HilfeErsetzen(nullptr);
    ASSERT_EQ(dateien.Aufrufe().size(), 2u);
    EXPECT_EQ(dateien.Aufrufe()[0].vorgabe, ProgrammSuchen(prog));
    ASSERT_EQ(hilfe.size(), 1u);
    EXPECT_EQ(hilfe[0], (std::pair<UINT, ULONG_PTR>{HELP_CONTEXT, 30}));
    EXPECT_EQ(hilfeFenster, dialog);
    // Cancel writes nothing.
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Textdatei"}));
    EXPECT_EQ(Spalte(haupt.liste(), 2), (Texte{"\"" + prog + "\" /x \"%1\""}));
    EXPECT_FALSE(geaendert);
}

TEST_F(ChangeDialog, WithoutALocationThePageShowsTheProgramIconUntilOneIsChosen) {
    haupt.Zeile("TXT", "Textdatei", "\"" + prog + "\" \"%1\"");
    haupt.Zeile("GIF", "GIF-Bild", "notepad.exe %1", "x.dll,1");
    Markieren(haupt.liste(), {0, 1});
    Bearbeiten([&](frmAendern& a) {
        EXPECT_TRUE(Sichtbar(a.Element(F::idPicSymbolDef)));
        EXPECT_FALSE(Sichtbar(a.Element(F::idPicSymbol)));
        EXPECT_EQ(a.Ort().Datei, prog);  // the quote removed
        a.cmdOK_Click();
    });
    // No icon was chosen: no selected line gets one.
    EXPECT_EQ(Spalte(haupt.liste(), 3), (Texte{"", "x.dll,1"}));

    Befehl({[&](Dialog& d) {
                frmAendern& a = Aendern(d);
                a.cmdSymbol_Click();
                EXPECT_EQ(Pixel(a.Element(F::idPicSymbol), 16, 16), Testfarbe(2));
                a.cmdOK_Click();
            },
            [&](Dialog& d) {
                frmSymbol& s = Auswahl(d);
                SendMessageA(s.Streifen().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                             MAKELPARAM(2 * TwipsZuPixel(645) + 20, 15));
                SendMessageA(s.Streifen().hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                             MAKELPARAM(2 * TwipsZuPixel(645) + 20, 15));
            }});
    EXPECT_EQ(Spalte(haupt.liste(), 3), (Texte{prog + ",2", prog + ",2"}));
}

TEST_F(ChangeDialog, LocationsWithoutCommaOrWithoutAnIconAreWrittenBackJoined) {
    struct Fall {
        std::string ort, geschrieben;
        COLORREF farbe;
    };
    const Fall faelle[] = {
        {Testdatei("symbol03.ico"), Testdatei("symbol03.ico") + ",0", Testfarbe(3)},
        // The icon cannot be extracted: the picture stays visible and empty.
        {Testdatei("luecke.dll") + " ,1", Testdatei("luecke.dll") + ",1", GetSysColor(COLOR_BTNFACE)},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.ort);
        haupt.liste().Leeren();
        haupt.Zeile("BMP", "Bitmap", prog, fall.ort);
        Markieren(haupt.liste(), {0});
        Bearbeiten([&](frmAendern& a) {
            EXPECT_FALSE(Sichtbar(a.Element(F::idChkSymbol)));
            EXPECT_TRUE(Sichtbar(a.Element(F::idPicSymbol)));
            EXPECT_EQ(Pixel(a.Element(F::idPicSymbol), 16, 16), fall.farbe);
            a.cmdOK_Click();
        });
        EXPECT_EQ(Spalte(haupt.liste(), 3), (Texte{fall.geschrieben}));
    }
}

TEST_F(ChangeDialog, TheMainWindowRunsItOnDoubleClickEnterMenuAndToolBar) {
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
    auto abbrechen = [](Dialog& d) { Aendern(d).cmdAbbrechen_Click(); };
    Treiber treiber({abbrechen, abbrechen, abbrechen, abbrechen});
    SendMessageA(liste, WM_LBUTTONDBLCLK, MK_LBUTTON, aufZeile);
    EXPECT_EQ(treiber.Geoeffnet(), 1);
    SendMessageA(liste, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_AENDERN, 0);
    haupt.fenster.Toolbar_ButtonClick(2, ID_AENDERN);
    EXPECT_EQ(treiber.Geoeffnet(), 4);
    EXPECT_FALSE(haupt.fenster.Geaendert());
    // Only OK marks the list as changed.
    Treiber ok({[](Dialog& d) { Aendern(d).cmdOK_Click(); }});
    SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_AENDERN, 0);
    EXPECT_TRUE(haupt.fenster.Geaendert());
}

}  // namespace
