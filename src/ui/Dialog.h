// Modal forms: an empty in-memory dialog template that the control table fills, so that Tab,
// Enter (IDOK), Esc (IDCANCEL) and access keys work as in any dialog.
#pragma once
#include <windows.h>

#include <functional>

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
    void TippSetzen(int id, const char* text);  // a tool tip for one control
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

// While it is on, the thread's dialog loops hand each message for one dialog and its controls to
// `pruefen` before the dialog manager sees it; true from `pruefen` swallows the message. One
// filter at a time.
class Dialogfilter {
public:
    using Pruefung = std::function<bool(const MSG&)>;
    Dialogfilter() = default;
    Dialogfilter(const Dialogfilter&) = delete;
    Dialogfilter& operator=(const Dialogfilter&) = delete;
    ~Dialogfilter() { Aus(); }

    void An(HWND dialog, Pruefung pruefen);
    void Aus();

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wp, LPARAM lp);
    // A hook procedure gets no context, and the Windows 95 family needs the hook's handle to
    // pass a message on: the filter that is on is the one slot where the procedure finds both.
    static Dialogfilter* an_;

    HWND dialog_ = nullptr;
    HHOOK hook_ = nullptr;
    Pruefung pruefen_;
};
