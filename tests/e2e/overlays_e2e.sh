#!/usr/bin/env bash
# The displays over the picture as a person meets them: the hint about the
# help at start; H and I lay the help and the HUD over a still town and take
# them away again, leaving the very same picture; F12 writes a screenshot of
# the window's size and says so; and with the train stopped in camera mode 5
# the HUD says why '1' does nothing. (E2E_KEEP=1 keeps the screenshots.)
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
[ -f "$E2E_WORK/town" ] || e2e_fail "no shipped town in the build directory"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
started=$(date +%s)
read -r W H < <(e2e_window_size "$wid")
e2e_focus "$wid"
sleep 1
# A screenshot once the picture has settled (two in a row alike): a slow
# build may take a while to draw the next frame.
shot() {
    local i
    e2e_screenshot "$wid" "$E2E_WORK/$1.png"
    for i in $(seq 1 30); do
        sleep 0.3
        e2e_screenshot "$wid" "$E2E_WORK/settle.png"
        [ "$(e2e_diff_pixels "$E2E_WORK/$1.png" "$E2E_WORK/settle.png")" -eq 0 ] && return 0
        mv "$E2E_WORK/settle.png" "$E2E_WORK/$1.png"
    done
}
diff_of() { e2e_diff_pixels "$E2E_WORK/$1.png" "$E2E_WORK/$2.png"; }

# A still town: the train goes to the start of the track, 9 stops the clock.
e2e_screenshot "$wid" "$E2E_WORK/hint.png"  # the town still moves here
e2e_key space "$wid"
e2e_key 9 "$wid"
# The hint lasts eight seconds.
left=$((started + 9 - $(date +%s)))
[ "$left" -gt 0 ] && sleep "$left"
shot still
[ "$(diff_of hint still)" -gt 300 ] || e2e_fail "no hint at start"

for key in h i; do
    e2e_key "$key" "$wid"
    shot "$key-on"
    on=$(diff_of still "$key-on")
    [ "$on" -gt $((W * H / 50)) ] || e2e_fail "$key changed only $on pixels"
    e2e_key "$key" "$wid"
    shot "$key-off"
    off=$(diff_of still "$key-off")
    [ "$off" -eq 0 ] || e2e_fail "after $key twice $off pixels still differ"
done

# F12: a PNG of the window's size in the working folder, named after the
# moment and announced with its full path.
e2e_key F12 "$wid"
e2e_wait_output "screenshot saved: "
path=$(grep -a "^screenshot saved: " "$E2E_STDOUT" | tail -n 1 | sed 's/^screenshot saved: //')
[ "$(dirname "$path")" = "$(cd "$E2E_WORK" && pwd -P)" ] || e2e_fail "screenshot path \"$path\" is not in the working folder"
[[ "$(basename "$path")" =~ ^quillmoor-[0-9]{8}-[0-9]{6}(-[0-9]+)?\.png$ ]] || e2e_fail "screenshot named \"$path\""
[ "$(identify -format "%m %w %h" "$path")" = "PNG $W $H" ] || e2e_fail "$path is not a ${W}x${H} PNG"
cp "$path" "$E2E_WORK/f12.png"
[ "$(diff_of still f12)" -lt $((W * H / 100)) ] || e2e_fail "the screenshot is not the picture shown"

# Camera mode 5 while the train runs, then stopped: '1' is refused, and the
# HUD says so in its warning colour until the train runs again.
e2e_key space "$wid"
for i in 1 2 3 4 5; do e2e_key 1 "$wid"; done
e2e_key space "$wid"
e2e_key i "$wid"
shot hud_mode5
e2e_key 1 "$wid"
shot refused
warning_pixels() {
    convert "$E2E_WORK/$1.png" -crop "$((W * 3 / 4))x$((H / 3))+0+0" +repage -fuzz 2% \
        -fill white -opaque "rgb(255,140,115)" -fill black +opaque white -format "%[fx:int(mean*w*h)]" info:
}
before=$(warning_pixels hud_mode5)
after=$(warning_pixels refused)
[ "$before" -eq 0 ] && [ "$after" -gt 100 ] ||
    e2e_fail "no refusal in the HUD after 1 ($before warning pixels before, $after after)"

kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "program ended on its own"
e2e_close "$wid"
e2e_expect_exit 1
echo "PASS: ${W}x${H}; hint, help and HUD come and go; $path; refusal in mode 5"
