#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program as a native Wayland client, under Weston on its X11 backend inside its own
# Xvfb with a French keyboard: a click on the splash opens the board (its --feed state.json
# appears), and the AZERTY digit row types digits on it.
# Usage: wayland.sh PUCKLIGHT_BINARY. Exits 77 (skipped) where Weston or Qt's Wayland plugin
# is missing (scripts/deps.sh test installs weston and qt6-wayland).
set -uo pipefail

program=${1:?usage: $0 PUCKLIGHT_BINARY}
for tool in weston Xvfb xdotool setxkbmap; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/deps.sh test)"; exit 77; }
done

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    for log in "$work"/*.log; do echo "--- ${log##*/}"; tail -n 15 "$log"; done
    exit 1
}

# Polls a condition for up to $1 tenths of a second.
waitFor() {
    local tenths=$1 i
    shift
    for ((i = 0; i < tenths; ++i)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Everything the program and Weston keep goes to the work folder; no display is inherited.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
# shellcheck source=SCRIPTDIR/../support/isolatedenv.sh
source "$(dirname "$0")/../support/isolatedenv.sh"
isolate_home "$work/home"

# (Without -noreset the server drops the layout when setxkbmap, its only client, leaves.)
Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp 3>"$work/xdisplay" >"$work/xvfb.log" 2>&1 &
waitFor 100 test -s "$work/xdisplay" || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/xdisplay")
setxkbmap fr || fail "setxkbmap could not switch to fr"
printf '[keyboard]\nkeymap_layout=fr\n' >"$work/weston.ini"
# The kiosk shell puts every window in the middle of the screen, where the click lands.
weston --socket=nested --idle-time=0 --debug --use-pixman --width=1024 --height=640 \
    --backend=x11-backend.so --shell=kiosk-shell.so --config="$work/weston.ini" \
    >"$work/weston.log" 2>&1 &
waitFor 100 test -S "$XDG_RUNTIME_DIR/nested" || fail "weston did not start"
env -u DISPLAY WAYLAND_DISPLAY=nested QT_QPA_PLATFORM=wayland "$program" --feed "$work/feed" \
    >"$work/pucklight.log" 2>&1 &
programPid=$!
# Weston's output is a window of its own on the X screen.
westonWindow=$(sed -n 's/.*x11 output .*window id \([0-9]*\).*/\1/p' "$work/weston.log")
[[ -n $westonWindow ]] || fail "no Weston window on $DISPLAY"
state=$work/feed/state.json
boardOpen() {
    if ! kill -0 "$programPid" 2>/dev/null; then
        grep -q 'platform plugin "wayland"' "$work/pucklight.log" &&
            { echo "SKIP: Qt's Wayland plugin is missing (qt6-wayland)"; exit 77; }
        fail "the program ended on Wayland"
    fi
    xdotool mousemove --window "$westonWindow" 512 330 click 1
    waitFor 10 test -s "$state"
}
waitFor 100 boardOpen || fail "no click opened the board"
# & and é are the unshifted 1 and 2 of the top row; Tab selects the home score.
xdotool key --delay 50 Tab ampersand eacute Return
scored() { grep -q '"home": {[^}]*"score": "12"' "$state"; }
waitFor 50 scored || fail "& é on the home score did not give 12: $(cat "$state")"
echo "ok: the board opens on Weston and the AZERTY digit row types digits"
