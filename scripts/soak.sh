#!/usr/bin/env bash
# Soak: the real program driven for SOAK_MINUTES (default 1) with random keys
# from the key table, random left and right drags that stay inside the
# window, the pointer wandering across the town, and a save and load
# through the file-name prompt every SOAK_CYCLE_SECONDS (default 20). Every
# minute it takes a statistics report and samples the resident memory.
# Fails on a crash, on a report value that is not a finite number, or on
# resident memory more than 2 % above the first minute's sample.
#   cd build && SOAK_MINUTES=30 bash ../scripts/soak.sh ./quillmoor
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_setup "$1"
minutes=${SOAK_MINUTES:-1}
cycle_seconds=${SOAK_CYCLE_SECONDS:-20}
RANDOM=${SOAK_SEED:-$$}

# Every key of the key table but Escape (it closes the window) and F1/F2
# (the prompt cycles below answer those).
keys=(1 d F4 F3 4 minus plus bracketleft bracketright Page_Up Page_Down 0 9 F5 Up Down
      c v 2 3 b space m n q w e l r a z t)

e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
e2e_focus "$wid"
read -r width height < <(e2e_window_size "$wid")

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$E2E_PID/status" 2>/dev/null; }
alive() { kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program died after $(($(date +%s) - start)) s"; }

# The program polls the keyboard at its events; on a loaded machine a short
# press may end before they are handled. Presses KEY until CHECK succeeds
# within 10 s, three times at most. KEYS may name several, pressed in turn.
press_until() {
    local keys="$1" try key
    shift
    for try in 1 2 3; do
        alive
        for key in $keys; do e2e_key "$key" "$wid"; done
        e2e_until 10 "$@" && return 0
    done
    e2e_fail "$keys had no effect in three presses"
}

# A report whose values are all finite numbers.
check_report() {
    local bad
    press_until F5 e2e_reports_above "$(e2e_report_count)"
    bad=$(awk '/^train position: /, /^average clocks per draw: /' "$E2E_STDOUT" | tail -n 20 |
          grep -iE ':.*(nan|inf)') && e2e_fail "a report value is not finite: $bad"
    return 0
}

# A coordinate within 0..LIMIT-1, kept 5 pixels clear of the edges.
inside() { local v="$1" limit="$2"; echo $((v < 5 ? 5 : v > limit - 6 ? limit - 6 : v)); }

random_drag() {
    local x=$((20 + RANDOM % (width - 40))) y=$((20 + RANDOM % (height - 40)))
    local button=$((RANDOM % 2 == 0 ? 1 : 3))
    e2e_drag "$wid" "$button" "$x" "$y" "$(inside $((x + RANDOM % 81 - 40)) "$width")" \
        "$(inside $((y + RANDOM % 81 - 40)) "$height")"
}

# The pointer wanders over the town as a hand on the mouse does, so the
# cursor's pick runs at every move.
random_hover() {
    local i
    for i in 1 2 3 4 5 6 7 8; do
        xdotool mousemove --window "$wid" $((5 + RANDOM % (width - 10))) $((5 + RANDOM % (height - 10)))
        sleep 0.03
    done
}

# R lets go of any selection first: F1 and F2 act only with no point selected.
prompt_shown() { e2e_find_sized $E2E_PROMPT_SIZE >/dev/null; }
save_and_load() {
    rm -f "$E2E_WORK/soak.scn"
    press_until "r F2" prompt_shown
    e2e_answer_prompt soak.scn "$wid"
    e2e_until 10 test -s "$E2E_WORK/soak.scn" || e2e_fail "F2 saved nothing"
    press_until "r F1" prompt_shown
    e2e_answer_prompt soak.scn "$wid"
}

start=$(date +%s)
end=$((start + 60 * minutes))
next_sample=$((start + 60))
next_cycle=$((start + cycle_seconds))
baseline=""
actions=0
while [ "$(date +%s)" -lt "$end" ]; do
    alive
    choice=$((RANDOM % 4))
    if [ "$choice" = 0 ]; then
        random_drag
    elif [ "$choice" = 1 ]; then
        random_hover
    else
        e2e_key "${keys[RANDOM % ${#keys[@]}]}" "$wid"
    fi
    actions=$((actions + 1))
    now=$(date +%s)
    if [ "$now" -ge "$next_cycle" ]; then
        save_and_load
        next_cycle=$((now + cycle_seconds))
    fi
    if [ "$now" -ge "$next_sample" ]; then
        check_report
        rss=$(rss_kb)
        [ -n "$baseline" ] || baseline=$rss
        echo "soak: minute $(((now - start) / 60)): resident ${rss} kB, ${actions} actions"
        [ "$((rss * 100))" -le "$((baseline * 102))" ] ||
            e2e_fail "resident memory grew from ${baseline} kB to ${rss} kB"
        next_sample=$((next_sample + 60))
    fi
done
alive
check_report
rss=$(rss_kb)
echo "soak: ${minutes} min, ${actions} actions, resident ${baseline:-$rss} kB after the first minute, ${rss} kB at the end"
# A one-minute run has no later minute to compare with the first.
[ "$minutes" -le 1 ] || [ "$((rss * 100))" -le "$((baseline * 102))" ] ||
    e2e_fail "resident memory grew from ${baseline} kB to ${rss} kB"
e2e_close "$wid"
e2e_expect_exit 1
