#!/usr/bin/env bash
# The installed program as a new user meets it: the launcher, run from an
# unrelated directory with a scratch HOME, fills the user's directory, keeps
# res.cfg and scenes there, and takes a newer release's picture.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
prefix="$E2E_WORK/prefix" user="$E2E_WORK/home/.local/share/quillmoor"
cmake --install "$E2E_BUILD_DIR" --prefix "$prefix" >/dev/null || e2e_fail "cmake --install failed"
desktop-file-validate "$prefix/share/applications/quillmoor.desktop" || e2e_fail "invalid desktop entry"
export HOME="$E2E_WORK/home" && unset XDG_DATA_HOME && mkdir -p "$HOME" "$E2E_WORK/elsewhere"
start() {
    (cd "$E2E_WORK/elsewhere" && exec "$@" >"$E2E_STDOUT" 2>&1) &
    E2E_PID=$!
}

start "$prefix/bin/quillmoor" && e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
e2e_focus "$wid"
for _ in $(seq 1 15); do e2e_key 0 "$wid"; done  # night brings the last picture, the headlights
e2e_until 30 grep -q "^Created texture .* for headlights" "$E2E_STDOUT" || e2e_fail "night never fell"
! grep -q "Couldn't load" "$E2E_STDOUT" && [ "$(grep -c "^Created texture" "$E2E_STDOUT")" = 29 ] ||
    e2e_fail "not all 29 textures loaded"
e2e_report "$wid"
[ "$(e2e_last_report_value "number of ties on track")" -gt 100 ] || e2e_fail "no town loaded"
e2e_key F2 "$wid" && e2e_answer_prompt mine "$wid"
e2e_close "$wid" && e2e_expect_exit 1

printf '1024\n768' >"$user/res.cfg" && cp "$user/mine" "$user/town"
sky="$user/textures/sky front.tga" && echo "an old release" >"$sky" && touch -d 2001-01-01 "$sky"
export XDG_DATA_HOME="$HOME/.local/share"  # now set, to the same place
start "$prefix/bin/quillmoor" && e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
[ "$(e2e_window_size "$wid")" = "1024 768" ] || e2e_fail "the user's res.cfg was not read"
cmp -s "$user/mine" "$user/town" || e2e_fail "the user's town was replaced"
cmp -s "$prefix/share/quillmoor/textures/sky front.tga" "$sky" || e2e_fail "the old picture was kept"
e2e_close "$wid" && e2e_expect_exit 1

start "$prefix/lib/quillmoor/quillmoor" && e2e_cancel_size_dialog && e2e_expect_exit 1
[ "$(grep -c "^No textures/ directory in $E2E_WORK/elsewhere," "$E2E_STDOUT")" = 1 ] ||
    e2e_fail "no advice, or more than one, about the missing textures"
