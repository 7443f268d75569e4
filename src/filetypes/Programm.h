// Programs and icons of a file type: the program part of an open command, the icon location
// text, and the shell's icon extraction with its quirks taken care of.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

#include "platform/Besitzer.h"

// The extensions that end a program name, and the one the default icon looks for.
inline constexpr std::initializer_list<const char*> kProgrammEndungen = {".exe", ".com", ".bat", ".pif"};
inline constexpr std::initializer_list<const char*> kNurExe = {".exe"};

// The program named at the start of an open command, trimmed, one leading double quote
// removed; empty when none of `endungen` occurs. Where several occur, the first one that ends
// a name (end of the command, a blank, a tab, a double quote) ends the program, else the first.
std::string ProgrammTeil(const std::string& befehl,
                         std::initializer_list<const char*> endungen = kProgrammEndungen);

// The full path SearchPathA finds for `name` in the system's search order; empty when there
// is none, when the path would not fit 260 characters, or when it names a directory.
std::string ProgrammSuchen(const std::string& name);

// An icon location as DefaultIcon holds it: file, comma, index.
struct Symbolort {
    std::string Datei;
    std::string Index;
};
// Splits at the first comma and trims both parts; without a comma the index is "0".
Symbolort SymbolortTeilen(const std::string& ort);
// File, "," and index, without blanks.
std::string SymbolortVerbinden(const std::string& datei, const std::string& index);

// The number an index text stands for, as the shell reads it: leading blanks, a sign and the
// digits that follow; anything else after them is ignored, a text without digits counts as 0,
// and the result stays within -32768..32767.
int IndexZahl(const std::string& index);

// How many icons the file holds (ExtractIconA with -1), 0..32767.
int SymbolAnzahlLesen(const std::string& datei);
// Icon `index` of the file, or none. Index -1 asks for the count, not an icon, and the value 1
// the shell returns for a file that holds no icons is no handle: both give none.
SymbolBild SymbolLaden(const std::string& datei, int index);
// The small (16 x 16) icon of the file: its first icon, else what the shell shows for it.
SymbolBild KleinesSymbolLaden(const std::string& datei);
