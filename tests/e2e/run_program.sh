#!/usr/bin/env bash
# The whole program under a real X server, driven by real input events as a pupil drives it: a
# Ctrl + click places Nibbo, a short program is typed into the editor, the delay slider is set to
# its quickest, "Run" is clicked, the box "Programm beendet!" is awaited and closed, and the world
# view's pixels show the figure where the program left it and no longer where it started.
#   tests/e2e/run_program.sh PATH/TO/nibbo
# Exit code 77 (CTest: skipped) when Xvfb, xdotool, xwininfo or ImageMagick are missing; in CI
# (CI=true) a missing tool fails the test instead.
set -euo pipefail

nibbo=$(realpath "${1:?usage: $0 PATH/TO/nibbo}")
for tool in Xvfb xdotool xwininfo import convert; do
    if ! command -v "$tool" >/dev/null; then
        what="$tool is missing; apt-get install xvfb xdotool x11-utils imagemagick qt6-qpa-plugins"
        if [ "${CI:-}" = true ]; then
            echo "FAIL: $what" >&2
            exit 1
        fi
        echo "SKIP: $what"
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
nibbo_pid=
cleanup() {
    local pid
    for pid in $nibbo_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then import -window root "$work/failure.png" 2>/dev/null && cp "$work/failure.png" "${E2E_FAILURE_SHOT:-/tmp/nibbo-e2e-failure.png}" &&
        echo "screen at the failure: ${E2E_FAILURE_SHOT:-/tmp/nibbo-e2e-failure.png}" >&2; fi
    [ -s "$work/nibbo.log" ] && sed 's/^/nibbo: /' "$work/nibbo.log" >&2
    exit 1
}

# Runs a command every 50 ms until it succeeds; fails after SECONDS.
wait_for() { # seconds description command...
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "waited ${seconds}s for $what"
        sleep 0.05
    done
}

# --- A private X server on the first free display number ---
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 20 "the X server" test -s "$work/display"
display=$(head -1 "$work/display")
export DISPLAY=":$display"

# --- The program, with no file of its own around it ---
mkdir -m 700 "$work/runtime" "$work/home"
(cd "$work/home" && exec env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" "$nibbo") \
    >"$work/nibbo.log" 2>&1 &
nibbo_pid=$!

# Visible top-level windows titled "Nibbo" (the main window, and a message box while one is open).
nibbo_windows() { xdotool search --onlyvisible --name '^Nibbo$' 2>/dev/null || true; }
window_field() { xwininfo -id "$1" | sed -n "s/^ *$2: *//p"; }
find_main_window() {
    local id
    for id in $(nibbo_windows); do
        if [ "$(window_field "$id" Width)" = 1008 ]; then
            main=$id
            return 0
        fi
    done
    return 1
}
wait_for 30 "the main window" find_main_window
win_x=$(window_field "$main" "Absolute upper-left X")
win_y=$(window_field "$main" "Absolute upper-left Y")

shoot() { import -window root "$work/screen.png"; }
pixel() { convert "$work/screen.png" -crop "1x1+$1+$2" +repage -depth 8 txt:- | sed -n '2s/.*\(#[0-9A-F]\{6\}\).*/\1/p'; }

# The world view's first cell is a wall whose frame has the colour #087BA5; its top-left corner is
# found below the menu bar, whose height depends on the font.
wall_frame_at_top() {
    shoot
    local offset
    offset=$(convert "$work/screen.png" -crop "1x80+$((win_x + 10))+$win_y" +repage -depth 8 txt:- |
        sed -n 's/^0,\([0-9]*\):.*#087BA5.*/\1/p' | head -1)
    [ -n "$offset" ] || return 1
    grid_y=$((win_y + offset))
}
wait_for 20 "the world view to be drawn" wall_frame_at_top
grid_x=$((win_x + 3)) # the view stands at (1, 1) in the window and has a border of 2 pixels
client_y=$((grid_y - 3))

cell_x() { echo $((grid_x + ($1 - 1) * 26)); }
cell_y() { echo $((grid_y + ($1 - 1) * 26)); }
# The number of pixels of the figure's yellow in cell (column, row) of the last screenshot.
yellow_in_cell() {
    convert "$work/screen.png" -crop "25x25+$(cell_x "$1")+$(cell_y "$2")" +repage -depth 8 txt:- | grep -c '#FFFF00' || true
}
figure_in_cell() { shoot && [ "$(yellow_in_cell "$1" "$2")" -ge 250 ]; }

# --- Ctrl + click on cell (3, 4) places Nibbo there, facing east ---
xdotool mousemove $(($(cell_x 3) + 12)) $(($(cell_y 4) + 12)) keydown ctrl click 1 keyup ctrl
wait_for 10 "Nibbo on cell (3, 4) after the Ctrl + click" figure_in_cell 3 4

# --- The program, typed into the editor over its initial comment ---
xdotool mousemove $((win_x + 800)) $((client_y + 300)) click 1
xdotool key ctrl+a
for line in "program e2e;" "begin" "  vor; vor;" "  drehe_links;" "  vor;" "end."; do
    xdotool type --delay 2 "$line"
    xdotool key Return
done

# --- The delay slider to its quickest: a click takes the focus, Home moves it to 0 ---
xdotool mousemove $((win_x + 456 + 20)) $((client_y + 527 + 48 + 8)) click 1 key Home

# Over a window, so that the keys pressed next go to it.
point_at() { # window
    xdotool mousemove $(($(window_field "$1" "Absolute upper-left X") + $(window_field "$1" Width) / 2)) \
        $(($(window_field "$1" "Absolute upper-left Y") + $(window_field "$1" Height) / 2))
}
window_named() { # title
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$found" ]
}

# --- Run: the world was edited, so the run asks whether to reset it. Nein, and the world is saved
# in the dialog that follows under the name it offers; the run then starts on the saved world. ---
before=$(nibbo_windows | sort)
xdotool mousemove $((win_x + 472 + 11)) $((client_y + 527 + 8 + 11)) click 1
wait_for 20 "the question before the run" window_named Warnung
point_at "$found"
xdotool key Escape
wait_for 20 "the dialog that saves the world" window_named "Nibbos Welt speichern"
point_at "$found"
xdotool key Return
box=
find_box() {
    local id
    for id in $(nibbo_windows); do
        if ! grep -qx "$id" <<<"$before" && [ "$(window_field "$id" Width)" -lt 600 ]; then
            box=$id
            return 0
        fi
    done
    return 1
}
wait_for 30 "the message box at the end of the run" find_box

# While the box is open, the world view shows where the run ended.
shoot
cp "$work/screen.png" "$work/at-the-end.png"
box_x=$(window_field "$box" "Absolute upper-left X")
box_y=$(window_field "$box" "Absolute upper-left Y")
box_w=$(window_field "$box" Width)
box_h=$(window_field "$box" Height)
xdotool mousemove $((box_x + box_w / 2)) $((box_y + box_h / 2)) key Return
box_closed() { ! nibbo_windows | grep -qx "$box"; }
wait_for 10 "the message box to close" box_closed

# --- Two steps east, a turn to the north and one step on: Nibbo stands on cell (5, 3) ---
shoot
ended=$(yellow_in_cell 5 3)
started=$(yellow_in_cell 3 4)
[ "$ended" -ge 250 ] || fail "Nibbo is not on cell (5, 3) after the run ($ended yellow pixels)"
[ "$started" -eq 0 ] || fail "Nibbo is still on its start cell (3, 4) after the run ($started yellow pixels)"
[ "$(pixel $(($(cell_x 3) + 12)) $(($(cell_y 4) + 12)))" = "#000066" ] || fail "the start cell is not free path again"
[ "$(stat -c %s "$work/home/welt.wlt" 2>/dev/null)" = 1936 ] || fail "the world was not saved as welt.wlt"
echo "PASS: Nibbo ran from cell (3, 4) to cell (5, 3) ($ended yellow pixels there, none on the start cell)"
