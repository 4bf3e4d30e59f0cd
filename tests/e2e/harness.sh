# End-to-end harness: runs the real program on a private virtual display and
# drives it as a person would, with xdotool keys and mouse, ImageMagick
# screenshots and its standard output. Source it from a *_e2e.sh script:
#
#   source "$(dirname "$0")/harness.sh"
#   e2e_setup "$1"                 # program path; makes a scratch work dir
#   e2e_launch                     # starts the program there
#   wid=$(e2e_wait_window)         # the main window
#   e2e_focus "$wid"; e2e_key F5; e2e_screenshot "$wid" day.png
#   e2e_close "$wid"; e2e_expect_exit 1
#
# Every function fails the test (exit 1 with a message) when something is off.

set -u

E2E_TITLE="Quillmoor Project - By: Tamsprig"
E2E_PROGRAM=""
E2E_BUILD_DIR="$(pwd)"
E2E_WORK=""
E2E_PID=""
E2E_XVFB_PID=""
E2E_STDOUT=""
E2E_STATUS=""

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

# Starts a private Xvfb (SIZE defaults to 1280x1024x24) and makes a scratch
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
    trap e2e_cleanup EXIT

    # Xvfb picks a free display number itself and tells us which, so
    # concurrent runs never share a server.
    local number_file="$E2E_WORK/display" i
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp \
        3>"$number_file" >/dev/null 2>&1 &
    E2E_XVFB_PID=$!
    for i in $(seq 1 100); do
        [ -s "$number_file" ] && break
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb ended at start"
        sleep 0.1
    done
    [ -s "$number_file" ] || e2e_fail "could not start Xvfb"
    export DISPLAY=":$(tr -d '[:space:]' < "$number_file")"
}

# Starts the program in the work dir; its standard output goes to $E2E_STDOUT.
e2e_launch() {
    (cd "$E2E_WORK" && exec "$E2E_PROGRAM" >"$E2E_STDOUT" 2>&1) &
    E2E_PID=$!
}

# Prints the id of the first window whose title is exactly TITLE (default:
# the main window), waiting up to SECONDS (default 20).
e2e_wait_window() {
    local title="${1:-$E2E_TITLE}" seconds="${2:-20}" i id
    for i in $(seq 1 $((seconds * 10))); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "program ended before showing \"$title\""
        sleep 0.1
    done
    e2e_fail "no window \"$title\" after ${seconds}s"
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
    local key="$1" wid="${2:-}"
    xdotool keydown "$key"
    sleep 0.1
    if [ -n "$wid" ]; then
        xdotool mousemove --window "$wid" 200 200
        sleep 0.05
        xdotool mousemove --window "$wid" 202 201
    fi
    sleep 0.1
    xdotool keyup "$key"
    sleep 0.1
}

# A left (1) or right (3) drag from (x1, y1) to (x2, y2) in window coordinates,
# in small steps a few milliseconds apart.
e2e_drag() {
    local wid="$1" button="$2" x1="$3" y1="$4" x2="$5" y2="$6" steps=10 i
    xdotool mousemove --window "$wid" "$x1" "$y1"
    sleep 0.05
    xdotool mousedown "$button"
    for i in $(seq 1 $steps); do
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

# Prints the colour of pixel (x, y) of a PNG as "R G B" (0..255).
e2e_pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
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

# Waits up to SECONDS (default 15) for the program to end; sets E2E_STATUS.
e2e_wait_exit() {
    local seconds="${1:-15}" i
    for i in $(seq 1 $((seconds * 10))); do
        if ! kill -0 "$E2E_PID" 2>/dev/null; then
            wait "$E2E_PID"
            E2E_STATUS=$?
            E2E_PID=""
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "program still running after ${seconds}s"
}

# Waits for the program to end and checks its exit status.
e2e_expect_exit() {
    e2e_wait_exit "${2:-15}"
    [ "$E2E_STATUS" = "$1" ] || e2e_fail "exit status $E2E_STATUS, expected $1"
}

# Waits up to SECONDS (default 10) until the program's output contains TEXT.
e2e_wait_output() {
    local text="$1" seconds="${2:-10}" i
    for i in $(seq 1 $((seconds * 10))); do
        grep -qF -- "$text" "$E2E_STDOUT" 2>/dev/null && return 0
        sleep 0.1
    done
    e2e_fail "output never contained \"$text\""
}

# Keeps a copy of a file (a screenshot) under $E2E_ARTIFACTS when it is set.
e2e_keep() {
    if [ -n "${E2E_ARTIFACTS:-}" ]; then
        mkdir -p "$E2E_ARTIFACTS"
        cp "$1" "$E2E_ARTIFACTS/"
    fi
}

# --- The window-size dialog and the file-name prompt ----------------------
# The program asks for the window size before the main window exists; every
# test must answer that dialog first:
#
#   e2e_launch; e2e_accept_size_dialog; wid=$(e2e_wait_window)

# Prints the id of the program's visible window of exactly WxH pixels (the
# dialog and the prompt carry no title of their own to find them by),
# waiting up to SECONDS (default 20).
e2e_wait_window_sized() {
    local size="$1" seconds="${2:-20}" i id
    for i in $(seq 1 $((seconds * 10))); do
        for id in $(xdotool search --onlyvisible --class FLTK 2>/dev/null); do
            if xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: ${size}\$"; then
                echo "$id"
                return 0
            fi
        done
        kill -0 "$E2E_PID" 2>/dev/null || { echo "FAIL: program ended before a ${size} window" >&2; return 1; }
        sleep 0.1
    done
    echo "FAIL: no ${size} window after ${seconds}s" >&2
    return 1
}

# Waits up to SECONDS (default 10) until window ID is no longer shown.
e2e_wait_gone() {
    local id="$1" seconds="${2:-10}" i
    for i in $(seq 1 $((seconds * 10))); do
        xdotool search --onlyvisible --class FLTK 2>/dev/null | grep -qx "$id" || return 0
        sleep 0.1
    done
    e2e_fail "window $id still shown after ${seconds}s"
}

# The size dialog (265 x 75): prints its id.
e2e_size_dialog() {
    e2e_wait_window_sized 265x75 "${1:-20}"
}

# Accepts the size dialog with Enter and waits until it has gone.
e2e_accept_size_dialog() {
    local dialog
    dialog=$(e2e_size_dialog) || e2e_fail "the window-size dialog never showed"
    e2e_focus "$dialog"
    xdotool key Return
    e2e_wait_gone "$dialog"
}

# Cancels the size dialog by clicking its Cancel button (43..123 x 40..65).
e2e_cancel_size_dialog() {
    local dialog
    dialog=$(e2e_size_dialog) || e2e_fail "the window-size dialog never showed"
    xdotool mousemove --window "$dialog" 83 52 click 1
    e2e_wait_gone "$dialog"
}

# Answers the open file-name prompt (330 x 75, opened by F1 or F2) with TEXT
# and Enter, waits until it has gone, and gives the keyboard back to window
# WID (without a window manager nobody else does).
e2e_answer_prompt() {
    local text="$1" wid="$2" prompt
    prompt=$(e2e_wait_window_sized 330x75 10) || e2e_fail "the file-name prompt never showed"
    e2e_focus "$prompt"
    xdotool type --delay 20 -- "$text"
    xdotool key Return
    e2e_wait_gone "$prompt"
    e2e_focus "$wid"
}

# Presses F5 in window WID and waits until the program has printed one more
# statistics report than before (the report's own "train speed" line counts).
e2e_report() {
    local wid="$1" before i
    before=$(grep -c "^train speed: " "$E2E_STDOUT" 2>/dev/null)
    e2e_key F5 "$wid"
    for i in $(seq 1 50); do
        [ "$(grep -c "^train speed: " "$E2E_STDOUT")" -gt "$before" ] && return 0
        sleep 0.1
    done
    e2e_fail "F5 printed no report"
}

# The value of the last report line starting with LABEL (e.g. "train position").
e2e_last_report_value() {
    grep -a "^$1: " "$E2E_STDOUT" | tail -n 1 | sed "s/^$1: //"
}
