// The restore and the save look up the users of a class key in an index read once per run.
// Their decisions must be those of a walk over HKEY_CLASSES_ROOT for every type, which these
// tests keep as the oracle and compare against on many generated registries.
#include <random>

#include "Umgebung.h"
#include "app/Main.h"
#include "settings/Optionen.h"
#include "platform/Text.h"
#include "filetypes/Klassenindex.h"
#include "filetypes/Sicherung.h"
#include "filetypes/Speichern.h"
#include "platform/Registry.h"
#include "platform/Seams.h"

namespace {

// The shared-key check as one walk over every subkey of HKEY_CLASSES_ROOT, reading each
// extension key afresh.
Pruefung Walk(const Dateityp& typ, const Arbeitsliste& liste) {
    Pruefung p;
    if (!SchluesselBrauchbar(typ.Schluessel)) return p;
    const std::string eigene = Gross(std::string(".").append(typ.Erweiterung));
    RegUnterschluessel(HKEY_CLASSES_ROOT, "", [&](const std::string& name) {
        if (!IstErweiterungsSchluessel(name) || Gross(name) == eigene) return true;
        if (!GleichOhneFall(RegWertLesen(HKEY_CLASSES_ROOT, name, "", ""), typ.Schluessel)) return true;
        p.Gemeinsam = true;
        p.AndereErweiterung = name;
        p.GleicheWerte = GemeinsameWerteVergleichen(typ, liste, name, p);
        return p.GleicheWerte;
    });
    return p;
}

bool WalkInPlatz(Dateityp& typ, const Arbeitsliste& liste, Pruefung& p) {
    typ.Schluessel = SchluesselLesen(typ.Erweiterung);
    if (!SchluesselBrauchbar(typ.Schluessel)) return false;
    p = Walk(typ, liste);
    return p.GleicheWerte || !p.Gemeinsam;
}

bool Schreiben(const Dateityp& typ, bool inPlatz) {
    return inPlatz ? InKlassenschluesselSchreiben(typ) : EigenenSchluesselSchreiben(typ);
}

// The restore and the save, type by type, with the walk in place of the index.
void WalkWiederherstellen(const Arbeitsliste& liste) {
    for (size_t i = 0; i < liste.Anzahl(); ++i) {
        Dateityp typ = liste.Eintrag(i);
        Pruefung p;
        if (ErweiterungBrauchbar(typ.Erweiterung)) Schreiben(typ, WalkInPlatz(typ, liste, p));
    }
}

void WalkSpeichern(const Arbeitsliste& liste) {
    for (size_t i = 0; i < liste.Anzahl(); ++i) {
        Dateityp typ = liste.Eintrag(i);
        if (!ErweiterungBrauchbar(typ.Erweiterung)) continue;
        Pruefung p;
        const bool inPlatz = WalkInPlatz(typ, liste, p);
        if (p.Gemeinsam && !p.GleicheWerte &&
            Meldung(GemeinsamFrage(typ.Erweiterung, p.RegBezeichnung),
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, "Endungswart - Speichern") != IDYES)
            continue;
        if (Schreiben(typ, inPlatz)) SicherungSchreiben(typ);
    }
}

using Liste = Typliste;

struct OhneFenster : Speicherfenster {
    void Sperren(bool) override {}
    Fortschritt* FortschrittOeffnen() override { return nullptr; }
    void FortschrittOben(bool) override {}
    void FortschrittSchliessen() override {}
};

// Every value written and every question asked, in order.
struct Aufzeichnung {
    std::vector<std::string> schreiben, fragen;
};

const std::vector<std::string> kKlassen = {
    "klasse0", "Klasse0", "KLASSE1", "klasse1", "klasse2", "e1-datei", "E2-DATEI", "neu-datei", "x-datei",
    "",        ".x",      "\\x",     "a\\b",    "*",       "Folder",   "CLSID",    std::string(300, 'k')};
const std::vector<std::string> kErweiterungen = {"e0", "e1", "e2", "e3", "e4", "x", "e1-datei"};
const std::vector<std::string> kBezeichnungen = {"A", "B", "klasse1"};
const std::vector<std::string> kBefehle = {"c1", "C1", "c2"};
const std::vector<std::string> kSymbole = {"", "i1", "I1", "i2"};

class Index : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        Optionen = Einstellungen{};
        Optionen.Sicherheitsabfrage = 0;
        Optionen.Speichermeldung = 0;
    }

    size_t Zahl(size_t n) { return zufall_() % n; }
    const std::string& Eines(const std::vector<std::string>& v) { return v[Zahl(v.size())]; }
    std::string Fall(std::string s) {
        for (char& c : s) c = Zahl(2) ? Gross(std::string(1, c))[0] : Klein(std::string(1, c))[0];
        return s;
    }

    // A registry of shared classes in case variants, split keys that already exist, and class
    // names that cannot be written to; and a list of registered, unregistered and odd types.
    void Erzeugen(unsigned saat, Liste& liste) {
        zufall_.seed(saat);
        // A fresh root for each registry.
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegBaumLoeschen(HKEY_CURRENT_USER, "", "Klassen");
        HKEY klassen = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, "Klassen", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &klassen, nullptr);
        ASSERT_NE(klassen, nullptr);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, klassen);
        RegCloseKey(klassen);
        SicherungLoeschen();

        for (const std::string& e : kErweiterungen)
            if (Zahl(4) != 0) Setzen(HKEY_CLASSES_ROOT, Fall("." + e), "", Fall(Eines(kKlassen)));
        for (const std::string& k : kKlassen) {
            // Every name the registry can hold as a key, whether the program may write it or not.
            if (k.empty() || k[0] == '\\' || k.size() > 255 || Zahl(4) == 0) continue;
            Setzen(HKEY_CLASSES_ROOT, k, "", Eines(kBezeichnungen));
            Setzen(HKEY_CLASSES_ROOT, k + "\\shell\\open\\command", "", Eines(kBefehle));
            if (Zahl(3) == 0) {
                Setzen(HKEY_CLASSES_ROOT, k + "\\CLSID", "", "{" + k + "}");
                Setzen(HKEY_CLASSES_ROOT, "CLSID\\{" + k + "}\\DefaultIcon", "", Eines(kSymbole));
            } else {
                Setzen(HKEY_CLASSES_ROOT, k + "\\DefaultIcon", "", Eines(kSymbole));
            }
        }

        std::vector<std::string> typen = {"E0", "E1", "E2", "E3", "E4", "X", "NEU", "E1-DATEI"};
        std::shuffle(typen.begin(), typen.end(), zufall_);
        typen.resize(2 + Zahl(typen.size() - 1));
        liste.Leeren();
        for (const std::string& e : typen)
            liste.Hinzufuegen({e, "", Eines(kBezeichnungen), Eines(kBefehle), Eines(kSymbole)});
    }

    // Runs `lauf` on the registry and list of `saat`, answering the k-th question with the
    // k-th bit of `saat`.
    Aufzeichnung Aufzeichnen(unsigned saat, const std::function<void(Liste&)>& lauf) {
        Liste liste;
        Erzeugen(saat, liste);
        Aufzeichnung a;
        RegSchreibenBeobachten([&](HKEY root, const std::string& pfad, const std::string& name,
                                   const std::string& wert, bool geschrieben) {
            a.schreiben.push_back((root == HKEY_CLASSES_ROOT ? "HKCR\\" : "HKCU\\") + pfad + "|" + name +
                                  "=" + wert + (geschrieben ? "" : " (failed)"));
        });
        MeldungErsetzen([&](const std::string& text, UINT, const std::string&) {
            a.fragen.push_back(text);
            return (saat >> (a.fragen.size() % 16)) & 1 ? IDYES : IDNO;
        });
        lauf(liste);
        RegSchreibenBeobachten(nullptr);
        MeldungErsetzen(nullptr);
        return a;
    }

    void Vergleichen(unsigned saat, const std::function<void(Liste&)>& mitIndex,
                     const std::function<void(Liste&)>& mitWalk) {
        Aufzeichnung index = Aufzeichnen(saat, mitIndex);
        Aufzeichnung walk = Aufzeichnen(saat, mitWalk);
        EXPECT_EQ(index.schreiben, walk.schreiben) << "registry " << saat;
        EXPECT_EQ(index.fragen, walk.fragen) << "registry " << saat;
        splits_ += std::count_if(walk.schreiben.begin(), walk.schreiben.end(), [](const std::string& s) {
            return s.rfind("HKCR\\.", 0) == 0 && s.size() > 6 && s.compare(s.size() - 6, 6, "-datei") == 0;
        });
        fragen_ += walk.fragen.size();
    }

    std::mt19937 zufall_;
    size_t splits_ = 0, fragen_ = 0;
};

constexpr unsigned kRegistries = 60;

TEST_F(Index, TheRestoreWritesWhatTheWalkOverEveryKeyWrites) {
    for (unsigned saat = 1; saat <= kRegistries && !HasFailure(); ++saat)
        Vergleichen(saat, [](Liste& l) { SicherungWiederherstellen(l, nullptr); },
                    [](Liste& l) { WalkWiederherstellen(l); });
    EXPECT_GT(splits_, kRegistries / 2);  // the registries do exercise the splits
}

TEST_F(Index, TheSaveAsksAndWritesWhatTheWalkOverEveryKeyDoes) {
    for (unsigned saat = 1; saat <= kRegistries && !HasFailure(); ++saat)
        Vergleichen(saat, [](Liste& l) { OhneFenster f; Speichern(l, f, false); },
                    [](Liste& l) { WalkSpeichern(l); });
    EXPECT_GT(fragen_, kRegistries / 4);
}

TEST_F(Index, FindsTheUsersOfAClassInRegistryOrderWithoutRegardToCase) {
    Setzen(HKEY_CLASSES_ROOT, ".b", "", "JPEGFILE");
    Setzen(HKEY_CLASSES_ROOT, ".A", "", "jpegfile");
    Setzen(HKEY_CLASSES_ROOT, ".c", "", "txtfile");
    Setzen(HKEY_CLASSES_ROOT, ".", "", "jpegfile");  // no extension
    Setzen(HKEY_CLASSES_ROOT, "jpegfile", "", "JPEG");
    Klassenindex index;
    EXPECT_EQ(index.Erweiterungen("JpegFile"), (std::vector<std::string>{".A", ".b"}));

    // A split during the run moves .b to a key of its own; a key the run makes joins in the
    // registry's order.
    Setzen(HKEY_CLASSES_ROOT, ".b", "", "b-datei");
    index.EigenerSchluesselGeschrieben("b");
    Setzen(HKEY_CLASSES_ROOT, ".AA", "", "jpegfile");
    index.Nachlesen(".AA");
    EXPECT_EQ(index.Erweiterungen("jpegfile"), (std::vector<std::string>{".A", ".AA"}));
    EXPECT_EQ(index.Erweiterungen("B-DATEI"), (std::vector<std::string>{".b"}));
    // A type whose name begins with a dot gets a key of its own named like an extension.
    Setzen(HKEY_CLASSES_ROOT, ".x-datei", "", "jpegfile");
    index.EigenerSchluesselGeschrieben(".X");
    EXPECT_EQ(index.Erweiterungen("jpegfile"), (std::vector<std::string>{".A", ".AA", ".x-datei"}));
    index.Nachlesen("jpegfile");  // not an extension key: nothing changes
    EXPECT_TRUE(index.Erweiterungen("JPEG").empty());
}

}  // namespace
