#!/usr/bin/env bash
# The size dialog, the keyboard and the mouse as a person uses them: the
# window opens at the size res.cfg holds; the statistics report; a track laid
# with M and the mouse; the train started and stopped with the space bar; keys
# typed into another application ignored; a scene saved with F2 and loaded
# back with F1; C clearing it; then the dialog's fallback, a typed size, and
# Cancel or Escape ending the program before any main window.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
rm -f "$E2E_WORK/town"  # an empty town, so file sizes are known; its load error is a witness

expect_size() {
    local w h
    read -r w h < <(e2e_window_size "$1")
    [ "$w" = "$2" ] && [ "$h" = "$3" ] || e2e_fail "window is ${w}x${h}, expected ${2}x${3}"
}
expect_res_cfg() {
    [ "$(cat "$E2E_WORK/res.cfg" 2>/dev/null)" = "$1" ] ||
        e2e_fail "res.cfg holds \"$(cat "$E2E_WORK/res.cfg" 2>/dev/null)\", expected \"$1\""
}

# Enter accepts what res.cfg holds, and writes it back as it was.
printf '1024\n768' >"$E2E_WORK/res.cfg"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
expect_size "$wid" 1024 768
[ "$(stat -c %s "$E2E_WORK/res.cfg")" = 8 ] || e2e_fail "res.cfg was not rewritten as it was"
e2e_focus "$wid"

# F5: the report reaches standard output with the town's values.
e2e_report "$wid"
[ "$(e2e_last_report_value "train speed")" = "3.000000" ] || e2e_fail "train speed is not 3"
[ "$(e2e_last_report_value "camera position")" = "<0.000000,10.000000,10.000000>" ] ||
    e2e_fail "camera position is $(e2e_last_report_value "camera position")"
look=$(e2e_last_report_value "camera look-at vector")

# Three control points with M, each dragged away from the centre of town in
# the ground plane before the next one appears.
e2e_key m "$wid"
e2e_drag "$wid" 1 300 300 500 300
e2e_key m "$wid"
e2e_drag "$wid" 1 300 300 300 460
e2e_key m "$wid"
e2e_drag "$wid" 1 300 300 160 200
e2e_report "$wid"
[ "$(e2e_last_report_value "number of ties on track")" -gt 0 ] || e2e_fail "a three-point track has no ties"

# The third point started the train: it moves between two reports.
first=$(e2e_last_report_value "train position")
sleep 1
e2e_report "$wid"
[ "$(e2e_last_report_value "train position")" != "$first" ] || e2e_fail "the train stands still at $first"

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

# Another application takes the keyboard while the pointer rests on the town:
# its C, F5 and space must not reach the town. Mouse gestures still do: a
# left drag with nothing selected turns the free camera.
command -v xmessage >/dev/null || e2e_fail "xmessage (x11-utils) is not installed"
xmessage -geometry +1100+950 "another application" &
other_pid=$!
other=$(e2e_until 5 e2e_find_window --name '^xmessage$') || e2e_fail "xmessage did not show"
e2e_focus "$other"
reports=$(e2e_report_count)
e2e_key c "$wid"
e2e_key F5 "$wid"
e2e_key space "$wid"
e2e_drag "$wid" 1 400 300 340 260
sleep 0.3
[ "$(e2e_report_count)" = "$reports" ] || e2e_fail "F5 for another application printed a report"
kill "$other_pid" 2>/dev/null
e2e_focus "$wid"
e2e_report "$wid"
[ "$(e2e_last_report_value "camera look-at vector")" != "$look" ] || e2e_fail "the drag did not turn the camera"
moving=$(e2e_last_report_value "train position")
sleep 0.5
e2e_report "$wid"
[ "$(e2e_last_report_value "train position")" != "$moving" ] || e2e_fail "a space for another application stopped the train"

# F2 saves through the prompt: 68 bytes of settings, 24 per control point
# (so C for the other application cleared nothing).
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

# A name longer than 63 characters is refused, not cut to another file's
# name: the prompt stays open until it is cancelled.
long_name=$(printf 'n%.0s' $(seq 1 70))
e2e_key F2 "$wid"
prompt=$(e2e_wait_window_sized $E2E_PROMPT_SIZE 10) || exit 1
e2e_focus "$prompt"
xdotool type --delay 5 -- "$long_name"
xdotool key Return
e2e_wait_output "File name too long: 70 bytes, at most 63 fit"
e2e_find_sized $E2E_PROMPT_SIZE >/dev/null || e2e_fail "the prompt closed on the long name"
xdotool key Escape
e2e_wait_gone "$prompt"
e2e_focus "$wid"
[ ! -e "$E2E_WORK/${long_name:0:63}" ] || e2e_fail "the long name was cut and saved"

# Escape in a prompt cancels it and leaves the town open.
e2e_key F1 "$wid"
prompt=$(e2e_wait_window_sized $E2E_PROMPT_SIZE 10) || exit 1
e2e_focus "$prompt"
xdotool key Escape
e2e_wait_gone "$prompt"
sleep 0.5
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "Escape in the prompt ended the program"
e2e_close "$wid"
e2e_expect_exit 1

# A width above 1600 falls back to 800 x 600, and res.cfg says so.
printf '1601\n900' >"$E2E_WORK/res.cfg"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
expect_size "$wid" 800 600
expect_res_cfg "$(printf '800\n600')"
e2e_wait_output "using 800 x 600"
e2e_close "$wid"
e2e_expect_exit 1

# A typed size: the fields are replaced and confirmed with Enter.
e2e_launch
dialog=$(e2e_size_dialog) || exit 1
e2e_focus "$dialog"
xdotool mousemove --window "$dialog" 160 17 click --repeat 2 1  # the width field, its text selected
xdotool type --delay 20 "640"
xdotool mousemove --window "$dialog" 212 17 click --repeat 2 1
xdotool type --delay 20 "480"
xdotool key Return
e2e_wait_gone "$dialog"
wid=$(e2e_wait_window) || exit 1
expect_size "$wid" 640 480
expect_res_cfg "$(printf '640\n480')"
e2e_close "$wid"
e2e_expect_exit 1

# Cancel, and Escape in the dialog: status 1, no town view, res.cfg untouched.
e2e_launch
e2e_cancel_size_dialog
e2e_expect_exit 1
grep -q "Error loading file" "$E2E_STDOUT" && e2e_fail "a town view was built after Cancel"
e2e_launch
dialog=$(e2e_size_dialog) || exit 1
e2e_focus "$dialog"
xdotool key Escape
e2e_expect_exit 1
grep -q "Error loading file" "$E2E_STDOUT" && e2e_fail "a town view was built after Escape"
expect_res_cfg "$(printf '640\n480')"
echo "PASS: size dialog, report, track, train, focus, save, clear, load"
