#include "Umgebung.h"
#include "settings/Optionen.h"
#include "platform/Registry.h"

namespace {

using Settings = RegistryTest;

Einstellungen AlleLesen() {
    Einstellungen e;
    OptionenLesen(e, {"Autostart", "Autostartmeldung", "AutostartPause", "Mehrfachauswahl", "Bezeichnung", "Symbol",
                      "Sicherheitsabfrage", "Speichermeldung", "SpeichernPause", "Rueckgaengig", "Beenden"});
    return e;
}

TEST_F(Settings, StoredTextsAreReadAndBadOnesLeaveTheFieldAlone) {
    Setzen(HKEY_CURRENT_USER, kOpt, "Autostart", "1");
    Setzen(HKEY_CURRENT_USER, kOpt, "AutostartPause", "1,5");
    Setzen(HKEY_CURRENT_USER, kOpt, "SpeichernPause", "2.5");
    Setzen(HKEY_CURRENT_USER, kOpt, "Beenden", "nein");
    Setzen(HKEY_CURRENT_USER, kOpt, "Sicherheitsabfrage", "99999");
    Setzen(HKEY_CURRENT_USER, kOpt, "Symbolleiste", "false");
    Setzen(HKEY_CURRENT_USER, kOpt, "Statusleiste", "kaputt");
    Setzen(HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickSpeed", "250");
    Einstellungen e = AlleLesen();
    EXPECT_EQ(e.Autostart, 1);
    EXPECT_FLOAT_EQ(e.AutostartPause, 1.5f);
    EXPECT_FLOAT_EQ(e.SpeichernPause, 2.5f);
    EXPECT_EQ(e.Beenden, 0);             // not a number: the field keeps its 0
    EXPECT_EQ(e.Sicherheitsabfrage, 0);  // beyond 16 bits: likewise
    EXPECT_FALSE(SchalterLesen(kOptionenSchluessel, "Symbolleiste", true));
    EXPECT_TRUE(SchalterLesen(kOptionenSchluessel, "Statusleiste", true));
    EXPECT_FLOAT_EQ(DoppelklickzeitLesen(), 0.25f);

    Setzen(HKEY_CURRENT_USER, kStartup, "WindowState", "maximiert");
    Setzen(HKEY_CURRENT_USER, kStartup, "width", "12000.5");
    Setzen(HKEY_CURRENT_USER, kStartup, "SortKey", "4");
    Setzen(HKEY_CURRENT_USER, kStartup, "SortOrder", "1");
    Fensterwerte f;
    f.WindowState = 1;
    FensterwerteLesen(f);
    EXPECT_EQ(f.WindowState, 1);  // built-in state kept
    EXPECT_FLOAT_EQ(f.width, 12000.5f);
    EXPECT_EQ(f.SortKey, 0);
    EXPECT_EQ(f.SortOrder, 1);
}

TEST_F(Settings, NothingStoredReadsAsTheFirstRunsValues) {
    const Einstellungen e = AlleLesen(), standard = Standardeinstellungen();
    for (const Einstellungen* o : {&e, &standard}) {
        EXPECT_EQ(o->Autostart + o->Autostartmeldung + o->Mehrfachauswahl + o->Bezeichnung + o->Symbol, 0);
        EXPECT_EQ(o->Sicherheitsabfrage + o->Speichermeldung + o->Rueckgaengig + o->Beenden, 4);
        EXPECT_EQ(o->AutostartPause + o->SpeichernPause, 0.0f);
    }
    Fensterwerte f;
    f.top = f.left = f.height = f.width = f.Spalten[0] = f.Spalten[3] = 1;
    f.SortKey = 2;
    FensterwerteLesen(f);
    EXPECT_EQ(f.top, 400.0f);
    EXPECT_EQ(f.left, 200.0f);
    EXPECT_EQ(f.height, 5000.0f);
    EXPECT_EQ(f.width, 9400.0f);
    EXPECT_EQ(f.Spalten[0], 750.0f);
    EXPECT_EQ(f.Spalten[3], 9000.0f);
    EXPECT_EQ(f.SortKey, 0);
}

TEST_F(Settings, ClosingWritesEverythingThatReadsBackTheSame) {
    Einstellungen o;
    o.Autostart = 1;
    o.Autostartmeldung = 1;
    o.AutostartPause = 2.5f;
    o.Sicherheitsabfrage = 1;
    o.SpeichernPause = 0.5f;
    Fensterwerte f;
    f.left = 300;
    f.width = 8000;
    f.Spalten[1] = 2500;
    f.SortKey = 2;
    f.SortOrder = 1;
    EinstellungenSpeichern(f, o, false, true, "C:\\Programme\\Endwart\\Endwart.exe");

    Einstellungen e = AlleLesen();
    EXPECT_EQ(e.Autostart, 1);
    EXPECT_FLOAT_EQ(e.AutostartPause, 2.5f);
    EXPECT_EQ(e.Beenden, 0);  // written as it was in memory, not as the default
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kOpt, "AutostartPause"), "2.5");
    EXPECT_FALSE(SchalterLesen(kOptionenSchluessel, "Symbolleiste", true));
    EXPECT_TRUE(SchalterLesen(kOptionenSchluessel, "Statusleiste", false));
    Fensterwerte g;
    FensterwerteLesen(g);
    EXPECT_EQ(g.width, 8000);
    EXPECT_EQ(g.Spalten[1], 2500);
    EXPECT_EQ(g.SortKey, 2);
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kRunSchluessel, "Endungswart"),
              "C:\\Programme\\Endwart\\Endwart.EXE /autostart");
}

TEST_F(Settings, MinimisedOrMaximisedKeepsTheStoredGeometry) {
    for (int16_t zustand : {int16_t(2), int16_t(1)}) {
        Setzen(HKEY_CURRENT_USER, kStartup, "left", "111");
        Fensterwerte f;
        f.WindowState = zustand;
        f.left = 999;
        EinstellungenSpeichern(f, Einstellungen{}, true, true, "C:\\E.exe");
        EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStartup, "WindowState"), std::to_string(zustand));
        EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStartup, "left"), "111");
        Fensterwerte g;
        FensterwerteLesen(g);
        EXPECT_EQ(g.WindowState, zustand);
    }
}

TEST_F(Settings, AutostartOffRemovesTheRunValueOnly) {
    Setzen(HKEY_CURRENT_USER, kRunSchluessel, "Endungswart", "von Hand");
    Setzen(HKEY_CURRENT_USER, kRunSchluessel, "Anderes", "x");
    EinstellungenSpeichern(Fensterwerte{}, Einstellungen{}, true, true, "C:\\E.exe");
    EinstellungenSpeichern(Fensterwerte{}, Einstellungen{}, true, true, "C:\\E.exe");
    EXPECT_FALSE(WertExistiert(HKEY_CURRENT_USER, kRunSchluessel, "Endungswart"));
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kRunSchluessel, "Anderes"), "x");
    EXPECT_TRUE(Existiert(HKEY_CURRENT_USER, kRunSchluessel));
}

TEST(RunEntry, TakesDirectoryAndBaseNameAndQuotesBlanks) {
    EXPECT_EQ(RunEintrag("C:\\Programme\\Endwart\\Endwart.exe"), "C:\\Programme\\Endwart\\Endwart.EXE /autostart");
    EXPECT_EQ(RunEintrag("C:\\Endwart.exe"), "C:\\Endwart.EXE /autostart");
    EXPECT_EQ(RunEintrag("C:\\Program Files\\Endwart\\Endwart.exe"),
              "\"C:\\Program Files\\Endwart\\Endwart.EXE\" /autostart");
    EXPECT_EQ(RunEintrag("D:\\Tools\\EW"), "D:\\Tools\\EW.EXE /autostart");
}

}  // namespace
