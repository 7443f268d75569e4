#!/usr/bin/env bash
# End-to-end cases: Endwart.exe runs as its own process in a fresh Wine prefix, on a registry
# seeded from .reg files, and the registry is compared before and after.
#
#   run.sh CASE EXE WORKDIR
#
# WORKDIR keeps the template prefix (made once, shared by parallel cases under a lock) and one
# folder per case with the registry dumps and screenshots of its last run.
set -u -o pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 CASE EXE WORKDIR" >&2
    exit 64
fi
CASE=$1
EXE=$(realpath "$2")
WORK=$(realpath -m "$3")
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SEEDS=$HERE/seeds
OUT=$WORK/$CASE
PROGRAMM='C:\Programme\Endwart\Endwart.exe'
PYTHON=/usr/bin/python3
[ -x "$PYTHON" ] || PYTHON=python3

export WINEDEBUG=-all
# No Mono or Gecko installer dialogs in a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
export PYTHONIOENCODING=utf-8
unset WINEPREFIX

FEHLER=0
pass() { printf 'PASS  %s: %s\n' "$CASE" "$*"; }
fail() { printf 'FAIL  %s: %s\n' "$CASE" "$*"; FEHLER=1; }
info() { printf '      %s\n' "$*"; }

# Long values would flood the log; show their start and length.
kurz() {
    local s=$1
    if [ ${#s} -gt 90 ]; then printf '%s... (%d characters)' "${s:0:60}" "${#s}"; else printf '%s' "$s"; fi
}

regdump() { "$PYTHON" "$HERE/regdump.py" "$@"; }

# Windows sees the whole Unix tree as drive Z:.
winpfad() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

# --- display -----------------------------------------------------------------------------------

# Every case has an X server of its own: cases run side by side, and a key typed for one
# case's message box would otherwise land in the box of another, whichever has the focus.
XVFB_PID=""
display_sicherstellen() {
    local nummer=$OUT/display
    : >"$nummer"
    # Xvfb picks a free display itself and writes its number once it takes connections.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$nummer" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$nummer" ] && break; sleep 0.1; done
    if [ ! -s "$nummer" ]; then
        echo "FAIL  $CASE: no X server started"
        exit 1
    fi
    export DISPLAY=":$(tr -dc 0-9 <"$nummer")"
}

# --- prefixes ----------------------------------------------------------------------------------

# Raise when the template's making changes, so that old templates are made anew.
VORLAGE_STAND=2

# The template prefix, made once per build directory. Parallel cases wait on the lock.
vorlage() {
    local tpl=$WORK/template
    mkdir -p "$WORK"
    exec 9>"$WORK/template.lock"
    flock 9
    if [ "$(cat "$tpl/.endwart-e2e" 2>/dev/null)" != "$VORLAGE_STAND" ]; then
        info "making the template prefix $tpl"
        rm -rf "$tpl"
        mkdir -p "$tpl"
        (
            export WINEPREFIX=$tpl
            wineboot --init >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\AppDefaults\Endwart.exe' /v Version /d win95 /f
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
            # A crash must end the process with its code, not wait in winedbg's dialog.
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
            # COM interface registrations are half of HKCR and no file type's business; without
            # them every export of HKCR takes half the time.
            wine reg delete 'HKCR\Interface' /f
            wine reg delete 'HKLM\Software\Classes\Wow6432Node\Interface' /f
            wineserver -w
        ) >/dev/null 2>&1
        # Copies make server directories of their own; the template's is not needed any more.
        local tmp
        tmp=$(cat "$tpl/wineserver" 2>/dev/null)
        case $tmp in wine-??????) rm -rf "${TMPDIR:-/tmp}/$tmp" ;; esac
        rm -f "$tpl/wineserver"
        if [ -f "$tpl/system.reg" ] && grep -qi 'win95' "$tpl/user.reg"; then
            echo "$VORLAGE_STAND" >"$tpl/.endwart-e2e"
        else
            flock -u 9
            echo "FAIL  $CASE: could not make the template prefix in $tpl"
            exit 1
        fi
    fi
    flock -u 9
    exec 9>&-
}

PREFIX=""
PREFIX_NAME=""
# neues_praefix NAME [unmarked]: a fresh copy of the template, the program installed in it.
neues_praefix() {
    praefix_ende
    PREFIX=$WORK/prefix.$CASE.$1.$$
    PREFIX_NAME=$1
    rm -rf "$PREFIX"
    cp -a "$WORK/template" "$PREFIX"
    # Without the template's note of its server directory, Wine makes a new one for this copy:
    # a copy that inherits a freed inode number can then never meet an old server.
    rm -f "$PREFIX/wineserver"
    export WINEPREFIX=$PREFIX
    wineserver -p
    mkdir -p "$PREFIX/drive_c/Programme/Endwart"
    cp "$EXE" "$PREFIX/drive_c/Programme/Endwart/Endwart.exe"
    if [ "${2:-}" = unmarked ]; then
        wine reg delete 'HKCU\Software\Wine\AppDefaults\Endwart.exe' /f >/dev/null 2>&1
    fi
    saat "$SEEDS/base.reg"
}

praefix_ende() {
    [ -n "$PREFIX" ] || return 0
    local tmp
    tmp=$(cat "$PREFIX/wineserver" 2>/dev/null)
    WINEPREFIX=$PREFIX wineserver -k >/dev/null 2>&1
    WINEPREFIX=$PREFIX wineserver -w >/dev/null 2>&1
    rm -rf "$PREFIX"
    # The server directory Wine made for this prefix alone.
    case $tmp in wine-??????) rm -rf "${TMPDIR:-/tmp}/$tmp" ;; esac
    PREFIX=""
}

aufraeumen() {
    praefix_ende
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
}
trap aufraeumen EXIT

# saat FILE...: imports .reg files written in UTF-8; REGEDIT4 wants the ANSI code page.
saat() {
    local f ansi
    for f in "$@"; do
        ansi=$OUT/import.$(basename "$f")
        iconv -f UTF-8 -t CP1252 "$f" >"$ansi" || { fail "cannot convert $f"; continue; }
        if ! wine reg import "$(winpfad "$ansi")" >/dev/null 2>&1; then
            fail "wine reg import $(basename "$f")"
        fi
    done
}

# dump NAME PART: the file of one dump; each prefix of a case keeps its own.
dump() { printf '%s/%s.%s.%s' "$OUT" "$PREFIX_NAME" "$1" "$2"; }

# abzug NAME: exports HKCR, the program's own key and the Run key into $OUT/NAME.*.
abzug() {
    local teil schluessel pids=()
    for teil in hkcr rhm run; do
        case $teil in
            hkcr) schluessel='HKEY_CLASSES_ROOT' ;;
            rhm) schluessel='HKEY_CURRENT_USER\Software\RHM' ;;
            run) schluessel='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run' ;;
        esac
        # A key that does not exist gives an empty dump.
        rm -f "$(dump "$1" "$teil")"
        wine reg export "$schluessel" "$(winpfad "$(dump "$1" "$teil")")" /y >>"$OUT/reg.log" 2>&1 &
        pids+=($!)
    done
    wait "${pids[@]}"
    for teil in hkcr rhm run; do [ -f "$(dump "$1" "$teil")" ] || : >"$(dump "$1" "$teil")"; done
}

# --- running the program -----------------------------------------------------------------------

jetzt() { date +%s.%N; }
seit() { awk -v a="$1" -v e="$(jetzt)" 'BEGIN { printf "%.1f", e - a }'; }

RC=0
DAUER=0
# autostart [TIMEOUT]: runs "Endwart.exe /autostart" to its end; sets RC and DAUER (seconds).
autostart() {
    local anfang
    anfang=$(jetzt)
    echo "== $PREFIX_NAME: $PROGRAMM /autostart" >>"$OUT/program.log"
    timeout "${1:-60}" wine "$PROGRAMM" /autostart >>"$OUT/program.log" 2>&1
    RC=$?
    DAUER=$(seit "$anfang")
    echo "== exit code $RC after ${DAUER}s" >>"$OUT/program.log"
}

PID=""
autostart_im_hintergrund() {
    echo "== $PREFIX_NAME: $PROGRAMM /autostart (in the background)" >>"$OUT/program.log"
    wine "$PROGRAMM" /autostart >>"$OUT/program.log" 2>&1 &
    PID=$!
}

# The program's visible top-level windows with exactly this title. Wine marks each X window
# with the Unix process id, which keeps a parallel case's windows out.
fenster_von() {
    xdotool search --all --onlyvisible --pid "$PID" --name "^$1\$" 2>/dev/null
}

# warte_auf_fenster TITLE SECONDS: prints the first window id found, or fails.
warte_auf_fenster() {
    local bis=$((SECONDS + $2)) w
    while [ $SECONDS -lt $bis ]; do
        w=$(fenster_von "$1" | head -n 1)
        if [ -n "$w" ]; then
            printf '%s' "$w"
            return 0
        fi
        kill -0 "$PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# endet_binnen SECONDS: true when the background program ends in time; then sets RC.
endet_binnen() {
    local bis=$((SECONDS + $1))
    while kill -0 "$PID" 2>/dev/null; do
        [ $SECONDS -lt $bis ] || return 1
        sleep 0.1
    done
    wait "$PID"
    RC=$?
    echo "== exit code $RC" >>"$OUT/program.log"
    return 0
}

# warte_auf_ende SECONDS: as endet_binnen, but kills the program after the time (RC 124).
warte_auf_ende() {
    endet_binnen "$1" && return 0
    kill "$PID" 2>/dev/null
    wait "$PID" 2>/dev/null
    RC=124
    echo "== killed after $1s" >>"$OUT/program.log"
    return 1
}

# --- checks ------------------------------------------------------------------------------------

pruefe_beendet() {  # after autostart: normal end within the time
    if [ "$RC" -eq 0 ]; then
        pass "program ended with exit code 0 after ${DAUER}s"
    elif [ "$RC" -eq 124 ]; then
        fail "program still running after the time limit (killed)"
    else
        fail "program ended with exit code $RC after ${DAUER}s"
    fi
}

# wert DUMP KEY [VALUE]: the value's data, as regdump prints it.
wert() { regdump get "$(dump "$1" hkcr)" "$2" "${3:-}"; }

# erwarte DUMP KEY EXPECTED [VALUE]: a REG_SZ value of HKCR equals EXPECTED.
erwarte() {
    local got rc name=${4:-}
    got=$(wert "$1" "$2" "$name")
    rc=$?
    local wo="HKCR\\$2${name:+ [$name]}"
    if [ $rc -eq 2 ]; then
        fail "$wo: key missing, expected \"$(kurz "$3")\""
    elif [ $rc -ne 0 ] && [ $rc -ne 3 ]; then
        fail "$wo: cannot read the registry dump (regdump exit code $rc)"
    elif [ $rc -eq 3 ]; then
        fail "$wo: value missing, expected \"$(kurz "$3")\""
    elif [ "$got" = "$3" ]; then
        pass "$wo = \"$(kurz "$3")\""
    else
        fail "$wo = \"$(kurz "$got")\", expected \"$(kurz "$3")\""
    fi
}

# fehlt DUMP KEY: the HKCR key does not exist.
fehlt() {
    wert "$1" "$2" >/dev/null
    if [ $? -eq 2 ]; then pass "HKCR\\$2 does not exist"; else fail "HKCR\\$2 exists"; fi
}

# aenderungen TEIL VORHER NACHHER: changed values of one dump part, "key|value" lines.
aenderungen() { regdump changes "$(dump "$2" "$1")" "$(dump "$3" "$1")" | LC_ALL=C sort; }

# nur_geaendert VORHER NACHHER "KEY|VALUE"...: HKCR changed in exactly these values.
nur_geaendert() {
    local vorher=$1 nachher=$2
    shift 2
    local got want
    got=$(aenderungen hkcr "$vorher" "$nachher")
    want=$(for z in "$@"; do printf '%s\n' "$z"; done | tr '[:upper:]' '[:lower:]' | LC_ALL=C sort)
    if [ "$got" = "$want" ]; then
        pass "HKCR changed in exactly $# value(s)"
    else
        fail "HKCR changed in other values than expected"
        diff <(printf '%s\n' "$want") <(printf '%s\n' "$got") | sed -n 's/^</      missing change: /p; s/^>/      unexpected change: /p'
    fi
}

# keine_einstellungen VORHER NACHHER: the program's own key and the Run key are as they were:
# no settings, no Startup values, and the store still holds every type.
keine_einstellungen() {
    local rhm run
    rhm=$(aenderungen rhm "$1" "$2")
    run=$(aenderungen run "$1" "$2")
    if [ -z "$rhm" ]; then
        pass "HKCU\\Software\\RHM unchanged (store kept, no settings written)"
    else
        fail "HKCU\\Software\\RHM changed:"
        printf '%s\n' "$rhm" | head -n 20 | sed 's/^/      /'
    fi
    if [ -z "$run" ]; then
        pass "Run key unchanged"
    else
        fail "Run key changed: $run"
    fi
}

# Screenshots go next to the dumps, and the progress window's to WORKDIR itself.
bildschirmfoto() { import -window root "$1" 2>/dev/null || info "no screenshot: import failed"; }

# --- cases -------------------------------------------------------------------------------------

fall_plain_restore() {
    neues_praefix a
    saat "$SEEDS/plain_restore.reg"
    abzug vorher
    autostart
    pruefe_beendet
    abzug nachher
    erwarte nachher txtfile "Textdatei"
    erwarte nachher 'txtfile\shell\open\command' 'C:\WINDOWS\NOTEPAD.EXE %1'
    erwarte nachher 'txtfile\DefaultIcon' 'C:\WINDOWS\NOTEPAD.EXE,1'
    erwarte nachher Paint.Picture "Bitmap-Grafik"
    erwarte nachher 'Paint.Picture\shell\open\command' 'C:\WINDOWS\PBRUSH.EXE "%1"'
    erwarte nachher 'Paint.Picture\DefaultIcon' 'C:\WINDOWS\PBRUSH.EXE,1'
    # Umlauts pass through the ANSI functions unharmed; an empty stored icon keeps the old one.
    erwarte nachher WordPad.Document.1 "WordPad-Dokument (Größe egal)"
    erwarte nachher 'WordPad.Document.1\shell\open\command' '"C:\Programme\Zubehör\WORDPAD.EXE" "%1"'
    erwarte nachher 'WordPad.Document.1\DefaultIcon' 'C:\Fremd\fremd.exe,3'
    nur_geaendert vorher nachher \
        'txtfile|' 'txtfile\shell\open\command|' 'txtfile\DefaultIcon|' \
        'Paint.Picture|' 'Paint.Picture\shell\open\command|' 'Paint.Picture\DefaultIcon|' \
        'WordPad.Document.1|' 'WordPad.Document.1\shell\open\command|'
    keine_einstellungen vorher nachher
}

# The values the old shared class key holds in jpeg_shared.reg, and the stored new ones.
ALT_BEZ='JPEG-Bild'
ALT_CMD='C:\Programme\Bildbetrachter\bild.exe "%1"'
ALT_ICO='C:\Programme\Bildbetrachter\bild.exe,1'
NEU_BEZ='JPEG-Foto'
NEU_CMD='C:\Programme\Foto\foto.exe "%1"'
NEU_ICO='C:\Programme\Foto\foto.exe,2'

jpeg_unveraendert() {  # jpeg_unveraendert DUMP [JPEG-CLASS-NAME]
    erwarte "$1" .jpeg "${2:-jpegfile}"
    erwarte "$1" jpegfile "$ALT_BEZ"
    erwarte "$1" 'jpegfile\shell\open\command' "$ALT_CMD"
    erwarte "$1" 'jpegfile\DefaultIcon' "$ALT_ICO"
}

jpg_eigener_schluessel() {  # jpg_eigener_schluessel DUMP
    erwarte "$1" .jpg "jpg-datei"
    erwarte "$1" jpg-datei "$NEU_BEZ"
    erwarte "$1" 'jpg-datei\shell\open\command' "$NEU_CMD"
    erwarte "$1" 'jpg-datei\DefaultIcon' "$NEU_ICO"
}

fall_shared_class() {
    info "-- only .jpg stored, .jpeg keeps the old values: .jpg gets a key of its own"
    neues_praefix a
    saat "$SEEDS/jpeg_shared.reg" "$SEEDS/store_jpg.reg"
    abzug vorher
    autostart
    pruefe_beendet
    abzug nachher
    jpg_eigener_schluessel nachher
    jpeg_unveraendert nachher
    nur_geaendert vorher nachher '.jpg|' 'jpg-datei|' 'jpg-datei\shell\open\command|' \
        'jpg-datei\DefaultIcon|'
    keine_einstellungen vorher nachher

    info "-- another program changes jpg-datei; a second run writes into it in place"
    wine reg add 'HKCR\jpg-datei' /ve /d 'Fremdes Foto' /f >/dev/null 2>&1
    wine reg add 'HKCR\jpg-datei\shell\open\command' /ve /d 'C:\Fremd\fremd.exe %1' /f >/dev/null 2>&1
    abzug vorher2
    autostart
    pruefe_beendet
    abzug nachher2
    jpg_eigener_schluessel nachher2
    jpeg_unveraendert nachher2
    fehlt nachher2 'jpg-datei-datei'
    nur_geaendert vorher2 nachher2 'jpg-datei|' 'jpg-datei\shell\open\command|'
    keine_einstellungen vorher2 nachher2

    info "-- .jpg and .jpeg both stored with the same new values: the shared key is written"
    neues_praefix b
    saat "$SEEDS/jpeg_shared.reg" "$SEEDS/store_jpg_jpeg.reg"
    abzug vorher
    autostart
    pruefe_beendet
    abzug nachher
    erwarte nachher .jpg jpegfile
    erwarte nachher .jpeg jpegfile
    erwarte nachher jpegfile "$NEU_BEZ"
    erwarte nachher 'jpegfile\shell\open\command' "$NEU_CMD"
    erwarte nachher 'jpegfile\DefaultIcon' "$NEU_ICO"
    fehlt nachher jpg-datei
    fehlt nachher jpeg-datei
    nur_geaendert vorher nachher 'jpegfile|' 'jpegfile\shell\open\command|' 'jpegfile\DefaultIcon|'
    keine_einstellungen vorher nachher

    info "-- only .jpg stored, agreeing with the shared key (command case, no icon): no own key"
    neues_praefix c
    saat "$SEEDS/jpeg_shared.reg" "$SEEDS/store_jpg_agrees.reg"
    abzug vorher
    autostart
    pruefe_beendet
    abzug nachher
    erwarte nachher .jpg jpegfile
    fehlt nachher jpg-datei
    erwarte nachher .jpeg jpegfile
    erwarte nachher jpegfile "$ALT_BEZ"
    # Written in place: the command now in the stored letter case, the icon left alone.
    erwarte nachher 'jpegfile\shell\open\command' 'c:\programme\bildbetrachter\BILD.EXE "%1"'
    erwarte nachher 'jpegfile\DefaultIcon' "$ALT_ICO"
    nur_geaendert vorher nachher 'jpegfile\shell\open\command|'
    keine_einstellungen vorher nachher
}

# Class key names are not case-sensitive: "JPEGFILE" is the key "jpegfile".
fall_shared_class_letter_case() {
    info "-- .jpeg names the shared key in other letter case: still shared"
    neues_praefix a
    saat "$SEEDS/jpeg_shared_case.reg" "$SEEDS/store_jpg.reg"
    abzug vorher
    autostart
    pruefe_beendet
    abzug nachher
    jpg_eigener_schluessel nachher
    jpeg_unveraendert nachher JPEGFILE
    nur_geaendert vorher nachher '.jpg|' 'jpg-datei|' 'jpg-datei\shell\open\command|' \
        'jpg-datei\DefaultIcon|'
    keine_einstellungen vorher nachher
}

fall_clsid_icon() {
    local id1='CLSID\{E2E0E2E0-0000-4000-8000-000000000001}'
    local id2='CLSID\{E2E0E2E0-0000-4000-8000-000000000002}'
    local id3='CLSID\{E2E0E2E0-0000-4000-8000-000000000003}'
    neues_praefix a
    saat "$SEEDS/clsid_icon.reg"
    abzug vorher
    autostart
    pruefe_beendet
    abzug nachher
    info "-- class id with an icon: both icons get the stored one"
    erwarte nachher sndfile "Klang"
    erwarte nachher 'sndfile\DefaultIcon' 'C:\WINDOWS\SNDREC32.EXE,0'
    erwarte nachher "$id1\\DefaultIcon" 'C:\WINDOWS\SNDREC32.EXE,0'
    info "-- class id with an empty icon: only the class key gets it"
    erwarte nachher midfile "MIDI-Sequenz"
    erwarte nachher 'midfile\DefaultIcon' 'C:\WINDOWS\MPLAYER.EXE,2'
    erwarte nachher "$id2\\DefaultIcon" ''
    info "-- class id without DefaultIcon: none is made for it"
    erwarte nachher 'avifile\DefaultIcon' 'C:\WINDOWS\MPLAYER.EXE,3'
    fehlt nachher "$id3\\DefaultIcon"
    nur_geaendert vorher nachher \
        'sndfile|' 'sndfile\shell\open\command|' 'sndfile\DefaultIcon|' "$id1\\DefaultIcon|" \
        'midfile|' 'midfile\shell\open\command|' 'midfile\DefaultIcon|' \
        'avifile|' 'avifile\shell\open\command|' 'avifile\DefaultIcon|'
    keine_einstellungen vorher nachher
}

fall_incomplete_entry() {
    neues_praefix a
    saat "$SEEDS/incomplete_entry.reg"
    abzug vorher
    autostart
    pruefe_beendet
    abzug nachher
    erwarte nachher xyzfile "XYZ alt"
    erwarte nachher abcfile "ABC alt"
    erwarte nachher deffile "DEF alt"
    erwarte nachher txtfile "Textdatei"
    nur_geaendert vorher nachher 'txtfile|' 'txtfile\shell\open\command|' 'txtfile\DefaultIcon|'
    # Includes the incomplete entries: the store is left as it was.
    keine_einstellungen vorher nachher
}

progress_wiederhergestellt() {  # the four types of progress_types.reg are back
    local e
    for e in wav htm gif tif; do
        erwarte "$1" "${e}file" "${e^^}-Datei"
        erwarte "$1" "${e}file\\DefaultIcon" "C:\\Programme\\${e^^}\\$e.exe,0"
    done
}

fall_progress_window() {
    local w gesehen
    info "-- Autostartmeldung 0: no window, no pause"
    neues_praefix aus
    saat "$SEEDS/progress_types.reg" "$SEEDS/progress_off.reg"
    abzug vorher
    local anfang bis=$((SECONDS + 30))
    anfang=$(jetzt)
    autostart_im_hintergrund
    gesehen=""
    while kill -0 "$PID" 2>/dev/null && [ $SECONDS -lt $bis ]; do
        [ -n "$(fenster_von Endungswart)" ] && gesehen=1
        sleep 0.1
    done
    warte_auf_ende 1
    DAUER=$(seit "$anfang")
    pruefe_beendet
    if [ -z "$gesehen" ]; then pass "no window shown"; else fail "a window titled Endungswart was shown"; fi
    abzug nachher
    progress_wiederhergestellt nachher
    keine_einstellungen vorher nachher

    info "-- Autostartmeldung 1, AutostartPause 0.5: the progress window, half a second a type"
    neues_praefix an
    saat "$SEEDS/progress_types.reg" "$SEEDS/progress_on.reg"
    abzug vorher
    anfang=$(jetzt)
    autostart_im_hintergrund
    if w=$(warte_auf_fenster Endungswart 20); then
        pass "progress window titled Endungswart shown (X window $w)"
        sleep 0.5
        bildschirmfoto "$WORK/progress.png"
        info "screenshot: $WORK/progress.png"
    else
        fail "no window titled Endungswart while restoring"
    fi
    warte_auf_ende 30
    DAUER=$(seit "$anfang")
    pruefe_beendet
    # Four types at half a second each.
    if awk -v d="$DAUER" 'BEGIN { exit !(d >= 2.0) }'; then
        pass "the run took ${DAUER}s, at least the 4 x 0.5s of pauses"
    else
        fail "the run took ${DAUER}s: the pause of 0.5s a type was not kept"
    fi
    abzug nachher
    progress_wiederhergestellt nachher
    keine_einstellungen vorher nachher
}

# The generated part of the hostile seed: the long values and several hundred stored types.
HOSTILE_TYPEN=300
LANGE_BEZEICHNUNG=$(head -c 65536 /dev/zero | tr '\0' 'L')
LANGER_BEFEHL="C:\\Lang\\$(head -c 983 /dev/zero | tr '\0' 'p').exe \"%1\""

# reg_text TEXT: TEXT as a quoted REGEDIT4 string.
reg_text() { local t=${1//\\/\\\\}; printf '"%s"' "${t//\"/\\\"}"; }

feindliche_saat() {
    local f=$OUT/hostile_generated.reg i e
    {
        printf 'REGEDIT4\n\n'
        printf '[HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Classes\\LNG]\n'
        printf '"Bezeichnung"=%s\n' "$(reg_text "$LANGE_BEZEICHNUNG")"
        printf '"Oeffnen"="C:\\\\Neu\\\\lng.exe %%1"\n"Symbol"="C:\\\\Neu\\\\lng.exe,0"\n\n'
        printf '[HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Classes\\CMD1K]\n'
        printf '"Bezeichnung"="Langer Befehl"\n"Oeffnen"=%s\n' "$(reg_text "$LANGER_BEFEHL")"
        printf '"Symbol"="C:\\\\Neu\\\\cmd.exe,0"\n\n'
        for ((i = 0; i < HOSTILE_TYPEN; i++)); do
            e=$(printf 'v%03d' "$i")
            printf '[HKEY_CLASSES_ROOT\\.%s]\n@="%sfile"\n\n' "$e" "$e"
            printf '[HKEY_CLASSES_ROOT\\%sfile]\n@="alt %s"\n\n' "$e" "$e"
            printf '[HKEY_CURRENT_USER\\Software\\RHM\\Endungswart\\Classes\\%s]\n' "${e^^}"
            printf '"Bezeichnung"="Typ %s"\n"Oeffnen"="C:\\\\Viele\\\\%s.exe %%1"\n"Symbol"=""\n\n' "$e" "$e"
        done
    } >"$f"
    printf '%s' "$f"
}

fall_hostile_registry() {
    neues_praefix a
    saat "$SEEDS/hostile.reg" "$(feindliche_saat)"
    abzug vorher
    autostart 120
    pruefe_beendet
    abzug nachher

    local geaendert
    geaendert=$(aenderungen hkcr vorher nachher)
    if grep -qx '|' <<<"$geaendert"; then
        fail "the default value of HKCR itself was written: \"$(wert nachher '')\""
    else
        pass "HKCR's own default value unchanged"
    fi
    # Extension keys (a dot and a name, no deeper) may only change for stored extensions.
    local gespeichert fremd
    gespeichert=$(regdump subkeys "$(dump vorher rhm)" 'Software\RHM\Endungswart\Classes' | tr '[:upper:]' '[:lower:]')
    fremd=$(grep -E '^\.[^\\|]*\|' <<<"$geaendert" | while IFS='|' read -r k _; do
        grep -qx "${k#.}" <<<"$gespeichert" || printf '%s ' "$k"
    done)
    if [ -z "$fremd" ]; then
        pass "no extension key outside the store was written"
    else
        fail "extension keys outside the store were written: $fremd"
    fi
    erwarte nachher . lngfile
    erwarte nachher .gif giffile
    erwarte nachher giffile "GIF-Bild"

    info "-- 64 KB description and 1,000-character open command arrive whole"
    erwarte nachher lngfile "$LANGE_BEZEICHNUNG"
    [ ${#LANGER_BEFEHL} -eq 1000 ] || fail "test fault: the command has ${#LANGER_BEFEHL} characters"
    erwarte nachher 'cmd1kfile\shell\open\command' "$LANGER_BEFEHL"
    info "-- class names that are no class keys: own keys, never the root or another extension"
    erwarte nachher .bmp bmp-datei
    erwarte nachher bmp-datei Bitmap
    erwarte nachher .emp emp-datei
    erwarte nachher 'emp-datei\shell\open\command' 'C:\Neu\emp.exe %1'
    erwarte nachher .non non-datei
    erwarte nachher .bsl bsl-datei
    erwarte nachher 'txtfile' "$(wert vorher txtfile)"
    erwarte nachher .ico ico-datei
    erwarte nachher 'ico-datei\DefaultIcon' '%1'
    info "-- values of other types in HKCR and in the store"
    erwarte nachher pngfile "PNG-Bild"
    erwarte nachher 'pngfile\shell\open\command' 'C:\Neu\png.exe %1'
    erwarte nachher 'pngfile\DefaultIcon' 'C:\Alt\png.exe,4'
    erwarte nachher dwfile "DW alt"
    erwarte nachher binfile "BIN alt"
    info "-- $HOSTILE_TYPEN stored types"
    local falsch=0 i e
    for ((i = 0; i < HOSTILE_TYPEN; i++)); do
        e=$(printf 'v%03d' "$i")
        grep -qx "${e}file|" <<<"$geaendert" || falsch=$((falsch + 1))
    done
    if [ $falsch -eq 0 ]; then
        pass "all $HOSTILE_TYPEN class keys restored"
    else
        fail "$falsch of $HOSTILE_TYPEN class keys not restored"
    fi
    erwarte nachher v123file "Typ v123"
    erwarte nachher "v$((HOSTILE_TYPEN - 1))file\\shell\\open\\command" "C:\\Viele\\v$((HOSTILE_TYPEN - 1)).exe %1"
    keine_einstellungen vorher nachher
}

fall_platform_check() {
    neues_praefix a unmarked
    saat "$SEEDS/plain_restore.reg"
    abzug vorher
    autostart_im_hintergrund
    local w
    if w=$(warte_auf_fenster Endungswart 20); then
        pass "message box titled Endungswart shown"
        sleep 0.3
        bildschirmfoto "$OUT/platform.png"
        xdotool key --window "$w" Return
        endet_binnen 5 || { xdotool key --window "$w" Return; warte_auf_ende 5; }
    else
        fail "no window titled Endungswart"
        warte_auf_ende 10
    fi
    if [ "$RC" -eq 0 ]; then pass "program ended after Return with exit code 0"; else fail "program did not end normally after Return (code $RC)"; fi
    abzug nachher
    local geaendert
    geaendert=$(aenderungen hkcr vorher nachher)
    if [ -z "$geaendert" ]; then pass "HKCR unchanged"; else fail "HKCR changed: $(tr '\n' ' ' <<<"$geaendert")"; fi
    keine_einstellungen vorher nachher
}

fall_empty_store() {
    neues_praefix a
    saat "$SEEDS/jpeg_shared.reg"
    abzug vorher
    autostart_im_hintergrund
    local w versuch
    if w=$(warte_auf_fenster Endungswart 20); then
        pass "question titled Endungswart shown"
        sleep 0.3
        bildschirmfoto "$OUT/question.png"
        # "n" picks "No" by its access key. A key that arrives before the box takes input is
        # lost, hence the second try.
        for versuch in 1 2; do
            xdotool key --window "$w" n
            endet_binnen 5 && break
        done
        kill -0 "$PID" 2>/dev/null && warte_auf_ende 1
    else
        fail "no window titled Endungswart"
        warte_auf_ende 10
    fi
    if [ "$RC" -eq 0 ]; then pass "program ended after \"No\" with exit code 0"; else fail "program did not end normally after \"No\" (code $RC)"; fi
    abzug nachher
    local geaendert
    geaendert=$(aenderungen hkcr vorher nachher)
    if [ -z "$geaendert" ]; then pass "HKCR unchanged"; else fail "HKCR changed: $(tr '\n' ' ' <<<"$geaendert")"; fi
    keine_einstellungen vorher nachher
}

# --- the whole cycle ---------------------------------------------------------------------------

interaktiv_im_hintergrund() {
    echo "== $PREFIX_NAME: $PROGRAMM (interactive, in the background)" >>"$OUT/program.log"
    wine "$PROGRAMM" >>"$OUT/program.log" 2>&1 &
    PID=$!
}

# hkcu_wert KEY VALUE: the data of one value under HKCU, or nothing.
hkcu_wert() {
    wine reg query "HKCU\\$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_SZ *//p"
}

# schliessen_wie_der_benutzer: the close box's request to every window of the program.
schliessen_wie_der_benutzer() {
    wine taskkill /im Endwart.exe >/dev/null 2>&1
    warte_auf_ende 20
}

fall_full_cycle() {
    neues_praefix a
    saat "$SEEDS/full_cycle.reg"
    local w versuch store='Software\RHM\Endungswart'

    # 1. The first interactive start welcomes the user and takes the sample types.
    interaktiv_im_hintergrund
    if w=$(warte_auf_fenster 'Willkommen bei Endungswart!' 30); then
        pass "welcome box shown"
        for versuch in 1 2 3; do
            xdotool key --window "$w" Return 2>/dev/null
            sleep 0.5
            [ -z "$(fenster_von 'Willkommen bei Endungswart!')" ] && break
        done
    else
        fail "no welcome box"
    fi
    if warte_auf_fenster Endungswart 20 >/dev/null; then pass "main window shown"; else fail "no main window"; fi
    bildschirmfoto "$OUT/main.png"
    schliessen_wie_der_benutzer
    if [ "$RC" -eq 0 ]; then pass "closed by request, exit code 0"; else fail "close ended with code $RC"; fi
    [ "$(hkcu_wert "$store\\Classes\\TXT" Oeffnen)" = 'C:\WINDOWS\NOTEPAD.EXE %1' ] &&
        pass "TXT is in the store" || fail "TXT is not in the store"
    [ "$(hkcu_wert "$store\\Classes\\INI" Bezeichnung)" = 'Konfigurationseinstellungen' ] &&
        pass "INI is in the store" || fail "INI is not in the store"
    [ "$(hkcu_wert "$store\\Startup" FirstStart)" = False ] &&
        pass "FirstStart written as False" || fail "FirstStart not written"
    [ -z "$(hkcu_wert 'Software\Microsoft\Windows\CurrentVersion\Run' Endungswart)" ] &&
        pass "no Run entry while autostart is off" || fail "Run entry written with autostart off"

    # 2. Autostart switched on in the registry; the next close brings the Run entry in line.
    wine reg add "HKCU\\$store\\Optionen" /v Autostart /d 1 /f >/dev/null 2>&1
    interaktiv_im_hintergrund
    if warte_auf_fenster Endungswart 30 >/dev/null; then pass "second start shows the main window"; else fail "second start: no main window"; fi
    schliessen_wie_der_benutzer
    # 3. The Run entry.
    local run
    run=$(hkcu_wert 'Software\Microsoft\Windows\CurrentVersion\Run' Endungswart)
    if [ "$run" = 'C:\Programme\Endwart\Endwart.EXE /autostart' ]; then
        pass "Run entry: $run"
    else
        fail "Run entry is \"$run\""
    fi
    [ "$(hkcu_wert 'Software\Microsoft\Windows\CurrentVersion\Run' 'Anderes Programm')" = 'C:\Anderes\anderes.exe /still' ] &&
        pass "the other program's Run entry is untouched" || fail "the other program's Run entry changed"

    # 4. Another program changes .TXT; the system start runs the Run entry.
    wine reg add 'HKCR\txtfile' /ve /d 'Fremdes Format' /f >/dev/null 2>&1
    wine reg add 'HKCR\txtfile\shell\open\command' /ve /d 'C:\Fremd\fremd.exe "%1"' /f >/dev/null 2>&1
    abzug vorher
    local anfang
    anfang=$(jetzt)
    echo "== $PREFIX_NAME: $run" >>"$OUT/program.log"
    timeout 60 wine ${run% /autostart} /autostart >>"$OUT/program.log" 2>&1
    RC=$?
    DAUER=$(seit "$anfang")
    pruefe_beendet
    abzug nachher
    erwarte nachher txtfile "Textdatei"
    erwarte nachher 'txtfile\shell\open\command' 'C:\WINDOWS\NOTEPAD.EXE %1'
    keine_einstellungen vorher nachher
}

fall_single_instance() {
    neues_praefix a
    wine reg add 'HKCU\Software\RHM\Endungswart\Startup' /v FirstStart /d False /f >/dev/null 2>&1
    interaktiv_im_hintergrund
    local erster=$PID
    if warte_auf_fenster Endungswart 30 >/dev/null; then pass "first instance shows its main window"; else fail "first instance: no main window"; fi
    # A second start hands over to the first one, silently, and ends.
    interaktiv_im_hintergrund
    local zweiter=$PID
    if endet_binnen 10; then
        [ "$RC" -eq 0 ] && pass "second start ended at once with exit code 0" || fail "second start ended with code $RC"
    else
        fail "second start is still running"
        kill "$zweiter" 2>/dev/null
    fi
    [ -z "$(xdotool search --all --onlyvisible --pid "$zweiter" --name . 2>/dev/null)" ] &&
        pass "second start showed no window" || fail "second start showed a window"
    PID=$erster
    kill -0 "$PID" 2>/dev/null && pass "first instance still runs" || fail "first instance ended"
    [ "$(fenster_von Endungswart | wc -l)" -eq 1 ] && pass "one main window" || fail "not exactly one main window"
    schliessen_wie_der_benutzer
}

# --- main --------------------------------------------------------------------------------------

if ! declare -F "fall_$CASE" >/dev/null; then
    echo "unknown case: $CASE" >&2
    exit 64
fi
if [ ! -f "$EXE" ]; then
    echo "FAIL  $CASE: no program at $EXE"
    exit 1
fi
rm -rf "$OUT"
mkdir -p "$OUT"
display_sicherstellen
START=$(jetzt)
vorlage
"fall_$CASE"
praefix_ende
if [ $FEHLER -eq 0 ]; then
    echo "PASSED $CASE ($(seit "$START")s)"
else
    echo "FAILED $CASE ($(seit "$START")s)"
fi
exit $FEHLER
