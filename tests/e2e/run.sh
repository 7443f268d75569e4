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
