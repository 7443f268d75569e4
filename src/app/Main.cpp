#include "app/Main.h"

#include <windows.h>

#include <memory>

#include "app/ErsterStart.h"
#include "settings/Optionen.h"
#include "platform/Text.h"
#include "resource.h"
#include "filetypes/Sicherung.h"
#include "filetypes/Wiederherstellen.h"
#include "platform/Seams.h"
#include "ui/dialogs/frmSpeichern.h"
#include "ui/main/frmMain.h"


namespace {

const char* const kAutostartFrage =
    "Sie haben keine Dateitypen ausgewählt, die beim Systemstart wiederhergestellt werden "
    "können.\n\nSoll das Programm gestartet werden, damit Sie Dateitypen auswählen können oder "
    "die Autostart-Funktion abschalten können?";

// Creates the main window to `umfang` unless `fenster` holds one, which then gets the rest of
// it for an interactive run; on failure shows the platform's text and gives false.
bool Hauptfenster(std::unique_ptr<frmMain>& fenster, frmMain::Umfang umfang) {
    DWORD fehler = 0;
    if (fenster && fenster->hwnd()) {
        if (umfang == frmMain::Umfang::Ganz) fehler = fenster->BedienungErstellen();
    } else {
        fenster = std::make_unique<frmMain>();
        fehler = fenster->Erstellen(umfang);
    }
    if (!fehler) return true;
    KomponentenFehlerMelden(fehler);
    fenster.reset();
    return false;
}

// The store into the main list, drawn once at the end: drawn line by line, a thousand lines
// cost the list control under Wine more than the whole restore.
void ListeLaden(frmMain& fenster) {
    OhneZeichnen still(fenster.lvwMain().hwnd());
    SicherungLaden(fenster.lvwMain());
}

enum class Weiter { Ende, Interaktiv };

// The autostart road. Ends the program unless the user chose to start interactively.
Weiter AutostartLauf(std::unique_ptr<frmMain>& haupt) {
    if (!Hauptfenster(haupt, frmMain::Umfang::Systemstart)) return Weiter::Ende;
    frmMain* fenster = haupt.get();
    fenster->AutostartlaufSetzen(true);
    ListeLaden(*fenster);
    const bool mitMeldung = Optionen.Autostartmeldung != 0;
    std::unique_ptr<frmSpeichern> fortschritt;
    if (fenster->lvwMain().Anzahl() > 0 && mitMeldung) {
        fortschritt = std::make_unique<frmSpeichern>(Optionen.AutostartPause);
        SetLastError(0);
        if (!fortschritt->Erstellen(nullptr)) {
            DWORD fehler = GetLastError();
            KomponentenFehlerMelden(fehler ? fehler : ERROR_CANNOT_FIND_WND_CLASS);
            return Weiter::Ende;
        }
        fortschritt->Anzeigen();
    }
    if (fenster->lvwMain().Anzahl() == 0 &&
        Meldung(kAutostartFrage, MB_YESNO | MB_ICONQUESTION, kProgrammTitel) == IDYES)
        fenster->AutostartlaufSetzen(false);
    // A close request while the question was up ends the program, whatever the answer.
    if (!fenster->hwnd()) return Weiter::Ende;
    if (!fenster->Autostartlauf()) return Weiter::Interaktiv;

    SystemstartWiederherstellen(fenster->lvwMain(), fortschritt.get());
    fortschritt.reset();
    SendMessageA(fenster->hwnd(), WM_CLOSE, 0, 0);
    return Weiter::Ende;
}

}  // namespace

bool Windows95Familie() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
    if (!GetVersionExA(&info)) return false;
    return info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool IstAutostartBefehl(const std::string& befehlszeile) {
    return Klein(Trimmen(befehlszeile)) == "/autostart";
}

bool Instanzmarke::VorigeInstanzAktivieren() {
    if (mutex_) return false;
    mutex_.reset(CreateMutexA(nullptr, FALSE, Instanzkennung().c_str()));
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    mutex_.reset();  // the other instance's: this one ends
    HWND andere = FindWindowA(frmMain::kKlasse, frmMain::kTitel);
    // A hidden main window belongs to an autostart run; there is nothing to bring up.
    if (andere && IsWindowVisible(andere)) {
        if (IsIconic(andere)) ShowWindow(andere, SW_RESTORE);
        SetForegroundWindow(GetLastActivePopup(andere));
    }
    return true;
}

std::unique_ptr<frmMain> Main(const std::string& befehlszeile, Instanzmarke& marke) {
    if (!Windows95Familie()) {
        Meldung("Diese Version von Endungswart benötigt das Betriebssystem Microsoft Windows 95!",
                MB_OK | MB_ICONERROR, kProgrammTitel);
        return nullptr;
    }
    if (marke.VorigeInstanzAktivieren()) return nullptr;
    OptionenLesen(Optionen, {"Autostartmeldung", "AutostartPause"});

    // The window the autostart road makes stays for the interactive road, should it follow.
    std::unique_ptr<frmMain> fenster;
    if (IstAutostartBefehl(befehlszeile) && AutostartLauf(fenster) == Weiter::Ende) return nullptr;

    OptionenLesen(Optionen, {"Autostart", "Mehrfachauswahl", "Bezeichnung", "Symbol",
                             "Sicherheitsabfrage", "Speichermeldung", "SpeichernPause",
                             "Rueckgaengig", "Beenden"});
    const bool symbolleiste = SchalterLesen(kOptionenSchluessel, "Symbolleiste", true);
    if (!Hauptfenster(fenster, frmMain::Umfang::Ganz)) return nullptr;
    fenster->HakenSetzen(ID_SYMBOLLEISTE, symbolleiste);
    fenster->HakenSetzen(ID_STATUSLEISTE, SchalterLesen(kOptionenSchluessel, "Statusleiste", true));
    Ereignisse();
    // A close request delivered there has run the closing sequence already.
    if (!fenster->hwnd()) return nullptr;
    fenster->LeistenAnordnen();

    if (SchalterLesen(kStartupSchluessel, "FirstStart", true)) {
        // Closed during the welcome: the first start is not done and comes again next time.
        if (!ErsterStart(fenster->lvwMain(), fenster->hwnd())) return nullptr;
        SchalterSchreiben(kStartupSchluessel, "FirstStart", false);
    } else {
        ListeLaden(*fenster);
    }
    fenster->lvwMain().Nachsortieren();
    fenster->ProtokollHinweisLesen();
    fenster->DoppelklickzeitSetzen(DoppelklickzeitLesen());
    fenster->lvwMain().Mehrfachauswahl(Optionen.Mehrfachauswahl != 0);
    fenster->Anzeigen();
    return fenster;
}
