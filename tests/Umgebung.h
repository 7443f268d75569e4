// Test isolation: scratch registry roots, and a scripted double for message boxes.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/Main.h"
#include "platform/Seams.h"

// The program's keys under HKEY_CURRENT_USER.
inline const std::string kStore = "Software\\RHM\\Endungswart\\Classes\\";
inline const std::string kOpt = "Software\\RHM\\Endungswart\\Optionen";
inline const std::string kStartup = "Software\\RHM\\Endungswart\\Startup";

// Points HKEY_CLASSES_ROOT and HKEY_CURRENT_USER at fresh scratch keys for one test, with the
// options as a fresh install has them; drops the stand-ins and the main loop's leftovers after.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Helpers that go through the raw API, not through the layer under test.
    static void Setzen(HKEY root, const std::string& pfad, const std::string& name,
                       const std::string& wert);
    // A value of any type, byte for byte.
    static void RohSetzen(HKEY root, const std::string& pfad, const std::string& name, DWORD typ,
                    const std::string& daten);
    // A value's type; REG_NONE when it is not there.
    static DWORD Typ(HKEY root, const std::string& pfad, const std::string& name = "");
    // Every key under HKEY_CLASSES_ROOT gone.
    static void KlassenLeeren() { RegDeleteTreeA(HKEY_CLASSES_ROOT, nullptr); }
    static std::string Holen(HKEY root, const std::string& pfad, const std::string& name = "");
    static std::string Hkcr(const std::string& pfad) { return Holen(HKEY_CLASSES_ROOT, pfad); }
    // The names in the backup store, sorted.
    static std::vector<std::string> StoreNamen() { return Unterschluessel(HKEY_CURRENT_USER, kStore); }
    // The names of the keys right under root\pfad, sorted.
    static std::vector<std::string> Unterschluessel(HKEY root, const std::string& pfad = "");
    static bool Existiert(HKEY root, const std::string& pfad);
    static bool WertExistiert(HKEY root, const std::string& pfad, const std::string& name) {
        return Holen(root, pfad, name).rfind("<kein", 0) != 0;
    }
    // An extension with its class key: ".ext" -> klasse -> description, command, icon.
    static void TypAnlegen(const std::string& ext, const std::string& klasse,
                           const std::string& bezeichnung, const std::string& oeffnen,
                           const std::string& symbol = "");
    // A type in the backup store.
    static void Gesichert(const std::string& ext, const std::string& bezeichnung,
                          const std::string& oeffnen, const std::string& symbol = "");
    // A class key the registry will not take subkeys under: volatile keys hold no lasting ones.
    static void Fluechtig(const std::string& pfad);
    // Makes the class key `name` a registry link to the class key `ziel`, as the NT family and
    // Wine have them.
    void Verknuepfen(const std::string& name, const std::string& ziel);

private:
    std::string scratch_;
    std::vector<std::string> verknuepfungen_;  // removed first: deleting one by name deletes its target
    std::string protokollOrdner_;
    HKEY echterBenutzer_ = nullptr;
};

// No help viewer.
class Ruhig : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        HilfeErsetzen([](HWND, UINT, ULONG_PTR) {});
    }
    Instanzmarke marke;  // for Main
};


// Every key and value, with its type, under root\pfad, for comparing before and after.
std::string Abzug(HKEY root, const std::string& pfad = "");

// A key under root that nobody may delete while this lives: a DACL that denies it.
class Unloeschbar {
public:
    Unloeschbar(HKEY root, const std::string& pfad);
    ~Unloeschbar();

private:
    HKEY h_ = nullptr;
};

// Runs what is queued for this thread, as the main loop would; a quit goes with the rest.
void Nachrichten();

// A top-level window of this class in this process; test processes share one desktop.
HWND EigenesFenster(const char* klasse);

// A whole file through the raw API; "<keine Datei>" when there is none.
std::string DateiLesen(const std::string& pfad);
void DateiSchreiben(const std::string& pfad, const std::string& inhalt);

struct Box {
    std::string text;
    UINT stil;
    std::string titel;
    bool operator==(const Box&) const = default;
};
void PrintTo(const Box& b, std::ostream* os);

// Answers the planned boxes in order and records each; an unplanned box fails the test.
class Meldungen {
public:
    explicit Meldungen(std::initializer_list<int> antworten) : Meldungen() { geplant_ = antworten; }
    Meldungen();
    ~Meldungen();
    void Antwort(int antwort) { geplant_.push_back(antwort); }
    const std::vector<Box>& Gezeigt() const { return gezeigt_; }
    std::vector<std::string> Texte() const;

private:
    std::deque<int> geplant_;
    std::vector<Box> gezeigt_;
};

// A clock that moves only when the program yields, by the time it asked to wait.
class Testuhr {
public:
    Testuhr();
    ~Testuhr();
    double jetzt = 1000.0;
    int yields = 0;
    std::function<void()> beimWarten;  // looks at the windows while the program waits
};

#include "ui/Dialog.h"
#include "ui/main/frmMain.h"

// Runs `f` on the next dialog of type F as soon as it is up.
template <class F>
struct Hook {
    explicit Hook(std::function<void(F&)> f) {
        DialogBereitErsetzen([f](HWND h) { f(static_cast<F&>(*Dialog::Von(h))); });
    }
    ~Hook() { DialogBereitErsetzen(nullptr); }
};

// File types compare field by field.
inline auto Felder(const Dateityp& t) {
    return std::tie(t.Erweiterung, t.Schluessel, t.Bezeichnung, t.Oeffnen, t.Symbol);
}
inline bool operator==(const Dateityp& a, const Dateityp& b) { return Felder(a) == Felder(b); }
void PrintTo(const Dateityp& t, std::ostream* os);

// Selects these lines of a list view, as Ctrl and a click would.
void Markieren(const Textliste& liste, std::initializer_list<size_t> zeilen);
// One column of a list view, top to bottom.
std::vector<std::string> Spalte(const Textliste& liste, int spalte = 0);

// One part of the main window's status bar once the queued updates have run ("" for a part
// it does not have).
std::string Statusleiste(const frmMain& f, int teil = 0);

// The real main window, hidden, as the working list.
struct Hauptliste {
    Hauptliste() { EXPECT_EQ(fenster.Erstellen(), 0u); }
    Typenansicht& liste() { return fenster.lvwMain(); }
    void Zeile(const std::string& ext, const std::string& bez, const std::string& oeffnen,
               const std::string& symbol = "") {
        liste().Anhaengen({ext, bez, oeffnen, symbol});
    }
    frmMain fenster;
};

// A test on the real main window, hidden.
class Hauptfenstertest : public RegistryTest {
protected:
    Hauptliste haupt;
};

// A save's window without a window: every question answered yes (a shared key split), nothing
// shown, no yield.
struct Stillfenster : Speicherfenster {
    bool SpeichernBestaetigen() override { return true; }
    bool AllesEntfernenBestaetigen() override { return true; }
    bool EigenenSchluesselBestaetigen(const std::string&, const std::string&) override { return true; }
    void Zwischendurch() override {}
    void Sperren(bool) override {}
    Fortschritt* FortschrittOeffnen() override { return nullptr; }
    void FortschrittSchliessen() override {}
};

// Opens a dialog of type F on the main list, runs `f` once it is up, and returns its result.
template <class F>
INT_PTR AufListeZeigen(Hauptliste& haupt, std::function<void(F&)> f) {
    Hook<F> hook(std::move(f));
    F dialog(haupt.liste());
    return dialog.Zeigen(haupt.fenster.hwnd());
}

// Records the help requests, command and data, instead of opening the viewer.
struct Hilfeaufrufe : std::vector<std::pair<UINT, ULONG_PTR>> {
    Hilfeaufrufe() { HilfeErsetzen([this](HWND, UINT b, ULONG_PTR d) { push_back({b, d}); }); }
    ~Hilfeaufrufe() { HilfeErsetzen(nullptr); }
};
