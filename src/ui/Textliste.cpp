#include "ui/Textliste.h"

#include <algorithm>
#include <utility>

#include "ui/Form.h"

OhneZeichnen::OhneZeichnen(HWND h) : h_(h) { SendMessageA(h_, WM_SETREDRAW, FALSE, 0); }

OhneZeichnen::~OhneZeichnen() {
    SendMessageA(h_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h_, nullptr, TRUE);
}

namespace {

// Whether line `a` goes before line `b` in the order `s`: the one comparison of every list.
bool Vorher(const std::vector<std::string>& a, const std::vector<std::string>& b, const Sortierung& s) {
    const size_t k = static_cast<size_t>(s.spalte);
    const int v = lstrcmpiA(k < a.size() ? a[k].c_str() : "", k < b.size() ? b[k].c_str() : "");
    return s.absteigend ? v > 0 : v < 0;
}

}  // namespace

void Textliste::SpaltenAnlegen(const Spalte* spalten, int anzahl) {
    for (int i = 0; i < anzahl; ++i) {
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        c.pszText = const_cast<char*>(spalten[i].titel);
        c.cx = TwipsZuPixel(spalten[i].breite);
        c.iSubItem = i;
        if (SendMessageA(h_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&c)) >= 0) spalten_ = i + 1;
    }
}

void Textliste::SpaltenBreiteSetzen(int spalte, double twips) {
    SendMessageA(h_, LVM_SETCOLUMNWIDTH, spalte, MAKELPARAM(TwipsZuPixel(twips), 0));
}

void Textliste::ZeilenweiseWaehlen() {
    SendMessageA(h_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void Textliste::Mehrfachauswahl(bool an) {
    LONG_PTR stil = GetWindowLongPtrA(h_, GWL_STYLE);
    stil = an ? (stil & ~LVS_SINGLESEL) : (stil | LVS_SINGLESEL);
    SetWindowLongPtrA(h_, GWL_STYLE, stil);
}

size_t Textliste::Anzahl() const {
    return h_ ? static_cast<size_t>(SendMessageA(h_, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string Textliste::Text(size_t zeile, int spalte) const {
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

std::vector<std::string> Textliste::Zeile(size_t zeile) const {
    std::vector<std::string> texte;
    for (int s = 0; s < spalten_; ++s) texte.push_back(Text(zeile, s));
    return texte;
}

void Textliste::TextSetzen(size_t zeile, int spalte, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = spalte;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(h_, LVM_SETITEMTEXTA, zeile, reinterpret_cast<LPARAM>(&item));
}

void Textliste::Anhaengen(const std::vector<std::string>& texte) {
    if (texte.empty()) return;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(Anzahl());
    item.pszText = const_cast<char*>(texte[0].c_str());
    const LRESULT neu = SendMessageA(h_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (neu < 0) return;
    for (size_t s = 1; s < texte.size(); ++s) TextSetzen(static_cast<size_t>(neu), static_cast<int>(s), texte[s]);
}

void Textliste::Entfernen(size_t zeile) { SendMessageA(h_, LVM_DELETEITEM, zeile, 0); }

void Textliste::Leeren() { SendMessageA(h_, LVM_DELETEALLITEMS, 0, 0); }

size_t Textliste::Markierte() const {
    return h_ ? static_cast<size_t>(SendMessageA(h_, LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

void Textliste::Fokus() const { FokusGeben(h_); }

void Textliste::NurWaehlen(size_t zeile) {
    if (zeile >= Anzahl()) return;
    AlleAbwaehlen();
    Waehlen(zeile);
    // Where Shift and the arrows extend from; release 4.71 of the control and later, the
    // older ones keep their own mark.
    SendMessageA(h_, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(zeile));
    SendMessageA(h_, LVM_ENSUREVISIBLE, zeile, FALSE);
}

void Textliste::AktuelleSetzen(size_t zeile) {
    const size_t n = Anzahl();
    if (n == 0) return;
    if (zeile >= n) zeile = n - 1;
    ZustandSetzen(zeile, LVIS_FOCUSED, LVIS_FOCUSED);
    SendMessageA(h_, LVM_ENSUREVISIBLE, zeile, FALSE);
}

void Textliste::AktuelleZeigen() {
    if (Anzahl() == 0 || Aktuelle() >= 0) return;
    const LRESULT markiert = SendMessageA(h_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    AktuelleSetzen(markiert >= 0 ? static_cast<size_t>(markiert) : 0);
}

void Textliste::SortierungSetzen(int spalte, bool absteigend) {
    sort_ = {spalte, absteigend, true};
    Nachsortieren();
}

void Textliste::Spaltenklick(int spalte) {
    if (spalte < 0 || spalte >= spalten_) return;
    SortierungSetzen(spalte, spalte == sort_.spalte ? !sort_.absteigend : false);
}

void Textliste::Nachsortieren() {
    if (!sort_.an) return;
    // Read out, sort, write back: works with every release of the list control.
    std::vector<ZeileMitZustand> zeilen;
    for (size_t i = 0; i < Anzahl(); ++i) zeilen.push_back({Zeile(i), Zustand(i, LVIS_SELECTED | LVIS_FOCUSED)});
    Einsetzen(std::move(zeilen));
}

void Textliste::Fuellen(std::vector<std::vector<std::string>> zeilen) {
    std::vector<ZeileMitZustand> neu;
    for (std::vector<std::string>& texte : zeilen) neu.push_back({std::move(texte), 0});
    Einsetzen(std::move(neu));
}

void Textliste::Einsetzen(std::vector<ZeileMitZustand> zeilen) {
    if (sort_.an)
        std::stable_sort(zeilen.begin(), zeilen.end(), [this](const ZeileMitZustand& a, const ZeileMitZustand& b) {
            return Vorher(a.texte, b.texte, sort_);
        });
    OhneZeichnen still(h_);
    Leeren();
    Reservieren(zeilen.size());
    for (size_t i = 0; i < zeilen.size(); ++i) {
        Anhaengen(zeilen[i].texte);
        if (zeilen[i].zustand) ZustandSetzen(i, LVIS_SELECTED | LVIS_FOCUSED, zeilen[i].zustand);
    }
}

UINT Textliste::Zustand(size_t zeile, UINT maske) const {
    return static_cast<UINT>(SendMessageA(h_, LVM_GETITEMSTATE, zeile, maske)) & maske;
}

void Textliste::ZustandSetzen(WPARAM zeile, UINT maske, UINT zustand) {
    LVITEMA item{};
    item.stateMask = maske;
    item.state = zustand;
    SendMessageA(h_, LVM_SETITEMSTATE, zeile, reinterpret_cast<LPARAM>(&item));
}
