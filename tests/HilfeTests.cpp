// Opens the built Endwart.hlp through WinHelpA, as the menu and the dialogs' "?" buttons do, and
// reads the topic that Wine's help viewer shows. The viewer runs as its own process, so the
// test finds its window and reads the text of its rich edit control.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

namespace {

// The build writes Endwart.hlp beside Endwart.exe, one folder above the tests.
std::string Hilfepfad() {
    char pfad[MAX_PATH];
    std::string p(pfad, GetModuleFileNameA(nullptr, pfad, MAX_PATH));
    p.erase(p.find_last_of('\\'));
    return p.substr(0, p.find_last_of('\\') + 1) + "Endwart.hlp";
}

HWND Hilfefenster() {
    HWND h = FindWindowA("MS_WINHELP", nullptr);
    return h && IsWindowVisible(h) ? h : nullptr;
}

BOOL CALLBACK TextfeldSuchen(HWND fenster, LPARAM ergebnis) {
    char klasse[32] = {};
    GetClassNameA(fenster, klasse, sizeof klasse);
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, klasse, 8, "RichEdit", 8) != CSTR_EQUAL)
        return TRUE;
    *reinterpret_cast<HWND*>(ergebnis) = fenster;
    return FALSE;
}

// First line of the shown topic: the generator puts the topic's title there.
std::string ErsteZeile() {
    HWND hilfe = Hilfefenster(), text = nullptr;
    if (!hilfe) return "(kein Hilfefenster)";
    EnumChildWindows(hilfe, TextfeldSuchen, reinterpret_cast<LPARAM>(&text));
    char puffer[512] = {};
    if (!text || !SendMessageA(text, WM_GETTEXT, sizeof puffer, reinterpret_cast<LPARAM>(puffer)))
        return "(kein Text)";
    std::string s(puffer);
    return s.substr(0, s.find_first_of("\r\n"));
}

bool Warten(const std::function<bool()>& bedingung) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(50))
        if (bedingung()) return true;
    return bedingung();
}

// Only the first call has to wait, while winhlp32 starts; WinHelpA hands the command over
// with SendMessage, so later topics are on screen when it returns.
std::string Angezeigt(const std::string& erwartet) {
    Warten([&] { return ErsteZeile() == erwartet; });
    return ErsteZeile();
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
    BOOL Hilfe_(UINT befehl, ULONG_PTR daten) {
        return WinHelpA(fenster, pfad.c_str(), befehl, daten);
    }
    std::string pfad = Hilfepfad();
    HWND fenster = nullptr;
};

// One test only: the viewer is one for the whole desktop, so tests running side by side would
// take each other's topics and close each other's viewer.
TEST_F(Hilfe, KontextnummernInhaltUndSchliessenWieDasProgramm) {
    const struct {
        DWORD nummer;
        const char* titel;
    } faelle[] = {{20, "Dateitypen hinzufügen und entfernen"},
                  {30, "Dateitypen ändern"},
                  {50, "Optionen"},
                  {20, "Dateitypen hinzufügen und entfernen"}};
    for (const auto& f : faelle) {
        ASSERT_TRUE(Hilfe_(HELP_CONTEXT, f.nummer));
        EXPECT_EQ(Angezeigt(f.titel), f.titel) << "HELP_CONTEXT " << f.nummer;
    }
    // "&Inhalt" opens the contents; closing the main window sends HELP_QUIT, which must take
    // the viewer's window away.
    ASSERT_TRUE(Hilfe_(HELP_CONTENTS, 0));
    EXPECT_EQ(Angezeigt("Was Endungswart tut"), "Was Endungswart tut");
    Hilfe_(HELP_QUIT, 0);
    EXPECT_TRUE(Warten([] { return !FindWindowA("MS_WINHELP", nullptr); }));
}

}  // namespace
