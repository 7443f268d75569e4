// Owners of the handles the program opens: each frees its handle when it goes, so no code path
// (early return, exception, a window closed during a message box) leaks or frees twice.
#pragma once
#include <windows.h>

#include <commctrl.h>

// Owns one handle of type H and frees it with Frei; move-only.
template <class H, auto Frei>
class Besitzer {
public:
    Besitzer() = default;
    explicit Besitzer(H h) : h_(h) {}
    Besitzer(Besitzer&& o) noexcept : h_(o.release()) {}
    Besitzer& operator=(Besitzer&& o) noexcept { reset(o.release()); return *this; }
    Besitzer(const Besitzer&) = delete;
    Besitzer& operator=(const Besitzer&) = delete;
    ~Besitzer() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    H release() { H h = h_; h_ = nullptr; return h; }
    void reset(H h = nullptr) {
        if (h_) Frei(h_);
        h_ = h;
    }

private:
    H h_ = nullptr;
};

using RegSchluessel = Besitzer<HKEY, RegCloseKey>;
using SymbolBild = Besitzer<HICON, DestroyIcon>;
using Bitmap = Besitzer<HBITMAP, DeleteObject>;
using Pinsel = Besitzer<HBRUSH, DeleteObject>;
using Region = Besitzer<HRGN, DeleteObject>;
using SpeicherDC = Besitzer<HDC, DeleteDC>;  // from CreateCompatibleDC
using Bildliste = Besitzer<HIMAGELIST, ImageList_Destroy>;
using Tastentabelle = Besitzer<HACCEL, DestroyAcceleratorTable>;
using Bibliothek = Besitzer<HMODULE, FreeLibrary>;  // from LoadLibraryA
using Kernobjekt = Besitzer<HANDLE, CloseHandle>;   // a mutex, an event: null when none

// Holds a DC of GetDC for one window and gives it back with ReleaseDC.
class FensterDC {
public:
    explicit FensterDC(HWND fenster) : fenster_(fenster), dc_(GetDC(fenster)) {}
    FensterDC(const FensterDC&) = delete;
    FensterDC& operator=(const FensterDC&) = delete;
    ~FensterDC() { if (dc_) ReleaseDC(fenster_, dc_); }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND fenster_;
    HDC dc_;
};

// Selects a GDI object into a DC and, when it goes, puts back what the first selection
// replaced, so that the DC never takes an object with it that is about to be deleted. Declare it
// after the owners of the DC and of the objects, so that it goes first.
class GewaehltesObjekt {
public:
    explicit GewaehltesObjekt(HDC dc, HGDIOBJ objekt = nullptr) : dc_(dc) {
        if (objekt) Waehlen(objekt);
    }
    GewaehltesObjekt(const GewaehltesObjekt&) = delete;
    GewaehltesObjekt& operator=(const GewaehltesObjekt&) = delete;
    ~GewaehltesObjekt() {
        if (alt_) SelectObject(dc_, alt_);
    }
    // Another object in place of the one selected now.
    void Waehlen(HGDIOBJ objekt) {
        HGDIOBJ vorher = dc_ ? SelectObject(dc_, objekt) : nullptr;
        if (!alt_) alt_ = vorher;
    }

private:
    HDC dc_;
    HGDIOBJ alt_ = nullptr;
};
