// The first interactive start: welcome, safety copies of the registry files, sample types.
#pragma once
#include <string>

class Arbeitsliste;

void ErsterStart(Arbeitsliste& liste);
std::string WindowsVerzeichnis();  // always ends with a backslash

// The sample types, in the order they are offered.
inline constexpr const char* kBeispielTypen[] = {"BMP", "PCX", "GIF", "TXT", "INI"};
