#!/usr/bin/env bash
# Installs what building, running and testing Cuadrix need (Debian packages), only when missing.
set -euo pipefail

packages=(cmake make g++ clang python3 googletest zlib1g-dev libz-mingw-w64-dev
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 wine32:i386 xvfb xauth x11-utils xdotool imagemagick
          fonts-liberation fonts-wine fonts-wqy-microhei
          cups printer-driver-cups-pdf libcups2:i386 poppler-utils qpdf
          fonts-dejavu-core chromium
          wixl zip unzip)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${missing[*]}"
log=$(mktemp)
if ! {
    dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
} >"$log" 2>&1; then
    tail -30 "$log" >&2
    echo "error: could not install the packages Cuadrix needs: ${missing[*]}" >&2
    exit 1
fi
rm -f "$log"
