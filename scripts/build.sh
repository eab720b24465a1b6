#!/usr/bin/env bash
# Configures and builds one flavour of the project into build/<flavour>.
#   build.sh release   the program, tests and benchmarks
#   build.sh sanitize  the program and tests with AddressSanitizer and UBSan
#   build.sh fuzz      the libFuzzer targets, with clang
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
jobs=$(nproc)
case "$flavour" in
    release)
        cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null ;;
    sanitize)
        cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTINDREL_SANITIZE=ON \
              -DTINDREL_BUILD_BENCH=OFF >/dev/null ;;
    fuzz)
        CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
              -DTINDREL_FUZZ=ON -DTINDREL_BUILD_BENCH=OFF >/dev/null ;;
    *)
        echo "unknown flavour: $flavour" >&2
        exit 2 ;;
esac
cmake --build "build/$flavour" -j "$jobs"
