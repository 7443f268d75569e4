/* The code of the test files: they are only read for their icons, never run. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instanz, HINSTANCE vorher, LPSTR zeile, int zeigen) {
    (void)instanz;
    (void)vorher;
    (void)zeile;
    (void)zeigen;
    return 0;
}
