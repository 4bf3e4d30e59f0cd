#!/usr/bin/env bash
# The shipped town as the running program draws it: the main window at the
# default size, animating with no input; the train and the cars moving; a
# picture from every camera mode; the town's objects and track gone after C;
# and, from the free camera turned level over the emptied town, the sky's own
# image above the horizon and the green land below. Closing the window ends
# the program with status 1. (E2E_KEEP=1 keeps the screenshots.)
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
[ -f "$E2E_WORK/town" ] || e2e_fail "no shipped town in the build directory"
e2e_launch
e2e_accept_size_dialog  # no res.cfg: the dialog offers 800 x 600
wid=$(e2e_wait_window) || exit 1
read -r W H < <(e2e_window_size "$wid")
[ "$W" = 800 ] && [ "$H" = 600 ] || e2e_fail "window is ${W}x${H}, expected 800x600"
e2e_focus "$wid"
sleep 2  # the first frames load the textures

# --- By day, from the free camera over the centre of town -------------------
e2e_report "$wid"
ties=$(e2e_last_report_value "number of ties on track")
[ "$ties" -gt 100 ] || e2e_fail "the shipped town has $ties ties"
train_before=$(e2e_last_report_value "train position")
e2e_screenshot "$wid" "$E2E_WORK/day_a.png"
sleep 1
e2e_screenshot "$wid" "$E2E_WORK/mode0.png"
e2e_report "$wid"
[ "$(e2e_last_report_value "train position")" != "$train_before" ] || e2e_fail "the train stands still at $train_before"
moved=$(e2e_diff_pixels "$E2E_WORK/day_a.png" "$E2E_WORK/mode0.png")
[ "$moved" -gt 300 ] || e2e_fail "only $moved pixels changed in a second: the cars do not move"

# Something drawn, not a cleared or single-colour picture (a camera with a
# vector of no direction leaves the view black).
expect_picture() {
    local mean sd
    read -r mean sd < <(convert "$1" -colorspace Gray -format "%[fx:mean] %[fx:standard_deviation]" info:)
    awk -v m="$mean" -v s="$sd" 'BEGIN { exit !(m > 0.05 && s > 0.02) }' ||
        e2e_fail "$2: the picture is blank (mean $mean, deviation $sd)"
}

# --- Every camera mode, with the train running --------------------------------
expect_picture "$E2E_WORK/mode0.png" "mode 0"
for mode in $(seq 1 12); do
    e2e_key 1 "$wid"
    sleep 0.4
    e2e_screenshot "$wid" "$E2E_WORK/mode$mode.png"
    expect_picture "$E2E_WORK/mode$mode.png" "mode $mode"
    changed=$(e2e_diff_pixels "$E2E_WORK/mode0.png" "$E2E_WORK/mode$mode.png")
    [ "$changed" -gt $((W * H / 10)) ] || e2e_fail "mode $mode looks like the free camera ($changed pixels differ)"
done
e2e_key 1 "$wid"  # back to the free camera

# --- The free camera turned level over the emptied town ----------------------
# 9 stops the clock, so the daylight holds still from here on; C stops the
# train and removes the track and the town's objects, so nothing but the
# background and the cars is left. Dragging up by 157 pixels tilts the camera
# 0.785 radians upwards: from 45 degrees down to level, looking north.
e2e_key 9 "$wid"
sleep 0.4
e2e_screenshot "$wid" "$E2E_WORK/town.png"
e2e_key c "$wid"
sleep 0.4
e2e_screenshot "$wid" "$E2E_WORK/cleared.png"
removed=$(e2e_diff_pixels "$E2E_WORK/town.png" "$E2E_WORK/cleared.png")
[ "$removed" -gt $((W * H / 10)) ] || e2e_fail "C took only $removed pixels of town out of the picture"
e2e_drag "$wid" 1 $((W / 2)) $((H * 3 / 4)) $((W / 2)) $((H * 3 / 4 - 157))
e2e_report "$wid"
look=$(e2e_last_report_value "camera look-at vector" | tr -d '<>')
IFS=, read -r look_x look_y look_z <<<"$look"
awk -v x="$look_x" -v y="$look_y" -v z="$look_z" \
    'BEGIN { exit !(x * x < 1e-4 && y * y < 4e-4 && z < -0.99) }' ||
    e2e_fail "the drag did not level the camera: look is <$look>"
[ "$(e2e_last_report_value "camera position")" = "<0.000000,10.000000,10.000000>" ] ||
    e2e_fail "the camera moved: $(e2e_last_report_value "camera position")"
hours=$(e2e_last_report_value "time")
sleep 0.5
e2e_screenshot "$wid" "$E2E_WORK/level.png"
e2e_report "$wid"
[ "$(e2e_last_report_value "time")" = "$hours" ] || e2e_fail "the clock did not stop at $hours"

# The sky is unlit, so it shows its image times the daylight tint. Looking
# level at the front face from its centre, screen and image map linearly:
# a pixel at tan_x, tan_y off the axis shows the image at s = (1 + tan_x) / 2,
# t = (1 + tan_y) / 2, with t counted from the image's bottom row.
tint=$(awk -v h="$hours" 'BEGIN { t = h / 24; d = -16 * t * t + 16 * t - 3;
                                  print (d >= 0 ? 0.97 * d + 0.03 : 0.03) }')
sky_image="$E2E_BUILD_DIR/textures/sky front.tga"
tan_half=0.41421356  # tan(22.5 degrees), half the vertical field of view
[ -f "$sky_image" ] || e2e_fail "no sky image in the build directory"

# Prints the expected mean colour "R G B" of the screen box (x, y, w, h).
expected_sky() {
    local x="$1" y="$2" w="$3" h="$4" tw th crop
    read -r tw th < <(identify -format "%w %h" "$sky_image")
    crop=$(awk -v x="$x" -v y="$y" -v w="$w" -v h="$h" -v W="$W" -v H="$H" -v tw="$tw" -v th="$th" \
        -v th2="$tan_half" 'BEGIN {
            ax = th2 * W / H
            s0 = (1 + ax * (2 * x / W - 1)) / 2;       s1 = (1 + ax * (2 * (x + w) / W - 1)) / 2
            t1 = (1 + th2 * (1 - 2 * y / H)) / 2;      t0 = (1 + th2 * (1 - 2 * (y + h) / H)) / 2
            printf "%d %d %d %d", s0 * tw, (1 - t1) * th, (s1 - s0) * tw + 1, (t1 - t0) * th + 1 }')
    read -r cx cy cw ch <<<"$crop"
    # ImageMagick keeps a bottom-up TGA's rows as stored until told to turn it.
    read -r r g b < <(convert "$sky_image" -auto-orient -crop "${cw}x${ch}+${cx}+${cy}" +repage -scale 1x1\! \
        -format "%[fx:int(255*p{0,0}.r)] %[fx:int(255*p{0,0}.g)] %[fx:int(255*p{0,0}.b)]" info:)
    awk -v r="$r" -v g="$g" -v b="$b" -v k="$tint" 'BEGIN { printf "%d %d %d\n", r * k, g * k, b * k }'
}

# Two boxes in the upper part of the picture, clear of the light's marker
# above the middle of the town.
for box in "$((W / 20)) $((H / 20)) $((W * 7 / 20)) $((H * 7 / 20))" \
           "$((W * 12 / 20)) $((H / 20)) $((W * 7 / 20)) $((H * 7 / 20))"; do
    read -r bx by bw bh <<<"$box"
    read -r r g b < <(e2e_mean "$E2E_WORK/level.png" "$bx" "$by" "$bw" "$bh")
    read -r er eg eb < <(expected_sky "$bx" "$by" "$bw" "$bh")
    awk -v r="$r" -v g="$g" -v b="$b" -v er="$er" -v eg="$eg" -v eb="$eb" 'BEGIN {
        d = 0; if ((r - er) ^ 2 > d) d = (r - er) ^ 2; if ((g - eg) ^ 2 > d) d = (g - eg) ^ 2
        if ((b - eb) ^ 2 > d) d = (b - eb) ^ 2; exit !(d <= 144) }' ||
        e2e_fail "sky at ($box) is ($r, $g, $b), expected about ($er, $eg, $eb) (tint $tint)"
done

# Below the horizon, from 0.14 to 0.36 of the way down (the eye is 10 up,
# the ground ends at the far plane 100 ahead and the town square 25 ahead),
# only the land tiles are in view: cement under the tint (112, 135, 90). The
# sun lights every channel alike, so the channels keep the tint's proportions.
read -r cr cg cb < <(convert "$E2E_BUILD_DIR/textures/cement.tga" -scale 1x1\! \
    -format "%[fx:int(255*p{0,0}.r)] %[fx:int(255*p{0,0}.g)] %[fx:int(255*p{0,0}.b)]" info:)
land_top=$(awk -v H="$H" -v t="$tan_half" 'BEGIN { print int(H / 2 + 0.14 / t * H / 2) }')
land_bottom=$(awk -v H="$H" -v t="$tan_half" 'BEGIN { print int(H / 2 + 0.36 / t * H / 2) }')
read -r r g b < <(e2e_mean "$E2E_WORK/level.png" $((W / 10)) "$land_top" $((W * 8 / 10)) $((land_bottom - land_top)))
awk -v r="$r" -v g="$g" -v b="$b" -v cr="$cr" -v cg="$cg" -v cb="$cb" 'BEGIN {
    er = cr * 112; eg = cg * 135; eb = cb * 90
    exit !(r > 20 && g > r && g > b && (g / r) / (eg / er) > 0.9 && (g / r) / (eg / er) < 1.1 &&
           (b / r) / (eb / er) > 0.9 && (b / r) / (eb / er) < 1.1) }' ||
    e2e_fail "land below the horizon is ($r, $g, $b); cement ($cr, $cg, $cb) under the green tint expected"

kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "program ended on its own"
e2e_close "$wid"
e2e_expect_exit 1
echo "PASS: ${W}x${H}; $ties ties; $moved pixels moved by day; $removed cleared by C;" \
     "level view: sky at $tint of its image, green land below"
