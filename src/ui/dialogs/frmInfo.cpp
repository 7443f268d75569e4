#include "ui/dialogs/frmInfo.h"

#include "resource.h"
#include "ui/dialogs/frmBild.h"

namespace {

using F = frmInfo;
constexpr int kBreite = 5520, kHoehe = 2715;  // client area, twips

const Steuerelement kElemente[] = {
    {Art::Bild, F::idPicIcon, 120, 120, 480, 480, "", 0},
    {Art::Bild, F::idImgBildA, 90, 780, 600, 840, "", 0},
    {Art::Bild, F::idImgBildB, 90, 1740, 600, 840, "", 0},
    {Art::Bezeichnung, F::idLblInfo0, 900, 120, 4500, 255, "", 0},
    {Art::Bezeichnung, F::idLblInfo0 + 1, 900, 390, 4500, 255, "", 0},
    {Art::Bezeichnung, F::idLblInfo0 + 2, 900, 660, 4500, 510, "", 0},
    {Art::Linie, F::idLinie, 900, 1290, 4500, 30, "", 0},
    {Art::Bezeichnung, F::idLblText0, 900, 1440, 2400, 255, "", 0},
    {Art::Bezeichnung, F::idLblInfo0 + 3, 3300, 1440, 2100, 255, "", SS_RIGHT},
    {Art::Bezeichnung, F::idLblText0 + 1, 900, 1710, 2400, 255, "", 0},
    {Art::Bezeichnung, F::idLblInfo0 + 4, 3300, 1710, 2100, 255, "", SS_RIGHT},
    {Art::Bezeichnung, F::idLblText0 + 2, 900, 1980, 2400, 255, "", 0},
    {Art::Bezeichnung, F::idLblInfo0 + 5, 3300, 1980, 2100, 255, "", SS_RIGHT},
    {Art::Schaltflaeche, IDOK, 4200, 2220, 1200, 375, "OK", BS_DEFPUSHBUTTON},
};

const char* const kBeschriftungen[3] = {
    "Gesamter Arbeitsspeicher: ", "Freier Arbeitsspeicher: ", "Freier Virtueller Speicher: "};

// Nodes of a VS_VERSIONINFO block: length, value length, type, key, value, children, each
// part on a 32-bit boundary of the block.
struct Knoten {
    size_t ende = 0;
    std::wstring schluessel;
    size_t wert = 0, wertBytes = 0, kinder = 0;
};

size_t Ausrichten(size_t p) { return (p + 3) & ~static_cast<size_t>(3); }
WORD Wort(const BYTE* d, size_t p) { return static_cast<WORD>(d[p] | (d[p + 1] << 8)); }

bool KnotenLesen(const BYTE* d, size_t anfang, size_t grenze, Knoten& k) {
    if (anfang + 6 > grenze) return false;
    const WORD laenge = Wort(d, anfang), wertLaenge = Wort(d, anfang + 2), typ = Wort(d, anfang + 4);
    if (laenge < 6 || anfang + laenge > grenze) return false;
    k.ende = anfang + laenge;
    k.schluessel.clear();
    size_t p = anfang + 6;
    for (;;) {
        if (p + 2 > k.ende) return false;
        WCHAR c = Wort(d, p);
        p += 2;
        if (!c) break;
        k.schluessel += c;
    }
    k.wert = Ausrichten(p);
    // Texts count their length in characters; some tools write bytes. Stay inside the node.
    k.wertBytes = typ == 1 ? wertLaenge * size_t{2} : wertLaenge;
    if (k.wert >= k.ende) k.wert = k.wertBytes = 0;
    else if (k.wert + k.wertBytes > k.ende) k.wertBytes = k.ende - k.wert;
    k.kinder = Ausrichten(k.wert + k.wertBytes);
    return true;
}

template <typename Besuch>
void KinderBesuchen(const BYTE* d, const Knoten& eltern, Besuch besuch) {
    Knoten kind;
    for (size_t p = eltern.kinder; KnotenLesen(d, p, eltern.ende, kind); p = Ausrichten(kind.ende))
        besuch(kind);
}

std::string Ansi(const BYTE* d, size_t anfang, size_t bytes) {
    std::wstring breit;
    for (size_t p = anfang; p + 2 <= anfang + bytes; p += 2) {
        WCHAR c = Wort(d, p);
        if (!c) break;
        breit += c;
    }
    if (breit.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, breit.data(), static_cast<int>(breit.size()), nullptr, 0, nullptr, nullptr);
    std::string text(n > 0 ? n : 0, '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, breit.data(), static_cast<int>(breit.size()), text.data(), n, nullptr, nullptr);
    return text;
}

// The platform's own declaration needs a newer WINVER than this program is built for.
struct SpeicherstatusEx {
    DWORD dwLength, dwMemoryLoad;
    DWORDLONG ullTotalPhys, ullAvailPhys, ullTotalPageFile, ullAvailPageFile, ullTotalVirtual,
        ullAvailVirtual, ullAvailExtendedVirtual;
};
using SpeicherstatusExFunktion = BOOL(WINAPI*)(SpeicherstatusEx*);

}  // namespace

bool VersionAuswerten(const void* daten, size_t groesse, Versionsangaben& angaben) {
    const BYTE* d = static_cast<const BYTE*>(daten);
    Knoten wurzel;
    if (!d || !KnotenLesen(d, 0, groesse, wurzel) || wurzel.schluessel != L"VS_VERSION_INFO") return false;
    // VS_FIXEDFILEINFO: signature, structure version, then the file version's high word.
    if (wurzel.wertBytes < 52 || Wort(d, wurzel.wert) != 0x04BD || Wort(d, wurzel.wert + 2) != 0xFEEF) return false;
    angaben.Major = Wort(d, wurzel.wert + 10);
    angaben.Minor = Wort(d, wurzel.wert + 8);
    bool gefunden = false;
    KinderBesuchen(d, wurzel, [&](const Knoten& info) {
        if (info.schluessel != L"StringFileInfo") return;
        KinderBesuchen(d, info, [&](const Knoten& tabelle) {
            KinderBesuchen(d, tabelle, [&](const Knoten& wert) {
                if (gefunden || wert.schluessel != L"LegalCopyright") return;
                angaben.LegalCopyright = Ansi(d, wert.wert, wert.wertBytes);
                gefunden = true;
            });
        });
    });
    return gefunden;
}

bool VersionLesen(HMODULE modul, Versionsangaben& angaben) {
    HRSRC r = FindResourceA(modul, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));  // RT_VERSION
    HGLOBAL g = r ? LoadResource(modul, r) : nullptr;
    const void* daten = g ? LockResource(g) : nullptr;
    return daten && VersionAuswerten(daten, SizeofResource(modul, r), angaben);
}

std::string VersionText(int major, int minor) {
    return "Version " + std::to_string(major) + "." + std::to_string(minor);
}

Speicherstand SpeicherLesen() {
    // The Windows 95 family lacks the Ex function; the old one's 32-bit fields fail beyond 4 GB.
    return SpeicherLesen(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx"));
}

Speicherstand SpeicherLesen(FARPROC ex) {
    if (ex) {
        SpeicherstatusEx m{};
        m.dwLength = sizeof m;
        auto f = reinterpret_cast<SpeicherstatusExFunktion>(reinterpret_cast<void (*)()>(ex));
        if (f(&m)) return {m.ullTotalPhys, m.ullAvailPhys, m.ullAvailPageFile};
    }
    MEMORYSTATUS m{};
    m.dwLength = sizeof m;
    GlobalMemoryStatus(&m);
    return {m.dwTotalPhys, m.dwAvailPhys, m.dwAvailPageFile};
}

std::string KBText(uint64_t bytes, const std::string& tausender) {
    const uint64_t kb = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
    std::string ziffern = std::to_string(kb);
    if (ziffern.size() < 4) ziffern.insert(0, 4 - ziffern.size(), '0');
    std::string text;
    for (size_t i = 0; i < ziffern.size(); ++i) {
        if (i > 0 && (ziffern.size() - i) % 3 == 0) text += tausender;
        text += ziffern[i];
    }
    return text + " KB";
}

std::string Tausendertrenner(LCID gebiet) {
    char puffer[8] = {};
    return GetLocaleInfoA(gebiet, LOCALE_STHOUSAND, puffer, sizeof puffer) > 0 ? puffer : ".";
}

frmInfo::frmInfo() : Dialog("Info über Endungswart", kBreite, kHoehe, kElemente, std::size(kElemente)) {}

frmInfo::~frmInfo() = default;

void frmInfo::Form_Load() {
    HINSTANCE instanz = GetModuleHandleA(nullptr);
    klein_[0].reset(LoadBitmapA(instanz, MAKEINTRESOURCEA(IDB_BILDA_KLEIN)));
    klein_[1].reset(LoadBitmapA(instanz, MAKEINTRESOURCEA(IDB_BILDB_KLEIN)));

    FeldtextSetzen(idLblInfo0, "Endungswart für Windows 95");
    Versionsangaben v;
    VersionLesen(instanz, v);
    FeldtextSetzen(idLblInfo0 + 1, VersionText(v.Major, v.Minor));
    FeldtextSetzen(idLblInfo0 + 2, v.LegalCopyright);

    const Speicherstand s = SpeicherLesen();
    const uint64_t werte[3] = {s.Gesamt, s.Frei, s.FreiVirtuell};
    const std::string trenner = Tausendertrenner();
    for (int i = 0; i < 3; ++i) {
        FeldtextSetzen(idLblText0 + i, kBeschriftungen[i]);
        FeldtextSetzen(idLblInfo0 + 3 + i, KBText(werte[i], trenner));
    }
}

void frmInfo::cmdOK_Click() { Beenden(IDOK); }

void frmInfo::imgBildA_Click() {
    frmBildA bild;
    bild.Zeigen(hwnd());
}

void frmInfo::imgBildB_Click() {
    frmBildB bild;
    bild.Zeigen(hwnd());
}

bool frmInfo::Befehl(int id, int code) {
    static const Befehlszeile<frmInfo> kBefehle[] = {
        {IDOK, &frmInfo::cmdOK_Click},
        {IDCANCEL, &frmInfo::cmdOK_Click},
        {idImgBildA, &frmInfo::imgBildA_Click},
        {idImgBildB, &frmInfo::imgBildB_Click},
    };
    return code == BN_CLICKED && Ausloesen(*this, kBefehle, id);  // STN_CLICKED too
}

void frmInfo::Zeichnen(const DRAWITEMSTRUCT& d) {
    FillRect(d.hDC, &d.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (d.CtlID == idPicIcon) {
        if (HICON symbol = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAMM)))
            DrawIcon(d.hDC, d.rcItem.left, d.rcItem.top, symbol);
        return;
    }
    HBITMAP bild = klein_[d.CtlID == idImgBildA ? 0 : 1].get();
    SpeicherDC quelle{bild ? CreateCompatibleDC(d.hDC) : nullptr};
    if (!quelle) return;
    GewaehltesObjekt gewaehlt(quelle.get(), bild);
    BitBlt(d.hDC, d.rcItem.left, d.rcItem.top, 40, 56, quelle.get(), 0, 0, SRCCOPY);
}

bool frmInfo::Nachricht(UINT msg, WPARAM, LPARAM lp, LRESULT& ergebnis) {
    if (msg != WM_DRAWITEM) return false;
    Zeichnen(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    ergebnis = TRUE;
    return true;
}
