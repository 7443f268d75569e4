// Driving the dialogs in-process: one scripted step a dialog, run from the dialog's own modal
// loop once it is shown and active; the test data files; pixels of what a control paints; a
// stand-in for the file dialog.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Dialog.h"
#include "platform/Seams.h"

// Step i runs for the i-th dialog that opens while the driver lives; a dialog opened from a
// step (the chooser from the change dialog) gets the next step. A step must end its dialog.
class Treiber {
public:
    using Schritt = std::function<void(Dialog&)>;
    explicit Treiber(std::vector<Schritt> schritte);
    ~Treiber();
    int Geoeffnet() const { return geoeffnet_; }

private:
    static void CALLBACK Zeitgeber(HWND, UINT, UINT_PTR id, DWORD);
    struct Wartend {
        UINT_PTR zeitgeber;
        Dialog* dialog;
        Schritt schritt;
    };
    static std::vector<Wartend> wartend_;
    std::vector<Schritt> schritte_;
    int geoeffnet_ = 0;
};

class frmSymbol;
// A click of the mouse on the visible place `platz` of the icon chooser's strip.
void Klick(frmSymbol& f, int platz, UINT nachricht = WM_LBUTTONDOWN);

// Handles what is queued for the dialog, keys included, as its loop would.
void Abarbeiten(Dialog& d);
// A key as the user types it into the control that has the focus.
void Taste(Dialog& d, WORD taste);

// A file of the test data (beside the test program's folder), as a full path.
std::string Testdatei(const std::string& name);
// The fill colour of symbolNN.ico, the NN-th icon of the test files.
COLORREF Testfarbe(int nn);

// One pixel of what the control paints into its client area.
COLORREF Pixel(HWND element, int x, int y);

bool Sichtbar(HWND h);
std::string Fenstertext(HWND h);

// Records the open-file dialogs asked for and answers them in order.
class Dateiauswahl {
public:
    explicit Dateiauswahl(std::initializer_list<std::string> antworten = {});
    ~Dateiauswahl();
    void Antwort(const std::string& datei) { antworten_.push_back(datei); }
    const std::vector<std::string>& Vorgaben() const { return vorgaben_; }  // the names each began with

private:
    std::vector<std::string> antworten_, vorgaben_;
};

