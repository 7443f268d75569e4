// The small window toolkit: twips, control tables and a form base class that turns window
// messages into member handlers.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Besitzer.h"
#include "ui/Fenster.h"

// Tells the user, in the platform's words, why a window or control could not be made.
void KomponentenFehlerMelden(unsigned long fehler);

// 1440 twips are one inch; at 96 dpi 15 twips make one pixel.
int TwipsZuPixel(double twips);
double PixelZuTwips(int pixel);

enum class Art {
    Schaltflaeche,
    Kontrollkaestchen,
    Text,
    Lesefeld,        // read-only text of several lines, wrapped, scrolling down
    Bezeichnung,     // plain text: "&" shows as itself
    Beschriftung,    // label whose "&" marks the access key of the control after it
    Rahmen,
    Liste,
    Linie,
    Bild,            // owner-drawn picture box; clicks arrive as STN_CLICKED
    Schieberegler,   // trackbar
    Register,        // tab control
    Rollbalken,      // horizontal scroll bar
};

// One control of a form. Table order is tab order.
struct Steuerelement {
    Art art;
    int id;
    int x, y, breite, hoehe;  // twips, in the parent's client area
    const char* text;
    DWORD stil;  // added to the kind's own styles
    bool versteckt = false;
};

// A form's window never outlives the form, and no message reaches a form whose destructor has
// begun. Its end runs through the base alone, whichever way it comes (Schliessen, the
// destructor, or DestroyWindow from outside): the window is let go of, GWLP_USERDATA cleared,
// before DestroyWindow, and what must happen when the window ends is the base's to do. So a
// subclass needs no destructor that closes, and must not count on seeing WM_DESTROY.
class Form : public Fenster {
public:
    Form() = default;
    ~Form() override;

    void Schliessen();  // destroys the window, if there is one

    // The hourglass over all of the program's windows while long work runs.
    static void Sanduhr(bool an);

protected:
    // Registers the class once and creates the window; false (with the error kept in
    // GetLastError) when the window cannot be made.
    // A WS_CHILD window takes `id` as its control ID.
    bool Erzeugen(const char* klasse, const char* titel, DWORD stil, DWORD exStil, RECT pixel,
                  HWND besitzer, int id = 0);
    // Creates the table's controls with the dialog font. False when one cannot be made.
    bool ElementeErzeugen(const Steuerelement* tabelle, size_t anzahl);
    // The thread's message loop ends when this window does.
    void SchleifeBeendenBeimEnde() { schleifeBeenden_ = true; }

private:
    static LRESULT CALLBACK Fensterprozedur(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Grundverhalten(UINT msg, WPARAM wp, LPARAM lp);
    void Loslassen();  // the window's end, as far as the form is concerned

    bool schleifeBeenden_ = false;
};

// Creates a table's controls in `eltern` with the given font. False when one cannot be made.
bool SteuerelementeErzeugen(HWND eltern, const Steuerelement* tabelle, size_t anzahl, HFONT schrift);

HFONT DialogSchrift();
// A rectangle of the given outer size centred on the screen's work area.
RECT Zentriert(int breite, int hoehe);
