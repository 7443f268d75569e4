#!/usr/bin/env bash
# End-to-end cases: Endwart.exe runs as its own process in a fresh Wine prefix and on an X
# server of its own, driven with xdotool, and the registry is read before and after.
#
#   run.sh CASE EXE WORKDIR
#
# WORKDIR keeps one folder per case with its program log and registry dumps.
set -u -o pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 CASE EXE WORKDIR" >&2
    exit 64
fi
CASE=$1
EXE=$(realpath "$2")
# Sends the program what another program or a shut-down would; built beside Endwart.exe.
NACHRICHT=$(dirname "$EXE")/Nachricht.exe
OUT=$(realpath -m "$3")/$CASE
SEEDS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/seeds
PROGRAMM='C:\Programme\Endwart\Endwart.exe'
RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
STORE='HKCU\Software\RHM\Endungswart'

export WINEDEBUG=-all
# No Mono or Gecko installer dialogs in a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

FEHLER=0
pass() { printf 'PASS  %s: %s\n' "$CASE" "$*"; }
fail() { printf 'FAIL  %s: %s\n' "$CASE" "$*"; FEHLER=1; }
# pruefe TEXT COMMAND...: passes TEXT when the command succeeds.
pruefe() { local text=$1; shift; if "$@" >/dev/null; then pass "$text"; else fail "$text"; fi; }

# Windows sees the whole Unix tree as drive Z:.
winpfad() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

# --- display and prefix ------------------------------------------------------------------------

# Cases run side by side, and a key typed for one case's message box would otherwise land in
# the box of another, whichever has the focus. Xvfb picks a free display itself and writes its
# number once it takes connections.
XVFB_PID=""
eigene_anzeige() {
    : >"$OUT/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$OUT/display" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$OUT/display" ] && break; sleep 0.1; done
    [ -s "$OUT/display" ] || { echo "FAIL  $CASE: no X server started"; exit 1; }
    export DISPLAY=":$(tr -dc 0-9 <"$OUT/display")"
}

# A prefix that reports Windows 95 to the program, with the program installed and base.reg in.
eigener_praefix() {
    export WINEPREFIX=$OUT/prefix
    wineboot --init >/dev/null 2>&1
    {
        wine reg add 'HKCU\Software\Wine\AppDefaults\Endwart.exe' /v Version /d win95 /f
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
        # A crash must end the process with its code, not wait in winedbg's dialog.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
    } >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/Programme/Endwart"
    cp "$EXE" "$WINEPREFIX/drive_c/Programme/Endwart/Endwart.exe"
    saat "$SEEDS/base.reg"
}

aufraeumen() {
    if [ -n "${WINEPREFIX:-}" ]; then
        local tmp
        tmp=$(cat "$WINEPREFIX/wineserver" 2>/dev/null)
        wineserver -k >/dev/null 2>&1
        wineserver -w >/dev/null 2>&1
        rm -rf "$WINEPREFIX"
        # The server directory Wine made for this prefix alone.
        case $tmp in wine-??????) rm -rf "${TMPDIR:-/tmp}/$tmp" ;; esac
    fi
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
}
trap aufraeumen EXIT

# saat FILE: imports a .reg file written in UTF-8; REGEDIT4 wants the ANSI code page.
saat() {
    local ansi=$OUT/import.$(basename "$1")
    iconv -f UTF-8 -t CP1252 "$1" >"$ansi" && wine reg import "$(winpfad "$ansi")" >/dev/null 2>&1 ||
        fail "cannot import $(basename "$1")"
}

# reg_wert KEY VALUE: the data of one REG_SZ value, the default one for an empty name.
reg_wert() {
    local wahl=(/v "$2")
    [ -n "$2" ] || wahl=(/ve)
    wine reg query "$1" "${wahl[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^.* REG_SZ *//p'
}

# abzug NAME: exports the program's own key and the Run key into $OUT/NAME.
abzug() {
    local t
    for t in "$STORE" "$RUN"; do
        wine reg export "$t" "$(winpfad "$OUT/tmp.reg")" /y >/dev/null 2>&1 && cat "$OUT/tmp.reg"
    done >"$OUT/$1"
}

# --- running the program -----------------------------------------------------------------------

RC=0
PID=""
starten() {
    echo "== $PROGRAMM $*" >>"$OUT/program.log"
    wine "$PROGRAMM" "$@" >>"$OUT/program.log" 2>&1 &
    PID=$!
}

# The program's visible top-level windows with exactly this title.
fenster_von() { xdotool search --all --onlyvisible --pid "$PID" --name "^$1\$" 2>/dev/null; }

# warte_auf_fenster TITLE SECONDS: prints the first window id found, or fails.
warte_auf_fenster() {
    local bis=$((SECONDS + $2)) w
    while [ $SECONDS -lt $bis ] && kill -0 "$PID" 2>/dev/null; do
        w=$(fenster_von "$1" | head -n 1)
        [ -n "$w" ] && { printf '%s' "$w"; return 0; }
        sleep 0.1
    done
    return 1
}

# anzahl_binnen TITLE SECONDS TEST N: true once the number of shown windows of that title
# passes [ number TEST N ] (-le, -ge, ...).
anzahl_binnen() {
    local bis=$((SECONDS + $2))
    while [ $SECONDS -lt $bis ]; do
        [ "$(fenster_von "$1" | wc -l)" "$3" "$4" ] && return 0
        sleep 0.1
    done
    return 1
}
weg_binnen() { anzahl_binnen "$1" "$2" -eq 0; }

# endet_binnen SECONDS: true when the program ends in time; sets RC, 124 when it had to be killed.
endet_binnen() {
    local bis=$((SECONDS + $1))
    while kill -0 "$PID" 2>/dev/null; do
        if [ $SECONDS -ge $bis ]; then
            kill "$PID" 2>/dev/null
            wait "$PID" 2>/dev/null
            RC=124
            return 1
        fi
        sleep 0.1
    done
    wait "$PID"
    RC=$?
}

# The close box's request to every window of the program.
schliessen_wie_der_benutzer() {
    wine taskkill /im Endwart.exe >/dev/null 2>&1
    endet_binnen 20
}

# --- cases -------------------------------------------------------------------------------------

fall_full_cycle() {
    saat "$SEEDS/full_cycle.reg"
    local w versuch run

    # 1. The first interactive start welcomes the user and takes the sample types.
    starten
    if w=$(warte_auf_fenster 'Willkommen bei Endungswart!' 30); then
        pass "welcome box shown"
        for versuch in 1 2 3; do
            xdotool key --window "$w" Return 2>/dev/null
            sleep 0.5
            [ -z "$(fenster_von 'Willkommen bei Endungswart!')" ] && break
        done
    else
        fail "welcome box shown"
    fi
    pruefe "main window shown" warte_auf_fenster Endungswart 20
    schliessen_wie_der_benutzer
    pruefe "closed by request with exit code 0" [ "$RC" -eq 0 ]
    pruefe "TXT is in the store" [ "$(reg_wert "$STORE\\Classes\\TXT" Oeffnen)" = 'C:\WINDOWS\NOTEPAD.EXE %1' ]
    pruefe "INI is in the store" [ "$(reg_wert "$STORE\\Classes\\INI" Bezeichnung)" = Konfigurationseinstellungen ]
    pruefe "FirstStart written as False" [ "$(reg_wert "$STORE\\Startup" FirstStart)" = False ]
    pruefe "no Run entry while autostart is off" [ -z "$(reg_wert "$RUN" Endungswart)" ]

    # 2. Autostart switched on in the registry; the next close brings the Run entry in line.
    wine reg add "$STORE\\Optionen" /v Autostart /d 1 /f >/dev/null 2>&1
    starten
    pruefe "second start shows the main window" warte_auf_fenster Endungswart 30
    schliessen_wie_der_benutzer
    run=$(reg_wert "$RUN" Endungswart)
    pruefe "Run entry \"$run\"" [ "$run" = 'C:\Programme\Endwart\Endwart.EXE /autostart' ]
    pruefe "the other program's Run entry is untouched" \
        [ "$(reg_wert "$RUN" 'Anderes Programm')" = 'C:\Anderes\anderes.exe /still' ]

    # 3. Another program changes .TXT; the system start runs the Run entry, which puts it back
    # and writes no settings.
    wine reg add 'HKCR\txtfile' /ve /d 'Fremdes Format' /f >/dev/null 2>&1
    wine reg add 'HKCR\txtfile\shell\open\command' /ve /d 'C:\Fremd\fremd.exe "%1"' /f >/dev/null 2>&1
    abzug vorher
    timeout 60 wine ${run% /autostart} /autostart >>"$OUT/program.log" 2>&1
    pruefe "the system start's run ended with exit code 0" [ $? -eq 0 ]
    abzug nachher
    pruefe "HKCR\\txtfile restored" [ "$(reg_wert 'HKCR\txtfile' '')" = Textdatei ]
    pruefe "the open command restored" \
        [ "$(reg_wert 'HKCR\txtfile\shell\open\command' '')" = 'C:\WINDOWS\NOTEPAD.EXE %1' ]
    pruefe "the store and the Run key unchanged" cmp -s "$OUT/vorher" "$OUT/nachher"
    pruefe "the dumps are not empty" [ -s "$OUT/nachher" ]
}

fall_single_instance() {
    wine reg add "$STORE\\Startup" /v FirstStart /d False /f >/dev/null 2>&1
    starten
    local erster=$PID zweiter
    pruefe "first instance shows its main window" warte_auf_fenster Endungswart 30
    # A second start hands over to the first one, silently, and ends.
    starten
    zweiter=$PID
    pruefe "second start ends at once" endet_binnen 10
    pruefe "second start ended with exit code 0" [ "$RC" -eq 0 ]
    pruefe "second start showed no window" [ -z "$(xdotool search --all --onlyvisible --pid "$zweiter" --name . 2>/dev/null)" ]
    PID=$erster
    pruefe "first instance still runs" kill -0 "$PID"
    pruefe "one main window" [ "$(fenster_von Endungswart | wc -l)" -eq 1 ]
    schliessen_wie_der_benutzer
}

# Keys alone, from the start: the list has the focus, and has it again after a save.
fall_keyboard() {
    saat "$SEEDS/keyboard.reg"
    # The progress window holds each type for a second, long enough to be seen going.
    wine reg add "$STORE\\Optionen" /v Speichermeldung /d 1 /f >/dev/null 2>&1
    wine reg add "$STORE\\Optionen" /v SpeichernPause /d 1 /f >/dev/null 2>&1
    starten
    pruefe "main window shown" warte_auf_fenster Endungswart 30
    sleep 1
    xdotool key Home Return
    pruefe "Home and Return open \"Ändern\" right after the start" warte_auf_fenster 'Ändern' 10
    xdotool key Escape
    pruefe "Escape closes it" weg_binnen 'Ändern' 10

    xdotool key ctrl+s
    pruefe "Ctrl+S asks" warte_auf_fenster 'Endungswart - Speichern' 10
    xdotool key Return
    pruefe "Return answers the question" weg_binnen 'Endungswart - Speichern' 10
    # The progress window, titled like the main window, comes and goes.
    pruefe "the progress window shown" anzahl_binnen Endungswart 10 -ge 2
    pruefe "the progress window closed" anzahl_binnen Endungswart 20 -le 1
    pruefe "the save wrote the types" [ "$(reg_wert 'HKCR\txtfile' '')" = Textdatei ]
    xdotool key Down Return
    pruefe "after the save Down and Return open \"Ändern\" again" warte_auf_fenster 'Ändern' 10
    xdotool key Escape
    weg_binnen 'Ändern' 10
    schliessen_wie_der_benutzer
    pruefe "closed with exit code 0" [ "$RC" -eq 0 ]
}

# --- closing and shutting down while the program works ------------------------------------------

# An own key, so that a failed import of the seed cannot pass for the program's doing.
T_ANZAHL=20
t_namen() { local i; for ((i = 10; i < 10 + T_ANZAHL; i++)); do printf 'T%d\n' "$i"; done; }

# t_saat OPTION=VALUE...: the watched types T10..T29 with old values in HKEY_CLASSES_ROOT and
# new ones in the store, so that a save has to write every one of them; and the options.
t_saat() {
    local e o datei=$OUT/typen.reg
    {
        printf 'REGEDIT4\n\n[%s\\Startup]\n"FirstStart"="False"\n\n[%s\\Optionen]\n' "$STORE_REG" "$STORE_REG"
        for o in "$@"; do printf '"%s"="%s"\n' "${o%%=*}" "${o#*=}"; done
        printf '\n'
        for e in $(t_namen); do
            local k=${e,,}file
            printf '[HKEY_CLASSES_ROOT\\.%s]\n@="%s"\n\n' "${e,,}" "$k"
            printf '[HKEY_CLASSES_ROOT\\%s]\n@="Alt"\n\n' "$k"
            printf '[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]\n@="alt.exe %%1"\n\n' "$k"
            printf '[%s\\Classes\\%s]\n' "$STORE_REG" "$e"
            printf '"Bezeichnung"="Neu %s"\n"Oeffnen"="neu.exe %%1"\n"Symbol"=""\n\n' "$e"
        done
    } >"$datei"
    saat "$datei"
}

STORE_REG='HKEY_CURRENT_USER\Software\RHM\Endungswart'

# als_text KEY FILE: the key exported as plain text lines into $OUT/FILE.
als_text() {
    wine reg export "$1" "$(winpfad "$OUT/export.reg")" /y >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$OUT/export.reg" 2>/dev/null | tr -d '\r' >"$OUT/$2"
}

# alle_gespeichert: every T type holds its new values in the store, and the last one written
# holds them in HKEY_CLASSES_ROOT: the save ran to its end.
alle_gespeichert() {
    local e fehlt=0
    als_text "$STORE" store.txt
    for e in $(t_namen); do
        grep -q "^\"Bezeichnung\"=\"Neu $e\"" "$OUT/store.txt" || { fehlt=1; echo "  $e not in the store" >&2; }
    done
    e=$(t_namen | tail -n 1)
    [ "$(reg_wert "HKCR\\${e,,}file\\shell\\open\\command" '')" = 'neu.exe %1' ] ||
        { fehlt=1; echo "  $e not written" >&2; }
    return $fehlt
}

# speichern_lassen OPTION=VALUE...: seeds the types and options and starts the program; then
# chooses "Speichern" in its main window.
HAUPT=""
speichern_lassen() {
    t_saat Speichermeldung=1 SpeichernPause=0.2 Beenden=1 "$@"
    starten
    HAUPT=$(warte_auf_fenster Endungswart 30) || { fail "main window shown"; return 1; }
    # The menu command itself: a key sent before the window takes keys would be lost, and the
    # keys have a case of their own.
    sleep 0.5
    nachricht save >/dev/null || { fail "save chosen"; return 1; }
}

# druecken WINDOW KEY: presses the key in the window until it goes; a key sent before the
# window takes the focus is lost.
druecken() {
    local versuch
    for versuch in 1 2 3 4 5; do
        xdotool key --window "$1" "$2" 2>/dev/null
        sleep 0.5
        xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
        [ -z "$(xdotool search --all --onlyvisible --pid "$PID" --name . 2>/dev/null | grep -x "$1")" ] && return 0
    done
    return 1
}

# mit_frage_schliessen TITLE KEY: once the box is up, the main window gets a close request,
# and then the box its answer.
mit_frage_schliessen() {
    local w
    w=$(warte_auf_fenster "$1" 20) || { fail "box \"$1\" shown"; return 1; }
    nachricht close >/dev/null
    sleep 0.5
    pruefe "$1: still running with the question up" laeuft
    druecken "$w" "$2" || fail "$1 answered"
}

laeuft() { kill -0 "$PID" 2>/dev/null; }

nachricht() { wine "$(winpfad "$NACHRICHT")" "$1" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# Ends with checks that the close was carried out after the save, and that it lost nothing.
nach_dem_speichern() {
    pruefe "$1: closed after the save, exit code 0" endet_binnen 60
    pruefe "$1: exit code 0" [ "$RC" -eq 0 ]
    pruefe "$1: every type written and stored" alle_gespeichert
}

fall_close_during_save() {
    [ -f "$NACHRICHT" ] || { fail "no $NACHRICHT"; return; }

    # 1. During the shared key's question; No declines that one type.
    printf 'REGEDIT4\n\n[HKEY_CLASSES_ROOT\\.jpg]\n@="jpegfile"\n\n[HKEY_CLASSES_ROOT\\.jpeg]\n@="jpegfile"\n\n[HKEY_CLASSES_ROOT\\jpegfile]\n@="JPEG-Bild"\n\n[HKEY_CLASSES_ROOT\\jpegfile\\shell\\open\\command]\n@="bild.exe %%1"\n\n[%s\\Classes\\JPG]\n"Bezeichnung"="Foto"\n"Oeffnen"="foto.exe %%1"\n"Symbol"=""\n' \
        "HKEY_CURRENT_USER\\Software\\RHM\\Endungswart" >"$OUT/jpg.reg"
    saat "$OUT/jpg.reg"
    speichern_lassen Sicherheitsabfrage=0 || return
    mit_frage_schliessen 'Endungswart - Speichern' Return
    nach_dem_speichern "shared key"
    pruefe "shared key: the declined type left the store" [ -z "$(reg_wert "$STORE\\Classes\\JPG" Oeffnen)" ]
    pruefe "shared key: its class key unchanged" [ "$(reg_wert 'HKCR\jpegfile' '')" = JPEG-Bild ]

    # 2. During the confirmation question: the close waits for the answer, and Ja saves.
    speichern_lassen Sicherheitsabfrage=1 || return
    mit_frage_schliessen 'Endungswart - Speichern' Return
    nach_dem_speichern question

    # 3. Inside a pause of the progress window.
    speichern_lassen Sicherheitsabfrage=0 || return
    sleep 1.5
    nachricht close >/dev/null
    nach_dem_speichern pause

    # 4. A shut-down during the save is refused; the program closes once the save is done.
    speichern_lassen Sicherheitsabfrage=0 || return
    sleep 1.5
    local antwort
    antwort=$(nachricht shutdown)
    pruefe "shut-down: refused while saving ($antwort)" [ "$antwort" = "WM_QUERYENDSESSION: FALSE" ]
    nach_dem_speichern shut-down
}

fall_close_during_first_start() {
    [ -f "$NACHRICHT" ] || { fail "no $NACHRICHT"; return; }
    saat "$SEEDS/full_cycle.reg"
    cat >"$OUT/eigen.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\RHM\Endungswart\Startup]
"FirstStart"="maybe"

[HKEY_CURRENT_USER\Software\RHM\Endungswart\Classes\TXT]
"Bezeichnung"="Meine Texte"
"Oeffnen"="C:\\Editor\\edit.exe %1"
"Symbol"=""

[HKEY_CURRENT_USER\Software\RHM\Endungswart\Classes\JPG]
"Bezeichnung"="Meine Fotos"
"Oeffnen"="C:\\Bilder\\foto.exe %1"
"Symbol"=""

[HKEY_CURRENT_USER\Software\RHM\Endungswart\Classes\BMP]
"Bezeichnung"="Meine Bilder"
"Oeffnen"="C:\\Bilder\\paint.exe %1"
"Symbol"=""
REG
    saat "$OUT/eigen.reg"
    starten
    local w
    if w=$(warte_auf_fenster 'Willkommen bei Endungswart!' 30); then
        pruefe "close posted to the hidden main window" nachricht close
        sleep 0.5
        xdotool key --window "$w" Return 2>/dev/null
    else
        fail "welcome box shown"
    fi
    pruefe "ends after the welcome" endet_binnen 20
    pruefe "exit code 0" [ "$RC" -eq 0 ]
    als_text "$STORE" store.txt
    pruefe "TXT keeps the user's values" [ "$(reg_wert "$STORE\\Classes\\TXT" Oeffnen)" = 'C:\Editor\edit.exe %1' ]
    pruefe "no sample type added" [ -z "$(reg_wert "$STORE\\Classes\\INI" Oeffnen)" ]
    pruefe "the store holds the three types" \
        [ "$(grep -c '^\[HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Classes\\' "$OUT/store.txt")" -eq 3 ]
    pruefe "the first start comes again" [ "$(reg_wert "$STORE\\Startup" FirstStart)" = maybe ]
}

fall_protokoll() {
    saat "$SEEDS/full_cycle.reg"
    local log="$WINEPREFIX/drive_c/Programme/Endwart/Endwart.log" w zeile
    local status="$(dirname "$EXE")/e2e-werkzeug/statuszeile.exe"
    wine reg add "$STORE\\Startup" /v FirstStart /d False /f >/dev/null 2>&1
    wine reg add "$STORE\\Classes\\TXT" /v Bezeichnung /d Textdatei /f >/dev/null 2>&1
    wine reg add "$STORE\\Classes\\TXT" /v Oeffnen /d 'C:\WINDOWS\NOTEPAD.EXE %1' /f >/dev/null 2>&1
    # Another program takes .txt over.
    wine reg add 'HKCR\txtfile\shell\open\command' /ve /d 'C:\Fremd\fremd.exe "%1"' /f >/dev/null 2>&1

    timeout 60 wine "$PROGRAMM" /autostart >>"$OUT/program.log" 2>&1
    pruefe "the system start's run ended with exit code 0" [ $? -eq 0 ]
    pruefe "the open command restored" \
        [ "$(reg_wert 'HKCR\txtfile\shell\open\command' '')" = 'C:\WINDOWS\NOTEPAD.EXE %1' ]
    pruefe "the log has exactly one line" [ "$(wc -l <"$log" 2>/dev/null)" = 1 ]
    zeile=$(iconv -f CP1252 -t UTF-8 "$log" 2>/dev/null | tr -d '\r')
    pruefe "that line is the changed open command: $zeile" grep -qxP \
        '\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\tTXT\tÖffnen mit\tC:\\Fremd\\fremd\.exe "%1"\tC:\\WINDOWS\\NOTEPAD\.EXE %1' <<<"$zeile"
    cp "$log" "$OUT/log.1" 2>/dev/null
    timeout 60 wine "$PROGRAMM" /autostart >>"$OUT/program.log" 2>&1
    pruefe "a second system start adds nothing" cmp -s "$log" "$OUT/log.1"

    # The next interactive start tells, until the log has been opened with Ctrl+P.
    starten
    if w=$(warte_auf_fenster Endungswart 30); then
        sleep 1
        pruefe "the status bar tells of the change" [ "$(wine "$status" 2>/dev/null | iconv -f CP1252 -t UTF-8)" = \
            '1 Änderung(en) anderer Programme rückgängig gemacht – Protokoll: Strg+P' ]
        xdotool key --window "$w" ctrl+p 2>/dev/null
        if w=$(warte_auf_fenster Protokoll 20); then
            pass "Ctrl+P opens the log"
            xdotool key --window "$w" Escape 2>/dev/null
            sleep 1
        else
            fail "Ctrl+P opens the log"
        fi
        pruefe "then the status bar shows the types again" [ "$(wine "$status" 2>/dev/null)" = '1 Dateityp(en)' ]
    else
        fail "main window shown"
    fi
    schliessen_wie_der_benutzer
    pruefe "the time seen is stored" [ "$(reg_wert "$STORE\\Startup" ProtokollGesehen)" = "${zeile:0:19}" ]
}

# --- main --------------------------------------------------------------------------------------

if ! declare -F "fall_$CASE" >/dev/null; then
    echo "unknown case: $CASE" >&2
    exit 64
fi
rm -rf "$OUT"
mkdir -p "$OUT"
START=$SECONDS
eigene_anzeige
eigener_praefix
"fall_$CASE"
if [ $FEHLER -eq 0 ]; then
    echo "PASSED $CASE ($((SECONDS - START))s)"
else
    echo "FAILED $CASE ($((SECONDS - START))s)"
fi
exit $FEHLER
