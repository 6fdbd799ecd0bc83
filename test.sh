#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./tools/deps.sh --test
extra=()
if [ "${QUORVEL_SANITIZE:-}" = "1" ]; then extra+=(-DQUORVEL_SANITIZE=ON); dir=build-asan; else dir=build-test; fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" > /dev/null
cmake --build "$dir" --parallel 2
cd "$dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure
