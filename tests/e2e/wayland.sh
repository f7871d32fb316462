#!/usr/bin/env bash
# The real program on Wayland, under Weston (scripts/deps.sh test installs weston and
# qt6-wayland):
#   1. Weston headless: the program starts as a native Wayland client and its splash shows
#      on Weston's screenshot. A headless Weston has no seat, so nothing can click on to the
#      board there.
#   2. Weston on its X11 backend, inside its own Xvfb with a French keyboard: a click opens the
#      board (its --feed state.json appears), and the AZERTY digit row types digits on it.
# Usage: wayland.sh PUCKLIGHT_BINARY. Exits 77 (skipped) where Weston or Qt's Wayland plugin
# is missing. Set PUCKLIGHT_WAYLAND_SHOTS to a folder to keep the screenshots.
set -uo pipefail

program=${1:?usage: $0 PUCKLIGHT_BINARY}
for tool in weston weston-screenshooter Xvfb xdotool setxkbmap convert import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/deps.sh test)"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    if [[ -n ${PUCKLIGHT_WAYLAND_SHOTS:-} ]]; then
        mkdir -p "$PUCKLIGHT_WAYLAND_SHOTS" && cp "$work"/*.png "$PUCKLIGHT_WAYLAND_SHOTS"/ 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

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

# Everything the program and Weston keep goes to the work folder; no X display is inherited.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$work/run HOME=$work/home XDG_CONFIG_HOME=$work/home/config \
    XDG_STATE_HOME=$work/home/state XDG_DATA_HOME=$work/home/data
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$HOME"

startWeston() { # name, backend options...
    local name=$1
    shift
    weston --socket="$name" --idle-time=0 --debug --use-pixman --width=1024 --height=640 "$@" \
        >"$work/weston-$name.log" 2>&1 &
    pids+=($!)
    waitFor 100 test -S "$XDG_RUNTIME_DIR/$name" || fail "weston ($name) did not start"
}

startProgram() { # name: the Wayland socket; the feed goes to $work/feed-name
    WAYLAND_DISPLAY=$1 QT_QPA_PLATFORM=wayland "$program" --feed "$work/feed-$1" \
        >"$work/pucklight-$1.log" 2>&1 &
    pids+=($!)
    programPid=$!
}

programLives() {
    kill -0 "$programPid" 2>/dev/null && return 0
    grep -q 'platform plugin "wayland"' "$work/pucklight-$1.log" &&
        { echo "SKIP: Qt's Wayland plugin is missing (qt6-wayland)"; exit 77; }
    fail "the program ended on Wayland ($1)"
}

shoot() { # name, png
    (cd "$work" && rm -f wayland-screenshot-*.png &&
        WAYLAND_DISPLAY=$1 timeout 10 weston-screenshooter >/dev/null 2>&1 &&
        mv wayland-screenshot-*.png "$2")
}

# How many pixels of a screenshot have the splash's face colour.
splashPixels() {
    convert "$1" -fuzz 2% -fill black +opaque 'rgb(240,240,240)' -fill white -opaque 'rgb(240,240,240)' \
        -format '%[fx:int(mean*w*h)]' info:
}

# 1. Headless: the splash shows.
startWeston headless --backend=headless-backend.so
startProgram headless
splashShows() {
    programLives headless
    shoot headless "$work/headless-splash.png" &&
        (($(splashPixels "$work/headless-splash.png") > 30000))
}
waitFor 100 splashShows || fail "the splash did not show on headless Weston"
echo "ok: the splash shows on headless Weston"

# 2. Weston in Xvfb with a French keyboard: the board, and digits from the AZERTY top row.
# (Without -noreset the server drops the layout when setxkbmap, its only client, leaves.)
Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp 3>"$work/xdisplay" >"$work/xvfb.log" 2>&1 &
pids+=($!)
waitFor 100 test -s "$work/xdisplay" || fail "Xvfb did not start"
xdisplay=:$(cat "$work/xdisplay")
DISPLAY=$xdisplay setxkbmap fr || fail "setxkbmap could not switch to fr"
printf '[keyboard]\nkeymap_layout=fr\n' >"$work/weston.ini"
# The kiosk shell puts every window in the middle of the screen, where the click lands.
DISPLAY=$xdisplay startWeston nested --backend=x11-backend.so --shell=kiosk-shell.so \
    --config="$work/weston.ini"
startProgram nested
# Weston's output is a window of its own on the X screen.
westonWindow=$(sed -n 's/.*x11 output .*window id \([0-9]*\).*/\1/p' "$work/weston-nested.log")
[[ -n $westonWindow ]] || fail "no Weston window on $xdisplay"
state=$work/feed-nested/state.json
boardOpen() {
    programLives nested
    DISPLAY=$xdisplay xdotool mousemove --window "$westonWindow" 512 330 click 1
    waitFor 10 test -s "$state"
}
waitFor 100 boardOpen || fail "no click opened the board"
# & and é are the unshifted 1 and 2 of the top row; Tab selects the home score.
DISPLAY=$xdisplay xdotool key --delay 50 Tab ampersand eacute Return
scored() { grep -q '"home": {[^}]*"score": "12"' "$state"; }
waitFor 50 scored || fail "& é on the home score did not give 12: $(cat "$state")"
DISPLAY=$xdisplay import -window root "$work/nested-board.png" 2>/dev/null
echo "ok: the board opens on Weston and the AZERTY digit row types digits"
