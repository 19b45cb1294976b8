#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# every test there. Every process of the run, the children the tests start included, writes its
# AddressSanitizer and leak reports into build-asan/reports/, and any report fails the run.
# GCC's UndefinedBehaviorSanitizer writes only to standard error: its first report ends the
# process with status 1, which fails the test that runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIDLARK_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"

reports=$PWD/build-asan/reports
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="log_path=$reports/asan:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
ctest --test-dir build-asan --output-on-failure || status=$?
if [ -n "$(ls -A "$reports")" ]; then
    cat "$reports"/*
    echo "Sanitizer reports in $reports" >&2
    exit 1
fi
exit "$status"
