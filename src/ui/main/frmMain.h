// The main window: the list of watched file types, its menus, tool bars and status bar.
#pragma once
#include <memory>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "platform/Besitzer.h"
#include "settings/Optionen.h"
#include "filetypes/Speichern.h"
#include "ui/Form.h"
#include "ui/Typenansicht.h"

class frmSpeichern;

class frmMain : public Form, private Speicherfenster {
public:
    static constexpr const char* kKlasse = "Endungswart.frmMain";
    static constexpr const char* kTitel = "Endungswart";

    // Out of line, where frmSpeichern is complete.
    frmMain();
    ~frmMain() override;

    // How much of the window Erstellen makes: all of it, or what a system-start run needs,
    // the window and its list with the state of the last run.
    enum class Umfang { Ganz, Systemstart };
    // Creates the window hidden. Returns 0, or the platform's error number when a window or
    // control cannot be made; the window is gone then.
    DWORD Erstellen(Umfang umfang = Umfang::Ganz);
    // The menu, the shortcut keys, the tool bars and the status bar, unless the window has them:
    // a system-start run that turns interactive. Returns as Erstellen does.
    DWORD BedienungErstellen();
    // Shows the window in its restored state (normal, minimised or maximised).
    void Anzeigen();
    // Shows or hides the bars by their check marks, places the list and sets Leistenhoehe.
    void LeistenAnordnen();
    // Twips above and below the main list taken by the tool bar and the status bar.
    int16_t Leistenhoehe() const { return leistenhoehe_; }

    // The working list has changes that are not saved.
    bool Geaendert() const { return geaendert_; }
    void GeaendertSetzen(bool geaendert) { geaendert_ = geaendert; }
    // An autostart run: closing asks nothing and stores no settings.
    bool Autostartlauf() const { return autostartlauf_; }
    void AutostartlaufSetzen(bool an) { autostartlauf_ = an; }
    // The user's double-click time in seconds, for the icon chooser.
    void DoppelklickzeitSetzen(float sekunden) { doppelklickzeit_ = sekunden; }

    Typenansicht& lvwMain() { return liste_; }
    Fensterwerte Zustand() const;  // state, geometry, columns and sort as they are now
    HACCEL Tastenkuerzel() const { return tasten_.get(); }

    // The check marks of mnuSymbolleiste and mnuStatusleiste.
    bool Haken(int befehl) const;
    void HakenSetzen(int befehl, bool an);

    // The status bar: the count of selected or all lines first, a notice in a part of its
    // own after it.
    void StatusText();
    std::string Statuszeile() const;
    std::string Hinweiszeile() const;
    // Counts the log's restored changes the user has not seen; the status bar tells of them.
    void ProtokollHinweisLesen();

    // Commands; each is also reachable by menu, tool bar or key.
    void mnuSpeichern_Click();
    void mnuRueckgaengig_Click();
    void mnuProtokoll_Click();
    void mnuExportieren_Click();
    void mnuImportieren_Click();
    void mnuBeenden_Click();
    void mnuSymbolleiste_Click();
    void mnuStatusleiste_Click();
    void mnuInhalt_Click();
    void mnuSuchen_Click();
    void mnuHilfebenutzen_Click();
    void mnuInternet_Click();
    void mnuMail_Click();
    void mnuAendern_Click();
    void cmdAendern_Click();
    void mnuHinzu_Click();
    void mnuOptionen_Click();
    void mnuInfo_Click();
    void Toolbar_ButtonClick(int index, int befehl);  // the button's menu command
    void lvwMain_ColumnClick(int spalte);  // 1-based
    void lvwMain_Click();
    void lvwMain_DblClick();

    RECT ListenRechteck() const;

    enum { idLvwMain = 1000, idCmdAendern, idFrameTbr, idStatusBar, idToolbar1 };

protected:
    bool Nachricht(UINT msg, WPARAM wp, LPARAM lp, LRESULT& ergebnis) override;

private:
    void SpeichernAusfuehren(bool fragen);
    class Befehlslauf;
    using Handler = void (frmMain::*)();
    void Ausfuehren(Handler handler);  // runs a command; a close request waits for its end

    void Form_Load();  // geometry, columns and sort order of the last run
    void Form_Resize();
    // Runs the closing sequence, or remembers the request while a command runs: the command
    // may still use the list, and a save must not be cut short.
    void Form_Close();
    bool Form_QueryUnload();  // false: the user kept the window open
    void Form_Unload();
    bool LeistenErzeugen();
    void WerkzeugleistenBemessen();
    void ListeFokussieren();  // after a command: the keys go to the list again
    void ListeNeuLaden();     // the store's types, in the list's order
    bool Befehl(int id, int code) override;
    LRESULT Benachrichtigung(const NMHDR& nm) override;

    // Speicherfenster
    bool SpeichernBestaetigen() override;
    bool AllesEntfernenBestaetigen() override;
    bool EigenenSchluesselBestaetigen(const std::string& Erweiterung, const std::string& RegBezeichnung) override;
    void Zwischendurch() override;
    void Sperren(bool gesperrt) override;
    Fortschritt* FortschrittOeffnen() override;
    void FortschrittSchliessen() override;

    Typenansicht liste_;
    Fensterwerte werte_;
    bool geaendert_ = false;
    bool autostartlauf_ = false;
    bool bedienung_ = false;  // menu and bars are made
    float doppelklickzeit_ = 0.5f;
    int16_t leistenhoehe_ = 0;
    Tastentabelle tasten_;
    Bildliste bilder_;
    HWND leisten_[4] = {};
    HWND status_ = nullptr;
    double leistenHoehe_ = 0;  // twips, tool bar 1
    double listenOben_ = 0;    // twips
    int laufendeBefehle_ = 0;
    bool speichert_ = false;
    bool schliessenVorgemerkt_ = false;  // a close request came while a command ran
    bool schliesst_ = false;             // the closing question is up
    size_t ungesehen_ = 0;  // restored changes in the log since it was last opened
    // What the last command has to tell (the types a save stopped watching, the file an export
    // wrote), until the selection changes or a command runs.
    std::string hinweis_;
    unsigned long hilfethema_ = 0;  // F1 opens this topic while a command's dialog is up
    Vormerkung statusFaellig_{WM_APP + 30};
    std::unique_ptr<frmSpeichern> fortschritt_;
};

// The author's addresses behind the help menu.
inline constexpr const char* kAutorSeite = "http://endungswart.example.org/";
inline constexpr const char* kAutorMail = "mailto:autor@endungswart.example.org";
