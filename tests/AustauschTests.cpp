// Export and import: what an export writes comes back through import and save, hostile files
// pass the real reader as files and change nothing, an export cut off anywhere leaves a whole
// file, and a close request during the new dialogs and questions loses nothing.
#include <algorithm>
#include <cstring>
#include <map>

#include "Dialogtreiber.h"
#include "Umgebung.h"
#include "filetypes/Regdatei.h"
#include "filetypes/Sicherung.h"
#include "resource.h"

namespace {

using Texte = std::vector<std::string>;

class Austausch : public Ruhig {
protected:
    void SetUp() override {
        Ruhig::SetUp();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        ordner = std::string(temp) + "EndwartAustausch." + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(ordner.c_str(), nullptr);
        Aufraeumen();
        Optionen.Sicherheitsabfrage = Optionen.Speichermeldung = 0;
    }
    void TearDown() override {
        Aufraeumen();
        RemoveDirectoryA(ordner.c_str());
        Ruhig::TearDown();
    }
    std::string Datei(const std::string& name) const { return ordner + "\\" + name; }
    // The contents of the folder's files, by name.
    std::map<std::string, std::string> Inhalte() const {
        std::map<std::string, std::string> inhalte;
        WIN32_FIND_DATAA f;
        HANDLE h = FindFirstFileA(Datei("*").c_str(), &f);
        for (bool weiter = h != INVALID_HANDLE_VALUE; weiter; weiter = FindNextFileA(h, &f))
            if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) inhalte[f.cFileName] = DateiLesen(Datei(f.cFileName));
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
        return inhalte;
    }
    void Aufraeumen() const {
        for (const auto& [name, inhalt] : Inhalte()) {
            SetFileAttributesA(Datei(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(Datei(name).c_str());
        }
    }
    // Runs a command of the menu with the file dialog answered by `datei`.
    void Befehl(Hauptliste& h, int id, const std::string& datei) {
        Dateiauswahl auswahl{datei};
        SendMessageA(h.fenster.hwnd(), WM_COMMAND, id, 0);
    }
    std::string Importiert(const std::string& inhalt) {
        DateiSchreiben(Datei("ein.reg"), inhalt);
        Meldungen boxen{IDOK};
        Befehl(haupt, ID_IMPORTIEREN, Datei("ein.reg"));
        return boxen.Texte().empty() ? "" : boxen.Texte()[0];
    }
    std::string ordner;
    Hauptliste haupt;
};

const std::string kSchluessel = "[HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Classes\\";

std::string Eintrag(const std::string& ext, const std::string& bez, const std::string& oeffnen) {
    return kSchluessel + ext + "]\r\n\"Bezeichnung\"=\"" + bez + "\"\r\n\"Oeffnen\"=\"" + oeffnen + "\"\r\n";
}

// `text` filled up with comment lines to exactly `groesse` bytes.
std::string Aufgefuellt(std::string text, size_t groesse) {
    for (size_t rest; (rest = groesse - text.size()) > 0;)
        text += rest > 2 ? ";" + std::string(std::min<size_t>(rest, 1000) - 3, 'k') + "\r\n" : std::string(rest, '\n');
    return text;
}

std::string Utf16(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

TEST_F(Austausch, WhatIsExportedComesBackThroughImportAndSave) {
    const std::string lang = "C:\\Programme\\" + std::string(1000, 'l') + ".exe \"%1\"";
    const std::string zeilen = "Zwei\r\nZeilen " + std::string(60, 'z');  // as bytes, over two lines
    haupt.Zeile("TXT", "Textdatei für Ärger", "notepad.exe \"%1\"", "C:\\Windows\\notepad.exe,1");
    haupt.Zeile("LNG", "Lang", lang);
    haupt.Zeile("ZWEI", zeilen, "zwei.exe %1", "zwei.ico");
    haupt.Zeile("ÄÖ", "Umlaute", "ü.exe %1");
    haupt.fenster.mnuSpeichern_Click();
    const std::string vorher = Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER, kStore);
    ASSERT_EQ(StoreNamen().size(), 4u);

    DateiSchreiben(Datei("aus.reg"), "REGEDIT4\r\n");  // replaced, with nothing left beside it
    {
        Meldungen keine;
        Befehl(haupt, ID_EXPORTIEREN, Datei("aus.reg"));
    }
    const std::string text = DateiLesen(Datei("aus.reg"));
    EXPECT_NE(text.find("\"Bezeichnung\"=\"Textdatei f\xFCr \xC4rger\"\r\n\"Oeffnen\"=\"notepad.exe \\\"%1\\\"\"\r\n"
                        "\"Symbol\"=\"C:\\\\Windows\\\\notepad.exe,1\"\r\n"),
              std::string::npos);
    // A line break goes as bytes, in lines that regedit continues.
    EXPECT_NE(text.find("\"Bezeichnung\"=hex(1):5a,77,65,69,0d,0a,5a,65,69,6c,65,6e,20,7a,"), std::string::npos);
    EXPECT_NE(text.find("7a,7a,\\\r\n  7a,"), std::string::npos);
    for (size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
        ASSERT_EQ(text[i - 1], '\r') << "a line without CR at " << i;
    EXPECT_EQ(Inhalte().size(), 1u);
    EXPECT_EQ(Statusleiste(haupt.fenster, 1), "4 Dateityp(en) exportiert nach " + Datei("aus.reg"));

    // Another machine: no store, and another program's values in HKEY_CLASSES_ROOT.
    SicherungLoeschen();
    haupt.liste().Leeren();
    Setzen(HKEY_CLASSES_ROOT, "txt-datei\\shell\\open\\command", "", "fremd.exe %1");
    const std::string gekapert = Abzug(HKEY_CLASSES_ROOT);
    Meldungen boxen{IDOK};
    Befehl(haupt, ID_IMPORTIEREN, Datei("aus.reg"));
    EXPECT_TRUE(haupt.fenster.Geaendert());
    // Nothing is written until the user saves.
    EXPECT_TRUE(StoreNamen().empty());
    EXPECT_EQ(Abzug(HKEY_CLASSES_ROOT), gekapert);
    haupt.fenster.mnuSpeichern_Click();
    EXPECT_EQ(Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER, kStore), vorher);
}

TEST_F(Austausch, HostileFilesAreRefusedWholeAndChangeNothing) {
    const std::string gueltig = "REGEDIT4\r\n\r\n" + Eintrag("BMP", "Bild", "paint.exe %1");
    // Exactly the limit is read; one byte more is not.
    const std::string voll = Aufgefuellt(gueltig, kRegdateiGrenze);
    const struct {
        const char* fall;
        std::string inhalt;
        const char* meldung;  // what follows the file's name; empty: read
    } faelle[] = {
        {"empty", "", "ist leer."},
        {"no header", Eintrag("BMP", "Bild", "paint.exe %1"), "ist keine Registrierungsdatei"},
        {"UTF-16 without its mark", gueltig.substr(0, 3) + std::string(1, '\0') + "E", "ist keine Registrierungsdatei"},
        {"one byte past 1 MB", voll + "\n", "ist größer als 1 MB."},
        {"a line of a megabyte", gueltig + "\"Symbol\"=\"" + std::string(1000000, 's') + "\"\r\n",
         "enthält eine Zeile, die länger als 64 KB ist."},
        {"hex lines that grow past 64 KB", gueltig + "\"X\"=hex:" + [] {
             std::string z;
             for (int i = 0; i < 4000; ++i) z += "00,00,00,00,00,00,00,00,\\\r\n  ";
             return z + "00\r\n";
         }(),
         "enthält eine Zeile, die länger als 64 KB ist."},
        {"exactly 1 MB", voll, ""},
    };
    const std::string registry = Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER);
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        haupt.liste().Leeren();
        haupt.Zeile("TXT", "Text", "notepad.exe %1");
        haupt.fenster.GeaendertSetzen(false);
        const std::string meldung = Importiert(f.inhalt);
        const std::string datei = "Die Datei \"" + Datei("ein.reg") + "\" ";
        if (*f.meldung) {
            EXPECT_EQ(meldung.substr(0, datei.size() + strlen(f.meldung)), datei + f.meldung);
            EXPECT_TRUE(meldung.ends_with("\n\nEs wurde nichts übernommen.")) << meldung;
            EXPECT_EQ(Spalte(haupt.liste()), Texte{"TXT"});
            EXPECT_FALSE(haupt.fenster.Geaendert());
        } else {
            EXPECT_EQ(Spalte(haupt.liste()), (Texte{"BMP", "TXT"}));
        }
        EXPECT_EQ(Abzug(HKEY_CLASSES_ROOT) + Abzug(HKEY_CURRENT_USER), registry);
    }
}

TEST_F(Austausch, TakesTheStoresTypesAndNamesEverythingElseWithItsReason) {
    haupt.Zeile("TXT", "Text", "notepad.exe %1", "notepad.exe,0");
    haupt.Zeile("INI", "Einstellungen", "notepad.exe %1");
    const std::string lang = "HKEY_CURRENT_USER\\Software\\" + std::string(70, 'w') + "\\Ende";
    const std::string datei =
        "REGEDIT4\r\n\r\n; Kommentar\r\n\"Verloren\"=\"vor jedem Schl\xFCssel\"\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.txt]\r\n@=\"txtfile\"\r\nkaputt\r\n"
        "[HKEY_CURRENT_USER\\Software\\RHM\\Endungswart]\r\n\"Version\"=\"1\"\r\n"
        "[" + lang + "]\r\n"
        "[hkey_current_user\\software\\rhm\\endungswart\\classes\\bmp]\r\n"
        "\"Bezeichnung\"=\"Bild \\\"neu\\\"\"\r\n\"oeffnen\" = \"C:\\\\Paint\\\\paint.exe \\\"%1\\\"\"\r\n"
        "\"Farbe\"=\"rot\"\r\n\"Symbol\"=hex(2):25,00,00,00\r\n\"Symbol\"=dword:00000001\r\n@=\"x\"\r\n" +
        kSchluessel + "..]\r\n\"Bezeichnung\"=\"Punkte\"\r\n\"Oeffnen\"=\"p.exe\"\r\n" +
        kSchluessel + "A\\B]\r\n\"Bezeichnung\"=\"Tiefer\"\r\n" +
        kSchluessel + "PCX]\r\n\"Bezeichnung\"=\"Nur eine Bezeichnung\"\r\n"
        "[-HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Classes\\INI]\r\n" +
        Eintrag("TXT", "Text f\xFCr \xC4rger", "notepad.exe %1") +
        "\"Symbol\"=-\r\n\"Symbol\"=\"offen\r\n\"Symbol\"=\"a\"b\"\r\n\"Symbol\"=\"\\n\"\r\n" +
        kSchluessel + "JPG\r\n\"Bezeichnung\"=\"geht mit dem Schl\xFCssel\"\r\n" +
        kSchluessel + "HEX]\r\n\"Bezeichnung\"=hex(1):48,65,\\\r\n  78,00\r\n\"Oeffnen\"=\"hex.exe\"\r\n"
        "\"Symbol\"=hex(1):4g\r\n";
    EXPECT_EQ(Importiert(datei),
              "3 Dateityp(en) aus der Datei \"" + Datei("ein.reg") + "\" übernommen: BMP, TXT, HEX.\n"
              "Sie stehen in der Liste und werden erst mit \"Speichern\" in die Registrierungsdatenbank geschrieben.\n"
              "\nNicht übernommen:\n"
              "- andere Schlüssel: \"HKEY_LOCAL_MACHINE\\Software\\Classes\\.txt\", \"..." + lang.substr(lang.size() - 57) +
              "\", \"HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Classes\\A\\B\"\n"
              "- andere Werte: \"HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Version\", \"BMP\\Farbe\", \"BMP\\@\"\n"
              "- Namen, die keine Erweiterung sind: \"..\"\n"
              "- Werte, die kein Text sind: \"BMP\\Symbol\", \"BMP\\Symbol\"\n"
              "- Dateitypen ohne Bezeichnung oder Befehl zum Öffnen: \"PCX\"\n"
              "- Einträge zum Löschen: \"HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Classes\\INI\", \"TXT\\Symbol\"\n"
              "- Zeilen, die nicht gelesen werden konnten: 4, 7, 30, 31, 32 und 2 weitere");
    // A type the list holds gets the file's values; the others come as new lines.
    EXPECT_EQ(Spalte(haupt.liste()), (Texte{"BMP", "HEX", "INI", "TXT"}));
    EXPECT_EQ(Spalte(haupt.liste(), 1), (Texte{"Bild \"neu\"", "Hex", "Einstellungen", "Text für Ärger"}));
    EXPECT_EQ(Spalte(haupt.liste(), 2), (Texte{"C:\\Paint\\paint.exe \"%1\"", "hex.exe", "notepad.exe %1", "notepad.exe %1"}));
    EXPECT_EQ(Spalte(haupt.liste(), 3), (Texte{"", "", "", ""}));
    EXPECT_TRUE(haupt.fenster.Geaendert());

    // Version 5 in UTF-16: a character the ANSI code page lacks, and a file cut off inside a
    // character.
    haupt.fenster.GeaendertSetzen(false);
    std::string breit = Utf16(L"Windows Registry Editor Version 5.00\r\n\r\n"
                              L"[HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Classes\\GIF]\r\n"
                              L"\"Bezeichnung\"=\"GIF-Bild f\u00fcr 5 \u20ac\"\r\n\"Oeffnen\"=\"\u03a9.exe\"\r\n"
                              L"\"Oeffnen\"=\"gif.exe\"\r\n\"Symbol\"=hex(1):67,00,2c,00,31,00,00,00\r\n"
                              L"[HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Classes\\TXT]\r\n\"Bezeichnung\"=\"Abg");
    breit.pop_back();
    EXPECT_EQ(Importiert(breit), "1 Dateityp(en) aus der Datei \"" + Datei("ein.reg") + "\" übernommen: GIF.\n"
                                 "Sie stehen in der Liste und werden erst mit \"Speichern\" in die "
                                 "Registrierungsdatenbank geschrieben.\n\nNicht übernommen:\n"
                                 "- Dateitypen ohne Bezeichnung oder Befehl zum Öffnen: \"TXT\"\n"
                                 "- Zeilen, die nicht gelesen werden konnten: 5, 9");
    EXPECT_EQ(haupt.liste().Zeile(1), (Texte{"GIF", "GIF-Bild für 5 €", "gif.exe", "g,1"}));
    EXPECT_EQ(haupt.liste().Zeile(4), (Texte{"TXT", "Text für Ärger", "notepad.exe %1", ""}));
    EXPECT_TRUE(haupt.fenster.Geaendert());

    // The same file again changes nothing, and says so.
    haupt.fenster.GeaendertSetzen(false);
    EXPECT_NE(Importiert(breit).find("Die Liste enthielt sie schon mit denselben Werten."), std::string::npos);
    EXPECT_FALSE(haupt.fenster.Geaendert());
}

// Plays a process killed during an export: from the file step `tod` on, nothing reaches the
// disk; a write cut there leaves half its file.
class Tod : public Dateischritte {
public:
    explicit Tod(int tod) : tod_(tod) { DateienErsetzen(this); }
    ~Tod() override { DateienErsetzen(nullptr); }
    bool Schreiben(const std::string& pfad, const std::string& inhalt) override {
        if (Lebt()) return Dateischritte::Schreiben(pfad, inhalt);
        if (schritt_ == tod_ + 1) Dateischritte::Schreiben(pfad, inhalt.substr(0, inhalt.size() / 2));
        return false;
    }
    bool Loeschen(const std::string& pfad) override { return Lebt() && Dateischritte::Loeschen(pfad); }
    bool Umbenennen(const std::string& von, const std::string& nach) override {
        return Lebt() && Dateischritte::Umbenennen(von, nach);
    }

private:
    bool Lebt() { return schritt_++ < tod_; }
    int tod_, schritt_ = 0;
};

TEST_F(Austausch, AnExportCutOffAnywhereLeavesAWholeFileAndAFailureIsNamed) {
    Gesichert("TXT", "Text", "notepad.exe %1");
    Typliste gespeichert;
    SicherungLaden(gespeichert);
    const std::string neu = RegdateiText(gespeichert), alt = "REGEDIT4\r\n\r\n; alt\r\n", ziel = Datei("aus.reg");
    // Steps: the new file, making room beside, the old file aside, the new one in, the old one gone.
    for (int tod = 0; tod <= 5; ++tod) {
        SCOPED_TRACE("cut before file step " + std::to_string(tod));
        Aufraeumen();
        DateiSchreiben(ziel, alt);
        MeldungErsetzen([](const std::string&, UINT, const std::string&) { return IDOK; });
        {
            Tod t(tod);
            Befehl(haupt, ID_EXPORTIEREN, ziel);
        }
        const auto inhalte = Inhalte();
        const std::string dort = DateiLesen(ziel);
        EXPECT_TRUE(dort == alt || dort == neu || dort == "<keine Datei>") << dort;
        int ganze = 0;
        for (const auto& [name, inhalt] : inhalte) ganze += inhalt == alt || inhalt == neu;
        EXPECT_GE(ganze, dort == "<keine Datei>" ? 2 : 1);
    }
    MeldungErsetzen(nullptr);

    // A protected file and a missing folder: named, and nothing left behind.
    Aufraeumen();
    DateiSchreiben(ziel, alt);
    SetFileAttributesA(ziel.c_str(), FILE_ATTRIBUTE_READONLY);
    for (const std::string& pfad : {ziel, Datei("fehlt\\aus.reg")}) {
        Meldungen boxen{IDOK};
        Befehl(haupt, ID_EXPORTIEREN, pfad);
        const Box fehler{"Die Datei \"" + pfad +
                             "\" konnte nicht geschrieben werden. Vielleicht ist sie schreibgeschützt, oder der "
                             "Ordner ist es.\n\nEine Datei dieses Namens, die es schon gab, ist unverändert.",
                         MB_OK | MB_ICONEXCLAMATION, "Endungswart - Exportieren"};
        EXPECT_EQ(boxen.Gezeigt(), std::vector<Box>{fehler});
        EXPECT_EQ(Inhalte(), (std::map<std::string, std::string>{{"aus.reg", alt}}));
    }
}

TEST_F(Austausch, UnsavedChangesAndACloseRequestDuringTheDialogsAndQuestionsLoseNothing) {
    Optionen.Beenden = 1;
    Hilfeaufrufe hilfe;
    const Box frage{"Die Liste enthält Änderungen, die noch nicht gespeichert sind. Exportiert werden die gesicherten "
                    "Dateitypen.\n\nSollen die Änderungen vorher gespeichert werden?",
                    MB_YESNOCANCEL | MB_ICONQUESTION, "Endungswart - Exportieren"};
    DateiSchreiben(Datei("ein.reg"), "REGEDIT4\r\n" + Eintrag("GIF", "Bild", "gif.exe %1"));
    const struct {
        const char* fall;
        int befehl;
        std::vector<int> antworten;  // the command's boxes, then the closing question
        const char* exportiert;      // the description in the exported file; nullptr: no file
        Texte gespeichert;           // the store once the window is gone
    } faelle[] = {
        {"export, saved first", ID_EXPORTIEREN, {IDYES}, "Neu", {"TXT"}},
        {"export of the store as it is", ID_EXPORTIEREN, {IDNO, IDYES}, "Alt", {"TXT"}},
        {"export cancelled", ID_EXPORTIEREN, {IDCANCEL, IDYES}, nullptr, {"TXT"}},
        {"import", ID_IMPORTIEREN, {IDOK, IDYES}, nullptr, {"GIF", "TXT"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        DeleteFileA(Datei("aus.reg").c_str());
        Gesichert("TXT", "Alt", "alt.exe %1");
        Hauptliste h;
        h.Zeile("TXT", "Neu", "neu.exe %1");
        h.fenster.GeaendertSetzen(true);
        auto schliessen = [&] { SendMessageA(h.fenster.hwnd(), WM_CLOSE, 0, 0); };
        std::vector<int> antworten = f.antworten;
        std::vector<Box> boxen;
        MeldungErsetzen([&](const std::string& text, UINT stil, const std::string& titel) {
            boxen.push_back({text, stil, titel});
            schliessen();
            const int a = antworten.empty() ? IDCANCEL : antworten.front();
            if (!antworten.empty()) antworten.erase(antworten.begin());
            return a;
        });
        DateiWaehlenErsetzen([&](HWND fenster, const std::string&, const std::string&, const std::string&, DWORD) {
            SendMessageA(fenster, WM_HELP, 0, 0);  // F1, which the file dialog hands to its owner
            schliessen();
            return Datei(f.befehl == ID_EXPORTIEREN ? "aus.reg" : "ein.reg");
        });
        SendMessageA(h.fenster.hwnd(), WM_COMMAND, f.befehl, 0);
        EXPECT_TRUE(IsWindow(h.fenster.hwnd()));
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        MeldungErsetzen(nullptr);
        DateiWaehlenErsetzen(nullptr);
        EXPECT_FALSE(IsWindow(h.fenster.hwnd()));
        EXPECT_TRUE(antworten.empty());
        if (f.befehl == ID_EXPORTIEREN) EXPECT_EQ(boxen.at(0), frage);
        const std::string text = DateiLesen(Datei("aus.reg"));
        if (f.exportiert)
            EXPECT_NE(text.find(std::string("\"Bezeichnung\"=\"") + f.exportiert + "\""), std::string::npos) << text;
        else
            EXPECT_EQ(text, "<keine Datei>");
        EXPECT_EQ(StoreNamen(), f.gespeichert);
        EXPECT_EQ(Holen(HKEY_CURRENT_USER, kStore + "TXT", "Bezeichnung"), "Neu");
    }
    hilfe.erase(std::remove(hilfe.begin(), hilfe.end(), std::pair<UINT, ULONG_PTR>{HELP_QUIT, 0}), hilfe.end());
    EXPECT_EQ(hilfe, (Hilfeaufrufe::vector(3, {HELP_CONTEXT, 70})));
}

}  // namespace
