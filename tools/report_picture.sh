#!/usr/bin/env bash
# Renders the README's picture of a class report, docs/class-report.png: nibbo-batch run --report on
# the example class in docs/beispiel, as headless Chromium (Debian's package chromium) shows it.
#   tools/report_picture.sh [BUILD-DIR] [OUTPUT.png]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
output=$(realpath -m "${2:-$(dirname "$0")/../docs/class-report.png}")
if ! command -v chromium >/dev/null; then
    echo "report_picture.sh: chromium is missing (apt install chromium)" >&2
    exit 69
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One of the five programs solves the task: the exit code of the class is 4.
status=0
(cd "$(dirname "$0")/../docs/beispiel" && "$build/tools/nibbo-batch" run --world garten.wlt --goal garten-ziel.wlt \
    --report "$work/bericht.html" klasse7b/*.pas >/dev/null) || status=$?
[ "$status" -eq 4 ] || { echo "report_picture.sh: nibbo-batch ended with $status" >&2; exit 1; }

# The head with the overview and the first program's page, as a browser window of 900 pixels shows
# them. Chromium's sandbox needs user namespaces, which containers and root do not give it.
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=900,1120 \
    --screenshot="$work/bericht.png" "file://$work/bericht.html" >/dev/null 2>&1
cp "$work/bericht.png" "$output"
