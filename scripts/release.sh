#!/usr/bin/env bash
# Makes the files of a release in dist/ (installing what is missing first):
#   Cuadrix-VERSION-win32.zip   the program, its README as plain text and the sample chart;
#   Cuadrix-VERSION.msi         a per-user installation (no administrator rights needed);
#   Cuadrix-VERSION-win32.debug the program's debug information, named in the program by its
#                               debug link, so a crash address can still be read.
# The version is VERSION's. The program is the 32-bit build scripts/test.sh makes (build/win32,
# optimised, with debug information), built again as a release: its product version carries no
# commit hash. Then the debug information is moved out of it.
# Usage: scripts/release.sh [--version X.Y.Z] [--out DIR]
#   --version  the files of another version (the upgrade test makes a newer one);
#   --out      another folder than dist/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CUADRIX_BUILD:-$root/build}
win32=${CUADRIX_RELEASE_BUILD:-$build/win32}
out=$root/dist
version=$(tr -d ' \t\r\n' <"$root/VERSION")
while [ $# -gt 0 ]; do
    case $1 in
    --version) version=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: scripts/release.sh [--version X.Y.Z] [--out DIR]" >&2; exit 1 ;;
    esac
done
if ! [[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
    echo "error: version '$version' is not MAJOR.MINOR.PATCH" >&2
    exit 1
fi

"$root/scripts/deps.sh"

echo "Building Cuadrix $version (32 bit) in $win32"
mkdir -p "$win32"
cmake -S "$root" -B "$win32" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" >"$win32.release-configure.log" 2>&1 ||
    { cat "$win32.release-configure.log" >&2; exit 1; }
CUADRIX_RELEASE=1 CUADRIX_VERSION=$version cmake --build "$win32" -j "$(nproc)" --target Cuadrix \
    >"$win32.release-build.log" 2>&1 || { grep -E "error|Error" "$win32.release-build.log" | head -40 >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$out"
zip_name=Cuadrix-$version-win32.zip
msi_name=Cuadrix-$version.msi
debug_name=Cuadrix-$version-win32.debug

# The debug information goes to a file of its own; the program keeps only its name and checksum.
objcopy=i686-w64-mingw32-objcopy
$objcopy --only-keep-debug "$win32/Cuadrix.exe" "$out/$debug_name"
$objcopy --strip-all "$win32/Cuadrix.exe" "$stage/Cuadrix.exe"
(cd "$out" && $objcopy --add-gnu-debuglink="$debug_name" "$stage/Cuadrix.exe")

# The README without its pictures, with Windows line ends so that any editor shows its lines.
sed -E '/^!\[[^]]*\]\([^)]*\)$/d' "$root/README.md" | sed 's/$/\r/' >"$stage/README.txt"
cp "$root/samples/Organigrama.qdrx" "$stage/"

rm -f "$out/$zip_name"
(cd "$stage" && zip -q -X "$out/$zip_name" Cuadrix.exe README.txt Organigrama.qdrx)

# wixl takes the files by paths relative to the package source.
cp "$root/packaging/Cuadrix.wxs" "$stage/"
cp "$win32/art/200.ico" "$stage/Cuadrix.ico"
(cd "$stage" && wixl -a x86 -D Version="$version" -D Files=. -D Icon=Cuadrix.ico -o "$out/$msi_name" Cuadrix.wxs) ||
    { echo "error: wixl could not build the installer" >&2; exit 1; }

size() { stat -c %s "$1"; }
echo "Cuadrix $version:"
printf '  %-34s %9d bytes\n' "Cuadrix.exe" "$(size "$stage/Cuadrix.exe")" \
    "$zip_name" "$(size "$out/$zip_name")" "$msi_name" "$(size "$out/$msi_name")" \
    "$debug_name" "$(size "$out/$debug_name")"
echo "in $out"
