// Opens the built Endwart.hlp through WinHelpA, as the menu and the dialogs' "?" buttons do, and
// reads the topic that Wine's help viewer shows. The viewer runs as its own process, so the
// test finds its window and reads the text of its rich edit control.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Seams.h"

namespace {

// The build writes Endwart.hlp beside Endwart.exe, one folder above the tests.
std::string Hilfepfad() {
    char pfad[MAX_PATH];
    std::string p(pfad, GetModuleFileNameA(nullptr, pfad, MAX_PATH));
    p.erase(p.find_last_of('\\'));
    return p.substr(0, p.find_last_of('\\') + 1) + "Endwart.hlp";
}

// The windows of one class below `eltern`, or at the top level of the process `prozess`.
struct Suche {
    const char* klasse;
    DWORD prozess;
    std::vector<HWND> treffer;
};

BOOL CALLBACK Pruefen(HWND fenster, LPARAM p) {
    auto* s = reinterpret_cast<Suche*>(p);
    char klasse[32] = {};
    GetClassNameA(fenster, klasse, sizeof klasse);
    DWORD prozess = 0;
    GetWindowThreadProcessId(fenster, &prozess);
    if (!lstrcmpiA(klasse, s->klasse) && (!s->prozess || prozess == s->prozess)) s->treffer.push_back(fenster);
    return TRUE;
}

std::vector<HWND> Fenster(HWND eltern, const char* klasse, DWORD prozess = 0) {
    Suche suche{klasse, prozess, {}};
    eltern ? EnumChildWindows(eltern, Pruefen, reinterpret_cast<LPARAM>(&suche))
           : EnumWindows(Pruefen, reinterpret_cast<LPARAM>(&suche));
    return suche.treffer;
}

// First line of the shown topic: the generator puts the topic's title there.
std::string ErsteZeile() {
    HWND hilfe = FindWindowA("MS_WINHELP", nullptr);
    if (!hilfe || !IsWindowVisible(hilfe)) return "(kein Hilfefenster)";
    auto text = Fenster(hilfe, "RichEdit20A");
    char puffer[512] = {};
    if (text.empty() || !SendMessageA(text[0], WM_GETTEXT, sizeof puffer, reinterpret_cast<LPARAM>(puffer)))
        return "(kein Text)";
    std::string s(puffer);
    return s.substr(0, s.find_first_of("\r\n"));
}

// The viewer's key-word list: a list box in a visible dialog of the viewer's process, shown
// while its own window may still be hidden.
HWND Stichwortliste() {
    DWORD prozess = 0;
    HWND viewer = FindWindowA("MS_WINHELP", nullptr);
    if (!viewer || !GetWindowThreadProcessId(viewer, &prozess)) return nullptr;
    for (HWND dialog : Fenster(nullptr, "#32770", prozess))
        if (IsWindowVisible(dialog))
            for (HWND liste : Fenster(dialog, "ListBox")) return liste;
    return nullptr;
}

bool Warten(const std::function<bool()>& bedingung) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(50))
        if (bedingung()) return true;
    return bedingung();
}

class Hilfe : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(GetFileAttributesA(pfad.c_str()), INVALID_FILE_ATTRIBUTES) << pfad;
        fenster = CreateWindowExA(0, "STATIC", "Endungswart", WS_OVERLAPPED, 0, 0, 10, 10,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(fenster);
    }
    void TearDown() override {
        WinHelpA(fenster, pfad.c_str(), HELP_QUIT, 0);
        DestroyWindow(fenster);
    }
    BOOL Hilfe_(UINT befehl, ULONG_PTR daten) { return WinHelpA(fenster, pfad.c_str(), befehl, daten); }
    std::string pfad = Hilfepfad();
    HWND fenster = nullptr;
};

// One test only: the viewer is one for the whole desktop, so tests running side by side would
// take each other's topics and close each other's viewer.
TEST_F(Hilfe, KontextnummernInhaltSucheUndSchliessenWieDasProgramm) {
    const struct {
        DWORD nummer;
        const char* titel;
    } faelle[] = {{20, "Dateitypen hinzufügen und entfernen"},
                  {30, "Dateitypen ändern"},
                  {50, "Optionen"},
                  {60, "Das Protokoll: was andere Programme geändert haben"},
                  {70, "Dateitypen exportieren und importieren"},
                  {0, "Was Endungswart tut"}};  // "&Inhalt" opens the contents
    for (const auto& [nummer, titel] : faelle) {
        ASSERT_TRUE(Hilfe_(nummer ? HELP_CONTEXT : HELP_CONTENTS, nummer));
        Warten([&] { return ErsteZeile() == titel; });  // while winhlp32 starts
        EXPECT_EQ(ErsteZeile(), titel) << "HELP_CONTEXT " << nummer;
    }

    // "&Suchen", through the program's own path to the viewer, not bare WinHelpA: it lists the
    // key words and returns at once, so that the program's window goes on working while the
    // list is open. Closing the main window sends HELP_QUIT, which must take the viewer away,
    // the open list too.
    static const char leer[] = "";
    HilfeZeigen(fenster, pfad, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(leer));
    ASSERT_TRUE(Warten([] {
        return Stichwortliste() && SendMessageA(Stichwortliste(), LB_GETCOUNT, 0, 0) > 0;
    })) << "keine Stichwortliste";
    Hilfe_(HELP_QUIT, 0);
    EXPECT_TRUE(Warten([] { return !FindWindowA("MS_WINHELP", nullptr) && !Stichwortliste(); }));
}

}  // namespace
