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

// Plays a process killed during a write of the log: from the moment `wann` on nothing reaches
// the disk. Inside a write of a file, `anteil` of it has got there.
enum class Tod { BeimSchreiben, VorDemLoeschen, VorDemUmbenennen };
class Abbruch : public Dateischritte {
public:
    explicit Abbruch(Tod wann, double anteil = 0.5) : wann_(wann), anteil_(anteil) { DateienErsetzen(this); }
    ~Abbruch() override { DateienErsetzen(nullptr); }
    bool Schreiben(const std::string& pfad, const std::string& inhalt) override {
        if (!Stirbt(wann_ == Tod::BeimSchreiben)) return Dateischritte::Schreiben(pfad, inhalt);
        if (erstesMal_) Dateischritte::Schreiben(pfad, Anfang(inhalt));
        return false;
    }
    bool Anhaengen(const std::string& pfad, const std::string& text) override {
        if (!Stirbt(wann_ == Tod::BeimSchreiben)) return Dateischritte::Anhaengen(pfad, text);
        if (erstesMal_) Dateischritte::Anhaengen(pfad, Anfang(text));
        return false;
    }
    bool Loeschen(const std::string& pfad) override {
        return !Stirbt(wann_ == Tod::VorDemLoeschen && pfad == ProtokollDatei()) && Dateischritte::Loeschen(pfad);
    }
    bool Umbenennen(const std::string& von, const std::string& nach) override {
        return !Stirbt(wann_ == Tod::VorDemUmbenennen) && Dateischritte::Umbenennen(von, nach);
    }

private:
    bool Stirbt(bool jetzt) {
        erstesMal_ = !tot_ && jetzt;
        return tot_ = tot_ || jetzt;
    }
    std::string Anfang(const std::string& text) const {
        return text.substr(0, static_cast<size_t>(static_cast<double>(text.size()) * anteil_));
    }
    Tod wann_;
    double anteil_;
    bool tot_ = false, erstesMal_ = false;
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

TEST_F(Vergleich, EachValuesLineSaysWhatBecameOfThatValue) {
    // Only the open command cannot be written: no lasting key goes below a volatile one.
    Setzen(HKEY_CLASSES_ROOT, ".abc", "", "abcfile");
    Setzen(HKEY_CLASSES_ROOT, "abcfile", "", "Alt");
    Fluechtig("abcfile\\shell");
    haupt.Zeile("ABC", "Abc-Datei", "abc.exe %1", "abc.exe,0");
    haupt.Zeile("INI", "Einstellungen", "notepad.exe %1");
    auto liste = SicherungWiederherstellen(haupt.liste(), nullptr);
    EXPECT_EQ(Felder(liste, &Protokolleintrag::Erweiterung), (S{"ABC", "ABC", "ABC", "INI", "INI", "INI"}));
    EXPECT_EQ(Felder(liste, &Protokolleintrag::Wert),
              (S{"Bezeichnung", "Öffnen mit", "Symbol", "Schlüssel", "Bezeichnung", "Öffnen mit"}));
    EXPECT_EQ(Felder(liste, &Protokolleintrag::Wiederhergestellt),
              (S{"Abc-Datei", "konnte nicht geschrieben werden", "abc.exe,0", "ini-datei", "Einstellungen",
                 "notepad.exe %1"}));
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "abcfile\\DefaultIcon"), "abc.exe,0");
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "ini-datei"), "Einstellungen");  // the next type is restored regardless
}

TEST_F(Vergleich, ARunCutOffLosesOnlyTheEntryOfTheValueItWasWriting) {
    struct Tot {};
    auto saen = [this] {
        for (const char* e : {"txt", "ini", "bmp"}) TypAnlegen(e, std::string(e) + "file", "Fremd", "fremd.exe %1", "f.exe,0");
    };
    for (const char* e : {"TXT", "INI", "BMP"}) haupt.Zeile(e, "Neu", "neu.exe %1", "neu.exe,1");
    saen();
    const auto ganz = SicherungWiederherstellen(haupt.liste(), nullptr);
    ASSERT_EQ(ganz.size(), 9u);
    for (size_t k = 0; k < ganz.size(); ++k) {
        SCOPED_TRACE("cut at write " + std::to_string(k));
        saen();
        DeleteFileA(ProtokollDatei().c_str());
        size_t schreibungen = 0;
        // The process dies with the k-th value in the registry and before anything after it.
        RegSchreibenBeobachten([&](HKEY root, const std::string&, const std::string&, const std::string&, bool) {
            if (root == HKEY_CLASSES_ROOT && schreibungen++ == k) throw Tot{};
        });
        Protokollschreiber protokoll;
        EXPECT_THROW(SicherungWiederherstellen(haupt.liste(), nullptr, &protokoll), Tot);
        RegSchreibenBeobachten(nullptr);
        const auto log = ProtokollLesen();
        EXPECT_EQ(Felder(log, &Protokolleintrag::Wert), Felder({ganz.begin(), ganz.begin() + k}, &Protokolleintrag::Wert));
        EXPECT_EQ(Felder(log, &Protokolleintrag::Erweiterung),
                  Felder({ganz.begin(), ganz.begin() + k}, &Protokolleintrag::Erweiterung));
    }
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

// Lines of about 250 bytes, E0, E1, ..., until the log holds at least `bytes`.
std::string AlterLog(size_t bytes) {
    std::string alt;
    for (int i = 0; alt.size() < bytes; ++i)
        alt += "2024-01-01 00:00:00\tE" + std::to_string(i) + "\tSymbol\t" + std::string(200, 'v') + "\tneu\r\n";
    return alt;
}

// Whether `teil` is what `ganz` ends with.
bool Ende(const S& ganz, const S& teil) {
    return teil.size() <= ganz.size() && std::equal(teil.begin(), teil.end(), ganz.end() - teil.size());
}

TEST_F(Logdatei, DropsTheOldestLinesOnlyWhenItReachesTheLimit) {
    DateiSchreiben(ProtokollDatei(), AlterLog(300 * 1024));
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-05 07:30:00", "INI")}));
    const std::string neu = DateiLesen(ProtokollDatei());
    // Room left, so that the next entries need no rewrite; the empty last line ends a rewrite.
    EXPECT_LE(neu.size(), kProtokollRest + 2);
    EXPECT_GT(neu.size(), kProtokollRest - 300);
    auto liste = ProtokollLesen();
    EXPECT_EQ(std::count(neu.begin(), neu.end(), '\n'), static_cast<long>(liste.size()) + 1);  // no line cut
    EXPECT_EQ(liste.back().Erweiterung, "INI");
    EXPECT_NE(liste.front().Erweiterung, "E0");
    // Below the limit an entry goes at the end and nothing else changes.
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-05 07:30:00", "BMP")}));
    EXPECT_EQ(DateiLesen(ProtokollDatei()),
              neu + "2024-05-05 07:30:00\tBMP\t\xD6" "ffnen mit\tfremd.exe %1\tnotepad.exe %1\r\n");
}

TEST_F(Logdatei, AWriteCutOffLosesNoLineButTheOneItWasWriting) {
    // A short log takes the entry at its end; a full one is rewritten beside itself.
    const std::string kurz = "2024-05-01 07:30:00\tTXT\tSymbol\ta\tb\r\n", voll = AlterLog(kProtokollGrenze);
    struct Fall {
        const char* name;
        const std::string& log;
        Tod wann;
        double anteil;
        bool neuZaehlt;  // the new entry got into a file that counts
    };
    const Fall faelle[] = {
        {"short log, cut inside the append", kurz, Tod::BeimSchreiben, 0.5, false},
        {"full log, cut before the new file has a byte", voll, Tod::BeimSchreiben, 0, false},
        {"full log, cut inside the new file", voll, Tod::BeimSchreiben, 0.5, false},
        {"full log, cut inside the new file's end line", voll, Tod::BeimSchreiben, 0.99999, false},
        {"full log, cut before the old one is deleted", voll, Tod::VorDemLoeschen, 1, true},
        {"full log, cut before the new one is renamed", voll, Tod::VorDemUmbenennen, 1, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        auto anfangen = [&] {
            DeleteFileA(NeueDatei().c_str());
            DateiSchreiben(ProtokollDatei(), f.log);
            return Felder(ProtokollLesen(), &Protokolleintrag::Erweiterung);
        };
        anfangen();
        ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-02 07:30:00", "GIF")}));
        const S ganz = Felder(ProtokollLesen(), &Protokolleintrag::Erweiterung);  // what the whole write gives
        const S alt = anfangen();
        {
            Abbruch abbruch(f.wann, f.anteil);
            EXPECT_FALSE(ProtokollAnhaengen({Eintrag("2024-05-02 07:30:00", "GIF")}));
        }
        S erwartet = f.neuZaehlt ? ganz : alt;
        EXPECT_EQ(Felder(ProtokollLesen(), &Protokolleintrag::Erweiterung), erwartet);
        // The next write sets the files straight and loses nothing it need not.
        ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-03 07:30:00", "INI")}));
        erwartet.push_back("INI");
        const S danach = Felder(ProtokollLesen(), &Protokolleintrag::Erweiterung);
        EXPECT_TRUE(Ende(erwartet, danach)) << testing::PrintToString(danach);
        EXPECT_TRUE(danach == erwartet || DateiLesen(ProtokollDatei()).size() > kProtokollRest - 300);
        EXPECT_EQ(GetFileAttributesA(NeueDatei().c_str()), INVALID_FILE_ATTRIBUTES);
    }

    // A new file that reached its end line counts even beside the old log, whoever left it.
    DateiSchreiben(ProtokollDatei(), kurz);
    DateiSchreiben(NeueDatei(), kurz + "2024-05-02 07:30:00\tBMP\tSymbol\ta\tb\r\n\r\n");
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-03 07:30:00", "GIF")}));
    EXPECT_EQ(Felder(ProtokollLesen(), &Protokolleintrag::Erweiterung), (S{"TXT", "BMP", "GIF"}));
    EXPECT_EQ(GetFileAttributesA(NeueDatei().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Logdatei, NewEntriesAreThoseAfterTheOneSeenWhateverTheirTimes) {
    const Protokolleintrag bmp = Eintrag("2024-05-01 07:30:00", "BMP"), ini = Eintrag("2024-05-01 07:30:00", "INI"),
                           gif{"2024-05-01 07:30:00", "GIF", kWertSymbol, "", kNichtGeschrieben};  // nothing put back
    // Logged while the clock was ahead, then twice the same run with a clock that stands still.
    const std::vector<Protokolleintrag> log = {Eintrag("2030-01-01 10:00:00", "TXT"), bmp, gif, ini, bmp, gif, ini};
    const std::vector<Protokolleintrag> getrimmt(log.begin() + 2, log.end());
    const std::tuple<const char*, std::string, const std::vector<Protokolleintrag>&, size_t> faelle[] = {
        {"never seen", "", log, 5},
        {"seen the one from the future", ProtokollMarke(log, 0), log, 4},
        {"the time that earlier versions stored", "2030-01-01 10:00:00", log, 4},
        {"seen the first run", ProtokollMarke(log, 3), log, 2},
        {"seen everything", ProtokollMarke(log, 6), log, 0},
        {"seen the first run, log trimmed since", ProtokollMarke(log, 3), getrimmt, 2},
        {"seen what the log no longer holds", "2031-01-01 00:00:00", log, 5},
        {"seen what the log no longer holds", ProtokollMarke({Eintrag("2024-05-01 07:30:00", "PCX")}, 0), log, 5},
    };
    for (const auto& [fall, gesehen, eintraege, neu] : faelle) EXPECT_EQ(NeueAenderungen(eintraege, gesehen), neu) << fall;
}

class Autostartlog : public Ruhig {
protected:
    void SetUp() override {
        Ruhig::SetUp();
        Setzen(HKEY_CURRENT_USER, kStartup, "FirstStart", "False");
    }
};

TEST_F(Autostartlog, ALogThatCannotBeWrittenDoesNotStopTheRestore) {
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "BMP")}));
    const std::string vorher = DateiLesen(ProtokollDatei());
    // Held open by another program that shares it with nobody.
    HANDLE gesperrt = CreateFileA(ProtokollDatei().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(gesperrt, INVALID_HANDLE_VALUE);
    TypAnlegen("txt", "txtfile", "Fremd", "fremd.exe %1");
    Gesichert("TXT", "Textdatei", "notepad.exe %1");
    EXPECT_EQ(Main("/autostart", marke), nullptr);
    CloseHandle(gesperrt);
    EXPECT_EQ(Holen(HKEY_CLASSES_ROOT, "txtfile"), "Textdatei");
    EXPECT_EQ(DateiLesen(ProtokollDatei()), vorher);
    EXPECT_EQ(GetFileAttributesA(NeueDatei().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Autostartlog, TheNextInteractiveStartTellsUntilTheLogIsOpened) {
    // Logged while the clock was years ahead, as it may be before a CMOS reset.
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2030-01-01 10:00:00", "BMP")}));
    TypAnlegen("txt", "txtfile", "Fremd", "fremd.exe %1");
    TypAnlegen("ini", "inifile", "Einstellungen", "notepad.exe %1");
    Gesichert("TXT", "Textdatei", "notepad.exe %1");
    Gesichert("INI", "Einstellungen", "notepad.exe %1");
    EXPECT_EQ(Main("/autostart", marke), nullptr);
    EXPECT_EQ(ProtokollLesen().size(), 3u);
    EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kOpt));

    auto fenster = Main("", marke);
    ASSERT_NE(fenster, nullptr);
    const std::string hinweis = "3 Änderung(en) anderer Programme rückgängig gemacht – Protokoll: Strg+P";
    EXPECT_EQ(fenster->Hinweiszeile(), hinweis);
    // A click does not end it, and the count shows beside it.
    Markieren(fenster->lvwMain(), {0});
    EXPECT_EQ(Statusleiste(*fenster, 0), "1 Dateityp(en) ausgewählt");
    EXPECT_EQ(Statusleiste(*fenster, 1), hinweis);
    {
        Hook<frmProtokoll> hook([](frmProtokoll& d) { d.Klicken(IDCANCEL); });
        SendMessageA(fenster->hwnd(), WM_COMMAND, ID_PROTOKOLL, 0);
    }
    EXPECT_EQ(fenster->Hinweiszeile(), "");
    EXPECT_EQ(Statusleiste(*fenster, 0), "1 Dateityp(en) ausgewählt");
    SendMessageA(fenster->hwnd(), WM_CLOSE, 0, 0);
    const auto log = ProtokollLesen();
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStartup, "ProtokollGesehen"), ProtokollMarke(log, log.size() - 1));

    fenster = Main("", marke);
    ASSERT_NE(fenster, nullptr);
    EXPECT_EQ(fenster->Hinweiszeile(), "");
    SendMessageA(fenster->hwnd(), WM_CLOSE, 0, 0);

    // The same change again, logged in the same second as if the clock stood still: still new.
    TypAnlegen("txt", "txtfile", "Fremd", "fremd.exe %1");
    EXPECT_EQ(Main("/autostart", marke), nullptr);
    fenster = Main("", marke);
    ASSERT_NE(fenster, nullptr);
    EXPECT_EQ(fenster->Hinweiszeile(), "2 Änderung(en) anderer Programme rückgängig gemacht – Protokoll: Strg+P");
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
        // The current line's values in full below the list, whatever the columns cut off.
        EXPECT_EQ(d.Feldtext(frmProtokoll::idTxtDetails),
                  "2024-05-03 07:30:00   GIF   Symbol\r\nVorgefunden: fremd.exe %1\r\nWiederhergestellt: notepad.exe %1");
        SendMessageA(d.lvwProtokoll().hwnd(), WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(d.Feldtext(frmProtokoll::idTxtDetails).substr(0, 25), "2024-05-01 07:30:00   TXT");
        d.lvwProtokoll_ColumnClick(1);
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 1), (S{"BMP", "GIF", "TXT"}));
        SendMessageA(d.hwnd(), WM_HELP, 0, 0);
        d.Klicken(frmProtokoll::idCmdHilfe);
        d.Klicken(IDOK);
    });
    EXPECT_EQ(gesehen, ProtokollMarke(ProtokollLesen(), 2));  // the log's last entry
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
        // As Alt+J leaves it: the list has the keys and "Schließen" the default frame again.
        HWND pruefen = d.Element(frmProtokoll::idCmdPruefen);
        d.FokusSetzen(pruefen);
        d.Klicken(frmProtokoll::idCmdPruefen);
        EXPECT_EQ(GetFocus(), d.lvwProtokoll().hwnd());
        EXPECT_EQ(GetWindowLongA(pruefen, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
        EXPECT_EQ(GetWindowLongA(d.Element(IDCANCEL), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
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
        HWND leeren = d.Element(frmProtokoll::idCmdLeeren);
        d.FokusSetzen(leeren);
        d.Klicken(frmProtokoll::idCmdLeeren);
        EXPECT_EQ(DateiLesen(ProtokollDatei()), log);
        EXPECT_EQ(d.lvwProtokoll().Anzahl(), 1u);
        EXPECT_TRUE(IsWindowEnabled(leeren));
        d.Klicken(frmProtokoll::idCmdLeeren);
        EXPECT_EQ(DateiLesen(ProtokollDatei()), "");
        EXPECT_EQ(d.lvwProtokoll().Anzahl(), 0u);
        // Nothing left to empty: the button goes grey and hands the keys to "Schließen".
        EXPECT_FALSE(IsWindowEnabled(leeren));
        EXPECT_EQ(GetFocus(), d.Element(IDCANCEL));
        d.Klicken(IDCANCEL);
    });
    Zeigen([](frmProtokoll& d) {
        EXPECT_FALSE(IsWindowEnabled(d.Element(frmProtokoll::idCmdLeeren)));
        d.Klicken(IDCANCEL);
    });
    const Box frage{"Soll das Protokoll geleert werden?", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2,
                    "Endungswart - Protokoll"};
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{frage, frage}));
}

}  // namespace
