#!/usr/bin/env bash
# Takes the README's pictures of the displays over the town (the help, and
# the HUD with the ride profile) from the real program on a virtual display,
# through the end-to-end harness. Run it after the displays or the town change.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build}"
cmake -S "$top" -B "$build" >/dev/null
cmake --build "$build" -j2 --target quillmoor textures town_scene
cd "$build"
source "$top/tests/e2e/harness.sh"
e2e_setup "$build/quillmoor"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
e2e_focus "$wid"
sleep 3  # the train comes down the central street

save() {
    e2e_screenshot "$wid" "$E2E_WORK/$1.png"
    # A dithered 255-colour palette keeps each picture small.
    convert "$E2E_WORK/$1.png" -strip -colors 255 -dither FloydSteinberg "PNG8:$top/docs/$1.png"
    echo "docs/$1.png"
}
e2e_key h "$wid"
sleep 0.5
save help-overlay
e2e_key h "$wid"
e2e_key 1 "$wid"
e2e_key 1 "$wid"  # behind the train
e2e_key i "$wid"
e2e_key g "$wid"
sleep 6
save hud-profile
e2e_close "$wid"
e2e_expect_exit 1
