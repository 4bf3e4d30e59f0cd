#!/usr/bin/env bash
# A click on a town object selects it for T; a click on bare ground lets go.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
rm -f "$E2E_WORK/town"  # an empty town: the one object made here stands alone
printf '800\n600' >"$E2E_WORK/res.cfg"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
e2e_focus "$wid"
# Keys go unseen while the first frame loads its textures: knock until it answers.
answered() { e2e_key F5 "$wid"; [ "$(e2e_report_count)" -gt 0 ]; }
e2e_until 30 answered || e2e_fail "the town never answered F5"

click() { xdotool mousemove --window "$wid" "$1" "$2" sleep 0.1 mousedown 1 sleep 0.05 mouseup 1 sleep 0.2; }
# The type code of the one object, the last four bytes of a saved scene.
saved_type() {
    e2e_key F2 "$wid"
    e2e_answer_prompt "$1" "$wid"
    od -An -tu4 -j 88 -N 4 "$E2E_WORK/$1" | tr -d ' '
}

# N makes a tree (type 0) at the town centre, in the middle of the window; R lets go.
e2e_key n "$wid"
e2e_key r "$wid"
click 400 280
e2e_key t "$wid"
[ "$(saved_type clicked.scn)" = 1 ] || e2e_fail "a click on the tree did not select it"
click 700 520
e2e_key t "$wid"
[ "$(saved_type let_go.scn)" = 1 ] || e2e_fail "a click on bare ground did not let go"
e2e_close "$wid"
e2e_expect_exit 1
