#!/usr/bin/env bash
# Measures the capture's speed against its bound (rendering alone, encoding
# alone and the capture over the same frames of two sections), the capture of
# the whole show at 1280x960@60 and 1920x1080@60 (speed as show length / wall
# time, peak memory), the time to the first frame, and peak memory while
# playing in a window under Xvfb. Prints the
# machine's load first: timings mean little while other work runs.
# Usage: bench/capture_bench.sh [BUILD_DIR]   (default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
program=$build/quorvel8
data=$build/demodat
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
show_seconds=144

echo "load: $(uptime)"
echo "cores: $(nproc)"

# The bound: 1 / (1 / render + 1 / encode) frames a second, and the capture's
# share of it, over 1:03 to 1:05 (BGDING+GREETS) and 0:27 to 0:29 (INOOP3+FLARE).
for range in "63000 65000" "27000 29000"; do
    echo "capture against its bound, $range ms:"
    # shellcheck disable=SC2086
    "$build/bench/capture_bench_frames" $range 2>/dev/null | grep '^Capture/'
done

# Runs the command under GNU time; leaves "WALL_S PEAK_KB" in $work/time.
timed() {
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1 || true
}

# GNU time puts a line about a non-zero exit first; the figures are last.
figures() {
    tail -1 "$work/time"
}

report() { # label
    read -r wall rss < <(figures)
    echo "$1: wall $wall s, peak resident $((rss / 1024)) MB"
}

for size in 1280x960 1920x1080; do
    timed "$program" --data "$data" --capture "$work/$size.mp4" --size "$size"
    report "capture $size@60"
    read -r wall rss < <(figures)
    echo "capture $size@60: $(echo "scale=2; $show_seconds / $wall" | bc)x real time"
done
ffprobe -hide_banner "$work/1280x960.mp4" 2>&1 | grep -E 'Duration|Stream'

# Start-up to the first frame: all a showing does before it draws, then one
# frame, read back and written out.
timed "$program" --data "$data" --screenshot 0 "$work/first.png"
report "first frame (screenshot at 0)"

# Playing: 30 s in a window under Xvfb, sound on SDL's dummy driver.
SDL_AUDIODRIVER=dummy xvfb-run -a timeout -s INT 30 \
    /usr/bin/time -f "%e %M" -o "$work/time" "$program" --data "$data" >/dev/null 2>&1 || true
report "playing 30 s in a window"
