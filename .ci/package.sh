#!/usr/bin/env bash
# The Debian package as a teacher gets it: built with `./build.sh package`, accepted by Debian's
# package checker lintian without an error or a warning, installed with `apt install ./nibbo_*.deb`,
# and the installed program started under Xvfb until its window shows. The package is removed again
# at the end.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

passed=0
failed=0
check() { # description, command...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok: $what"
    else
        failed=$((failed + 1))
        echo "FAIL: $what" >&2
    fi
}
finish() {
    echo "package: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}

# The X tools to start the installed program, man to find its manual page, and lintian.
.ci/install xvfb xdotool x11-utils man-db lintian

deb=$(./build.sh package | tail -1)
check "the package is built" test -f "$deb"
[ -f "$deb" ] || finish
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6; do
    check "Depends names $library" grep -q "$library" <<<"$depends"
done
# The tags lintian prints are its reasons.
check "lintian finds no error and no warning" lintian --fail-on error,warning "$deb"

# apt wants a path that names a file, not a package: ./ in front.
if ! DEBIAN_FRONTEND=noninteractive apt install -y -qq "./$deb" >/dev/null 2>&1; then
    # Dependencies not on the machine yet need fresh package lists.
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt install -y -qq "./$deb" >/dev/null 2>&1
fi
check "apt installs the package" sh -c "dpkg-query -W -f='\${Status}' nibbo | grep -q 'install ok installed'"
check "nibbo is on the path" test "$(command -v nibbo)" = /usr/bin/nibbo
check "nibbo-batch --help" sh -c 'nibbo-batch --help | grep -q "^Aufruf"'
check "man finds nibbo-batch" sh -c 'man -w nibbo-batch >/dev/null'

# The installed program under a real X server: its window appears with the caption "Nibbo".
display=99
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
runtime=$(mktemp -d)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
DISPLAY=":$display" XDG_RUNTIME_DIR=$runtime nibbo >/dev/null 2>&1 &
nibbo=$!
window=$(DISPLAY=":$display" timeout 20 xdotool search --sync --onlyvisible --name '^Nibbo$' 2>/dev/null | head -1)
check "the installed program shows its window" test -n "$window"
if [ -n "$window" ]; then
    check "the window is 1008 pixels wide" \
        sh -c "DISPLAY=:$display xwininfo -id $window | grep -q 'Width: 1008'"
fi
kill "$nibbo" 2>/dev/null
wait "$nibbo" 2>/dev/null
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
rm -rf "$runtime"

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq nibbo >/dev/null 2>&1
check "the package is removed again" sh -c '! command -v nibbo >/dev/null'
finish
