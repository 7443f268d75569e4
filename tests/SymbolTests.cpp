#include "Dialogtreiber.h"
#include "Umgebung.h"
#include "app/Main.h"
#include "ui/Form.h"
#include "ui/dialogs/frmAendern.h"
#include "ui/dialogs/frmSymbol.h"

namespace {

using F = frmSymbol;
const UINT kAchtung = MB_OK | MB_ICONEXCLAMATION;
const char* const kTitel = "Endungswart - Anderes Symbol";

int Zellbreite() { return TwipsZuPixel(Symbolstreifen::kZelleBreite); }
// Background and icon colour of the cell at visible place `platz` of the strip.
COLORREF Grund(F& f, int platz) { return Pixel(f.Streifen().hwnd(), platz * Zellbreite() + 1, 1); }
COLORREF Bild(F& f, int platz) {
    return Pixel(f.Streifen().hwnd(), platz * Zellbreite() + Symbolstreifen::kSymbolX + 16, Symbolstreifen::kSymbolY + 16);
}
void NameTippen(F& f, const std::string& name) { SetDlgItemTextA(f.hwnd(), F::idTxtSymbol, name.c_str()); }
void Rollen(F& f, WORD wie) {
    SendMessageA(f.hwnd(), WM_HSCROLL, wie, reinterpret_cast<LPARAM>(f.Element(F::idHScroll)));
}

class IconChooser : public ::testing::Test {
protected:
    // Opens the chooser for the location `datei`,`index`; `schritt` runs once it is shown.
    INT_PTR Oeffnen(const std::string& datei, const std::string& index, std::function<void(F&)> schritt) {
        ort = {datei, index};
        Treiber treiber({[&schritt](Dialog& d) { schritt(dynamic_cast<F&>(d)); }});
        F auswahl(nullptr, ort, 0.5f);
        INT_PTR ergebnis = auswahl.Zeigen(nullptr);
        EXPECT_EQ(treiber.Geoeffnet(), 1);
        return ergebnis;
    }
    Symbolort ort;  // what the chooser starts at and writes on OK
};

// Every cell shows its own icon, an icon that cannot be extracted an empty cell that cannot
// be chosen; the strip scrolls by whole cells from 0 to the number of icons beyond seven. An
// index the file does not hold, or a negative one, starts at the first icon.
TEST_F(IconChooser, TheStripShowsEachIconInItsPlaceAndScrollsByWholeCells) {
    Oeffnen(Testdatei("symbole8.exe"), "8", [&](F& f) {
        EXPECT_EQ(f.AuswahlIndex, 0);
        for (int i = 0; i < 7; ++i) EXPECT_EQ(Bild(f, i), Testfarbe(i)) << "cell " << i;
        Rollen(f, SB_LINERIGHT);
        EXPECT_EQ(f.Streifen().Erste(), 1);
        EXPECT_EQ(Bild(f, 6), Testfarbe(7));
        Rollen(f, SB_PAGERIGHT);
        EXPECT_EQ(GetScrollPos(f.Element(F::idHScroll), SB_CTL), 1);  // never past the end
        f.cmdAbbrechen_Click();
    });
    Oeffnen(Testdatei("luecke.dll"), "-2", [&](F& f) {
        EXPECT_FALSE(IsWindowEnabled(f.Element(F::idHScroll)));  // nothing to scroll
        EXPECT_EQ(f.SymbolAnzahl, 3);
        EXPECT_EQ(Bild(f, 1), Symbolstreifen::kWeiss);
        EXPECT_EQ(Bild(f, 2), Testfarbe(2));
        Klick(f, 1);
        EXPECT_EQ(f.AuswahlIndex, 0);
        SendMessageA(f.Streifen().hwnd(), WM_KEYDOWN, VK_RIGHT, 0);  // past it by key
        EXPECT_EQ(f.AuswahlIndex, 2);
        f.cmdAbbrechen_Click();
    });
    EXPECT_EQ(ort.Index, "-2");  // Cancel hands nothing back
}

TEST_F(IconChooser, ASecondClickWithinTheDoubleClickTimeConfirmsOnAnElapsedClock) {
    Testuhr uhr;
    uhr.jetzt = 86399.9;  // just before midnight on a time-of-day clock
    EXPECT_EQ(Oeffnen(Testdatei("symbole12.dll"), "0", [&](F& f) {
                  Klick(f, 0);  // the highlighted cell, never clicked before: nothing
                  Klick(f, 2);
                  EXPECT_EQ(f.AuswahlIndex, 2);
                  uhr.jetzt += 0.6;
                  Klick(f, 2);  // too late: nothing
                  Klick(f, 3);
                  uhr.jetzt += 0.4;
                  Klick(f, 3);
              }),
              IDOK);
    EXPECT_EQ(ort.Index, "3");
}

// The index taken over is highlighted and scrolled into view. "&Aktuelles Symbol:" and Tab
// lead to the strip; there the keys move the highlight and keep it in view, and Enter takes it.
TEST_F(IconChooser, TheKeysChooseInTheStripAndEnterTakesIt) {
    EXPECT_EQ(Oeffnen(Testdatei("symbole12.dll"), "9", [&](F& f) {
                  HWND streifen = f.Streifen().hwnd();
                  // Next in the tab order after the name field and its label.
                  EXPECT_EQ(GetNextDlgTabItem(f.hwnd(), f.Element(F::idTxtSymbol), FALSE), streifen);
                  EXPECT_EQ(GetWindow(f.Element(F::idLblSymbol), GW_HWNDNEXT), streifen);
                  // Index 9 of twelve icons is the seventh visible cell; the first row is no key.
                  const struct {
                      WORD taste;
                      int auswahl, erste;
                  } schritte[] = {{0, 9, 3},       {VK_RIGHT, 10, 4}, {VK_END, 11, 5},  {VK_RIGHT, 11, 5},
                                  {VK_HOME, 0, 0}, {VK_LEFT, 0, 0},   {VK_NEXT, 7, 1},  {VK_PRIOR, 0, 0},
                                  {VK_RIGHT, 1, 0}};
                  for (const auto& s : schritte) {
                      if (s.taste) PostMessageA(streifen, WM_KEYDOWN, s.taste, 0);
                      Abarbeiten(f);
                      EXPECT_EQ(f.AuswahlIndex, s.auswahl) << s.taste;
                      EXPECT_EQ(f.Streifen().Erste(), s.erste) << s.taste;
                      EXPECT_EQ(Grund(f, s.auswahl - s.erste), Symbolstreifen::kBlau) << s.taste;
                  }
                  PostMessageA(streifen, WM_KEYDOWN, VK_RETURN, 0);
                  Abarbeiten(f);
              }),
              IDOK);
    EXPECT_EQ(ort.Index, "1");
}

// A typed name leaves the strip stale until a click or OK loads it; the browse button loads
// what was chosen, and a file without icons then keeps strip and selection in step. Names that
// cannot be used get their messages and empty the strip.
TEST_F(IconChooser, TypedOrBrowsedNamesLoadTheirIconsOrTellWhyNot) {
    const std::string ohne = Testdatei("ohne.dll"), sieben = Testdatei("symbole7.dll");
    Meldungen boxen{IDOK, IDOK, IDOK, IDOK, IDOK};
    Dateiauswahl dateien{ohne, sieben};
    EXPECT_EQ(Oeffnen(sieben, "3", [&](F& f) {
                  NameTippen(f, Testdatei("symbole12.dll"));
                  Klick(f, 2);  // loads instead of choosing
                  EXPECT_EQ(f.SymbolAnzahl, 12);
                  EXPECT_EQ(f.AuswahlIndex, 0);
                  EXPECT_FALSE(f.NameGeaendert);
                  Klick(f, 5);
                  f.cmdDurchsuchen_Click();  // a file without icons
                  EXPECT_EQ(std::pair(f.SymbolAnzahl, f.AuswahlIndex), std::pair(int16_t(12), int16_t(5)));
                  f.cmdDurchsuchen_Click();
                  EXPECT_EQ(Fenstertext(f.Element(F::idTxtSymbol)), sieben);
                  EXPECT_EQ(std::pair(f.SymbolAnzahl, f.AuswahlIndex), std::pair(int16_t(7), int16_t(0)));

                  NameTippen(f, "");
                  f.cmdOK_Click();
                  EXPECT_EQ(f.SymbolAnzahl, 0);
                  EXPECT_EQ(GetFocus(), f.Element(F::idTxtSymbol));
                  NameTippen(f, "gibt-es-nicht.dll");
                  Klick(f, 0);
                  // A leading backslash is refused even where the file exists.
                  NameTippen(f, sieben.substr(2));
                  ASSERT_FALSE(ProgrammSuchen(sieben.substr(2)).empty());
                  f.cmdOK_Click();
                  NameTippen(f, ohne);
                  f.cmdOK_Click();
                  EXPECT_EQ(f.SymbolAnzahl, 0);
                  EXPECT_TRUE(f.NameGeaendert);
                  // OK: the first loads, the second returns icon 0 of the new file.
                  NameTippen(f, "SHELL32.dll");
                  f.cmdOK_Click();
                  EXPECT_GT(f.SymbolAnzahl, 100);
                  f.cmdOK_Click();
              }),
              IDOK);
    EXPECT_EQ(ort.Datei, "SHELL32.dll");  // as typed, not the path found
    EXPECT_EQ(ort.Index, "0");
    EXPECT_EQ(dateien.Vorgaben()[0], Testdatei("symbole12.dll"));
    const Box nichtGefunden{"Die angegebene Datei wurde nicht gefunden.\nÜberprüfen Sie die Pfad- und "
                            "Dateinamenangabe.", kAchtung, kTitel};
    const Box keine{"Die Datei \"" + ohne + "\" enthält keine Symbole.\n\nWählen Sie ein Symbol in der "
                    "Liste, oder geben Sie eine andere Datei an.", kAchtung, kTitel};
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{
                                   keine,
                                   {"Bitte geben Sie einen Dateiname an oder wählen Sie die Schaltfläche "
                                    "Durchsuchen zur Auswahl eines Dateinamens.", kAchtung, kTitel},
                                   nichtGefunden, nichtGefunden, keine}));
}

}  // namespace
