#!/usr/bin/env bash
# Undo and redo in the running program: edits by keys and drags, U back to
# the start and Y forward again, each checked by the bytes F2 saves; Escape
# after an edit leaves an autosave that F1 loads back.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
printf '800\n600' >"$E2E_WORK/res.cfg"

save() {
    e2e_key F2 "$wid"
    e2e_answer_prompt "$1" "$wid"
    e2e_until 5 test -s "$E2E_WORK/$1" || e2e_fail "F2 saved no $1"
}
same() { cmp -s "$E2E_WORK/$1" "$E2E_WORK/$2" || e2e_fail "$1 and $2 differ"; }
keys() { for k in "$@"; do e2e_key "$k" "$wid"; done; }

e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
e2e_focus "$wid"
keys F3  # speed by hand, one step: the running train no longer changes the saved speed
save start.scn

# Six steps: a point added and dragged, an object added and grown, the curve
# basis and the lighting.
keys m
e2e_drag "$wid" 1 300 300 480 300
keys r n
e2e_drag "$wid" 3 300 300 300 200
keys r b 4
save edited.scn
cmp -s "$E2E_WORK/start.scn" "$E2E_WORK/edited.scn" && e2e_fail "the edits changed nothing"
keys u u u u u u
save back.scn
same start.scn back.scn
keys u u  # F3 too, and then nothing is left
e2e_wait_output "Nothing to undo"
keys y y y y y y y
save forward.scn
same edited.scn forward.scn

# One more edit, then Escape: it is kept in autosave, and loads back.
keys 4
e2e_close "$wid"
e2e_expect_exit 1
e2e_wait_output "Unsaved edits kept in \"autosave\""
[ -s "$E2E_WORK/autosave" ] || e2e_fail "no autosave after closing with an edit"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
e2e_focus "$wid"
e2e_key F1 "$wid"
e2e_answer_prompt autosave "$wid"
save reloaded.scn
same autosave reloaded.scn
rm "$E2E_WORK/autosave"
e2e_close "$wid"
e2e_expect_exit 1
[ -e "$E2E_WORK/autosave" ] && e2e_fail "a close without edits wrote an autosave"
exit 0
