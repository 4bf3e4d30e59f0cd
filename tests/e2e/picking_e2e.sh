#!/usr/bin/env bash
# Selecting with the mouse: a click on a town object selects it, so T changes
# that object's type; a click on bare ground lets go, so T changes nothing.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
rm -f "$E2E_WORK/town"  # an empty town: the one object made here stands alone
printf '800\n600' >"$E2E_WORK/res.cfg"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
e2e_focus "$wid"

# Keys count only once the first frame has loaded its textures: until then
# they go unseen, so knock with F5 until the town answers.
answered() {
    e2e_key F5 "$wid"
    [ "$(e2e_report_count)" -gt 0 ]
}
e2e_until 30 answered || e2e_fail "the town never answered F5"

# A left press and release on one spot of the window.
click() {
    xdotool mousemove --window "$wid" "$1" "$2"
    sleep 0.1
    xdotool mousedown 1
    sleep 0.05
    xdotool mouseup 1
    sleep 0.2
}

# The type code of the one object in a saved scene: its last four bytes.
saved_type() {
    e2e_key F2 "$wid"
    e2e_answer_prompt "$1" "$wid"
    [ "$(stat -c %s "$E2E_WORK/$1" 2>/dev/null)" = 92 ] || e2e_fail "$1 does not hold one object"
    od -An -tu4 -j 88 -N 4 "$E2E_WORK/$1" | tr -d ' '
}

# N makes a tree (type 0) at the centre of town, which the free camera looks
# at from the middle of the window; R lets go of it.
e2e_key n "$wid"
e2e_key r "$wid"
e2e_key t "$wid"
[ "$(saved_type none.scn)" = 0 ] || e2e_fail "T changed an object with nothing selected"

click 400 280
e2e_key t "$wid"
[ "$(saved_type clicked.scn)" = 1 ] || e2e_fail "a click on the tree did not select it"

click 700 520
e2e_key t "$wid"
[ "$(saved_type let_go.scn)" = 1 ] || e2e_fail "a click on bare ground did not let go"

e2e_close "$wid"
e2e_expect_exit 1
