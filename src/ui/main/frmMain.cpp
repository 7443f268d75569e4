#include "ui/main/frmMain.h"

#include <commctrl.h>

#include "filetypes/Protokoll.h"
#include "filetypes/Sicherung.h"
#include "resource.h"
#include "platform/Seams.h"
#include "ui/dialogs/frmAendern.h"
#include "ui/dialogs/frmHinzu.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/dialogs/frmOptionen.h"
#include "ui/dialogs/frmProtokoll.h"
#include "ui/dialogs/frmSpeichern.h"
#include "ui/main/Austausch.h"

namespace {

const Steuerelement kElemente[] = {
    {Art::Linie, frmMain::idFrameTbr, -50, 0, 9000, 35, "", 0, true},
    {Art::Liste, frmMain::idLvwMain, 0, 0, 9000, 4000, "", WS_CLIPSIBLINGS},
    {Art::Schaltflaeche, frmMain::idCmdAendern, 1560, 1320, 36, 132, "", BS_DEFPUSHBUTTON, true},
};

const Spalte kSpalten[4] = {
    {"Erweiterung", 750}, {"Bezeichnung", 3000}, {"Öffnen mit:", 9000}, {"Symbol", 9000}};

// Every command of the menu, the accelerators and the tool bar, with its handler.
using F = frmMain;

const Befehlszeile<frmMain> kBefehle[] = {
    {ID_SPEICHERN, &F::mnuSpeichern_Click},
    {ID_RUECKGAENGIG, &F::mnuRueckgaengig_Click},
    {ID_PROTOKOLL, &F::mnuProtokoll_Click},
    {ID_EXPORTIEREN, &F::mnuExportieren_Click},
    {ID_IMPORTIEREN, &F::mnuImportieren_Click},
    {ID_BEENDEN, &F::mnuBeenden_Click},
    {ID_SYMBOLLEISTE, &F::mnuSymbolleiste_Click},
    {ID_STATUSLEISTE, &F::mnuStatusleiste_Click},
    {ID_INHALT, &F::mnuInhalt_Click},
    {ID_SUCHEN, &F::mnuSuchen_Click},
    {ID_HILFEBENUTZEN, &F::mnuHilfebenutzen_Click},
    {ID_INTERNET, &F::mnuInternet_Click},
    {ID_MAIL, &F::mnuMail_Click},
    {ID_AENDERN, &F::mnuAendern_Click},
    {ID_HINZU, &F::mnuHinzu_Click},
    {ID_OPTIONEN, &F::mnuOptionen_Click},
    {ID_INFO, &F::mnuInfo_Click},
};

// The tool bar buttons carry the IDs of their menu commands.
const struct Knopf {
    int leiste;  // 1 to 4
    int befehl;
    int bild;  // 1-based, in the tool bar strip
    const char* tipp;
} kKnoepfe[] = {
    {1, ID_SPEICHERN, 1, "Speichern"},  {1, ID_RUECKGAENGIG, 2, "Rückgängig"},
    {2, ID_HINZU, 3, "Hinzufügen/Entfernen"}, {2, ID_AENDERN, 4, "Ändern"},
    {3, ID_OPTIONEN, 5, "Optionen"},    {4, ID_INHALT, 6, "Hilfe"},
    {4, ID_INFO, 7, "Info"},
};

const Knopf* KnopfFuer(UINT_PTR befehl) {
    for (const Knopf& k : kKnoepfe)
        if (static_cast<UINT_PTR>(k.befehl) == befehl) return &k;
    return nullptr;
}

// The stored rectangle, unless it would put the window out of sight.
RECT Fensterrechteck(const Fensterwerte& w) {
    RECT r{TwipsZuPixel(w.left), TwipsZuPixel(w.top), TwipsZuPixel(w.left + w.width),
           TwipsZuPixel(w.top + w.height)};
    RECT bildschirm{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT schnitt;
    if (r.right - r.left < 100 || r.bottom - r.top < 50 || !IntersectRect(&schnitt, &r, &bildschirm)) {
        Fensterwerte neu;
        r = {TwipsZuPixel(neu.left), TwipsZuPixel(neu.top), TwipsZuPixel(neu.left + neu.width),
             TwipsZuPixel(neu.top + neu.height)};
    }
    return r;
}

// Twips as stored, unless the window moved: pixels are coarser than twips, and a window the
// user did not touch must not drift by a pixel's worth each run.
float Twips(float gespeichert, int pixel) {
    return TwipsZuPixel(gespeichert) == pixel ? gespeichert : static_cast<float>(PixelZuTwips(pixel));
}

double HoeheTwips(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return PixelZuTwips(r.bottom - r.top);
}

// The status bar's first part, wide enough for "99999 Dateityp(en) ausgewählt".
constexpr double kZaehlerBreite = 2700;  // twips

// "JPG wird nicht mehr überwacht.", or a few names and how many more.
std::string NichtMehrUeberwacht(const std::vector<std::string>& namen) {
    constexpr size_t kNamen = 3;
    const size_t genannt = namen.size() > kNamen ? kNamen : namen.size();
    std::string text;
    for (size_t i = 0; i < genannt; ++i)
        text += (i == 0 ? "" : i + 1 == genannt && genannt == namen.size() ? " und " : ", ") + namen[i];
    if (namen.size() > genannt) text += " und " + std::to_string(namen.size() - genannt) + " weitere";
    return text + (namen.size() == 1 ? " wird" : " werden") + " nicht mehr überwacht.";
}

// A value for the time of a command.
class Solange {
public:
    Solange(unsigned long& wert, unsigned long neu) : wert_(wert), alt_(wert) { wert_ = neu; }
    ~Solange() { wert_ = alt_; }
    Solange(const Solange&) = delete;
    Solange& operator=(const Solange&) = delete;

private:
    unsigned long& wert_;
    unsigned long alt_;
};

// The save's questions and its message.
constexpr const char* kSpeichernTitel = "Endungswart - Speichern";

bool SpeichernFrage(const std::string& text, UINT knoepfe = 0) {
    return Meldung(text, MB_YESNO | MB_ICONQUESTION | knoepfe, kSpeichernTitel) == IDYES;
}

// The question for a class key shared with an extension that would change.
std::string GemeinsamFrage(const std::string& e, const std::string& reg) {
    const std::string q = "\"";
    return "Die Erweiterung " + q + e + q +
           " ist zusammen mit weiteren Dateitypen, für die die gleichen Einstellungen gelten, in "
           "der Registrierungsdatenbank unter einem gemeinsamen Schlüssel eingetragen.\n\n"
           "Sollen die von Ihnen geänderten Werte für " + q + e + q +
           " unter einem neuen Schlüssel gespeichert werden?\n\n"
           "Wählen Sie Nein, wenn für diese Dateitypen weiterhin gleiche Einstellungen gelten "
           "sollen. Zum Ändern wählen Sie anschließend " + q + "Hinzufügen/Entfernen" + q +
           ", sortieren die Liste durch Klick auf die Spaltenüberschrift " + q + "Bezeichnung" + q +
           " und fügen alle Erweiterungen mit der  Bezeichnung " + q + reg + q + " hinzu.\n"
           "Schalten Sie die Option " + q + "Mehrfachauswahl zulassen" + q +
           " ein und wählen Sie im Hauptfenster alle Dateitypen mit der Bezeichnung " + q + reg +
           q + " zum Ändern aus.";
}

std::string Namensliste(const std::vector<std::string>& erweiterungen) {
    // A long list would grow the box past the screen.
    constexpr size_t kHoechstens = 20;
    std::string namen;
    for (size_t i = 0; i < erweiterungen.size() && i < kHoechstens; ++i)
        namen += (i ? ", \"" : "\"") + erweiterungen[i] + "\"";
    if (erweiterungen.size() > kHoechstens)
        namen += " und " + std::to_string(erweiterungen.size() - kHoechstens) + " weitere";
    return namen;
}

// The message that names the types a save could not write fully, and those it could not
// remove from the store; empty when there are none.
std::string FehlerMeldung(const Speicherergebnis& e) {
    if (e.Fehlgeschlagen.empty() && e.NichtEntfernt.empty()) return {};
    std::string text;
    if (!e.Fehlgeschlagen.empty())
        text = "Folgende Dateitypen konnten nicht vollständig in der Registrierungsdatenbank gespeichert werden:\n" +
               Namensliste(e.Fehlgeschlagen) +
               "\n\nSie bleiben in der Liste und werden erst gesichert, wenn das Speichern gelingt.";
    if (!e.NichtEntfernt.empty())
        text += (text.empty() ? "" : "\n\n") +
                std::string("Folgende Dateitypen konnten nicht aus der Überwachung entfernt werden:\n") +
                Namensliste(e.NichtEntfernt) +
                "\n\nSie bleiben in der Liste und werden weiter wiederhergestellt, bis das Entfernen gelingt.";
    return text + " Versuchen Sie es später noch einmal.";
}

// Sets a flag for as long as it lives, whatever ends that.
class Laufmarke {
public:
    explicit Laufmarke(bool& flag) : flag_(flag) { flag_ = true; }
    ~Laufmarke() { flag_ = false; }
    Laufmarke(const Laufmarke&) = delete;
    Laufmarke& operator=(const Laufmarke&) = delete;

private:
    bool& flag_;
};

}  // namespace

// Counts a running command. A close request that came meanwhile is carried out once the last
// one has ended, by a posted message, so that no control is destroyed inside its own
// notification.
class frmMain::Befehlslauf {
public:
    explicit Befehlslauf(frmMain& f) : f_(f) { ++f_.laufendeBefehle_; }
    ~Befehlslauf() {
        if (--f_.laufendeBefehle_ > 0 || !f_.schliessenVorgemerkt_) return;
        f_.schliessenVorgemerkt_ = false;
        if (f_.hwnd()) PostMessageA(f_.hwnd(), WM_CLOSE, 0, 0);
    }
    Befehlslauf(const Befehlslauf&) = delete;
    Befehlslauf& operator=(const Befehlslauf&) = delete;

private:
    frmMain& f_;
};

frmMain::frmMain() = default;
frmMain::~frmMain() = default;

namespace {

// The platform's error after a failed creation, or one that says as much when it gave none.
DWORD Erstellfehler() {
    const DWORD fehler = GetLastError();
    return fehler ? fehler : ERROR_CANNOT_FIND_WND_CLASS;
}

}  // namespace

DWORD frmMain::Erstellen(Umfang umfang) {
    InitCommonControls();  // the comctl32 of Windows 95 has no InitCommonControlsEx
    SetLastError(0);
    if (!Erzeugen(kKlasse, kTitel, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, Fensterrechteck(werte_),
                  nullptr) ||
        !ElementeErzeugen(kElemente, std::size(kElemente))) {
        const DWORD fehler = Erstellfehler();
        Schliessen();
        return fehler;
    }
    liste_.Verbinden(Element(idLvwMain));
    liste_.SpaltenAnlegen(kSpalten, 4);
    liste_.ZeilenweiseWaehlen();
    Form_Load();
    // A system-start run shows none of the rest; made for it, they cost every start.
    return umfang == Umfang::Ganz ? BedienungErstellen() : 0;
}

DWORD frmMain::BedienungErstellen() {
    if (bedienung_) return 0;
    SetLastError(0);
    if (!LeistenErzeugen()) {
        const DWORD fehler = Erstellfehler();
        Schliessen();
        return fehler;
    }
    bedienung_ = true;
    WerkzeugleistenBemessen();
    HINSTANCE instanz = GetModuleHandleA(nullptr);
    SetMenu(hwnd(), LoadMenuA(instanz, MAKEINTRESOURCEA(IDM_HAUPTMENUE)));
    tasten_.reset(LoadAcceleratorsA(instanz, MAKEINTRESOURCEA(IDA_HAUPT)));
    return 0;
}

void frmMain::Form_Load() {
    FensterwerteLesen(werte_);
    const RECT r = Fensterrechteck(werte_);
    MoveWindow(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    for (int i = 0; i < 4; ++i) liste_.SpaltenBreiteSetzen(i, werte_.Spalten[i]);
    liste_.SortierungSetzen(werte_.SortKey, werte_.SortOrder == 1);
}

bool frmMain::LeistenErzeugen() {
    HINSTANCE instanz = GetModuleHandleA(nullptr);
    bilder_.reset(ImageList_Create(16, 16, ILC_COLOR4 | ILC_MASK, 7, 0));
    if (Bitmap streifen{LoadBitmapA(instanz, MAKEINTRESOURCEA(IDB_TOOLBAR))})
        ImageList_AddMasked(bilder_.get(), streifen.get(), RGB(192, 192, 192));
    status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | SBARS_SIZEGRIP, 0, 0, 0, 0, hwnd(),
                              reinterpret_cast<HMENU>(idStatusBar), instanz, nullptr);
    if (!status_) return false;

    for (int l = 0; l < 4; ++l) {
        leisten_[l] = CreateWindowExA(
            0, TOOLBARCLASSNAMEA, "",
            WS_CHILD | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN,
            0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(idToolbar1 + l)), instanz, nullptr);
        if (!leisten_[l]) return false;
        SendMessageA(leisten_[l], TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageA(leisten_[l], TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(bilder_.get()));
        for (const Knopf& k : kKnoepfe) {
            if (k.leiste != l + 1) continue;
            TBBUTTON b{};
            b.iBitmap = k.bild - 1;
            b.idCommand = k.befehl;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
            SendMessageA(leisten_[l], TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&b));
        }
    }
    return true;
}

void frmMain::WerkzeugleistenBemessen() {
    const int knopfB = TwipsZuPixel(288), knopfH = TwipsZuPixel(264);
    for (HWND leiste : leisten_) SendMessageA(leiste, TB_SETBUTTONSIZE, 0, MAKELPARAM(knopfB, knopfH));
    // The control may widen the buttons; lay the bars out by what it reports.
    DWORD groesse = static_cast<DWORD>(SendMessageA(leisten_[0], TB_GETBUTTONSIZE, 0, 0));
    leistenHoehe_ = PixelZuTwips(HIWORD(groesse));
    const double breite = PixelZuTwips(LOWORD(groesse));
    const double w1 = breite + 60, w2 = 2 * breite + 60;
    const double breiten[4] = {w2, w2, w1, w2};
    double links = 75;
    for (int l = 0; l < 4; ++l) {
        MoveWindow(leisten_[l], TwipsZuPixel(links), TwipsZuPixel(22), TwipsZuPixel(breiten[l]),
                   TwipsZuPixel(leistenHoehe_), FALSE);
        links += breiten[l];
    }
}

void frmMain::Anzeigen() {
    int befehl = werte_.WindowState == 2 ? SW_SHOWMAXIMIZED
                 : werte_.WindowState == 1 ? SW_SHOWMINIMIZED
                                           : SW_SHOWNORMAL;
    // Only a shown window runs the message loop that must end with it.
    SchleifeBeendenBeimEnde();
    ShowWindow(hwnd(), befehl);
    UpdateWindow(hwnd());
}

bool frmMain::Haken(int befehl) const {
    return (GetMenuState(GetMenu(hwnd()), befehl, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void frmMain::HakenSetzen(int befehl, bool an) {
    CheckMenuItem(GetMenu(hwnd()), befehl, MF_BYCOMMAND | (an ? MF_CHECKED : MF_UNCHECKED));
}

void frmMain::LeistenAnordnen() {
    const bool werkzeug = Haken(ID_SYMBOLLEISTE), status = Haken(ID_STATUSLEISTE);
    for (HWND leiste : leisten_) ShowWindow(leiste, werkzeug ? SW_SHOWNA : SW_HIDE);
    ShowWindow(Element(idFrameTbr), werkzeug ? SW_SHOWNA : SW_HIDE);
    ShowWindow(status_, status ? SW_SHOWNA : SW_HIDE);
    listenOben_ = werkzeug ? leistenHoehe_ + 20 : 0;
    double hoehe = listenOben_ + (status ? HoeheTwips(status_) : 0);
    leistenhoehe_ = static_cast<int16_t>(hoehe < 32767 ? hoehe + 0.5 : 32767);
    Form_Resize();
    // Moving the list keeps the pixels it had, and the tool bars stood over its header while
    // it was still at the top: all of it, header included, is drawn anew.
    RedrawWindow(liste_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

RECT frmMain::ListenRechteck() const {
    RECT r{};
    GetWindowRect(liste_.hwnd(), &r);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

Fensterwerte frmMain::Zustand() const {
    Fensterwerte w = werte_;
    w.WindowState = IsIconic(hwnd()) ? 1 : IsZoomed(hwnd()) ? 2 : 0;
    RECT r;
    if (w.WindowState == 0 && GetWindowRect(hwnd(), &r)) {
        w.left = Twips(werte_.left, r.left);
        w.top = Twips(werte_.top, r.top);
        w.width = Twips(werte_.width, r.right - r.left);
        w.height = Twips(werte_.height, r.bottom - r.top);
    }
    for (int i = 0; i < 4; ++i) w.Spalten[i] = Twips(werte_.Spalten[i], liste_.SpaltenBreite(i));
    w.SortKey = static_cast<int16_t>(liste_.Reihenfolge().spalte);
    w.SortOrder = liste_.Reihenfolge().absteigend ? 1 : 0;
    return w;
}

std::string frmMain::Statuszeile() const {
    size_t markiert = liste_.Markierte();
    if (markiert > 0) return std::to_string(markiert) + " Dateityp(en) ausgewählt";
    return std::to_string(liste_.Anzahl()) + " Dateityp(en)";
}

std::string frmMain::Hinweiszeile() const {
    if (!hinweis_.empty()) return hinweis_;
    if (ungesehen_ > 0)
        return std::to_string(ungesehen_) + " Änderung(en) anderer Programme rückgängig gemacht – Protokoll: Strg+P";
    return {};
}

void frmMain::StatusText() {
    const std::string hinweis = Hinweiszeile();
    const int teile[2] = {hinweis.empty() ? -1 : TwipsZuPixel(kZaehlerBreite), -1};
    SendMessageA(status_, SB_SETPARTS, hinweis.empty() ? 1 : 2, reinterpret_cast<LPARAM>(teile));
    SendMessageA(status_, SB_SETTEXTA, hinweis.empty() ? SBT_NOBORDERS : 0,
                 reinterpret_cast<LPARAM>(Statuszeile().c_str()));
    if (!hinweis.empty()) SendMessageA(status_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(hinweis.c_str()));
}

void frmMain::ProtokollHinweisLesen() { ungesehen_ = NeueAenderungen(ProtokollLesen(), werte_.ProtokollGesehen); }

void frmMain::lvwMain_ColumnClick(int spalte) { liste_.Spaltenklick(spalte - 1); }

void frmMain::lvwMain_Click() { StatusText(); }

void frmMain::Form_Resize() {
    if (IsIconic(hwnd())) return;
    SendMessageA(status_, WM_SIZE, 0, 0);
    // The bar only paints what it gained; the size grip of its old width would stay behind.
    InvalidateRect(status_, nullptr, TRUE);
    RECT innen;
    GetClientRect(hwnd(), &innen);
    if (PixelZuTwips(innen.bottom) < leistenhoehe_) return;
    const int oben = TwipsZuPixel(listenOben_);
    MoveWindow(liste_.hwnd(), 0, oben, innen.right,
               innen.bottom - TwipsZuPixel(leistenhoehe_), TRUE);
    MoveWindow(Element(idFrameTbr), TwipsZuPixel(-50), 0, innen.right + TwipsZuPixel(100),
               TwipsZuPixel(35), TRUE);
}

void frmMain::ListeFokussieren() {
    if (!hwnd() || !IsWindowVisible(hwnd()) || !IsWindowEnabled(hwnd())) return;
    // Message boxes and the progress window may have left the activation elsewhere.
    if (GetActiveWindow() != hwnd()) SetActiveWindow(hwnd());
    liste_.Fokus();
}

void frmMain::Ausfuehren(Handler handler) {
    Befehlslauf lauf(*this);
    if (!hinweis_.empty()) {
        hinweis_.clear();
        statusFaellig_.Vormerken(hwnd());
    }
    (this->*handler)();
}

void frmMain::mnuSpeichern_Click() { SpeichernAusfuehren(Optionen.Sicherheitsabfrage != 0); }

void frmMain::SpeichernAusfuehren(bool fragen) {
    // Neither the closing question nor anything else starts a save inside a running one.
    if (speichert_) return;
    Befehlslauf lauf(*this);
    Speicherergebnis ergebnis;
    {
        Laufmarke marke(speichert_);
        ergebnis = Speichern(liste_, *this, fragen);
        // Told while the save still counts as running, so that the end of a session waits for it.
        if (const std::string text = FehlerMeldung(ergebnis); !text.empty())
            Meldung(text, MB_OK | MB_ICONEXCLAMATION, kSpeichernTitel);
        if (ergebnis.Fertig) geaendert_ = false;
    }
    liste_.Nachsortieren();
    // Declined at the shared-key question: gone from the list without a word otherwise.
    if (!ergebnis.NichtMehrUeberwacht.empty()) {
        hinweis_ = NichtMehrUeberwacht(ergebnis.NichtMehrUeberwacht);
        statusFaellig_.Vormerken(hwnd());
    }
    ListeFokussieren();
}

void frmMain::mnuRueckgaengig_Click() {
    if (Optionen.Rueckgaengig == 0 ||
        Meldung("Sollen alle Änderungen rückgängig gemacht werden und "
                "die zuletzt gesicherten Dateitypen wieder geladen werden?",
                MB_YESNO | MB_ICONQUESTION, "Endungswart - Rückgängig") == IDYES) {
        ListeNeuLaden();
        geaendert_ = false;
    }
    ListeFokussieren();
}

void frmMain::ListeNeuLaden() {
    liste_.Leeren();
    SicherungLaden(liste_);
    liste_.Nachsortieren();
}

void frmMain::mnuProtokoll_Click() {
    // The dialog notes what was seen as it opens, so that a close meanwhile stores it too.
    frmProtokoll dialog(werte_.ProtokollGesehen, geaendert_);
    if (dialog.Zeigen(hwnd()) == -1)
        KomponentenFehlerMelden(GetLastError());
    else
        ungesehen_ = 0;
    if (dialog.Wiederhergestellt()) ListeNeuLaden();
    StatusText();
    liste_.Fokus();
}

void frmMain::mnuExportieren_Click() {
    Solange thema(hilfethema_, kAustauschHilfeThema);
    if (geaendert_) {
        const int antwort = Meldung(
            "Die Liste enthält Änderungen, die noch nicht gespeichert sind. Exportiert werden die "
            "gesicherten Dateitypen.\n\nSollen die Änderungen vorher gespeichert werden?",
            MB_YESNOCANCEL | MB_ICONQUESTION, "Endungswart - Exportieren");
        if (antwort == IDCANCEL) return ListeFokussieren();
        // The user has just said yes; the save must not ask a second time.
        if (antwort == IDYES) SpeichernAusfuehren(false);
    }
    const std::string hinweis = Exportieren(hwnd());
    if (!hinweis.empty()) {
        hinweis_ += (hinweis_.empty() ? "" : " ") + hinweis;
        statusFaellig_.Vormerken(hwnd());
    }
    ListeFokussieren();
}

void frmMain::mnuImportieren_Click() {
    Solange thema(hilfethema_, kAustauschHilfeThema);
    Importieren(hwnd(), liste_, geaendert_);
    ListeFokussieren();
}

void frmMain::mnuBeenden_Click() { SendMessageA(hwnd(), WM_CLOSE, 0, 0); }

void frmMain::mnuSymbolleiste_Click() {
    HakenSetzen(ID_SYMBOLLEISTE, !Haken(ID_SYMBOLLEISTE));
    LeistenAnordnen();
}

void frmMain::mnuStatusleiste_Click() {
    HakenSetzen(ID_STATUSLEISTE, !Haken(ID_STATUSLEISTE));
    LeistenAnordnen();
}

void frmMain::mnuInhalt_Click() { Hilfe(hwnd(), HELP_CONTENTS, 0); }

void frmMain::mnuSuchen_Click() {
    // The search without a key word: an empty key, never a null pointer.
    static const char kKeinStichwort[] = "";
    Hilfe(hwnd(), HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(kKeinStichwort));
}

void frmMain::mnuHilfebenutzen_Click() { Hilfe(hwnd(), HELP_HELPONHELP, 0); }
void frmMain::mnuInternet_Click() { Oeffnen(hwnd(), kAutorSeite); }
void frmMain::mnuMail_Click() { Oeffnen(hwnd(), kAutorMail); }

void frmMain::mnuAendern_Click() {
    if (!AendernBefehl(liste_, doppelklickzeit_)) return;
    geaendert_ = true;
    liste_.Nachsortieren();
}
void frmMain::cmdAendern_Click() { mnuAendern_Click(); }

void frmMain::lvwMain_DblClick() {
    if (liste_.Markierte() > 0) mnuAendern_Click();
}

void frmMain::mnuHinzu_Click() {
    Sanduhr(true);  // the dialog's loading ends it
    frmHinzu dialog(liste_);
    INT_PTR ergebnis = dialog.Zeigen(hwnd());
    Sanduhr(false);
    if (ergebnis == -1) KomponentenFehlerMelden(GetLastError());
    if (ergebnis == IDOK) {
        geaendert_ = true;
        liste_.Nachsortieren();
    }
    ListeFokussieren();
}

void frmMain::mnuOptionen_Click() {
    frmOptionen dialog(liste_);
    if (dialog.Zeigen(hwnd()) == -1) KomponentenFehlerMelden(GetLastError());
    ListeFokussieren();
}

void frmMain::mnuInfo_Click() {
    frmInfo dialog;
    if (dialog.Zeigen(hwnd()) == -1) KomponentenFehlerMelden(GetLastError());
    ListeFokussieren();
}

void frmMain::Toolbar_ButtonClick(int, int befehl) {
    if (KnopfFuer(static_cast<UINT_PTR>(befehl))) Befehl(befehl, BN_CLICKED);
}

bool frmMain::Befehl(int id, int) {
    // Menu, accelerator and tool bar alike, whatever their notification code.
    Handler handler = HandlerFuer(kBefehle, id);
    if (handler) Ausfuehren(handler);
    return handler != nullptr;
}

void frmMain::Form_Close() {
    if (laufendeBefehle_ > 0) {
        schliessenVorgemerkt_ = true;
        return;
    }
    // A second request while the closing question is up: that answer decides.
    if (schliesst_) return;
    bool zu;
    {
        Laufmarke marke(schliesst_);
        zu = Form_QueryUnload();
    }
    if (!zu) return;
    Form_Unload();
    Schliessen();
}

bool frmMain::Form_QueryUnload() {
    if (autostartlauf_ || (Optionen.Beenden & static_cast<int16_t>(geaendert_)) == 0) return true;
    int antwort = Meldung("Möchten Sie die Änderungen speichern und die ausgewählten Dateitypen sichern?",
                          MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1, "Endungswart - Beenden");
    if (antwort == IDCANCEL) return false;
    if (antwort == IDYES) {
        // The user has just said yes; the save must not ask a second time.
        SpeichernAusfuehren(false);
    }
    return true;
}

void frmMain::Form_Unload() {
    // An autostart run leaves every setting as the last interactive run stored it.
    if (autostartlauf_) return;
    EinstellungenSpeichern(Zustand(), Optionen, Haken(ID_SYMBOLLEISTE), Haken(ID_STATUSLEISTE),
                           ProgrammPfad());
    Hilfe(hwnd(), HELP_QUIT, 0);
}

bool frmMain::SpeichernBestaetigen() {
    return SpeichernFrage("Sollen die Dateitypen in der Registrierungsdatenbank gespeichert werden?");
}

bool frmMain::AllesEntfernenBestaetigen() {
    return SpeichernFrage("Sind Sie sicher, daß Sie alle Dateitypen aus der Überwachung entfernen möchten?");
}

bool frmMain::EigenenSchluesselBestaetigen(const std::string& Erweiterung, const std::string& RegBezeichnung) {
    // The progress window would stand over the question.
    if (fortschritt_) fortschritt_->Oben(false);
    const bool ja = SpeichernFrage(GemeinsamFrage(Erweiterung, RegBezeichnung), MB_DEFBUTTON2);
    if (fortschritt_) fortschritt_->Oben(true);
    return ja;
}

// Between two types the windows catch up: the progress window is painted, a close request noted.
void frmMain::Zwischendurch() { Ereignisse(); }

void frmMain::Sperren(bool gesperrt) {
    EnableWindow(hwnd(), !gesperrt);
    Sanduhr(gesperrt);
}

Fortschritt* frmMain::FortschrittOeffnen() {
    if (Optionen.Speichermeldung == 0) return nullptr;
    fortschritt_ = std::make_unique<frmSpeichern>(Optionen.SpeichernPause);
    if (!fortschritt_->Erstellen(nullptr)) {
        fortschritt_.reset();
        return nullptr;
    }
    fortschritt_->Anzeigen();
    return fortschritt_.get();
}

void frmMain::FortschrittSchliessen() {
    fortschritt_.reset();
    ListeFokussieren();
}

LRESULT frmMain::Benachrichtigung(const NMHDR& nm) {
    if (nm.idFrom == idLvwMain) {
        switch (nm.code) {
            case NM_CLICK: lvwMain_Click(); break;
            case NM_DBLCLK: Ausfuehren(&frmMain::lvwMain_DblClick); break;
            case LVN_KEYDOWN:
                // Enter is the key of the hidden default button. NM_RETURN would come only
                // while a line has the focus.
                if (reinterpret_cast<const NMLVKEYDOWN&>(nm).wVKey == VK_RETURN)
                    Ausfuehren(&frmMain::cmdAendern_Click);
                break;
            case LVN_COLUMNCLICK:
                lvwMain_ColumnClick(reinterpret_cast<const NMLISTVIEW&>(nm).iSubItem + 1);
                break;
            case LVN_ITEMCHANGED: {
                // Arrows, Shift, Ctrl+Space and code alike; -1 stands for every line.
                const auto& v = reinterpret_cast<const NMLISTVIEW&>(nm);
                if (!(v.uChanged & LVIF_STATE) || (v.iItem >= 0 && !((v.uOldState ^ v.uNewState) & LVIS_SELECTED)))
                    break;
                hinweis_.clear();
                statusFaellig_.Vormerken(hwnd());
                break;
            }
            case LVN_INSERTITEM:
            case LVN_DELETEITEM:
            case LVN_DELETEALLITEMS:
                statusFaellig_.Vormerken(hwnd());
                break;
        }
        return 0;
    }
    if (nm.code == TTN_GETDISPINFOA) {
        auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(nm));
        if (const Knopf* k = KnopfFuer(nm.idFrom)) info.lpszText = const_cast<char*>(k->tipp);
    }
    return 0;
}

bool frmMain::Nachricht(UINT msg, WPARAM wp, LPARAM, LRESULT& ergebnis) {
    ergebnis = 0;
    if (statusFaellig_.Faellig(msg)) {
        StatusText();
        return true;
    }
    switch (msg) {
        case WM_SIZE:
            Form_Resize();
            return true;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) return false;
            StatusText();
            // The list is the window's only field for keys; a minimised window takes none.
            if (HIWORD(wp) || !liste_.hwnd()) return false;
            liste_.Fokus();
            return true;
        case WM_SETFOCUS:
            liste_.Fokus();
            return true;
        case WM_HELP:
            // F1 in a dialog without a "?" button of its own; the file dialogs hand it on too.
            if (hilfethema_)
                Hilfe(hwnd(), HELP_CONTEXT, hilfethema_);
            else
                mnuInhalt_Click();
            ergebnis = TRUE;
            return true;
        case WM_CLOSE:
            Form_Close();
            return true;
        case WM_QUERYENDSESSION:
            // A save runs to its end: the session waits, and the program closes after it.
            if (!speichert_) return false;
            schliessenVorgemerkt_ = true;
            return true;
    }
    return false;
}
