#!/bin/sh
# Installs what is needed, builds everything and runs the whole test suite,
# once normally and once under AddressSanitizer + UndefinedBehaviorSanitizer;
# checks the install, the menu entries and the Debian package in between.
# Every test runs in a private network namespace (scripts/sandbox.sh).
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
JOBS=$(nproc)

echo "=== Release build and tests ==="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORV_BUILD_TESTS=ON
cmake --build build -j"$JOBS"
scripts/sandbox.sh run ctest --test-dir build --output-on-failure -j"$JOBS"

echo "=== Install, menu entries, metainfo and the Debian package ==="
scripts/check-install.sh build

echo "=== AddressSanitizer + UndefinedBehaviorSanitizer build and tests ==="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DORV_SANITIZE=ON -DORV_BUILD_TESTS=ON
cmake --build build-asan -j"$JOBS"
scripts/sandbox.sh run ctest --test-dir build-asan --output-on-failure -j"$JOBS"
echo "=== Fuzzing: every harness for 20 s, any finding fails ==="
scripts/fuzz.sh all "${FUZZ_SECONDS:-20}"
echo "=== All tests passed ==="
