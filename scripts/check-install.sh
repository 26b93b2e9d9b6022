#!/usr/bin/env bash
# Builds the Debian package, installs it with dpkg (apt-get -f for missing
# dependencies), checks the installed programs and files as a user without a data
# file, validates the desktop entry and the AppStream metainfo, and removes the
# package again (also when a check fails).
# Usage: scripts/check-install.sh [build-dir]   (default build-deb)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build-deb}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

fail() {
  echo "check-install: $*" >&2
  exit 1
}

if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
fi
cmake --build "$BUILD_DIR" -j"$(nproc)" --target velmora velmora-cli
rm -f "$BUILD_DIR"/package/velmora_*.deb
(cd "$BUILD_DIR" && cpack -G DEB)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
deb="$BUILD_DIR/package/velmora_${version}_amd64.deb"
[ -f "$deb" ] || fail "package $deb was not built"
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends

if dpkg-query -W -f='${Status}' velmora 2>/dev/null | grep -q 'install ok installed'; then
  fail "a velmora package is installed already; remove it first (dpkg -r velmora)"
fi
home=$(mktemp -d)
cleanup() {
  $SUDO dpkg -r velmora >/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
if ! $SUDO dpkg -i "$deb"; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -f install -y --no-install-recommends
fi
dpkg-query -W -f='${Status}\n' velmora | grep -q 'install ok installed' || fail "velmora did not install"

for file in /usr/bin/velmora /usr/bin/velmora-cli /usr/share/applications/velmora.desktop \
  /usr/share/metainfo/velmora.metainfo.xml /usr/share/doc/velmora/readme.txt \
  /usr/share/icons/hicolor/scalable/apps/velmora.svg /usr/share/icons/hicolor/16x16/apps/velmora.png \
  /usr/share/icons/hicolor/256x256/apps/velmora.png; do
  [ -f "$file" ] || fail "$file is not installed"
done
if ldd /usr/bin/velmora /usr/bin/velmora-cli | grep -q 'not found'; then
  fail "a library of the installed programs is missing: $(ldd /usr/bin/velmora | grep 'not found')"
fi

# A user without a data file: the built-in history, and nothing written.
latest=$(env -i HOME="$home" XDG_DATA_HOME="$home/data" PATH=/usr/bin:/bin velmora-cli history | tail -n 1)
echo "velmora-cli history | tail -n 1: $latest"
[[ "$latest" == 2026176,* ]] || fail "expected the built-in latest draw 2026176, got '$latest'"
[ ! -e "$home/data/velmora" ] || fail "velmora-cli history wrote into the data folder"

desktop-file-validate /usr/share/applications/velmora.desktop
appstreamcli validate --no-net /usr/share/metainfo/velmora.metainfo.xml
echo "check-install: passed"
