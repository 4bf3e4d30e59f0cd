#!/usr/bin/env bash
# The keyboard and mouse as a person uses them: the statistics report, a
# track laid with M and the mouse, the train started and stopped with the
# space bar, a scene saved with F2 and loaded back with F1, and C clearing it.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
rm -f "$E2E_WORK/town"  # start from an empty town, so file sizes are known
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window)
e2e_focus "$wid"

# F5: the report, its lines in order, between two empty lines.
e2e_report "$wid"
labels=("train position" "train speed" "gravitational acceleration constant"
        "maximum track height" "train's total energy" "train's kinetic energy"
        "train's potential energy" "camera position" "camera look-at vector"
        "camera right vector" "camera up vector" "current vehicle view"
        "number of ties on track" "time" "fps" "redraw speed"
        "average clocks per move" "average clocks per draw")
report=$(grep -a -A 18 -B 1 "^train position: " "$E2E_STDOUT" | tail -n 20)
[ -z "$(echo "$report" | sed -n 1p)" ] || e2e_fail "the report does not start with an empty line"
[ -z "$(echo "$report" | sed -n 20p)" ] || e2e_fail "the report does not end with an empty line"
for i in "${!labels[@]}"; do
    line=$(echo "$report" | sed -n "$((i + 2))p")
    case "$line" in
        "${labels[$i]}: "*) ;;
        *) e2e_fail "report line $((i + 2)) is \"$line\", expected \"${labels[$i]}: ...\"" ;;
    esac
done
[ "$(e2e_last_report_value "train speed")" = "3.000000" ] || e2e_fail "train speed is not 3"
[ "$(e2e_last_report_value "camera position")" = "<0.000000,10.000000,10.000000>" ] ||
    e2e_fail "camera position is $(e2e_last_report_value "camera position")"

# Three control points with M, each dragged away from the centre of town in
# the ground plane before the next one appears.
e2e_key m "$wid"
e2e_drag "$wid" 1 300 300 500 300
e2e_key m "$wid"
e2e_drag "$wid" 1 300 300 300 460
e2e_key m "$wid"
e2e_drag "$wid" 1 300 300 160 200
e2e_report "$wid"
ties=$(e2e_last_report_value "number of ties on track")
[ "$ties" -gt 0 ] || e2e_fail "a three-point track has $ties ties"

# The third point started the train: it moves between two reports.
first=$(e2e_last_report_value "train position")
sleep 1
e2e_report "$wid"
second=$(e2e_last_report_value "train position")
[ "$first" != "$second" ] || e2e_fail "the train stands still at $first"

# The space bar does nothing while a point is selected; R lets go of it.
e2e_key space "$wid"
e2e_key r "$wid"
e2e_key space "$wid"  # stop: back to the start of the track
e2e_report "$wid"
stopped=$(e2e_last_report_value "train position")
sleep 1
e2e_report "$wid"
[ "$(e2e_last_report_value "train position")" = "$stopped" ] || e2e_fail "the stopped train moved"
e2e_key space "$wid"  # and off again
sleep 1
e2e_report "$wid"
[ "$(e2e_last_report_value "train position")" != "$stopped" ] || e2e_fail "the train did not start again"

# F2 saves through the prompt: 68 bytes of settings, 24 per control point.
e2e_key F2 "$wid"
e2e_answer_prompt "loop.scn" "$wid"
[ "$(stat -c %s "$E2E_WORK/loop.scn" 2>/dev/null)" = 140 ] || e2e_fail "loop.scn is not 140 bytes"

# C clears: a save now holds an empty scene.
e2e_key c "$wid"
e2e_key F2 "$wid"
e2e_answer_prompt "empty.scn" "$wid"
[ "$(stat -c %s "$E2E_WORK/empty.scn" 2>/dev/null)" = 68 ] || e2e_fail "the cleared scene is not 68 bytes"

# F1 loads the track back; saving it again gives the same bytes.
e2e_key F1 "$wid"
e2e_answer_prompt "loop.scn" "$wid"
e2e_key F2 "$wid"
e2e_answer_prompt "again.scn" "$wid"
cmp -s "$E2E_WORK/loop.scn" "$E2E_WORK/again.scn" || e2e_fail "the loaded scene saves differently"

# The prompt takes at most 63 characters of a longer name.
long_name=$(printf 'n%.0s' $(seq 1 70))
e2e_key F2 "$wid"
e2e_answer_prompt "$long_name" "$wid"
[ -f "$E2E_WORK/${long_name:0:63}" ] || e2e_fail "no file named by the first 63 characters"

# Escape in a prompt cancels it and leaves the town open.
e2e_key F1 "$wid"
prompt=$(e2e_wait_window_sized 330x75 10) || e2e_fail "no prompt"
e2e_focus "$prompt"
xdotool key Escape
e2e_wait_gone "$prompt"
sleep 0.5
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "Escape in the prompt ended the program"
e2e_focus "$wid"
e2e_screenshot "$wid" "$E2E_WORK/track.png"
e2e_keep "$E2E_WORK/track.png"

e2e_close "$wid"
e2e_expect_exit 1
echo "PASS: report, track, train, save, clear, load"
