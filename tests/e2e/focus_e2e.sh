#!/usr/bin/env bash
# Keys typed into another application do not reach the town, even with the
# pointer resting on it: a 'C' meant for someone else must not clear an
# unsaved track. Mouse gestures still work without the focus.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
rm -f "$E2E_WORK/town"
command -v xmessage >/dev/null || e2e_fail "xmessage (x11-utils) is not installed"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window)
e2e_focus "$wid"

# A track of three points, the last one still selected.
e2e_key m "$wid"
e2e_drag "$wid" 1 300 300 500 300
e2e_key m "$wid"
e2e_drag "$wid" 1 300 300 300 460
e2e_key m "$wid"
e2e_key r "$wid"

# Another application takes the keyboard; the pointer stays on the town.
xmessage -geometry +900+700 "another application" &
other_pid=$!
other=""
for i in $(seq 1 50); do
    other=$(xdotool search --onlyvisible --name '^xmessage$' 2>/dev/null | head -n 1)
    [ -n "$other" ] && break
    sleep 0.1
done
[ -n "$other" ] || e2e_fail "xmessage did not show"
e2e_focus "$other"
reports=$(grep -c "^train speed: " "$E2E_STDOUT")
e2e_key c "$wid"
e2e_key F5 "$wid"
e2e_key space "$wid"
sleep 0.3
[ "$(grep -c "^train speed: " "$E2E_STDOUT")" = "$reports" ] || e2e_fail "F5 for another application printed a report"

# A left drag with nothing selected still turns the free camera.
e2e_drag "$wid" 1 400 300 340 260
kill "$other_pid" 2>/dev/null

# Back in the town, the track is all there and the camera has turned.
e2e_focus "$wid"
e2e_report "$wid"
[ "$(e2e_last_report_value "number of ties on track")" -gt 0 ] || e2e_fail "the track was cleared"
[ "$(e2e_last_report_value "camera look-at vector")" != "<0.000000,-0.707107,-0.707107>" ] ||
    e2e_fail "the drag did not turn the camera"
e2e_key F2 "$wid"
e2e_answer_prompt "kept.scn" "$wid"
[ "$(stat -c %s "$E2E_WORK/kept.scn" 2>/dev/null)" = 140 ] || e2e_fail "the saved track lost its points"

e2e_close "$wid"
e2e_expect_exit 1
echo "PASS: keys for another application ignored, mouse still works"
