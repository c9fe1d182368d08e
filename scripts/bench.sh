#!/bin/sh
# Builds and runs every benchmark (bench/, and any registered elsewhere with
# orv_add_benchmark), each in its own network sandbox, and prints its figures.
#
#   scripts/bench.sh [NAME...]     only the benchmarks whose names are given
#
# ORV_BUILD_DIR picks the build folder (default: build). Timing on a busy
# machine varies; run a benchmark twice before trusting one figure.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${ORV_BUILD_DIR:-build}
case "$BUILD" in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac

scripts/install-deps.sh
cmake -S . -B "$BUILD" -DORV_BUILD_TESTS=ON >/dev/null
cmake --build "$BUILD" --target benchmarks -j"$(nproc)"

failed=""
while IFS= read -r program; do
    [ -n "$program" ] || continue
    name=$(basename "$program")
    if [ $# -gt 0 ]; then
        case " $* " in
        *" $name "*) ;;
        *) continue ;;
        esac
    fi
    echo "=== $name ==="
    if ! scripts/sandbox.sh run env QT_QPA_PLATFORM=offscreen ORV_BIN_DIR="$BUILD/bin" \
        ORV_SOURCE_DIR="$ROOT" "$program"; then
        failed="$failed $name"
    fi
done < "$BUILD/benchmarks.txt"

if [ -n "$failed" ]; then
    echo "bench.sh: failed:$failed" >&2
    exit 1
fi
