#!/usr/bin/env bash
# Checks the two Windows downloads the way a user meets them, under Wine: the installer refusing a
# Windows older than 10, installed silently into a folder whose name has Chinese characters and a
# space, the installed program's window at 150 %, a second install over the first, a silent
# uninstall, an install into the default folder, an install that cannot write its folder; and the
# portable zip unpacked.
# Usage: downloads.sh BUILD-DIRECTORY (under xvfb-run or another X server), with WINEPREFIX set.
set -euo pipefail
build=$(realpath "$1")
tests=$(cd "$(dirname "$0")" && pwd)
wine=$tests/wine.sh
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
shown=$(sed -n 's/^MORVANE_VERSION:INTERNAL=//p' "$build/CMakeCache.txt")
installer=$build/Morvane-$version-setup.exe
zip=$build/Morvane-$version-win64.zip
# Wine hands Chinese arguments to Windows programs through the host's character set.
export LC_ALL=C.UTF-8
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

source "$(dirname "${BASH_SOURCE[0]}")/check.sh"
run() { # a Windows program and its arguments
    local code=0
    "$wine" "$@" || code=$?
    # The uninstaller runs on from a copy of itself; wait for every Windows process.
    /usr/lib/wine/wineserver -w
    return $code
}
# The installer's command line goes through cmd as a person types it: /D= must stand unquoted.
setup() { # options
    run cmd /c "Z:${installer//\//\\} $1"
}

user=$(id -un)
home=$WINEPREFIX/drive_c/users/$user
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane'
# An entry's values as a .reg file writes them, one a line.
entry() {
    "$wine" reg export "$key" "$scratch/entry.reg" /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$scratch/entry.reg" | tr -d '\r'
}
entries() { # how many entries in Settings > Apps are named Morvane
    "$wine" reg export 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
        "$scratch/all.reg" /y >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$scratch/all.reg" | grep -c '^"DisplayName"="Morvane"' || true
}

# What an install into FOLDER (a Windows path under the user's folder) makes: files and shortcuts,
# and the values of its entry in Settings > Apps.
installed_files() { # folder
    local unix=$home/${1//\\//}
    printf '%s\n' "$unix/Morvane.exe" "$unix/LICENSE.txt" "$unix/NOTICES.txt" \
        "$unix/Uninstall.exe" \
        "$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Morvane.lnk" \
        "$home/Desktop/Morvane.lnk"
}
installed_values() { # folder, as .reg lines (backslashes and quotes escaped)
    local windows="C:\\\\users\\\\$user\\\\${1//\\/\\\\}"
    printf '%s\n' '"DisplayName"="Morvane"' '"DisplayVersion"="'"$shown"'"' \
        "\"DisplayIcon\"=\"$windows\\\\Morvane.exe,0\"" '"Publisher"="Morvane 开发者"' \
        "\"InstallLocation\"=\"$windows\"" \
        "\"UninstallString\"=\"\\\"$windows\\\\Uninstall.exe\\\"\"" \
        "\"QuietUninstallString\"=\"\\\"$windows\\\\Uninstall.exe\\\" /S\"" \
        '"NoModify"=dword:00000001' '"NoRepair"=dword:00000001'
}
check_installed() { # folder
    local file value values
    while read -r file; do check "installed: ${file#"$home/"}" test -f "$file"; done \
        < <(installed_files "$1")
    values=$(entry)
    while read -r value; do check "entry: $value" grep -qxF "$value" <<<"$values"; done \
        < <(installed_values "$1")
    # In KiB, about the size of the program.
    check "entry: EstimatedSize near the program's size" test \
        "$(( $(sed -n 's/^"EstimatedSize"=dword://p' <<<"$values" | sed 's/^/0x/') * 1024 \
            / $(stat -c %s "$build/Morvane.exe") ))" = 1
}
check_removed() { # folder
    local file
    while read -r file; do check "removed: ${file#"$home/"}" test ! -e "$file"; done \
        < <(installed_files "$1")
    check "removed: the entry in Settings > Apps" test -z "$(entry)"
}

# A run before may have stopped half-way.
"$wine" reg delete "$key" /f >/dev/null 2>&1 || true
"$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null
rm -rf "$home/交易 工具" "$home/AppData/Local/Programs/Morvane" "$home/Desktop/Morvane.lnk" \
    "$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Morvane.lnk"

# On a Windows older than 10, where the program could not start, the installer refuses and installs
# nothing: silently with /S, with a message to a person.
installs_nothing() {
    test -z "$(find "$home" -name Morvane.lnk -o -name Morvane.exe)" && test -z "$(entry)"
}
for old in win7 win81; do
    "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$old" /f >/dev/null
    code=0
    setup /S || code=$?
    check "on $old a silent install is refused (exit code $code)" test "$code" -ne 0
    check "on $old a silent install installs nothing" installs_nothing
done
code=0
setup "" &
installer_pid=$!
message=
for _ in $(seq 100); do
    message=$(xdotool search --name '^Morvane 安装$' 2>/dev/null | head -n 1) && break
    sleep 0.1
done
check "on win81 the installer shows its message" test -n "$message"
[ -n "$message" ] && xdotool windowfocus --sync "$message" key Return
# Return closes the message; on the first page of the wizard it would go on to the next.
for _ in $(seq 100); do
    kill -0 "$installer_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$installer_pid" 2>/dev/null && /usr/lib/wine/wineserver -k
wait "$installer_pid" || code=$?
check "on win81 the installer ends with a non-zero exit code once the message is closed ($code)" \
    test "$code" -ne 0
check "on win81 the installer installs nothing" installs_nothing
"$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null

folder='交易 工具\Morvane'
check "a silent install into \"$folder\" succeeds" setup "/S /D=C:\\users\\$user\\$folder"
check_installed "$folder"
# The installed program at 150 %: Wine scales the desktop by LogPixels / 96.
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
check "the installed program passes the smoke test at 150 %" env SCREEN_SCALE=1.5 \
    "$tests/smoke.sh" "$wine" "$home/${folder//\\//}/Morvane.exe"
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null

check "a second install over the first succeeds" setup "/S /D=C:\\users\\$user\\$folder"
check "after it Settings > Apps has one entry" test "$(entries)" = 1
echo '我的笔记' >"$home/${folder//\\//}/笔记.txt"
# The quiet uninstall command as the entry gives it: "PROGRAM" /S. Wine would escape its quotes on
# the way to cmd, so the program is started by its Unix path.
quiet=$(entry | sed -n 's/^"QuietUninstallString"="\\"\(.*\)\\" \/S"$/\1/p' | sed 's/\\\\/\//g')
check "the entry's quiet uninstall succeeds" run "$home/${quiet#C:/users/"$user"/}" /S
check_removed "$folder"
check "the user's own file stays, and its folder" test -f "$home/${folder//\\//}/笔记.txt"

default='AppData\Local\Programs\Morvane'
check "a silent install without /D succeeds" setup /S
check_installed "$default"
check "the uninstaller's /S succeeds" run "$home/${default//\\//}/Uninstall.exe" /S
check_removed "$default"
check "the emptied folder is removed" test ! -e "$home/${default//\\//}"

# Even root cannot write the host's /proc: as drive R: it is a folder no install can write.
ln -sfn /proc "$WINEPREFIX/dosdevices/r:"
code=0
setup "/S /D=R:\\Morvane" || code=$?
check "an install that cannot write its folder fails (exit code $code)" test "$code" -ne 0
check "after it there is no shortcut" test -z "$(find "$home" -name Morvane.lnk)"
check "after it there is no entry in Settings > Apps" test -z "$(entry)"
rm "$WINEPREFIX/dosdevices/r:"

unpacked=$scratch/zip
mkdir "$unpacked"
(cd "$unpacked" && unzip -q "$zip")
name=Morvane-$version
folder=$unpacked/$name
check "the zip holds one folder with the program, its licence, the notices and a read-me" \
    test "$(cd "$unpacked" && find . | sort | tr '\n' ' ')" = ". ./$name ./$name/LICENSE.txt \
./$name/Morvane.exe ./$name/NOTICES.txt ./$name/README.txt "
check "the zip's program is the build's" cmp -s "$folder/Morvane.exe" "$build/Morvane.exe"
notepad_text() { # file: UTF-8 with a byte-order mark, every line ended by CRLF
    [ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' ')" = efbbbf ] &&
        iconv -f UTF-8 -t UTF-8 "$1" >/dev/null &&
        [ "$(grep -c $'\r$' "$1")" = "$(wc -l <"$1")" ] && [ -z "$(tail -c 1 "$1" | tr -d '\n')" ]
}
for text in LICENSE NOTICES README; do
    check "$text.txt is UTF-8 with a byte-order mark and CRLF line ends" \
        notepad_text "$folder/$text.txt"
done
exit $status
