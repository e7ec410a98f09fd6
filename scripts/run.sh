#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kiv_2000 on the sample editions of the build.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/install-deps.sh"
bash "$here/scripts/build.sh" build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display is set: starting Kiv_2000 on a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a "$here/build/bin/Kiv_2000"
fi
exec "$here/build/bin/Kiv_2000"
