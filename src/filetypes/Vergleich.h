// The comparison of a stored type with what HKEY_CLASSES_ROOT holds, in the log's entries:
// what the restore logs around its writes, and the check that writes nothing.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "filetypes/Dateityp.h"
#include "filetypes/Protokoll.h"

// One entry per value in which `vorgefunden` differs from `gespeichert`, compared as the
// restore compares: descriptions exactly, class names, commands and icons without regard to
// case. `ziel` is the class key the extension points to once the type is written. An empty
// stored icon location is never written, so it is never a difference.
std::vector<Protokolleintrag> Unterschiede(const Dateityp& gespeichert, const Dateityp& vorgefunden,
                                           const std::string& ziel, const std::string& datum);

// The entry for one value (a kWert... name) once its write is done: its difference, restored
// or, when the write failed, marked kNichtGeschrieben; a value that did not differ has an entry
// only when its write failed.
std::optional<Protokolleintrag> Werteintrag(const Dateityp& gespeichert, const Dateityp& vorgefunden,
                                            const std::string& ziel, const std::string& datum,
                                            const std::string& wert, bool geschrieben);

// Compares every type of the backup store with HKEY_CLASSES_ROOT as it is now and writes
// nothing. Each difference is marked as not restored.
std::vector<Protokolleintrag> JetztPruefen();
