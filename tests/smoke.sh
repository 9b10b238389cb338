#!/usr/bin/env bash
# Starts the real program on an X screen and checks the window it maps, at normal and double scale.
# Usage: smoke.sh PROGRAM (under xvfb-run or another X server).
set -euo pipefail
program=$1

status=0
check() { # description command...
    local description=$1
    shift
    if "$@"; then echo "PASS: $description"; else echo "FAIL: $description"; status=1; fi
}

for expected in "1 241x471" "2 482x942"; do
    read -r scale size <<<"$expected"
    log=$(mktemp)
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$program" >"$log" 2>&1 &
    pid=$!
    info=
    for _ in $(seq 200); do
        info=$(xwininfo -name Morvane 2>/dev/null) && grep -q IsViewable <<<"$info" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    icons=$(xprop -name Morvane _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' || true)
    kill "$pid" 2>/dev/null || echo "The program had ended by itself."
    wait "$pid" || true
    grep -v XDG_RUNTIME_DIR "$log" || true
    rm -f "$log"

    actual=$(awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }' <<<"$info")
    check "at scale $scale the window Morvane is mapped with client size $size" \
        test "$actual" = "$size"
    check "at scale $scale the window shows its icon" test -n "$icons"
    if [ "$scale" = 1 ]; then
        check "the icon comes in 16 and 32 pixels" test "$(echo $icons)" = "Icon (16 x 16) Icon (32 x 32)"
    fi
done
exit $status
