#!/usr/bin/env bash
# Installs what is missing, builds every flavour and runs every test: the plain build, the
# sanitizer build (AddressSanitizer and UBSan) and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
jobs=$(nproc)

status=0
for flavour in release sanitize fuzz; do
    echo "=== $flavour build"
    scripts/build.sh "$flavour"
    echo "=== $flavour tests"
    ctest --test-dir "build/$flavour" --output-on-failure -j "$jobs" || status=1
done
exit $status
