#!/usr/bin/env bash
# Builds the libFuzzer programs with clang (ASan + UBSan) in build-fuzz/ and
# runs each for a bounded time, seeded from the show's own data (build/demodat,
# made by the normal build) and the bad-input corpus. A crash input lands in
# tests/fuzz/regressions/TARGET/, where fuzz_regression_tests replays it from
# then on: commit it with the fix.
#   scripts/fuzz.sh [SECONDS_EACH]   (default 45)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-45}
build="$root/build-fuzz"
data="$root/build/demodat"
bad="$root/tests/data/bad"
if [[ ! -f "$data/script.txt" ]]; then
    echo "fuzz: $data/script.txt is missing: build the show first" >&2
    exit 2
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_timelinescript fuzz_datasource fuzz_picture \
    fuzz_module

seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"/{script,data,picture,module}
cp "$data/script.txt" "$root/data/script.txt" "$seeds/script/" 2>/dev/null || true
cp "$bad"/script-*.txt "$seeds/script/"
cp "$data"/*.jpg "$bad"/picture-*.jpg "$seeds/picture/"
cp "$data"/*.xm "$bad"/module-*.xm "$seeds/module/"
for name in script.txt quorfoto.jpg ../script.txt QUORFOTO.JPG; do
    { printf '%s\n' "$name"; cat "$root/build/demodat.zip"; } >"$seeds/data/$(echo "$name" | tr -c 'a-zA-Z0-9.\n' _)"
done
for archive in "$bad"/archive-*.zip; do
    { printf 'quorfoto.jpg\n'; cat "$archive"; } >"$seeds/data/$(basename "$archive")"
done

summary="$build/summary.txt"
: >"$summary"
status=0
for pair in timelinescript:script datasource:data picture:picture module:module; do
    program=${pair%%:*}
    target=${pair##*:}
    corpus="$build/corpus/$target"
    artifacts="$root/tests/fuzz/regressions/$target"
    mkdir -p "$corpus" "$artifacts"
    log="$build/fuzz_$program.log"
    echo "== fuzz $target for ${seconds}s"
    if ! ASAN_OPTIONS="detect_leaks=1" \
        "$build/tests/fuzz/fuzz_$program" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -close_fd_mask=3 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" "$seeds/$target" >"$log" 2>&1; then
        echo "fuzz: $target crashed; the input is kept in $artifacts (log: $log)" >&2
        tail -n 40 "$log" >&2
        status=1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 | grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)
    corpusSize=$(find "$corpus" -type f | wc -l)
    echo "$target: ${runs:-?} runs, ${coverage:-no coverage line}, corpus $corpusSize" | tee -a "$summary"
done
exit $status
