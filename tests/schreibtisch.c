// Holds Wine's desktop for a whole test run. Wine starts the desktop's window process
// (explorer.exe) for the first process that needs one and ends it once no process uses the
// desktop, and that window process keeps the standard error of the process it was started
// for. Started for a test, it holds CTest's output pipe, and CTest waits on the pipe after
// the test has ended, until its time limit. Run first by ./test with its output in a file,
// this starts the window process itself and keeps it until the wine server ends.
#include <windows.h>

#include <stdio.h>

int main(void) {
    if (!GetDesktopWindow()) return 1;
    printf("bereit\n");
    fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
