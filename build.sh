#!/usr/bin/env bash
# One command for a fresh Debian 12 machine:
#   ./build.sh run         install what is missing, build, start Nibbo
#   ./build.sh test        install what is missing, build, run the whole test suite headless
#   ./build.sh test-asan   the same with AddressSanitizer and UndefinedBehaviorSanitizer
#   ./build.sh package     install what is missing, build, make the Debian package build/package/nibbo_*.deb
#   ./build.sh web         install what is missing (emscripten), build the web page into build-web/web/site
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
packages=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core
    fonts-dejavu-extra desktop-file-utils qt6-translations-l10n)
web_packages=(cmake ninja-build emscripten)

install_missing() { # packages... (default: those of the desktop program)
    [ $# -gt 0 ] || set -- "${packages[@]}"
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The web page is configured through emscripten's wrapper and builds only its own target.
cmake_wrapper=()
build_targets=()

configure_and_build() { # build-dir, extra cmake arguments...
    local dir=$1
    shift
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    "${cmake_wrapper[@]}" cmake -S . -B "$dir" -G Ninja "${launcher[@]}" -DNIBBO_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" "${build_targets[@]}"
}

run_tests() { # build-dir
    local runtime
    runtime=$(mktemp -d)
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" ctest --test-dir "$1" --output-on-failure -j"$(nproc)"
}

case "$mode" in
run)
    install_missing
    configure_and_build build -DCMAKE_BUILD_TYPE=Release
    exec ./build/nibbo
    ;;
test)
    install_missing
    configure_and_build build -DCMAKE_BUILD_TYPE=Release
    run_tests build
    ;;
test-asan)
    install_missing
    configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DNIBBO_SANITIZE=ON -DNIBBO_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
    ;;
web)
    install_missing "${web_packages[@]}"
    # Debian's emscripten finds its JavaScript optimiser's modules only here.
    export NODE_PATH=/usr/share/nodejs
    cmake_wrapper=(emcmake)
    build_targets=(--target nibbo_web)
    configure_and_build build-web -DCMAKE_BUILD_TYPE=Release -DNIBBO_QT=OFF -DNIBBO_TESTS=OFF -DNIBBO_BENCH=OFF
    echo
    echo "The page is in build-web/web/site: static files that any web server can serve. For example:"
    echo "  python3 -m http.server --directory build-web/web/site 8000"
    echo "then open http://localhost:8000/ in a browser."
    ;;
package)
    install_missing
    configure_and_build build -DCMAKE_BUILD_TYPE=Release
    rm -rf build/package
    (cd build && cpack -G DEB >cpack.log 2>&1) || { cat build/cpack.log >&2; exit 1; }
    ls build/package/nibbo_*.deb
    ;;
*)
    echo "usage: $0 [run|test|test-asan|package|web]" >&2
    exit 64
    ;;
esac
