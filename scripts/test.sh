#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: in build/, then again built with
# AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/, then each fuzz target for 10 s
# in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir build --output-on-failure
scripts/test-sanitized.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVIDLARK_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"
ctest --test-dir build-fuzz --output-on-failure
