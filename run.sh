#!/usr/bin/env bash
# Builds and plays the show. Arguments go to the program (see --help).
# Without a display and without arguments it captures the whole show into
# quorvel8.mp4 (1280x960, 60 fps, H.264 + AAC).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target quorvel8

if [[ $# -eq 0 && -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run.sh: no display: capturing the show into quorvel8.mp4" >&2
    exec "$root/build/quorvel8" --capture "$PWD/quorvel8.mp4"
fi
exec "$root/build/quorvel8" "$@"
