#!/usr/bin/env bash
# Editing by hand as a person does it, checked on the saved scene: Insert and
# Delete change the point count and U brings back the very same save; with
# snapping a dragged point lands on the grid; the P dialog puts a point where
# typed; F12 writes a PNG of the window's size; a save's message shows across
# the bottom of the window.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
[ -f "$E2E_WORK/town" ] || e2e_fail "no shipped town in the build directory"
e2e_launch && e2e_accept_size_dialog && wid=$(e2e_wait_window) && e2e_focus "$wid" || exit 1
read -r W H < <(e2e_window_size "$wid")
e2e_until 20 grep -q "Created texture 7 " "$E2E_STDOUT" || e2e_fail "the ground textures never loaded"

keys() { e2e_keys "$wid" "$@"; }
save() { e2e_save_scene "$wid" "$1"; }
same() { e2e_same_files "$1" "$2"; }
points_in() { od -A n -t d4 -N 4 "$E2E_WORK/$1" | tr -d ' '; }
# Control point 0 of a saved scene as "x y z".
first_point() { od -A n -t f4 -j 4 -N 12 "$E2E_WORK/$1" | awk '{ print $1, $2, $3 }'; }
# The bottom-left strip where told lines show, as a PNG.
strip() { e2e_screenshot "$wid" "$E2E_WORK/full.png" && convert "$E2E_WORK/full.png" -crop 280x30+10+$((H - 42)) +repage "$E2E_WORK/$1"; }

# A still town: the train stopped at the start of the track, the clock stopped.
keys space 9
sleep 9  # the hint of the first seconds has gone
strip quiet.png
save start.scn
strip told.png
told=$(e2e_diff_pixels "$E2E_WORK/quiet.png" "$E2E_WORK/told.png")
[ "$told" -gt 500 ] || e2e_fail "the save's message changed only $told pixels at the bottom"

n=$(points_in start.scn)
keys q Insert r && save inserted.scn
[ "$(points_in inserted.scn)" -eq $((n + 1)) ] || e2e_fail "Insert left $(points_in inserted.scn) points of $n"
keys u && save undone.scn && same start.scn undone.scn
keys q Delete && save deleted.scn
[ "$(points_in deleted.scn)" -eq $((n - 1)) ] || e2e_fail "Delete left $(points_in deleted.scn) points of $n"
keys u && save undone2.scn && same start.scn undone2.scn

# The report waits for the release to be handled: a key held meanwhile is
# read when the release is, and r would let go of the point before it snaps.
keys s q && e2e_drag "$wid" 1 300 300 337 322 && e2e_report "$wid" && keys r s && save snapped.scn
read -r x y z < <(first_point snapped.scn)
read -r x0 y0 z0 < <(first_point start.scn)
awk -v x="$x" -v y="$y" -v z="$z" -v x0="$x0" -v z0="$z0" 'BEGIN {
    on = (x * 2 == int(x * 2)) && (z * 2 == int(z * 2)) && (y * 4 == int(y * 4))
    exit !(on && (x != x0 || z != z0)) }' || e2e_fail "the dragged point stands at $x $y $z, from $x0 $y0 $z0"

keys q p
dialog=$(e2e_wait_window "Typed numbers") || exit 1
e2e_focus "$dialog"
xdotool type --delay 20 "2.5" && xdotool key Tab && xdotool type --delay 20 "1.25"
xdotool key Tab && xdotool type --delay 20 -- "-7" && xdotool key Return
e2e_wait_gone "$dialog" && e2e_focus "$wid"
keys r && save typed.scn
[ "$(first_point typed.scn)" = "2.5 1.25 -7" ] || e2e_fail "P put the point at $(first_point typed.scn)"

keys F12
e2e_wait_output "screenshot saved: "
png=$(grep -a "^screenshot saved: " "$E2E_STDOUT" | tail -n 1 | sed 's/^screenshot saved: //')
[ "$(identify -format '%m %w %h' "$png")" = "PNG $W $H" ] || e2e_fail "$png is no $W x $H PNG"

e2e_close "$wid" && e2e_expect_exit 1
