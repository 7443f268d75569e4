// The information box: product, version, legal notice, three memory figures, and two small
// pictures that open the picture windows.
#pragma once
#include <cstdint>
#include <string>

#include "ui/Dialog.h"

// The program's own version information, read from a module's VERSIONINFO resource.
struct Versionsangaben {
    int Major = 0, Minor = 0;
    std::string LegalCopyright;
};
// False when the resource is missing or malformed; what could be read is kept.
bool VersionLesen(HMODULE modul, Versionsangaben& angaben);
// The same from the raw bytes of a VS_VERSIONINFO block.
bool VersionAuswerten(const void* daten, size_t groesse, Versionsangaben& angaben);
std::string VersionText(int major, int minor);  // "Version 1.10"

// Memory in bytes: total physical, available physical, available page file.
struct Speicherstand {
    uint64_t Gesamt = 0, Frei = 0, FreiVirtuell = 0;
};
// From GlobalMemoryStatusEx where the platform has it, else from GlobalMemoryStatus.
Speicherstand SpeicherLesen();
// The same with the Ex function given (null: there is none).
Speicherstand SpeicherLesen(FARPROC ex);
// Bytes as whole KB, format "0,000" with the given thousands separator: 524288 -> "0.512 KB".
std::string KBText(uint64_t bytes, const std::string& tausender);
// The thousands separator of the regional settings (the user's unless told).
std::string Tausendertrenner(LCID gebiet = LOCALE_USER_DEFAULT);

class frmInfo : public Dialog {
public:
    frmInfo();
    ~frmInfo() override;

    void cmdOK_Click();
    void imgBildA_Click();
    void imgBildB_Click();

    enum {
        idPicIcon = 100, idImgBildA, idImgBildB, idLinie,
        idLblInfo0 = 110,  // to idLblInfo0 + 5
        idLblText0 = 120,  // to idLblText0 + 2
    };

protected:
    void Form_Load() override;
    bool Befehl(int id, int code) override;
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) override;

private:
    void Zeichnen(const DRAWITEMSTRUCT& d);

    Bitmap klein_[2];
};
