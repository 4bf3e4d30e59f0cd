#!/usr/bin/env bash
# However the program ends, an edit survives in an autosave: the signals of a
# shutdown, a logout and Ctrl+C, a killed X server or window, a read-only or
# full working folder; the autosave before it is kept as autosave.1, F1 keeps
# the edits before it loads over them, and a start tells of a newer autosave.
# Usage, from the build directory: bash ../tests/faults/autosave_faults.sh ./quillmoor
set -u
program="$(readlink -f "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
scene_text="$(pwd)/scene_text"
[ -x "$scene_text" ] || { echo "CASE setup: FAIL no scene_text beside the program"; exit 1; }
town_objects="$("$scene_text" print town | sed -n '1s/.*, \([0-9]*\) town objects$/\1/p')"
edited_objects=$((town_objects + 1))
failed=0

# The number of town objects the scene file holds, or nothing.
objects_in() { "$scene_text" print "$1" 2>/dev/null | sed -n '1s/.*, \([0-9]*\) town objects$/\1/p'; }

# Fails the case unless FILE holds the edited town (one object added).
expect_edit_in() {
    [ -f "$1" ] || e2e_fail "no $1"
    [ "$(objects_in "$1")" = "$edited_objects" ] || e2e_fail "$1 holds $(objects_in "$1") objects, not $edited_objects"
}

keys() { e2e_keys "$wid" "$@"; }

# N, and once the program has handled it, F1. Keys down together at one
# event act in the order of the program's commands, and F1 comes before N.
edit_then_load() { keys n && e2e_report "$wid" && keys F1; }

# Starts the program in DIR (default the case's folder) with the town up;
# with IGNORE set, the program starts with that signal ignored.
start() {
    (
        if [ -n "${IGNORE:-}" ]; then trap '' "$IGNORE"; fi
        cd "${1:-$E2E_WORK}" && exec "$E2E_PROGRAM" >"$E2E_STDOUT" 2>&1
    ) &
    E2E_PID=$!
    e2e_accept_size_dialog && wid=$(e2e_wait_window) && e2e_focus "$wid" || exit 1
    e2e_until 20 grep -q "Created texture 7 " "$E2E_STDOUT" || e2e_fail "the ground textures never loaded"
    # A report comes only once the first frames are drawn: an edit made
    # before then could still wait in the event queue when the case ends
    # the program, which would then rightly have nothing to keep.
    e2e_report "$wid"
}

# After an edit: the program ends within the time, and its autosave (in DIR,
# default the case's folder) holds the edit.
expect_ended_with_edit() {
    e2e_until 10 e2e_ended || e2e_fail "still running 10s after it was told to end"
    E2E_PID=""
    expect_edit_in "${1:-$E2E_WORK}/autosave"
}

# With the train stopped, so that only the day's clock wakes the pump.
case_signal() {
    start && keys n space
    local sent
    sent=$(date +%s%N)
    kill -s "$1" "$E2E_PID"
    expect_ended_with_edit
    grep -q "Ending on SIG$1" "$E2E_STDOUT" || e2e_fail "no word of SIG$1"
    echo "SIG$1 kept the edit in autosave, ended within $((($(date +%s%N) - sent) / 1000000)) ms"
}
case_sigterm() { case_signal TERM; }
case_sighup() { case_signal HUP; }
case_sigint() { case_signal INT; }

# Started with nohup, a logout does not end it.
case_nohup() {
    IGNORE=HUP start && keys n
    kill -s HUP "$E2E_PID" && sleep 1
    e2e_ended && e2e_fail "SIGHUP ended a program started with it ignored"
    e2e_close "$wid" && e2e_expect_exit 1
    expect_edit_in "$E2E_WORK/autosave"
    echo "SIGHUP ignored at start stays ignored"
}

case_signal_in_prompt() {
    start && edit_then_load
    e2e_wait_window_sized $E2E_PROMPT_SIZE 10 >/dev/null || exit 1
    kill -s TERM "$E2E_PID"
    expect_ended_with_edit
    echo "SIGTERM with the F1 prompt open kept the edit"
}

case_xvfb_killed() {
    start && keys n
    kill "$E2E_XVFB_PID" && E2E_XVFB_PID=""
    expect_ended_with_edit
    grep -q "Lost the connection to the display" "$E2E_STDOUT" || e2e_fail "no word of the lost display"
    echo "a killed X server left the edit in autosave"
}

case_windowkill() {
    start && keys n
    xdotool windowkill "$wid"
    expect_ended_with_edit
    echo "xdotool windowkill left the edit in autosave"
}

# A tmpfs of SIZE at $E2E_WORK/mnt holding the town and the textures, gone
# when the case ends (after the program, which holds it as its folder).
mount_folder() {
    mkdir "$E2E_WORK/mnt"
    mount -t tmpfs -o "size=$1" quillmoor-faults "$E2E_WORK/mnt" || { echo "cannot mount a tmpfs"; exit 1; }
    trap 'e2e_cleanup_program; umount "$E2E_WORK/mnt" || umount -l "$E2E_WORK/mnt"; e2e_cleanup' EXIT
    cp "$E2E_WORK/town" "$E2E_WORK/mnt/town"
    ln -s "$E2E_BUILD_DIR/textures" "$E2E_WORK/mnt/textures"
}
e2e_cleanup_program() {
    if [ -n "$E2E_PID" ]; then kill "$E2E_PID" 2>/dev/null; wait "$E2E_PID" 2>/dev/null; E2E_PID=""; fi
}

# Closes with Escape in a folder that refuses the autosave: the edit is in
# the state folder, and the program says where.
expect_fallback() {
    keys n && e2e_close "$wid" && e2e_expect_exit 1
    expect_edit_in "$XDG_STATE_HOME/quillmoor/autosave"
    grep -q "Unsaved edits kept in \"$XDG_STATE_HOME/quillmoor/autosave\"" "$E2E_STDOUT" ||
        e2e_fail "no word of where the edits went"
}

case_read_only_folder() {
    mount_folder 1m && mount -o remount,ro "$E2E_WORK/mnt" || exit 1
    start "$E2E_WORK/mnt" && expect_fallback
    echo "a read-only folder sent the edit to \$XDG_STATE_HOME/quillmoor"
}

case_full_folder() {
    mount_folder 64k
    dd if=/dev/zero of="$E2E_WORK/mnt/filler" bs=4k 2>/dev/null
    start "$E2E_WORK/mnt" && expect_fallback
    echo "a full folder sent the edit to \$XDG_STATE_HOME/quillmoor"
}

case_rotation() {
    cp "$E2E_WORK/town" "$E2E_WORK/autosave"
    start && keys n && e2e_close "$wid" && e2e_expect_exit 1
    expect_edit_in "$E2E_WORK/autosave"
    cmp -s "$E2E_WORK/town" "$E2E_WORK/autosave.1" || e2e_fail "the autosave before is not autosave.1"
    e2e_wait_output "The autosave before them is now \"autosave.1\""
    echo "the previous autosave became autosave.1"
}

case_load_over_edits() {
    cp "$E2E_WORK/town" "$E2E_WORK/other"
    start && edit_then_load && e2e_answer_prompt other "$wid"
    e2e_wait_output "Unsaved edits kept in \"autosave\" before loading \"other\""
    expect_edit_in "$E2E_WORK/autosave"
    e2e_close "$wid" && e2e_expect_exit 1
    expect_edit_in "$E2E_WORK/autosave"
    echo "F1 over an edit kept it in autosave first"
}

# Mean brightness of the band above the start hint, where the notice stands.
notice_band() {
    local r g b
    sleep 1 && e2e_screenshot "$wid" "$1"
    read -r r g b < <(e2e_mean "$1" 150 480 500 60)
    echo $(((r + g + b) / 3))
}

case_announcement() {
    mkdir -p "$XDG_STATE_HOME/quillmoor"
    cp "$E2E_WORK/town" "$E2E_WORK/autosave" && cp "$E2E_WORK/town" "$XDG_STATE_HOME/quillmoor/autosave"
    touch -d '-1 hour' "$E2E_WORK/town"
    start
    e2e_wait_output "\"autosave\" is newer than \"town\": F1 with the name autosave loads it"
    local fallback="$XDG_STATE_HOME/quillmoor/autosave"
    e2e_wait_output "\"$fallback\" is newer than \"town\": F1 with the name $fallback loads it"
    local with_notice without_notice
    with_notice=$(notice_band "$E2E_WORK/notice.png")
    e2e_close "$wid" && e2e_expect_exit 1
    rm "$E2E_WORK/autosave" "$fallback"
    start
    grep -q "is newer than" "$E2E_STDOUT" && e2e_fail "a start without autosaves told of one"
    without_notice=$(notice_band "$E2E_WORK/plain.png")
    e2e_close "$wid" && e2e_expect_exit 1
    [ "$with_notice" -lt $((without_notice - 20)) ] ||
        e2e_fail "no notice panel on screen: brightness $with_notice, $without_notice without"
    echo "both autosaves announced, on screen too (brightness $with_notice against $without_notice)"
}

# Runs the case in a subshell of its own: its own display, folder and state
# folder, so a killed X server ends only it.
run_case() {
    local name="$1" out status
    out=$( (
        source "$here/../e2e/harness.sh"
        e2e_setup "$program"
        export XDG_STATE_HOME="$E2E_WORK/state"
        "case_${name//-/_}"
    ) 2>&1)
    status=$?
    if [ "$status" -eq 0 ]; then
        echo "CASE $name: PASS $(tail -n 1 <<<"$out")"
    else
        echo "CASE $name: FAIL $(grep -m 1 '^FAIL: ' <<<"$out" | sed 's/^FAIL: //')"
        echo "$out" >&2
        failed=1
    fi
}

for name in ${AUTOSAVE_CASES:-sigterm sighup sigint nohup signal-in-prompt xvfb-killed windowkill read-only-folder \
    full-folder rotation load-over-edits announcement}; do
    run_case "$name"
done
exit "$failed"
