// The one layer through which the program touches the registry.
// Reads fail quietly into the caller's default, writes into false, deletes into nothing.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Owns one open registry key; closes it when it goes.
class RegSchluessel {
public:
    RegSchluessel() = default;
    explicit RegSchluessel(HKEY h) : h_(h) {}
    RegSchluessel(RegSchluessel&& o) noexcept : h_(o.release()) {}
    RegSchluessel& operator=(RegSchluessel&& o) noexcept { reset(o.release()); return *this; }
    RegSchluessel(const RegSchluessel&) = delete;
    RegSchluessel& operator=(const RegSchluessel&) = delete;
    ~RegSchluessel() { reset(); }

    HKEY get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    HKEY release() { HKEY h = h_; h_ = nullptr; return h; }
    void reset(HKEY h = nullptr) {
        if (h_) RegCloseKey(h_);
        h_ = h;
    }

private:
    HKEY h_ = nullptr;
};

// Opens root\pfad for reading; an empty key on failure.
RegSchluessel RegOeffnen(HKEY root, const std::string& pfad);

// The text of one value (empty name = the key's default value), or `vorgabe` when the key or
// value is missing or holds no text. Values of any length are read whole.
std::string RegWertLesen(HKEY root, const std::string& pfad, const std::string& name,
                         const std::string& vorgabe);

// Creates root\pfad where needed and stores `wert` as REG_SZ, or as REG_EXPAND_SZ when the
// value it replaces is one, so that "%SystemRoot%\..." still expands. True when the value was
// written. Never writes the default value of a root itself.
bool RegWertSchreiben(HKEY root, const std::string& pfad, const std::string& name,
                      const std::string& wert);

// Test hook: sees every call of RegWertSchreiben, in order, with its result. An empty
// function removes it.
using SchreibBeobachter = std::function<void(HKEY root, const std::string& pfad,
                                             const std::string& name, const std::string& wert,
                                             bool geschrieben)>;
void RegSchreibenBeobachten(SchreibBeobachter beobachter);

// Calls `besuch` for each subkey name of root\pfad in registry order until it returns false.
void RegUnterschluessel(HKEY root, const std::string& pfad,
                        const std::function<bool(const std::string&)>& besuch);

// Removes root\pfad\name with everything below it, whatever the platform's RegDeleteKey does.
bool RegBaumLoeschen(HKEY root, const std::string& pfad, const std::string& name);

// Key paths of the program under HKEY_CURRENT_USER.
inline constexpr const char* kEigenerSchluessel = "Software\\RHM\\Endungswart\\";
inline constexpr const char* kRunSchluessel = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunWert = "Endungswart";

// Deletes the whole backup store "Classes" of the program's key.
void SicherungLoeschen();

// Removes the program's value from the Run list; the Run key itself stays.
void AutostartEintragLoeschen();
