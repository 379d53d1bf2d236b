#!/usr/bin/env bash
# Builds and plays the show. Arguments go to the program (see --help).
# Without a display and without arguments it renders one picture per second of
# the show into shots/.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target quorvel8

if [[ $# -eq 0 && -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run.sh: no display: rendering one picture per second into shots/" >&2
    exec "$root/build/quorvel8" --shots "$PWD/shots"
fi
exec "$root/build/quorvel8" "$@"
