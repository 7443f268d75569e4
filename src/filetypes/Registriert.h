// The file types registered in HKEY_CLASSES_ROOT that the add/remove dialog offers.
#pragma once
#include <vector>

#include "filetypes/Dateityp.h"

// Every usable registered type (class key, description and open command present), in the
// order the registry returns the extension keys. A key named only "." is no extension, nor is
// any name that could not be stored as one (see ErweiterungBrauchbar).
std::vector<Dateityp> RegistrierteDateitypen();

// The types of `alle` whose extension is not a line of `ueberwacht`, compared without regard
// to case, in their order.
std::vector<Dateityp> NichtUeberwacht(std::vector<Dateityp> alle, const Arbeitsliste& ueberwacht);
