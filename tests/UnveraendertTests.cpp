// A value that already holds exactly what a run would write is not written again; leaving it
// out changes nothing else.
#include "Umgebung.h"
#include "app/Main.h"
#include "filetypes/Sicherung.h"
#include "filetypes/Speichern.h"
#include "filetypes/Wiederherstellen.h"
#include "platform/Seams.h"

namespace {

// A value as the registry may hold it, byte for byte: a class key's default value, or one of
// the store.
struct Wert {
    std::string pfad;
    DWORD typ;
    std::string daten;
    HKEY root = HKEY_CLASSES_ROOT;
    std::string name = "";
};
Wert Sz(const std::string& pfad, const std::string& text) { return {pfad, REG_SZ, text + '\0'}; }
Wert Gespeichert(const std::string& ext, const char* name, DWORD typ, const std::string& daten) {
    return {kStore + ext, typ, daten, HKEY_CURRENT_USER, name};
}

struct Anfang {
    const char* fall;
    std::vector<Wert> werte;
    Dateityp gespeichert;              // Erweiterung, -, Bezeichnung, Oeffnen, Symbol
    std::vector<std::string> schreibt;  // what a run writes, leaving out what holds its data
    std::vector<std::string> sichert;   // what a save writes into the store besides
};

const std::string kEx = "%SystemRoot%\\x.dll,1";
const Anfang kAnfaenge[] = {
    {"letter case", {Sz(".b", "bfile"), Sz("bfile", "b"), Sz("bfile\\shell\\open\\command", "B.EXE %1"),
                     Sz("bfile\\DefaultIcon", "b.exe,0")},
     {"B", "", "B", "b.exe %1", "B.exe,0"},
     {"bfile", "bfile\\shell\\open\\command", "bfile\\DefaultIcon"}},
    // Text of the Windows 95 family ends at its first zero; expandable text is taken as it comes.
    {"junk after the terminator, none at all",
     {Sz(".c", "cfile"), {"cfile", REG_EXPAND_SZ, std::string("C\0alt\0", 6)},
      {"cfile\\shell\\open\\command", REG_EXPAND_SZ, "c.exe"}},
     {"C", "", "C", "c.exe", ""}, {"cfile", "cfile\\shell\\open\\command"}},
    {"expandable text",
     {Sz(".d", "dfile"), Sz("dfile", "D"), {"dfile\\shell\\open\\command", REG_EXPAND_SZ, kEx + '\0'},
      {"dfile\\DefaultIcon", REG_EXPAND_SZ, kEx + '\0'}},
     {"D", "", "D", kEx, "%SystemRoot%\\x.dll,2"}, {"dfile\\DefaultIcon"}},
    {"the text's bytes as another type", {Sz(".e", "efile"), {"efile", REG_BINARY, std::string("E\0", 2)},
                                          {"efile\\shell\\open\\command", REG_DWORD, std::string("e\0\0\0", 4)}},
     {"E", "", "E", "e", ""}, {"efile", "efile\\shell\\open\\command"}},
    {"icon only through the class identifier",
     {Sz(".f", "ffile"), Sz("ffile", "F"), Sz("ffile\\shell\\open\\command", "f.exe"), Sz("ffile\\CLSID", "{F}"),
      Sz("CLSID\\{F}\\DefaultIcon", "f.exe,1")},
     {"F", "", "F", "f.exe", "f.exe,1"}, {"ffile\\DefaultIcon"}},
    // Neither an empty icon location nor an empty icon of the class identifier is ever written.
    {"an empty icon location",
     {Sz(".m", "mfile"), Sz("mfile", "M"), Sz("mfile\\shell\\open\\command", "m.exe"),
      Sz("mfile\\DefaultIcon", "m.exe,2")},
     {"M", "", "M", "m.exe", ""}, {}},
    {"the class identifier's icon is empty",
     {Sz(".o", "ofile"), Sz("ofile", "O"), Sz("ofile\\shell\\open\\command", "o.exe"),
      Sz("ofile\\DefaultIcon", "o.exe,1"), Sz("ofile\\CLSID", "{O}"), Sz("CLSID\\{O}\\DefaultIcon", "")},
     {"O", "", "O", "o.exe", "o.exe,1"}, {}},
    {"split off into a key of its own that holds the values",
     {Sz(".j", "jfile"), Sz(".j2", "jfile"), Sz("jfile", "Alt"), Sz("jfile\\shell\\open\\command", "alt.exe"),
      Sz("j-datei", "J"), Sz("j-datei\\shell\\open\\command", "j.exe")},
     {"J", "", "J", "j.exe", ""}, {".J"}},
    {"a URL protocol",
     {Sz(".u", "uproto"), Sz("uproto", "URL:U"), Sz("uproto\\shell\\open\\command", "u.exe")},
     {"U", "", "U", "u.exe", ""}, {".U", "u-datei", "u-datei\\shell\\open\\command"}},
    {"the store holds junk after a terminator and an icon as a number",
     {Sz(".k", "kfile"), Sz("kfile", "K"), Sz("kfile\\shell\\open\\command", "k.exe"),
      Gespeichert("K", "Bezeichnung", REG_EXPAND_SZ, std::string("K\0alt\0", 6)),
      Gespeichert("K", "Symbol", REG_DWORD, "\1")},
     {"K", "", "K", "k.exe", ""}, {}, {kStore + "K\\Bezeichnung", kStore + "K\\Symbol"}},
};

class Unchanged : public Ruhig {
protected:
    void SetUp() override {
        Ruhig::SetUp();
        RegSchreibenBeobachten([this](HKEY root, const std::string& pfad, const std::string& name, auto&&...) {
            geschrieben.push_back(root == HKEY_CLASSES_ROOT ? pfad : pfad + "\\" + name);
        });
    }
    void TearDown() override {
        RegSchreibenBeobachten(nullptr);
        RegVergleichenErsetzen(true);
        Ruhig::TearDown();
    }
    // The start states afresh, everything else gone.
    static void Anlegen() {
        KlassenLeeren();
        RegBaumLoeschen(HKEY_CURRENT_USER, "Software", "RHM");
        Setzen(HKEY_CLASSES_ROOT, "uproto", "URL Protocol", "");
        for (const Anfang& a : kAnfaenge) {
            const Dateityp& t = a.gespeichert;
            Gesichert(t.Erweiterung, t.Bezeichnung, t.Oeffnen, t.Symbol);
            for (const Wert& w : a.werte) RohSetzen(w.root, w.pfad, w.name, w.typ, w.daten);
        }
    }
    // The whole of HKEY_CLASSES_ROOT and the store, and the log without its times, after a
    // run over the start states.
    std::string Lauf(bool vergleichen, bool speichern) {
        Anlegen();
        geschrieben.clear();
        Typliste liste;
        SicherungLaden(liste);
        RegVergleichenErsetzen(vergleichen);
        std::string log;
        if (speichern) {
            Stillfenster fenster;
            EXPECT_TRUE(Speichern(liste, fenster, false).Fertig);
        } else {
            for (const Protokolleintrag& e : SicherungWiederherstellen(liste, nullptr))
                log += e.Erweiterung + '\t' + e.Wert + '\t' + e.Vorgefunden + '\t' + e.Wiederhergestellt + '\n';
        }
        RegVergleichenErsetzen(true);
        return Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER, "Software\\RHM") + log;
    }
    std::vector<std::string> geschrieben;
};

TEST_F(Unchanged, LeavingOutWhatHoldsItsDataChangesNothingElseAndASecondRunWritesNothing) {
    for (bool speichern : {false, true}) {
        SCOPED_TRACE(speichern ? "save" : "system start");
        std::vector<std::string> erwartet;
        for (const Anfang& a : kAnfaenge) {
            erwartet.insert(erwartet.end(), a.schreibt.begin(), a.schreibt.end());
            if (speichern) erwartet.insert(erwartet.end(), a.sichert.begin(), a.sichert.end());
        }
        std::sort(erwartet.begin(), erwartet.end());
        const std::string alles = Lauf(false, speichern);
        const size_t alleSchreibungen = geschrieben.size();
        EXPECT_EQ(Lauf(true, speichern), alles);
        std::sort(geschrieben.begin(), geschrieben.end());
        EXPECT_EQ(geschrieben, erwartet);
        EXPECT_GT(alleSchreibungen, geschrieben.size());
        // Expandable text stays expandable; text over a value of another kind is plain text.
        EXPECT_EQ(Typ(HKEY_CLASSES_ROOT, "dfile\\DefaultIcon"), DWORD(REG_EXPAND_SZ));
        EXPECT_EQ(Typ(HKEY_CLASSES_ROOT, "efile\\shell\\open\\command"), DWORD(REG_SZ));
    }
    // Once saved, neither the system start nor another save finds anything to write.
    Setzen(HKEY_CURRENT_USER, kStartup, "FirstStart", "False");
    const std::string vorher = Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER);
    geschrieben.clear();
    EXPECT_EQ(Main("/autostart", marke), nullptr);
    Typliste liste;
    SicherungLaden(liste);
    Stillfenster fenster;
    EXPECT_TRUE(Speichern(liste, fenster, false).Fertig);
    EXPECT_EQ(geschrieben, std::vector<std::string>{});
    EXPECT_EQ(Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER), vorher);
    EXPECT_EQ(DateiLesen(ProtokollDatei()), "<keine Datei>");
}

}  // namespace
