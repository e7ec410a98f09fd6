#!/usr/bin/env bash
# Configures and builds into a build folder (default: build).
#   scripts/build.sh [build-folder] [extra cmake options...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build}
shift || true
case "$dir" in /*) ;; *) dir="$here/$dir" ;; esac
cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
