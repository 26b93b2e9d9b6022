#!/usr/bin/env bash
# Sets up and builds, then runs the whole test suite.
# Usage: scripts/test.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"
scripts/setup.sh "$@"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/velmora-xdg.XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
# shellcheck disable=SC2086
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" ${VELMORA_CTEST_ARGS:-}
