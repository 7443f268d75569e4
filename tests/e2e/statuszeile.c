/* Prints the status bar text of the running program's main window, for the end-to-end tests:
 * its parts, joined by " | ". The status bar keeps its text in the program's own memory, so
 * the buffer for SB_GETTEXTA is borrowed from that process. Exit code 1 when there is no such
 * window. */
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>

int main(void) {
    HWND haupt = FindWindowA("Endungswart.frmMain", "Endungswart");
    HWND status = haupt ? FindWindowExA(haupt, NULL, STATUSCLASSNAMEA, NULL) : NULL;
    DWORD prozess = 0;
    HANDLE h;
    char *fremd, text[1024] = {0};
    SIZE_T n = 0;
    int teil, teile;
    if (!status) return 1;
    GetWindowThreadProcessId(status, &prozess);
    h = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, prozess);
    if (!h) return 1;
    fremd = VirtualAllocEx(h, NULL, sizeof text, MEM_COMMIT, PAGE_READWRITE);
    if (!fremd) return 1;
    teile = (int)SendMessageA(status, SB_GETPARTS, 0, 0);
    for (teil = 0; teil < teile; ++teil) {
        SendMessageA(status, SB_GETTEXTA, teil, (LPARAM)fremd);
        ReadProcessMemory(h, fremd, text, sizeof text - 1, &n);
        printf("%s%s", teil ? " | " : "", text);
    }
    VirtualFreeEx(h, fremd, 0, MEM_RELEASE);
    CloseHandle(h);
    return 0;
}
