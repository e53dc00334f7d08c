#!/bin/sh
# Without DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM the program says in one line that a
# desktop is needed and exits 1; given -platform offscreen it opens its window all the same
# (still running after 2 s). Argument: the program.
set -u
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$scratch" "$program" \
    >"$scratch/out" 2>"$scratch/err"
status=$?
if [ "$status" -ne 1 ] || [ -s "$scratch/out" ] || [ "$(wc -l <"$scratch/err")" -ne 1 ]; then
    echo "without a desktop: status $status, stdout and stderr:"
    cat "$scratch/out" "$scratch/err"
    exit 1
fi

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$scratch" XDG_RUNTIME_DIR="$scratch" \
    timeout 2 "$program" -platform offscreen >"$scratch/out" 2>"$scratch/err"
status=$?
if [ "$status" -ne 124 ]; then
    echo "with -platform offscreen: status $status (124, still running, expected):"
    cat "$scratch/out" "$scratch/err"
    exit 1
fi
echo "$(cat "$scratch/err" | head -1)"
