#!/usr/bin/env bash
# Pictures of every window and input box as a user sees them, title bars included: a virtual X
# server of the given size with a window manager (Xvfb and openbox), the windows in French,
# filled with the longest industry names of the fixture editions and five-digit, negative and
# "..." figures. KIV_SCREENSHOT_LANGUAGE=English shows them in English, and
# KIV_SCREENSHOT_CONTENTS=longest fills them with figures of nine digits and more.
#   scripts/screenshots.sh [build-folder] [picture-folder] [WIDTHxHEIGHT] [display]
# Defaults: build, shots, 800x600, :99. Needs a build with its tests and the packages xvfb and
# openbox (scripts/install-deps.sh installs them); the fixture editions are read from
# tests/fixtures of the checkout.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
out=${2:-shots}
size=${3:-800x600}
display=${4:-:99}
case "$build" in /*) ;; *) build="$here/$build" ;; esac
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
test_binary="$build/src/shell/tests/tst_readable_windows"
[ -x "$test_binary" ] || { echo "no $test_binary: build first (scripts/build.sh $build)" >&2; exit 1; }

Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=
trap 'if [ -n "$wm" ]; then kill "$wm" 2>/dev/null || true; fi; kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -S "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done
sleep 0.5
kill -0 "$xvfb" 2>/dev/null || { echo "no X server could be started on $display (is it in use?)" >&2; exit 1; }
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
sleep 1

mkdir -p "$out"
log=$(mktemp)
status=0
env -u QT_QPA_PLATFORM DISPLAY="$display" LC_ALL=C.UTF-8 KIV_SCREENSHOT_DIR="$out" \
    KIV_SOURCE_DIR="$here" KIV_PROGRAM_DIR="$build/bin" "$test_binary" -maxwarnings 0 screenshots >"$log" 2>&1 || status=$?
grep -E '^(FAIL|SKIP|Totals)|Loc:' "$log" || true
rm -f "$log"
ls "$out"
exit "$status"
