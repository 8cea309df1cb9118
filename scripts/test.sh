#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite on Qt's offscreen platform.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure -j2
