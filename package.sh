#!/usr/bin/env bash
# Installs what is missing, builds in Release and makes quorvel_<version>_<arch>.deb at the top of the repository.
set -euo pipefail
cd "$(dirname "$0")"
./tools/deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF > /dev/null
cmake --build build-package --parallel 2
packaging/make-deb.sh build-package .
