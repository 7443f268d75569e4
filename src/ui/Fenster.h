// What a window and a dialog share: the handle, their controls by ID, the few things every
// form does with a control, and the one way commands and notifications reach their handlers.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

// A line of a form's command table: a control or menu command and the handler it runs.
template <class F>
struct Befehlszeile {
    int id;
    void (F::*handler)();
};

// The handler of a command in a table, or null.
template <class F, size_t N>
void (F::*HandlerFuer(const Befehlszeile<F> (&tabelle)[N], int id))() {
    for (const Befehlszeile<F>& z : tabelle)
        if (z.id == id) return z.handler;
    return nullptr;
}

// Runs a command's handler from the table; false when the table has none.
template <class F, size_t N>
bool Ausloesen(F& form, const Befehlszeile<F> (&tabelle)[N], int id) {
    void (F::*h)() = HandlerFuer(tabelle, id);
    if (h) (form.*h)();
    return h != nullptr;
}

class Fenster {
public:
    Fenster() = default;
    Fenster(const Fenster&) = delete;
    Fenster& operator=(const Fenster&) = delete;
    virtual ~Fenster() = default;

    HWND hwnd() const { return hwnd_; }
    HWND Element(int id) const { return GetDlgItem(hwnd_, id); }

    std::string Feldtext(int id) const;
    void FeldtextSetzen(int id, const std::string& text) const;
    bool Angekreuzt(int id) const;
    void Ankreuzen(int id, bool an) const;

protected:
    // Any message before the base's own handling: true when handled, with the window
    // procedure's answer in `ergebnis`.
    virtual bool Nachricht(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // WM_COMMAND: true when handled. WM_NOTIFY: the answer to the notification.
    virtual bool Befehl(int, int) { return false; }
    virtual LRESULT Benachrichtigung(const NMHDR&) { return 0; }
    // Hands WM_COMMAND and WM_NOTIFY to the two above; false for them unhandled and for
    // every other message.
    bool Verteilen(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis);

    HWND hwnd_ = nullptr;
};

// Gives a control the keys; nothing when it is gone or disabled.
void FokusGeben(HWND element);

// One update after a burst of notifications (a thousand lines selected at once): the first
// one posts `nachricht` to the window, the others find it on its way; the window runs the
// update when the message arrives.
class Vormerkung {
public:
    explicit Vormerkung(UINT nachricht) : nachricht_(nachricht) {}
    void Vormerken(HWND h) {
        if (!vorgemerkt_ && h) vorgemerkt_ = PostMessageA(h, nachricht_, 0, 0) != FALSE;
    }
    // True for the posted message: the update is due.
    bool Faellig(UINT msg) {
        if (msg != nachricht_) return false;
        vorgemerkt_ = false;
        return true;
    }

private:
    UINT nachricht_;
    bool vorgemerkt_ = false;
};
