#!/usr/bin/env bash
# Endwart.exe /autostart against its floor, whole process against whole process, in a Wine
# prefix of its own (wineprefix-bench in the build folder), all in one run (see
# autostart_bench.cpp); then, in the same run, each program's wiederherstellen_bench.exe (the
# restore, the unchanged restore and the save against their floors, in process).
#
#   bench/autostart_bench.sh [RUNS] [NAME=BUILD/Endwart.exe ...]
#
# Without programs it builds and measures the Endwart.exe that ./run runs. Several programs (say
# the one before a change and the one after) are measured in turns in the same run; the
# in-process bench of a program is BUILD/bench/wiederherstellen_bench.exe, where it is built.
source "$(dirname "$0")/../scripts/common.sh"
ensure_packages
runs=${1:-5}
shift || true
# The product, the 32-bit program under the 32-bit Wine, where the kernel runs it (see ./test).
choose_build
start_wine "$BUILD/wineprefix-bench"
configure_and_build "$BUILD" "$TOOLCHAIN" Endwart autostart_bench autostart_boden wiederherstellen_bench
wait_wine
programme=("$@")
[ ${#programme[@]} -gt 0 ] || programme=("Endwart=$BUILD/Endwart.exe")
ensure_display
trap 'wineserver -k 2>/dev/null; stop_display' EXIT
bench="$WINEPREFIX/drive_c/Bench"
rm -rf "$bench"
mkdir -p "$bench"
cp "$BUILD/bench/autostart_boden.exe" "$bench/"
args=()
for p in "${programme[@]}"; do
    name=${p%%=*}
    mkdir -p "$bench/$name"
    cp "${p#*=}" "$bench/$name/Endwart.exe"
    args+=("$name=C:\\Bench\\$name\\Endwart.exe")
done
say "$BITS-bit programs; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
wine "$BUILD/bench/autostart_bench.exe" "$runs" 'C:\Bench\autostart_boden.exe' "${args[@]}"
for p in "${programme[@]}"; do
    drinnen="$(dirname "${p#*=}")/bench/wiederherstellen_bench.exe"
    [ -f "$drinnen" ] || continue
    say "${p%%=*}, in process; load: $(cut -d' ' -f1-3 /proc/loadavg)"
    wine "$drinnen" "$runs"
done
say "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
