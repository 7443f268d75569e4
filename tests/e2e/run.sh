#!/usr/bin/env bash
# End-to-end cases: Endwart.exe runs as its own process in a fresh Wine prefix and on an X
# server of its own, driven with xdotool, and the registry is read before and after.
#
#   run.sh CASE EXE WORKDIR
#
# WORKDIR keeps one folder per case with its program log and registry dumps.
set -u -o pipefail

CASE=$1
EXE=$(realpath "$2")
# Sends the program what another program or a shut-down would; built beside Endwart.exe.
NACHRICHT=$(dirname "$EXE")/Nachricht.exe
OUT=$(realpath -m "$3")/$CASE
SEEDS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/seeds
PROGRAMM='C:\Programme\Endwart\Endwart.exe'
RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
STORE='HKCU\Software\RHM\Endungswart'
STORE_REG='HKEY_CURRENT_USER\Software\RHM\Endungswart'

export WINEDEBUG=-all
# No Mono or Gecko installer dialogs in a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

FEHLER=0
pass() { printf 'PASS  %s: %s\n' "$CASE" "$*"; }
fail() { printf 'FAIL  %s: %s\n' "$CASE" "$*"; FEHLER=1; }
# pruefe TEXT COMMAND...: passes TEXT when the command succeeds, and returns its verdict.
pruefe() { local text=$1; shift; if "$@" >/dev/null; then pass "$text"; else fail "$text"; return 1; fi; }
# wert_ist TEXT KEY VALUE EXPECTED: checks one REG_SZ value ("" for the default one).
wert_ist() { pruefe "$1" [ "$(reg_wert "$2" "$3")" = "$4" ]; }

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

# The prefix that every case starts from, made once a run by the case "vorlage", which CTest
# runs before the others: a copy takes a fraction of wineboot's seconds.
VORLAGE=$(realpath -m "$3")/vorlage/prefix

# A prefix that reports Windows 95 to the program, with the program installed and base.reg in:
# a copy of the template where there is one, else made here.
eigener_praefix() {
    export WINEPREFIX=$OUT/prefix
    if [ "$CASE" != vorlage ] && [ -f "$VORLAGE/user.reg" ]; then
        cp -a "$VORLAGE" "$WINEPREFIX"
        # The name of the template's server: without it the copy gets a server of its own.
        rm -f "$WINEPREFIX/wineserver"
        wineserver -p >/dev/null 2>&1
    else
        # One wine server for the whole case. Without it the server ends whenever no Wine
        # process runs, and one started while it goes down may end at once with code 0, its
        # work undone.
        mkdir -p "$WINEPREFIX"
        wineserver -p >/dev/null 2>&1
        wineboot --init >/dev/null 2>&1
        reg_setzen 'HKCU\Software\Wine\AppDefaults\Endwart.exe' Version win95
        reg_setzen 'HKCU\Software\Wine\X11 Driver' Managed N
        # A crash must end the process with its code, not wait in winedbg's dialog.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        saat "$SEEDS/base.reg"
    fi
    mkdir -p "$WINEPREFIX/drive_c/Programme/Endwart"
    cp "$EXE" "$WINEPREFIX/drive_c/Programme/Endwart/Endwart.exe"
}

aufraeumen() {
    if [ -n "${WINEPREFIX:-}" ]; then
        local tmp
        tmp=$(cat "$WINEPREFIX/wineserver" 2>/dev/null)
        wineserver -k >/dev/null 2>&1
        wineserver -w >/dev/null 2>&1
        [ "$CASE" = vorlage ] || rm -rf "$WINEPREFIX"
        # The server directory Wine made for this prefix alone.
        case $tmp in wine-??????) rm -rf "${TMPDIR:-/tmp}/$tmp" ;; esac
    fi
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
}
trap aufraeumen EXIT

# --- the registry ------------------------------------------------------------------------------

# saat FILE: imports a .reg file written in UTF-8; REGEDIT4 wants the ANSI code page.
saat() {
    local ansi=$OUT/import.$(basename "$1")
    iconv -f UTF-8 -t CP1252 "$1" >"$ansi" && wine reg import "$(winpfad "$ansi")" >/dev/null 2>&1 ||
        fail "cannot import $(basename "$1")"
}

# reg_setzen KEY VALUE DATA / reg_wert KEY VALUE: one REG_SZ value, the default one for "".
wahl() { WAHL=(/ve); [ -z "$1" ] || WAHL=(/v "$1"); }
reg_setzen() { wahl "$2"; wine reg add "$1" "${WAHL[@]}" /d "$3" /f >/dev/null 2>&1; }
reg_wert() { wahl "$2"; wine reg query "$1" "${WAHL[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^.* REG_SZ *//p'; }

# exportiert KEY: the key and its subkeys as text; nothing when it is not there.
exportiert() {
    rm -f "$OUT/export.reg"
    wine reg export "$1" "$(winpfad "$OUT/export.reg")" /y >/dev/null 2>&1 &&
        iconv -f UTF-16 -t UTF-8 "$OUT/export.reg" 2>/dev/null | tr -d '\r'
}

# abzug NAME: the program's own key and the Run key into $OUT/NAME.
abzug() { { exportiert "$STORE"; exportiert "$RUN"; } >"$OUT/$1"; }

# --- running the program -----------------------------------------------------------------------

RC=0
PID=""
starten() {
    echo "== $PROGRAMM" >>"$OUT/program.log"
    wine "$PROGRAMM" >>"$OUT/program.log" 2>&1 &
    PID=$!
}
laeuft() { kill -0 "$PID" 2>/dev/null; }

# systemstart [PROGRAM]: the run that the Run entry starts at system start; true on exit code 0.
systemstart() { timeout 60 wine "${1-$PROGRAMM}" /autostart >>"$OUT/program.log" 2>&1; }

nachricht() { wine "$(winpfad "$NACHRICHT")" "$1" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# binnen SECONDS COMMAND...: true once the command succeeds, tried every tenth of a second.
binnen() {
    local bis=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $bis ] || return 1
        sleep 0.1
    done
}

# The program's visible top-level windows, all or with exactly this title.
fenster_von() { xdotool search --all --onlyvisible --pid "$PID" --name "^${1:-.*}\$" 2>/dev/null; }
# anzahl TITLE TEST N: the number of such windows passes [ number TEST N ] (-le, -ge, ...).
anzahl() { test "$(fenster_von "$1" | wc -l)" "$2" "$3"; }
beendet() { ! laeuft; }
da_oder_beendet() { W=$(fenster_von "$1" | head -n 1); [ -n "$W" ] || beendet; }

# fenster TITLE SECONDS: waits for a shown window of that title and keeps its id in W; fails,
# and says why, when none comes up in time.
W=""
fenster() {
    binnen "$2" da_oder_beendet "$1"
    [ -n "$W" ] && return 0
    laeuft && echo "  no window \"$1\" within $2 s" >&2 && return 1
    wait "$PID"
    echo "  the program ended, exit code $?, without a window \"$1\"" >&2
    return 1
}

# endet_binnen SECONDS: true when the program ends in time; sets RC, 124 when it had to be
# killed, and then names the windows it still showed.
endet_binnen() {
    local w
    binnen "$1" beendet && { wait "$PID"; RC=$?; return 0; }
    for w in $(fenster_von); do echo "  still shown: \"$(xdotool getwindowname "$w")\"" >&2; done
    kill "$PID" 2>/dev/null
    wait "$PID" 2>/dev/null
    RC=124
    return 1
}

endet_mit_null() { endet_binnen "$1" && [ "$RC" -eq 0 ]; }

# The close box's request to every window of the program, which must end it with exit code 0.
schliessen_wie_der_benutzer() {
    wine taskkill /im Endwart.exe >/dev/null 2>&1
    pruefe "${1:-}closed by request with exit code 0" endet_mit_null 20
}

# tippen TITLE KEY...: types the keys as the user does, once the program's window of that title
# is in front, into whatever the program gave the focus there. A window shows before it is
# activated, and without a window manager nobody hands the X focus back when a dialog closes:
# under load Wine's own request for it can come too late and be dropped, the X focus stays on
# the root window, and keys go nowhere. Wine keeps the program's own focus when the X focus
# comes back, so the keys still test that.
vorn() { [ "$(nachricht vorn | iconv -f CP1252 -t UTF-8)" = "$1" ]; }
tippen() {
    local titel=$1 x
    shift
    binnen 10 vorn "$titel" || echo "  \"$titel\" is not in front" >&2
    x=$(fenster_von "$titel" | head -n 1)
    [ -z "$x" ] || timeout 5 xdotool windowfocus --sync "$x" 2>/dev/null
    xdotool key "$@"
}

# --- cases -------------------------------------------------------------------------------------

# The program's life over four runs, the log's included. What an interactive start makes of the
# log that the system start wrote is a unit test.
fall_full_cycle() {
    saat "$SEEDS/full_cycle.reg"
    local run zeile log="$WINEPREFIX/drive_c/Programme/Endwart/Endwart.log"

    # 0. On Windows NT the program says that it needs Windows 95 and does nothing else.
    reg_setzen 'HKCU\Software\Wine\AppDefaults\Endwart.exe' Version winxp
    starten
    pruefe "on NT a message box comes up" fenster Endungswart 30 && tippen Endungswart Return
    pruefe "and its OK ends the program" endet_binnen 15
    wert_ist "without a first start" "$STORE\\Startup" FirstStart ""
    reg_setzen 'HKCU\Software\Wine\AppDefaults\Endwart.exe' Version win95

    # 1. The first interactive start welcomes the user and takes the sample types.
    starten
    pruefe "welcome box shown" fenster 'Willkommen bei Endungswart!' 30 &&
        tippen 'Willkommen bei Endungswart!' Return
    pruefe "main window shown" fenster Endungswart 20
    schliessen_wie_der_benutzer
    wert_ist "TXT is in the store" "$STORE\\Classes\\TXT" Oeffnen 'C:\WINDOWS\NOTEPAD.EXE %1'
    wert_ist "FirstStart written as False" "$STORE\\Startup" FirstStart False

    # 2. Autostart switched on in the registry; the next close brings the Run entry in line. A
    # start while it runs hands over to it, silently, and ends.
    reg_setzen "$STORE\\Optionen" Autostart 1
    starten
    pruefe "second start shows the main window" fenster Endungswart 30
    local erster=$PID
    starten
    pruefe "a start beside it ends at once with exit code 0" endet_mit_null 10
    PID=$erster
    pruefe "the second start still runs with its one main window" anzahl Endungswart -eq 1
    schliessen_wie_der_benutzer "second start "
    run=$(reg_wert "$RUN" Endungswart)
    pruefe "Run entry \"$run\"" [ "$run" = 'C:\Programme\Endwart\Endwart.EXE /autostart' ]
    wert_ist "the other program's Run entry is untouched" "$RUN" 'Anderes Programm' 'C:\Anderes\anderes.exe /still'

    # 3. Another program changes .TXT; the system start runs the Run entry, which puts it back,
    # logs it in one line and writes no settings.
    reg_setzen 'HKCR\txtfile\shell\open\command' "" 'C:\Fremd\fremd.exe "%1"'
    abzug vorher
    pruefe "the system start's run ended with exit code 0" systemstart "${run% /autostart}"
    abzug nachher
    wert_ist "the open command restored" 'HKCR\txtfile\shell\open\command' "" 'C:\WINDOWS\NOTEPAD.EXE %1'
    pruefe "the store and the Run key unchanged" cmp -s "$OUT/vorher" "$OUT/nachher"
    pruefe "the dumps are not empty" [ -s "$OUT/nachher" ]
    pruefe "the log has exactly one line" [ "$(wc -l <"$log" 2>/dev/null)" = 1 ]
    zeile=$(iconv -f CP1252 -t UTF-8 "$log" 2>/dev/null | tr -d '\r')
    pruefe "that line is the changed open command: $zeile" grep -qxP \
        '\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\tTXT\tÖffnen mit\tC:\\Fremd\\fremd\.exe "%1"\tC:\\WINDOWS\\NOTEPAD\.EXE %1' <<<"$zeile"
    cp "$log" "$OUT/log.1" 2>/dev/null
    systemstart
    pruefe "a second system start adds nothing" cmp -s "$log" "$OUT/log.1"
}

# Keys alone, from the start: the list has the focus, and has it again after a save.
fall_keyboard() {
    saat "$SEEDS/keyboard.reg"
    starten
    pruefe "main window shown" fenster Endungswart 30
    sleep 1
    tippen Endungswart Home Return
    pruefe "Home and Return open \"Ändern\" right after the start" fenster 'Ändern' 10
    tippen 'Ändern' Escape
    pruefe "Escape closes it" binnen 10 anzahl 'Ändern' -eq 0

    tippen Endungswart ctrl+s
    pruefe "Ctrl+S asks" fenster 'Endungswart - Speichern' 10
    tippen 'Endungswart - Speichern' Return
    pruefe "Return answers the question" binnen 10 anzahl 'Endungswart - Speichern' -eq 0
    # The progress window, titled like the main window, comes and goes.
    pruefe "the progress window shown" binnen 10 anzahl Endungswart -ge 2
    pruefe "the progress window closed" binnen 20 anzahl Endungswart -le 1
    wert_ist "the save wrote the types" 'HKCR\txtfile' "" Textdatei
    tippen Endungswart Down Return
    pruefe "after the save Down and Return open \"Ändern\" again" fenster 'Ändern' 10
    tippen 'Ändern' Escape
    binnen 10 anzahl 'Ändern' -eq 0
    schliessen_wie_der_benutzer
}

# --- closing and shutting down while the program works ------------------------------------------
# Inside the program the same moments are tested with stand-ins for the message boxes and the
# clock; here the real ones run, with the requests coming from another process.

# Own keys, so that a failed import of the seed cannot pass for the program's doing.
T_NAMEN=$(seq -f 'T%g' 10 29)

# t_saat OPTION=VALUE...: the watched types T10..T29 with old values in HKEY_CLASSES_ROOT and
# new ones in the store, so that a save has to write every one of them; and the options.
t_saat() {
    local e k o
    {
        printf 'REGEDIT4\n\n[%s\\Startup]\n"FirstStart"="False"\n\n[%s\\Optionen]\n' "$STORE_REG" "$STORE_REG"
        for o in "$@"; do printf '"%s"="%s"\n' "${o%%=*}" "${o#*=}"; done
        for e in $T_NAMEN; do
            k=${e,,}file
            printf '\n[HKEY_CLASSES_ROOT\\.%s]\n@="%s"\n\n[HKEY_CLASSES_ROOT\\%s]\n@="Alt"\n\n' "${e,,}" "$k" "$k"
            printf '[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]\n@="alt.exe %%1"\n\n' "$k"
            printf '[%s\\Classes\\%s]\n"Bezeichnung"="Neu %s"\n"Oeffnen"="neu.exe %%1"\n"Symbol"=""\n' "$STORE_REG" "$e" "$e"
        done
    } >"$OUT/typen.reg"
    saat "$OUT/typen.reg"
}

# alle_gespeichert: every T type holds its new values in the store, and the last one written
# holds them in HKEY_CLASSES_ROOT: the save ran to its end.
alle_gespeichert() {
    [ "$(exportiert "$STORE" | grep -c '^"Bezeichnung"="Neu T')" = 20 ] &&
        [ "$(reg_wert 'HKCR\t29file\shell\open\command' '')" = 'neu.exe %1' ]
}

# The program starts over the T types and the shared key, and "Speichern" is chosen in its
# menu. A close comes while the save's first question (the shared key's) is up, which Return
# then answers with No; a shut-down comes while the progress window shows, inside one of its
# pauses, which the program must refuse. The program must close once the save is done, and lose
# nothing. Each request alone closing the program after a save is a unit test.
fall_close_during_save() {
    local antwort
    saat "$SEEDS/close_during_save.reg"
    t_saat Speichermeldung=1 SpeichernPause=0.2 Beenden=1 Sicherheitsabfrage=0
    starten
    pruefe "main window shown" fenster Endungswart 30 || return
    # The menu command itself, not its key: the keys have a case of their own.
    sleep 0.5
    pruefe "save chosen" nachricht save || return
    pruefe "the question shown" fenster 'Endungswart - Speichern' 20 || return
    nachricht close >/dev/null
    sleep 0.5
    pruefe "still running with the question up" laeuft
    tippen 'Endungswart - Speichern' Return
    pruefe "the question answered" binnen 10 anzahl 'Endungswart - Speichern' -eq 0
    # Waiting for the progress window rather than for a fixed time: under load the save may
    # not have begun yet.
    pruefe "the progress window shown" binnen 20 anzahl Endungswart -ge 2 || return
    antwort=$(nachricht shutdown)
    pruefe "refused while saving ($antwort)" [ "$antwort" = "WM_QUERYENDSESSION: FALSE" ]
    pruefe "ends after the save with exit code 0" endet_mit_null 60
    pruefe "every type written and stored" alle_gespeichert
    wert_ist "the declined type left the store" "$STORE\\Classes\\JPG" Oeffnen ""
    wert_ist "its class key unchanged" 'HKCR\jpegfile' "" JPEG-Bild
}

# The template for the other cases: its server ends, and so writes the registry to disk.
fall_vorlage() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    pruefe "the template reports Windows 95 to the program" grep -q '^"Version"="win95"' "$WINEPREFIX/user.reg"
}

# --- main --------------------------------------------------------------------------------------

declare -F "fall_$CASE" >/dev/null || { echo "unknown case: $CASE" >&2; exit 64; }
rm -rf "$OUT"
mkdir -p "$OUT"
START=$SECONDS
eigene_anzeige
eigener_praefix
"fall_$CASE"
[ $FEHLER -eq 0 ] && echo "PASSED $CASE ($((SECONDS - START))s)" || echo "FAILED $CASE ($((SECONDS - START))s)"
exit $FEHLER
