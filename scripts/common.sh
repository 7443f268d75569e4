# Shared set-up for ./run and ./test: packages, build, Wine prefix, display.
# Sourced, not run.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

say() { printf '%s\n' "$*" >&2; }

source "$ROOT/scripts/wine32.sh"

# choose_build: the program that ./run and ./test build and run. The product is the 32-bit
# Endwart.exe in build-i686/, under the 32-bit Wine of scripts/wine32.sh. A kernel that cannot
# run 32-bit programs gets the same program built for x86_64 in build/, under the system's Wine.
# ENDWART_BITS=64 asks for that fallback on any kernel.
BITS=32 BUILD="$ROOT/build-i686" TOOLCHAIN=mingw-i686.cmake
choose_build() {
    if [ "${ENDWART_BITS:-32}" = 64 ]; then
        say "ENDWART_BITS=64: the 64-bit build under the system's Wine."
    elif ! kernel_runs_32bit; then
        say "This kernel cannot run 32-bit programs (exec format error): using the 64-bit build and the system's Wine instead."
    else
        return 0
    fi
    BITS=64 BUILD="$ROOT/build" TOOLCHAIN=mingw-x86_64.cmake
}

# start_wine PREFIX / wait_wine: the 32-bit Wine is set up, and then the prefix, while the
# program builds, since most of that waits for the network, the disk and wineboot. wait_wine
# shows what the set-up said, and leaves its Wine first on PATH and the prefix in WINEPREFIX.
WINE_PID="" WINE_LOG=""
start_wine() {
    fresh_build_dir "$BUILD" "$TOOLCHAIN"  # before the prefix goes in there
    mkdir -p "$WINE32_DIR"
    WINE_LOG="$WINE32_DIR/setup.log"
    (
        if [ "$BITS" = 32 ]; then
            ensure_wine32
            export PATH="$WINE32_BIN:$PATH"
        fi
        prepare_prefix "$1"
    ) >"$WINE_LOG" 2>&1 &
    WINE_PID=$!
    WINEPREFIX=$1
}
wait_wine() {
    local rc=0
    wait "$WINE_PID" || rc=$?
    cat "$WINE_LOG" >&2
    [ "$rc" -eq 0 ] || { say "Setting up Wine failed (exit code $rc)."; exit 1; }
    [ "$BITS" = 32 ] && export PATH="$WINE32_BIN:$PATH"
    export WINEPREFIX
}

# Installs whatever of the tool chain is missing; a second call costs nothing.
ensure_packages() {
    local need=()
    command -v cmake >/dev/null || need+=(cmake)
    # The win32 thread model: the posix one imports what Windows 95 lacks. These bring
    # binutils (objdump, windres) along.
    command -v x86_64-w64-mingw32-g++-win32 >/dev/null || need+=(g++-mingw-w64-x86-64-win32)
    command -v i686-w64-mingw32-g++-win32 >/dev/null || need+=(g++-mingw-w64-i686-win32)
    command -v wine >/dev/null || need+=(wine wine64)
    command -v Xvfb >/dev/null || need+=(xvfb)
    # Wine's own fonts draw the caption buttons and dialog glyphs.
    [ -f /usr/share/wine/fonts/marlett.ttf ] || need+=(fonts-wine)
    [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
    command -v python3 >/dev/null || need+=(python3)
    # The end-to-end tests find the program's windows and press its keys with it.
    command -v xdotool >/dev/null || need+=(xdotool)
    command -v locale-gen >/dev/null || need+=(locales)
    [ ${#need[@]} -eq 0 ] && return 0
    say "Installing: ${need[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
}

# The German locale that ./run starts Wine in, so that the system's own texts (message box
# buttons, file dialogs) are German and numbers are grouped with ".", as on a German Windows 95.
GERMAN_LOCALE=de_DE.UTF-8
ensure_german_locale() {
    locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8' && return 0
    say "Generating the locale $GERMAN_LOCALE."
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if grep -q "^# *$GERMAN_LOCALE UTF-8" /etc/locale.gen 2>/dev/null; then
        $sudo sed -i "s/^# *\($GERMAN_LOCALE UTF-8\)/\1/" /etc/locale.gen
    elif ! grep -q "^$GERMAN_LOCALE UTF-8" /etc/locale.gen 2>/dev/null; then
        echo "$GERMAN_LOCALE UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    fi
    $sudo locale-gen >/dev/null
}

# fresh_build_dir DIR TOOLCHAIN: CMake keeps the compiler it found first, and objects built by
# another compiler must not be linked with the new one: a changed toolchain file starts the
# build folder afresh.
fresh_build_dir() {
    [ -f "$1/CMakeCache.txt" ] || return 0
    [ "$(cat "$1/toolchain.sum" 2>/dev/null)" = "$(sha1sum <"$ROOT/cmake/$2")" ] && return 0
    say "The tool chain changed: building $1 afresh."
    rm -rf "$1"
}

# configure_and_build DIR TOOLCHAIN [TARGET...]
configure_and_build() {
    local dir=$1 chain=$2; shift 2
    fresh_build_dir "$dir" "$chain"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$chain" \
            -DCMAKE_BUILD_TYPE=Release >/dev/null
        sha1sum <"$ROOT/cmake/$chain" >"$dir/toolchain.sum"
    fi
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "$dir" -j "$(nproc)" "${targets[@]}" 2>&1 | grep -vE '^\[ *[0-9]+%\]|^-- ' || true
    [ "${PIPESTATUS[0]}" -eq 0 ]
}

# A private X server when none is set; stopped by stop_display.
XVFB_PID=""
ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n"
    say "No display set: running on a private Xvfb at $DISPLAY."
}
stop_display() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
}

# The marker holds the version of the set-up below; a prefix made by an older one is brought
# up to date by running the set-up again (every step may run twice).
PREFIX_VERSION=2

# prepare_prefix PREFIX: wineboot once, then tell Endwart.exe it runs on Windows 95.
prepare_prefix() {
    export WINEPREFIX=$1
    local marker="$WINEPREFIX/.endwart-ready"
    replace_other_arch "$marker"
    [ "$(cat "$marker" 2>/dev/null)" = "$PREFIX_VERSION" ] && return 0
    say "Preparing the Wine prefix $WINEPREFIX (once)."
    mkdir -p "$WINEPREFIX"
    [ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
    local exe
    for exe in Endwart.exe endwart_tests.exe; do
        wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe" /v Version /d win95 /f >/dev/null 2>&1
    done
    # Without a window manager (Xvfb) Wine draws the frames and captions itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Debian's Wine does not find the fonts of fonts-wine by itself. Without Marlett it draws
    # the caption buttons as the letters "0 1 r"; in the prefix's font folder it is found.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w
    echo "$PREFIX_VERSION" >"$marker"
}

# replace_other_arch MARKER: a prefix is either 32-bit or 64-bit, and the other Wine cannot use
# it. One that this set-up made for the other Wine (a 64-bit one from before the 32-bit Wine) is
# kept beside as PREFIX-win64 (or -win32), and a new one is made in its place; one made by
# somebody else is left alone.
replace_other_arch() {
    local arch=win32 alt
    [ "$BITS" = 32 ] || arch=win64
    [ -f "$WINEPREFIX/system.reg" ] || return 0
    alt=$(sed -n '/^#arch=/{s///p;q}' "$WINEPREFIX/system.reg")
    [ "$alt" = "$arch" ] && return 0
    if [ ! -f "$1" ]; then
        say "$WINEPREFIX is a ${alt:-unknown} prefix, not a $arch one: set WINEPREFIX to a new folder."
        exit 1
    fi
    say "$WINEPREFIX is a $alt prefix: kept as ${WINEPREFIX%/}-$alt, and a $arch one made in its place."
    rm -rf "${WINEPREFIX%/}-$alt"
    mv "$WINEPREFIX" "${WINEPREFIX%/}-$alt"
}

# Puts the program where an installation would: C:\Programme\Endwart.
install_program() {
    local dest="$WINEPREFIX/drive_c/Programme/Endwart"
    mkdir -p "$dest"
    cp "$BUILD/Endwart.exe" "$dest/Endwart.exe"
    cp "$BUILD/Endwart.hlp" "$dest/Endwart.hlp"
}
