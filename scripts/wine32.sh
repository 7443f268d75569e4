# The 32-bit Wine that runs the 32-bit Endwart.exe, unpacked beside the system's Wine into
# build-wine32/ without installing it: installing wine32:i386 and its libraries would upgrade
# their amd64 twins (gnutls, expat, libpng have no i386 build at the amd64 version). Only
# libc6:i386 is installed, for the i386 loader /lib/ld-linux.so.2; that leaves the system's Wine
# as it is. Sourced by common.sh, not run.

WINE32_DIR="$ROOT/build-wine32"
WINE32_BIN="$WINE32_DIR/bin"

# True when the kernel runs 32-bit x86 programs. Some kernels are built without it and refuse
# them with "exec format error". The probe is the smallest static i386 program: it only exits
# with code 32, so that nothing but a real run can answer 32.
kernel_runs_32bit() {
    local probe="$WINE32_DIR/probe32"
    mkdir -p "$WINE32_DIR"
    printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\273\40\0\0\0\315\200' >"$probe"
    chmod +x "$probe"
    local rc=0
    "$probe" 2>/dev/null || rc=$?
    [ "$rc" -eq 32 ]
}

# The i386 architecture and its C library, for the loader of every i386 program.
ensure_i386_libc() {
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        say "Adding the i386 architecture for the 32-bit Wine."
        $sudo dpkg --add-architecture i386
        $sudo apt-get update -qq
    fi
    dpkg-query -W -f='${Status}' libc6:i386 2>/dev/null | grep -q 'ok installed' && return 0
    say "Installing libc6:i386 for the 32-bit Wine."
    # At the amd64 version, so that apt need not upgrade the system's C library with it.
    local ver
    ver=$(dpkg-query -W -f='${Version}' libc6:amd64)
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "libc6:i386=$ver" >/dev/null 2>&1 ||
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            libc6:i386 >/dev/null
}

# The i386 libraries that Wine's Unix side links or opens: X11 and its extensions, fonts, TLS,
# devices.
WINE32_LIBS="libx11-6 libxext6 libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1
    libxcomposite1 libxfixes3 libxxf86vm1 libfreetype6 libfontconfig1 libgnutls30 libudev1
    libusb-1.0-0"

# The packages to fetch, as NAME=VERSION: Wine at the version of the system's wine64, and what
# apt would install with the libraries above, found by a simulated install.
wine32_packages() {
    local ver=$1
    printf '%s\n' "wine32:i386=$ver" "libwine:i386=$ver"
    # shellcheck disable=SC2086
    apt-get install -s --no-install-recommends $(printf '%s:i386 ' $WINE32_LIBS) |
        awk '/^Inst / && /\[i386\]/ { v = $3; sub(/^\(/, "", v); print $2 "=" v }'
}

# ensure_wine32: build-wine32/ holds the 32-bit Wine at the system's version and bin/ its
# commands wine, wineserver and wineboot; a second call costs nothing.
ensure_wine32() {
    local ver stamp
    ver=$(dpkg-query -W -f='${Version}' wine64)
    stamp="$WINE32_DIR/ready"
    ensure_i386_libc
    [ "$(cat "$stamp" 2>/dev/null)" = "$ver" ] && return 0
    say "Setting up the 32-bit Wine $ver in $WINE32_DIR (once)."
    local root="$WINE32_DIR/root" debs="$WINE32_DIR/debs"
    rm -rf "$root" "$debs" "$WINE32_BIN" "$stamp"
    mkdir -p "$root" "$debs" "$WINE32_BIN"
    local pakete
    pakete=$(wine32_packages "$ver")
    # A list older than the archive names files that are gone: read it anew once. (As root,
    # apt would rather download as its own user, who may not write here.)
    # shellcheck disable=SC2086
    if ! (cd "$debs" && apt-get download -qq -o APT::Sandbox::User=root $pakete >/dev/null 2>&1); then
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo=sudo
        $sudo apt-get update -qq
        pakete=$(wine32_packages "$ver")
        (cd "$debs" && apt-get download -qq -o APT::Sandbox::User=root $pakete >/dev/null)
    fi
    local deb
    for deb in "$debs"/*.deb; do dpkg-deb -x "$deb" "$root"; done
    rm -rf "$debs"

    # libwine's post-install step, which unpacking skips, supplies zlib1.dll from mingw's
    # build; Wine loads a DLL from its own folder only when it is marked as one of its own.
    local zlib=/usr/i686-w64-mingw32/lib/zlib1.dll
    { head -c 64 "$zlib"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$zlib"; } \
        >"$root/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll"
    # Debian's wineserver beside the loader starts the system's 64-bit server, and the loader
    # takes that one whatever WINESERVER says.
    ln -sf wineserver32 "$root/usr/lib/wine/wineserver"

    # The commands, found before the system's on PATH. WINEARCH=win32: a pure 32-bit prefix;
    # in a 64-bit one the 32-bit side would need DLLs copied into syswow64 by hand.
    local kopf='#!/bin/sh
# The project'"'"'s 32-bit Wine (scripts/wine32.sh).
R=$(cd "$(dirname "$0")/../root" && pwd)
export WINEARCH=win32
export LD_LIBRARY_PATH="$R/usr/lib/i386-linux-gnu:$R/lib/i386-linux-gnu${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"'
    printf '%s\nexec "$R/usr/lib/wine/wine" "$@"\n' "$kopf" >"$WINE32_BIN/wine"
    printf '%s\nexec "$R/usr/lib/wine/wineserver32" "$@"\n' "$kopf" >"$WINE32_BIN/wineserver"
    printf '%s\nexec "$R/usr/lib/wine/wine" wineboot "$@"\n' "$kopf" >"$WINE32_BIN/wineboot"
    chmod +x "$WINE32_BIN"/*
    "$WINE32_BIN/wine" --version >/dev/null
    printf '%s\n' "$ver" >"$stamp"
}
