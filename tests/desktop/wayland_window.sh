#!/bin/sh
# Starts a headless Weston with a private runtime folder and kavrel on it as a native Wayland
# client, and checks from the client's protocol log that the window maps with the title
# and the given app id. Arguments: the program, the app id, the title (Kavrel when not
# given).
set -eu
kavrel=$1
app_id=$2
title=${3:-Kavrel}
runtime=$(mktemp -d)
chmod 0700 "$runtime"
weston_pid=
kavrel_pid=
cleanup() {
    for pid in $kavrel_pid $weston_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$runtime"
}
trap cleanup EXIT

# Waits up to 20 s for the command to succeed.
await() {
    tries=0
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -lt 200 ] || return 1
        sleep 0.1
    done
}

XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --use-pixman --no-config \
    --idle-time=0 --socket=wayland-kavrel >"$runtime/weston.log" 2>&1 &
weston_pid=$!
if ! await test -S "$runtime/wayland-kavrel"; then
    echo "weston did not start:"
    cat "$runtime/weston.log"
    exit 1
fi

env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-kavrel \
    QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$kavrel" 2>"$runtime/client.log" &
kavrel_pid=$!

# Mapped: after the toplevel's first configure is acknowledged, a buffer is attached and
# committed.
mapped() {
    if ! kill -0 "$kavrel_pid" 2>/dev/null; then
        echo "kavrel ended; its protocol log ends:"
        tail -n 40 "$runtime/client.log"
        exit 1
    fi
    awk '/-> xdg_surface@[0-9]+\.ack_configure\(/ { acked = 1 }
         acked && /-> wl_surface@[0-9]+\.attach\(wl_buffer@/ { attached = 1 }
         attached && /-> wl_surface@[0-9]+\.commit\(\)/ { found = 1 }
         END { exit !found }' "$runtime/client.log"
}
if ! await mapped; then
    echo "the window did not map; kavrel's protocol log ends:"
    tail -n 40 "$runtime/client.log"
    exit 1
fi
status=0
for request in "set_title(\"$title\")" "set_app_id(\"$app_id\")"; do
    if ! grep -qF -- "$request" "$runtime/client.log"; then
        echo "kavrel never sent $request"
        status=1
    fi
done
grep -F -e 'set_title(' -e 'set_app_id(' "$runtime/client.log"
exit "$status"
