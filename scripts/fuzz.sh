#!/bin/sh
# Builds the libFuzzer harnesses of fuzz/ with clang-14 (ASan + UBSan) into
# build-fuzz/ and runs them.
#
#   scripts/fuzz.sh                    every harness, 60 s each
#   scripts/fuzz.sh NAME [SECONDS]     one harness (NAME "all": every one)
#   scripts/fuzz.sh list               the harness names
#
# Each harness starts from its corpus in build-fuzz/corpus/NAME (kept from
# run to run) and its seeds: fuzz/seeds/NAME plus the shipped files that
# parser reads (defaults/, pluginPJ/), and fuzz/NAME.dict when there is one.
# Any finding (sanitizer report, broken
# promise, crash, leak, time-out, memory blow-up) fails the script; the
# input is kept as build-fuzz/findings/NAME-*. Replay one with
#   build-fuzz/fuzz_NAME build-fuzz/findings/NAME-crash-...
# A summary line per harness gives executions per second and coverage.
# The harnesses open no sockets, but run inside the network sandbox like
# every other test program.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=$ROOT/build-fuzz
NAME=${1:-all}
SECS=${2:-60}
HARNESSES=$(sed -n '/^set(ORV_FUZZ_HARNESSES/,/^)/p' fuzz/CMakeLists.txt | sed '1d;$d' | tr -d ' ')

if [ "$NAME" = list ]; then
    echo "$HARNESSES"
    exit 0
fi
if [ "$NAME" != all ] && ! echo "$HARNESSES" | grep -qx "$NAME"; then
    echo "fuzz.sh: no harness \"$NAME\"; one of:" $HARNESSES >&2
    exit 2
fi

LAUNCHER=""
if command -v ccache >/dev/null 2>&1; then
    LAUNCHER="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
mkdir -p "$BUILD"
cmake -S fuzz -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=None $LAUNCHER >"$BUILD/configure.log" 2>&1 ||
    { cat "$BUILD/configure.log" >&2; exit 1; }
if [ "$NAME" = all ]; then
    TARGETS=$(for h in $HARNESSES; do printf 'fuzz_%s ' "$h"; done)
else
    TARGETS=fuzz_$NAME
fi
# shellcheck disable=SC2086
cmake --build "$BUILD" -j"$(nproc)" --target $TARGETS

seeds_of() {
    dir=$BUILD/seeds/$1
    rm -rf "$dir"
    mkdir -p "$dir"
    [ -d "fuzz/seeds/$1" ] && cp fuzz/seeds/"$1"/* "$dir"/
    case $1 in
    groupipfile) cp defaults/GroupIP.csv "$dir"/ ;;
    cronjobs) cp defaults/CronJobs.csv "$dir"/ ;;
    settings) cp defaults/Orvanto.ini "$dir"/ ;;
    catalogue) cp pluginPJ/*.csv "$dir"/ ;;
    esac
    echo "$dir"
}

run_one() {
    h=$1
    corpus=$BUILD/corpus/$h
    mkdir -p "$corpus" "$BUILD/findings" "$BUILD/logs"
    seeds=$(seeds_of "$h")
    log=$BUILD/logs/$h.log
    dict=""
    [ -f "fuzz/$h.dict" ] && dict="-dict=fuzz/$h.dict"
    status=0
    # shellcheck disable=SC2086
    scripts/sandbox.sh run "$BUILD/fuzz_$h" -max_total_time="$SECS" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$BUILD/findings/$h-" $dict \
        "$corpus" "$seeds" >"$log" 2>&1 || status=$?
    stats=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1)
    execs=$(grep -E 'stat::average_exec_per_sec' "$log" | awk '{print $2}')
    cov=$(echo "$stats" | sed -n 's/.*cov: \([0-9]*\).*/\1/p')
    if [ "$status" -ne 0 ]; then
        echo "FINDING  $h (exit $status), log $log:" >&2
        grep -E 'ERROR|Promise broken|SUMMARY|runtime error|Test unit written' "$log" | head -20 >&2
        return 1
    fi
    printf '%-16s ok  %ss  exec/s %s  cov %s  corpus %s\n' "$h" "$SECS" "${execs:-?}" "${cov:-?}" \
        "$(ls "$corpus" | wc -l)"
}

failed=0
if [ "$NAME" = all ]; then
    for h in $HARNESSES; do
        run_one "$h" || failed=1
    done
else
    run_one "$NAME" || failed=1
fi
exit $failed
