// Pictures stored packed in the program file (tools/packen.py packs them at build time).
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

// Unpacks what tools/packen.py packed into `aus`. False, and `aus` of no use, when the data
// are damaged: nothing is read or written outside the two buffers.
bool Entpacken(const unsigned char* daten, size_t laenge, std::vector<unsigned char>& aus);

// The packed bitmap of RCDATA resource `id` as LoadBitmapA would give it unpacked: a bitmap
// for the screen. nullptr when the resource is missing or damaged.
HBITMAP GepacktesBildLaden(HINSTANCE instanz, int id);
