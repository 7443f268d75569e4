// A text list as a working list of file types: one type a line, the extension as the line's
// text, description, open command and icon location in the columns after it.
#pragma once
#include "filetypes/Dateityp.h"
#include "ui/Textliste.h"

class Typenansicht : public Textliste, public Arbeitsliste {
public:
    size_t Anzahl() const override { return Textliste::Anzahl(); }
    Dateityp Eintrag(size_t i) const override {
        Dateityp typ;
        typ.Erweiterung = Text(i, 0);
        typ.Bezeichnung = Text(i, 1);
        typ.Oeffnen = Text(i, 2);
        typ.Symbol = Text(i, 3);
        return typ;
    }
    void Hinzufuegen(const Dateityp& typ) override {
        Anhaengen({typ.Erweiterung, typ.Bezeichnung, typ.Oeffnen, typ.Symbol});
    }
    void Leeren() override { Textliste::Leeren(); }
};
