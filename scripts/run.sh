#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kiv_2000 on the sample editions of the build.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/install-deps.sh"
# Only the programs and their program folder (target kiv_program): the tests and benchmarks are
# built by scripts/test.sh.
if [ -x "$here/build/bin/Kiv_2000" ]; then
  echo "Bringing Kiv_2000 up to date in build/ (only what changed is built)." >&2
else
  echo "Building Kiv_2000, Tivmel and the sample data in build/: the first build takes a few minutes." >&2
fi
cmake -S "$here" -B "$here/build" -G Ninja >/dev/null
cmake --build "$here/build" --parallel "$(nproc)" --target kiv_program
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # A virtual X server of KIV_SCREEN pixels (1024x768 unless set), without a window manager; the
  # program tells how to take a picture of its screen and how to stop it.
  size=${KIV_SCREEN:-1024x768}
  echo "No display is set: starting Kiv_2000 on a virtual X server of ${size} pixels (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    echo "Kiv_2000 runs on the virtual display $DISPLAY, process $$." >&2
    echo "A picture of its screen: DISPLAY=$DISPLAY XAUTHORITY=$XAUTHORITY import -window root kiv.png" >&2
    echo "To stop it: Ctrl+C here, or kill $$" >&2
    exec "$1"' run.sh "$here/build/bin/Kiv_2000"
fi
exec "$here/build/bin/Kiv_2000"
