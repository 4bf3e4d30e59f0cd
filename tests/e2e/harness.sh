# End-to-end harness: runs the real program on a private virtual display and
# drives it as a person would, with xdotool keys and mouse, ImageMagick
# screenshots and its standard output. Source it from a *_e2e.sh script:
#
#   source "$(dirname "$0")/harness.sh"
#   e2e_setup "$1"                      # program path; makes a scratch work dir
#   e2e_launch; e2e_accept_size_dialog  # starts the program there
#   wid=$(e2e_wait_window) || exit 1    # the main window
#   e2e_focus "$wid"; e2e_report "$wid"; e2e_screenshot "$wid" day.png
#   e2e_close "$wid"; e2e_expect_exit 1
#
# Every function fails the test (exit 1 with a message) when something is off;
# one run inside $( ) ends only that subshell, hence the "|| exit 1". With
# E2E_KEEP set, the work dir (screenshots, the program's output) stays.

set -u

E2E_TITLE="Quillmoor Project - By: Tamsprig"
E2E_PROGRAM=""
E2E_BUILD_DIR="$(pwd)"
E2E_WORK=""
E2E_PID=""
E2E_XVFB_PID=""
E2E_STDOUT=""
# The file-name prompt: the folder line, the field with Browse..., the line
# for a refusal, and the buttons.
E2E_PROMPT_SIZE=420x123

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -n "$E2E_STDOUT" ] && [ -f "$E2E_STDOUT" ]; then
        echo "--- program output (last 40 lines) ---" >&2
        tail -n 40 "$E2E_STDOUT" >&2
    fi
    exit 1
}

e2e_cleanup() {
    if [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; then kill "$E2E_PID" 2>/dev/null; fi
    if [ -n "$E2E_XVFB_PID" ]; then kill "$E2E_XVFB_PID" 2>/dev/null; fi
    if [ -n "$E2E_WORK" ] && [ -z "${E2E_KEEP:-}" ]; then rm -rf "$E2E_WORK"; fi
}

# Runs COMMAND every tenth of a second until it succeeds (status 0) or
# SECONDS have passed (status 1).
e2e_until() {
    local seconds="$1" i
    shift
    for i in $(seq 1 $((seconds * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Starts a private Xvfb (E2E_SCREEN, default 1280x1024x24) and makes a scratch
# working directory holding what ships beside the program: textures/ and town.
e2e_setup() {
    E2E_PROGRAM="$(readlink -f "$1")"
    [ -x "$E2E_PROGRAM" ] || e2e_fail "no program at $1"
    for tool in Xvfb xdotool convert; do
        command -v "$tool" >/dev/null || e2e_fail "$tool is not installed"
    done
    E2E_WORK="$(mktemp -d /tmp/quillmoor-e2e.XXXXXX)"
    [ -d "$E2E_BUILD_DIR/textures" ] && ln -s "$E2E_BUILD_DIR/textures" "$E2E_WORK/textures"
    [ -f "$E2E_BUILD_DIR/town" ] && cp "$E2E_BUILD_DIR/town" "$E2E_WORK/town"
    E2E_STDOUT="$E2E_WORK/stdout.txt"
    # An autosave the work dir refuses goes to the user's state folder: keep
    # that one inside the scratch dir too.
    export XDG_STATE_HOME="$E2E_WORK/state"
    trap e2e_cleanup EXIT

    # Xvfb picks a free display number itself and tells us which, so
    # concurrent runs never share a server. Without -noreset it resets when
    # its last client goes, and a program started at that moment cannot
    # open the display.
    local number_file="$E2E_WORK/display"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
        3>"$number_file" >/dev/null 2>&1 &
    E2E_XVFB_PID=$!
    e2e_until 10 test -s "$number_file" || e2e_fail "could not start Xvfb"
    export DISPLAY=":$(tr -d '[:space:]' < "$number_file")"
}

# True when the program carries AddressSanitizer: its shadow memory and
# quarantine make resident memory no measure of the program's own.
e2e_sanitized() { ldd "$E2E_PROGRAM" 2>/dev/null | grep -q libasan || grep -qa __asan_init "$E2E_PROGRAM"; }

# Starts the program in the work dir; its standard output goes to $E2E_STDOUT.
e2e_launch() {
    (cd "$E2E_WORK" && exec "$E2E_PROGRAM" >"$E2E_STDOUT" 2>&1) &
    E2E_PID=$!
}

# Prints the id of a shown window that xdotool search finds with ARGS; fails
# quietly (status 1) while there is none, and the test once the program ended.
e2e_find_window() {
    local id
    id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
    [ -n "$id" ] && echo "$id" && return 0
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended"
    return 1
}

# The same for the program's window of exactly SIZE (WxH) pixels: the size
# dialog and the file-name prompt carry no title to find them by.
e2e_find_sized() {
    local id
    for id in $(xdotool search --onlyvisible --class FLTK 2>/dev/null); do
        xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: $1\$" && echo "$id" && return 0
    done
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended"
    return 1
}

# Prints the id of the window titled exactly TITLE (default: the main window).
e2e_wait_window() {
    local title="${1:-$E2E_TITLE}"
    e2e_until 20 e2e_find_window --name "^${title}\$" || e2e_fail "no window \"$title\" after 20s"
}

# Prints the id of the program's window of SIZE pixels, waiting up to SECONDS.
e2e_wait_window_sized() {
    e2e_until "$2" e2e_find_sized "$1" || e2e_fail "no ${1} window after ${2}s"
}

e2e_gone() { ! xdotool search --onlyvisible --class FLTK 2>/dev/null | grep -qx "$1"; }

# Waits up to 10 seconds until window ID is no longer shown.
e2e_wait_gone() {
    e2e_until 10 e2e_gone "$1" || e2e_fail "window $1 still shown after 10s"
}

# Width and height of a window, as "W H".
e2e_window_size() {
    xdotool getwindowgeometry "$1" | awk '/Geometry/ { split($2, s, "x"); print s[1], s[2] }'
}

# Gives the window the keyboard focus; the program takes key commands only then.
e2e_focus() {
    xdotool windowfocus --sync "$1" || e2e_fail "cannot focus window $1"
    sleep 0.2
}

# Presses and releases KEY (an X keysym such as F5, space, c, Page_Up), then
# moves the pointer a little inside WINDOW so that the program gets an event
# while the key is still down (it polls the keyboard at each event).
e2e_key() {
    xdotool keydown "$1"
    sleep 0.1
    xdotool mousemove --window "$2" 200 200
    sleep 0.05
    xdotool mousemove --window "$2" 202 201
    sleep 0.1
    xdotool keyup "$1"
    sleep 0.1
}

# A left (1) or right (3) drag from (x1, y1) to (x2, y2) in window coordinates,
# a few milliseconds apart, in steps of at most 3 pixels (10 at least). A
# program behind its events gets the moves it has not yet read as one: at a
# hand's pace, however long the drag, a step that reaches the 30 pixels of a
# jump then needs it to be half a second behind.
e2e_drag() {
    local wid="$1" button="$2" x1="$3" y1="$4" x2="$5" y2="$6" i steps span
    span=$(( (x2 > x1 ? x2 - x1 : x1 - x2) > (y2 > y1 ? y2 - y1 : y1 - y2) ?
             (x2 > x1 ? x2 - x1 : x1 - x2) : (y2 > y1 ? y2 - y1 : y1 - y2) ))
    steps=$(( (span + 2) / 3 > 10 ? (span + 2) / 3 : 10 ))
    xdotool mousemove --window "$wid" "$x1" "$y1"
    sleep 0.05
    xdotool mousedown "$button"
    for i in $(seq 1 "$steps"); do
        xdotool mousemove --window "$wid" $((x1 + (x2 - x1) * i / steps)) $((y1 + (y2 - y1) * i / steps))
        sleep 0.03
    done
    xdotool mouseup "$button"
    sleep 0.1
}

# Saves a PNG of the window's contents.
e2e_screenshot() {
    import -window "$1" "$2" 2>/dev/null || e2e_fail "screenshot of window $1 failed"
}

# Prints the mean colour of a box (x, y, w, h) of a PNG as "R G B" (0..255).
e2e_mean() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -scale 1x1\! \
        -format "%[fx:int(255*p{0,0}.r)] %[fx:int(255*p{0,0}.g)] %[fx:int(255*p{0,0}.b)]" info:
}

# Number of pixels that differ (by more than 2 %) between two PNGs.
e2e_diff_pixels() {
    compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1 | awk '{ print int($1) }'
}

# Closes the window as a user would with Escape (FLTK's default callback hides it).
e2e_close() {
    e2e_focus "$1"
    xdotool key Escape
}

e2e_ended() { ! kill -0 "$E2E_PID" 2>/dev/null; }

# Waits up to 15 seconds for the program to end and checks its exit status.
e2e_expect_exit() {
    e2e_until 15 e2e_ended || e2e_fail "program still running after 15s"
    local status=0
    wait "$E2E_PID" || status=$?
    E2E_PID=""
    [ "$status" = "$1" ] || e2e_fail "exit status $status, expected $1"
}

# Waits up to 10 seconds until the program's output contains TEXT.
e2e_wait_output() {
    e2e_until 10 grep -qF -- "$1" "$E2E_STDOUT" || e2e_fail "output never contained \"$1\""
}

# The size dialog (265 x 75): prints its id.
e2e_size_dialog() {
    e2e_wait_window_sized 265x75 20
}

# Accepts the size dialog with Enter and waits until it has gone.
e2e_accept_size_dialog() {
    local dialog
    dialog=$(e2e_size_dialog) || exit 1
    e2e_focus "$dialog"
    xdotool key Return
    e2e_wait_gone "$dialog"
}

# Cancels the size dialog by clicking its Cancel button (43..123 x 40..65).
e2e_cancel_size_dialog() {
    local dialog
    dialog=$(e2e_size_dialog) || exit 1
    xdotool mousemove --window "$dialog" 83 52 click 1
    e2e_wait_gone "$dialog"
}

# Answers the open file-name prompt (opened by F1 or F2) with TEXT
# and Enter, waits until it has gone, and gives the keyboard back to window
# WID (without a window manager nobody else does).
e2e_answer_prompt() {
    local prompt
    prompt=$(e2e_wait_window_sized $E2E_PROMPT_SIZE 10) || exit 1
    e2e_focus "$prompt"
    xdotool type --delay 20 -- "$1"
    xdotool key Return
    e2e_wait_gone "$prompt"
    e2e_focus "$2"
}

# How many statistics reports the program has printed (each has one
# "train speed" line), and whether that is more than N.
e2e_report_count() { grep -c "^train speed: " "$E2E_STDOUT" 2>/dev/null; }
e2e_reports_above() { [ "$(e2e_report_count)" -gt "$1" ]; }

# Presses F5 in window WID and waits until the program has printed one more
# statistics report than before.
e2e_report() {
    local before
    before=$(e2e_report_count)
    e2e_key F5 "$1"
    e2e_until 5 e2e_reports_above "$before" || e2e_fail "F5 printed no report"
}

# The value of the last report line starting with LABEL (e.g. "train position").
e2e_last_report_value() {
    grep -a "^$1: " "$E2E_STDOUT" | tail -n 1 | sed "s/^$1: //"
}

# Launches the program, accepts the size dialog, focuses the main window and
# waits until the ground's textures have loaded; the window's id is then in
# E2E_WINDOW.
E2E_WINDOW=""
e2e_start() {
    e2e_launch && e2e_accept_size_dialog && E2E_WINDOW=$(e2e_wait_window) && e2e_focus "$E2E_WINDOW" || exit 1
    e2e_until 20 grep -q "Created texture 7 " "$E2E_STDOUT" || e2e_fail "the ground textures never loaded"
}

# Presses each of KEYS in window WID, holding it through six pointer events,
# so that on a busy machine too every one acts once per press.
e2e_keys() {
    local wid="$1" key i
    shift
    for key in "$@"; do
        xdotool keydown "$key"
        for i in 1 2 3 4 5 6; do xdotool mousemove --window "$wid" $((200 + i)) 200 && sleep 0.1; done
        xdotool keyup "$key" && sleep 0.1
    done
}

# Saves the scene with F2 in window WID as NAME in the work dir.
e2e_save_scene() {
    e2e_keys "$1" F2 && e2e_answer_prompt "$2" "$1" && e2e_until 5 test -s "$E2E_WORK/$2" || e2e_fail "no $2"
}

# Fails unless the files NAME1 and NAME2 in the work dir hold the same bytes.
e2e_same_files() { cmp -s "$E2E_WORK/$1" "$E2E_WORK/$2" || e2e_fail "$1 and $2 differ"; }
