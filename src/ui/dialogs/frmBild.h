// The picture windows of the information box: one picture, no frame, above all windows for
// five seconds, then gone by itself.
#pragma once
#include "ui/Form.h"

class frmBild : public Form {
public:
    // `bild` is a packed bitmap resource (GepacktesBildLaden) whose size is the window's.
    frmBild(int bild, int breite, int hoehe) : bild_(bild), breite_(breite), hoehe_(hoehe) {}

    // Shows the window centred on the screen while `besitzer` takes no input, and returns once
    // it has closed itself. False (with GetLastError set) when the window cannot be made.
    bool Zeigen(HWND besitzer);

    static constexpr double kSekunden = 5;

protected:
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) override;

private:
    void Form_Activate();  // once it is up: on top for its seconds, then gone
    void Form_Paint();

    int bild_, breite_, hoehe_;
    Bitmap bitmap_;
    HWND besitzer_ = nullptr;
};

// The two pictures: 320 x 318 and 250 x 352 pixels.
struct frmBildA : frmBild {
    frmBildA();
};
struct frmBildB : frmBild {
    frmBildB();
};
