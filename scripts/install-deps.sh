#!/usr/bin/env bash
# Installs the Debian 12 packages the monitor needs, only those that are missing.
#   install-deps.sh run   what building and running the program needs
#   install-deps.sh test  that plus what the test suite, fuzzers and benchmarks need
set -euo pipefail

build_packages=(cmake g++ make pkg-config ccache qt6-base-dev libjpeg62-turbo-dev libsdl2-dev
                libcap2-bin libfontconfig-dev)
run_packages=(xvfb openbox xdotool x11-utils fonts-dejavu-core)
test_packages=(libgtest-dev libgmock-dev googletest libbenchmark-dev clang-14 libclang-rt-14-dev
               python3 python3-aiosmtpd swaks hyperfine iproute2 util-linux time imagemagick
               iputils-ping)

wanted=("${build_packages[@]}" "${run_packages[@]}")
if [ "${1:-run}" = test ]; then
    wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
