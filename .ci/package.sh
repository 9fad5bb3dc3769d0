#!/usr/bin/env bash
# The Debian package as a teacher gets it: built with `./build.sh package`, accepted by Debian's
# package checker lintian without an error or a warning, installed with `apt install ./nibbo_*.deb`,
# its desktop files checked as a desktop reads them (the entry, the metainfo, the file types and
# the thumbnailer), and the installed program started under Xvfb until its window shows. The
# package is removed again at the end.
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

# The X tools to start the installed program, man to find its manual page, lintian, and the
# desktop's own readers of entries, metainfo and file types.
# xdg-mime reads the MIME database through mimetype (libfile-mimeinfo-perl); without it, it asks
# file(1), which knows nothing of the installed types.
.ci/install xvfb xdotool x11-utils man-db lintian desktop-file-utils appstream xdg-utils shared-mime-info \
    libfile-mimeinfo-perl

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

# The desktop's view of the package: the entry and the metainfo valid, a .wlt file of the Nibbo
# world type (by Debian's trigger, which updated the MIME cache), and the thumbnailer's command
# drawing a world at the asked size and refusing a broken one.
check "desktop-file-validate accepts the entry" desktop-file-validate /usr/share/applications/nibbo.desktop
check "appstreamcli accepts the metainfo" \
    appstreamcli validate --no-net /usr/share/metainfo/org.example.nibbo.metainfo.xml
files=$(mktemp -d)
cp /usr/share/doc/nibbo/docs/beispiel/garten.wlt "$files/garten.wlt"
printf 'kaputt' >"$files/kaputt.wlt"
check "xdg-mime names the Nibbo world type" \
    test "$(XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$files/garten.wlt")" = application/x-nibbo-world
thumbnail=$(sed -n 's/^Exec=//p' /usr/share/thumbnailers/nibbo.thumbnailer)
# The thumbnailer's command line with %s, %i and %o filled in, as a file manager runs it.
run_thumbnailer() { # size input output
    local words=() word
    read -ra words <<<"$thumbnail"
    for word in "${!words[@]}"; do
        case ${words[$word]} in %s) words[word]=$1 ;; %i) words[word]=$2 ;; %o) words[word]=$3 ;; esac
    done
    env -u DISPLAY XDG_RUNTIME_DIR="$files" "${words[@]}"
}
refused_by_thumbnailer() { ! run_thumbnailer "$@" 2>/dev/null && test ! -e "$3"; }
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'; }
check "the thumbnailer draws a world" run_thumbnailer 128 "$files/garten.wlt" "$files/garten.png"
check "the thumbnail is a PNG" test "$(head -c 8 "$files/garten.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a
check "the thumbnail fits 128 x 128 with a side of 128" \
    grep -qE '^(128x[0-9]+|[0-9]+x128)$' <<<"$(png_size "$files/garten.png")"
check "the thumbnailer refuses a broken world and writes nothing" \
    refused_by_thumbnailer 128 "$files/kaputt.wlt" "$files/kaputt.png"
rm -rf "$files"

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
