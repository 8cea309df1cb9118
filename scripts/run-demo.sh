#!/usr/bin/env bash
# Runs Tobrin on a demo database in ~/Tobrin (made on first use).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
home="${TOBRIN_HOME:-$HOME/Tobrin}"
mkdir -p "$home/wave" "$home/backup"
cp -n "$root"/resources/wave/*.wav "$home/wave/"
cp -n "$root/resources/readme.txt" "$home/readme.txt"
if [ ! -f "$home/Tobrin.dat" ]; then
  "$root/build/tools/tobrin-initdb" --demo "$home"
fi
exec "$root/build/app/tobrin" --home "$home" "$@"
