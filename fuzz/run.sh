#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs them, two at a time on two cores.
#   fuzz/run.sh TARGET|all SECONDS   fuzz each target for SECONDS, starting from its seed corpus
#   fuzz/run.sh TARGET|all 0         only run the seed corpus through each target once
# Targets: syntax_check condition world_file replay run session task_text. Seeds come from fuzz/corpus/<target> and,
# for the largest, from build-fuzz/seeds/<target>; they and the dictionary of the language's words,
# build-fuzz/nibbo.dict, are written at each start. New inputs collect in build-fuzz/corpus/<target>,
# anything a target finds in build-fuzz/findings/<target>, and each run's output in
# build-fuzz/logs/<target>.log. The exit code is non-zero when a target found
# something; the last lines print executions, coverage (cov) and features (ft) of every target.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(syntax_check condition world_file replay run session task_text)
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

# An absolute path: fuzz_session changes the working folder while it runs, as the program does
# when a file is chosen, and a finding must still land in the build tree.
build=$(realpath -m "${NIBBO_FUZZ_BUILD:-build-fuzz}")
compiler=$(command -v clang++-14 || command -v clang++ || true)
[ -n "$compiler" ] || {
    echo "clang++ is missing (apt-get install clang-14 libclang-rt-14-dev)" >&2
    exit 69
}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$compiler" "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIBBO_FUZZ=ON -DNIBBO_QT=OFF -DNIBBO_WERROR=ON -DNIBBO_TESTS=OFF -DNIBBO_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_seed_limits fuzz_dictionary "${targets[@]/#/fuzz_}"
rm -rf "$build/seeds"
"$build/fuzz/fuzz_seed_limits" "$build/seeds"
"$build/fuzz/fuzz_dictionary" >"$build/nibbo.dict"

# Longest input each target is given, enough to reach the limits of its reader: programs nested
# as deep as the syntax check allows and one level deeper, conditions nested more than a hundred
# thousand levels, recordings of tens of thousands of instructions, world files beyond the 1936
# bytes the loader reads, scripts of a few thousand things a pupil does. Seeds near those limits are written by fuzz_seed_limits into
# $build/seeds; the largest seed sets where mutation starts, and so the pace of a target.
max_len() {
    case $1 in
    syntax_check | run | task_text) echo 65536 ;;
    condition | replay) echo 262144 ;;
    world_file | session) echo 4096 ;;
    esac
}

run_target() { # target
    local t=$1
    local binary=$build/fuzz/fuzz_$t work=$build/corpus/$t findings=$build/findings/$t log=$build/logs/$t.log
    local seeds=("$PWD/fuzz/corpus/$t")
    [ -d "$build/seeds/$t" ] && seeds+=("$build/seeds/$t")
    mkdir -p "$work" "$findings" "$build/logs"
    local options=(-max_len="$(max_len "$t")" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$findings/")
    # The words of the language, for the targets that read program text.
    [ "$t" = world_file ] || [ "$t" = session ] || [ "$t" = task_text ] || options+=(-dict="$build/nibbo.dict")
    if [ "$seconds" -eq 0 ]; then
        "$binary" "${options[@]}" -runs=0 "${seeds[@]}" >"$log" 2>&1
    else
        "$binary" "${options[@]}" -max_total_time="$seconds" "$work" "${seeds[@]}" >"$log" 2>&1
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
