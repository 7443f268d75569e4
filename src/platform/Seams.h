// The program's few contacts with the user and the clock, each replaceable by tests: message
// boxes, the elapsed-time clock and yielding to the event loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "platform/Besitzer.h"

using MeldungsFunktion = std::function<int(const std::string& text, UINT stil, const std::string& titel)>;
using UhrFunktion = std::function<double()>;
using WartenFunktion = std::function<void(double hoechstens)>;

inline constexpr const char* kProgrammTitel = "Endungswart";

// Every message box of the program goes through here. Returns IDYES, IDNO, IDOK, ...
int Meldung(const std::string& text, UINT stil, const std::string& titel);

// Seconds on a clock that only moves forward; midnight means nothing to it.
double Uhr();

// Lets the event loop process what is pending, waiting up to `hoechstens` seconds for
// something to arrive.
void Ereignisse(double hoechstens = 0);

// Holds for `sekunden`, keeping the windows painted. The test comes before each yield, so a
// pause of 0 or less ends at once.
void Pause(double sekunden);

// Help and the shell: WinHelpA on the program's help file, ShellExecuteA "Open" on an address.
using HilfeFunktion = std::function<void(HWND fenster, UINT befehl, ULONG_PTR daten)>;
using OeffnenFunktion = std::function<void(HWND fenster, const std::string& adresse)>;
void Hilfe(HWND fenster, UINT befehl, ULONG_PTR daten);
void Oeffnen(HWND fenster, const std::string& adresse);
std::string ProgrammPfad();         // the running executable
std::string ProgrammVerzeichnis();  // without a trailing backslash
std::string Hilfedatei();           // "Endwart.hlp" beside the program

// What Hilfe does when no test replaces it: WinHelpA on `datei`, except the key-word search
// where the viewer cannot take it (see Seams.cpp).
BOOL HilfeZeigen(HWND fenster, const std::string& datei, UINT befehl, ULONG_PTR daten);

// The open-file dialog: `filter` as "Programme|*.exe|Alle Dateien|*.*", `vorgabe` the name it
// starts with. Only an existing file can be chosen, and the current folder stays. The chosen
// full file name, or empty when cancelled or when the dialog failed. A test double gets the
// dialog's flags too.
using DateiFunktion = std::function<std::string(HWND fenster, const std::string& titel,
                                                const std::string& filter,
                                                const std::string& vorgabe, DWORD flags)>;
std::string DateiWaehlen(HWND fenster, const std::string& titel, const std::string& filter,
                         const std::string& vorgabe);
// The save-file dialog, through the same double: any folder, the extension of `vorgabe` added
// to a name typed without one, and a question before an existing file is replaced.
std::string DateiSpeichernWaehlen(HWND fenster, const std::string& titel, const std::string& filter,
                                  const std::string& vorgabe);

// The log: "Endwart.log" beside the program unless a test gave another path.
std::string ProtokollDatei();

// The file steps of writes that must leave no file broken wherever they are cut off (the log's).
// Tests replace them to play a process killed between two steps.
class Dateischritte {
public:
    virtual ~Dateischritte() = default;
    virtual bool Schreiben(const std::string& pfad, const std::string& inhalt);  // anew, flushed
    // At the end of the file, made when missing, in one write. Not flushed: what the system has
    // taken survives the end of the process. `offen` holds the file open for the next append:
    // a run appends many times, and each opening costs more than the line it writes.
    virtual bool Anhaengen(Kernobjekt& offen, const std::string& pfad, const std::string& text);
    virtual bool Loeschen(const std::string& pfad);
    virtual bool Umbenennen(const std::string& von, const std::string& nach);
};
Dateischritte& Dateien();

// The name of the mutex that marks a running instance of the program.
std::string Instanzkennung();

// Called once a modal dialog's loop runs, with the dialog ready for input.
using DialogFunktion = std::function<void(HWND dialog)>;
void DialogBereit(HWND dialog);

// Told of every call of RegWertSchreiben, in order, with its result; tests watch the writes.
using SchreibBeobachter = std::function<void(HKEY root, const std::string& pfad,
                                             const std::string& name, const std::string& wert,
                                             bool geschrieben)>;
void RegGeschrieben(HKEY root, const std::string& pfad, const std::string& name, const std::string& wert,
                    bool geschrieben);

// Whether RegWertUnveraendert compares at all, so that writes that would change nothing are
// left out. Tests switch it off to run the same writes without leaving any out.
bool RegVergleichen();

// Test hooks: an empty function, path or name, null, or true, restores the real one.
void InstanzkennungErsetzen(const std::string& name);
void DialogBereitErsetzen(DialogFunktion f);
void RegSchreibenBeobachten(SchreibBeobachter beobachter);
void RegVergleichenErsetzen(bool vergleichen);
void ProtokollDateiErsetzen(const std::string& pfad);
void DateienErsetzen(Dateischritte* schritte);
void DateiWaehlenErsetzen(DateiFunktion f);
void HilfeErsetzen(HilfeFunktion f);
void OeffnenErsetzen(OeffnenFunktion f);
void MeldungErsetzen(MeldungsFunktion f);
void UhrErsetzen(UhrFunktion f);
void WartenErsetzen(WartenFunktion f);
