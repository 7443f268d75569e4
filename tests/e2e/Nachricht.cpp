// What another program or the system sends to the running Endwart.exe, for the end-to-end
// cases:
//   Nachricht save       chooses "Speichern" in the main window's menu
//   Nachricht close      posts WM_CLOSE to the main window, hidden or not ("Task beenden")
//   Nachricht shutdown   asks WM_QUERYENDSESSION as a shut-down does; on yes it ends the
//                        session for the program (WM_ENDSESSION) and then the process, as
//                        the system would; on no it tells the program the session goes on
//   Nachricht vorn       prints the title of the window in front, the one that keys go to
// Exit code: 0 delivered (for shutdown: refused), 1 shutdown accepted, 2 no main window, 64 usage.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "resource.h"

int main(int argc, char** argv) {
    if (argc != 2) return 64;
    if (std::strcmp(argv[1], "vorn") == 0) {
        char titel[256] = {};
        GetWindowTextA(GetForegroundWindow(), titel, sizeof titel);
        std::printf("%s\n", titel);
        return 0;
    }
    HWND fenster = FindWindowA("Endungswart.frmMain", nullptr);
    if (!fenster) return 2;
    if (std::strcmp(argv[1], "save") == 0)
        return PostMessageA(fenster, WM_COMMAND, MAKEWPARAM(ID_SPEICHERN, 0), 0) ? 0 : 2;
    if (std::strcmp(argv[1], "close") == 0) return PostMessageA(fenster, WM_CLOSE, 0, 0) ? 0 : 2;
    if (std::strcmp(argv[1], "shutdown") != 0) return 64;
    DWORD_PTR antwort = TRUE;
    SendMessageTimeoutA(fenster, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &antwort);
    std::printf("WM_QUERYENDSESSION: %s\n", antwort ? "TRUE" : "FALSE");
    SendMessageTimeoutA(fenster, WM_ENDSESSION, antwort ? TRUE : FALSE, 0, SMTO_NORMAL, 5000, nullptr);
    if (!antwort) return 0;
    DWORD prozess = 0;
    GetWindowThreadProcessId(fenster, &prozess);
    if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, prozess)) {
        TerminateProcess(h, 0);
        CloseHandle(h);
    }
    return 1;
}
