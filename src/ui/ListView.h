// A report-view list control that holds one file type per line: the text is the extension,
// sub-items 1 to 3 are description, open command and icon location.
#pragma once
#include <windows.h>

#include "filetypes/Dateityp.h"

struct Spalte {
    const char* titel;
    double breite;  // twips
};

class ListView : public Arbeitsliste {
public:
    void Verbinden(HWND h) { h_ = h; }
    HWND hwnd() const { return h_; }

    void SpaltenAnlegen(const Spalte* spalten, int anzahl);
    void SpaltenBreiteSetzen(int spalte, double twips);
    // A click anywhere on a line hits it, not only on the narrow first column. Release 4.70 of
    // the control and later; older ones ignore it.
    void ZeilenweiseWaehlen();

    size_t Anzahl() const override;
    Dateityp Eintrag(size_t i) const override;
    void Hinzufuegen(const Dateityp& typ) override;
    void Leeren() override;

    std::string Text(size_t zeile, int spalte) const;
    size_t Markierte() const;
    bool Markiert(size_t zeile) const;
    void TextSetzen(size_t zeile, int spalte, const std::string& text);
    void Entfernen(size_t zeile);
    void Mehrfachauswahl(bool an);
    // Sorts the lines by the texts of one column, without regard to case.
    void Sortieren(int spalte, bool absteigend);

private:
    HWND h_ = nullptr;
};
