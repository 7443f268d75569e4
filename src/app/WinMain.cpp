#include <windows.h>

#include "app/Main.h"
#include "ui/main/frmMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR befehlszeile, int) {
    frmMain* fenster = Main(befehlszeile ? befehlszeile : "");
    // A close request during start-up may already have taken the window.
    if (!fenster || !fenster->hwnd()) return 0;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (fenster->hwnd() && TranslateAcceleratorA(fenster->hwnd(), fenster->Tastenkuerzel(), &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
