// What a window and a dialog share: the handle, their controls by ID and the few things every
// form does with a control.
#pragma once
#include <windows.h>

#include <string>

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
    HWND hwnd_ = nullptr;
};

// Gives a control the keys; nothing when it is gone or disabled.
void FokusGeben(HWND element);
