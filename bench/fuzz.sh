#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for SECONDS (default
# 600), as many at a time as there are cores, on a corpus that grows in build-fuzz/corpus/TARGET
# from the seeds in tests/fuzz/corpus/TARGET. Prints a table of executions, coverage and what
# was found (crashes, hangs of over 60 s, leaks: their inputs are left in
# build-fuzz/found-bench/TARGET). The machine may be shared, so a hang is counted in wall time
# only well beyond what any input needs.
#   bench/fuzz.sh [SECONDS [TARGET...]]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
targets=("${@:2}")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(ls tests/fuzz/corpus)

scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVIDLARK_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null

run() {
    local target=$1
    mkdir -p "build-fuzz/corpus/$target" "build-fuzz/found-bench/$target"
    nice "build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" -timeout=60 \
        -print_final_stats=1 -artifact_prefix="build-fuzz/found-bench/$target/" \
        "build-fuzz/corpus/$target" "tests/fuzz/corpus/$target" >"build-fuzz/$target.log" 2>&1 ||
        true
}

for target in "${targets[@]}"; do
    [ "$(jobs -rp | wc -l)" -lt "$(nproc)" ] || wait -n
    run "$target" &
done
wait

count() { find "build-fuzz/found-bench/$1" -name "$2-*" | wc -l; }
echo "| Target | Time | Executions | Coverage (edges) | Features | Corpus | Crashes | Hangs | Leaks |"
echo "|---|---|---|---|---|---|---|---|---|"
for target in "${targets[@]}"; do
    log="build-fuzz/$target.log"
    last=$(grep -E '^#[0-9]+' "$log" | tail -1)
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -o 'cov: [0-9]*' <<<"$last" | cut -d' ' -f2)
    features=$(grep -o 'ft: [0-9]*' <<<"$last" | cut -d' ' -f2)
    corpus=$(grep -o 'corp: [0-9]*/[0-9]*[a-zA-Z]*' <<<"$last" | cut -d' ' -f2)
    echo "| $target | $seconds s | $executions | $coverage | $features | $corpus |" \
        "$(count "$target" crash) | $(count "$target" timeout) | $(count "$target" leak) |"
done
