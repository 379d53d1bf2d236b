#!/usr/bin/env bash
# Captures the whole show at 320x240 with the AddressSanitizer +
# UndefinedBehaviorSanitizer build (build-asan/quorvel8) and fails on any
# report, leaks included. The only suppressions (scripts/lsan.supp) are objects
# kept on purpose until the process exits. Allocation stacks are two frames
# deep so that a suppression names the function that allocated; for deeper
# stacks in a report, rerun with malloc_context_size left out.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ASAN_OPTIONS="abort_on_error=0:halt_on_error=1:detect_leaks=1:malloc_context_size=2" \
    LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
    SDL_AUDIODRIVER=dummy DISPLAY= WAYLAND_DISPLAY= \
    "$root/build-asan/quorvel8" --data "$root/build/demodat" --capture "$work/show.mp4" \
    --size 320x240 2>"$work/said" || status=$?
if [[ ${status:-0} -ne 0 || -s "$work/said" ]]; then
    cat "$work/said" >&2
    echo "asan-show: the capture under the sanitizers failed or reported (status ${status:-0})" >&2
    exit 1
fi
echo "asan-show: the whole show captured at 320x240 ($(stat -c %s "$work/show.mp4") bytes), no reports"
