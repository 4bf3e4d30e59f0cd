#!/usr/bin/env bash
# Fault cases of the files the program reads and writes, against the real
# program under Xvfb: a pipe named for F1, F2 or the autosave, res.cfg with
# CR LF line ends, the start-up lines outside the program's folder, and the
# launcher with a read-only data folder. Each case runs in a subshell of its
# own (its own display and work dir) and prints its CASE line.
program="$1"
harness="$(dirname "$0")/../e2e/harness.sh"
failures=0

# Runs case function FN under NAME: PASS with the detail FN prints last,
# FAIL with the harness's reason when FN (or the harness) fails.
run_case() {
    local name="$1" fn="$2" out status=0
    out=$( (source "$harness" && e2e_setup "$program" && "$fn") 2>&1) || status=$?
    if [ "$status" -eq 0 ]; then
        echo "CASE $name: PASS $(printf '%s\n' "$out" | tail -n 1)"
    else
        echo "CASE $name: FAIL $(printf '%s\n' "$out" | grep -a -m 1 '^FAIL: ' | sed 's/^FAIL: //')"
        printf '%s\n' "$out" | sed 's/^/    /' | tail -n 20
        failures=$((failures + 1))
    fi
}

# Keys are pressed only once the first frame's pictures are loaded: a key
# let go during that long frame is never seen.
start_town() {
    e2e_launch && e2e_accept_size_dialog
    wid=$(e2e_wait_window) || exit 1
    e2e_until 30 grep -q "^Created texture .* for ties" "$E2E_STDOUT" || e2e_fail "the town never drew"
    e2e_focus "$wid"
    e2e_report "$wid"  # also lets F1 go up once after the start-up load
}

is_fifo() { [ -p "$1" ] && [ ! -L "$1" ]; }

f1_on_a_pipe() {
    mkfifo "$E2E_WORK/pipe"
    start_town
    e2e_key F1 "$wid" && e2e_answer_prompt pipe "$wid"
    e2e_wait_output 'Error loading file "pipe": it is a pipe, not a file'
    e2e_report "$wid"  # the window still answers
    e2e_close "$wid" && e2e_expect_exit 1
    echo "refused with its reason; F5 still reports"
}

f2_on_a_pipe() {
    mkfifo "$E2E_WORK/pipe"
    start_town
    e2e_key F2 "$wid" && e2e_answer_prompt pipe "$wid"
    e2e_wait_output 'Error saving to file "pipe": it is a pipe, not a file'
    e2e_report "$wid"
    is_fifo "$E2E_WORK/pipe" || e2e_fail "the pipe was replaced"
    [ -z "$(ls "$E2E_WORK" | grep '^pipe\.')" ] || e2e_fail "a temporary file was left beside the pipe"
    e2e_close "$wid" && e2e_expect_exit 1
    echo "refused; the pipe is still a pipe and nothing was left beside it"
}

autosave_pipe_at_close() {
    mkfifo "$E2E_WORK/autosave"
    start_town
    e2e_key b "$wid"  # the curve's basis: an edit that F2 would save
    e2e_close "$wid"
    e2e_until 5 e2e_ended || e2e_fail "still running 5 s after the window closed"
    e2e_expect_exit 1
    grep -qF 'Error saving to file "autosave": it is a pipe, not a file' "$E2E_STDOUT" ||
        e2e_fail "no line says the autosave could not be written"
    is_fifo "$E2E_WORK/autosave" || e2e_fail "the pipe was replaced"
    [ -s "$XDG_STATE_HOME/quillmoor/autosave" ] || e2e_fail "the edit was not kept in the state folder"
    echo "ended within 5 s, said why, and kept the edit in the state folder"
}

res_cfg_with_crlf() {
    printf '1024\r\n700\r\n' >"$E2E_WORK/res.cfg"
    start_town
    [ "$(e2e_window_size "$wid")" = "1024 700" ] ||
        e2e_fail "window is $(e2e_window_size "$wid"), expected 1024 700 from res.cfg"
    e2e_close "$wid" && e2e_expect_exit 1
    echo "the window is 1024 x 700 as res.cfg says"
}

start_up_lines_elsewhere() {
    mkdir "$E2E_WORK/elsewhere"
    (cd "$E2E_WORK/elsewhere" && exec "$E2E_PROGRAM" >"$E2E_STDOUT" 2>&1) &
    E2E_PID=$!
    e2e_accept_size_dialog
    wid=$(e2e_wait_window) || exit 1
    e2e_wait_output "Trying: "
    grep -q '^No textures/ directory in ' "$E2E_STDOUT" || e2e_fail "no start-up advice"
    grep -qx 'Error loading file "town": No such file or directory' "$E2E_STDOUT" ||
        e2e_fail "the start-up lines run together: $(grep -a -m 1 'Error loading' "$E2E_STDOUT")"
    grep -q '^Trying: ' "$E2E_STDOUT" || e2e_fail "the texture loader's line does not start a line"
    e2e_close "$wid" && e2e_expect_exit 1
    echo "the advice and the missing town each end their line"
}

launcher_read_only_folder() {
    local prefix="$E2E_WORK/prefix" home="$E2E_WORK/home"
    user="$home/.local/share/quillmoor"  # global: the trap needs it after the case
    cmake --install "$E2E_BUILD_DIR" --prefix "$prefix" >/dev/null || e2e_fail "cmake --install failed"
    mkdir -p "$user" "$E2E_WORK/elsewhere"
    if ! mount -t tmpfs -o size=16m tmpfs "$user" 2>/dev/null; then
        echo "skipped: a tmpfs cannot be mounted here"
        return 0
    fi
    trap 'umount "$user" 2>/dev/null || umount -l "$user"; e2e_cleanup' EXIT
    mkdir "$user/textures"
    cp "$prefix/share/quillmoor/town" "$user/town"
    cp -p "$prefix/share/quillmoor/textures/"*.tga "$user/textures/"
    touch -d 2001-01-01 "$user/textures/sky front.tga"  # the release brings a newer one
    mount -o remount,ro "$user" || e2e_fail "cannot make the tmpfs read-only"
    (cd "$E2E_WORK/elsewhere" && HOME="$home" XDG_DATA_HOME="" exec "$prefix/bin/quillmoor" \
        >"$E2E_STDOUT" 2>&1) &
    E2E_PID=$!
    e2e_accept_size_dialog
    wid=$(e2e_wait_window) || exit 1
    e2e_until 30 grep -q "^Created texture .* for ties" "$E2E_STDOUT" || e2e_fail "the town never drew"
    e2e_focus "$wid"
    grep -q "^quillmoor: $user cannot be written: .*nothing can be saved" "$E2E_STDOUT" ||
        e2e_fail "the launcher gave no warning that nothing can be saved"
    e2e_report "$wid"
    [ "$(e2e_last_report_value "number of ties on track")" -gt 100 ] || e2e_fail "the town was not loaded"
    e2e_close "$wid" && e2e_expect_exit 1
    echo "started with the pictures it had and warned that nothing can be saved"
}

run_case "F1 on a pipe" f1_on_a_pipe
run_case "F2 on a pipe" f2_on_a_pipe
run_case "autosave that is a pipe, at close" autosave_pipe_at_close
run_case "res.cfg with CR LF" res_cfg_with_crlf
run_case "start-up lines outside the folder" start_up_lines_elsewhere
run_case "launcher, read-only data folder" launcher_read_only_folder
[ "$failures" -eq 0 ]
