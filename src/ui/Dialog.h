// Modal forms: an empty in-memory dialog template that the control table fills, so that Tab,
// Enter (IDOK), Esc (IDCANCEL) and access keys work as in any dialog.
#pragma once
#include <windows.h>

#include "ui/Form.h"

class Dialog : public Fenster {
public:
    Dialog(const char* titel, int breite, int hoehe, const Steuerelement* tabelle, size_t anzahl)
        : titel_(titel), breite_(breite), hoehe_(hoehe), tabelle_(tabelle), anzahl_(anzahl) {}

    // Runs the dialog modally; its owner takes no input meanwhile. Returns the code given to
    // Beenden, or -1 with GetLastError set when the dialog cannot be made.
    INT_PTR Zeigen(HWND besitzer);
    void Beenden(INT_PTR code);

    void Klicken(int id);  // as if the user pressed the button
    // Moves the focus through the dialog manager, which also moves the default button's frame.
    void FokusSetzen(HWND element);

    // The dialog behind a window of this class.
    static Dialog* Von(HWND h) { return reinterpret_cast<Dialog*>(GetWindowLongPtrA(h, DWLP_USER)); }

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}
    // The "?" button that F1 presses too; 0 hands F1 on to the owner.
    virtual int HilfeKnopf() const { return 0; }
    // Anything else; return true when handled, with the result in `ergebnis`.
    virtual bool Nachricht(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

private:
    static INT_PTR CALLBACK Prozedur(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR Verarbeiten(UINT msg, WPARAM wp, LPARAM lp);
    void Einrichten();

    const char* titel_;
    int breite_, hoehe_;  // client area, twips
    const Steuerelement* tabelle_;
    size_t anzahl_;
    bool fehlgeschlagen_ = false;
};
