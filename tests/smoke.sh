#!/usr/bin/env bash
# Starts the real program on an X screen and checks the window it maps, at normal and double scale.
# Usage: smoke.sh PROGRAM (under xvfb-run or another X server).
set -euo pipefail
program=$1

window_size() { # scale
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$1 "$program" &
    local pid=$! info=
    for _ in $(seq 100); do
        info=$(xwininfo -name Morvane 2>/dev/null) && grep -q IsViewable <<<"$info" && break
        sleep 0.1
    done
    kill "$pid"
    wait "$pid" || true
    awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }' <<<"$info"
}

status=0
for expected in "1 241x471" "2 482x942"; do
    read -r scale size <<<"$expected"
    actual=$(window_size "$scale")
    if [ "$actual" = "$size" ]; then
        echo "PASS: window Morvane mapped at scale $scale with client size $actual"
    else
        echo "FAIL: at scale $scale the client size is '$actual', not $size"
        status=1
    fi
done
exit $status
