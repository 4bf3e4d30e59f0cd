#!/usr/bin/env bash
# Undo and redo, checked by the bytes F2 saves; Escape after an edit leaves an autosave that F1
# loads back, a close without edits none. In an empty town no train changes the saved speed.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
rm -f "$E2E_WORK/town"
keys() {  # each held through six events, for a busy machine: all of them act once per press
    for k in "$@"; do
        xdotool keydown "$k"
        for i in 1 2 3 4 5 6; do xdotool mousemove --window "$wid" $((200 + i)) 200 && sleep 0.1; done
        xdotool keyup "$k" && sleep 0.1
    done
}
save() { keys F2 && e2e_answer_prompt "$1" "$wid" && e2e_until 5 test -s "$E2E_WORK/$1" || e2e_fail "no $1"; }
same() { cmp -s "$E2E_WORK/$1" "$E2E_WORK/$2" || e2e_fail "$1 and $2 differ"; }
start() {
    e2e_launch && e2e_accept_size_dialog && wid=$(e2e_wait_window) && e2e_focus "$wid" || exit 1
    e2e_until 20 grep -q "Created texture 7 " "$E2E_STDOUT" || e2e_fail "the ground textures never loaded"
}

start && save start.scn
keys m && e2e_drag "$wid" 1 300 300 400 300 && keys r m && e2e_drag "$wid" 1 300 300 300 380
keys r n && e2e_drag "$wid" 3 300 300 300 220 && keys r b 4 && save edited.scn  # eight steps
keys u u u u u u u u && save back.scn && same start.scn back.scn
keys u && e2e_wait_output "Nothing to undo"
keys y y y y y y y y && save forward.scn && same edited.scn forward.scn
keys 4 && e2e_close "$wid" && e2e_expect_exit 1 && e2e_wait_output "Unsaved edits kept in \"autosave\""
start && keys F1 && e2e_answer_prompt autosave "$wid" && save reloaded.scn && same autosave reloaded.scn
rm "$E2E_WORK/autosave" && e2e_close "$wid" && e2e_expect_exit 1
[ ! -e "$E2E_WORK/autosave" ] || e2e_fail "a close without edits wrote an autosave"
