#include "Dialogtreiber.h"
#include "Umgebung.h"
#include "app/Main.h"
#include "ui/Form.h"
#include "ui/dialogs/frmAendern.h"
#include "ui/dialogs/frmSymbol.h"

namespace {

const UINT kAchtung = MB_OK | MB_ICONEXCLAMATION;
const char* const kTitel = "Endungswart - Anderes Symbol";

HWND Rollbalken(frmSymbol& f) { return f.Element(frmSymbol::idHScroll); }
int Zellbreite() { return TwipsZuPixel(Symbolstreifen::kZelleBreite); }

// Background and icon colour of the cell at visible place `platz` of the strip.
COLORREF Grund(frmSymbol& f, int platz) { return Pixel(f.Streifen().hwnd(), platz * Zellbreite() + 1, 1); }
COLORREF Bild(frmSymbol& f, int platz) {
    return Pixel(f.Streifen().hwnd(), platz * Zellbreite() + Symbolstreifen::kSymbolX + 16,
                 Symbolstreifen::kSymbolY + 16);
}

void Klick(frmSymbol& f, int platz, UINT nachricht = WM_LBUTTONDOWN) {
    SendMessageA(f.Streifen().hwnd(), nachricht, MK_LBUTTON, MAKELPARAM(platz * Zellbreite() + 20, 15));
}

void NameTippen(frmSymbol& f, const std::string& name) {
    SetDlgItemTextA(f.hwnd(), frmSymbol::idTxtSymbol, name.c_str());
}

class IconChooser : public ::testing::Test {
protected:
    // Opens the chooser for the location `datei`,`index`; `schritt` runs once it is shown.
    INT_PTR Oeffnen(const std::string& datei, const std::string& index, std::function<void(frmSymbol&)> schritt) {
        ort = {datei, index};
        Treiber treiber({[&schritt](Dialog& d) { schritt(dynamic_cast<frmSymbol&>(d)); }});
        frmSymbol auswahl(nullptr, ort, 0.5f);
        INT_PTR ergebnis = auswahl.Zeigen(nullptr);
        EXPECT_EQ(treiber.Geoeffnet(), 1);
        return ergebnis;
    }
    Symbolort ort;  // what the chooser starts at and writes on OK
};

TEST_F(IconChooser, SevenIconsLeaveTheScrollBarOffAndEightRunItFromZeroToOne) {
    int von = -1, bis = -1;
    Oeffnen(Testdatei("symbole7.dll"), "0", [&](frmSymbol& f) {
        EXPECT_FALSE(IsWindowEnabled(Rollbalken(f)));
        // Every cell shows its own icon; cell 0 is highlighted.
        EXPECT_EQ(Grund(f, 0), Symbolstreifen::kBlau);
        for (int i = 0; i < 7; ++i) EXPECT_EQ(Bild(f, i), Testfarbe(i)) << "cell " << i;
        f.cmdAbbrechen_Click();
    });
    Oeffnen(Testdatei("symbole8.exe"), "0", [&](frmSymbol& f) {
        GetScrollRange(Rollbalken(f), SB_CTL, &von, &bis);
        // Scrolling moves the strip by whole cells and only changes what shows.
        SendMessageA(f.hwnd(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(Rollbalken(f)));
        EXPECT_EQ(f.Streifen().Erste(), 1);
        EXPECT_EQ(Bild(f, 0), Testfarbe(1));
        EXPECT_EQ(Bild(f, 6), Testfarbe(7));
        SendMessageA(f.hwnd(), WM_HSCROLL, SB_PAGERIGHT, reinterpret_cast<LPARAM>(Rollbalken(f)));
        EXPECT_EQ(GetScrollPos(Rollbalken(f), SB_CTL), 1);  // never past the end
        SendMessageA(f.hwnd(), WM_HSCROLL, SB_LEFT, reinterpret_cast<LPARAM>(Rollbalken(f)));
        EXPECT_EQ(f.Streifen().Erste(), 0);
        f.cmdAbbrechen_Click();
    });
    EXPECT_EQ(von, 0);
    EXPECT_EQ(bis, 1);
}

TEST_F(IconChooser, TheTakenOverIndexIsHighlightedAndScrolledInto) {
    struct Fall {
        const char* index;
        int auswahl, erste;
    };
    // Index 9 of twelve icons is the seventh visible cell; what the strip does not hold, a
    // negative index and a text that is no number start at the first icon.
    const Fall faelle[] = {{"9", 9, 3}, {"-2", 0, 0}, {"12", 0, 0}, {" 7x", 7, 1}};
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.index);
        std::string zurueck;
        INT_PTR ergebnis = Oeffnen(Testdatei("symbole12.dll"), fall.index, [&](frmSymbol& f) {
            EXPECT_EQ(f.AuswahlIndex, fall.auswahl);
            EXPECT_EQ(f.Streifen().Erste(), fall.erste);
            EXPECT_EQ(Grund(f, fall.auswahl - fall.erste), Symbolstreifen::kBlau);
            f.cmdOK_Click();
        });
        EXPECT_EQ(ergebnis, IDOK);
        EXPECT_EQ(ort.Index, std::to_string(fall.auswahl));
    }
}

TEST_F(IconChooser, ASecondClickWithinTheDoubleClickTimeConfirmsOnAnElapsedClock) {
    Testuhr uhr;
    uhr.jetzt = 86399.9;  // just before midnight on a time-of-day clock
    INT_PTR ergebnis = Oeffnen(Testdatei("symbole12.dll"), "0", [&](frmSymbol& f) {
        Klick(f, 0);  // the highlighted cell, never clicked before: nothing
        Klick(f, 2);
        EXPECT_EQ(f.AuswahlIndex, 2);
        uhr.jetzt += 0.6;
        Klick(f, 2);  // too late: nothing
        Klick(f, 3);
        uhr.jetzt += 0.4;
        Klick(f, 3);
    });
    EXPECT_EQ(ergebnis, IDOK);
    EXPECT_EQ(ort.Index, "3");

    // A double click on the highlighted face confirms whatever the time.
    ergebnis = Oeffnen(Testdatei("symbole12.dll"), "0", [&](frmSymbol& f) {
        Klick(f, 5);
        uhr.jetzt += 10;
        Klick(f, 5, WM_LBUTTONDBLCLK);
    });
    EXPECT_EQ(ergebnis, IDOK);
    EXPECT_EQ(ort.Index, "5");
}

// "&Aktuelles Symbol:" and Tab lead to the strip; there the keys move the highlight and keep
// it in view, and Enter takes it.
TEST_F(IconChooser, TheKeysChooseInTheStripAndEnterTakesIt) {
    INT_PTR ergebnis = Oeffnen(Testdatei("symbole12.dll"), "2", [&](frmSymbol& f) {
        HWND streifen = f.Streifen().hwnd();
        // Next in the tab order after the name field and its label.
        EXPECT_EQ(GetNextDlgTabItem(f.hwnd(), f.Element(frmSymbol::idTxtSymbol), FALSE), streifen);
        EXPECT_EQ(GetWindow(f.Element(frmSymbol::idLblSymbol), GW_HWNDNEXT), streifen);
        const struct {
            WORD taste;
            int auswahl, erste;
        } schritte[] = {{VK_RIGHT, 3, 0}, {VK_END, 11, 5},  {VK_RIGHT, 11, 5}, {VK_HOME, 0, 0},
                        {VK_LEFT, 0, 0},  {VK_NEXT, 7, 1},  {VK_PRIOR, 0, 0},  {VK_RIGHT, 1, 0}};
        for (const auto& s : schritte) {
            PostMessageA(streifen, WM_KEYDOWN, s.taste, 0);
            Abarbeiten(f);
            EXPECT_EQ(f.AuswahlIndex, s.auswahl) << s.taste;
            EXPECT_EQ(f.Streifen().Erste(), s.erste) << s.taste;
            EXPECT_EQ(Grund(f, s.auswahl - s.erste), Symbolstreifen::kBlau) << s.taste;
        }
        PostMessageA(streifen, WM_KEYDOWN, VK_RETURN, 0);
        Abarbeiten(f);
    });
    EXPECT_EQ(ergebnis, IDOK);
    EXPECT_EQ(ort.Index, "1");
}

TEST_F(IconChooser, ATypedNameMakesTheStripStaleUntilAClickTabOrOkLoadsIt) {
    INT_PTR ergebnis = Oeffnen(Testdatei("symbole7.dll"), "3", [&](frmSymbol& f) {
        NameTippen(f, Testdatei("symbole12.dll"));
        EXPECT_TRUE(f.NameGeaendert);
        Klick(f, 2);  // loads instead of choosing
        EXPECT_EQ(f.SymbolAnzahl, 12);
        EXPECT_EQ(f.AuswahlIndex, 0);
        EXPECT_FALSE(f.NameGeaendert);
        // Tab to the strip, or the focus to the scroll bar.
        NameTippen(f, Testdatei("symbole8.exe"));
        SetForegroundWindow(f.hwnd());  // other programs on the desktop must not hold the keys
        SetFocus(f.Element(frmSymbol::idTxtSymbol));
        Taste(f, VK_TAB);
        EXPECT_EQ(GetFocus(), f.Streifen().hwnd());
        EXPECT_EQ(f.SymbolAnzahl, 8);
        NameTippen(f, Testdatei("symbole7.dll"));
        f.FokusSetzen(Rollbalken(f));
        Abarbeiten(f);
        EXPECT_EQ(f.SymbolAnzahl, 7);
        // OK: the first loads, the second returns icon 0 of the new file.
        NameTippen(f, "SHELL32.dll");
        f.cmdOK_Click();
        EXPECT_GT(f.SymbolAnzahl, 100);
        f.cmdOK_Click();
    });
    EXPECT_EQ(ergebnis, IDOK);
    EXPECT_EQ(ort.Datei, "SHELL32.dll");  // as typed, not the path found
    EXPECT_EQ(ort.Index, "0");
}

TEST_F(IconChooser, NamesThatCannotBeUsedGetTheirMessagesAndEmptyTheStrip) {
    const std::string ohne = Testdatei("ohne.dll");
    const std::string symbole = Testdatei("symbole7.dll");
    Meldungen boxen{IDOK, IDOK, IDOK, IDOK};
    Oeffnen(symbole, "2", [&](frmSymbol& f) {
        NameTippen(f, "");
        f.cmdOK_Click();
        EXPECT_EQ(f.SymbolAnzahl, 0);
        EXPECT_EQ(GetFocus(), f.Element(frmSymbol::idTxtSymbol));
        NameTippen(f, "gibt-es-nicht.dll");
        Klick(f, 0);
        // A leading backslash is refused even where the file exists.
        NameTippen(f, symbole.substr(2));
        ASSERT_FALSE(ProgrammSuchen(symbole.substr(2)).empty());
        f.cmdOK_Click();
        NameTippen(f, ohne);
        f.cmdOK_Click();
        EXPECT_EQ(f.SymbolAnzahl, 0);
        EXPECT_TRUE(f.NameGeaendert);
        f.cmdAbbrechen_Click();
    });
    const Box nichtGefunden{"Die angegebene Datei wurde nicht gefunden.\nÜberprüfen Sie die Pfad- und "
                            "Dateinamenangabe.", kAchtung, kTitel};
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{
                                   {"Bitte geben Sie einen Dateiname an oder wählen Sie die Schaltfläche "
                                    "Durchsuchen zur Auswahl eines Dateinamens.", kAchtung, kTitel},
                                   nichtGefunden, nichtGefunden,
                                   {"Die Datei \"" + ohne + "\" enthält keine Symbole.\n\nWählen Sie ein "
                                    "Symbol in der Liste, oder geben Sie eine andere Datei an.", kAchtung, kTitel}}));
    // Cancel hands nothing back.
    EXPECT_EQ(ort.Datei, symbole);
    EXPECT_EQ(ort.Index, "2");
}

TEST_F(IconChooser, BrowsingToAFileWithoutIconsKeepsStripAndSelectionInStep) {
    Meldungen boxen{IDOK};
    const std::string ohne = Testdatei("ohne.dll"), sieben = Testdatei("symbole7.dll");
    Dateiauswahl dateien{ohne, "", sieben};  // the second one cancelled
    INT_PTR ergebnis = Oeffnen(Testdatei("symbole12.dll"), "5", [&](frmSymbol& f) {
        f.cmdDurchsuchen_Click();
        EXPECT_EQ(f.SymbolAnzahl, 12);
        EXPECT_EQ(f.AuswahlIndex, 5);
        f.cmdDurchsuchen_Click();
        EXPECT_EQ(f.AuswahlIndex, 5);
        f.cmdDurchsuchen_Click();
        EXPECT_EQ(Fenstertext(f.Element(frmSymbol::idTxtSymbol)), sieben);
        EXPECT_EQ(f.SymbolAnzahl, 7);
        EXPECT_EQ(f.AuswahlIndex, 0);
        f.cmdOK_Click();
    });
    EXPECT_EQ(ergebnis, IDOK);
    EXPECT_EQ(ort.Datei, sieben);
    EXPECT_EQ(ort.Index, "0");
    EXPECT_EQ(boxen.Gezeigt().size(), 1u);
    ASSERT_EQ(dateien.Aufrufe().size(), 3u);
    EXPECT_EQ(dateien.Aufrufe()[0].vorgabe, Testdatei("symbole12.dll"));
}

TEST_F(IconChooser, AnIconThatCannotBeExtractedKeepsItsCellEmptyAndUnchoosable) {
    Oeffnen(Testdatei("luecke.dll"), "0", [&](frmSymbol& f) {
        EXPECT_EQ(f.SymbolAnzahl, 3);
        EXPECT_FALSE(f.Streifen().Vorhanden(1));
        EXPECT_EQ(Bild(f, 1), Symbolstreifen::kWeiss);
        EXPECT_EQ(Bild(f, 2), Testfarbe(2));  // the next icon stays in its own place
        Klick(f, 1);
        EXPECT_EQ(f.AuswahlIndex, 0);
        SendMessageA(f.Streifen().hwnd(), WM_KEYDOWN, VK_RIGHT, 0);  // past it by key
        EXPECT_EQ(f.AuswahlIndex, 2);
        f.cmdAbbrechen_Click();
    });
}

}  // namespace
