#!/usr/bin/env bash
# Runs a Windows program under Wine, on a virtual X screen when there is no display: the Windows
# build's way to run its tests. Qt Test on Windows writes its report to the debugger unless given a
# file (-o FILE,txt), so such a file is printed once the program ends.
# Usage: wine.sh PROGRAM.exe [ARGUMENTS...], with WINEPREFIX naming the prefix to use (made here on
# first use).
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would be looked for at each start.
# No menu builder: shortcuts an installer makes stay in the prefix, out of the host's menus.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# Wine keeps the host's QT_ variables from Windows programs and passes its WINEQT_ ones on under
# the QT_ names instead.
for name in $(compgen -e | grep '^QT_' || true); do
    export "WINE$name=${!name}"
done

(
    flock 9
    if [ ! -f "$WINEPREFIX/.made" ]; then
        "$wine" wineboot --init >/dev/null 2>&1
        # Wine links the user's Desktop, Documents and the like to the host's home; a shortcut or
        # file put there by a test would land outside the prefix.
        for folder in "$WINEPREFIX/drive_c/users/$(id -un)"/*; do
            if [ -L "$folder" ]; then rm "$folder" && mkdir "$folder"; fi
        done
        # Dialogs in Chinese ask for SimSun (宋体), which Wine lacks: the host's CJK font stands in.
        # The names are not ASCII, so they go through a registry file in UTF-16.
        printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n%s\r\n%s\r\n' \
            '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
            '"SimSun"="WenQuanYi Micro Hei"' '"宋体"="WenQuanYi Micro Hei"' |
            iconv -f UTF-8 -t UTF-16 >"$WINEPREFIX/fonts.reg"
        "$wine" regedit /S "$WINEPREFIX/fonts.reg"
        # Wine reports Windows 7 unless told otherwise.
        "$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null
        # Without a window manager Wine waits two seconds for one whenever a window closes; the
        # window tests open and close one per test.
        "$wine" reg add 'HKCU\Software\Wine\AppDefaults\tst_form1.exe\X11 Driver' /v Managed /d N \
            /f >/dev/null
        touch "$WINEPREFIX/.made"
    fi
) 9>"$WINEPREFIX.lock"

reports=()
previous=
for argument in "$@"; do
    [ "$previous" = -o ] && reports+=("${argument%,*}")
    previous=$argument
done
rm -f "${reports[@]}"

trap 'kill "$program" 2>/dev/null' TERM
"$wine" "$@" &
program=$!
status=0
wait "$program" || status=$?
for report in "${reports[@]}"; do
    [ -f "$report" ] && cat "$report"
done
exit $status
