// The system-start run as users have it, whole process against whole process: Endwart.exe
// /autostart against autostart_boden.exe, the least work such a run must do, in one Wine
// prefix and one run. Started by autostart_bench.sh, which sets up the prefix:
//
//   autostart_bench.exe RUNS BODEN.EXE NAME=ENDWART.EXE [NAME=ENDWART.EXE ...]
//
// Each Endwart.exe sits in a folder of its own (its log goes beside it). The bench grows the
// prefix's HKEY_CLASSES_ROOT to the size of a Windows 10 (7,171 top-level keys, 954 extension
// keys, every tenth class shared by two extensions, some icons only through a CLSID), watches
// 50 and then 1,000 types (the extensions past the last registered one are new types, which
// the first run gives keys of their own), and times, in turns:
//   nothing changed  Endwart.exe /autostart with the store equal to the registry, against
//                    autostart_boden.exe lesen;
//   all changed      Endwart.exe /autostart with every stored value different from the
//                    registry, against autostart_boden.exe schreiben.
// Each round runs the floor and then every program; a program's ratio is its time over the
// floor's of the same round. Medians of RUNS rounds, with the range. The bench's own keys are
// removed at the start and at the end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kSchluessel = 7171, kErweiterungen = 954;
const char kStore[] = "Software\\RHM\\Endungswart\\Classes";

double Sekunden() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string Nummer(int i) {
    char puffer[16];
    std::snprintf(puffer, sizeof puffer, "%04d", i);
    return puffer;
}

void Setzen(HKEY root, const std::string& pfad, const char* name, const std::string& wert) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(root, pfad.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wert.c_str()),
                   static_cast<DWORD>(wert.size() + 1));
    RegCloseKey(h);
}

std::string Holen(const std::string& pfad) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, pfad.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return {};
    char puffer[1024];
    DWORD groesse = sizeof puffer - 1, typ = 0;
    std::string wert;
    if (RegQueryValueExA(h, "", nullptr, &typ, reinterpret_cast<BYTE*>(puffer), &groesse) == ERROR_SUCCESS &&
        (typ == REG_SZ || typ == REG_EXPAND_SZ)) {
        puffer[groesse] = 0;
        wert = puffer;
    }
    RegCloseKey(h);
    return wert;
}

void Loeschen(HKEY root, const std::string& pfad) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, pfad.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS) return;
    std::vector<std::string> kinder;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name;
        if (RegEnumKeyExA(h, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        kinder.emplace_back(name, n);
    }
    RegCloseKey(h);
    for (const std::string& k : kinder) Loeschen(root, pfad + "\\" + k);
    RegDeleteKeyA(root, pfad.c_str());
}

std::vector<std::string> Namen(HKEY root, const std::string& pfad) {
    std::vector<std::string> namen;
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, pfad.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &h) != ERROR_SUCCESS) return namen;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name;
        LONG rc = RegEnumKeyExA(h, i, name, &n, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS) break;
        namen.emplace_back(name, n);
    }
    RegCloseKey(h);
    return namen;
}

bool Beginnt(const std::string& s, const char* mit) { return _strnicmp(s.c_str(), mit, strlen(mit)) == 0; }

// The bench's own keys: extensions ".zb0000", their keys of their own "zb0000-datei", classes
// and component names "EndwartBench.", class identifiers "{BE000000-".
void Aufraeumen() {
    for (const std::string& n : Namen(HKEY_CLASSES_ROOT, ""))
        if (Beginnt(n, ".zb") || Beginnt(n, "zb") || Beginnt(n, "EndwartBench.")) Loeschen(HKEY_CLASSES_ROOT, n);
    for (const std::string& n : Namen(HKEY_CLASSES_ROOT, "CLSID"))
        if (Beginnt(n, "{BE000000-")) Loeschen(HKEY_CLASSES_ROOT, "CLSID\\" + n);
    Loeschen(HKEY_CURRENT_USER, kStore);
}

std::string Erweiterung(int e) { return "ZB" + Nummer(e); }
std::string Klasse(int k) { return "EndwartBench.Klasse." + Nummer(k); }
std::string Clsid(int k) { return "{BE000000-0000-0000-0000-00000000" + Nummer(k) + "}"; }

// Grows HKEY_CLASSES_ROOT to the size of a Windows 10. Returns how many extensions it added.
int Aufbauen() {
    const std::vector<std::string> da = Namen(HKEY_CLASSES_ROOT, "");
    int erweiterungen = 0;
    for (const std::string& n : da) erweiterungen += n.size() > 1 && n[0] == '.';
    const int neu = std::max(0, kErweiterungen - erweiterungen);
    int klassen = 0;
    for (int e = 0; e < neu; ++e) {
        const int k = klassen;
        // Every tenth class is shared by the extension before it.
        if (e % 10 != 9 || e == 0) {
            ++klassen;
            const std::string klasse = Klasse(k);
            Setzen(HKEY_CLASSES_ROOT, klasse, "", "Bench-Dateityp " + Nummer(k));
            Setzen(HKEY_CLASSES_ROOT, klasse + "\\shell\\open\\command", "",
                   "C:\\Programme\\Bench\\p" + Nummer(k) + ".exe \"%1\"");
            if (k % 7 == 0) {
                Setzen(HKEY_CLASSES_ROOT, klasse + "\\CLSID", "", Clsid(k));
                Setzen(HKEY_CLASSES_ROOT, "CLSID\\" + Clsid(k) + "\\DefaultIcon", "", "C:\\Programme\\Bench\\c.dll,3");
            } else if (k % 3 != 0) {
                Setzen(HKEY_CLASSES_ROOT, klasse + "\\DefaultIcon", "",
                       "C:\\Programme\\Bench\\p" + Nummer(k) + ".exe,0");
            }
        }
        Setzen(HKEY_CLASSES_ROOT, "." + Erweiterung(e), "", Klasse(klassen - 1));
    }
    const int progIds = kSchluessel - static_cast<int>(da.size()) - neu - klassen;
    for (int i = 0; i < progIds; ++i)
        Setzen(HKEY_CLASSES_ROOT, "EndwartBench.ProgId." + Nummer(i), "", "Komponente " + Nummer(i));
    return neu;
}

struct Werte {
    std::string bezeichnung, oeffnen, symbol;
};

// What the registry holds for the extension, read as the program reads it; a new type when
// it has no class.
Werte Registriert(int e) {
    const std::string klasse = Holen("." + Erweiterung(e));
    if (klasse.empty())
        return {"Neuer Typ " + Nummer(e), "C:\\Programme\\Neu\\n" + Nummer(e) + ".exe \"%1\"", ""};
    Werte w{Holen(klasse), Holen(klasse + "\\shell\\open\\command"), Holen(klasse + "\\DefaultIcon")};
    if (w.symbol.empty()) {
        const std::string clsid = Holen(klasse + "\\CLSID");
        if (!clsid.empty()) w.symbol = Holen("CLSID\\" + clsid + "\\DefaultIcon");
    }
    return w;
}

Werte Geaendert(const Werte& w, int e) {
    return {"Geändert " + Nummer(e), "C:\\Geaendert\\g" + Nummer(e) + ".exe \"%1\"",
            w.symbol.empty() ? "" : "C:\\Geaendert\\g" + Nummer(e) + ".exe,1"};
}

struct Typen {
    std::vector<int> nummern;
    std::vector<Werte> a, b;  // the two stored states that the runs switch between
};

Typen Waehlen(int anzahl, int registriert) {
    Typen t;
    const int schritt = anzahl >= registriert ? 1 : registriert / anzahl;
    for (int i = 0; i < anzahl; ++i) t.nummern.push_back(i * schritt);
    for (int e : t.nummern) {
        t.a.push_back(Registriert(e));
        t.b.push_back(Geaendert(t.a.back(), e));
    }
    return t;
}

void Speichern(const Typen& t, bool b) {
    Loeschen(HKEY_CURRENT_USER, kStore);
    for (size_t i = 0; i < t.nummern.size(); ++i) {
        const Werte& w = b ? t.b[i] : t.a[i];
        const std::string pfad = std::string(kStore) + "\\" + Erweiterung(t.nummern[i]);
        Setzen(HKEY_CURRENT_USER, pfad, "Bezeichnung", w.bezeichnung);
        Setzen(HKEY_CURRENT_USER, pfad, "Oeffnen", w.oeffnen);
        Setzen(HKEY_CURRENT_USER, pfad, "Symbol", w.symbol);
    }
}

// Runs the program to its end; its time in seconds, or a negative number when it did not end.
// `code` gets its exit code.
double Laufen(const std::string& programm, const std::string& argument, DWORD* code = nullptr) {
    std::string zeile = "\"" + programm + "\" " + argument;
    std::string ordner = programm.substr(0, programm.find_last_of('\\'));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double anfang = Sekunden();
    if (!CreateProcessA(nullptr, zeile.data(), nullptr, nullptr, FALSE, 0, nullptr, ordner.c_str(), &si, &pi))
        return -1;
    const bool fertig = WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0;
    const double zeit = Sekunden() - anfang;
    if (!fertig) TerminateProcess(pi.hProcess, 1);
    if (code) GetExitCodeProcess(pi.hProcess, code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return fertig ? zeit : -1;
}

// Runs a floor and checks that it found every type.
double Boden(const std::string& boden, const char* art, int anzahl) {
    DWORD gefunden = 0;
    const double zeit = Laufen(boden, art, &gefunden);
    if (gefunden != static_cast<DWORD>(anzahl)) {
        std::fprintf(stderr, "the floor (%s) found %lu of %d types\n", art, static_cast<unsigned long>(gefunden),
                     anzahl);
        return -1;
    }
    return zeit;
}

struct Programm {
    std::string name, pfad;
    std::vector<double> gleich, geaendert;
};

void LogLoeschen(const Programm& p) {
    const std::string ordner = p.pfad.substr(0, p.pfad.find_last_of('\\') + 1);
    DeleteFileA((ordner + "Endwart.log").c_str());
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The median and the range.
std::string Spanne(const std::vector<double>& v, const char* einheit) {
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%.3f%s (%.3f-%.3f)", Median(v), einheit,
                  *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()));
    return puffer;
}

// Each run against the floor of its own round: other work on the machine shifts both alike.
std::vector<double> Verhaeltnisse(const std::vector<double>& zeiten, const std::vector<double>& boden) {
    std::vector<double> v;
    for (size_t i = 0; i < zeiten.size(); ++i) v.push_back(zeiten[i] / boden[i]);
    return v;
}

void Zeigen(const char* was, int anzahl, const std::vector<double>& boden, const std::vector<Programm>& programme,
            std::vector<double> Programm::*zeiten) {
    std::printf("%d types, %s: floor %s\n", anzahl, was, Spanne(boden, " s").c_str());
    for (const Programm& p : programme)
        std::printf("  %-10s %s, %s x floor\n", p.name.c_str(), Spanne(p.*zeiten, " s").c_str(),
                    Spanne(Verhaeltnisse(p.*zeiten, boden), "").c_str());
}

bool Messen(int anzahl, int registriert, const std::string& boden, std::vector<Programm>& programme, int laeufe) {
    const Typen t = Waehlen(anzahl, registriert);
    // Settle: the first runs give new types and split-off sharers keys of their own.
    bool stand = false;  // which stored state the registry holds: false = a
    for (bool b : {false, true, false}) {
        Speichern(t, b);
        LogLoeschen(programme[0]);
        if (Laufen(programme[0].pfad, "/autostart") < 0) return false;
    }
    std::vector<double> lesen, schreiben;
    for (Programm& p : programme) p.gleich.clear(), p.geaendert.clear();
    for (int lauf = 0; lauf < laeufe; ++lauf) {
        // Nothing changed. The programs take turns in going first.
        std::vector<Programm*> folge;
        for (size_t i = 0; i < programme.size(); ++i) folge.push_back(&programme[(i + lauf) % programme.size()]);
        Speichern(t, stand);
        lesen.push_back(Boden(boden, "lesen", anzahl));
        for (Programm* p : folge) p->gleich.push_back(Laufen(p->pfad, "/autostart"));
        // Everything changed: each run gets the other state stored.
        stand = !stand;
        Speichern(t, stand);
        schreiben.push_back(Boden(boden, "schreiben", anzahl));
        for (Programm* p : folge) {
            stand = !stand;
            Speichern(t, stand);
            LogLoeschen(*p);
            p->geaendert.push_back(Laufen(p->pfad, "/autostart"));
        }
        // What the bare writes left out (class identifiers' icons) is put right untimed.
        Speichern(t, stand);
        Laufen(programme[0].pfad, "/autostart");
    }
    auto fehlt = [](const std::vector<double>& v) {
        return std::any_of(v.begin(), v.end(), [](double x) { return x < 0; });
    };
    if (fehlt(lesen) || fehlt(schreiben)) return false;
    for (const Programm& p : programme)
        if (fehlt(p.gleich) || fehlt(p.geaendert)) return false;
    Zeigen("nothing changed", anzahl, lesen, programme, &Programm::gleich);
    Zeigen("everything changed", anzahl, schreiben, programme, &Programm::geaendert);
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: autostart_bench.exe RUNS BODEN.EXE NAME=ENDWART.EXE ...\n");
        return 2;
    }
    const int laeufe = std::max(1, std::atoi(argv[1]));
    const std::string boden = argv[2];
    std::vector<Programm> programme;
    for (int i = 3; i < argc; ++i) {
        std::string a = argv[i];
        const size_t gleich = a.find('=');
        programme.push_back({gleich == std::string::npos ? a : a.substr(0, gleich), a.substr(gleich + 1), {}, {}});
    }
    Aufraeumen();
    const double beginn = Sekunden();
    const int registriert = Aufbauen();
    int erweiterungen = 0;
    const std::vector<std::string> namen = Namen(HKEY_CLASSES_ROOT, "");
    for (const std::string& n : namen) erweiterungen += n.size() > 1 && n[0] == '.';
    std::printf("HKEY_CLASSES_ROOT: %zu top-level keys, %d extension keys (%d the bench's), built in %.1f s\n",
                namen.size(), erweiterungen, registriert, Sekunden() - beginn);
    std::fflush(stdout);
    int rc = 0;
    // ENDWART_BENCH_TYPEN=1,50,1000 measures other numbers of watched types.
    std::vector<int> anzahlen = {50, 1000};
    if (const char* liste = std::getenv("ENDWART_BENCH_TYPEN")) {
        anzahlen.clear();
        for (const char* p = liste; *p; ++p)
            if (p == liste || p[-1] == ',') anzahlen.push_back(std::max(1, std::atoi(p)));
    }
    for (int anzahl : anzahlen)
        if (!Messen(anzahl, registriert, boden, programme, laeufe)) {
            std::fprintf(stderr, "a run failed or took longer than two minutes\n");
            rc = 1;
            break;
        }
    Aufraeumen();
    return rc;
}
