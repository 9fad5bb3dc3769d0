#!/bin/sh
# Builds the files of the task collection that are made from others, or checks that they are current:
# every world file from its task's map (welten.txt), every picture (*.svg) from its world file.
#
#   tools/aufgaben.sh BUILD [--pruefen] [AUFGABE...]
#
# BUILD is a build folder with nibbo-weltkarten and nibbo-batch (built with Qt); without AUFGABE
# every task in aufgaben/ is done. With --pruefen nothing is written, every file that is not what it
# would be made to be is named, and the exit status is 1.
set -eu

if [ $# -lt 1 ]; then
    echo "Aufruf: tools/aufgaben.sh BUILD [--pruefen] [AUFGABE...]" >&2
    exit 64
fi
build=$1
shift
check=
if [ "${1:-}" = --pruefen ]; then
    check=--pruefen
    shift
fi
if [ $# -eq 0 ]; then
    set -- "$(dirname "$0")"/../aufgaben/*/
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for task in "$@"; do
    task=${task%/}
    if [ ! -f "$task/welten.txt" ]; then
        echo "$task: welten.txt fehlt" >&2
        status=1
        continue
    fi
    "$build/tools/nibbo-weltkarten" $check "$task/welten.txt" || status=1
    for world in "$task"/*.wlt; do
        [ -e "$world" ] || continue
        picture=${world%.wlt}.svg
        if [ -n "$check" ]; then
            "$build/tools/nibbo-batch" render "$world" "$scratch/bild.svg" || status=1
            if ! cmp -s "$scratch/bild.svg" "$picture"; then
                echo "$picture: passt nicht zu $world" >&2
                status=1
            fi
        else
            "$build/tools/nibbo-batch" render "$world" "$picture" || status=1
        fi
    done
done
exit $status
