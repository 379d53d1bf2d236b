#!/usr/bin/env bash
# Rewrites the corpus of bad inputs in tests/data/bad/ with make_bad_inputs.
# What each file must give is in tests/data/bad/outcomes.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" --target make_bad_inputs
"$root/build/tests/make_bad_inputs" "$root/tests/data/bad"
