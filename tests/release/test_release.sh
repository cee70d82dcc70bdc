#!/usr/bin/env bash
# The release files as a user gets them: scripts/release.sh makes this version's files and those of
# the next version; the ZIP holds the small program with its version and a debug link that reads
# crash addresses; in a fresh Wine prefix the MSI installs without a window, the program starts
# from its Start menu shortcut and opens a chart through the association without offering to
# register it, the newer MSI replaces the older, and uninstalling leaves nothing the installer put
# there. Ordinary builds name their commit in the product version, releases do not. Run by
# scripts/test.sh with a display; usage: test_release.sh BUILD_DIR (it rebuilds BUILD_DIR/win32's
# program as an ordinary build before it ends).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
win32=${CUADRIX_RELEASE_BUILD:-$build/win32}
export CUADRIX_RELEASE_BUILD=$win32 # where scripts/release.sh builds
report_exe=$win32/tests/InstallReport.exe
work=$build/release-test
prefix=$build/wineprefix-install
upgrade_code='{88635067-4647-45FE-B4AC-2FC350A28897}'

fail() {
    echo "FAIL: $*" >&2
    import -window root "$work/failure.png" 2>/dev/null && echo "screenshot: $work/failure.png" >&2
    exit 1
}
expect_eq() { [ "$1" = "$2" ] || fail "$3: expected '$1', got '$2'"; }

# --- the files
rm -rf "$work"
mkdir -p "$work"
v1=$(tr -d ' \t\r\n' <"$root/VERSION")
v2=$(awk -F. '{ printf "%d.%d.%d", $1, $2, $3 + 1 }' <<<"$v1")
"$root/scripts/release.sh" --out "$work/v1" || fail "release script failed"
"$root/scripts/release.sh" --version "$v2" --out "$work/v2" >/dev/null || fail "release script failed for $v2"
for f in "Cuadrix-$v1-win32.zip" "Cuadrix-$v1.msi" "Cuadrix-$v1-win32.debug"; do
    [ -s "$work/v1/$f" ] || fail "$f not made"
done
mkdir -p "$work/zip"
unzip -q "$work/v1/Cuadrix-$v1-win32.zip" -d "$work/zip"
expect_eq "Cuadrix.exe Organigrama.qdrx README.txt" "$(cd "$work/zip" && echo *)" "files of the ZIP"
cmp -s "$root/samples/Organigrama.qdrx" "$work/zip/Organigrama.qdrx" || fail "the ZIP's sample chart differs"
grep -q $'^## Developing Cuadrix\r$' "$work/zip/README.txt" || fail "README.txt is not the README with CRLF"
! grep -q '^!\[' "$work/zip/README.txt" || fail "README.txt names pictures it does not have"
exe_size=$(stat -c %s "$work/zip/Cuadrix.exe")
[ "$exe_size" -lt $((4 * 1024 * 1024)) ] || fail "Cuadrix.exe has $exe_size bytes"

# The debug link names the debug file with its checksum; the file turns an address into a line.
objdump=i686-w64-mingw32-objdump
! $objdump -h "$work/zip/Cuadrix.exe" | grep -q '\.debug_' || fail "the program still holds debug information"
i686-w64-mingw32-objcopy --dump-section .gnu_debuglink="$work/debuglink" "$work/zip/Cuadrix.exe" "$work/ignored.exe" ||
    fail "the program has no debug link"
python3 - "$work/debuglink" "$work/v1/Cuadrix-$v1-win32.debug" <<'PY' || fail "the debug link does not match"
import os, struct, sys, zlib
link = open(sys.argv[1], "rb").read()
name = link[:link.index(b"\0")].decode()
crc = struct.unpack("<I", link[(len(name) + 4) // 4 * 4:][:4])[0]
sys.exit(name != os.path.basename(sys.argv[2]) or crc != zlib.crc32(open(sys.argv[2], "rb").read()))
PY
address=$(i686-w64-mingw32-nm "$work/v1/Cuadrix-$v1-win32.debug" | awk '$3 == "__Z10RunProgramv" { print $1 }')
i686-w64-mingw32-addr2line -e "$work/v1/Cuadrix-$v1-win32.debug" "0x$address" | grep -q 'app/shell/WindowInit.cpp:[0-9]' ||
    fail "the debug file does not place RunProgram"

# --- a fresh prefix, with nothing of the user's desktop touched
export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The test printer queue of the other tests is not part of this fresh installation: a prefix made
# while it runs would list it among its devices.
unset CUPS_SERVER
[ -n "${DISPLAY:-}" ] || fail "no display"
program_pid=""
finish() {
    if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
    wineserver -k >/dev/null 2>&1 || true
}
trap finish EXIT
rm -rf "$prefix"
wineboot -i >/dev/null 2>&1
wineserver -w
report() { wine "$report_exe" "$@" | tr -d '\r'; }
field() { sed -n "s/^$1=//p"; } # NAME, on a report
windows_path() { tr / '\\' <<<"Z:$1"; }
unix_path() { winepath -u "$1" 2>/dev/null; }
registry() { wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'; }

wait_window() { # title pattern; prints the window id
    local id
    for _ in $(seq 160); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.25
    done
    return 1
}
# Leaves the program as a user does: Escape, then Yes to "leave?".
leave_program() { # window id
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key Escape
    wait_window '^Programador$' >/dev/null || fail "the exit question did not appear"
    xdotool key Return
    for _ in $(seq 80); do
        [ -z "$(xdotool search --onlyvisible --name "$2" 2>/dev/null || true)" ] && return 0
        sleep 0.25
    done
    fail "the program did not end"
}
# The start-up offer to register work files has the caption "...". It shows before the main
# window and holds it back, so a main window with no offer before it means none was asked.
no_offer() { [ -z "$(xdotool search --onlyvisible --name '^\.\.\.$' 2>/dev/null || true)" ]; }

# An ordinary build carries the commit in its product version (a release does not: below).
cmake --build "$win32" --target Cuadrix >/dev/null || fail "the ordinary build failed"
expect_eq "$v1+$(git -C "$root" rev-parse --short HEAD)" \
    "$(report version "$(windows_path "$win32/Cuadrix.exe")" | field ProductVersion)" "version of an ordinary build"

local_appdata=$(wine cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')
app_data=$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')
install_win="$local_appdata\\Programs\\Cuadrix"
install_dir=$(unix_path "$install_win")
shortcut_win="$app_data\\Microsoft\\Windows\\Start Menu\\Programs\\Cuadrix.lnk"
shortcut=$(unix_path "$shortcut_win")

check_installed() { # version, folder of its files
    local products
    products=$(report products "$upgrade_code")
    expect_eq 1 "$(grep -c '^Product=' <<<"$products")" "installed products"
    expect_eq Cuadrix "$(field Name <<<"$products")" "name in Apps & features"
    expect_eq "$1" "$(field Version <<<"$products")" "version in Apps & features"
    expect_eq Velmora "$(field Publisher <<<"$products")" "publisher in Apps & features"
    expect_eq 0 "$(field AssignmentType <<<"$products")" "installed for the user only"
    [ -s "$(unix_path "$(field Icon <<<"$products")")" ] || fail "no icon for Apps & features"
    for f in Cuadrix.exe README.txt Organigrama.qdrx; do
        cmp -s "$2/$f" "$install_dir/$f" || fail "$f not installed as released"
    done
    expect_eq "$1" "$(report version "$install_win\\Cuadrix.exe" | field ProductVersion)" "installed program"
    local type
    for type in qdrx qdrb; do
        expect_eq $type-files "$(registry "HKCU\\Software\\Classes\\.$type")" "file type .$type"
        expect_eq "\"$install_win\\Cuadrix.exe\" \"%1\"" \
            "$(registry "HKCU\\Software\\Classes\\$type-files\\Shell\\Open\\Command")" "open command of .$type"
        expect_eq "$install_win\\Cuadrix.exe,1" "$(registry "HKCU\\Software\\Classes\\$type-files\\DefaultIcon")" "icon of .$type"
        wine reg query "HKLM\\Software\\Classes\\.$type" >/dev/null 2>&1 && fail ".$type registered for the machine"
    done
    local link
    link=$(report shortcut "$shortcut_win") || fail "no Start menu shortcut"
    expect_eq "$install_win\\Cuadrix.exe" "$(field Target <<<"$link")" "shortcut target"
    [ -s "$(unix_path "$(field Icon <<<"$link" | sed 's/,[0-9]*$//')")" ] || fail "shortcut without its icon"
    echo "installed $1: $(cd "$install_dir" && echo *), shortcut, association, one product"
}

# --- install, start from the shortcut, open a chart through the association
wine msiexec /i "$(windows_path "$work/v1/Cuadrix-$v1.msi")" /qn || fail "msiexec /i failed"
check_installed "$v1" "$work/zip"

zip_version=$(report version "$(windows_path "$work/zip/Cuadrix.exe")")
expect_eq "$v1" "$(field ProductVersion <<<"$zip_version")" "ProductVersion of a release"
expect_eq "$v1" "$(field FileVersion <<<"$zip_version")" "FileVersion"
expect_eq "$v1.0" "$(field FixedFileVersion <<<"$zip_version")" "fixed file version"
expect_eq Cuadrix "$(field ProductName <<<"$zip_version")" "ProductName"
expect_eq Cuadrix.exe "$(field OriginalFilename <<<"$zip_version")" "OriginalFilename"
grep -q '^FileDescription=.' <<<"$zip_version" || fail "no FileDescription"
grep -q '^LegalCopyright=.*Velmora' <<<"$zip_version" || fail "no LegalCopyright"

wine start "$shortcut_win" >/dev/null 2>&1 &
window=$(wait_window '^Organigrama$') || fail "the program did not start from its shortcut"
no_offer || fail "the installed program offered to register its work files"
leave_program "$window" '^Organigrama$'

cp "$root/samples/Organigrama.qdrx" "$work/Mi equipo.qdrx"
# Not through a pipe: the program started holds the tool's output open while it runs.
wine "$report_exe" open "$(windows_path "$work/Mi equipo.qdrx")" >/dev/null 2>&1 || fail "no open command for .qdrx"
window=$(wait_window '^Mi equipo\.qdrx - ') || fail "the chart did not open through the association"
no_offer || fail "the program offered to register its work files"
leave_program "$window" '^Mi equipo'
# The user's settings beside the program, as a change of language writes them.
printf '[General]\r\nIdioma=5\r\n' >"$install_dir/Cuadrix.ini"

# --- the next version replaces this one
first_product=$(report products "$upgrade_code" | field Product)
mkdir -p "$work/zip2"
unzip -q "$work/v2/Cuadrix-$v2-win32.zip" -d "$work/zip2"
wine msiexec /i "$(windows_path "$work/v2/Cuadrix-$v2.msi")" /qn || fail "msiexec /i of $v2 failed"
check_installed "$v2" "$work/zip2"
[ "$(report products "$upgrade_code" | field Product)" != "$first_product" ] || fail "$v2 kept the product of $v1"

# --- uninstalling leaves the user's settings and nothing else
wine msiexec /x "$(windows_path "$work/v2/Cuadrix-$v2.msi")" /qn || fail "msiexec /x failed"
expect_eq "" "$(report products "$upgrade_code")" "products after uninstalling"
left=$(cd "$install_dir" && echo *)
expect_eq Cuadrix.ini "$left" "left in the program folder"
[ ! -e "$shortcut" ] || fail "the Start menu shortcut is still there"
for key in 'HKCU\Software\Classes\.qdrx' 'HKCU\Software\Classes\qdrx-files' \
    'HKCU\Software\Classes\.qdrb' 'HKCU\Software\Classes\qdrb-files'; do
    wine reg query "$key" >/dev/null 2>&1 && fail "$key is still registered"
done
for hive in HKCU HKLM; do
    wine reg export "$hive" "$(windows_path "$work/$hive.reg")" /y >/dev/null 2>&1 || fail "reg export $hive"
    remains=$(iconv -f UTF-16 -t UTF-8 "$work/$hive.reg" | grep -i -E 'cuadrix|qdrx|qdrb|velmora' || true)
    [ -z "$remains" ] || fail "left in $hive: $remains"
done
echo "uninstalled: $left left beside where the program was, no shortcut, no registry entries"

# The portable program, started from the ZIP's folder after that, finds no registration and offers it.
(cd "$work/zip" && exec wine Cuadrix.exe) >/dev/null 2>&1 &
program_pid=$!
offer=$(wait_window '^\.\.\.$') || fail "the portable program did not offer the registration"
xdotool windowfocus --sync "$offer" 2>/dev/null || true
xdotool key n
window=$(wait_window '^Organigrama$') || fail "the portable program did not start"
leave_program "$window" '^Organigrama$'
echo "ok"
