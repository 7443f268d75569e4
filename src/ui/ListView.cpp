#include "ui/ListView.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ui/Form.h"

OhneZeichnen::OhneZeichnen(HWND h) : h_(h) { SendMessageA(h_, WM_SETREDRAW, FALSE, 0); }

OhneZeichnen::~OhneZeichnen() {
    SendMessageA(h_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h_, nullptr, TRUE);
}

void ListView::SpaltenAnlegen(const Spalte* spalten, int anzahl) {
    for (int i = 0; i < anzahl; ++i) {
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        c.pszText = const_cast<char*>(spalten[i].titel);
        c.cx = TwipsZuPixel(spalten[i].breite);
        c.iSubItem = i;
        SendMessageA(h_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&c));
    }
}

void ListView::SpaltenBreiteSetzen(int spalte, double twips) {
    SendMessageA(h_, LVM_SETCOLUMNWIDTH, spalte, MAKELPARAM(TwipsZuPixel(twips), 0));
}

void ListView::ZeilenweiseWaehlen() {
    SendMessageA(h_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

size_t ListView::Anzahl() const {
    return h_ ? static_cast<size_t>(SendMessageA(h_, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string ListView::Text(size_t zeile, int spalte) const {
    // The control says how much it copied; a full buffer may mean more is waiting.
    std::vector<char> puffer(512);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = spalte;
        item.pszText = puffer.data();
        item.cchTextMax = static_cast<int>(puffer.size());
        LRESULT n = SendMessageA(h_, LVM_GETITEMTEXTA, zeile, reinterpret_cast<LPARAM>(&item));
        if (n < 0) n = 0;
        if (static_cast<size_t>(n) + 1 < puffer.size() || puffer.size() >= (1u << 24))
            return std::string(puffer.data(), static_cast<size_t>(n));
        puffer.resize(puffer.size() * 4);
    }
}

Dateityp ListView::Eintrag(size_t i) const {
    Dateityp typ;
    typ.Erweiterung = Text(i, 0);
    typ.Bezeichnung = Text(i, 1);
    typ.Oeffnen = Text(i, 2);
    typ.Symbol = Text(i, 3);
    return typ;
}

void ListView::Hinzufuegen(const Dateityp& typ) {
    const std::string texte[4] = {typ.Erweiterung, typ.Bezeichnung, typ.Oeffnen, typ.Symbol};
    ZeileEinfuegen(Anzahl(), texte, 4);
}

int ListView::ZeileEinfuegen(size_t zeile, const std::string* texte, int anzahl) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(zeile);
    item.pszText = const_cast<char*>(texte[0].c_str());
    int neu = static_cast<int>(SendMessageA(h_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (neu < 0) return -1;
    for (int s = 1; s < anzahl; ++s) TextSetzen(static_cast<size_t>(neu), s, texte[s]);
    return neu;
}

void ListView::Leeren() { SendMessageA(h_, LVM_DELETEALLITEMS, 0, 0); }

size_t ListView::Markierte() const {
    return h_ ? static_cast<size_t>(SendMessageA(h_, LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

void ListView::Mehrfachauswahl(bool an) {
    LONG_PTR stil = GetWindowLongPtrA(h_, GWL_STYLE);
    stil = an ? (stil & ~LVS_SINGLESEL) : (stil | LVS_SINGLESEL);
    SetWindowLongPtrA(h_, GWL_STYLE, stil);
}

void ListView::Sortieren(int spalte, bool absteigend) {
    // Read out, sort, write back: works with every release of the list control.
    struct Zeile {
        Dateityp typ;
        UINT zustand;
    };
    std::vector<Zeile> zeilen;
    for (size_t i = 0; i < Anzahl(); ++i)
        zeilen.push_back({Eintrag(i), Zustand(i, LVIS_SELECTED | LVIS_FOCUSED)});
    auto text = [spalte](const Dateityp& t) -> const std::string& {
        return spalte == 1 ? t.Bezeichnung : spalte == 2 ? t.Oeffnen : spalte == 3 ? t.Symbol : t.Erweiterung;
    };
    std::stable_sort(zeilen.begin(), zeilen.end(), [&](const Zeile& a, const Zeile& b) {
        int v = lstrcmpiA(text(a.typ).c_str(), text(b.typ).c_str());
        return absteigend ? v > 0 : v < 0;
    });
    OhneZeichnen still(h_);
    Leeren();
    for (size_t i = 0; i < zeilen.size(); ++i) {
        Hinzufuegen(zeilen[i].typ);
        ZustandSetzen(i, LVIS_SELECTED | LVIS_FOCUSED, zeilen[i].zustand);
    }
}

UINT ListView::Zustand(size_t zeile, UINT maske) const {
    return static_cast<UINT>(SendMessageA(h_, LVM_GETITEMSTATE, zeile, maske)) & maske;
}

void ListView::ZustandSetzen(WPARAM zeile, UINT maske, UINT zustand) {
    LVITEMA item{};
    item.stateMask = maske;
    item.state = zustand;
    SendMessageA(h_, LVM_SETITEMSTATE, zeile, reinterpret_cast<LPARAM>(&item));
}

void ListView::TextSetzen(size_t zeile, int spalte, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = spalte;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(h_, LVM_SETITEMTEXTA, zeile, reinterpret_cast<LPARAM>(&item));
}

void ListView::Entfernen(size_t zeile) { SendMessageA(h_, LVM_DELETEITEM, zeile, 0); }
