#!/usr/bin/env bash
# Installs the Debian packages the build, the show and the tests need: only
# the missing ones, after one apt-get update. Sourced by run.sh and test.sh.
set -euo pipefail

QUORVEL_PACKAGES=(
    cmake ninja-build g++ pkg-config clang-format
    libsdl2-dev libopenmpt-dev libasound2-dev
    libzip-dev zipcmp zipmerge ziptool
    libturbojpeg0-dev libpng-dev
    libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
    libfreetype-dev fonts-dejavu-core libcli11-dev
    libegl-dev libgl-dev libopengl-dev libegl-mesa0 libgl1-mesa-dri
    libgtest-dev libbenchmark-dev
    xvfb xauth xmp
    help2man man-db dpkg-dev file lintian appstream desktop-file-utils
    clang libclang-rt-14-dev valgrind
)

# ./web.sh (and ./test.sh through it) also builds and tests the show for the
# browser; ffmpeg reads back the page's recordings in its tests.
if [[ ${1:-} == web ]]; then
    QUORVEL_PACKAGES+=(emscripten chromium libstb-dev ffmpeg)
fi

missing=()
for package in "${QUORVEL_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}" >&2
    sudo_cmd=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
