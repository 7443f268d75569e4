// Which extension keys of HKEY_CLASSES_ROOT point at which class key, read in one pass at
// the start of a restore or save and kept in step with what that run writes. Only the
// pointers are kept: the values of the class keys are always read from the registry.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

class Klassenindex {
public:
    // Enumerates HKEY_CLASSES_ROOT once and reads the class name of every extension key.
    Klassenindex();

    // The extension keys, with their dot and spelled as the registry holds them, whose class
    // name equals `Schluessel` without regard to case (as the registry compares key names),
    // in the registry's order.
    std::vector<std::string> Erweiterungen(const std::string& Schluessel) const;

    // The class name the extension key of `Erweiterung` (without its dot) held when it was read,
    // as the registry spells it, in `klasse`. False when the pass did not find that key.
    bool Klasse(const std::string& Erweiterung, std::string& klasse) const;

    // Reads the class name of the top-level key `name` afresh after the run wrote it; a key
    // the run created joins the index. Names that are no extension key are ignored.
    void Nachlesen(const std::string& name);

    // Whether an extension other than `Erweiterung` (upper or lower case, without its dot)
    // uses the class key `Schluessel`.
    bool AndereNutzer(const std::string& Schluessel, const std::string& Erweiterung) const;

    // What giving `Erweiterung` the class key `Schluessel` of its own may have changed: its
    // extension key, and the new class key itself if that is named like an extension.
    void EigenerSchluesselGeschrieben(const std::string& Erweiterung, const std::string& Schluessel);

private:
    static constexpr size_t kNeu = static_cast<size_t>(-1);
    struct Nutzer {
        std::string name;    // as the registry spells it
        std::string gross;   // upper case, for comparing
        size_t rang = kNeu;  // place in the pass; kNeu for keys this run made
    };
    struct Zeiger {
        std::string klasse;  // upper case; empty when the key names no class
        size_t rang = kNeu;
        std::string name;
        std::string wert;  // the class name as the registry spells it
    };
    void Eintragen(const Nutzer& n, const std::string& wert);
    void Austragen(const std::string& gross, const std::string& klasse);

    std::unordered_map<std::string, std::vector<Nutzer>> nutzer_;  // upper-case class -> users
    std::unordered_map<std::string, Zeiger> zeiger_;               // upper-case extension -> class
};
