// A report-view list control that holds one file type per line: the text is the extension,
// sub-items 1 to 3 are description, open command and icon location.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "filetypes/Dateityp.h"
#include "ui/Fenster.h"

struct Spalte {
    const char* titel;
    double breite;  // twips
};

// Holds a window's drawing while lists are filled or emptied in one go; drawn once at the end.
class OhneZeichnen {
public:
    explicit OhneZeichnen(HWND h);
    ~OhneZeichnen();
    OhneZeichnen(const OhneZeichnen&) = delete;
    OhneZeichnen& operator=(const OhneZeichnen&) = delete;

private:
    HWND h_;
};

class ListView : public Arbeitsliste {
public:
    void Verbinden(HWND h) { h_ = h; }
    HWND hwnd() const { return h_; }

    void SpaltenAnlegen(const Spalte* spalten, int anzahl);
    void SpaltenBreiteSetzen(int spalte, double twips);
    int SpaltenBreite(int spalte) const {  // pixels
        return static_cast<int>(SendMessageA(h_, LVM_GETCOLUMNWIDTH, spalte, 0));
    }
    // A click anywhere on a line hits it, not only on the narrow first column. Release 4.70 of
    // the control and later; older ones ignore it.
    void ZeilenweiseWaehlen();

    size_t Anzahl() const override;
    Dateityp Eintrag(size_t i) const override;
    void Hinzufuegen(const Dateityp& typ) override;
    void Leeren() override;

    // Room for `anzahl` lines before a long run of Hinzufuegen.
    void Reservieren(size_t anzahl) { SendMessageA(h_, LVM_SETITEMCOUNT, anzahl, 0); }
    // A line at `zeile` with texts[0] as its text and the rest as its sub-items. The line's
    // index, or -1 when the control refused it.
    int ZeileEinfuegen(size_t zeile, const std::string* texte, int anzahl);
    std::string Text(size_t zeile, int spalte) const;
    size_t Markierte() const;
    bool Markiert(size_t zeile) const { return Zustand(zeile, LVIS_SELECTED) != 0; }
    void TextSetzen(size_t zeile, int spalte, const std::string& text);
    void Entfernen(size_t zeile);
    // Selected and current, so that the arrow keys start there.
    void Waehlen(size_t zeile) { ZustandSetzen(zeile, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED); }
    void AlleAbwaehlen() { ZustandSetzen(static_cast<WPARAM>(-1), LVIS_SELECTED, 0); }
    void Fokus() const { FokusGeben(h_); }
    void Mehrfachauswahl(bool an);
    // Sorts the lines by the texts of one column, without regard to case.
    void Sortieren(int spalte, bool absteigend);

private:
    UINT Zustand(size_t zeile, UINT maske) const;
    void ZustandSetzen(WPARAM zeile, UINT maske, UINT zustand);  // (WPARAM)-1: every line

    HWND h_ = nullptr;
};
