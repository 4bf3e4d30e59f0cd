#!/usr/bin/env bash
# The program opens its main window at the chosen size, keeps animating with
# no input at all, and ends with status 1 when the window is closed.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
e2e_launch
e2e_accept_size_dialog
wid=$(e2e_wait_window)

read -r w h < <(e2e_window_size "$wid")
[ "$w" = 800 ] && [ "$h" = 600 ] || e2e_fail "window is ${w}x${h}, expected 800x600"

sleep 2
e2e_screenshot "$wid" "$E2E_WORK/first.png"
sleep 1
e2e_screenshot "$wid" "$E2E_WORK/second.png"
e2e_keep "$E2E_WORK/first.png"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "program ended on its own"

e2e_close "$wid"
e2e_expect_exit 1
echo "PASS: window ${w}x${h}, exit status 1"
