#!/bin/bash
# Measures the real game in a real window under Xvfb: start-up time to the first window, then
# CPU use (% of one core, from /proc), the share of time the main thread was running or
# waiting for a processor, drawn frames, display updates and physics steps per second on the
# title screen and while level 1 is played.
#
# Usage: tools/measure/measure.sh [BUILD_DIR] [DISPLAY_NUMBER] [SECONDS]
#   BUILD_DIR       a build with the marbles program and the staged game (default build-rel)
#   DISPLAY_NUMBER  X display for a private Xvfb (default 18)
#   SECONDS         length of each sample (default 10)
# With MEASURE_SHOTS set to a directory, screenshots of the title, help and level screens
# are saved there (title.png, help.png, level.png) for comparing builds pixel by pixel.
# Extra console lines for autoexec.txt can be given in MEASURE_AUTOEXEC (for example
# "sys_max_fps = 0" for the unpaced loop).
# Rates come from the "loop:" lines the game logs with "sys_stats_seconds"; a build without
# them shows "n/a".
set -u
build=$(cd "${1:-build-rel}" && pwd) || exit 1
display=":${2:-18}"
seconds=${3:-10}
period=2
hz=$(getconf CLK_TCK)

scratch=$(mktemp -d /tmp/measure.XXXXXX)
cp -r "$build/data" "$scratch/data"
{
    cat "$build/autoexec.txt"
    echo "sys_stats_seconds = $period"
    [ -n "${MEASURE_AUTOEXEC:-}" ] && printf '%s\n' "$MEASURE_AUTOEXEC"
} > "$scratch/autoexec.txt"

xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
export DISPLAY=$display
unset SDL_VIDEODRIVER SDL_AUDIODRIVER

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
# Nanoseconds the main thread ran plus waited for a processor: on a busy machine a loop that
# never sleeps is runnable all the time even when it gets little processor time.
runnable_ns() { awk '{ printf "%.0f\n", $1 + $2 }' "/proc/$game_pid/task/$game_pid/schedstat"; }

# Mean of the rates in the "loop:" lines logged after line number $1 of log.txt.
rates_since() {
    tail -n +"$(( $1 + 1 ))" "$scratch/log.txt" | grep -o 'loop: .*' | awk -F'[ ,]+' '
        { for (i = 1; i <= NF; ++i) { if ($i == "frames/s") f += $(i + 1); if ($i == "flips/s") u += $(i + 1);
                                      if ($i == "steps/s") s += $(i + 1); if ($i == "passes/s") p += $(i + 1) } ++n }
        END { if (n == 0) print "n/a n/a n/a n/a"; else printf "%.1f %.1f %.1f %.1f\n", f / n, u / n, s / n, p / n }'
}

# One sample: prints "name cpu% frames/s flips/s steps/s passes/s".
sample() {
    local name=$1
    local lines before after ready_before ready_after
    lines=$(wc -l < "$scratch/log.txt")
    before=$(cpu_ticks)
    ready_before=$(runnable_ns)
    sleep "$seconds"
    after=$(cpu_ticks)
    ready_after=$(runnable_ns)
    printf '%-8s %6s %10s %9s %9s %9s %9s\n' "$name" \
        "$(awk -v t=$(( after - before )) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }')" \
        "$(awk -v t=$(( ready_after - ready_before )) -v s="$seconds" 'BEGIN { printf "%.1f", t / 1e7 / s }')" \
        $(rates_since "$lines")
}

cd "$scratch"
start=$(date +%s.%N)
"$build/marbles" >/dev/null 2>&1 &
game_pid=$!
window=""
for _ in $(seq 2000); do
    window=$(xdotool search --onlyvisible --name 'Marbles|SDL Window' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.005
done
shown=$(date +%s.%N)
[ -n "$window" ] || { echo "no window appeared" >&2; exit 1; }
echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
awk -v a="$start" -v b="$shown" 'BEGIN { printf "start-up to first window: %.0f ms\n", 1000 * (b - a) }'
printf '%-8s %6s %10s %9s %9s %9s %9s\n' screen "cpu%" "runnable%" "frames/s" "flips/s" "steps/s" "passes/s"

shot() {
    [ -n "${MEASURE_SHOTS:-}" ] || return 0
    mkdir -p "$MEASURE_SHOTS"
    import -window "$window" "$MEASURE_SHOTS/$1.png" 2>/dev/null
}

sleep 2
sample title
shot title
xdotool mousemove --window "$window" 320 240 click 1   # title -> help
sleep 1
shot help
xdotool mousemove --window "$window" 320 240 click 1   # help -> level 1
sleep 3
sample level
shot level
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
xdotool key --window "$window" Escape
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
game_pid=""
