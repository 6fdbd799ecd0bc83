#!/usr/bin/env bash
# Installs what is missing, builds in Release, installs into Quorvel/ and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
./tools/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF \
      -DCMAKE_INSTALL_PREFIX="$PWD/Quorvel" > /dev/null
cmake --build build-release --parallel 2
cmake --install build-release > /dev/null
# On a machine without a display, start under a virtual one so the program still runs.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" = "" ] && command -v xvfb-run > /dev/null; then
    echo "No display here: Quorvel runs on a virtual screen that nobody sees. Start ./run.sh from a desktop session to use it." >&2
    exec xvfb-run -a ./Quorvel/quorvel "$@"
fi
exec ./Quorvel/quorvel "$@"
