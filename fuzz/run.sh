#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (AddressSanitizer and
# UndefinedBehaviorSanitizer on) into build-fuzz/ and runs each for a while, several at once.
#
#   fuzz/run.sh [seconds] [targets...]     default: 60 seconds each, every target
#
#   KALVON_FUZZ_RUNS=N    also stop a target after N executions
#   KALVON_FUZZ_JOBS=N    targets run at once (default: half the cores)
#   KALVON_FUZZ_BUILD_DIR build folder (default: build-fuzz/)
#
# New inputs that widen coverage go to build-fuzz/corpus/<target>/; a failing input is written
# to build-fuzz/artifacts/<target>/ and named at the end. Keep each one, once fixed, in
# fuzz/corpus/<target>/ (the tests replay it).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build="${KALVON_FUZZ_BUILD_DIR:-$root/build-fuzz}"
cores="$(nproc 2>/dev/null || echo 2)"
jobs="${KALVON_FUZZ_JOBS:-$(( cores > 1 ? cores / 2 : 1 ))}"
seconds=60
if [ $# -gt 0 ] && [[ "$1" =~ ^[0-9]+$ ]]; then seconds="$1"; shift; fi

# clang and its sanitizer and libFuzzer run-times; installed here, not by the plain build.
packages=(clang libclang-rt-14-dev llvm)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]} (run as root, or install them with apt-get)" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVON_LIBFUZZER=ON \
    -DKALVON_BUILD_TESTS=OFF -DKALVON_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_targets

# The targets and their dictionaries, as CMake listed them.
declare -A dictionaries=()
all=()
while read -r name dictionary; do
    all+=("$name")
    dictionaries[$name]="$dictionary"
done <"$build/fuzz/targets.txt"
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

supp="$root/cmake/sanitizers"
# A quarantine of 16 MiB rather than 256: each input's freed blocks stay poisoned well beyond
# its run, and the allocator recycles its own pages instead of faulting in new ones, which made
# small inputs several times slower.
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:quarantine_size_mb=16:suppressions=$supp/asan.supp"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

run_target() {
    local name="$1" dictionary="${dictionaries[$1]}"
    local corpus="$build/corpus/$name" artifacts="$build/artifacts/$name/"
    mkdir -p "$corpus" "$artifacts" "$build/logs"
    local options=(-max_total_time="$seconds" -max_len=16384 -timeout=30 -print_final_stats=1
                   -artifact_prefix="$artifacts")
    [ "$dictionary" != "-" ] && options+=(-dict="$dictionary")
    [ -n "${KALVON_FUZZ_RUNS:-}" ] && options+=(-runs="$KALVON_FUZZ_RUNS")
    local status=0
    "$build/fuzz/fuzz_$name" "${options[@]}" "$corpus" "$here/corpus/$name" >"$build/logs/$name.log" 2>&1 || status=$?
    echo "$status" >"$build/logs/$name.status"
}

echo "Fuzzing ${#targets[@]} targets for up to $seconds s each, $jobs at once (logs in $build/logs/)"
for name in "${targets[@]}"; do
    [ -n "${dictionaries[$name]:-}" ] || { echo "unknown target: $name (known: ${all[*]})" >&2; exit 2; }
    rm -f "$build/logs/$name.status"
done
for name in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
    run_target "$name" &
done
wait
failed=()
for name in "${targets[@]}"; do
    [ "$(cat "$build/logs/$name.status" 2>/dev/null)" = 0 ] || failed+=("$name")
done

printf '\n%-18s %14s %10s  %s\n' target executions exec/s result
for name in "${targets[@]}"; do
    log="$build/logs/$name.log"
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
    result=ok
    [[ " ${failed[*]} " == *" $name "* ]] && result="FAILED: $(ls "$build/artifacts/$name/" | head -3 | tr '\n' ' ')"
    printf '%-18s %14s %10s  %s\n' "$name" "${runs:-?}" "${speed:-?}" "$result"
done
[ ${#failed[@]} -eq 0 ]
