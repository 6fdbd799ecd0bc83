#!/usr/bin/env bash
# Turns an already-built build folder into a Debian package:
#   packaging/make-deb.sh BUILD_FOLDER [OUTPUT_FOLDER]
# writes OUTPUT_FOLDER/quorvel_<version>_<arch>.deb (default: the current folder) and prints its path.
set -euo pipefail
if [ $# -lt 1 ] || [ ! -d "$1" ]; then
    echo "Usage: $0 BUILD_FOLDER [OUTPUT_FOLDER]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
out=$(cd "${2:-.}" && pwd)
control="$build/packaging/control"
if [ ! -f "$control" ]; then
    echo "$0: $control is missing: configure $build from this source tree first." >&2
    exit 1
fi
umask 022
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
chmod 755 "$stage"
DESTDIR="$stage" cmake --install "$build" --component deb --prefix /usr --strip > /dev/null
mkdir "$stage/DEBIAN"
cp "$control" "$stage/DEBIAN/control"
echo "Installed-Size: $(du -sk --apparent-size "$stage/usr" | cut -f1)" >> "$stage/DEBIAN/control"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) > "$stage/DEBIAN/md5sums"
field() { sed -n "s/^$1: //p" "$control"; }
deb="$out/$(field Package)_$(field Version)_$(field Architecture).deb"
dpkg-deb --root-owner-group --build "$stage" "$deb" > /dev/null
echo "$deb"
