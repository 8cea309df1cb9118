#!/usr/bin/env bash
# Builds the exit and export tests with AddressSanitizer and UBSan and runs them: leaving the
# program from inside the reminder popup or an export step must not touch freed windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tests=(tray_Exit tray_frmSystray export_frmToExcel)
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTOBRIN_SANITIZE=ON -DTOBRIN_SKIP=""
cmake --build "$root/build-asan" -j2 --target tobrin-initdb "${tests[@]}"
export QT_QPA_PLATFORM=offscreen
# Qt's and fontconfig's caches live for the whole process; only memory errors count here.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
regex=$(IFS='|'; echo "^(${tests[*]})$")
ctest --test-dir "$root/build-asan" -R "$regex" --output-on-failure
