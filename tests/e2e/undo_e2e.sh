#!/usr/bin/env bash
# Undo and redo, checked by the bytes F2 saves; Escape after an edit leaves an autosave that F1
# loads back, a close without edits none. In an empty town no train changes the saved speed.
# A second press of U made before the first one's release is handled still undoes.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
rm -f "$E2E_WORK/town"
start() { e2e_start && wid=$E2E_WINDOW; }
keys() { e2e_keys "$wid" "$@"; }
save() { e2e_save_scene "$wid" "$1"; }
same() { e2e_same_files "$1" "$2"; }

start && save start.scn
keys m && e2e_drag "$wid" 1 300 300 400 300 && keys r m && e2e_drag "$wid" 1 300 300 300 380
keys r n && e2e_drag "$wid" 3 300 300 300 220 && keys r b 4 && save edited.scn  # eight steps
# The last two undos come while the program is stopped: the second press goes
# down before the first one's release is handled, and must undo all the same.
keys u u u u u u && kill -STOP "$E2E_PID" && xdotool keydown u sleep 0.05 keyup u sleep 0.05 keydown u
kill -CONT "$E2E_PID" && sleep 1 && xdotool keyup u && sleep 0.2
save back.scn && same start.scn back.scn
keys u && e2e_wait_output "Nothing to undo"
keys y y y y y y y y && save forward.scn && same edited.scn forward.scn
keys 4 && e2e_close "$wid" && e2e_expect_exit 1 && e2e_wait_output "Unsaved edits kept in \"autosave\""
start && keys F1 && e2e_answer_prompt autosave "$wid" && save reloaded.scn && same autosave reloaded.scn
rm "$E2E_WORK/autosave" && e2e_close "$wid" && e2e_expect_exit 1
[ ! -e "$E2E_WORK/autosave" ] || e2e_fail "a close without edits wrote an autosave"
