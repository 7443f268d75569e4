#include "app/ErsterStart.h"

#include <windows.h>

#include "platform/Text.h"
#include "filetypes/Sicherung.h"
#include "platform/Seams.h"

namespace {

const char* const kWillkommen =
    "Beim ersten Start des Programms werden Sicherheitskopien der "
    "Dateien SYSTEM.DAT und USER.DAT unter SYSTEM.SIK und USER.SIK erstellt."
    "\n\n"
    "Im Hauptfenster werden einige Dateitypen als Beispiel "
    "angezeigt. Mit Hinzufügen/Entfernen können Sie die Auswahl ändern. "
    "\n\n"
    "Zum Ändern der Werte markieren Sie einen "
    "Eintrag und wählen die Schaltfläche Ändern"
    "\n\n"
    "Mit Speichern werden eventuelle Änderungen gespeichert und gleichzeitig "
    "die ausgewählten Dateitypen gesichert."
    "\n\n"
    "Unter Optionen/Autostart können Sie einstellen, ob die gesicherten Dateitypen "
    "bei jedem Systemstart wiederhergestellt werden sollen.";

}  // namespace

std::string WindowsVerzeichnis() {
    char puffer[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryA(puffer, MAX_PATH);
    std::string verzeichnis(puffer, n <= MAX_PATH ? n : 0);
    std::string getrimmt = RechtsTrimmen(verzeichnis);
    if (getrimmt.empty() || getrimmt.back() != '\\') return getrimmt + '\\';
    return verzeichnis;
}

bool ErsterStart(Arbeitsliste& liste, HWND hauptfenster) {
    Meldung(kWillkommen, MB_OK | MB_ICONINFORMATION, "Willkommen bei Endungswart!");
    if (!IsWindow(hauptfenster)) return false;
    const std::string windows = WindowsVerzeichnis();
    CopyFileA((windows + "SYSTEM.DAT").c_str(), (windows + "SYSTEM.SIK").c_str(), FALSE);
    CopyFileA((windows + "USER.DAT").c_str(), (windows + "USER.SIK").c_str(), FALSE);

    SicherungLaden(liste);
    // Judged from the store itself: whatever it holds, even entries the list cannot show, is
    // the user's and no sample may replace it.
    if (liste.Anzahl() > 0 || !SicherungLeer()) return true;
    for (const char* erweiterung : kBeispielTypen) {
        Dateityp typ;
        if (!DateitypLesen(erweiterung, typ)) continue;
        liste.Hinzufuegen(typ);
        SicherungSchreiben(typ);
    }
    return true;
}
