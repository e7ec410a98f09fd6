#!/usr/bin/env bash
# Runs a test program on virtual X servers of two monitors side by side, with a window manager:
# for each layout FIRSTxHEIGHT+SECONDxHEIGHT (800x600+1280x1024: a monitor of 800 x 600, the
# primary one, and one of 1280 x 1024 on its right), an Xvfb screen as wide as both is split into
# two RandR monitors and openbox manages the windows; Qt then sees two screens.
#   two_screens.sh TEST-PROGRAM LAYOUT... [-- TEST-ARGUMENTS...]
# Skips (exit code 77) when Xvfb, openbox, xrandr or xprop is missing: scripts/install-deps.sh
# installs them. KIV_SCREENSHOT_DIR set: the test program saves its pictures there, one folder
# per layout.
set -euo pipefail

program=$1
shift
layouts=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    layouts+=("$1")
    shift
done
[ $# -gt 0 ] && shift
for tool in Xvfb openbox xrandr xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is missing (packages xvfb, openbox, x11-xserver-utils, x11-utils; scripts/install-deps.sh installs them)"
        exit 77
    fi
done

tmp=$(mktemp -d)
xvfb=
wm=
stop() {
    if [ -n "$wm" ]; then kill "$wm" 2>/dev/null || true; wait "$wm" 2>/dev/null || true; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi
    wm=
    xvfb=
}
trap 'stop; rm -rf "$tmp"' EXIT

# A monitor's size in millimetres at 96 dots per inch.
mm() { echo $(( ($1 * 254 + 480) / 960 )); }

status=0
shots=${KIV_SCREENSHOT_DIR:-}
for layout in "${layouts[@]}"; do
    first=${layout%%+*}
    second=${layout#*+}
    w1=${first%x*} h1=${first#*x} w2=${second%x*} h2=${second#*x}
    width=$((w1 + w2))
    height=$((h1 > h2 ? h1 : h2))
    echo "== $layout: monitors of ${w1}x${h1} (primary) and ${w2}x${h2} on its right"

    # -noreset: the monitors set below stay when xrandr leaves.
    : >"$tmp/display"
    Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -dpi 96 -nolisten tcp -noreset 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$tmp/display" ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$tmp/display" ]; then
        echo "FAIL: no virtual X server could be started"
        cat "$tmp/xvfb.log"
        exit 1
    fi
    export DISPLAY=":$(head -n1 "$tmp/display")"
    xrandr --setmonitor '*first' "${w1}/$(mm "$w1")x${h1}/$(mm "$h1")+0+0" screen >/dev/null
    xrandr --setmonitor second "${w2}/$(mm "$w2")x${h2}/$(mm "$h2")+${w1}+0" none >/dev/null
    xrandr --listmonitors
    if [ "$(xrandr --listmonitors | head -n1)" != "Monitors: 2" ]; then
        echo "FAIL: the X server did not take the two monitors"
        exit 1
    fi
    openbox >"$tmp/openbox.log" 2>&1 &
    wm=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        echo "FAIL: the window manager did not start"
        cat "$tmp/openbox.log"
        exit 1
    fi

    run_status=0
    if [ -n "$shots" ]; then
        env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb KIV_SCREENSHOT_DIR="$shots/$layout" "$program" "$@" || run_status=$?
    else
        env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb "$program" "$@" || run_status=$?
    fi
    [ "$run_status" -eq 0 ] || status=$run_status
    stop
done
exit "$status"
