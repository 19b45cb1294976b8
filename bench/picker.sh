#!/usr/bin/env bash
# Picker figures on a directory of 100,000 files and 1,000 sub-directories (made once in
# $BENCH_DIR, default /tmp/vidlark-bench-100k, and reused): time to list it and paint the first
# screen, time per move of the selection with its repaint, peak memory; beside `ls -f | wc -l`
# and `ls -la` on the same directory. The directory is read once before the figures are taken,
# so every figure is for a warm cache.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh >/dev/null

dir=${BENCH_DIR:-/tmp/vidlark-bench-100k}
files=100000
dirs=1000
expected=$((files + dirs + 2))

if [ ! -d "$dir" ] || [ "$(ls -f "$dir" | wc -l)" -ne "$expected" ]; then
    echo "Making $dir ($files files, $dirs sub-directories)"
    rm -rf "$dir"
    mkdir -p "$dir"
    (cd "$dir" && seq -f "clip%06g.avi" 0 $((files - 1)) | xargs touch &&
        seq -f "Folder%04g" 0 $((dirs - 1)) | xargs mkdir)
fi

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | xargs)"
echo "Directory: $dir ($(ls -f "$dir" | wc -l) entries with . and ..)"
ls -la "$dir" >/dev/null

TIMEFORMAT='%R s'
echo "ls -f | wc -l:  $({ time ls -f "$dir" | wc -l >/dev/null; } 2>&1)"
echo "ls -la:         $({ time ls -la "$dir" >/dev/null; } 2>&1)"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} build/bench/bench_picker "$dir" "${MOVES:-300}"
