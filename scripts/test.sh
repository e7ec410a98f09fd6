#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
#   scripts/test.sh [build-folder] [extra cmake options...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build}
shift || true
case "$dir" in /*) ;; *) dir="$here/$dir" ;; esac
bash "$here/scripts/install-deps.sh"
bash "$here/scripts/build.sh" "$dir" "$@"
cd "$dir"
ctest --output-on-failure --parallel "$(nproc)"
