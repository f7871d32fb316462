#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that Pucklight needs and that are missing.
#   scripts/deps.sh build   compiler, CMake, Qt (with its translation tools and translations), fonts
#                           and the MQTT client and QR code libraries
#   scripts/deps.sh test    the above plus what the test suite drives (Xvfb, xdotool, audio sink,
#                           Weston for the Wayland run, poppler's pdftotext for the game sheet,
#                           the mosquitto broker, its clients and openssl for the broker tests,
#                           zbarimg to read the QR code back, ip and curl for the remote control
#                           from a network namespace,
#                           D-Bus and AT-SPI to read the console as a screen reader does)
#                           and the validators of the installed menu entry and metainfo
#   scripts/deps.sh package the build's plus what `cpack -G DEB` and scripts/package-check.sh use
#   scripts/deps.sh ci      test and package, plus clang for the fuzzers, Google Benchmark and
#                           Chromium for the overlay page test (it skips itself where Chromium is
#                           absent)
set -euo pipefail

level=${1:-build}

build_pkgs=(g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev libgl1-mesa-dev gstreamer1.0-plugins-good
    libx11-dev libxkbcommon-dev libxtst-dev fonts-liberation2 fonts-dejavu-core
    qt6-httpserver-dev qt6-websockets-dev qt6-wayland qt6-tools-dev qt6-l10n-tools
    qt6-translations-l10n libmosquitto-dev libqrencode-dev)
test_pkgs=(xvfb xauth xdotool x11-utils x11-xkb-utils imagemagick pulseaudio pulseaudio-utils
    python3 weston desktop-file-utils appstream file man-db poppler-utils
    mosquitto mosquitto-clients openssl zbar-tools iproute2 curl dbus-daemon
    at-spi2-core)
package_pkgs=(dpkg-dev file desktop-file-utils appstream man-db debootstrap lintian)
ci_pkgs=(clang libclang-rt-14-dev libbenchmark-dev chromium)

pkgs=("${build_pkgs[@]}")
case "$level" in
build) ;;
test) pkgs+=("${test_pkgs[@]}") ;;
package) pkgs+=("${package_pkgs[@]}") ;;
ci) pkgs+=("${test_pkgs[@]}" "${package_pkgs[@]}" "${ci_pkgs[@]}") ;;
*) echo "usage: $0 [build|test|package|ci]" >&2; exit 2 ;;
esac

missing=()
for p in "${pkgs[@]}"; do
    [[ " ${missing[*]} " == *" $p "* ]] && continue # named by two groups
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "error: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
# A fresh machine (or container) may have empty package lists.
if ! "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
    "${sudo[@]}" apt-get update
    "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
