// The one layer through which the program touches the registry.
// Reads fail quietly into the caller's default, writes into false, deletes into nothing.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

#include "platform/Besitzer.h"

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

// Whether root\pfad holds a value of that name, of whatever type.
bool RegWertVorhanden(HKEY root, const std::string& pfad, const std::string& name);

// Whether root\pfad is a registry link, looked at without following it. Only the NT family
// and Wine have links; on Windows 95 this is always false.
bool RegVerknuepfung(HKEY root, const std::string& pfad);

// Calls `besuch` for each subkey name of root\pfad in registry order until it returns false.
void RegUnterschluessel(HKEY root, const std::string& pfad,
                        const std::function<bool(const std::string&)>& besuch);

// Removes the value `name` of root\pfad; true when it was there and is gone.
bool RegWertLoeschen(HKEY root, const std::string& pfad, const std::string& name);

// Removes root\pfad\name with everything below it, whatever the platform's RegDeleteKey does.
bool RegBaumLoeschen(HKEY root, const std::string& pfad, const std::string& name);
