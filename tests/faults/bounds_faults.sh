#!/usr/bin/env bash
# Bounds that keep the program usable, tried on the real program: a point
# far out and a track too long to draw are refused at load with little
# memory spent, a scene driven from the energy bound saves and loads back,
# a texture claiming a huge size is refused without its memory, and a name
# too long for the prompt's buffer is refused instead of being cut.
# Run from the build dir: bash ../tests/faults/bounds_faults.sh ./quillmoor
source "$(dirname "$0")/../e2e/harness.sh"
SOURCE_DIR="$(cd "$(dirname "$0")/../.." && pwd)"
SCENE_TEXT="$E2E_BUILD_DIR/scene_text"
e2e_setup "$1"
[ -x "$SCENE_TEXT" ] || e2e_fail "no scene_text beside the program"

failures=0
# Runs one case in a subshell (a failing harness check ends only that case)
# and prints its CASE line; the case prints its detail on its last line.
run_case() {
    local name="$1" out status
    shift
    fresh_work
    out=$( (trap '[ -n "$E2E_PID" ] && kill "$E2E_PID" 2>/dev/null' EXIT; "$@") 2>&1)
    status=$?
    if [ "$status" = 0 ]; then
        echo "CASE $name: PASS $(tail -n 1 <<<"$out")"
    else
        echo "CASE $name: FAIL $(grep -m1 '^FAIL' <<<"$out" || tail -n 1 <<<"$out")"
        failures=$((failures + 1))
    fi
}

# Resident memory of the running program, in MB.
rss_mb() { awk '/^VmRSS/ { print int($2 / 1024) }' "/proc/$E2E_PID/status"; }

# Prints the resident MB; fails past 400 MB, which a refused scene or picture
# must never cost (not judged in a sanitizer build). WHEN ends the message.
expect_little_memory() {
    local rss
    rss=$(rss_mb)
    e2e_sanitized || [ "$rss" -lt 400 ] || e2e_fail "resident memory $rss MB $1"
    echo "$rss"
}

# The shipped town as text, with SED applied, compiled into the work dir as NAME.
town_variant() {
    "$SCENE_TEXT" print "$E2E_BUILD_DIR/town" | sed "$1" >"$E2E_WORK/$2.txt"
    "$SCENE_TEXT" compile "$E2E_WORK/$2.txt" "$E2E_WORK/$2" >/dev/null 2>&1
}

# Each case starts from the shipped town and textures.
fresh_work() {
    rm -rf "$E2E_WORK/textures"
    ln -s "$E2E_BUILD_DIR/textures" "$E2E_WORK/textures"
    cp "$E2E_BUILD_DIR/town" "$E2E_WORK/town"
}

# Starts the program on the town in the work dir and waits for its window.
start() {
    : >"$E2E_STDOUT"
    e2e_launch
    e2e_accept_size_dialog
    wid=$(e2e_wait_window) || exit 1
    e2e_focus "$wid"
}

stop() {
    e2e_close "$wid"
    e2e_expect_exit 1
}

far_point() {
    # Control point 0 at x = 100 000 (once 927 463 ties and 4.5 GB): no
    # scene file can be written for it, so it goes in as raw bytes.
    python3 - "$E2E_WORK/town" <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
data[4:8] = struct.pack("<f", 100000.0)
open(path, "wb").write(data)
PY
    # A ring half as wide again as the heaviest town's, well inside the
    # town: about 47 000 ties at the closest spacing. No scene file can be
    # compiled for it either; its points are scaled in the bytes.
    "$SCENE_TEXT" compile "$SOURCE_DIR/bench/heaviest_town.txt" "$E2E_WORK/wide" >/dev/null ||
        e2e_fail "cannot compile the heaviest town"
    python3 - "$E2E_WORK/wide" <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
n = struct.unpack_from("<i", data, 0)[0]
for k in range(6 * n):  # control points, then orientation points
    at = 4 + 4 * k
    struct.pack_into("<f", data, at, 1.5 * struct.unpack_from("<f", data, at)[0])
open(path, "wb").write(data)
PY
    start
    e2e_report "$wid"
    grep -q 'Error loading file "town": control point 0 lies beyond 1000' "$E2E_STDOUT" ||
        e2e_fail "the far point was not refused: $(head -c 300 "$E2E_STDOUT")"
    [ "$(e2e_last_report_value "number of ties on track")" = 0 ] || e2e_fail "a track was laid"
    e2e_key F1 "$wid"
    e2e_answer_prompt wide "$wid"
    e2e_wait_output 'Error loading file "wide": the track would need more than 40000 ties'
    local rss
    rss=$(expect_little_memory "after the refusals") || exit 1
    stop
    echo "both refused at load, resident memory $rss MB"
}

energy_bound() {
    # Total energy 6e11: the train soon runs at about 110 000, beyond the
    # old speed bound of 100 000 that refused the scene's own save.
    town_variant 's/^total_energy .*/total_energy 6e11/' energetic
    cp "$E2E_WORK/energetic" "$E2E_WORK/town"
    start
    sleep 2  # the train runs
    e2e_report "$wid"
    local speed
    speed=$(e2e_last_report_value "train speed")
    awk -v s="$speed" 'BEGIN { exit !(s > 100000) }' || e2e_fail "the train runs at $speed only"
    e2e_key F2 "$wid"
    e2e_answer_prompt fast "$wid"
    [ -s "$E2E_WORK/fast" ] || e2e_fail "F2 saved nothing"
    e2e_key F1 "$wid"
    e2e_answer_prompt fast "$wid"
    e2e_report "$wid"
    ! grep -q "Error loading" "$E2E_STDOUT" || e2e_fail "$(grep -m1 -o 'Error loading[^!]*' "$E2E_STDOUT")"
    "$SCENE_TEXT" print "$E2E_WORK/fast" >/dev/null || e2e_fail "the saved scene does not read back: $("$SCENE_TEXT" print "$E2E_WORK/fast" 2>&1 | tail -n 1)"
    stop
    echo "saved at speed $speed and loaded back"
}

huge_texture() {
    # "cement" claims 8192 x 8192 in a 49 KB file (once +600 MB resident).
    rm "$E2E_WORK/textures"
    mkdir "$E2E_WORK/textures"
    cp "$E2E_BUILD_DIR"/textures/*.tga "$E2E_WORK/textures/"
    python3 - "$E2E_WORK/textures/cement.tga" <<'PY'
import struct, sys
header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, 8192, 8192, 24, 0)
open(sys.argv[1], "wb").write(header + bytes(49 * 1024))
PY
    start
    sleep 2
    e2e_report "$wid"
    e2e_wait_output "Couldn't load texture \`cement'"
    local rss
    rss=$(expect_little_memory "with the huge texture") || exit 1
    stop
    echo "refused, resident memory $rss MB"
}

long_name() {
    # A 64-character name cut to 63 would overwrite the file of that name.
    local cut long prompt
    cut=$(printf 'n%.0s' $(seq 1 63))
    long="${cut}x"
    echo keep >"$E2E_WORK/$cut"
    start
    # A slow first frame may swallow a quick press: press again until it opens.
    local try
    for try in 1 2 3; do
        e2e_key F2 "$wid"
        prompt=$(e2e_wait_window_sized $E2E_PROMPT_SIZE 10 2>/dev/null) && break
    done
    [ -n "$prompt" ] || e2e_fail "no prompt after three presses of F2"
    e2e_focus "$prompt"
    xdotool type --delay 5 -- "$long"
    xdotool key Return
    e2e_wait_output "File name too long: 64 bytes, at most 63 fit"
    sleep 0.5
    e2e_find_sized $E2E_PROMPT_SIZE >/dev/null || e2e_fail "the prompt closed on the long name"
    xdotool mousemove --window "$prompt" 165 100 click 1  # cancel
    e2e_wait_gone "$prompt"
    e2e_focus "$wid"
    [ "$(cat "$E2E_WORK/$cut")" = keep ] || e2e_fail "the 63-character file was overwritten"
    [ ! -e "$E2E_WORK/$long" ] || e2e_fail "the long name was saved after all"
    stop
    echo "refused in the prompt, which stayed open; the other file is intact"
}

for name in ${FAULT_CASES:-far_point energy_bound huge_texture long_name}; do run_case "$name" "$name"; done
[ "$failures" = 0 ]
