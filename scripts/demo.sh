#!/usr/bin/env bash
# Installs what is missing, builds, makes a 10-second demo clip and plays it in the handset
# emulator. With no display it plays under a private X server the size of the handset, saves a
# picture of the handset a few seconds in, and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh >/dev/null

clip=build/demo/demo.avi
mkdir -p build/demo
if [ ! -s "$clip" ]; then
    ffmpeg -nostdin -loglevel error -y \
        -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=frequency=440:sample_rate=44100 \
        -t 10 -c:v mpeg4 -q:v 3 -c:a mp2 "$clip"
fi

if [ -n "${DISPLAY:-}" ]; then
    exec build/vidlark "$clip"
fi

work=$(mktemp -d)
cleanup() {
    [ -n "${vidlark:-}" ] && kill "$vidlark" 2>/dev/null
    [ -n "${xserver:-}" ] && kill "$xserver" 2>/dev/null && wait "$xserver" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 280x672x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xserver=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

build/vidlark "$clip" >build/demo/vidlark.log 2>&1 &
vidlark=$!
sleep 4
import -window root build/demo.png
kill -TERM "$vidlark"
wait "$vidlark" || true
vidlark=
echo "Played $clip under a private X server; the handset 4 s in: build/demo.png"
