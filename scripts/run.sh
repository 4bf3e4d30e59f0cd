#!/usr/bin/env bash
# Builds what running Quillmoor needs (the program, its textures and the
# town; not the tests, tools or benchmarks) and runs it. With a display it
# opens the window as usual. Without one it starts the program on a virtual
# display (Xvfb), accepts the window-size dialog, saves a screenshot after a
# few seconds, says where, and ends.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target quillmoor textures town_scene
cd "$top/build"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec ./quillmoor
fi

title="Quillmoor Project - By: Tamsprig"
display=:77
while [ -e "/tmp/.X11-unix/X${display#:}" ]; do display=":$(( ${display#:} + 1 ))"; done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1

./quillmoor > run-output.txt 2>&1 &
program=$!

# The program asks for the window size first (a small window with the same
# title); Enter accepts it. Then the main window, the larger one, appears.
main_window=""
for _ in $(seq 1 200); do
    for id in $(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null); do
        width=$(xdotool getwindowgeometry "$id" | awk '/Geometry/ { split($2, s, "x"); print s[1] }')
        if [ "${width:-0}" -lt 300 ]; then
            xdotool windowfocus --sync "$id" key Return 2>/dev/null || true
        else
            main_window=$id
        fi
    done
    [ -n "$main_window" ] && break
    kill -0 $program 2>/dev/null || break
    sleep 0.1
done
if [ -z "$main_window" ]; then
    echo "The program did not open its main window; its output:"
    cat run-output.txt
    exit 1
fi

sleep 6
import -window "$main_window" "$top/build/screenshot.png"
xdotool windowfocus --sync "$main_window" key Escape 2>/dev/null || kill $program
wait $program || true
echo "No display here: Quillmoor ran on the virtual display $display."
echo "Screenshot after 6 seconds: $top/build/screenshot.png"
echo "Program output: $top/build/run-output.txt"
