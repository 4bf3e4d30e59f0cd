#!/usr/bin/env bash
# The file-name prompt as a new user meets it: its label shows whole, and
# after a name is typed into the field they clicked and confirmed, the town
# takes keys again at once, with no click to win the keyboard back.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
rm -f "$E2E_WORK/town"  # an empty town starts at once

e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
e2e_focus "$wid"
e2e_report "$wid"  # the town is up and answers keys

# Opens the prompt with KEY, clicks into its field, types NAME and confirms
# with Enter; the keyboard is left where the program puts it.
prompt_by_click() {
    local prompt
    e2e_key "$1" "$wid"
    prompt=$(e2e_wait_window_sized 330x75 10) || exit 1
    sleep 0.3
    [ -n "${3:-}" ] && e2e_screenshot "$prompt" "$3"
    xdotool mousemove --window "$prompt" 250 22 click 1
    sleep 0.2
    xdotool type --delay 20 -- "$2"
    xdotool key Return
    e2e_wait_gone "$prompt"
}

# F2 saves: the label's first letter stands clear of the window's left edge,
# which shows the plain background, while the label's own columns hold text.
prompt_by_click F2 saved "$E2E_WORK/save_prompt.png"
[ -s "$E2E_WORK/saved" ] || e2e_fail "F2 saved nothing"
background=$(e2e_mean "$E2E_WORK/save_prompt.png" 0 0 330 4)
edge=$(e2e_mean "$E2E_WORK/save_prompt.png" 0 10 5 25)
[ "$edge" = "$background" ] || e2e_fail "the label runs into the window's edge: $edge against $background"
read -r r _ _ < <(e2e_mean "$E2E_WORK/save_prompt.png" 5 10 15 25)
read -r bg _ _ <<<"$background"
[ "$r" -lt $((bg - 8)) ] || e2e_fail "no label text at the window's left: $r against $bg"

# No click in the town: F5 reaches it at once.
e2e_report "$wid"

# The same after F1 loads the saved scene.
prompt_by_click F1 saved
e2e_report "$wid"

e2e_close "$wid"
e2e_expect_exit 1
