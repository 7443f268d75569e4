// The first interactive start: welcome, safety copies of the registry files, sample types.
#pragma once
#include <windows.h>

#include <string>

class Arbeitsliste;

// Runs against the main window `hauptfenster` and its list. False when that window was closed
// while the welcome was up: then nothing else of the first start happens.
bool ErsterStart(Arbeitsliste& liste, HWND hauptfenster);
std::string WindowsVerzeichnis();  // always ends with a backslash

// The sample types, in the order they are offered.
inline constexpr const char* kBeispielTypen[] = {"BMP", "PCX", "GIF", "TXT", "INI"};
