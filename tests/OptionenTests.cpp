#include <cmath>

#include "Umgebung.h"
#include "settings/Optionen.h"

namespace {

using Settings = RegistryTest;

Einstellungen AlleLesen() {
    Einstellungen e;
    OptionenLesen(e, {"Autostart", "Autostartmeldung", "AutostartPause", "Mehrfachauswahl", "Bezeichnung", "Symbol",
                      "Sicherheitsabfrage", "Speichermeldung", "SpeichernPause", "Rueckgaengig", "Beenden"});
    return e;
}

TEST_F(Settings, StoredTextsAreReadAndBadOnesLeaveTheFieldAlone) {
    for (auto [name, wert] : {std::pair{"Autostart", "1"}, {"AutostartPause", "1,5"},
                              {"Beenden", "nein"}, {"Sicherheitsabfrage", "99999"}, {"Symbolleiste", "false"},
                              {"Statusleiste", "kaputt"}})
        Setzen(HKEY_CURRENT_USER, kOpt, name, wert);
    Setzen(HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickSpeed", "250");
    Einstellungen e = AlleLesen();
    EXPECT_EQ(e.Autostart, 1);
    EXPECT_FLOAT_EQ(e.AutostartPause, 1.5f);
    EXPECT_EQ(e.Beenden, 0);             // not a number: the field keeps its 0
    EXPECT_EQ(e.Sicherheitsabfrage, 0);  // beyond 16 bits: likewise
    EXPECT_FALSE(SchalterLesen(kOptionenSchluessel, "Symbolleiste", true));
    EXPECT_TRUE(SchalterLesen(kOptionenSchluessel, "Statusleiste", true));
    EXPECT_FLOAT_EQ(DoppelklickzeitLesen(), 0.25f);

    for (auto [name, wert] : {std::pair{"WindowState", "maximiert"}, {"width", "12000.5"}, {"SortKey", "4"}})
        Setzen(HKEY_CURRENT_USER, kStartup, name, wert);
    Fensterwerte f;
    f.WindowState = 1;
    FensterwerteLesen(f);
    EXPECT_EQ(f.WindowState, 1);  // built-in state kept
    EXPECT_FLOAT_EQ(f.width, 12000.5f);
    EXPECT_EQ(f.SortKey, 0);  // columns 0 to 3
}

TEST_F(Settings, ClosingWritesEverythingThatReadsBackTheSame) {
    Setzen(HKEY_CURRENT_USER, kRunSchluessel, "Anderes", "x");
    Einstellungen o;
    o.Autostart = 1;
    o.AutostartPause = 2.5f;
    Fensterwerte f;
    f.width = 8000;
    f.Spalten[1] = 2500;
    f.SortKey = 2;
    EinstellungenSpeichern(f, o, false, true, "C:\\Programme\\Endwart\\Endwart.exe");
    Einstellungen e = AlleLesen();
    EXPECT_EQ(e.Autostart, 1);
    EXPECT_EQ(e.Beenden, 0);  // written as it was in memory, not as the default
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kOpt, "AutostartPause"), "2.5");
    EXPECT_FALSE(SchalterLesen(kOptionenSchluessel, "Symbolleiste", true));
    EXPECT_TRUE(SchalterLesen(kOptionenSchluessel, "Statusleiste", false));
    Fensterwerte g;
    FensterwerteLesen(g);
    EXPECT_EQ(std::tuple(g.width, g.Spalten[1], g.SortKey), std::tuple(8000.0f, 2500.0f, int16_t(2)));
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kRunSchluessel, "Endungswart"), "C:\\Programme\\Endwart\\Endwart.EXE /autostart");

    // Autostart off removes the program's Run value, and only that; maximised, the window keeps
    // the stored geometry.
    Fensterwerte m;
    m.WindowState = 2;
    m.width = 999;
    EinstellungenSpeichern(m, Einstellungen{}, true, true, "C:\\E.exe");
    FensterwerteLesen(g);
    EXPECT_EQ(std::tuple(g.WindowState, g.width), std::tuple(int16_t(2), 8000.0f));
    EXPECT_FALSE(WertExistiert(HKEY_CURRENT_USER, kRunSchluessel, "Endungswart"));
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kRunSchluessel, "Anderes"), "x");
}

// A stored pause never holds the program; the Run entry names the program's folder and base
// name and quotes blanks.
TEST(Autostart, PausesAreHeldToFiveSecondsAndTheRunEntryQuotesBlanks) {
    const std::pair<float, double> pausen[] = {{1e9f, 5}, {NAN, 0}, {-2, 0}, {2.5f, 2.5}};
    for (auto [pause, dauer] : pausen) EXPECT_EQ(PauseBegrenzt(pause), dauer) << pause;
    const std::pair<const char*, const char*> faelle[] = {
        {"C:\\Program Files\\Endwart\\Endwart.exe", "\"C:\\Program Files\\Endwart\\Endwart.EXE\" /autostart"},
        {"D:\\Tools\\EW", "D:\\Tools\\EW.EXE /autostart"}};
    for (const auto& [pfad, eintrag] : faelle) EXPECT_EQ(RunEintrag(pfad), eintrag) << pfad;
}

}  // namespace
