#!/usr/bin/env bash
# Start-up time and memory of the program against bare Qt windows, on a private virtual screen.
# Usage: bench/startup.sh [RUNS]   (after a release build, as scripts/bench makes)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/release
runs=${1:-20}
programs=("$build/app/morvane" "$build/bench/bare_window" "$build/bench/bare_text_window")

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR QT_QPA_PLATFORM=xcb
# -br: a black background, which the probe watches the window's first paint replace.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -br -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
xvfb=$!
trap 'kill $xvfb; rm -rf "$XDG_RUNTIME_DIR"' EXIT
read -r -u "$fd" number
export DISPLAY=:$number

results=$(mktemp -d)
for ((run = 0; run < runs; ++run)); do
    for program in "${programs[@]}"; do
        "$build/bench/startup_probe" "$program" >>"$results/$(basename "$program")"
    done
done

median() { # file column
    sort -n -k"$2" "$1" | awk -v c="$2" '{ v[NR] = $c }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
echo "Medians of $runs alternating runs: exec to window mapped and painted; resident memory then."
for program in "${programs[@]}"; do
    name=$(basename "$program")
    printf '%-17s %7.1f ms %8d KiB\n' "$name" "$(median "$results/$name" 1)" \
        "$(median "$results/$name" 2)"
done
ratio() { # against column
    awk -v a="$(median "$results/morvane" "$2")" -v b="$(median "$results/$1" "$2")" \
        'BEGIN { printf "%.2f", a / b }'
}
for floor in bare_window bare_text_window; do
    echo "morvane / $floor: start-up $(ratio $floor 1), memory $(ratio $floor 2)"
done
rm -rf "$results"
