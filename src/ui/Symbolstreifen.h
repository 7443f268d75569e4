// The icon chooser's strip: every icon of one file in a row of cells. Each icon is extracted
// once when the strip is built and drawn then on the cell's two faces, a plain white one and a
// highlighted dark blue one; selecting a cell only changes which face shows, and scrolling
// only changes the first visible cell.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/Form.h"

class Symbolstreifen : public Form {
public:
    static constexpr double kZelleBreite = 645, kZelleHoehe = 549;  // twips
    static constexpr int kSymbolX = 6, kSymbolY = 3;                // pixels inside a cell
    static constexpr int kSichtbar = 7;                             // cells that fit the window
    static constexpr COLORREF kWeiss = RGB(255, 255, 255), kBlau = RGB(0, 0, 128);

    // Notices to the parent besides STN_CLICKED and STN_DBLCLK: a key chose the cell
    // Angeklickt(); the strip got the keys (posted).
    static constexpr WORD kTaste = 0x100, kFokus = 0x101;

    // The white window the strip slides in, as a child of `eltern` (client size in pixels).
    // A click on a cell reaches the parent as WM_COMMAND with STN_CLICKED or STN_DBLCLK; the
    // cell is Angeklickt(). It takes the keys: Left, Right, Home, End, Page Up and Page Down
    // choose a cell with an icon as kTaste, and the highlighted cell shows the focus frame.
    bool Erzeugen(HWND eltern, int id, int x, int y, int breite, int hoehe);
    // Leaves the part of the window that a sibling lying over it covers to that sibling: no
    // painting there, no clicks.
    void Aussparen(HWND geschwister);

    // Cells 0 to anzahl - 1 for the icons of `datei`; an icon that cannot be extracted leaves
    // its cell in place, empty. Works without a window too.
    void Fuellen(const std::string& datei, int anzahl);
    void Leeren();

    int Anzahl() const { return static_cast<int>(vorhanden_.size()); }
    bool Vorhanden(int zelle) const;  // the cell holds an icon
    void Hervorheben(int zelle);      // -1: every cell plain
    int Hervorgehoben() const { return hervor_; }
    void Verschieben(int erste);      // the first visible cell
    int Erste() const { return erste_; }
    int Angeklickt() const { return angeklickt_; }

    // Paints the visible cells and the white rest of the window.
    void Zeichnen(HDC dc) const;

protected:
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) override;

private:
    void Klick(LPARAM lp, WORD code);
    void Melden(WORD code);
    int Ziel(WPARAM taste) const;  // the cell a key leads to; -1: none
    void ZelleNeuZeichnen(int zelle);

    int id_ = 0;
    std::vector<Bitmap> seiten_;  // 64 cells each: plain faces above, highlighted below
    std::vector<char> vorhanden_;  // a flag a cell (vector<bool> alone weighs a kilobyte)
    int hervor_ = -1, erste_ = 0, angeklickt_ = -1;
};
