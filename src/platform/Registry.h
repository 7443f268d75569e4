// The one layer through which the program touches the registry.
// Reads fail quietly into the caller's default, writes into false, deletes into nothing.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

#include "platform/Besitzer.h"

// Opens root\pfad for reading; an empty key on failure.
RegSchluessel RegOeffnen(HKEY root, const std::string& pfad);

// The same, and whether root\pfad is a registry link, looked at without following it in the
// same go. A link is opened through to the key it points to. Only the NT family and Wine have
// links; on Windows 95 `verknuepfung` is always false.
RegSchluessel RegOeffnen(HKEY root, const std::string& pfad, bool& verknuepfung);

// One value as it is stored: whether it is there, its type, and its data byte for byte, with
// the terminator and whatever follows it (for a long value of another type than text, none).
struct RegRohwert {
    bool Vorhanden = false;
    DWORD Typ = REG_NONE;
    std::string Daten;
};

// A value of the open key `key` (empty name = its default value), read whole.
RegRohwert RegWertHolen(HKEY key, const std::string& name);

// The value's text as RegWertLesen gives it: up to its first zero; `vorgabe` when the value is
// missing or holds no text.
std::string RegText(const RegRohwert& wert, const std::string& vorgabe);

// Whether RegWertSchreiben of `wert` would leave `alt` exactly as it is: text of a type the
// write keeps, holding `wert`, its terminator and nothing else, letter case included.
bool RegWertUnveraendert(const RegRohwert& alt, const std::string& wert);

// The text of one value (empty name = the key's default value), or `vorgabe` when the key or
// value is missing or holds no text. Values of any length are read whole.
std::string RegWertLesen(HKEY root, const std::string& pfad, const std::string& name,
                         const std::string& vorgabe);

// Creates root\pfad where needed and stores `wert` as REG_SZ, or as REG_EXPAND_SZ when the
// value it replaces is one, so that "%SystemRoot%\..." still expands. True when the value was
// written. Never writes the default value of a root itself.
bool RegWertSchreiben(HKEY root, const std::string& pfad, const std::string& name,
                      const std::string& wert);
// The same for a value that RegWertHolen has just read as `vorher`: the type it found decides,
// without asking the registry again.
bool RegWertSchreiben(HKEY root, const std::string& pfad, const std::string& name, const std::string& wert,
                      const RegRohwert& vorher);

// Calls `besuch` for each subkey name of root\pfad in registry order until it returns false.
void RegUnterschluessel(HKEY root, const std::string& pfad,
                        const std::function<bool(const std::string&)>& besuch);

// Removes the value `name` of root\pfad; true when it was there and is gone.
bool RegWertLoeschen(HKEY root, const std::string& pfad, const std::string& name);

// Removes root\pfad\name with everything below it, whatever the platform's RegDeleteKey does.
bool RegBaumLoeschen(HKEY root, const std::string& pfad, const std::string& name);
