#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks Pucklight as it is installed and packaged, and its licence.
#   scripts/package-check.sh install [BUILD]   `cmake --install` into a temporary prefix: every
#       file in place, the validators on the menu entry and the metainfo, and the program
#       started from the prefix finds its sounds and manual and opens (offscreen). CTest runs it.
#   scripts/package-check.sh deb [BUILD]       `cpack -G DEB` in BUILD (configured with
#       -DCMAKE_INSTALL_PREFIX=/usr); prints the package's path, its fields and files, checks
#       its licence and changelog, the program's hardening, and that lintian finds no error
#       and no warning. CI runs it (.ci/run).
#   scripts/package-check.sh chroot DEB DIR    installs the package with apt into the Debian 12
#       tree DIR (made with debootstrap when DIR is empty or missing), runs `pucklight
#       --version` there, checks that the sounds and the manual were found and that the
#       dialogs' sans-serif is no monospace font, and starts the program. As root.
#   scripts/package-check.sh licence           LICENSE is the GPL version 3, and every source,
#       script and build file has its SPDX line. CTest runs it.
# BUILD is the build folder, build/ by default. Exits non-zero at the first fault.
set -euo pipefail

app_id=org.pucklight.Pucklight
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=SCRIPTDIR/../tests/support/isolatedenv.sh
source "$here/tests/support/isolatedenv.sh"

fail() {
    echo "package-check: $*" >&2
    exit 1
}

need() {
    command -v "$1" >/dev/null 2>&1 || fail "$1 is missing: run scripts/deps.sh $2"
}

# The lines `pucklight --version` prints for its files, when they lie in DATA.
expected_files() {
    printf 'buzzer: %s/buzzer.wav\nhorn: %s/horn.wav\nmanual: %s/pucklighthelpfile.rtf\n' \
        "$1" "$1" "$1"
}

check_install() {
    local build=${1:-$here/build}
    need desktop-file-validate test
    need appstreamcli test
    need file package
    [[ -x $build/pucklight ]] || fail "no program in $build: build it first"
    tmp=$(realpath "$(mktemp -d)")
    trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$tmp"' EXIT
    local prefix=$tmp/prefix
    cmake --install "$build" --prefix "$prefix" >/dev/null

    local share=$prefix/share icons=$prefix/share/icons/hicolor
    for f in "$prefix/bin/pucklight" "$share/pucklight/buzzer.wav" "$share/pucklight/horn.wav" \
        "$share/pucklight/pucklighthelpfile.rtf" "$share/applications/$app_id.desktop" \
        "$share/metainfo/$app_id.metainfo.xml" "$icons/scalable/apps/$app_id.svg" \
        "$share/man/man1/pucklight.1.gz" "$share/doc/pucklight/copyright" \
        "$share/doc/pucklight/changelog.gz"; do
        [[ -s $f ]] || fail "not installed: ${f#"$prefix"/}"
    done
    for size in 48 128 256; do
        file -b "$icons/${size}x$size/apps/$app_id.png" | grep -q "PNG image data, $size x $size" ||
            fail "no ${size} px icon"
    done
    # Nothing of the build tree stays in the installed program.
    if readelf -d "$prefix/bin/pucklight" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
        fail "the installed program still looks for libraries in $build"
    fi

    desktop-file-validate "$share/applications/$app_id.desktop"
    appstreamcli validate --no-net --explain "$share/metainfo/$app_id.metainfo.xml" >"$tmp/as.log" ||
        { cat "$tmp/as.log" >&2; fail "appstreamcli found faults in the metainfo"; }
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
        "$share/metainfo/$app_id.metainfo.xml" || fail "the metainfo names another menu entry"
    grep -qx "Icon=$app_id" "$share/applications/$app_id.desktop" || fail "the menu entry's icon"
    grep -qx "Exec=pucklight" "$share/applications/$app_id.desktop" || fail "the menu entry's Exec"
    grep -qx "Exec=pucklight --screen 1 --fullscreen --console" \
        "$share/applications/$app_id.desktop" || fail "the menu entry's action for two screens"
    if command -v man >/dev/null 2>&1; then
        LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$share/man/man1/pucklight.1.gz" \
            2>"$tmp/man.log" >/dev/null
        [[ ! -s $tmp/man.log ]] || { cat "$tmp/man.log" >&2; fail "the man page has faults"; }
    fi

    # The program from the prefix, with no other copy of its files anywhere it looks: it finds
    # them under the prefix, with a display and without.
    isolate_home "$tmp/home"
    export XDG_DATA_DIRS=$tmp/data-dirs
    local want
    want=$(printf 'Pucklight %s\n%s' "$(version "$build")" "$(expected_files "$share/pucklight")")
    [[ $(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/pucklight" \
        --version) == "$want" ]] || fail "without a display, --version says:
$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/pucklight" --version)"
    [[ $(QT_QPA_PLATFORM=offscreen "$prefix/bin/pucklight" --version) == "$want" ]] ||
        fail "offscreen, --version says: $(QT_QPA_PLATFORM=offscreen "$prefix/bin/pucklight" --version)"

    # It opens: the first start writes the settings file once the splash has loaded them.
    QT_QPA_PLATFORM=offscreen "$prefix/bin/pucklight" >"$tmp/run.log" 2>&1 &
    pid=$!
    local i
    for ((i = 0; i < 200; i++)); do
        [[ -s $XDG_CONFIG_HOME/Pucklight/Pucklight.ini ]] && break
        kill -0 "$pid" 2>/dev/null || { cat "$tmp/run.log" >&2; fail "the installed program ended"; }
        sleep 0.05
    done
    [[ -s $XDG_CONFIG_HOME/Pucklight/Pucklight.ini ]] ||
        { cat "$tmp/run.log" >&2; fail "the installed program did not start within 10 s"; }
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
    echo "package-check: the installation in a temporary prefix is complete and runs"
}

# The project's version, as the build was configured.
version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

check_deb() {
    local build=${1:-$here/build}
    need dpkg-shlibdeps package
    need file package
    need lintian package
    local prefix
    prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
    [[ $prefix == /usr ]] ||
        fail "$build is configured for $prefix: configure it with -DCMAKE_INSTALL_PREFIX=/usr"
    cmake --build "$build" --target pucklight >/dev/null
    (cd "$build" && cpack -G DEB >/dev/null)
    local deb
    deb=$build/pucklight_$(version "$build")_$(dpkg --print-architecture).deb
    [[ -s $deb ]] || fail "cpack made no $deb"
    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    for p in libqt6widgets6 libqt6multimedia6 libmosquitto1 libqrencode4 fonts-liberation2 \
        fonts-dejavu-core gstreamer1.0-plugins-good; do
        grep -q "\b$p\b" <<<"$depends" || fail "the package does not depend on $p: $depends"
    done
    dpkg-deb -f "$deb" Package Version Architecture Depends Recommends
    dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$'

    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    dpkg-deb -x "$deb" "$tmp"
    local doc=$tmp/usr/share/doc/pucklight
    # The licence, in Debian's machine-readable form, names the program's.
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        "$doc/copyright" || fail "the package's copyright file is not machine-readable"
    grep -qx 'License: GPL-3+' "$doc/copyright" || fail "the copyright file names another licence"
    grep -q '<project_license>GPL-3.0-or-later</project_license>' \
        "$tmp/usr/share/metainfo/$app_id.metainfo.xml" || fail "the metainfo names no licence"
    # The changelog's latest entry is this version.
    [[ $(gzip -dc "$doc/changelog.gz" | head -1) == "pucklight ($(version "$build")) "* ]] ||
        fail "the changelog's latest entry is not $(version "$build")"
    # Relocations resolved at start and read-only after (RELRO with BIND_NOW).
    readelf -lW "$tmp/usr/bin/pucklight" | grep -q GNU_RELRO || fail "the program has no RELRO"
    readelf -dW "$tmp/usr/bin/pucklight" | grep -Eq 'BIND_NOW|FLAGS_1.*NOW' ||
        fail "the program is not linked with BIND_NOW"
    # Debian's own checks of a package: not one error or warning.
    lintian --fail-on error,warning --tag-display-limit 0 "$deb" ||
        fail "lintian found faults in $deb"
    echo "$deb"
}

check_chroot() {
    local deb=${1:?the package}
    root=${2:?the Debian tree}
    [[ $(id -u) -eq 0 ]] || fail "the chroot check needs root"
    if [[ ! -e $root/etc/debian_version ]]; then
        need debootstrap package
        local mirror
        # shellcheck disable=SC2016 # apt's own format, not the shell's
        mirror=$(apt-get indextargets --format '$(REPO_URI)' 2>/dev/null | grep -m1 '/debian/$' ||
            echo http://deb.debian.org/debian/)
        debootstrap --variant=minbase bookworm "$root" "$mirror" >/dev/null
    fi
    cp "$deb" "$root/tmp/"
    local name
    name=$(basename "$deb")
    mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
    trap 'umount "$root/proc" 2>/dev/null || true' EXIT
    chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null
    chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$name" \
        >"$root/tmp/apt.log" || { tail -20 "$root/tmp/apt.log" >&2; fail "apt could not install it"; }
    local want
    want=$(expected_files /usr/share/pucklight)
    local got
    got=$(chroot "$root" env -u DISPLAY -u WAYLAND_DISPLAY pucklight --version)
    echo "$got"
    [[ $(tail -n +2 <<<"$got") == "$want" ]] || fail "the installed program misses its files"
    for f in /usr/share/applications/$app_id.desktop /usr/share/metainfo/$app_id.metainfo.xml \
        /usr/share/icons/hicolor/256x256/apps/$app_id.png /usr/share/man/man1/pucklight.1.gz; do
        chroot "$root" test -s "$f" || fail "not installed: $f"
    done
    # The splash and the dialogs are set in the font fontconfig gives for "sans-serif"; with
    # the package's fonts alone, that must be no monospace font.
    if chroot "$root" sh -c 'command -v fc-match' >/dev/null; then
        local sans
        sans=$(chroot "$root" fc-match -f '%{family[0]}|%{spacing:-0}' sans-serif)
        echo "sans-serif: ${sans%|*}"
        [[ ${sans#*|} == 0 ]] || fail "sans-serif is the monospace ${sans%|*} there"
    else
        echo "package-check: no fc-match in $root; the sans-serif font is not checked" >&2
    fi
    # Started as the menu entry starts it (offscreen: the tree has no display), it opens: the
    # first start writes the settings file once the splash has loaded them. HOME and the XDG
    # folders are the run's own there too. (The entry's own Exec comes first; its actions'
    # follow.)
    local exec
    exec=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$app_id.desktop" | head -n 1)
    cp "$here/tests/support/isolatedenv.sh" "$root/tmp/pl-isolatedenv.sh"
    # shellcheck disable=SC2016 # run by the tree's shell
    chroot "$root" env QT_QPA_PLATFORM=offscreen bash -c '
        rm -rf /tmp/pl-home
        . /tmp/pl-isolatedenv.sh
        isolate_home /tmp/pl-home
        '"$exec"' >/tmp/pl-run.log 2>&1 & p=$!
        i=0
        while [ ! -s "$XDG_CONFIG_HOME/Pucklight/Pucklight.ini" ]; do
            kill -0 $p 2>/dev/null && [ $i -lt 400 ] || { cat /tmp/pl-run.log; exit 1; }
            sleep 0.05; i=$((i + 1))
        done
        kill $p' || fail "the program from the menu entry did not open"
    echo "package-check: $name installs and runs on $(cat "$root/etc/debian_version")"
}

# The licence: LICENSE holds the GPL version 3, and every source, script and build file names
# GPL-3.0-or-later in an SPDX line among its first three.
check_licence() {
    if ! grep -q 'GNU GENERAL PUBLIC LICENSE' "$here/LICENSE" ||
        ! grep -q 'Version 3, 29 June 2007' "$here/LICENSE"; then
        fail "LICENSE is not the GPL version 3"
    fi
    local files=()
    if git -C "$here" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        mapfile -t files < <(git -C "$here" ls-files --cached --others --exclude-standard)
    else
        mapfile -t files < <(cd "$here" && find . \( -name '.git' -o -name 'build*' \) -prune -o \
            -type f -print | sed 's|^\./||')
    fi
    local f missing=() checked=0
    for f in "${files[@]}"; do
        [[ -f $here/$f ]] || continue # deleted, not yet committed
        case $f in
        tests/fuzz/corpus/*) continue ;;
        *.cpp | *.h | *.sh | *.py | *.cmake | CMakeLists.txt | */CMakeLists.txt | *.in | \
            *.desktop | *.qrc | *.html | .ci/* | .gitignore) ;;
        *) [[ $(head -c 2 "$here/$f") == '#!' ]] || continue ;;
        esac
        checked=$((checked + 1))
        head -n 3 "$here/$f" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || missing+=("$f")
    done
    [[ ${#missing[@]} -eq 0 ]] || fail "no SPDX line naming GPL-3.0-or-later in: ${missing[*]}"
    echo "package-check: LICENSE is the GPL version 3; $checked files name GPL-3.0-or-later"
}

case "${1:-}" in
install) check_install "${2:-}" ;;
licence) check_licence ;;
deb) check_deb "${2:-}" ;;
chroot) check_chroot "${2:-}" "${3:-}" ;;
*)
    echo "usage: $0 install [BUILD] | deb [BUILD] | chroot DEB DIR | licence" >&2
    exit 2
    ;;
esac
