// The functions of shell32 and comdlg32 that the program uses, looked up on their first call.
// A system-start run needs neither DLL, and loading them (with what they load in turn) costs
// such a run more than its work. Each answers as a failed call of its original when the DLL or
// the function cannot be found.
#pragma once
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

namespace nachgeladen {

HINSTANCE ShellExecuteA(HWND fenster, LPCSTR verb, LPCSTR datei, LPCSTR parameter, LPCSTR ordner, INT zeigen);
HICON ExtractIconA(HINSTANCE instanz, LPCSTR datei, UINT index);
UINT ExtractIconExA(LPCSTR datei, int index, HICON* gross, HICON* klein, UINT anzahl);
DWORD_PTR SHGetFileInfoA(LPCSTR pfad, DWORD attribute, SHFILEINFOA* info, UINT groesse, UINT flags);
BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn);
DWORD CommDlgExtendedError();

}  // namespace nachgeladen
