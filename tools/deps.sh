#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need; does nothing when all are present.
set -euo pipefail
# lupdate and lrelease (qt6-l10n-tools) and their CMake functions (qt6-tools-dev) build the translations;
# libpq-dev, found through pkg-config, gives the server benchmark its bare reads.
need=(cmake ninja-build g++ qt6-base-dev qt6-l10n-tools qt6-tools-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev
      fonts-liberation libcsv-dev libcsv3 pkg-config libpq-dev)
if [ "${1:-}" = "--test" ]; then
    # postgresql: the tests start a throwaway cluster of their own.
    need+=(poppler-utils xvfb xauth desktop-file-utils python3 postgresql)
elif [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    need+=(xvfb xauth) # run.sh starts the program on a virtual display
fi
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
