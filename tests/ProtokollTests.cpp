#include <algorithm>

#include "Umgebung.h"
#include "app/Main.h"
#include "platform/Text.h"
#include "filetypes/Protokoll.h"
#include "filetypes/Wiederherstellen.h"
#include "resource.h"
#include "ui/dialogs/frmProtokoll.h"

namespace {

using S = std::vector<std::string>;

std::string NeueDatei() { return ProtokollDatei().substr(0, ProtokollDatei().size() - 1) + "$"; }
bool Fehlt(const std::string& pfad) { return GetFileAttributesA(pfad.c_str()) == INVALID_FILE_ATTRIBUTES; }

// Plays a process killed during a write of the log: from the moment `wann` on nothing reaches
// the disk. Inside a write of a file, `anteil` of it has got there.
enum class Tod { BeimSchreiben, VorDemLoeschen, VorDemUmbenennen };
class Abbruch : public Dateischritte {
public:
    explicit Abbruch(Tod wann, double anteil) : wann_(wann), anteil_(anteil) { DateienErsetzen(this); }
    ~Abbruch() override { DateienErsetzen(nullptr); }
    bool Schreiben(const std::string& pfad, const std::string& inhalt) override {
        if (!Stirbt(wann_ == Tod::BeimSchreiben)) return Dateischritte::Schreiben(pfad, inhalt);
        if (erstesMal_) Dateischritte::Schreiben(pfad, Anfang(inhalt));
        return false;
    }
    bool Anhaengen(Kernobjekt& offen, const std::string& pfad, const std::string& text) override {
        if (!Stirbt(wann_ == Tod::BeimSchreiben)) return Dateischritte::Anhaengen(offen, pfad, text);
        if (erstesMal_) Dateischritte::Anhaengen(offen, pfad, Anfang(text));
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
    std::string Anfang(const std::string& t) const { return t.substr(0, static_cast<size_t>(t.size() * anteil_)); }
    Tod wann_;
    double anteil_;
    bool tot_ = false, erstesMal_ = false;
};

Protokolleintrag Eintrag(const std::string& datum, const std::string& ext, const char* wert = kWertOeffnen) {
    return {datum, ext, wert, "fremd.exe %1", "notepad.exe %1"};
}

// The extensions of the log's entries.
S Erweiterungen() {
    S texte;
    for (const Protokolleintrag& e : ProtokollLesen()) texte.push_back(e.Erweiterung);
    return texte;
}

// A log's entries as "extension|value|found|restored"; the dates differ between runs.
S Zeilen(const std::vector<Protokolleintrag>& liste) {
    S z;
    for (const Protokolleintrag& e : liste) z.push_back(e.Erweiterung + "|" + e.Wert + "|" + e.Vorgefunden + "|" + e.Wiederhergestellt);
    return z;
}

// The list and the store, and below a registry that another program has changed in each way
// the comparison knows, with the lines that the comparison logs for it.
struct Beobachtet {
    const char *ext, *bez, *oeffnen, *symbol;
};
const Beobachtet kTypen[] = {{"ABC", "Abc-Datei", "abc.exe %1", "abc.exe,0"}, {"BMP", "Bitmap", "paint.exe %1", "paint.exe,0"},
                      {"INI", "Einstellungen", "notepad.exe %1", ""},      {"JPG", "Foto", "foto.exe %1", ""},
                      {"TXT", "Textdatei", "notepad.exe %1", "notepad.exe,0"}, {"WEG", "Weg", "weg.exe %1", "weg.exe,0"}};
const S kAbweichungen = {
    "ABC|Bezeichnung|Alt|Abc-Datei",
    "ABC|Öffnen mit||konnte nicht geschrieben werden",  // no lasting key goes below a volatile one
    "ABC|Symbol||abc.exe,0",                            // the values after it are written regardless
    "BMP|Bezeichnung|Fremd|Bitmap",
    "BMP|Öffnen mit|fremd.exe %1|paint.exe %1",
    "BMP|Symbol|fremd.exe,2|paint.exe,0",
    "INI|Bezeichnung|einstellungen|Einstellungen",  // descriptions compare exactly; no icon stored, none written
    "JPG|Schlüssel|jpegfile|jpg-datei",             // shared with an extension of other values: split off
    "JPG|Bezeichnung|JPEG-Bild|Foto",
    "JPG|Öffnen mit|bild.exe %1|foto.exe %1",
    "WEG|Schlüssel||weg-datei",  // not registered at all
    "WEG|Bezeichnung||Weg",
    "WEG|Öffnen mit||weg.exe %1",
    "WEG|Symbol||weg.exe,0",
};  // TXT differs only in the letter case of its commands: no line

class Vergleich : public Hauptfenstertest {
protected:
    static void Gekapert() {
        TypAnlegen("txt", "TXTFILE", "Textdatei", "NOTEPAD.EXE %1", "NOTEPAD.EXE,0");
        TypAnlegen("ini", "inifile", "einstellungen", "notepad.exe %1", "alt.ico");
        TypAnlegen("bmp", "bmpfile", "Fremd", "fremd.exe %1", "fremd.exe,2");
        TypAnlegen("jpg", "jpegfile", "JPEG-Bild", "bild.exe %1");
        Setzen(HKEY_CLASSES_ROOT, ".jpeg", "", "jpegfile");
        Setzen(HKEY_CLASSES_ROOT, ".abc", "", "abcfile");
        Setzen(HKEY_CLASSES_ROOT, "abcfile", "", "Alt");
        Fluechtig("abcfile\\shell");
    }
};

TEST_F(Vergleich, ARunCutOffLosesOnlyTheEntryOfTheValueItWasWriting) {
    struct Tot {};
    auto saen = [] {
        for (const char* e : {"txt", "ini", "bmp"}) TypAnlegen(e, std::string(e) + "file", "Fremd", "fremd.exe %1", "f.exe,0");
    };
    for (const char* e : {"TXT", "INI", "BMP"}) haupt.Zeile(e, "Neu", "neu.exe %1", "neu.exe,1");
    saen();
    const S ganz = Zeilen(SicherungWiederherstellen(haupt.liste(), nullptr));
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
        EXPECT_EQ(Zeilen(ProtokollLesen()), S(ganz.begin(), ganz.begin() + k));
    }
}

class Logdatei : public RegistryTest {};

TEST_F(Logdatei, AppendsWholeLinesInTheAnsiCodePageAndSkipsBrokenOnes) {
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "TXT")}));
    ASSERT_TRUE(ProtokollAnhaengen({{"2024-05-02 07:30:00", "BMP", kWertBezeichnung, "a\tb\r\nc", "Bild"}}));
    const std::string inhalt = DateiLesen(ProtokollDatei());
    EXPECT_EQ(inhalt, "2024-05-01 07:30:00\tTXT\t\xD6" "ffnen mit\tfremd.exe %1\tnotepad.exe %1\r\n"
                      "2024-05-02 07:30:00\tBMP\tBezeichnung\ta b  c\tBild\r\n");
    DateiSchreiben(ProtokollDatei(), "Fremde Zeile\r\n\r\n2024-13-xx 00:00:00\tGIF\tSymbol\ta\tb\r\n"
                                "2024-05-03 07:30:00\tGIF\tFarbe\ta\tb\r\n2024-05-03 07:30:00\tGIF\tSymbol\ta\r\n"
                                "2024-05-03 07:30:00\tGIF\tSymbol\ta\tb\tc\r\n" +
                                    inhalt + "2024-05-04 07:30:00\tPCX\tSymbol\tohne\tEnde");
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-05 07:30:00", "INI")}));
    EXPECT_EQ(Erweiterungen(), (S{"TXT", "BMP", "PCX", "INI"}));
}

// Lines of about 250 bytes, E0, E1, ..., until the log holds at least `bytes`.
std::string AlterLog(size_t bytes) {
    std::string alt;
    for (int i = 0; alt.size() < bytes; ++i)
        alt += "2024-01-01 00:00:00\tE" + std::to_string(i) + "\tSymbol\t" + std::string(200, 'v') + "\tneu\r\n";
    return alt;
}

TEST_F(Logdatei, DropsTheOldestLinesOnlyWhenItReachesTheLimit) {
    const std::string zeile = "2024-05-05 07:30:00\tINI\t\xD6" "ffnen mit\tfremd.exe %1\tnotepad.exe %1\r\n";
    // Two entries short of the limit, appended by one run: the first goes at the end, the
    // second would reach the limit.
    std::string alt = AlterLog(kProtokollGrenze - 2 * zeile.size() - 300);
    alt += "2024-01-01 00:00:00\tPAD\tSymbol\t" + std::string(kProtokollGrenze - 2 * zeile.size() - alt.size() - 37, 'v') + "\tneu\r\n";
    ASSERT_EQ(alt.size() + 2 * zeile.size(), kProtokollGrenze);
    DateiSchreiben(ProtokollDatei(), alt);
    Protokollschreiber lauf;
    ASSERT_TRUE(lauf.Anhaengen({Eintrag("2024-05-05 07:30:00", "INI")}));
    EXPECT_EQ(DateiLesen(ProtokollDatei()), alt + zeile);
    ASSERT_TRUE(lauf.Anhaengen({Eintrag("2024-05-05 07:30:00", "INI")}));
    const std::string neu = DateiLesen(ProtokollDatei());
    // Room left, so that the next entries need no rewrite; the empty last line ends a rewrite.
    EXPECT_LE(neu.size(), kProtokollRest + 2);
    EXPECT_GT(neu.size(), kProtokollRest - 300);
    const S liste = Erweiterungen();
    EXPECT_EQ(std::count(neu.begin(), neu.end(), '\n'), static_cast<long>(liste.size()) + 1);  // no line cut
    EXPECT_EQ(liste.back(), "INI");
    EXPECT_NE(liste.front(), "E0");
    // Below the limit an entry goes at the end and nothing else changes.
    ASSERT_TRUE(lauf.Anhaengen({Eintrag("2024-05-05 07:30:00", "INI")}));
    EXPECT_EQ(DateiLesen(ProtokollDatei()), neu + zeile);
}

TEST_F(Logdatei, AWriteCutOffLosesNoLineButTheOneItWasWriting) {
    // A short log takes the entry at its end; a full one is rewritten beside itself.
    const std::string kurz = "2024-05-01 07:30:00\tTXT\tSymbol\ta\tb\r\n", voll = AlterLog(kProtokollGrenze);
    const std::tuple<const char*, const std::string&, Tod, double, bool> faelle[] = {
        // the case, the log, when it dies, how much of a file got there, whether the new entry counts
        {"short log, cut inside the append", kurz, Tod::BeimSchreiben, 0.5, false},
        {"full log, cut inside the new file's end line", voll, Tod::BeimSchreiben, 0.99999, false},
        {"full log, cut before the old one is deleted", voll, Tod::VorDemLoeschen, 1, true},
        {"full log, cut before the new one is renamed", voll, Tod::VorDemUmbenennen, 1, true},
    };
    for (const auto& [fall, log, wann, anteil, neuZaehlt] : faelle) {
        SCOPED_TRACE(fall);
        auto anfangen = [&] {
            DeleteFileA(NeueDatei().c_str());
            DateiSchreiben(ProtokollDatei(), log);
            return Erweiterungen();
        };
        anfangen();
        ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-02 07:30:00", "GIF")}));
        const S ganz = Erweiterungen(), alt = anfangen();
        {
            Abbruch abbruch(wann, anteil);
            EXPECT_FALSE(ProtokollAnhaengen({Eintrag("2024-05-02 07:30:00", "GIF")}));
        }
        S erwartet = neuZaehlt ? ganz : alt;
        EXPECT_EQ(Erweiterungen(), erwartet);
        // The next write sets the files straight and loses nothing it need not.
        ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-03 07:30:00", "INI")}));
        erwartet.push_back("INI");
        const S danach = Erweiterungen();
        EXPECT_TRUE(danach.size() <= erwartet.size() && std::equal(danach.rbegin(), danach.rend(), erwartet.rbegin()))
            << testing::PrintToString(danach);
        EXPECT_TRUE(danach == erwartet || DateiLesen(ProtokollDatei()).size() > kProtokollRest - 300);
        EXPECT_TRUE(Fehlt(NeueDatei()));
    }
}

TEST_F(Logdatei, NewEntriesAreThoseAfterTheOneSeenWhateverTheirTimes) {
    const Protokolleintrag bmp = Eintrag("2024-05-01 07:30:00", "BMP"), ini = Eintrag("2024-05-01 07:30:00", "INI"),
                           gif{"2024-05-01 07:30:00", "GIF", kWertSymbol, "", kNichtGeschrieben};  // nothing put back
    // Logged while the clock was ahead, then twice the same run with a clock that stands still.
    const std::vector<Protokolleintrag> log = {Eintrag("2030-01-01 10:00:00", "TXT"), bmp, gif, ini, bmp, gif, ini};
    const std::vector<Protokolleintrag> getrimmt(log.begin() + 2, log.end());
    const std::tuple<const char*, std::string, const std::vector<Protokolleintrag>&, size_t> faelle[] = {
        {"never seen", "", log, 5},
        {"the time that earlier versions stored", "2030-01-01 10:00:00", log, 4},
        {"seen the first run", ProtokollMarke(log, 3), log, 2},
        {"seen everything", ProtokollMarke(log, 6), log, 0},
        {"seen the first run, log trimmed since", ProtokollMarke(log, 3), getrimmt, 2},
        {"seen what the log no longer holds", ProtokollMarke({Eintrag("2024-05-01 07:30:00", "PCX")}, 0), log, 5},
    };
    for (const auto& [fall, gesehen, eintraege, neu] : faelle) EXPECT_EQ(NeueAenderungen(eintraege, gesehen), neu) << fall;
}

class ProtokollDialog : public Vergleich {
protected:
    INT_PTR Zeigen(std::function<void(frmProtokoll&)> f) {
        Hook<frmProtokoll> hook(std::move(f));
        frmProtokoll dialog(gesehen);
        return dialog.Zeigen(haupt.fenster.hwnd());
    }
    std::string gesehen = "2024-01-01 00:00:00";
};

TEST_F(ProtokollDialog, ShowsTheNewestFirstAndEmptiesAfterAsking) {
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "TXT"), Eintrag("2024-05-01 07:30:00", "BMP")}));
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-03 07:30:00", "GIF", kWertSymbol)}));
    const std::string log = DateiLesen(ProtokollDatei()), letzter = ProtokollMarke(ProtokollLesen(), 2);
    Hilfeaufrufe hilfe;
    Meldungen boxen{IDNO, IDYES};
    Zeigen([&](frmProtokoll& d) {
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 0), (S{"2024-05-03 07:30:00", "2024-05-01 07:30:00", "2024-05-01 07:30:00"}));
        EXPECT_EQ(Spalte(d.lvwProtokoll(), 1), (S{"GIF", "TXT", "BMP"}));  // a run's entries in their order
        // The current line's values in full below the list, whatever the columns cut off.
        EXPECT_EQ(d.Feldtext(frmProtokoll::idTxtDetails),
                  "2024-05-03 07:30:00   GIF   Symbol\r\nVorgefunden: fremd.exe %1\r\nWiederhergestellt: notepad.exe %1");
        SendMessageA(d.lvwProtokoll().hwnd(), WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(d.Feldtext(frmProtokoll::idTxtDetails).substr(0, 25), "2024-05-01 07:30:00   TXT");
        d.Klicken(frmProtokoll::idCmdHilfe);
        // No to the question keeps the log; Yes empties it.
        HWND leeren = d.Element(frmProtokoll::idCmdLeeren);
        d.FokusSetzen(leeren);
        d.Klicken(frmProtokoll::idCmdLeeren);
        EXPECT_EQ(DateiLesen(ProtokollDatei()), log);
        d.Klicken(frmProtokoll::idCmdLeeren);
        EXPECT_EQ(DateiLesen(ProtokollDatei()), "");
        EXPECT_EQ(d.lvwProtokoll().Anzahl(), 0u);
        // Nothing left to empty: the button goes grey and hands the keys to "Schließen".
        EXPECT_FALSE(IsWindowEnabled(leeren));
        EXPECT_EQ(GetFocus(), d.Element(IDCANCEL));
        d.Klicken(IDCANCEL);
    });
    EXPECT_EQ(gesehen, letzter);  // the log's last entry when the dialog came up
    EXPECT_EQ(hilfe, (Hilfeaufrufe::vector{{HELP_CONTEXT, 60}}));
    const Box frage{"Soll das Protokoll geleert werden?", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2,
                    "Endungswart - Protokoll"};
    EXPECT_EQ(boxen.Gezeigt(), (std::vector<Box>{frage, frage}));
}

// The dialog's lines as Zeilen() gives them, sorted: it shows the newest first, so a run that
// crosses a second shows its later types on top (the order has a test of its own).
S Dialogzeilen(frmProtokoll& d) {
    S z(d.lvwProtokoll().Anzahl());
    for (int spalte = 1; spalte <= 4; ++spalte)
        for (size_t i = 0; const std::string& text : Spalte(d.lvwProtokoll(), spalte)) z[i++] += (spalte > 1 ? "|" : "") + text;
    std::sort(z.begin(), z.end());
    return z;
}
S Sortiert(S z) {
    std::sort(z.begin(), z.end());
    return z;
}

// The log's lines for kTypen on the registry that Gekapert() leaves, from the system start and
// from "Jetzt wiederherstellen" alike.
TEST_F(ProtokollDialog, CheckingNowWritesNothingAndRestoringNowDoesWhatTheSystemStartDoes) {
    Setzen(HKEY_CURRENT_USER, kOpt, "Autostartmeldung", "0");
    for (const Beobachtet& t : kTypen) Gesichert(t.ext, t.bez, t.oeffnen, t.symbol);
    auto anfangen = [] {
        KlassenLeeren();
        DeleteFileA(ProtokollDatei().c_str());
        Gekapert();
    };
    anfangen();
    Instanzmarke marke;
    // The log held open by another program that shares it with nobody: restored all the same.
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "GIF")}));
    const std::string vorher = DateiLesen(ProtokollDatei());
    HANDLE gesperrt =
        CreateFileA(ProtokollDatei().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(gesperrt, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Main("/autostart", marke), nullptr);
    CloseHandle(gesperrt);
    EXPECT_EQ(DateiLesen(ProtokollDatei()), vorher);
    const std::string systemstart = Abzug(HKEY_CLASSES_ROOT);
    anfangen();
    EXPECT_EQ(Main("/autostart", marke), nullptr);
    EXPECT_EQ(Abzug(HKEY_CLASSES_ROOT), systemstart);
    ASSERT_EQ(Zeilen(ProtokollLesen()), kAbweichungen);
    EXPECT_TRUE(IstZeitstempel(ProtokollLesen()[0].Datum)) << ProtokollLesen()[0].Datum;

    anfangen();
    ASSERT_TRUE(ProtokollAnhaengen({Eintrag("2024-05-01 07:30:00", "GIF")}));
    const std::string registry = Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER), log = DateiLesen(ProtokollDatei());
    // Unsaved changes in the list: the differences are found, on top of the log, and nothing is restored.
    haupt.fenster.GeaendertSetzen(true);
    {
        Hook<frmProtokoll> hook([&](frmProtokoll& d) {
            // As Alt+J leaves it: the list has the keys.
            d.FokusSetzen(d.Element(frmProtokoll::idCmdPruefen));
            d.Klicken(frmProtokoll::idCmdPruefen);
            EXPECT_EQ(GetFocus(), d.lvwProtokoll().hwnd());
            d.Klicken(frmProtokoll::idCmdPruefen);  // a second check replaces the first one's lines
            S erwartet;
            for (const std::string& z : kAbweichungen) erwartet.push_back(z.substr(0, z.rfind('|') + 1) + kNichtWiederhergestellt);
            erwartet.push_back("GIF|Öffnen mit|fremd.exe %1|notepad.exe %1");
            EXPECT_EQ(Dialogzeilen(d), Sortiert(erwartet));
            EXPECT_FALSE(IsWindowEnabled(d.Element(frmProtokoll::idCmdWiederherstellen)));
            EXPECT_EQ(d.Feldtext(frmProtokoll::idLblErgebnis),
                      "14 Abweichung(en) gefunden. Zum Wiederherstellen erst die Änderungen der Liste speichern oder "
                      "verwerfen.");
            d.Klicken(IDCANCEL);
        });
        SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_PROTOKOLL, 0);
    }
    EXPECT_EQ(Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER), registry);
    EXPECT_EQ(DateiLesen(ProtokollDatei()), log);

    DeleteFileA(ProtokollDatei().c_str());
    haupt.fenster.GeaendertSetzen(false);
    haupt.Zeile("ALT", "Nicht gesichert", "alt.exe %1");
    {
        Meldungen boxen{IDYES};
        Hook<frmProtokoll> hook([&](frmProtokoll& d) {
            HWND knopf = d.Element(frmProtokoll::idCmdWiederherstellen);
            EXPECT_FALSE(IsWindowEnabled(knopf));
            d.Klicken(frmProtokoll::idCmdPruefen);
            ASSERT_TRUE(IsWindowEnabled(knopf));
            d.FokusSetzen(knopf);
            d.Klicken(frmProtokoll::idCmdWiederherstellen);
            // The log's new lines, the result below, and the keys back on the list.
            EXPECT_EQ(Dialogzeilen(d), Sortiert(kAbweichungen));
            EXPECT_EQ(d.Feldtext(frmProtokoll::idLblErgebnis),
                      "13 Abweichung(en) wiederhergestellt. 1 Wert(e) konnten nicht geschrieben werden.");
            EXPECT_FALSE(IsWindowEnabled(knopf));
            EXPECT_EQ(GetFocus(), d.lvwProtokoll().hwnd());
            d.Klicken(IDCANCEL);
        });
        SendMessageA(haupt.fenster.hwnd(), WM_COMMAND, ID_PROTOKOLL, 0);
    }
    EXPECT_EQ(Abzug(HKEY_CLASSES_ROOT), systemstart);
    EXPECT_EQ(Zeilen(ProtokollLesen()), kAbweichungen);
    EXPECT_EQ(Spalte(haupt.liste()), (S{"ABC", "BMP", "INI", "JPG", "TXT", "WEG"}));  // read again from the store
}

}  // namespace
