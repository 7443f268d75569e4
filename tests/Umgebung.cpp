#include "Umgebung.h"

#include <sddl.h>

#include <algorithm>

#include "app/Main.h"
#include "platform/Registry.h"
#include "platform/Seams.h"
#include "settings/Optionen.h"

namespace {

// The log of every test process in a folder of its own, never beside the test program.
void ProtokollWeg() {
    const std::string log = ProtokollDatei(), neu = log.substr(0, log.size() - 1) + "$";
    for (const std::string& datei : {log, neu}) {
        SetFileAttributesA(datei.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(datei.c_str());
    }
}

// A key opened for reading; empty when it is not there.
RegSchluessel Offen(HKEY root, const std::string& pfad) {
    HKEY h = nullptr;
    return RegSchluessel(RegOpenKeyExA(root, pfad.c_str(), 0, KEY_READ, &h) ? nullptr : h);
}

// Drops the main loop's end that a closed main window leaves behind.
void QuitVerwerfen() {
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
}

HKEY Erzeugen(HKEY root, const std::string& pfad) {
    HKEY h = nullptr;
    RegCreateKeyExA(root, pfad.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    return h;
}

}  // namespace

void RegistryTest::SetUp() {
    scratch_ = "Software\\EndwartTests\\" + std::to_string(GetCurrentProcessId());
    InstanzkennungErsetzen("Endungswart.Test." + std::to_string(GetCurrentProcessId()));
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
    // HKEY_CURRENT_USER last: the scratch keys are made under the real one.
    for (HKEY wurzel : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER}) {
        const std::string name = scratch_ + (wurzel == HKEY_CLASSES_ROOT ? "\\HKCR" : "\\HKCU");
        const RegSchluessel ersatz(Erzeugen(HKEY_CURRENT_USER, name));
        ASSERT_TRUE(ersatz);
        ASSERT_EQ(RegOverridePredefKey(wurzel, ersatz.get()), ERROR_SUCCESS);
    }

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    protokollOrdner_ = std::string(temp) + "EndwartTests." + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(protokollOrdner_.c_str(), nullptr);
    ProtokollDateiErsetzen(protokollOrdner_ + "\\Endwart.log");
    ProtokollWeg();
    Optionen = Einstellungen{};
}

void RegistryTest::TearDown() {
    using NtDeleteKey = LONG(WINAPI*)(HANDLE);
    auto loeschen = reinterpret_cast<NtDeleteKey>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
    for (const std::string& name : verknuepfungen_) {
        HKEY h = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, name.c_str(), REG_OPTION_OPEN_LINK, DELETE, &h) != ERROR_SUCCESS) continue;
        loeschen(h);
        RegCloseKey(h);
    }
    verknuepfungen_.clear();
    Optionen = Einstellungen{};
    MeldungErsetzen(nullptr);
    HilfeErsetzen(nullptr);
    QuitVerwerfen();
    DateienErsetzen(nullptr);
    ProtokollWeg();
    RemoveDirectoryA(protokollOrdner_.c_str());
    ProtokollDateiErsetzen("");
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
}

void RegistryTest::Setzen(HKEY root, const std::string& pfad, const std::string& name,
                          const std::string& wert) {
    RohSetzen(root, pfad, name, REG_SZ, wert + '\0');
}

void RegistryTest::RohSetzen(HKEY root, const std::string& pfad, const std::string& name, DWORD typ,
                       const std::string& daten) {
    HKEY h = Erzeugen(root, pfad);
    ASSERT_NE(h, nullptr) << pfad;
    RegSetValueExA(h, name.c_str(), 0, typ, reinterpret_cast<const BYTE*>(daten.data()),
                   static_cast<DWORD>(daten.size()));
    RegCloseKey(h);
}

DWORD RegistryTest::Typ(HKEY root, const std::string& pfad, const std::string& name) {
    DWORD typ = REG_NONE;
    RegQueryValueExA(Offen(root, pfad).get(), name.c_str(), nullptr, &typ, nullptr, nullptr);
    return typ;
}

std::string RegistryTest::Holen(HKEY root, const std::string& pfad, const std::string& name) {
    const RegSchluessel k = Offen(root, pfad);
    DWORD groesse = 0;
    if (!k) return "<kein Schlüssel>";
    if (RegQueryValueExA(k.get(), name.c_str(), nullptr, nullptr, nullptr, &groesse))
        return "<kein Wert>";
    std::string puffer(groesse, '\0');
    RegQueryValueExA(k.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(puffer.data()),
                     &groesse);
    return puffer.substr(0, puffer.find('\0'));
}

bool RegistryTest::Existiert(HKEY root, const std::string& pfad) { return bool(Offen(root, pfad)); }

std::vector<std::string> RegistryTest::Unterschluessel(HKEY root, const std::string& pfad) {
    std::vector<std::string> namen;
    const RegSchluessel k = Offen(root, pfad);
    char name[256];
    for (DWORD i = 0, n = sizeof name;
         k && !RegEnumKeyExA(k.get(), i, name, &n, nullptr, nullptr, nullptr, nullptr);
         ++i, n = sizeof name)
        namen.push_back(name);
    std::sort(namen.begin(), namen.end());
    return namen;
}

void RegistryTest::TypAnlegen(const std::string& ext, const std::string& klasse,
                              const std::string& bezeichnung, const std::string& oeffnen,
                              const std::string& symbol) {
    Setzen(HKEY_CLASSES_ROOT, "." + ext, "", klasse);
    Setzen(HKEY_CLASSES_ROOT, klasse, "", bezeichnung);
    Setzen(HKEY_CLASSES_ROOT, klasse + "\\shell\\open\\command", "", oeffnen);
    if (!symbol.empty()) Setzen(HKEY_CLASSES_ROOT, klasse + "\\DefaultIcon", "", symbol);
}

void RegistryTest::Gesichert(const std::string& ext, const std::string& bezeichnung,
                             const std::string& oeffnen, const std::string& symbol) {
    const std::string pfad = "Software\\RHM\\Endungswart\\Classes\\" + ext;
    Setzen(HKEY_CURRENT_USER, pfad, "Bezeichnung", bezeichnung);
    Setzen(HKEY_CURRENT_USER, pfad, "Oeffnen", oeffnen);
    Setzen(HKEY_CURRENT_USER, pfad, "Symbol", symbol);
}

void Markieren(const Textliste& liste, std::initializer_list<size_t> zeilen) {
    for (size_t z : zeilen)
        ListView_SetItemState(liste.hwnd(), static_cast<int>(z), LVIS_SELECTED, LVIS_SELECTED);
}

void Nachrichten() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

std::string Statusleiste(const frmMain& f, int teil) {
    Nachrichten();
    HWND leiste = GetDlgItem(f.hwnd(), frmMain::idStatusBar);
    if (teil >= SendMessageA(leiste, SB_GETPARTS, 0, 0)) return "";
    char text[512] = {};
    SendMessageA(leiste, SB_GETTEXTA, teil, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::string> Spalte(const Textliste& liste, int spalte) {
    std::vector<std::string> texte;
    for (size_t i = 0; i < liste.Anzahl(); ++i) texte.push_back(liste.Text(i, spalte));
    return texte;
}

HWND EigenesFenster(const char* klasse) {
    for (HWND h = FindWindowExA(nullptr, nullptr, klasse, nullptr); h;
         h = FindWindowExA(nullptr, h, klasse, nullptr)) {
        DWORD prozess = 0;
        GetWindowThreadProcessId(h, &prozess);
        if (prozess == GetCurrentProcessId()) return h;
    }
    return nullptr;
}

Meldungen::Meldungen() {
    MeldungErsetzen([this](const std::string& text, UINT stil, const std::string& titel) {
        gezeigt_.push_back({text, stil, titel});
        if (geplant_.empty()) {
            ADD_FAILURE() << "unplanned message box: " << titel << ": " << text;
            return IDCANCEL;
        }
        int antwort = geplant_.front();
        geplant_.pop_front();
        return antwort;
    });
}

Meldungen::~Meldungen() {
    MeldungErsetzen(nullptr);
    EXPECT_TRUE(geplant_.empty()) << geplant_.size() << " planned answers were not asked for";
}

Testuhr::Testuhr() {
    UhrErsetzen([this] { return jetzt; });
    WartenErsetzen([this](double hoechstens) {
        ++yields;
        jetzt += hoechstens > 0 ? hoechstens : 0.001;
        if (beimWarten) beimWarten();
    });
}

Testuhr::~Testuhr() {
    UhrErsetzen(nullptr);
    WartenErsetzen(nullptr);
}

void RegistryTest::Fluechtig(const std::string& pfad) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, pfad.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(h);
}

std::string DateiLesen(const std::string& pfad) {
    // Also a file that a writer holds open, as the log's does for a run.
    HANDLE h = CreateFileA(pfad.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<keine Datei>";
    std::string inhalt(GetFileSize(h, nullptr), '\0');
    DWORD n = 0;
    ReadFile(h, inhalt.data(), static_cast<DWORD>(inhalt.size()), &n, nullptr);
    CloseHandle(h);
    return inhalt.substr(0, n);
}

void DateiSchreiben(const std::string& pfad, const std::string& inhalt) {
    HANDLE h = CreateFileA(pfad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << pfad;
    DWORD n = 0;
    WriteFile(h, inhalt.data(), static_cast<DWORD>(inhalt.size()), &n, nullptr);
    CloseHandle(h);
}

void PrintTo(const Box& b, std::ostream* os) {
    *os << "{\"" << b.text << "\", " << b.stil << ", \"" << b.titel << "\"}";
}

std::vector<std::string> Meldungen::Texte() const {
    std::vector<std::string> texte;
    for (const Box& b : gezeigt_) texte.push_back(b.text);
    return texte;
}

void PrintTo(const Dateityp& t, std::ostream* os) {
    *os << "{" << t.Erweiterung << ", " << t.Schluessel << ", " << t.Bezeichnung << ", " << t.Oeffnen << ", "
        << t.Symbol << "}";
}

std::string Abzug(HKEY root, const std::string& pfad) {
    const RegSchluessel k = Offen(root, pfad);
    if (!k) return "";
    const HKEY h = k.get();
    std::string text = "[" + pfad + "]\n";
    char name[1024];
    BYTE daten[4096];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name, d = sizeof daten, typ = 0;
        if (RegEnumValueA(h, i, name, &n, nullptr, &typ, daten, &d) != ERROR_SUCCESS) break;
        text += std::string(name, n) + "=" + std::to_string(typ) + ":" + std::string(reinterpret_cast<char*>(daten), d) + "\n";
    }
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name;
        if (RegEnumKeyExA(h, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        text += Abzug(root, pfad.empty() ? name : pfad + "\\" + name);
    }
    return text;
}

void RegistryTest::Verknuepfen(const std::string& name, const std::string& ziel) {
    // A link names its target by the full path of the registry, under the user's SID.
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    BYTE puffer[256];
    DWORD n = 0;
    ASSERT_TRUE(GetTokenInformation(token, TokenUser, puffer, sizeof puffer, &n));
    CloseHandle(token);
    char* sid = nullptr;
    ASSERT_TRUE(ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(puffer)->User.Sid, &sid));
    const std::string pfad = std::string("\\Registry\\User\\") + sid + "\\" + scratch_ + "\\HKCR\\" + ziel;
    LocalFree(sid);
    const std::wstring breit(pfad.begin(), pfad.end());
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, name.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                              KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    verknuepfungen_.push_back(name);
    EXPECT_EQ(RegSetValueExW(h, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(breit.c_str()),
                             static_cast<DWORD>(breit.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(h);
}

namespace {

void DaclSetzen(HKEY h, bool loeschenVerboten) {
    SID_IDENTIFIER_AUTHORITY welt = SECURITY_WORLD_SID_AUTHORITY;
    PSID jeder = nullptr;
    AllocateAndInitializeSid(&welt, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &jeder);
    alignas(DWORD) BYTE puffer[256];
    ACL* acl = reinterpret_cast<ACL*>(puffer);
    InitializeAcl(acl, sizeof puffer, ACL_REVISION);
    if (loeschenVerboten) AddAccessDeniedAce(acl, ACL_REVISION, DELETE, jeder);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, jeder);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    EXPECT_EQ(RegSetKeySecurity(h, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    FreeSid(jeder);
}

}  // namespace

Unloeschbar::Unloeschbar(HKEY root, const std::string& pfad) {
    EXPECT_EQ(RegOpenKeyExA(root, pfad.c_str(), 0, KEY_ALL_ACCESS, &h_), ERROR_SUCCESS) << pfad;
    if (h_) DaclSetzen(h_, true);
}

Unloeschbar::~Unloeschbar() {
    if (!h_) return;
    DaclSetzen(h_, false);
    RegCloseKey(h_);
}
