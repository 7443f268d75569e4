// The toolkit's list: a report-view list control of text lines, its columns from a table, with
// one sort order that clicks on the column headers drive.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

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

// The order of a list: by the texts of one column, without regard to case; lines of equal text
// keep their order among themselves.
struct Sortierung {
    int spalte = 0;  // counted from 0
    bool absteigend = false;
    bool an = false;  // the list keeps its lines in this order
};

class Textliste {
public:
    void Verbinden(HWND h) { h_ = h; }
    HWND hwnd() const { return h_; }

    // The columns of the table, in its order; the list has no others.
    void SpaltenAnlegen(const Spalte* spalten, int anzahl);
    void SpaltenBreiteSetzen(int spalte, double twips);
    int SpaltenBreite(int spalte) const {  // pixels
        return static_cast<int>(SendMessageA(h_, LVM_GETCOLUMNWIDTH, spalte, 0));
    }
    // A click anywhere on a line hits it, not only on the narrow first column. Release 4.70 of
    // the control and later; older ones ignore it.
    void ZeilenweiseWaehlen();
    void Mehrfachauswahl(bool an);

    size_t Anzahl() const;
    std::string Text(size_t zeile, int spalte) const;
    std::vector<std::string> Zeile(size_t zeile) const;  // the texts of every column
    void TextSetzen(size_t zeile, int spalte, const std::string& text);
    // A line at the end: texte[0] in the first column, the rest in the columns after it.
    void Anhaengen(const std::vector<std::string>& texte);
    // Room for `anzahl` lines before a long run of Anhaengen.
    void Reservieren(size_t anzahl) { SendMessageA(h_, LVM_SETITEMCOUNT, anzahl, 0); }
    void Entfernen(size_t zeile);
    void Leeren();
    // Every line anew, in the list's order while sorting is on.
    void Fuellen(std::vector<std::vector<std::string>> zeilen);

    size_t Markierte() const;
    bool Markiert(size_t zeile) const { return Zustand(zeile, LVIS_SELECTED) != 0; }
    // Selected and current, so that the arrow keys start there.
    void Waehlen(size_t zeile) { ZustandSetzen(zeile, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED); }
    // What Home does in the list: this line alone selected, current and in view, whatever
    // keys are held down meanwhile.
    void NurWaehlen(size_t zeile);
    void AlleAbwaehlen() { ZustandSetzen(static_cast<WPARAM>(-1), LVIS_SELECTED, 0); }
    // The line the keys act on (the focus frame); -1 for none.
    int Aktuelle() const { return static_cast<int>(SendMessageA(h_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)); }
    // Makes `zeile` the current line, as far as the list reaches, and shows it.
    void AktuelleSetzen(size_t zeile);
    // A list that has the keys shows where they act: without a current line, the first
    // selected one becomes current, or else the first line. The selection stays.
    void AktuelleZeigen();
    void Fokus() const;

    const Sortierung& Reihenfolge() const { return sort_; }
    // Sorting on, in this order, at once.
    void SortierungSetzen(int spalte, bool absteigend);
    // A click on the header of `spalte`: the sort column again reverses the order, another
    // column sorts ascending. Columns the list does not have are ignored.
    void Spaltenklick(int spalte);
    // Puts the lines in order again after some were added or changed, while sorting is on.
    void Nachsortieren();

private:
    struct ZeileMitZustand {
        std::vector<std::string> texte;
        UINT zustand;  // selected, current
    };
    void Einsetzen(std::vector<ZeileMitZustand> zeilen);
    UINT Zustand(size_t zeile, UINT maske) const;
    void ZustandSetzen(WPARAM zeile, UINT maske, UINT zustand);  // (WPARAM)-1: every line

    HWND h_ = nullptr;
    int spalten_ = 0;
    Sortierung sort_;
};
