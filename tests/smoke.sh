#!/usr/bin/env bash
# Starts the real program on an X screen and checks the window it maps, at normal and double scale,
# and at normal scale the typical use: 20 and 10 typed, both level buttons, every box read back
# through the clipboard as a user would copy it.
# Usage: smoke.sh [RUNNER] PROGRAM (under xvfb-run or another X server); the Windows build gives
# Wine's runner. QT_QPA_PLATFORM names Qt's platform, xcb unless set. SCREEN_SCALE is the scale the
# desktop itself sets (Wine's LogPixels / 96), 1 unless set: the window and its controls grow by it.
# With SCREENSHOT naming a PNG file, the window after the typical use is pictured there.
set -euo pipefail
table=$(dirname "$0")/../app/controltable.cpp
screen_scale=${SCREEN_SCALE:-1}

source "$(dirname "${BASH_SOURCE[0]}")/check.sh"

# The middle of a control in the window, in pixels, from its row in the control table.
centre() { # name
    awk -F', *' -v name="\"$1\"" -v scale="$screen_scale" 'index($1, name) {
        print int(($4 + $6 / 2) / 15 * scale), int(($5 + $7 / 2) / 15 * scale) }' "$table"
}
click() { # window name
    read -r x y <<<"$(centre "$2")"
    xdotool mousemove --window "$1" "$x" "$y" click 1
    sleep 0.2
}
# What a box holds, selected whole and copied.
copied() { # window name
    printf 'nothing copied' | xclip -selection clipboard >/dev/null 2>&1
    click "$1" "$2"
    xdotool key ctrl+a ctrl+c
    local text
    for _ in $(seq 20); do
        text=$(xclip -o -selection clipboard 2>/dev/null || true)
        [ "$text" != 'nothing copied' ] && break
        sleep 0.1
    done
    echo "$text"
}

typical_use() { # window
    click "$1" Text1
    xdotool type 20
    click "$1" Text2
    xdotool type 10
    click "$1" Command1
    click "$1" Command2
    local support=() resistance=() number
    for number in $(seq 3 9); do support+=("$(copied "$1" "Text$number")"); done
    for number in $(seq 16 -1 10); do resistance+=("$(copied "$1" "Text$number")"); done
    check "the support column reads 20.00 to 10.00 (got ${support[*]})" \
        test "${support[*]}" = "20.00 18.09 16.18 15.00 13.82 11.91 10.00"
    check "the resistance column reads 10.00 to 20.00 top to bottom (got ${resistance[*]})" \
        test "${resistance[*]}" = "10.00 11.91 13.82 15.00 16.18 18.09 20.00"
    if [ -n "${SCREENSHOT:-}" ]; then
        # The caret back in the low price, where the user typed last, and no selection.
        click "$1" Text2
        xdotool key End
        sleep 0.5
        import -window "$1" "$SCREENSHOT"
    fi
}

for scale in 1 2; do
    # The client area is 241 x 471 pixels at 100 %, rounded to whole pixels when scaled.
    size=$(awk -v f="$scale" -v g="$screen_scale" \
        'BEGIN { printf "%dx%d", int(241 * f * g + 0.5), int(471 * f * g + 0.5) }')
    log=$(mktemp)
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-xcb} QT_SCALE_FACTOR=$scale "$@" >"$log" 2>&1 &
    pid=$!
    info=
    for _ in $(seq 200); do
        info=$(xwininfo -name Morvane 2>/dev/null) && grep -q IsViewable <<<"$info" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    icons=$(xprop -name Morvane _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' || true)
    actual=$(awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }' <<<"$info")
    check "at scale $scale the window Morvane is mapped with client size $size (got $actual)" \
        test "$actual" = "$size"
    check "at scale $scale the window shows its icon" test -n "$icons"
    if [ "$scale" = 1 ]; then
        # A scaled desktop may scale the icons too.
        [ "$screen_scale" = 1 ] && check "the icon comes in 16 and 32 pixels" \
            test "$(sort <<<"$icons" | tr '\n' ' ')" = "Icon (16 x 16) Icon (32 x 32) "
        typical_use "$(awk '/Window id:/ { print $4 }' <<<"$info")"
    fi

    kill "$pid" 2>/dev/null || echo "The program had ended by itself."
    wait "$pid" || true
    # Wine may still be taking the window down; the next start must not find it.
    for _ in $(seq 50); do
        xwininfo -name Morvane >/dev/null 2>&1 || break
        sleep 0.1
    done
    grep -v XDG_RUNTIME_DIR "$log" || true
    rm -f "$log"
done
exit $status
