#include <windows.h>

#include <memory>

#include "app/Main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR befehlszeile, int) {
    Instanzmarke marke;  // held until the program ends
    std::unique_ptr<frmMain> fenster = Main(befehlszeile ? befehlszeile : "", marke);
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
