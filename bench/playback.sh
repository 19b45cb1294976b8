#!/usr/bin/env bash
# Playback figures under a private X server, medians of $RUNS runs (default 15):
#   launch to playback: starting vidlark on a clip until the playing MPlayer opens it, beside the
#     identify run alone and bare MPlayer's own launch to open with the same options;
#   picker to playback: Return on the clip in the picker until the playing MPlayer opens it;
#   key to player: an XTest key press until the line arrives at a recording player (50 presses);
#   front-end cost: CPU time of the vidlark process over 20 s of playback, VmRSS and VmHWM;
#   exit: from Return on the menu's exit item until vidlark and its player are gone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh >/dev/null
runs=${RUNS:-15}
build=$PWD/build
tools=$build/bench/playback
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

now() { date +%s.%N; }
ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
worst() { sort -g | tail -n 1; }
wait_for() { # file pattern: waits up to 15 s for a line matching pattern
    for _ in $(seq 1500); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.01; done
    return 1
}
descendant_named() { # pid name
    local pid=$1 name=$2 child
    for child in $(cat /proc/"$pid"/task/*/children 2>/dev/null); do
        [ "$(cat /proc/"$child"/comm 2>/dev/null)" = "$name" ] && { echo "$child"; return; }
        descendant_named "$child" "$name"
    done
}
cpu_ns() { awk '{ sum += $1 } END { print sum }' /proc/"$1"/task/*/schedstat; }

Xvfb -displayfd 3 -screen 0 280x672x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb

clip=$work/clip.avi
ffmpeg -nostdin -loglevel error -f lavfi -i testsrc=size=320x240:rate=25 \
    -f lavfi -i sine=frequency=440:sample_rate=44100 -t 40 -c:v mpeg4 -c:a mp2 "$clip"
export BENCH_CLIP=$clip
# The picker's memory card holds the clip and nothing else.
card=$work/card
picker_clip=$card/clip.avi
mkdir -p "$card"
cp "$clip" "$picker_clip"

start_vidlark() { # extra environment words...
    # Exported in the background job itself rather than through env, which would add a program
    # start that bare MPlayer's launch below does not have.
    ([ $# -eq 0 ] || export "$@"; exec "$build/vidlark" "$clip" >/dev/null 2>&1) &
    vidlark=$!
    pids+=("$vidlark")
}
stop_vidlark() {
    kill -TERM "$vidlark" 2>/dev/null || true
    wait "$vidlark" 2>/dev/null || true
}
focus_vidlark() { # [window title]
    local window
    window=$(xdotool search --sync --onlyvisible --name "^${1:-Vidlark}\$" | head -n 1)
    xdotool windowfocus --sync "$window"
}
# The picker's row of a name: ".", ".." and the directories first, then the files, each in byte
# order; hidden names are not listed.
picker_row() { # directory name
    local entry
    {
        printf '.\n..\n'
        for entry in "$1"/*; do
            if [ -d "$entry" ]; then printf '%s\n' "${entry##*/}"; fi
        done | LC_ALL=C sort
        for entry in "$1"/*; do
            if [ -f "$entry" ] && [ ! -d "$entry" ]; then printf '%s\n' "${entry##*/}"; fi
        done | LC_ALL=C sort
    } | awk -v name="$2" '$0 == name { print NR - 1; exit }'
}

echo "Launch to playback and picker to playback ($runs runs)..."
for run in $(seq "$runs"); do
    rm -f "$work/open.log"
    t0=$(now)
    start_vidlark BENCH_OPENLOG="$work/open.log" LD_PRELOAD="$tools/libopenlog.so"
    wait_for "$work/open.log" ' play$'
    ms "$t0" "$(awk '/ play$/ { print $1; exit }' "$work/open.log")" >>"$work/launch"
    player=$(descendant_named "$vidlark" mplayer)
    [ "$run" = 1 ] && tr '\0' '\n' <"/proc/$player/cmdline" | tail -n +2 >"$work/player-args"
    stop_vidlark

    t0=$(now)
    "$build/mplayerrm" -identify "$clip" -nosound -vc dummy -vo null >/dev/null 2>&1
    ms "$t0" "$(now)" >>"$work/identify"

    rm -f "$work/open.log"
    mapfile -t args < <(grep -v -x -e '-wid' -e '-nomouseinput' "$work/player-args" |
        awk -v wid="$(grep -A1 -x -e '-wid' "$work/player-args" | tail -n 1)" '$0 != wid')
    t0=$(now)
    BENCH_OPENLOG="$work/open.log" LD_PRELOAD="$tools/libopenlog.so" \
        /usr/bin/mplayer "${args[@]}" </dev/null >/dev/null 2>&1 &
    bare=$!
    pids+=("$bare")
    wait_for "$work/open.log" ' play$'
    ms "$t0" "$(awk '/ play$/ { print $1; exit }' "$work/open.log")" >>"$work/bare"
    kill "$bare" 2>/dev/null; wait "$bare" 2>/dev/null || true

    # The picker road: the clip's row is reached, looked at for a moment, and chosen.
    rm -f "$work/open.log"
    env BENCH_CLIP="$picker_clip" BENCH_OPENLOG="$work/open.log" LD_PRELOAD="$tools/libopenlog.so" \
        "$build/vidlark" -card "$card" >/dev/null 2>&1 &
    vidlark=$!
    pids+=("$vidlark")
    focus_vidlark '打开文件'
    xdotool key --delay 30 $(printf 'Down %.0s' $(seq "$(picker_row "$card" clip.avi)"))
    sleep 1
    t0=$("$tools/keypress" Return 1 0)
    wait_for "$work/open.log" ' play$'
    ms "$t0" "$(awk '/ play$/ { print $1; exit }' "$work/open.log")" >>"$work/picker"
    stop_vidlark
done
launch=$(median <"$work/launch")
identify=$(median <"$work/identify")
bare=$(median <"$work/bare")
picker=$(median <"$work/picker")
own=$(awk -v l="$launch" -v i="$identify" -v b="$bare" 'BEGIN { printf "%.1f", l - i - b }')
# The same share taken within each run, whose three launches follow each other closely, before the
# median: a slow spell of the machine then weighs on one run rather than on one of the medians.
paired_own=$(paste "$work/launch" "$work/identify" "$work/bare" | awk '{ print $1 - $2 - $3 }' |
    median)
launch_target=$(awk -v i="$identify" -v b="$bare" 'BEGIN { printf "%.1f", i + b + 15 }')
picker_target=$(awk -v b="$bare" 'BEGIN { printf "%.1f", b + 30 }')

echo "Key to player (50 presses)..."
start_vidlark VIDLARK_MPLAYER="$build/tests/support/fake-player" FAKE_PLAYER_STAMP=1 \
    FAKE_PLAYER_LOG="$work/keys.log"
focus_vidlark
sleep 1
"$tools/keypress" 2 50 100 >"$work/pressed"
sleep 0.5
grep '^LINE .* seek' "$work/keys.log" | cut -d' ' -f2 | paste "$work/pressed" - |
    awk '{ printf "%.3f\n", ($2 - $1) * 1000 }' >"$work/key"
stop_vidlark
key_median=$(median <"$work/key")
key_worst=$(worst <"$work/key")
key_count=$(wc -l <"$work/key")

echo "Front-end cost over 20 s of playback..."
start_vidlark
sleep 2
cpu0=$(cpu_ns "$vidlark")
sleep 20
cpu1=$(cpu_ns "$vidlark")
cpu=$(awk -v a="$cpu0" -v b="$cpu1" 'BEGIN { printf "%.3f", (b - a) / 20e9 * 100 }')
cpu_ms=$(awk -v a="$cpu0" -v b="$cpu1" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')
rss=$(awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' /proc/"$vidlark"/status)
hwm=$(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' /proc/"$vidlark"/status)
stop_vidlark

echo "Exit from the menu ($runs runs)..."
for run in $(seq "$runs"); do
    start_vidlark
    sleep 2
    player=$(descendant_named "$vidlark" mplayer)
    focus_vidlark
    xdotool key F1 Up
    sleep 0.5
    t0=$("$tools/keypress" Return 1 0)
    wait "$vidlark" 2>/dev/null || true
    while [ -n "$player" ] && [ -e "/proc/$player" ] && ! grep -q '^State:.*Z' "/proc/$player/status"; do
        sleep 0.001
    done
    ms "$t0" "$(now)" >>"$work/exit"
done
exit_ms=$(median <"$work/exit")

{
    echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
    echo
    echo "| Figure | Measured | Target |"
    echo "|---|---|---|"
    echo "| launch to playback (vidlark clip → MPlayer opens it) | $launch ms | ≤ $launch_target ms (identify + bare + 15) |"
    echo "| identify run alone | $identify ms | |"
    echo "| bare MPlayer, same options, launch to open | $bare ms | |"
    echo "| Vidlark's own share (launch − identify − bare) | $own ms | ≤ 15 ms |"
    echo "| the same, median of each run's own share | $paired_own ms | ≤ 15 ms |"
    echo "| picker: Return on the clip → MPlayer opens it | $picker ms | ≤ $picker_target ms (bare + 30) |"
    echo "| key to player, median / worst of $key_count | $key_median / $key_worst ms | < 2 ms median |"
    echo "| vidlark CPU while playing | $cpu % of a core ($cpu_ms ms in 20 s) | < 0.1 % |"
    echo "| vidlark VmRSS / VmHWM while playing | $rss / $hwm MiB | < 50 MB |"
    echo "| exit from the menu to program and player gone | $exit_ms ms | < 400 ms |"
} | tee "$build/bench-playback.md"
