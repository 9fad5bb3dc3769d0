#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs them, two at a time on two cores.
#   fuzz/run.sh TARGET|all SECONDS   fuzz each target for SECONDS, starting from its seed corpus
#   fuzz/run.sh TARGET|all 0         only run the seed corpus through each target once
# Targets: syntax_check condition world_file replay run. New inputs collect in
# build-fuzz/corpus/<target>, anything a target finds in build-fuzz/findings/<target>, and each
# run's output in build-fuzz/logs/<target>.log. The exit code is non-zero when a target found
# something; the last lines print executions, coverage (cov) and features (ft) of every target.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(syntax_check condition world_file replay run)
usage() {
    echo "usage: $0 TARGET|all SECONDS  (targets: ${all_targets[*]})" >&2
    exit 64
}
[ $# -eq 2 ] || usage
[[ $2 =~ ^[0-9]+$ ]] || usage
seconds=$2
if [ "$1" = all ]; then
    targets=("${all_targets[@]}")
else
    [[ " ${all_targets[*]} " == *" $1 "* ]] || usage
    targets=("$1")
fi

build=${NIBBO_FUZZ_BUILD:-build-fuzz}
compiler=$(command -v clang++-14 || command -v clang++ || true)
[ -n "$compiler" ] || {
    echo "clang++ is missing (apt-get install clang-14 libclang-rt-14-dev)" >&2
    exit 69
}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$compiler" "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIBBO_FUZZ=ON -DNIBBO_TESTS=OFF -DNIBBO_BENCH=OFF >/dev/null
cmake --build "$build" --target $(printf 'fuzz_%s ' "${targets[@]}")

# Longest input each target is given: programs and recordings of a few pages, a world file with
# room to spare, one condition.
max_len() {
    case $1 in
    condition) echo 512 ;;
    world_file) echo 4096 ;;
    *) echo 8192 ;;
    esac
}

run_target() { # target
    local t=$1
    local binary=$build/fuzz/fuzz_$t work=$build/corpus/$t findings=$build/findings/$t log=$build/logs/$t.log
    mkdir -p "$work" "$findings" "$build/logs"
    local options=(-max_len="$(max_len "$t")" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$findings/")
    [ "$t" = world_file ] || options+=(-dict=fuzz/nibbo.dict)
    if [ "$seconds" -eq 0 ]; then
        "$binary" "${options[@]}" -runs=0 fuzz/corpus/"$t" >"$log" 2>&1
    else
        "$binary" "${options[@]}" -max_total_time="$seconds" "$work" fuzz/corpus/"$t" >"$log" 2>&1
    fi
}

summary() { # target status
    local t=$1 status=$2 log=$build/logs/$1.log
    local done_line runs
    done_line=$(grep -E '^#[0-9]+[[:space:]]+(DONE|INITED)' "$log" | tail -1 || true)
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    printf '%-13s %-8s executions %-11s %s\n' "$t" "$status" "${runs:-?}" \
        "$(sed -E 's/^#[0-9]+[[:space:]]+[A-Z]+[[:space:]]+//; s/[[:space:]]+lim:.*//' <<<"$done_line")"
}

declare -A status
pids=()
names=()
for t in "${targets[@]}"; do
    # Two at a time: wait for one to end before starting the third.
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n || true; done
    run_target "$t" &
    pids+=($!)
    names+=("$t")
done
failed=0
for i in "${!pids[@]}"; do
    if wait "${pids[$i]}"; then
        status[${names[$i]}]=clean
    else
        status[${names[$i]}]=FOUND
        failed=1
    fi
done

for t in "${targets[@]}"; do summary "$t" "${status[$t]}"; done
if [ "$failed" -ne 0 ]; then
    echo "A target found something: see $build/logs and $build/findings." >&2
    exit 1
fi
