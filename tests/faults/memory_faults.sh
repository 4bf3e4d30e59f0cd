#!/usr/bin/env bash
# Memory and console under ordinary use: the hand cursor follows 200 pointer
# moves without the resident memory growing, and a missing or damaged
# texture is reported once instead of in every frame.
#   cd build && bash ../tests/faults/memory_faults.sh ./quillmoor
source "$(dirname "$0")/../e2e/harness.sh"
e2e_setup "$1"
failed=0

pass() { echo "CASE $1: PASS $2"; }
fail() { echo "CASE $1: FAIL $2"; failed=1; }

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$E2E_PID/status" 2>/dev/null; }

# Starts the program in the work dir as it stands; WID, WIDTH and HEIGHT name
# its main window once the first frame has loaded its textures (it answers
# F5 then).
start_town() {
    : >"$E2E_STDOUT"
    e2e_launch
    e2e_accept_size_dialog
    WID=$(e2e_wait_window) || exit 1
    e2e_focus "$WID"
    read -r WIDTH HEIGHT < <(e2e_window_size "$WID")
    answered() { e2e_key F5 "$WID"; [ "$(e2e_report_count)" -gt 0 ]; }
    e2e_until 30 answered || e2e_fail "the town never answered F5"
    # The first answer can come before the first frame, which asks for
    # every texture: give it time to be drawn before counting.
    sleep 2
}

stop_town() {
    e2e_close "$1"
    e2e_expect_exit 1
}

# COUNT pointer moves to and fro across the window, over the town's objects
# and the bare ground, each given time for a frame and its hover pick.
hover() {
    local wid="$1" count="$2" width="$3" height="$4" i
    for i in $(seq 1 "$count"); do
        xdotool mousemove --window "$wid" $((20 + (i * 37) % (width - 40))) $((20 + (i * 53) % (height - 40)))
        sleep 0.03
    done
    sleep 0.5
}

# The shipped town with its train running: cars and the locomotive too.
pointer_moves() {
    local warm after_100 moved
    start_town
    hover "$WID" 20 "$WIDTH" "$HEIGHT"
    warm=$(rss_kb)
    hover "$WID" 100 "$WIDTH" "$HEIGHT"
    after_100=$(rss_kb)
    hover "$WID" 100 "$WIDTH" "$HEIGHT"
    moved=$(rss_kb)
    local detail="resident ${warm} kB after warm-up, ${after_100} kB after 100 moves, ${moved} kB after 200"
    # The first hundred moves may still grow caches; the second hundred must not.
    if e2e_sanitized; then
        pass "200 pointer moves" "$detail (not judged: a sanitizer build)"
    elif [ $((moved - after_100)) -lt 4096 ]; then pass "200 pointer moves" "$detail"; else fail "200 pointer moves" "$detail"; fi
    stop_town "$WID"
}

# Lines the texture loader prints that match PATTERN over three seconds of
# frames and hovering, once the first frame has asked for every texture: none,
# and at most MOST before.
quiet_console() {
    local name="$1" pattern="$2" most="$3" before after
    texture_lines() { grep -cE "$pattern" "$E2E_STDOUT"; }
    start_town
    before=$(texture_lines)
    hover "$WID" 60 "$WIDTH" "$HEIGHT"
    sleep 1
    after=$(texture_lines)
    local detail="$((after - before)) loader lines in the 3 s after the first frame, ${before} before"
    if [ "$after" = "$before" ] && [ "$before" -le "$most" ]; then pass "$name" "$detail"; else fail "$name" "$detail"; fi
    stop_town "$WID"
}

pointer_moves

# Each of the 29 names fails once at most: a "Trying" and a "Couldn't load" line each.
rm -f "$E2E_WORK/textures"
quiet_console "textures missing" "^(Trying: |!! Couldn't load texture )" 58

mkdir "$E2E_WORK/textures"
cp "$E2E_BUILD_DIR"/textures/*.tga "$E2E_WORK/textures/"
: >"$E2E_WORK/textures/sky top.tga"
quiet_console "one empty texture" "sky top" 2

exit "$failed"
