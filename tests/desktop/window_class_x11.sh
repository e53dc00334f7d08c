#!/bin/sh
# Starts kavrel on the X server xvfb-run gave it and checks that the class of the window's
# WM_CLASS is the desktop file's StartupWMClass: how a dock tells which menu entry and icon
# belong to the window. Arguments: the program, the desktop file, the window title (Kavrel
# when not given).
set -eu
kavrel=$1
title=${3:-Kavrel}
expected=$(sed -n 's/^StartupWMClass=//p' "$2")
if [ -z "$expected" ]; then
    echo "$2 has no StartupWMClass"
    exit 1
fi

runtime=$(mktemp -d)
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb "$kavrel" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$runtime"' EXIT

# WM_CLASS(STRING) = "instance", "class"
line=
tries=0
while [ -z "$line" ] && [ "$tries" -lt 200 ]; do
    kill -0 "$pid" || { echo "kavrel ended before its window appeared"; exit 1; }
    # A window found before its class is set answers "WM_CLASS:  not found.": ask again.
    line=$(xprop -name "$title" WM_CLASS 2>/dev/null | grep '^WM_CLASS(' || true)
    tries=$((tries + 1))
    sleep 0.1
done
class=$(printf '%s\n' "$line" | sed -n 's/^WM_CLASS([A-Z]*) = "[^"]*", "\([^"]*\)"$/\1/p')
echo "$line"
if [ "$class" != "$expected" ]; then
    echo "window class \"$class\", desktop file StartupWMClass \"$expected\""
    exit 1
fi
