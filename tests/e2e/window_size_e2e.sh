#!/usr/bin/env bash
# The window-size dialog: Enter opens the town at the size res.cfg holds and
# writes it back; a size out of range gives 800 x 600; Cancel, or Escape,
# ends the program with status 1 before any main window exists.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
rm -f "$E2E_WORK/town"  # without it, a town view prints its load error: a witness

expect_file() {
    [ "$(cat "$E2E_WORK/res.cfg" 2>/dev/null)" = "$1" ] ||
        e2e_fail "res.cfg holds \"$(cat "$E2E_WORK/res.cfg" 2>/dev/null)\", expected \"$1\""
}

# Enter accepts what res.cfg holds.
printf '1024\n768' >"$E2E_WORK/res.cfg"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window)
read -r w h < <(e2e_window_size "$wid")
[ "$w" = 1024 ] && [ "$h" = 768 ] || e2e_fail "window is ${w}x${h}, expected 1024x768"
[ "$(printf '1024\n768')" = "$(cat "$E2E_WORK/res.cfg")" ] || e2e_fail "res.cfg was not rewritten as it was"
[ "$(stat -c %s "$E2E_WORK/res.cfg")" = 8 ] || e2e_fail "res.cfg has a newline after the height"
e2e_close "$wid"
e2e_expect_exit 1

# A width above 1600 falls back to 800 x 600, and res.cfg says so.
printf '1601\n900' >"$E2E_WORK/res.cfg"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window)
read -r w h < <(e2e_window_size "$wid")
[ "$w" = 800 ] && [ "$h" = 600 ] || e2e_fail "window is ${w}x${h}, expected the fallback 800x600"
expect_file "$(printf '800\n600')"
e2e_wait_output "using 800 x 600"
e2e_close "$wid"
e2e_expect_exit 1

# A typed size: the fields are replaced and confirmed with Enter.
e2e_launch
dialog=$(e2e_size_dialog) || e2e_fail "no size dialog"
e2e_focus "$dialog"
xdotool mousemove --window "$dialog" 160 17 click --repeat 2 1  # the width field, its text selected
xdotool type --delay 20 "640"
xdotool mousemove --window "$dialog" 212 17 click --repeat 2 1
xdotool type --delay 20 "480"
xdotool key Return
e2e_wait_gone "$dialog"
wid=$(e2e_wait_window)
read -r w h < <(e2e_window_size "$wid")
[ "$w" = 640 ] && [ "$h" = 480 ] || e2e_fail "window is ${w}x${h}, expected the typed 640x480"
expect_file "$(printf '640\n480')"
e2e_close "$wid"
e2e_expect_exit 1

# Cancel: status 1, no main window, no town view, res.cfg untouched.
: >"$E2E_STDOUT"
e2e_launch
e2e_cancel_size_dialog
e2e_expect_exit 1
grep -q "Error loading file" "$E2E_STDOUT" && e2e_fail "a town view was built after Cancel"
expect_file "$(printf '640\n480')"

# Escape in the dialog cancels too.
e2e_launch
dialog=$(e2e_size_dialog) || e2e_fail "no size dialog"
e2e_focus "$dialog"
xdotool key Escape
e2e_expect_exit 1
grep -q "Error loading file" "$E2E_STDOUT" && e2e_fail "a town view was built after Escape"
echo "PASS: size from res.cfg, fallback, typed size, cancel"
