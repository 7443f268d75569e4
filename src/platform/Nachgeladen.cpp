#include "platform/Nachgeladen.h"

#include <cderr.h>

namespace {

// Each DLL is loaded once and stays until the process ends: icons and dialogs it made may
// outlive any one call.
HMODULE Modul(const char* dll, HMODULE& modul) {
    if (!modul) modul = LoadLibraryA(dll);
    return modul;
}

HMODULE Shell() {
    static HMODULE modul = nullptr;
    return Modul("shell32.dll", modul);
}

HMODULE Dialoge() {
    static HMODULE modul = nullptr;
    return Modul("comdlg32.dll", modul);
}

// The function `name` of `modul` with the type of its declaration; null when it is missing.
template <class F>
F* Suchen(HMODULE modul, const char* name) {
    return modul ? reinterpret_cast<F*>(reinterpret_cast<void (*)()>(GetProcAddress(modul, name))) : nullptr;
}

}  // namespace

namespace nachgeladen {

HINSTANCE ShellExecuteA(HWND fenster, LPCSTR verb, LPCSTR datei, LPCSTR parameter, LPCSTR ordner, INT zeigen) {
    static auto* f = Suchen<decltype(::ShellExecuteA)>(Shell(), "ShellExecuteA");
    return f ? f(fenster, verb, datei, parameter, ordner, zeigen) : reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND);
}

HICON ExtractIconA(HINSTANCE instanz, LPCSTR datei, UINT index) {
    static auto* f = Suchen<decltype(::ExtractIconA)>(Shell(), "ExtractIconA");
    return f ? f(instanz, datei, index) : nullptr;
}

UINT ExtractIconExA(LPCSTR datei, int index, HICON* gross, HICON* klein, UINT anzahl) {
    static auto* f = Suchen<decltype(::ExtractIconExA)>(Shell(), "ExtractIconExA");
    return f ? f(datei, index, gross, klein, anzahl) : 0;
}

DWORD_PTR SHGetFileInfoA(LPCSTR pfad, DWORD attribute, SHFILEINFOA* info, UINT groesse, UINT flags) {
    static auto* f = Suchen<decltype(::SHGetFileInfoA)>(Shell(), "SHGetFileInfoA");
    return f ? f(pfad, attribute, info, groesse, flags) : 0;
}

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) {
    static auto* f = Suchen<decltype(::GetOpenFileNameA)>(Dialoge(), "GetOpenFileNameA");
    return f ? f(ofn) : FALSE;
}

BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) {
    static auto* f = Suchen<decltype(::GetSaveFileNameA)>(Dialoge(), "GetSaveFileNameA");
    return f ? f(ofn) : FALSE;
}

DWORD CommDlgExtendedError() {
    static auto* f = Suchen<decltype(::CommDlgExtendedError)>(Dialoge(), "CommDlgExtendedError");
    // Without the DLL no dialog could start.
    return f ? f() : CDERR_INITIALIZATION;
}

}  // namespace nachgeladen
