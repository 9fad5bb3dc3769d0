#!/usr/bin/env bash
# The real program started as a file manager starts it, with files on its command line, under a
# real X server: `nibbo welt.wlt programm.pas` shows the world exactly as nibbo-batch render draws
# it, and `nibbo kaputt.wlt` shows the refusal in a message box over the normal start.
# (The names in the status bar and the editor's text are checked offscreen in tests/shell.)
#   tests/e2e/open_files.sh PATH/TO/nibbo PATH/TO/nibbo-batch WORLD
# Exit code 77 (CTest: skipped) when a tool is missing; in CI (CI=true) that fails the test.
set -euo pipefail

nibbo=$(realpath "${1:?usage: $0 PATH/TO/nibbo PATH/TO/nibbo-batch WORLD}")
batch=$(realpath "$2")
world=$(realpath "$3")
for tool in Xvfb xdotool xwininfo import convert compare; do
    if ! command -v "$tool" >/dev/null; then
        what="$tool is missing; apt-get install xvfb xdotool x11-utils imagemagick qt6-qpa-plugins"
        [ "${CI:-}" = true ] && { echo "FAIL: $what" >&2; exit 1; }
        echo "SKIP: $what"
        exit 77
    fi
done

work=$(mktemp -d)
pids=()
detail=
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*${detail:+ ($detail)}" >&2
    [ -s "$work/nibbo.log" ] && sed 's/^/nibbo: /' "$work/nibbo.log" >&2
    exit 1
}
wait_for() { # seconds description command...
    local deadline=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "waited for $what"
        sleep 0.05
    done
}

# -noreset: the server stays up as the first program ends, for the second.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for 20 "the X server" test -s "$work/display"
display=$(head -1 "$work/display")
export DISPLAY=":$display"

mkdir -m 700 "$work/runtime" "$work/home"
cp "$world" "$work/home/welt.wlt"
printf 'program p;\r\nbegin\r\n  vor;\r\nend.\r\n' >"$work/home/programm.pas"
printf 'kaputt' >"$work/home/kaputt.wlt"

start() { # files...
    (cd "$work/home" && exec env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" \
        "$nibbo" "$@") >"$work/nibbo.log" 2>&1 &
    nibbo_pid=$!
    pids+=("$nibbo_pid")
}
stop() {
    kill "$nibbo_pid" 2>/dev/null || true
    wait "$nibbo_pid" 2>/dev/null || true
}
window_field() { xwininfo -id "$1" | sed -n "s/^ *$2: *//p"; }
# A visible window with the title whose width passes the test.
find_window() { # title test width
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        if test "$(window_field "$id" Width)" "$2" "$3"; then
            found=$id
            return 0
        fi
    done
    return 1
}
# The world view's top-left corner: the first cell's wall frame (#087BA5) below the menu bar.
world_view_drawn() {
    import -window root "$work/screen.png"
    local x y offset
    x=$(window_field "$found" "Absolute upper-left X")
    y=$(window_field "$found" "Absolute upper-left Y")
    offset=$(convert "$work/screen.png" -crop "1x80+$((x + 10))+$y" +repage -depth 8 txt:- |
        sed -n 's/^0,\([0-9]*\):.*#087BA5.*/\1/p' | head -1)
    [ -n "$offset" ] || return 1
    view_x=$((x + 3)) view_y=$((y + offset))
}

# --- A world and a program: the world view shows the world as nibbo-batch draws it ---
"$batch" render --scale 1 "$work/home/welt.wlt" "$work/expected.png"
size=$(identify -format %wx%h "$work/expected.png")
start welt.wlt programm.pas
wait_for 30 "the main window" find_window Nibbo = 1008
matches() {
    world_view_drawn || return 1
    convert "$work/screen.png" -crop "$size+$view_x+$view_y" +repage "$work/view.png"
    detail="$(compare -metric AE "$work/view.png" "$work/expected.png" null: 2>&1 || true) pixels differ"
    [ "$detail" = "0 pixels differ" ]
}
wait_for 20 "the world view to show welt.wlt" matches
echo "PASS: nibbo welt.wlt programm.pas shows the world as nibbo-batch renders it"
detail=
stop

# --- A refused world: its message over the normal start, which goes on after the box ---
start kaputt.wlt
wait_for 30 "the error box about kaputt.wlt" find_window Fehler -lt 600
box=$found
xdotool mousemove $(($(window_field "$box" "Absolute upper-left X") + 20)) \
    $(($(window_field "$box" "Absolute upper-left Y") + 20)) key Return
box_closed() { ! xdotool search --onlyvisible --name '^Fehler$' 2>/dev/null | grep -qx "$box"; }
wait_for 10 "the message box to close" box_closed
find_window Nibbo = 1008 || fail "no main window after the message"
wait_for 10 "the empty world after the message" world_view_drawn
kill -0 "$nibbo_pid" || fail "nibbo ended after the message"
echo "PASS: nibbo kaputt.wlt shows its message and starts as usual"
