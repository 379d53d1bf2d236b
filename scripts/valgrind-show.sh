#!/usr/bin/env bash
# Plays ten seconds of show time headless under valgrind memcheck: the show's
# own data with a script that gives each effect one second (--shots renders
# the frame at every whole second). Fails on any error valgrind reports; the
# only suppressions (scripts/valgrind.supp) are buffers kept on purpose until
# the process exits.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/demodat" "$work/demodat"
cat >"$work/demodat/script.txt" <<'SCRIPT'
# effect  start  end    layer
BASS      0:00   0:10   0
LOGO      0:00   0:01   1
FLARE     0:01   0:02   1
INOOP2    0:02   0:03   1
INOOP3    0:03   0:04   1
WOBBEL    0:04   0:05   1
WORTEL    0:05   0:06   1
BGDING    0:06   0:07   1
GREETS    0:07   0:08   1
INOOP4    0:08   0:09   1
LOGO      0:09   0:10   1
END       0:10
SCRIPT
# libhwy's timer check at load time runs an instruction valgrind may not
# know (see valgrind-hwy-timer.cpp): a stand-in for it is loaded first.
g++ -shared -fPIC -O2 "$root/scripts/valgrind-hwy-timer.cpp" -o "$work/hwy-timer.so"
# One rendering thread keeps llvmpipe's work where memcheck sees it in order.
LP_NUM_THREADS=0 SDL_AUDIODRIVER=dummy DISPLAY= WAYLAND_DISPLAY= LD_PRELOAD="$work/hwy-timer.so" \
    valgrind --tool=memcheck --error-exitcode=3 --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --suppressions="$root/scripts/valgrind.supp" \
    --gen-suppressions=all --log-file="$work/valgrind.log" \
    "$build/quorvel8" --data "$work/demodat" --shots "$work/shots" --size 320x240 || status=$?
grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost" "$work/valgrind.log" || true
if [[ ${status:-0} -ne 0 ]]; then
    cat "$work/valgrind.log" >&2
    echo "valgrind-show: valgrind reported errors (status $status)" >&2
    exit 1
fi
echo "valgrind-show: $(ls "$work/shots" | wc -l) frames, no errors"
