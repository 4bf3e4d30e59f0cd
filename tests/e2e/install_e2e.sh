#!/usr/bin/env bash
# The installed program as a new user meets it: `cmake --install` into a
# scratch prefix, the launcher started from an unrelated directory with a
# scratch HOME. The first run fills ~/.local/share/quillmoor and draws the
# whole town with all its textures; a second run keeps the user's res.cfg and
# scenes and takes a newer release's picture. The program started by hand
# where there are no textures says so once.
source "$(dirname "$0")/harness.sh"
e2e_setup "$1"
prefix="$E2E_WORK/prefix"
cmake --install "$E2E_BUILD_DIR" --prefix "$prefix" >/dev/null || e2e_fail "cmake --install failed"
desktop-file-validate "$prefix/share/applications/quillmoor.desktop" || e2e_fail "the desktop entry is invalid"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/quillmoor.svg" || e2e_fail "the icon is not SVG"

export HOME="$E2E_WORK/home"
unset XDG_DATA_HOME
mkdir -p "$HOME" "$E2E_WORK/elsewhere"
user="$HOME/.local/share/quillmoor"
launch() {
    (cd "$E2E_WORK/elsewhere" && exec "$@" >"$E2E_STDOUT" 2>&1) &
    E2E_PID=$!
}

# --- First run: the town and every texture from the user's directory --------
launch "$prefix/bin/quillmoor"
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
e2e_focus "$wid"
# The cars' headlight beams are the last picture asked for, at nightfall:
# the day is sped up to bring it on.
for _ in $(seq 1 15); do e2e_key 0 "$wid"; done
e2e_until 30 grep -q "^Created texture .* for headlights" "$E2E_STDOUT" || e2e_fail "night never fell"
grep -q "Couldn't load" "$E2E_STDOUT" && e2e_fail "a texture did not load"
loaded=$(grep -c "^Created texture .* for " "$E2E_STDOUT")
[ "$loaded" = 29 ] || e2e_fail "$loaded textures loaded, expected 29"
e2e_report "$wid"
[ "$(e2e_last_report_value "number of ties on track")" -gt 100 ] || e2e_fail "the shipped town was not loaded"
e2e_key F2 "$wid"
e2e_answer_prompt mine "$wid"
e2e_close "$wid"
e2e_expect_exit 1
[ -s "$user/mine" ] && [ -f "$user/res.cfg" ] || e2e_fail "no saved scene or res.cfg in $user"

# --- Second run: the user's files stay, a newer release's picture replaces ---
printf '1024\n768' >"$user/res.cfg"
cp "$user/mine" "$user/town"
sky="$user/textures/sky front.tga"
echo "an old release" >"$sky"
touch -d 2001-01-01 "$sky"
export XDG_DATA_HOME="$HOME/.local/share"
launch "$prefix/bin/quillmoor"
e2e_accept_size_dialog
wid=$(e2e_wait_window) || exit 1
read -r W H < <(e2e_window_size "$wid")
[ "$W" = 1024 ] && [ "$H" = 768 ] || e2e_fail "window is ${W}x${H}: the user's res.cfg was not read"
cmp -s "$user/mine" "$user/town" || e2e_fail "the user's town was replaced"
cmp -s "$prefix/share/quillmoor/textures/sky front.tga" "$sky" || e2e_fail "the old picture was kept"
e2e_close "$wid"
e2e_expect_exit 1

# --- By hand in a directory without textures: one line of advice -------------
launch "$prefix/lib/quillmoor/quillmoor"
e2e_cancel_size_dialog
e2e_expect_exit 1
[ "$(grep -c "^No textures/ directory in $E2E_WORK/elsewhere," "$E2E_STDOUT")" = 1 ] ||
    e2e_fail "no advice (or more than one) about the missing textures"
