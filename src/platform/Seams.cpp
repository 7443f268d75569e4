#include "platform/Seams.h"

#include <cderr.h>

#include <memory>
#include <vector>

#include "platform/Nachgeladen.h"

namespace {

MeldungsFunktion gMeldung;
UhrFunktion gUhr;
WartenFunktion gWarten;
HilfeFunktion gHilfe;
OeffnenFunktion gOeffnen;
DateiFunktion gDatei;
std::string gProtokoll;
Dateischritte* gDateien;
std::string gInstanz;
DialogFunktion gDialogBereit;
SchreibBeobachter gBeobachter;
bool gVergleichen = true;

void EchteEreignisse(double hoechstens) {
    if (hoechstens > 0) {
        DWORD ms = static_cast<DWORD>(hoechstens * 1000.0 + 0.5);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Belongs to the main loop; hand it back.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double EchteUhr() {
    LARGE_INTEGER frequenz, jetzt;
    if (QueryPerformanceFrequency(&frequenz) && frequenz.QuadPart > 0 &&
        QueryPerformanceCounter(&jetzt))
        return static_cast<double>(jetzt.QuadPart) / static_cast<double>(frequenz.QuadPart);
    return GetTickCount() / 1000.0;
}

}  // namespace

int Meldung(const std::string& text, UINT stil, const std::string& titel) {
    if (gMeldung) return gMeldung(text, stil, titel);
    HWND besitzer = GetActiveWindow();
    // Without an owner (the autostart question at system start) the box must still come up front.
    if (!besitzer) stil |= MB_SETFOREGROUND;
    return MessageBoxA(besitzer, text.c_str(), titel.c_str(), stil);
}

double Uhr() { return gUhr ? gUhr() : EchteUhr(); }

void Ereignisse(double hoechstens) {
    if (gWarten)
        gWarten(hoechstens);
    else
        EchteEreignisse(hoechstens);
}

void Pause(double sekunden) {
    const double anfang = Uhr();
    for (;;) {
        double rest = sekunden - (Uhr() - anfang);
        if (!(rest > 0)) return;  // not a number ends it too
        // Wake at least every 50 ms so the test of the clock stays close to the pause.
        Ereignisse(rest < 0.05 ? rest : 0.05);
    }
}

void MeldungErsetzen(MeldungsFunktion f) { gMeldung = std::move(f); }
void UhrErsetzen(UhrFunktion f) { gUhr = std::move(f); }
void WartenErsetzen(WartenFunktion f) { gWarten = std::move(f); }

std::string ProgrammPfad() {
    char puffer[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, puffer, MAX_PATH);
    return std::string(puffer, n <= MAX_PATH ? n : 0);
}

std::string ProgrammVerzeichnis() {
    std::string pfad = ProgrammPfad();
    size_t trenner = pfad.find_last_of('\\');
    return trenner == std::string::npos ? std::string() : pfad.substr(0, trenner);
}

std::string Hilfedatei() { return ProgrammVerzeichnis() + "\\Endwart.hlp"; }

namespace {

// Wine's help viewer ignores the key-word commands (HELP_KEY, HELP_PARTIALKEY); its key-word
// list opens only through the Finder() macro, which the help file's search topic runs.
constexpr DWORD kStichwortThema = 10;

bool ViewerOhneStichwortsuche() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// One key-word list at a time: a second search while one is open would stack a second list
// inside the first. The viewer is one for the whole process, and so is this mark.
LONG& StichwortlisteOffen() {
    static LONG offen = 0;
    return offen;
}

struct Hilfeauftrag {
    HWND fenster;
    std::string datei;
};

DWORD WINAPI StichwortThemaOeffnen(void* p) {
    std::unique_ptr<Hilfeauftrag> auftrag(static_cast<Hilfeauftrag*>(p));
    // A jump to the page already shown does nothing there, not even the page's macros; after
    // a search closed without a choice the search topic is still on screen.
    WinHelpA(auftrag->fenster, auftrag->datei.c_str(), HELP_CONTENTS, 0);
    WinHelpA(auftrag->fenster, auftrag->datei.c_str(), HELP_CONTEXT, kStichwortThema);
    InterlockedExchange(&StichwortlisteOffen(), 0);
    return 0;
}

}  // namespace

BOOL HilfeZeigen(HWND fenster, const std::string& datei, UINT befehl, ULONG_PTR daten) {
    if (befehl != HELP_PARTIALKEY || !ViewerOhneStichwortsuche())
        return WinHelpA(fenster, datei.c_str(), befehl, daten);
    // The viewer shows its key-word list as a modal dialog inside the message that WinHelpA
    // sends, so that WinHelpA returns only when the list is closed. On a thread of its own the
    // main window goes on working meanwhile; HELP_QUIT at the end still reaches the viewer.
    if (InterlockedExchange(&StichwortlisteOffen(), 1)) return TRUE;
    auto auftrag = std::make_unique<Hilfeauftrag>(Hilfeauftrag{fenster, datei});
    DWORD kennung;  // Windows 95 fails CreateThread without it
    HANDLE faden = CreateThread(nullptr, 0, StichwortThemaOeffnen, auftrag.get(), 0, &kennung);
    if (!faden) {
        InterlockedExchange(&StichwortlisteOffen(), 0);
        return FALSE;
    }
    auftrag.release();
    CloseHandle(faden);
    return TRUE;
}

void Hilfe(HWND fenster, UINT befehl, ULONG_PTR daten) {
    if (gHilfe)
        gHilfe(fenster, befehl, daten);
    else
        HilfeZeigen(fenster, Hilfedatei(), befehl, daten);
}

void Oeffnen(HWND fenster, const std::string& adresse) {
    if (gOeffnen)
        gOeffnen(fenster, adresse);
    else
        nachgeladen::ShellExecuteA(fenster, "Open", adresse.c_str(), "", ProgrammVerzeichnis().c_str(),
                      SW_SHOWNORMAL);
}

// One file dialog, the save dialog with OFN_OVERWRITEPROMPT; false when cancelled or failed.
static bool EchteDateiAuswahl(HWND fenster, const std::string& titel, std::vector<char>& filter,
                              const std::string& vorgabe, DWORD flags, std::string& gewaehlt) {
    char datei[MAX_PATH] = {};
    if (vorgabe.size() < sizeof datei) vorgabe.copy(datei, vorgabe.size());
    const size_t punkt = vorgabe.find_last_of('.');
    const std::string endung = punkt == std::string::npos ? "" : vorgabe.substr(punkt + 1);
    OPENFILENAMEA ofn{};
    // The size Windows 95 knows; it refuses the larger record of later releases.
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = fenster;
    ofn.lpstrFilter = filter.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = datei;
    ofn.nMaxFile = sizeof datei;
    ofn.lpstrTitle = titel.c_str();
    ofn.Flags = flags;
    const bool speichern = flags & OFN_OVERWRITEPROMPT;
    if (speichern && !endung.empty()) ofn.lpstrDefExt = endung.c_str();
    if (!(speichern ? nachgeladen::GetSaveFileNameA(&ofn) : nachgeladen::GetOpenFileNameA(&ofn))) return false;
    gewaehlt = datei;
    return true;
}

namespace {

std::string Dateidialog(HWND fenster, const std::string& titel, const std::string& filter,
                        const std::string& vorgabe, DWORD flags) {
    if (gDatei) return gDatei(fenster, titel, filter, vorgabe, flags);
    std::vector<char> liste(filter.begin(), filter.end());
    for (char& c : liste)
        if (c == '|') c = '\0';
    liste.push_back('\0');
    liste.push_back('\0');
    std::string gewaehlt;
    if (EchteDateiAuswahl(fenster, titel, liste, vorgabe, flags, gewaehlt)) return gewaehlt;
    // A typed name the dialog cannot take as a start must not make browsing impossible.
    if (!vorgabe.empty() && nachgeladen::CommDlgExtendedError() == FNERR_INVALIDFILENAME &&
        EchteDateiAuswahl(fenster, titel, liste, "", flags, gewaehlt))
        return gewaehlt;
    return {};
}

}  // namespace

std::string DateiWaehlen(HWND fenster, const std::string& titel, const std::string& filter,
                         const std::string& vorgabe) {
    return Dateidialog(fenster, titel, filter, vorgabe, OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY);
}

std::string DateiSpeichernWaehlen(HWND fenster, const std::string& titel, const std::string& filter,
                                  const std::string& vorgabe) {
    return Dateidialog(fenster, titel, filter, vorgabe,
                       OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY);
}

void DateiWaehlenErsetzen(DateiFunktion f) { gDatei = std::move(f); }
void HilfeErsetzen(HilfeFunktion f) { gHilfe = std::move(f); }
void OeffnenErsetzen(OeffnenFunktion f) { gOeffnen = std::move(f); }
void InstanzkennungErsetzen(const std::string& name) { gInstanz = name; }
void DialogBereitErsetzen(DialogFunktion f) { gDialogBereit = std::move(f); }

std::string Instanzkennung() { return gInstanz.empty() ? "Endungswart.Instanz" : gInstanz; }

void RegSchreibenBeobachten(SchreibBeobachter beobachter) { gBeobachter = std::move(beobachter); }

bool RegVergleichen() { return gVergleichen; }
void RegVergleichenErsetzen(bool vergleichen) { gVergleichen = vergleichen; }

void RegGeschrieben(HKEY root, const std::string& pfad, const std::string& name, const std::string& wert,
                    bool geschrieben) {
    if (gBeobachter) gBeobachter(root, pfad, name, wert, geschrieben);
}

void DialogBereit(HWND dialog) {
    if (gDialogBereit) gDialogBereit(dialog);
}

void ProtokollDateiErsetzen(const std::string& pfad) { gProtokoll = pfad; }
void DateienErsetzen(Dateischritte* schritte) { gDateien = schritte; }

std::string ProtokollDatei() { return gProtokoll.empty() ? ProgrammVerzeichnis() + "\\Endwart.log" : gProtokoll; }

Dateischritte& Dateien() {
    static Dateischritte echte;  // has no state; only its functions count
    return gDateien ? *gDateien : echte;
}

bool Dateischritte::Schreiben(const std::string& pfad, const std::string& inhalt) {
    HANDLE h = CreateFileA(pfad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const DWORD soll = static_cast<DWORD>(inhalt.size());
    DWORD geschrieben = 0;
    bool ok = WriteFile(h, inhalt.data(), soll, &geschrieben, nullptr) && geschrieben == soll;
    ok = FlushFileBuffers(h) && ok;
    CloseHandle(h);
    return ok;
}

bool Dateischritte::Anhaengen(Kernobjekt& offen, const std::string& pfad, const std::string& text) {
    if (!offen) {
        HANDLE h = CreateFileA(pfad.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        offen.reset(h);
    }
    const DWORD soll = static_cast<DWORD>(text.size());
    DWORD geschrieben = 0;
    const bool ok = SetFilePointer(offen.get(), 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                    WriteFile(offen.get(), text.data(), soll, &geschrieben, nullptr) && geschrieben == soll;
    return ok;
}

bool Dateischritte::Loeschen(const std::string& pfad) { return DeleteFileA(pfad.c_str()) != 0; }

bool Dateischritte::Umbenennen(const std::string& von, const std::string& nach) {
    return MoveFileA(von.c_str(), nach.c_str()) != 0;
}
