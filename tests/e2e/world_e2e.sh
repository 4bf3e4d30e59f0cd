#!/usr/bin/env bash
# The shipped town as the program draws it: the train and the cars move
# between two screenshots, and the track shows as rails on ties or, from a
# copy of the town with its ties switched off, as a centre line.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
[ -f "$E2E_WORK/town" ] || e2e_fail "no shipped town in the build directory"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window)
e2e_focus "$wid"
sleep 2  # the first frames load the textures

# --- By day, from the free camera over the centre of town -------------------
e2e_report "$wid"
ties=$(e2e_last_report_value "number of ties on track")
[ "$ties" -gt 100 ] || e2e_fail "the shipped town has $ties ties"
train_before=$(e2e_last_report_value "train position")
e2e_screenshot "$wid" "$E2E_WORK/day_a.png"
sleep 1
e2e_screenshot "$wid" "$E2E_WORK/day_b.png"
e2e_report "$wid"
train_after=$(e2e_last_report_value "train position")
e2e_keep "$E2E_WORK/day_a.png"
[ "$train_before" != "$train_after" ] || e2e_fail "the train stands still at $train_before"
moved=$(e2e_diff_pixels "$E2E_WORK/day_a.png" "$E2E_WORK/day_b.png")
[ "$moved" -gt 300 ] || e2e_fail "only $moved pixels changed in a second: the cars do not move"

# --- The fixed overview (camera mode 10): track, train and cars in sight -----
for _ in $(seq 1 10); do e2e_key 1 "$wid"; done
sleep 0.5
e2e_screenshot "$wid" "$E2E_WORK/ties_a.png"
sleep 0.5
e2e_screenshot "$wid" "$E2E_WORK/ties_b.png"
e2e_keep "$E2E_WORK/ties_a.png"
animated=$(e2e_diff_pixels "$E2E_WORK/ties_a.png" "$E2E_WORK/ties_b.png")
[ "$animated" -gt 50 ] || e2e_fail "nothing moves in the overview ($animated pixels)"

# The same town with the centre line instead of rails on ties: a copy of the
# scene file with its ties-shown field (after the points, the objects and
# five fields of settings) set to 0, loaded with F1; then the town again.
n=$(od -An -t d4 -N4 "$E2E_WORK/town" | tr -d ' ')
m=$(od -An -t d4 -j $((4 + 24 * n)) -N4 "$E2E_WORK/town" | tr -d ' ')
show_ties_at=$((4 + 24 * n + 4 + 20 * m + 20))
[ "$(od -An -t d4 -j "$show_ties_at" -N4 "$E2E_WORK/town" | tr -d ' ')" = 1 ] ||
    e2e_fail "the shipped town does not show its ties"
cp "$E2E_WORK/town" "$E2E_WORK/town_line"
printf '\0\0\0\0' | dd of="$E2E_WORK/town_line" bs=1 seek="$show_ties_at" conv=notrunc status=none
e2e_key F1 "$wid"
e2e_answer_prompt town_line "$wid"
sleep 0.5
e2e_screenshot "$wid" "$E2E_WORK/line.png"
e2e_keep "$E2E_WORK/line.png"
e2e_key F1 "$wid"
e2e_answer_prompt town "$wid"
sleep 0.5
e2e_screenshot "$wid" "$E2E_WORK/ties_c.png"

# Count the ties' wood (red over green over blue, unlike grass or the grey
# line) where the track crosses the grass at the lower left of the
# overview, away from the streets.
wood_pixels() {
    convert "$1" -crop 150x300+0+300 +repage -fx "(r > g && g > b && r - b > 0.15) ? 1 : 0" \
        -format "%[fx:int(mean * w * h + 0.5)]" info:
}
wood=$(wood_pixels "$E2E_WORK/ties_b.png")
wood_line=$(wood_pixels "$E2E_WORK/line.png")
wood_back=$(wood_pixels "$E2E_WORK/ties_c.png")
[ "$wood" -gt 500 ] || e2e_fail "no ties where the track crosses the grass ($wood pixels)"
[ "$wood_line" -lt $((wood / 10)) ] || e2e_fail "ties still show with the centre line ($wood_line of $wood pixels)"
[ "$wood_back" -gt $((wood / 2)) ] || e2e_fail "the ties did not come back ($wood_back of $wood pixels)"

kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "program ended on its own"
e2e_close "$wid"
e2e_expect_exit 1
echo "PASS: $ties ties; $moved pixels moved by day, $animated in the overview;" \
     "tie pixels: $wood, $wood_line with the centre line, $wood_back after reloading"
