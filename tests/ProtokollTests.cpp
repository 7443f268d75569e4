#include <algorithm>

#include "Umgebung.h"
#include "app/Main.h"
#include "settings/Optionen.h"
#include "platform/Text.h"
#include "filetypes/Protokoll.h"
#include "filetypes/Sicherung.h"
#include "filetypes/Wiederherstellen.h"
#include "resource.h"
#include "ui/dialogs/frmProtokoll.h"

namespace {

std::string NeueDatei() { return ProtokollDatei().substr(0, ProtokollDatei().size() - 1) + "$"; }

// Plays a process killed during a write: from step `bei` on nothing reaches the disk. 1 the log
// exists, 2 half of the new file written, 3 the new file complete, 4 the old log deleted.
class Abbruch : public Dateischritte {
public:
    explicit Abbruch(int bei) : bei_(bei) { DateienErsetzen(this); }
    ~Abbruch() override { DateienErsetzen(nullptr); }
    bool Anlegen(const std::string& pfad) override { return !tot_ && Dateischritte::Anlegen(pfad); }
    bool Schreiben(const std::string& pfad, const std::string& inhalt) override {
        if (bei_ == 2 && !tot_) Dateischritte::Schreiben(pfad, inhalt.substr(0, inhalt.size() / 2));
        return !Stirbt(bei_ <= 2) && Dateischritte::Schreiben(pfad, inhalt);
    }
    bool Loeschen(const std::string& pfad) override {
        const bool log = pfad == ProtokollDatei();
        if (Stirbt(bei_ == 3 && log) || !Dateischritte::Loeschen(pfad)) return false;
        geloescht_ = geloescht_ || log;
        return true;
    }
    bool Umbenennen(const std::string& von, const std::string& nach) override {
        return !Stirbt(bei_ == 4 && geloescht_) && Dateischritte::Umbenennen(von, nach);
    }

private:
    bool Stirbt(bool jetzt) { return tot_ = tot_ || jetzt; }
    int bei_;
    bool tot_ = false, geloescht_ = false;
};

Protokolleintrag Eintrag(const std::string& datum, const std::string& ext, const char* wert = kWertOeffnen) {
    return {datum, ext, wert, "fremd.exe %1", "notepad.exe %1"};
}

std::vector<std::string> Felder(const std::vector<Protokolleintrag>& liste, std::string Protokolleintrag::*feld) {
    std::vector<std::string> texte;
    for (const Protokolleintrag& e : liste) texte.push_back(e.*feld);
    return texte;
}

using S = std::vector<std::string>;

// Every key and value under a root, for comparing before and after.
std::string Abzug(HKEY root, const std::string& pfad = "") {
    HKEY h;
    if (RegOpenKeyExA(root, pfad.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "";
    std::string text = "[" + pfad + "]\n";
    char name[1024];
    BYTE daten[4096];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name, d = sizeof daten, typ = 0;
        if (RegEnumValueA(h, i, name, &n, nullptr, &typ, daten, &d) != ERROR_SUCCESS) break;
        text += std::string(name, n) + "=" + std::string(reinterpret_cast<char*>(daten), d) + "\n";
    }
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name;
        if (RegEnumKeyExA(h, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        text += Abzug(root, pfad.empty() ? name : pfad + "\\" + name);
    }
    RegCloseKey(h);
    return text;
}

using Vergleich = Hauptfenstertest;

TEST_F(Vergleich, EqualValuesAndLetterCaseInCommandsGiveNoEntry) {
    TypAnlegen("txt", "TXTFILE", "Textdatei", "NOTEPAD.EXE %1", "NOTEPAD.EXE,0");
    haupt.Zeile("TXT", "Textdatei", "notepad.exe %1", "notepad.exe,0");
    TypAnlegen("ini", "inifile", "einstellungen", "notepad.exe %1", "alt.ico");
    haupt.Zeile("INI", "Einstellungen", "notepad.exe %1", "");  // no icon stored: none written
    auto liste = SicherungWiederherstellen(haupt.liste(), nullptr);
    ASSERT_EQ(liste.size(), 1u);
    EXPECT_EQ(liste[0].Erweiterung, "INI");
    EXPECT_EQ(liste[0].Wert, "Bezeichnung");  // descriptions compare exactly
    EXPECT_EQ(liste[0].Vorgefunden, "einstellungen");
    EXPECT_TRUE(IstZeitstempel(liste[0].Datum)) << liste[0].Datum;
}

TEST_F(Vergleich, EachDifferingValueIsOneEntryAndASecondRunAddsNothing) {
    TypAnlegen("txt", "txtfile", "Fremd", "fremd.exe %1", "fremd.exe,2");
    haupt.Zeile("TXT", "Textdatei", "notepad.exe %1", "notepad.exe,0");
    auto liste = SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Felder(liste, &Protokolleintrag::Wert), (S{"Bezeichnung", "Öffnen mit", "Symbol"}));
    EXPECT_EQ(Felder(liste, &Protokolleintrag::Vorgefunden), (S{"Fremd", "fremd.exe %1", "fremd.exe,2"}));
    EXPECT_EQ(Felder(liste, &Protokolleintrag::Wiederhergestellt),
              (S{"Textdatei", "notepad.exe %1", "notepad.exe,0"}));
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile"), "Textdatei");
    EXPECT_TRUE(SicherungWiederherstellen(haupt.liste(), nullptr).empty());
}

TEST_F(Vergleich, AnExtensionPointingElsewhereOrNowhere) {
    // Pointed at another program's class, which it shares with .log: split off.
    TypAnlegen("txt", "fremdfile", "Fremd", "fremd.exe %1");
    Setzen(HKEY_CLASSES_ROOT, ".log", "", "fremdfile");
    haupt.Zeile("TXT", "Textdatei", "notepad.exe %1");
    // Not registered at all.
    haupt.Zeile("WEG", "Weg", "weg.exe %1", "weg.exe,0");
    auto liste = SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Felder(liste, &Protokolleintrag::Erweiterung), (S{"TXT", "TXT", "TXT", "WEG", "WEG", "WEG", "WEG"}));
    EXPECT_EQ(Felder(liste, &Protokolleintrag::Wert),
              (S{"Schlüssel", "Bezeichnung", "Öffnen mit", "Schlüssel", "Bezeichnung", "Öffnen mit", "Symbol"}));
    EXPECT_EQ(Felder(liste, &Protokolleintrag::Vorgefunden), (S{"fremdfile", "Fremd", "fremd.exe %1", "", "", "", ""}));
    EXPECT_EQ(liste[0].Wiederhergestellt, "txt-datei");
    EXPECT_EQ(liste[3].Wiederhergestellt, "weg-datei");
    EXPECT_TRUE(SicherungWiederherstellen(haupt.liste(), nullptr).empty());
}

TEST_F(Vergleich, ATypeThatCannotBeWrittenSaysSo) {
    // A class key that takes no lasting subkeys: the open command cannot be written.
    Fluechtig("txtfile");
    Setzen(HKEY_CLASSES_ROOT, ".txt", "", "txtfile");
    haupt.Zeile("TXT", "Textdatei", "notepad.exe %1");
    haupt.Zeile("INI", "Einstellungen", "notepad.exe %1");
    auto liste = SicherungWiederherstellen(haupt.liste(), nullptr);
    ASSERT_EQ(liste.size(), 5u);
    EXPECT_EQ(liste[0].Wert, "Bezeichnung");
    EXPECT_EQ(liste[0].Wiederhergestellt, "konnte nicht geschrieben werden");
    EXPECT_EQ(liste[1].Wiederhergestellt, "konnte nicht geschrieben werden");
    EXPECT_EQ(liste[2].Erweiterung, "INI");  // the next type is restored regardless
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "ini-datei"), "Einstellungen");
}

class Logdatei : public RegistryTest {};

TEST_F(Logdatei, AppendsWholeLinesInTheAnsiCodePageAndSkipsBrokenOnes) {
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "TXT")}));
    ASSERT_TRUE(ProtokollAnhaengen({{"2024-05-02 07:30:00", "BMP", kWertBezeichnung, "a\tb\r\nc", "Bild"}}));
    EXPECT_EQ(DateiLesen(ProtokollDatei()),
              "2024-05-01 07:30:00\tTXT\t\xD6" "ffnen mit\tfremd.exe %1\tnotepad.exe %1\r\n"
              "2024-05-02 07:30:00\tBMP\tBezeichnung\ta b  c\tBild\r\n");

    std::string inhalt = DateiLesen(ProtokollDatei());
    DateiSchreiben(ProtokollDatei(), "Fremde Zeile\r\n\r\n2024-13-xx 00:00:00\tGIF\tSymbol\ta\tb\r\n"
                                "2024-05-03 07:30:00\tGIF\tFarbe\ta\tb\r\n2024-05-03 07:30:00\tGIF\tSymbol\ta\r\n"
                                "2024-05-03 07:30:00\tGIF\tSymbol\ta\tb\tc\r\n" +
                                    inhalt + "2024-05-04 07:30:00\tPCX\tSymbol\tohne\tEnde");
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-05 07:30:00", "INI")}));
    EXPECT_EQ(Felder(ProtokollLesen(), &Protokolleintrag::Erweiterung), (S{"TXT", "BMP", "PCX", "INI"}));
}

TEST_F(Logdatei, KeepsBelowTheLimitByDroppingTheOldestLines) {
    std::string alt;
    for (int i = 0; alt.size() < 300 * 1024; ++i)
        alt += "2024-01-01 00:00:00\tE" + std::to_string(i) + "\tSymbol\t" + std::string(200, 'v') + "\tneu\r\n";
    DateiSchreiben(ProtokollDatei(), alt);
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-05 07:30:00", "INI")}));
    const std::string neu = DateiLesen(ProtokollDatei());
    EXPECT_LT(neu.size(), kProtokollGrenze);
    EXPECT_GT(neu.size(), kProtokollGrenze - 300);
    auto liste = ProtokollLesen();
    EXPECT_EQ(std::count(neu.begin(), neu.end(), '\n'), static_cast<long>(liste.size()));  // no line cut
    EXPECT_EQ(liste.back().Erweiterung, "INI");
    EXPECT_NE(liste.front().Erweiterung, "E0");
}

TEST_F(Logdatei, AWriteCutOffAtAnyStepLosesNoEarlierLine) {
    for (bool ersteSchreibung : {false, true}) {
        for (int schritt = 1; schritt <= 4; ++schritt) {
            SCOPED_TRACE("cut after step " + std::to_string(schritt) + (ersteSchreibung ? ", no log before" : ""));
            DeleteFileA(ProtokollDatei().c_str());
            DeleteFileA(NeueDatei().c_str());
            S vorher;
            if (!ersteSchreibung) {
                ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "TXT"), Eintrag("2024-05-01 07:30:00", "BMP")}));
                vorher = {"TXT", "BMP"};
            }
            {
                Abbruch abbruch(schritt);
                EXPECT_FALSE(ProtokollAnhaengen({Eintrag("2024-05-02 07:30:00", "GIF")}));
            }
            S gelesen = Felder(ProtokollLesen(), &Protokolleintrag::Erweiterung);
            // Once the old log is gone the new file is complete and counts.
            S erwartet = vorher;
            if (schritt == 4) erwartet.push_back("GIF");
            EXPECT_EQ(gelesen, erwartet);
            // The next write cut off as well, right after it set the files straight.
            {
                Abbruch abbruch(1);
                EXPECT_FALSE(ProtokollAnhaengen({Eintrag("2024-05-02 07:30:00", "PCX")}));
            }
            EXPECT_EQ(Felder(ProtokollLesen(), &Protokolleintrag::Erweiterung), erwartet);

            ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-03 07:30:00", "INI")}));
            erwartet.push_back("INI");
            EXPECT_EQ(Felder(ProtokollLesen(), &Protokolleintrag::Erweiterung), erwartet);
            EXPECT_EQ(GetFileAttributesA(NeueDatei().c_str()), INVALID_FILE_ATTRIBUTES);
        }
    }
}

class Autostartlog : public Ruhig {
protected:
    void SetUp() override {
        Ruhig::SetUp();
        Setzen(HKEY_CURRENT_USER, kStartup, "FirstStart", "False");
    }
};

TEST_F(Autostartlog, AReadOnlyLogDoesNotStopTheRestore) {
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "BMP")}));
    const std::string vorher = DateiLesen(ProtokollDatei());
    SetFileAttributesA(ProtokollDatei().c_str(), FILE_ATTRIBUTE_READONLY);
    TypAnlegen("txt", "txtfile", "Fremd", "fremd.exe %1");
    Gesichert("TXT", "Textdatei", "notepad.exe %1");
    EXPECT_EQ(Main("/autostart", marke), nullptr);
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile"), "Textdatei");
    EXPECT_EQ(DateiLesen(ProtokollDatei()), vorher);
    EXPECT_EQ(GetFileAttributesA(NeueDatei().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Autostartlog, TheNextInteractiveStartTellsUntilTheLogIsOpened) {
    TypAnlegen("txt", "txtfile", "Fremd", "fremd.exe %1");
    TypAnlegen("ini", "inifile", "Einstellungen", "notepad.exe %1");
    Gesichert("TXT", "Textdatei", "notepad.exe %1");
    Gesichert("INI", "Einstellungen", "notepad.exe %1");
    EXPECT_EQ(Main("/autostart", marke), nullptr);
    EXPECT_EQ(ProtokollLesen().size(), 2u);
    EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kOpt));

    auto fenster = Main("", marke);
    ASSERT_NE(fenster, nullptr);
    EXPECT_EQ(fenster->Statuszeile(), "2 Änderung(en) anderer Programme rückgängig gemacht – Protokoll: Strg+P");
    Markieren(fenster->lvwMain(), {0});
    EXPECT_EQ(fenster->Statuszeile().substr(0, 2), "2 ");  // a click does not end it
    {
        Hook<frmProtokoll> hook([](frmProtokoll& d) { d.Klicken(IDCANCEL); });
        SendMessageA(fenster->hwnd(), WM_COMMAND, ID_PROTOKOLL, 0);
    }
    EXPECT_EQ(fenster->Statuszeile(), "1 Dateityp(en) ausgewählt");
    SendMessageA(fenster->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStartup, "ProtokollGesehen"),
              ProtokollLesen().back().Datum);

    fenster = Main("", marke);
    ASSERT_NE(fenster, nullptr);
    EXPECT_EQ(fenster->Statuszeile(), "2 Dateityp(en)");
    SendMessageA(fenster->hwnd(), WM_CLOSE, 0, 0);
}

class ProtokollDialog : public Hauptfenstertest {
protected:
    INT_PTR Zeigen(std::function<void(frmProtokoll&)> f) {
        Hook<frmProtokoll> hook(std::move(f));
        frmProtokoll dialog(gesehen);
        return dialog.Zeigen(haupt.fenster.hwnd());
    }
    std::string gesehen = "2024-01-01 00:00:00";
};

TEST_F(ProtokollDialog, ShowsTheNewestFirstAndSortsByHeaderClick) {
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "TXT"), Eintrag("2024-05-01 07:30:00", "BMP")}));
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-03 07:30:00", "GIF", kWertSymbol)}));
    Hilfeaufrufe hilfe;
    Zeigen([&](frmProtokoll& d) {
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 0), (S{"2024-05-03 07:30:00", "2024-05-01 07:30:00", "2024-05-01 07:30:00"}));
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 2), (S{"Symbol", "Öffnen mit", "Öffnen mit"}));
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 1), (S{"GIF", "TXT", "BMP"}));  // a run's entries in their order
        d.lvwProtokoll_ColumnClick(1);
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 1), (S{"BMP", "GIF", "TXT"}));
        SendMessageA(d.hwnd(), WM_HELP, 0, 0);
        d.Klicken(frmProtokoll::idCmdHilfe);
        d.Klicken(IDOK);
    });
    EXPECT_EQ(gesehen, "2024-05-03 07:30:00");
    EXPECT_EQ(hilfe, (Hilfeaufrufe::vector{{HELP_CONTEXT, 60}, {HELP_CONTEXT, 60}}));
}

TEST_F(ProtokollDialog, CheckingNowListsTheDifferencesAndWritesNothing) {
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "BMP")}));
    TypAnlegen("txt", "txtfile", "Fremd", "NOTEPAD.EXE %1");
    TypAnlegen("ini", "inifile", "Einstellungen", "notepad.exe %1");
    Gesichert("TXT", "Textdatei", "notepad.exe %1", "notepad.exe,1");
    Gesichert("INI", "Einstellungen", "notepad.exe %1");
    const std::string registry = Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER);
    const std::string log = DateiLesen(ProtokollDatei());
    Zeigen([&](frmProtokoll& d) {
        d.Klicken(frmProtokoll::idCmdPruefen);
        d.Klicken(frmProtokoll::idCmdPruefen);  // a second check replaces the first one's lines
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 1), (S{"TXT", "TXT", "BMP"}));
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 2), (S{"Bezeichnung", "Symbol", "Öffnen mit"}));
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 3), (S{"Fremd", "", "fremd.exe %1"}));
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 4), (S{"nicht wiederhergestellt", "nicht wiederhergestellt", "notepad.exe %1"}));
        d.Klicken(IDCANCEL);
    });
    EXPECT_EQ(Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER), registry);
    EXPECT_EQ(DateiLesen(ProtokollDatei()), log);
}

TEST_F(ProtokollDialog, EmptyingAsksFirst) {
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "BMP")}));
    const std::string log = DateiLesen(ProtokollDatei());
    Meldungen boxen{IDNO, IDYES};
    Zeigen([&](frmProtokoll& d) {
        d.Klicken(frmProtokoll::idCmdLeeren);
        EXPECT_EQ(DateiLesen(ProtokollDatei()), log);
        EXPECT_EQ(d.lvwProtokoll().Anzahl(), 1u);
        d.Klicken(frmProtokoll::idCmdLeeren);
        EXPECT_EQ(DateiLesen(ProtokollDatei()), "");
        EXPECT_EQ(d.lvwProtokoll().Anzahl(), 0u);
        d.Klicken(IDCANCEL);
    });
    const Box frage{"Soll das Protokoll geleert werden?", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2,
                    "Endungswart - Protokoll"};
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{frage, frage}));
}

}  // namespace
