#!/usr/bin/env bash
# Installs the build into a staging folder as `cmake --install` does for a package and checks what
# a desktop and a teacher find there: exactly the expected files, a valid desktop entry, the icon in
# every size, the manual pages, the README with its picture, the copyright and changelog Debian
# asks for, and binaries that run.
#   check_install.sh BUILD-DIR STAGING-DIR VERSION SOURCE-DIR
set -uo pipefail
build=$1
staging=$2
version=$3
source=$4
passed=0
failed=0

check() { # description, command...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what" >&2
    fi
}

rm -rf "$staging"
if ! cmake --install "$build" --prefix "$staging" >/dev/null; then
    echo "FAIL: cmake --install" >&2
    exit 1
fi
cd "$staging" || exit 1

icon_sizes=(16 22 24 32 48 64 128 256)
expected=(bin/nibbo bin/nibbo-batch share/applications/nibbo.desktop
    share/metainfo/org.example.nibbo.metainfo.xml share/mime/packages/nibbo.xml
    share/thumbnailers/nibbo.thumbnailer
    share/icons/hicolor/scalable/apps/nibbo.svg
    share/man/man1/nibbo.1.gz share/man/man1/nibbo-batch.1.gz
    share/doc/nibbo/README.md share/doc/nibbo/docs/main-window.png share/doc/nibbo/docs/class-report.png
    share/doc/nibbo/docs/beispiel/garten.wlt share/doc/nibbo/docs/beispiel/garten-ziel.wlt
    share/doc/nibbo/copyright share/doc/nibbo/changelog.gz)
for pupil in anna ben carla dario emil; do expected+=("share/doc/nibbo/docs/beispiel/klasse7b/$pupil.pas"); done
# The task collection as it stands in the sources, without the maps its worlds are built from.
while IFS= read -r file; do expected+=("share/nibbo/aufgaben/$file"); done < <(
    cd "$source/aufgaben" && find . -type f ! -name welten.txt | sed 's|^\./||')
expected+=(share/nibbo/aufgaben/aufgabenheft.html share/nibbo/aufgaben/aufgabenheft-loesungen.html)
# Each file type's icon is named after the type, as the desktop looks it up.
file_types=(application/x-nibbo-world text/x-nibbo-recording)
file_icons=()
for type in "${file_types[@]}"; do file_icons+=("mimetypes/${type/\//-}"); done
for size in "${icon_sizes[@]}"; do
    for icon in apps/nibbo "${file_icons[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/$icon.png"); done
done
check "installed files are exactly the expected ones" \
    diff <(printf '%s\n' "${expected[@]}" | sort) <(find . -type f | sed 's|^\./||' | sort)

for program in bin/nibbo bin/nibbo-batch; do
    check "$program is executable" test -x "$program"
done

# The desktop entry: valid, German, and pointing at what is installed.
entry=share/applications/nibbo.desktop
if command -v desktop-file-validate >/dev/null; then
    check "desktop-file-validate accepts the entry" desktop-file-validate "$entry"
fi
key() { sed -n "s/^$1=//p" "$entry"; }
check "entry is an application" test "$(key Type)" = Application
check "entry names Nibbo" test "$(key Name)" = Nibbo
check "entry has a German comment" grep -q '^Comment=.*steuern' "$entry"
check "entry is in Education" grep -qE '^Categories=(.*;)?Education;' "$entry"
check "entry starts the installed program" test -x "bin/$(key Exec | cut -d' ' -f1)"
check "entry's icon has no extension" test "$(key Icon)" = nibbo

# The file types, the thumbnailer and the software centres' entry: each names what is installed.
check "the entry opens the file types" grep -qx 'MimeType=application/x-nibbo-world;text/x-nibbo-recording;text/x-pascal;' "$entry"
check "the entry passes the files to nibbo" test "$(key Exec)" = "nibbo %F"
for type in "${file_types[@]}"; do
    check "the MIME description names $type" grep -q "type=\"$type\"" share/mime/packages/nibbo.xml
done
check "the thumbnailer runs the installed nibbo-batch" \
    grep -qx 'Exec=nibbo-batch thumbnail --size %s %i %o' share/thumbnailers/nibbo.thumbnailer
if command -v xmllint >/dev/null; then check "the MIME description is well-formed" xmllint --noout share/mime/packages/nibbo.xml; fi
if command -v appstreamcli >/dev/null; then
    check "appstreamcli accepts the metainfo" appstreamcli validate --no-net share/metainfo/org.example.nibbo.metainfo.xml
fi

# The icons: PNG files of their nominal size, and an SVG document.
png_size() { # width x height from the PNG header
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}
for size in "${icon_sizes[@]}"; do for name in apps/nibbo "${file_icons[@]}"; do
    icon=share/icons/hicolor/${size}x${size}/$name.png
    check "$icon is a PNG" test "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a
    check "$icon is ${size}x${size}" test "$(png_size "$icon")" = "${size}x${size}"
done; done
svg=share/icons/hicolor/scalable/apps/nibbo.svg
check "the SVG icon is an SVG document" grep -q '<svg xmlns="http://www.w3.org/2000/svg"' "$svg"
if command -v xmllint >/dev/null; then check "the SVG icon is well-formed" xmllint --noout "$svg"; fi

# The manual pages: compressed, and formatted without a warning.
for page in share/man/man1/nibbo.1.gz share/man/man1/nibbo-batch.1.gz; do
    check "$page is gzip" gzip -t "$page"
    if command -v groff >/dev/null; then
        check "$page formats without warnings" \
            test -z "$(gzip -dc "$page" | LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z 2>&1)"
    fi
done
check "the manual page documents --goal" sh -c "gzip -dc share/man/man1/nibbo-batch.1.gz | grep -q goal"

# The README and the picture it shows.
for picture in main-window class-report; do
    check "README shows the installed $picture.png" grep -q "](docs/$picture.png)" share/doc/nibbo/README.md
done

# The changelog: its newest entry is the version being installed, so a release cannot go out
# without one.
changelog=share/doc/nibbo/changelog.gz
check "$changelog is gzip" gzip -t "$changelog"
check "the changelog's newest entry is version $version" \
    sh -c "gzip -dc $changelog | head -1 | grep -qF 'nibbo ($version) '"
if command -v dpkg-parsechangelog >/dev/null; then
    # dpkg only warns about a malformed entry, so its whole output must be the version.
    check "dpkg reads the changelog without a warning" \
        test "$(gzip -dc "$changelog" | dpkg-parsechangelog -l - -S Version 2>&1)" = "$version"
fi

# The binaries run: nibbo-batch answers --help, nibbo starts and keeps running until stopped.
check "nibbo-batch --help" sh -c 'bin/nibbo-batch --help | grep -q "^Aufruf: nibbo-batch"'
check "nibbo-batch run --help" sh -c 'bin/nibbo-batch run --help | grep -q -- "--goal"'
runtime=$(mktemp -d)
# Pictures are drawn without a display and without being told the platform.
check "nibbo-batch render draws the example world without a display" \
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" \
    bin/nibbo-batch render share/doc/nibbo/docs/beispiel/garten.wlt "$runtime/garten.png"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime timeout 3 bin/nibbo >/dev/null 2>&1
status=$?
rm -rf "$runtime"
check "nibbo starts and runs until it is stopped (status $status)" test "$status" -eq 124

echo "install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
