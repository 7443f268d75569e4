// The backup store: the program's own copy of every watched type, under
// HKEY_CURRENT_USER\Software\RHM\Endungswart\Classes\<Erweiterung>.
#pragma once
#include <string>

#include "filetypes/Dateityp.h"

std::string SicherungPfad();  // the store's root, ending in a backslash

// Deletes the whole store.
void SicherungLoeschen();

// Appends every usable stored type to the list, in registry order; does not clear it first.
// A stored type without description or open command, or stored under a name that cannot be
// an extension, is skipped and left in the store.
void SicherungLaden(Arbeitsliste& liste);

// True when the store holds no entry at all, usable or not.
bool SicherungLeer();

// Writes "Bezeichnung", "Oeffnen" and "Symbol" (even when empty) of one type, leaving out those
// the store holds exactly already. True when none failed.
bool SicherungSchreiben(const Dateityp& typ);
