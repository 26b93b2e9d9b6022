#!/usr/bin/env bash
# Sets up and builds, then starts the program. The data file lotdata.ldf lives in build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
VELMORA_BUILD_TARGETS="velmora velmora-cli" scripts/setup.sh build
exec build/bin/velmora "$@"
