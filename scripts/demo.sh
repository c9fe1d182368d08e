#!/bin/sh
# Installs what is needed, builds, and runs Orvanto against a simulated fleet
# of 40 projectors inside a private network sandbox.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The demo needs the programs and the projector simulator only: the tests,
# benchmarks and screenshot tools are left out (scripts/test.sh builds them).
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORV_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)"
exec scripts/sandbox.sh run scripts/demo-inside.sh
