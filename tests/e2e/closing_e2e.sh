#!/usr/bin/env bash
# Escape with unsaved edits: the autosave is written at once and the window
# stays a moment, showing where the edits went at its bottom left, before it
# closes; the line is printed once and the autosave written once.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
printf '800\n600' >"$E2E_WORK/res.cfg"
# A report comes once the first frames are on screen: before them the window
# is still black, and black at the bottom left is what the strip looks like.
e2e_start && wid=$E2E_WINDOW && e2e_report "$wid"
# The strip of told lines stands at the bottom left: mostly near-black panel.
strip_shown() {
    ! e2e_gone "$wid" || e2e_fail "the window closed without showing where the edits went"
    e2e_screenshot "$wid" "$E2E_WORK/closing.png"
    convert "$E2E_WORK/closing.png" -crop 280x28+12+560 +repage -colorspace Gray -threshold 20% -negate \
        -format "%[fx:mean > 0.3]" info: | grep -qx 1
}
e2e_keys "$wid" 4
! strip_shown || e2e_fail "a strip of messages stands there before the close"
e2e_close "$wid"
e2e_until 2 strip_shown || e2e_fail "the window closed without showing where the edits went"
e2e_expect_exit 1
told=$(grep -c "^Unsaved edits kept in \"autosave\": F1 loads them back" "$E2E_STDOUT")
[ "$told" = 1 ] || e2e_fail "the autosave was told $told times"
! grep -q "The autosave before them" "$E2E_STDOUT" || e2e_fail "the close wrote the autosave twice"
[ -s "$E2E_WORK/autosave" ] || e2e_fail "no autosave"
