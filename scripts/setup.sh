#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds.
# Usage: scripts/setup.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev libcli11-dev qt6-base-dev
  xvfb xauth fonts-noto-cjk fonts-wqy-microhei qt6-translations-l10n poppler-utils
  qt6-webengine-dev nlohmann-json3-dev desktop-file-utils appstream dpkg-dev file
  libsqlite3-dev
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

BUILD_DIR="${1:-build}"
shift || true
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
# VELMORA_BUILD_TARGETS limits the build (the run command needs only the programs).
# shellcheck disable=SC2086
cmake --build "$BUILD_DIR" -j"$(nproc)" ${VELMORA_BUILD_TARGETS:+--target $VELMORA_BUILD_TARGETS}
