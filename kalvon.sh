#!/usr/bin/env bash
# Kalvon set-up, build, run and test.
#   ./kalvon.sh run     install what is missing, build, start the game
#   ./kalvon.sh test    install what is missing, build, run every test
#   ./kalvon.sh editor  (after a build) start the theme editor
#   ./kalvon.sh sanitize  build with ASan, UBSan and LSan into build-sanitize/, run every test
#   ./kalvon.sh fuzz [seconds] [targets...]  run the libFuzzer targets (fuzz/run.sh)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${KALVON_BUILD_DIR:-$here/build}"
jobs="$(nproc 2>/dev/null || echo 2)"

# timgm6mb-soundfont: the General MIDI sound font MIDI music plays with.
# unrtf: a real RTF reader the tests open the saved chat buffer with.
# clang-format: the test that keeps every source in the tree's style.
packages=(build-essential cmake pkg-config qt6-base-dev libsdl2-mixer-dev libzip-dev
          libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth fonts-dejavu-core
          timgm6mb-soundfont unrtf clang-format)

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]} (run as root, or install them with apt-get)" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# configure_and_build [cmake options...] -- [targets...]
configure_and_build() {
    local options=() targets=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    for t in "$@"; do targets+=(--target "$t"); done
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
    cmake --build "$build" -j "$jobs" "${targets[@]}"
}

has_display() { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }

case "${1:-}" in
    run)
        install_packages
        configure_and_build -DKALVON_DEBUG_INFO=full -- kalvon
        if has_display; then
            exec "$build/bin/kalvon"
        else
            echo "No display found: starting the game on a virtual X display (xvfb-run)."
            exec xvfb-run -a "$build/bin/kalvon"
        fi
        ;;
    editor)
        install_packages
        configure_and_build -DKALVON_DEBUG_INFO=full -- KalvonThemeMaker
        if has_display; then exec "$build/bin/KalvonThemeMaker"; else exec xvfb-run -a "$build/bin/KalvonThemeMaker"; fi
        ;;
    test)
        install_packages
        # Warnings are errors here, as in CI. Debug information is line tables only: backtraces
        # keep function names, files and lines, and the build of every program and test takes
        # far less time.
        configure_and_build -DKALVON_WERROR=ON -DKALVON_DEBUG_INFO=lines
        cd "$build"
        QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
            ctest --output-on-failure -j "$jobs" --timeout 300
        ;;
    sanitize)
        install_packages
        build="${KALVON_SANITIZE_BUILD_DIR:-$here/build-sanitize}"
        configure_and_build -DKALVON_WERROR=ON -DCMAKE_BUILD_TYPE=Sanitize -DKALVON_BUILD_BENCH=OFF
        cd "$build"
        supp="$here/cmake/sanitizers"
        ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:suppressions=$supp/asan.supp" \
        LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0" \
        UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp" \
        QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
            ctest --output-on-failure -j "$jobs" --timeout 900
        ;;
    fuzz)
        shift
        exec "$here/fuzz/run.sh" "$@"
        ;;
    *)
        echo "usage: $0 run|test|editor|sanitize|fuzz" >&2
        exit 2
        ;;
esac
