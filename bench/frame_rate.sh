#!/usr/bin/env bash
# Frame rate of the real program on a virtual display (Xvfb, Mesa llvmpipe):
# the statistics report's fps and average clocks per draw and per move, and
# the share of one core the program used, over a steady stretch of running.
#
#   bash bench/frame_rate.sh PROGRAM [options] [PROGRAM2 ...]
#     --scene FILE     scene to load as "town": a binary scene file, or a
#                      .txt scene compiled with scene_text (default: the
#                      "town" beside PROGRAM)
#     --size WxH       window size (default 800x600)
#     --seconds N      length of the measured stretch (default 20)
#     --ties off       press 3 first: the plain centre line instead of ties
#     --keys "K ..."   keys to press first, as xdotool names them: "End" for
#                      the overview of the whole town, "1 1" for the view
#                      from behind the train
#     --drag           instead: drag control point 0 back and forth and report
#                      the fps meanwhile, then whether a 100-pixel drag at an
#                      ordinary pace moved the point the full 7.5 units
#
# Each PROGRAM runs from its own directory's textures/ (the build it came
# from), so a baseline build and a new one can be measured in one run.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../tests/e2e/harness.sh"

programs=() scene="" size="800x600" seconds=20 ties="" drag=0 keys=""
while [ $# -gt 0 ]; do
    case "$1" in
        --scene) scene="$(readlink -f "$2")"; shift 2 ;;
        --size) size="$2"; shift 2 ;;
        --seconds) seconds="$2"; shift 2 ;;
        --ties) ties="$2"; shift 2 ;;
        --keys) keys="$2"; shift 2 ;;
        --drag) drag=1; shift ;;
        *) programs+=("$(readlink -f "$1")"); shift ;;
    esac
done
[ ${#programs[@]} -gt 0 ] || { sed -n 6,21p "$0"; exit 2; }
width="${size%x*}" height="${size#*x}"

# Total processor ticks (user + system) the process has used so far.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
values_of() { grep -a "^$1: " "$E2E_STDOUT" | sed "s/^$1: //"; }
mean() { awk '{ s += $1; n++ } END { if (n) printf "%.1f", s / n; else print "none" }'; }

# F5, held down until the report comes: the program reads the keyboard when
# an event arrives, and a frame of the heaviest scene may outlast a tap.
report() {
    local before i
    before=$(e2e_report_count)
    xdotool keydown F5
    for i in $(seq 1 300); do
        xdotool mousemove --window "$1" $((200 + i % 2)) 200
        sleep 0.2
        e2e_reports_above "$before" && break
    done
    xdotool keyup F5
    # An event with F5 up re-arms its latch; without one the next press is
    # taken for the same press and prints nothing.
    xdotool mousemove --window "$1" 202 200
    sleep 0.2
    e2e_reports_above "$before" || e2e_fail "F5 printed no report"
}

# The first control point's x in a saved scene, through scene_text.
saved_point_x() {
    "$1" print "$2" | awk '$1 == "point" { print $2; exit }'
}

measure() {
    local program="$1" build scene_tool wid
    build="$(dirname "$program")"
    scene_tool="$build/scene_text"
    E2E_BUILD_DIR="$build"
    E2E_WORK="" E2E_PID="" E2E_XVFB_PID="" E2E_STDOUT=""
    E2E_SCREEN="$((width + 100))x$((height + 100))x24"
    e2e_setup "$program"
    if [ -n "$scene" ]; then
        rm -f "$E2E_WORK/town"
        case "$scene" in
            *.txt) "$scene_tool" compile "$scene" "$E2E_WORK/town" >/dev/null || e2e_fail "cannot compile $scene" ;;
            *) cp "$scene" "$E2E_WORK/town" ;;
        esac
    fi
    printf '%s\n%s' "$width" "$height" >"$E2E_WORK/res.cfg"
    e2e_launch
    e2e_accept_size_dialog
    wid=$(e2e_wait_window) || exit 1
    e2e_focus "$wid"
    [ "$ties" = off ] && e2e_key 3 "$wid"
    local key
    for key in $keys; do e2e_key "$key" "$wid"; done
    sleep 3  # textures loaded, caches filled
    # 9 restarts the timing figures (and slows the day), 0 gives the day its pace back.
    e2e_key 9 "$wid"
    e2e_key 0 "$wid"
    local reports_before ticks0 start
    reports_before=$(e2e_report_count)
    ticks0=$(cpu_ticks "$E2E_PID")
    start=$(date +%s.%N)

    local moved=""
    if [ "$drag" = 1 ]; then
        e2e_key q "$wid"  # control point 0
        local end x1 x2
        end=$(awk -v s="$start" -v n="$seconds" 'BEGIN { printf "%.0f", s + n }')
        xdotool mousemove --window "$wid" 300 300 mousedown 1
        while [ "$(date +%s)" -lt "$end" ]; do
            for i in $(seq 1 20); do xdotool mousemove --window "$wid" $((300 + 5 * i)) 300; sleep 0.025; done
            for i in $(seq 1 20); do xdotool mousemove --window "$wid" $((400 - 5 * i)) 300; sleep 0.025; done
            xdotool keydown F5; xdotool mousemove --window "$wid" 301 300; sleep 0.05
            xdotool keyup F5; xdotool mousemove --window "$wid" 300 300; sleep 0.05
        done
        xdotool mouseup 1
        sleep 0.3
        # One 100-pixel drag to the east at an ordinary pace: 5 pixels every
        # 25 ms. Saving is locked while a point is selected: R lets go of it.
        e2e_key r "$wid"; e2e_key F2 "$wid"; e2e_answer_prompt before.scene "$wid"
        e2e_key q "$wid"
        xdotool mousemove --window "$wid" 300 300 mousedown 1
        for i in $(seq 1 20); do xdotool mousemove --window "$wid" $((300 + 5 * i)) 300; sleep 0.025; done
        xdotool mouseup 1
        sleep 0.5
        e2e_key r "$wid"; e2e_key F2 "$wid"; e2e_answer_prompt after.scene "$wid"
        x1=$(saved_point_x "$scene_tool" "$E2E_WORK/before.scene")
        x2=$(saved_point_x "$scene_tool" "$E2E_WORK/after.scene")
        moved=$(awk -v a="$x1" -v b="$x2" 'BEGIN { printf "%.2f of 7.50 units (%.0f %%)", b - a, (b - a) / 7.5 * 100 }')
    else
        local end
        end=$(awk -v s="$start" -v n="$seconds" 'BEGIN { printf "%.0f", s + n }')
        while [ "$(date +%s)" -lt "$end" ]; do
            sleep 2
            report "$wid"
        done
    fi
    report "$wid"
    local ticks1 elapsed cpu hz
    ticks1=$(cpu_ticks "$E2E_PID")
    elapsed=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { print e - s }')
    hz=$(getconf CLK_TCK)
    cpu=$(awk -v t=$((ticks1 - ticks0)) -v hz="$hz" -v s="$elapsed" 'BEGIN { printf "%.0f", 100 * t / hz / s }')

    local fps draw move ties_count
    fps=$(values_of fps | tail -n +$((reports_before + 1)) | mean)
    draw=$(values_of "average clocks per draw" | tail -n 1)
    move=$(values_of "average clocks per move" | tail -n 1)
    ties_count=$(values_of "number of ties on track" | tail -n 1)
    echo "program: $program"
    echo "  scene: ${scene:-the shipped town} ($ties_count ties${ties:+, ties $ties}${keys:+, keys $keys}), window ${size}, ${seconds} s, load before: $load"
    if [ "$drag" = 1 ]; then
        echo "  fps while dragging a control point (F5, mean): $fps"
        echo "  a 100-pixel drag moved the point $moved"
    else
        echo "  fps (F5, mean of the reports): $fps"
    fi
    echo "  average clocks per draw: $draw ms"
    echo "  average clocks per move: $move ms"
    echo "  program CPU: $cpu % of one core"
    e2e_close "$wid"
    e2e_until 15 e2e_ended
    e2e_cleanup
    trap - EXIT
}

for program in "${programs[@]}"; do
    load="$(cut -d' ' -f1-3 /proc/loadavg)"
    ( measure "$program" )
done
